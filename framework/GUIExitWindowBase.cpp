#include "framework/GUIExitWindowBase.h"

namespace GameFramework {

GUIExitWindowBase::GUIExitWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUIExitWindowBase::~GUIExitWindowBase() = default;

void GUIExitWindowBase::Update()
{
    result = 0;
}

void GUIExitWindowBase::Show(int32_t code)
{
    shown = true;
    returnCode = code;
}

void GUIExitWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
