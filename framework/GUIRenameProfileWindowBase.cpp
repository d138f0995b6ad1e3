#include "framework/GUIRenameProfileWindowBase.h"

#include "engine/core/StringUtils.h"
#include "framework/ProfileManagerBase.h"

namespace GameFramework {

GUIRenameProfileWindowBase::GUIRenameProfileWindowBase(VantoranEngine::Engine* engine,
                                                       ProfileManagerBase* profiles)
    : engine(engine),
      profiles(profiles)
{
}

GUIRenameProfileWindowBase::~GUIRenameProfileWindowBase() = default;

void GUIRenameProfileWindowBase::Update()
{
    result = 0;
}

void GUIRenameProfileWindowBase::Show(bool takeName, const std::u16string& name)
{
    shown = true;
    if (takeName)
        oldProfileName = name;
}

void GUIRenameProfileWindowBase::Hide()
{
    shown = false;
}

bool GUIRenameProfileWindowBase::RenameProfile(const std::u16string& newName)
{
    // The manager compares trimmed names, so a blank around the name is no change either.
    using VantoranEngine::ToLowerCopyWide;
    using VantoranEngine::TrimCopyWide;
    if (ToLowerCopyWide(TrimCopyWide(newName)) == ToLowerCopyWide(TrimCopyWide(oldProfileName)))
        return true;
    if (profiles->FindProfile(newName) != nullptr)
        return false;
    // The manager refuses an empty name or an old name it does not know.
    return profiles->RenameProfile(newName, oldProfileName);
}

} // namespace GameFramework
