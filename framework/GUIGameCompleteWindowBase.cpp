#include "framework/GUIGameCompleteWindowBase.h"

namespace GameFramework {

GUIGameCompleteWindowBase::GUIGameCompleteWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUIGameCompleteWindowBase::~GUIGameCompleteWindowBase() = default;

void GUIGameCompleteWindowBase::Update()
{
    result = 0;
}

void GUIGameCompleteWindowBase::Show()
{
    shown = true;
}

void GUIGameCompleteWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
