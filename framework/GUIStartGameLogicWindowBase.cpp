#include "framework/GUIStartGameLogicWindowBase.h"

namespace GameFramework {

GUIStartGameLogicWindowBase::GUIStartGameLogicWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUIStartGameLogicWindowBase::~GUIStartGameLogicWindowBase() = default;

void GUIStartGameLogicWindowBase::Update()
{
    result = 0;
}

void GUIStartGameLogicWindowBase::Show(Mode shownMode)
{
    shown = true;
    mode = shownMode;
}

void GUIStartGameLogicWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
