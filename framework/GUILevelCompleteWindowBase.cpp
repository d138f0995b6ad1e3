#include "framework/GUILevelCompleteWindowBase.h"

namespace GameFramework {

GUILevelCompleteWindowBase::GUILevelCompleteWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUILevelCompleteWindowBase::~GUILevelCompleteWindowBase() = default;

void GUILevelCompleteWindowBase::Update()
{
    result = 0;
}

void GUILevelCompleteWindowBase::Show()
{
    shown = true;
}

void GUILevelCompleteWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
