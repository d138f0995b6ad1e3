#include "framework/GUIContinueGameLogicWindowBase.h"

namespace GameFramework {

GUIContinueGameLogicWindowBase::GUIContinueGameLogicWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUIContinueGameLogicWindowBase::~GUIContinueGameLogicWindowBase() = default;

void GUIContinueGameLogicWindowBase::Update()
{
    result = 0;
}

void GUIContinueGameLogicWindowBase::Show()
{
    shown = true;
}

void GUIContinueGameLogicWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
