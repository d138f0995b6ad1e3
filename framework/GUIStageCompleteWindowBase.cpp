#include "framework/GUIStageCompleteWindowBase.h"

namespace GameFramework {

GUIStageCompleteWindowBase::GUIStageCompleteWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUIStageCompleteWindowBase::~GUIStageCompleteWindowBase() = default;

void GUIStageCompleteWindowBase::Update()
{
    result = 0;
}

void GUIStageCompleteWindowBase::Show()
{
    shown = true;
}

void GUIStageCompleteWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
