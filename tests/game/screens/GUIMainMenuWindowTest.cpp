// The main menu over the headless engine: the hover sequence that opens the credits, the click results,
// the greeting on the profile plate and the anchors the frame and plate follow.

#include "game/screens/GUIMainMenuWindow.h"

#include "DialogFixture.h"
#include "engine/render/gui/GUITextManager.h"

#include <cmath>
#include <string>

using namespace VantoranEngine;
using Petalwork::GUIMainMenuWindow;

namespace {

class GUIMainMenuWindowTest : public DialogFixture {
protected:
    std::unique_ptr<GUIMainMenuWindow> MakeShownMenu()
    {
        auto menu = std::make_unique<GUIMainMenuWindow>(engine.get(), *gameData, layer, profiles.get());
        menu->Show();
        Frames(12, [&menu] { menu->Update(); }); // faded and slid in
        return menu;
    }

    // The button a letter names: S start, H high scores, O options, E exit; N is empty space.
    static const GUIWindow* ButtonOf(const GUIMainMenuWindow& menu, char letter)
    {
        switch (letter) {
        case 'S': return menu.GetStartButton();
        case 'H': return menu.GetHighScoresButton();
        case 'O': return menu.GetOptionsButton();
        case 'E': return menu.GetExitButton();
        default: return nullptr;
        }
    }
};

TEST_F(GUIMainMenuWindowTest, HoverSequenceOfThreeCleanRoundsOpensTheCredits)
{
    struct Case {
        const char* name;
        const char* moves; // one letter per frame; '.' clicks the start button
        bool credits;      // result 6 on the last move, and on no other
        int32_t count;     // completed rounds afterwards
    };
    const Case cases[] = {
        {"three rounds", "SHOESHOESHOE", true, 0},
        {"two rounds", "SHOESHOE", false, 2},
        {"a wrong button resets", "SHOESHESHOESHOE", false, 2},
        {"a wrong button then three rounds", "SHOESHESHOESHOESHOE", true, 0},
        {"the same button twice counts once", "SNSHOESHNHOESHOE", true, 0},
        {"a backward step resets", "SHOESHOESHOHE", false, 0},
        {"a click resets", "SHOESHOE.SHOE", false, 1},
        {"starting elsewhere", "HOESHOESHOESHOE", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<GUIMainMenuWindow> menu = MakeShownMenu();
        auto update = [&menu] { menu->Update(); };
        const std::string moves = c.moves;
        for (size_t i = 0; i < moves.size(); ++i) {
            if (moves[i] == '.') {
                Click(menu->GetStartButton(), update);
                Frame(update, [&] { EXPECT_EQ(menu->result, GUIMainMenuWindow::resultStart); });
                continue;
            }
            const GUIWindow* button = ButtonOf(*menu, moves[i]);
            const Vector2 target = button != nullptr ? CentreOf(button) : Vector2{40.0f, 560.0f};
            MoveTo(target.x, target.y);
            const bool last = i + 1 == moves.size();
            Frame(update, [&] {
                EXPECT_EQ(menu->result == GUIMainMenuWindow::resultCredits, last && c.credits) << "move " << i;
            });
        }
        EXPECT_EQ(menu->GetHoverCount(), c.count);
    }
}

TEST_F(GUIMainMenuWindowTest, HoverSequenceCountsOnlyWhileTheMenuIsShown)
{
    std::unique_ptr<GUIMainMenuWindow> menu = MakeShownMenu();
    auto update = [&menu] { menu->Update(); };
    for (char letter : std::string("SHOESHOESHO")) {
        const Vector2 target = CentreOf(ButtonOf(*menu, letter));
        MoveTo(target.x, target.y);
        Frame(update);
    }
    menu->Hide(); // fading out: the frame is still drawn
    const Vector2 exit = CentreOf(menu->GetExitButton());
    MoveTo(exit.x, exit.y);
    Frame(update, [&] {
        EXPECT_TRUE(menu->IsFrameVisible());
        EXPECT_EQ(menu->result, 0);
    });
}

TEST_F(GUIMainMenuWindowTest, EachButtonGivesItsResultOnlyWhileShown)
{
    profiles->SetCurrentProfile(profiles->CreateProfile(u"Anna"));
    struct Case {
        const char* name;
        int32_t expected;
    };
    const Case cases[] = {{"change", 1}, {"start", 2}, {"high", 3}, {"options", 4}, {"exit", 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<GUIMainMenuWindow> menu = MakeShownMenu();
        GUIButton* buttons[] = {menu->GetChangeProfileButton(), menu->GetStartButton(), menu->GetHighScoresButton(),
                                menu->GetOptionsButton(), menu->GetExitButton()};
        auto update = [&menu] { menu->Update(); };
        Click(buttons[c.expected - 1], update);
        Frame(update, [&] { EXPECT_EQ(menu->result, c.expected); });
        Frame(update, [&] { EXPECT_EQ(menu->result, 0); });

        // During the fade-out a click has no effect.
        menu->Hide();
        Click(buttons[c.expected - 1], update);
        Frame(update, [&] { EXPECT_EQ(menu->result, 0); });
    }
}

TEST_F(GUIMainMenuWindowTest, GreetingIsSplitInThreeMeasuredPartsOnThePlate)
{
    gui->GetTextManager()->AddText("MAIN_MENU_WELCOME", u"Hello");
    gui->GetTextManager()->AddText("MAIN_MENU_WELCOME_BACK", u"Hi again");
    struct Case {
        bool newProfile;
        std::u16string greeting;
    };
    for (const Case& c : {Case{true, u"Hello, "}, Case{false, u"Hi again, "}}) {
        SCOPED_TRACE(c.newProfile);
        GameFramework::ProfileBase* anna = profiles->CreateProfile(u"Анна");
        anna->newProfile = c.newProfile;
        profiles->SetCurrentProfile(anna);
        std::unique_ptr<GUIMainMenuWindow> menu = MakeShownMenu();
        Frame([&menu] { menu->Update(); }, [&] {
            const std::vector<GUITextItem> texts = Texts(menu->GetPlate());
            ASSERT_EQ(texts.size(), 3u);
            const float whole = static_cast<float>(c.greeting.size() + 4 + 1) * glyphWidth;
            const float x0 = (340.0f - whole) / 2.0f;
            const float greetingWidth = static_cast<float>(c.greeting.size()) * glyphWidth;
            const std::u16string parts[] = {c.greeting, u"Анна", u"!"};
            const float xs[] = {x0, x0 + greetingWidth, x0 + greetingWidth + 4 * glyphWidth};
            const int32_t fonts[] = {1, 2, 1};
            for (size_t i = 0; i < 3; ++i) {
                EXPECT_EQ(texts[i].text, parts[i]);
                EXPECT_FLOAT_EQ(texts[i].position.x, xs[i]);
                EXPECT_FLOAT_EQ(texts[i].position.y, 25.0f);
                EXPECT_EQ(texts[i].fontId, fonts[i]);
                EXPECT_EQ(texts[i].alignment, 0u);
            }
            EXPECT_TRUE(menu->GetPlate()->visible);
        });
        profiles->DeleteProfile(u"Анна");
    }
}

TEST_F(GUIMainMenuWindowTest, WithoutACurrentProfileThePlateIsHiddenAndTheMenuStillWorks)
{
    std::unique_ptr<GUIMainMenuWindow> menu = MakeShownMenu();
    auto update = [&menu] { menu->Update(); };
    Frame(update, [&] {
        EXPECT_FALSE(menu->GetPlate()->visible);
        EXPECT_EQ(menu->GetPlate()->GetTextCount(), 0u);
        EXPECT_EQ(menu->GetChangeProfileButton()->GetTextCount(), 0u);
        EXPECT_EQ(menu->GetStartButton()->GetTextCount(), 1u);
    });
    Click(menu->GetExitButton(), update);
    Frame(update, [&] { EXPECT_EQ(menu->result, GUIMainMenuWindow::resultExit); });

    // A profile made elsewhere shows the plate from the next frame.
    profiles->SetCurrentProfile(profiles->CreateProfile(u"Bob"));
    Frame(update, [&] { EXPECT_TRUE(menu->GetPlate()->visible); });
}

TEST_F(GUIMainMenuWindowTest, FrameAndPlateFollowTheirAnchorsWhileTheSlidesPlay)
{
    profiles->SetCurrentProfile(profiles->CreateProfile(u"Anna"));
    auto menu = std::make_unique<GUIMainMenuWindow>(engine.get(), *gameData, layer, profiles.get());
    auto update = [&menu] { menu->Update(); };
    auto followsAnchors = [&menu] {
        const Vector3& menuCentre = menu->GetMenuAnchor()->boundingBox.centre;
        const Vector3& plateCentre = menu->GetPlateAnchor()->boundingBox.centre;
        EXPECT_NEAR(CentreOf(menu->GetFrame()).x, menuCentre.x, 1e-3f);
        EXPECT_NEAR(CentreOf(menu->GetFrame()).y, menuCentre.y, 1e-3f);
        EXPECT_NEAR(CentreOf(menu->GetPlate()).x, plateCentre.x, 1e-3f);
        EXPECT_NEAR(CentreOf(menu->GetPlate()).y, plateCentre.y, 1e-3f);
    };
    // Built at the plate anchor's first slide-in frame (frame 5 of the anchor).
    EXPECT_NEAR(CentreOf(menu->GetPlate()).x, 450.0f, 0.5f);
    EXPECT_NEAR(CentreOf(menu->GetPlate()).y, 100.0f, 0.5f);

    menu->Show();
    for (int i = 0; i < 3; ++i)
        Frame(update, followsAnchors);
    Frames(10, update);
    Frame(update, [&] {
        followsAnchors();
        // Slid in: the anchors rest on their last frame (10).
        EXPECT_NEAR(CentreOf(menu->GetFrame()).x, 400.0f, 1e-3f);
        EXPECT_NEAR(CentreOf(menu->GetFrame()).y, 150.0f, 1e-3f);
    });
    menu->Hide();
    Frames(12, update);
    // Slid out to frame 5.
    EXPECT_NEAR(CentreOf(menu->GetFrame()).x, 350.0f, 1e-3f);
    EXPECT_NEAR(CentreOf(menu->GetPlate()).x, 450.0f, 1e-3f);
    EXPECT_FALSE(menu->IsFrameVisible());
}

} // namespace
