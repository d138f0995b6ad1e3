// The continue dialog: the saved position's text, new game resetting and saving the profile before the
// game object reads the result, continue winning a click in the same frame, and the centred question.

#include "game/screens/GUIContinueGameLogicWindow.h"

#include "DialogFixture.h"
#include "engine/render/gui/GUITextManager.h"

using namespace VantoranEngine;
using GameFramework::ProfileBase;
using Petalwork::GUIContinueGameLogicWindow;

namespace {

class GUIContinueGameLogicWindowTest : public DialogFixture {
protected:
    void SetUp() override
    {
        DialogFixture::SetUp();
        anna = profiles->CreateProfile(u"Anna");
        profiles->SetCurrentProfile(anna);
        anna->livesCarried = 1;
        anna->totalScore = 5000;
        anna->currentPosition = {2, 4};
        anna->savedGame = true;
        anna->Save();
    }

    std::unique_ptr<GUIContinueGameLogicWindow> MakeShown()
    {
        auto window = std::make_unique<GUIContinueGameLogicWindow>(engine.get(), *gameData, layer, profiles.get());
        window->Show();
        Frames(11, [&window] { window->Update(); });
        return window;
    }

    ProfileBase* anna = nullptr;
};

TEST_F(GUIContinueGameLogicWindowTest, PositionTextCountsFromOne)
{
    struct Case {
        uint32_t stage, level;
        std::u16string text;
    };
    for (const Case& c : {Case{0, 0, u"1-1"}, Case{2, 4, u"3-5"}, Case{9, 11, u"10-12"}}) {
        anna->currentPosition = {c.stage, c.level};
        std::unique_ptr<GUIContinueGameLogicWindow> window = MakeShown();
        EXPECT_EQ(window->GetPositionText(), c.text);
    }
}

TEST_F(GUIContinueGameLogicWindowTest, NewGameResetsAndSavesTheProfileBeforeTheResultIsRead)
{
    std::unique_ptr<GUIContinueGameLogicWindow> window = MakeShown();
    auto update = [&window] { window->Update(); };
    Click(window->GetNewGameButton(), update);
    Frame(update, [&] {
        EXPECT_EQ(window->result, GUIContinueGameLogicWindow::resultNewGame);
        EXPECT_EQ(anna->livesCarried, 4);
        EXPECT_EQ(anna->totalScore, 0);
        EXPECT_EQ(anna->currentPosition.stage, 0u);
        EXPECT_EQ(anna->currentPosition.level, 0u);
    });
    Petalwork::ProfileManager reloaded(*engine, nullptr, user.Path(), nullptr);
    ASSERT_NE(reloaded.GetCurrentProfile(), nullptr);
    EXPECT_EQ(reloaded.GetCurrentProfile()->totalScore, 0);
    EXPECT_EQ(reloaded.GetCurrentProfile()->currentPosition.stage, 0u);
}

TEST_F(GUIContinueGameLogicWindowTest, ContinueWinsAClickInTheSameFrameAndResetsNothing)
{
    std::unique_ptr<GUIContinueGameLogicWindow> window = MakeShown();
    Frame([&window] {
        window->GetNewGameButton()->clicked = true;
        window->GetContinueButton()->clicked = true;
        window->Update();
    }, [&] { EXPECT_EQ(window->result, GUIContinueGameLogicWindow::resultContinue); });
    EXPECT_EQ(anna->totalScore, 5000);
    EXPECT_EQ(anna->currentPosition.stage, 2u);
}

TEST_F(GUIContinueGameLogicWindowTest, QuestionIsCentredFromThreeMeasuredParts)
{
    gui->GetTextManager()->AddText("CONTINUE_GAME_LOGIC_TEXT_1", u"Go on at ");
    std::unique_ptr<GUIContinueGameLogicWindow> window = MakeShown();
    Frame([&window] { window->Update(); }, [&] {
        const std::vector<GUITextItem> texts = Texts(window->GetFrame());
        ASSERT_EQ(texts.size(), 5u);
        // "Go on at " (9), "3-5" (3) and "?" (1) glyphs of 10 units: 130 wide in the 370-wide frame.
        const float x0 = 185.0f - 65.0f;
        EXPECT_EQ(texts[2].key, "CONTINUE_GAME_LOGIC_TEXT_1");
        EXPECT_FLOAT_EQ(texts[2].position.x, x0);
        EXPECT_EQ(texts[3].text, u"3-5");
        EXPECT_EQ(texts[3].fontId, 2);
        EXPECT_FLOAT_EQ(texts[3].position.x, x0 + 90.0f);
        EXPECT_EQ(texts[4].text, u"?");
        EXPECT_FLOAT_EQ(texts[4].position.x, x0 + 120.0f);
        for (const GUITextItem& item : {texts[2], texts[3], texts[4]})
            EXPECT_FLOAT_EQ(item.position.y, 100.0f);
    });
}

} // namespace
