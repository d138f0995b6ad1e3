#include "framework/GUIProfilesWindowBase.h"

namespace GameFramework {

GUIProfilesWindowBase::GUIProfilesWindowBase(VantoranEngine::Engine* engine, ProfileManagerBase* profiles)
    : engine(engine),
      profiles(profiles)
{
}

GUIProfilesWindowBase::~GUIProfilesWindowBase() = default;

void GUIProfilesWindowBase::Update()
{
    result = 0;
}

void GUIProfilesWindowBase::Show()
{
    shown = true;
}

void GUIProfilesWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
