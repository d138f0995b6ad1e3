#include "framework/GUIGameOverWindowBase.h"

namespace GameFramework {

GUIGameOverWindowBase::GUIGameOverWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUIGameOverWindowBase::~GUIGameOverWindowBase() = default;

void GUIGameOverWindowBase::Update()
{
    result = 0;
}

void GUIGameOverWindowBase::Show()
{
    shown = true;
}

void GUIGameOverWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
