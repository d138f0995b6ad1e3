#include "framework/GUIGameLogicExitWindowBase.h"

namespace GameFramework {

GUIGameLogicExitWindowBase::GUIGameLogicExitWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUIGameLogicExitWindowBase::~GUIGameLogicExitWindowBase() = default;

void GUIGameLogicExitWindowBase::Update()
{
    result = 0;
}

void GUIGameLogicExitWindowBase::Show()
{
    shown = true;
}

void GUIGameLogicExitWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
