#include "framework/GUIProfileNameConflictWindowBase.h"

namespace GameFramework {

GUIProfileNameConflictWindowBase::GUIProfileNameConflictWindowBase(VantoranEngine::Engine* engine)
    : engine(engine)
{
}

GUIProfileNameConflictWindowBase::~GUIProfileNameConflictWindowBase() = default;

void GUIProfileNameConflictWindowBase::Update()
{
    result = 0;
}

void GUIProfileNameConflictWindowBase::Show(Mode shownMode)
{
    shown = true;
    mode = shownMode;
}

void GUIProfileNameConflictWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
