#include "framework/GUIWelcomeWindowBase.h"

namespace GameFramework {

GUIWelcomeWindowBase::GUIWelcomeWindowBase(VantoranEngine::Engine* engine, ProfileManagerBase* profiles)
    : engine(engine),
      profiles(profiles)
{
}

GUIWelcomeWindowBase::~GUIWelcomeWindowBase() = default;

void GUIWelcomeWindowBase::Update()
{
    result = 0;
}

void GUIWelcomeWindowBase::Show()
{
    shown = true;
}

void GUIWelcomeWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
