#include "framework/GUINewProfileWindowBase.h"

#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUINewProfileWindowBase::GUINewProfileWindowBase(VantoranEngine::Engine* engine, ProfileManagerBase* profiles)
    : engine(engine),
      profiles(profiles)
{
}

GUINewProfileWindowBase::~GUINewProfileWindowBase() = default;

void GUINewProfileWindowBase::Update()
{
    result = 0;
}

void GUINewProfileWindowBase::Show(Mode)
{
    shown = true;
}

void GUINewProfileWindowBase::Hide()
{
    shown = false;
}

bool GUINewProfileWindowBase::CreateProfile(const std::u16string& name)
{
    if (profiles->FindProfile(name) != nullptr)
        return false;
    ProfileBase* created = profiles->CreateProfile(name);
    if (created == nullptr)
        return false;
    profiles->SetCurrentProfile(created);
    profiles->Save(); // a failed save is logged by the manager; the profile stays current in memory
    return true;
}

} // namespace GameFramework
