#include "framework/GUIGameLogicWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUIGameLogicWindowBase::GUIGameLogicWindowBase(VantoranEngine::Engine* engine, ProfileManagerBase* profiles)
    : engine(engine),
      profiles(profiles)
{
}

GUIGameLogicWindowBase::~GUIGameLogicWindowBase() = default;

void GUIGameLogicWindowBase::Update()
{
    result = 0;
}

void GUIGameLogicWindowBase::Show(GameLogicBase* shownLevel)
{
    shown = true;
    level = shownLevel;
    profile = profiles->GetCurrentProfile();
}

void GUIGameLogicWindowBase::Hide()
{
    shown = false;
    level = nullptr;
    profile = nullptr;
}

void GUIGameLogicWindowBase::SetActive(bool flag)
{
    active = flag;
}

} // namespace GameFramework
