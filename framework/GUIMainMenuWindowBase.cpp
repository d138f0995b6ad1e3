#include "framework/GUIMainMenuWindowBase.h"

namespace GameFramework {

GUIMainMenuWindowBase::GUIMainMenuWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUIMainMenuWindowBase::~GUIMainMenuWindowBase() = default;

void GUIMainMenuWindowBase::Update()
{
    result = 0;
}

void GUIMainMenuWindowBase::Show()
{
    shown = true;
}

void GUIMainMenuWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
