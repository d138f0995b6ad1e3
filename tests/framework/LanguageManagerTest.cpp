#include "framework/LanguageManager.h"

#include "engine/core/StringUtils.h"
#include "platform/os/CodePage.h"
#include "platform/os/KeyboardLayout.h"

#include <gtest/gtest.h>

using GameFramework::LanguageManager;
namespace Layout = Platform::KeyboardLayoutTest;

TEST(LanguageManager, FindsCodesWithoutRegardToCaseAndKnowsOnlyItsOwnCodes)
{
    LanguageManager language;
    ASSERT_EQ(language.languages.size(), 6u);
    ASSERT_NE(language.FindLanguage("RU"), nullptr);
    EXPECT_EQ(language.FindLanguage("RU")->languageId, 1049);
    EXPECT_EQ(language.FindLanguage("de"), nullptr);
    EXPECT_EQ(language.FindLanguage("ge")->name, "german");
    EXPECT_EQ(language.current, language.FindLanguage("ru"));
}

TEST(LanguageManager, TheRussianCodePageGovernsCaseOfCyrillicText)
{
    Platform::SetCodePage(Platform::CodePage::C);
    LanguageManager language;
    EXPECT_EQ(VantoranEngine::ToLowerCopyWide(u"ДОМ Sad"), u"дом sad");
    Platform::SetCodePage(Platform::CodePage::C);
}

TEST(LanguageManager, SwitchesTheKeyboardLayoutOnlyWhenItIsNotRussian)
{
    struct Row {
        uint32_t start;
        bool failActivate;
        int activates;
        int loads;
        int unloads;
    };
    for (const Row& row : {Row{0x04190419, false, 0, 0, 0}, Row{0x04090409, false, 1, 0, 0},
                           Row{0x04090409, true, 1, 1, 0}}) {
        Layout::Reset(row.start);
        Layout::FailActivateAndLoad(row.failActivate);
        {
            LanguageManager language;
            EXPECT_EQ(Layout::ActivateCount(), row.activates);
            EXPECT_EQ(Layout::LoadCount(), row.loads);
        }
        EXPECT_EQ(Layout::UnloadCount(), row.unloads);
    }
    Layout::Reset(0x04190419);
}
