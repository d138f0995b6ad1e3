#include "framework/GUILogosWindowBase.h"

#include "engine/core/Engine.h"

namespace GameFramework {

GUILogosWindowBase::GUILogosWindowBase(VantoranEngine::Engine* engine)
    : engine(engine),
      log(engine->messageManager.get()),
      timers(engine->timerManager.get())
{
}

GUILogosWindowBase::~GUILogosWindowBase() = default;

void GUILogosWindowBase::Update()
{
    result = 0;
}

void GUILogosWindowBase::Show()
{
    shown = true;
}

void GUILogosWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
