// The profile checks of the new-profile and rename dialogs' bases, and the panel base's hold on the
// profile that plays.

#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUINewProfileWindowBase.h"
#include "framework/GUIRenameProfileWindowBase.h"
#include "framework/ProfileManager.h"
#include "platform/os/CodePage.h"

#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

using GameFramework::GUIGameLogicWindowBase;
using GameFramework::GUINewProfileWindowBase;
using GameFramework::GUIRenameProfileWindowBase;
using GameFramework::ProfileBase;
using Petalwork::ProfileManager;

namespace {

class ProfileWindowBases : public ::testing::Test {
protected:
    ProfileWindowBases()
    {
        Platform::SetCodePage(Platform::CodePage::Windows1251);
        profiles = std::make_unique<ProfileManager>(&services.log, &services.files, nullptr, services.UserRoot(),
                                                    nullptr);
        profiles->CreateProfile(u"Anna");
        profiles->CreateProfile(u"Bob");
        profiles->SetCurrentProfile(profiles->FindProfile(u"Anna"));
    }
    ~ProfileWindowBases() override { Platform::SetCodePage(Platform::CodePage::C); }

    // The current profile's name as the manager file remembers it.
    std::u16string StoredCurrentName()
    {
        ProfileManager reloaded(&services.log, &services.files, nullptr, services.UserRoot(), nullptr);
        return reloaded.GetCurrentProfile() != nullptr ? reloaded.GetCurrentProfile()->name : u"";
    }

    FrameworkTest::FileServices services;
    std::unique_ptr<ProfileManager> profiles;
};

TEST_F(ProfileWindowBases, CreateProfileMakesTheNewProfileCurrentAndSavesTheChoice)
{
    GUINewProfileWindowBase dialog(nullptr, profiles.get());
    ASSERT_TRUE(dialog.CreateProfile(u"Cleo"));
    ASSERT_NE(profiles->GetCurrentProfile(), nullptr);
    EXPECT_EQ(profiles->GetCurrentProfile()->name, u"Cleo");
    EXPECT_EQ(StoredCurrentName(), u"Cleo");
}

TEST_F(ProfileWindowBases, CreateProfileRefusesATakenOrEmptyNameAndKeepsTheCurrentProfile)
{
    GUINewProfileWindowBase dialog(nullptr, profiles.get());
    for (const std::u16string name : {u"bob", u" BOB ", u"   "}) {
        EXPECT_FALSE(dialog.CreateProfile(name));
        EXPECT_EQ(profiles->GetCurrentProfile()->name, u"Anna");
        EXPECT_EQ(profiles->GetProfiles().size(), 2u);
    }
}

struct RenameCase {
    std::u16string newName;
    bool accepted;
    std::u16string annaBecomes; // the name of the profile that was Anna
};

TEST_F(ProfileWindowBases, RenameProfileTable)
{
    const RenameCase cases[] = {
        {u"ANNA", true, u"Anna"},  // letter case only: no rename
        {u" anna ", true, u"Anna"}, // blanks around it are no change either
        {u"bob", false, u"Anna"},   // taken
        {u"   ", false, u"Anna"},   // refused by the manager
        {u"Dora", true, u"Dora"},
    };
    for (const RenameCase& c : cases) {
        ProfileBase* anna = profiles->GetCurrentProfile();
        GUIRenameProfileWindowBase dialog(nullptr, profiles.get());
        dialog.Show(true, anna->name);
        EXPECT_EQ(dialog.RenameProfile(c.newName), c.accepted) << std::string(c.newName.begin(), c.newName.end());
        EXPECT_EQ(anna->name, c.annaBecomes);
        EXPECT_NE(profiles->FindProfile(u"Bob"), nullptr);
    }
}

TEST_F(ProfileWindowBases, RenameKeepsItsProfileWhenShownBackFromAConflict)
{
    GUIRenameProfileWindowBase dialog(nullptr, profiles.get());
    dialog.Show(true, u"Bob");
    dialog.Show(false, u"");
    EXPECT_EQ(dialog.oldProfileName, u"Bob");
    EXPECT_TRUE(dialog.RenameProfile(u"Bert"));
    EXPECT_NE(profiles->FindProfile(u"Bert"), nullptr);
}

TEST_F(ProfileWindowBases, PanelKeepsTheCurrentProfileWhileShown)
{
    GUIGameLogicWindowBase panel(nullptr, profiles.get());
    panel.Show(nullptr);
    EXPECT_EQ(panel.profile, profiles->GetCurrentProfile());
    EXPECT_TRUE(panel.shown);
    panel.SetActive(true);
    EXPECT_TRUE(panel.active);
    panel.Hide();
    EXPECT_EQ(panel.profile, nullptr);
    EXPECT_FALSE(panel.shown);
}

} // namespace
