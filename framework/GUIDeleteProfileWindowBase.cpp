#include "framework/GUIDeleteProfileWindowBase.h"

namespace GameFramework {

GUIDeleteProfileWindowBase::GUIDeleteProfileWindowBase(VantoranEngine::Engine* engine,
                                                       ProfileManagerBase* profiles)
    : engine(engine),
      profiles(profiles)
{
}

GUIDeleteProfileWindowBase::~GUIDeleteProfileWindowBase() = default;

void GUIDeleteProfileWindowBase::Update()
{
    result = 0;
}

void GUIDeleteProfileWindowBase::Show(const std::u16string& name)
{
    shown = true;
    profileName = name;
}

void GUIDeleteProfileWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
