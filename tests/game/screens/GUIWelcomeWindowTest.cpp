// The welcome dialog: the typed name (trimmed, blank, Cyrillic, a character the font lacks), OK and
// ENTER, the profile made current and saved, and exit.

#include "game/screens/GUIWelcomeWindow.h"

#include "DialogFixture.h"
#include "engine/render/gui/GUIEditBox.h"

using namespace VantoranEngine;
using Petalwork::GUIWelcomeWindow;

namespace {

class GUIWelcomeWindowTest : public DialogFixture {
protected:
    std::unique_ptr<GUIWelcomeWindow> MakeShownWelcome()
    {
        auto welcome = std::make_unique<GUIWelcomeWindow>(engine.get(), *gameData, layer, profiles.get());
        welcome->Show();
        Frames(11, [&welcome] { welcome->Update(); });
        return welcome;
    }
};

TEST_F(GUIWelcomeWindowTest, TypedNameIsTrimmedAndItsProfileMadeCurrentAndSaved)
{
    struct Case {
        const char* name;
        std::string typed;         // UTF-8, one character per frame
        std::u16string boxText;    // what the box took
        bool byEnter;              // accepted with ENTER, else with a click on OK
        std::u16string created;    // the current profile's name afterwards; empty: nothing accepted
    };
    const Case cases[] = {
        {"plain", "Anna", u"Anna", true, u"Anna"},
        {"padded", " Anna ", u" Anna ", true, u"Anna"},
        {"padded, clicked", "  Bob", u"  Bob", false, u"Bob"},
        {"blanks only", "   ", u"   ", true, u""},
        {"blanks only, clicked", "   ", u"   ", false, u""},
        {"nothing typed", "", u"", true, u""},
        {"Cyrillic", "\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0", u"Анна", true, u"Анна"},
        {"a character the font lacks", "A\xE4\xB8\xAD" "b", u"Ab", true, u"Ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<GUIWelcomeWindow> welcome = MakeShownWelcome();
        auto update = [&welcome] { welcome->Update(); };
        Type(c.typed, update);
        Frame(update, [&] { EXPECT_EQ(welcome->GetOkButton()->state == GUIButton::Disabled, c.created.empty()); });
        EXPECT_EQ(welcome->GetNameBox()->text, c.boxText);

        int32_t result = 0;
        auto record = [&] { result = std::max(result, welcome->result); };
        if (c.byEnter) {
            PressEnter(update, record);
        } else {
            Click(welcome->GetOkButton(), update);
            Frame(update, record);
        }
        if (c.created.empty()) {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(profiles->GetProfiles().empty());
            EXPECT_EQ(profiles->GetCurrentProfile(), nullptr);
            continue;
        }
        EXPECT_EQ(result, GUIWelcomeWindow::resultCreated);
        ASSERT_EQ(profiles->GetProfiles().size(), 1u);
        ASSERT_NE(profiles->GetCurrentProfile(), nullptr);
        EXPECT_EQ(profiles->GetCurrentProfile()->name, c.created);
        EXPECT_EQ(StoredCurrentName(), c.created);
        profiles->DeleteProfile(c.created);
    }
}

TEST_F(GUIWelcomeWindowTest, ShowEmptiesTheBoxAndExitGivesTwo)
{
    std::unique_ptr<GUIWelcomeWindow> welcome = MakeShownWelcome();
    auto update = [&welcome] { welcome->Update(); };
    Type("Zed", update);
    welcome->Hide();
    Frames(11, update);
    welcome->Show();
    EXPECT_EQ(welcome->GetNameBox()->text, u"");
    EXPECT_EQ(welcome->GetNameBox()->caret, 0);
    Frames(11, update);
    Click(welcome->GetExitButton(), update);
    Frame(update, [&] {
        EXPECT_EQ(welcome->result, GUIWelcomeWindow::resultExit);
        EXPECT_TRUE(profiles->GetProfiles().empty());
        ASSERT_EQ(welcome->GetFrame()->GetTextCount(), 2u);
        EXPECT_EQ(welcome->GetFrame()->GetTextItem(0).key, "WELCOME_TITLE");
        EXPECT_FLOAT_EQ(welcome->GetFrame()->GetTextItem(0).position.y, 180.0f);
        EXPECT_EQ(welcome->GetFrame()->GetTextItem(1).key, "ENTER_YOUR_NAME");
        EXPECT_FLOAT_EQ(welcome->GetFrame()->GetTextItem(1).position.y, 146.0f);
    });
}

TEST_F(GUIWelcomeWindowTest, EnterTwiceDuringTheFadeOutMakesOneProfile)
{
    std::unique_ptr<GUIWelcomeWindow> welcome = MakeShownWelcome();
    auto update = [&welcome] { welcome->Update(); };
    Type("Anna", update);
    PressEnter(update);
    welcome->Hide(); // the game object hides it when it reads the result
    int32_t result = 0;
    PressEnter(update, [&] { result = welcome->result; });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(profiles->GetProfiles().size(), 1u);
}

} // namespace
