// The in-level overlays: the 0.35 s click delay and the input hold, the message's fade-in and the typed
// hint, the results of pause, game complete and game over, and the flower screen of level complete (with
// and without the last level of a stage) and stage complete.

#include "game/screens/GUIGameCompleteWindow.h"
#include "game/screens/GUIGameLogicPauseWindow.h"
#include "game/screens/GUIGameOverWindow.h"
#include "game/screens/GUILevelCompleteWindow.h"
#include "game/screens/GUIStageCompleteWindow.h"

#include "DialogFixture.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUITextManager.h"

using namespace VantoranEngine;
using Petalwork::FlowerScreen;
using Petalwork::GUIGameLogicTextWindow;

namespace {

class GUIGameLogicTextWindowTest : public DialogFixture {
protected:
    void PrepareMoreData() override
    {
        // 31 frames at 30 per second: each flower-screen animation of 15 frames lasts half a second.
        WriteModel("gui/stage_screen/models/flower_screen.mlf", QuadModel(31, 30.0f, 0.0f, 0.0f, 800.0f, 600.0f));
    }

    void SetUp() override
    {
        DialogFixture::SetUp();
        gui->GetTextManager()->AddText(GUIGameLogicTextWindow::hintKey, u"Click to go on");
        gui->GetTextManager()->AddText("LEVEL_COMPLETE", u"Well done");
        gameData->modelList.emplace_back(
            engine->modelManager->LoadDetachedModel("gui\\stage_screen\\models\\flower_screen.mlf", 0x20));
        gameData->flowerScreenModel = gameData->modelList.back().get();
        soundPlayer = MakeSoundPlayer({52, 53});
    }

    void TearDown() override
    {
        soundPlayer.reset();
        DialogFixture::TearDown();
    }

    // A key goes down in the next frame and up after it.
    void PressKey(const std::function<void()>& update)
    {
        Platform::Test::InjectKey(Platform::DIK_SPACE, true);
        Frame(update);
        Platform::Test::InjectKey(Platform::DIK_SPACE, false);
        Frame(update);
    }

    std::unique_ptr<GameFramework::SoundPlayer> soundPlayer;
};

TEST_F(GUIGameLogicTextWindowTest, APressCountsOnlyAfterTheClickDelay)
{
    struct Case {
        int framesBefore; // frames of 0.05 s shown before the press
        bool done;
    };
    for (const Case c : {Case{0, false}, Case{6, false}, Case{8, true}}) {
        SCOPED_TRACE(c.framesBefore);
        Petalwork::GUIGameLogicPauseWindow pause(engine.get(), *gameData);
        auto update = [&pause] { pause.Update(); };
        pause.Show();
        Frames(c.framesBefore, update);
        PressKey(update);
        EXPECT_EQ(pause.IsDone(), c.done);
        EXPECT_EQ(pause.result, c.done ? 1 : 0);
        pause.Hide();
    }
}

TEST_F(GUIGameLogicTextWindowTest, AKeyHeldSinceBeforeShowHoldsEveryPress)
{
    Petalwork::GUIGameOverWindow over(engine.get(), *gameData);
    auto update = [&over] { over.Update(); };
    Platform::Test::InjectMouseButton(0, true);
    Frame(update);
    over.Show();
    Frames(10, update);
    PressKey(update); // the button is still held: the hold lasts
    EXPECT_FALSE(over.IsDone());
    Platform::Test::InjectMouseButton(0, false);
    Frame(update);
    PressKey(update);
    EXPECT_TRUE(over.IsDone());
}

TEST_F(GUIGameLogicTextWindowTest, HintTypesOutFromItsDelay)
{
    struct Case {
        float time;
        size_t length;
        size_t shown;
    };
    for (const Case c : {Case{0.0f, 14, 0}, Case{0.8f, 14, 0}, Case{0.81f, 14, 0}, Case{0.91f, 14, 5},
                         Case{1.01f, 14, 10}, Case{1.1f, 14, 14}, Case{5.0f, 14, 14}}) {
        SCOPED_TRACE(c.time);
        EXPECT_EQ(GUIGameLogicTextWindow::HintCharacters(c.time, c.length), c.shown);
    }

    Petalwork::GUIGameCompleteWindow complete(engine.get(), *gameData);
    auto update = [&complete] { complete.Update(); };
    complete.Show();
    Frames(21, update); // 1.1 s after the next frame's step
    Frame(update, [&] {
        const std::vector<GUITextItem> texts = Texts(complete.GetOverlay());
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].fontId, 9);
        EXPECT_EQ(texts[0].alignment, 3u);
        EXPECT_FLOAT_EQ(texts[0].colour.a, 1.0f);
        EXPECT_EQ(texts[1].text, u"Click to go on"); // 15 characters typed, cut at the text's end
        EXPECT_EQ(texts[1].fontId, 1);
        EXPECT_FLOAT_EQ(texts[1].position.x, (800.0f - 14 * glyphWidth) / 2.0f);
        EXPECT_FLOAT_EQ(texts[1].position.y, 100.0f);
    });
}

TEST_F(GUIGameLogicTextWindowTest, MessageFadesInOverASecond)
{
    Petalwork::GUIGameLogicPauseWindow pause(engine.get(), *gameData);
    auto update = [&pause] { pause.Update(); };
    EXPECT_EQ(pause.GetOverlay()->GetParent(), gameData->panelLayerWindow);
    EXPECT_FALSE(pause.GetOverlay()->visible);
    pause.Show();
    EXPECT_TRUE(pause.GetOverlay()->visible);
    Frame(update, [&] {
        const std::vector<GUITextItem> texts = Texts(pause.GetOverlay());
        ASSERT_EQ(texts.size(), 1u); // no hint yet
        EXPECT_FLOAT_EQ(texts[0].colour.a, tick);
    });
}

TEST_F(GUIGameLogicTextWindowTest, PauseGameCompleteAndGameOverReportEveryFrameUntilHidden)
{
    Petalwork::GUIGameLogicPauseWindow pause(engine.get(), *gameData);
    Petalwork::GUIGameCompleteWindow complete(engine.get(), *gameData);
    Petalwork::GUIGameOverWindow over(engine.get(), *gameData);
    struct Case {
        GUIGameLogicTextWindow* window;
        int32_t* result;
        std::function<void()> update;
    };
    const Case cases[] = {{&pause, &pause.result, [&pause] { pause.Update(); }},
                          {&complete, &complete.result, [&complete] { complete.Update(); }},
                          {&over, &over.result, [&over] { over.Update(); }}};
    for (const Case& c : cases) {
        c.window->Show();
        Frames(10, c.update);
        EXPECT_EQ(*c.result, 0);
        PressKey(c.update);
        for (int i = 0; i < 3; ++i) {
            Frame(c.update);
            EXPECT_EQ(*c.result, 1);
        }
        c.window->Hide();
        EXPECT_FALSE(c.window->IsDone());
        Frame(c.update);
        EXPECT_EQ(*c.result, 0);
    }
}

TEST_F(GUIGameLogicTextWindowTest, LevelCompleteClosesTheFlowerScreenThenReports)
{
    Petalwork::GUILevelCompleteWindow level(engine.get(), *gameData, soundPlayer.get());
    auto update = [&level] { level.Update(); };
    const FlowerScreen& flowers = level.GetFlowerScreen();
    ASSERT_NE(flowers.GetModel(), nullptr);
    EXPECT_FALSE(flowers.IsDrawn());
    EXPECT_FLOAT_EQ(flowers.GetModel()->depth, -1000.0f);

    level.Show();
    EXPECT_EQ(level.result, 0);
    Frames(10, update);
    PressKey(update);
    EXPECT_TRUE(level.IsStarted());
    EXPECT_TRUE(flowers.IsDrawn());
    EXPECT_EQ(flowers.GetCurrentAnimation(), FlowerScreen::appearAnimation);
    EXPECT_TRUE(Played(*soundPlayer, 52));
    EXPECT_EQ(level.result, 0);
    int frames = 0;
    while (level.result == 0 && frames < 40) {
        Frame(update);
        ++frames;
    }
    EXPECT_EQ(level.result, 1);
    EXPECT_GE(frames, 9); // half a second of animation
    EXPECT_FALSE(Played(*soundPlayer, 53));

    level.Hide();
    EXPECT_FALSE(flowers.IsDrawn());
    EXPECT_FALSE(level.IsStarted());
    EXPECT_FALSE(level.GetOverlay()->visible);
    EXPECT_FALSE(level.IsDone());
}

TEST_F(GUIGameLogicTextWindowTest, LevelCompleteOfAStagesLastLevelReportsInShowAndShowsNothing)
{
    Petalwork::GUILevelCompleteWindow level(engine.get(), *gameData, soundPlayer.get());
    auto update = [&level] { level.Update(); };
    level.SetLastLevelOfStage(true);
    level.Show();
    EXPECT_EQ(level.result, 1); // read by the game object in the same transition pass
    EXPECT_FALSE(level.GetOverlay()->visible);
    Frames(10, update);
    PressKey(update);
    EXPECT_FALSE(level.IsStarted());
    EXPECT_FALSE(level.GetFlowerScreen().IsDrawn());

    level.Hide();
    EXPECT_FALSE(level.IsLastLevelOfStage());
    // The next level of a stage takes the usual path.
    level.Show();
    EXPECT_EQ(level.result, 0);
    EXPECT_TRUE(level.GetOverlay()->visible);
}

TEST_F(GUIGameLogicTextWindowTest, StageCompleteReportsAsTheFlowersOpenAndLeavesThemDrawn)
{
    Petalwork::GUIStageCompleteWindow stage(engine.get(), *gameData, soundPlayer.get());
    auto update = [&stage] { stage.Update(); };
    const FlowerScreen& flowers = stage.GetFlowerScreen();
    stage.Show();
    Frames(10, update);
    PressKey(update);
    EXPECT_TRUE(flowers.IsDrawn());
    EXPECT_TRUE(Played(*soundPlayer, 52));
    int frames = 0;
    while (stage.result == 0 && frames < 40) {
        EXPECT_EQ(flowers.GetCurrentAnimation(), FlowerScreen::appearAnimation);
        Frame(update);
        ++frames;
    }
    ASSERT_EQ(stage.result, 1);
    EXPECT_EQ(flowers.GetCurrentAnimation(), FlowerScreen::disappearAnimation);
    EXPECT_TRUE(flowers.IsPlaying());
    EXPECT_TRUE(Played(*soundPlayer, 53));

    stage.Hide();
    EXPECT_FALSE(stage.GetOverlay()->visible);
    Frames(20, update);
    EXPECT_TRUE(flowers.IsDrawn()); // at the last frame of the opening, which shows nothing
    EXPECT_FALSE(flowers.IsPlaying());
}

} // namespace
