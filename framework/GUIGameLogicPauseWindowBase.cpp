#include "framework/GUIGameLogicPauseWindowBase.h"

namespace GameFramework {

GUIGameLogicPauseWindowBase::GUIGameLogicPauseWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUIGameLogicPauseWindowBase::~GUIGameLogicPauseWindowBase() = default;

void GUIGameLogicPauseWindowBase::Update()
{
    result = 0;
}

void GUIGameLogicPauseWindowBase::Show()
{
    shown = true;
}

void GUIGameLogicPauseWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
