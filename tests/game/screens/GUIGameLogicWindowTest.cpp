// The in-level panel against a stub level: the goal text and bar, the score and caption texts, the life
// icons and level marks, the slide in and out, the pause and menu keys, the two-second messages, the
// statistics lines and the score popups.

#include "game/screens/GUIGameLogicWindow.h"

#include "DialogFixture.h"
#include "engine/core/Config.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUITextManager.h"
#include "framework/GameLogicBase.h"
#include "framework/ProfileBase.h"
#include "game/board/ScoreManager.h"
#include "game/board/model/GameSettings.h"
#include "game/board/model/LevelProgress.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroup.h"
#include "tools/formats/ParticleWriter.h"

using namespace VantoranEngine;
using Petalwork::GUIGameLogicWindow;
using Slide = GUIGameLogicWindow::SlideMode;

namespace {

class GUIGameLogicWindowTest : public DialogFixture {
protected:
    static constexpr float bodyTop = 60.0f; // the body quad's height: hidden offset 120

    void PrepareMoreData() override
    {
        const std::string panel = "gui/game_panel/models/";
        WriteModel(panel + "game_panel.mlf", QuadModel(1, 1.0f, 0.0f, 0.0f, 800.0f, bodyTop));
        WriteModel(panel + "progress_bar.mlf", QuadModel(2, 1.0f, 300.0f, 10.0f, 500.0f, 30.0f));
        WriteModel(panel + "progress_bar_line.mlf", QuadModel(2, 1.0f, 300.0f, 10.0f, 500.0f, 30.0f));
        WriteModel(panel + "icon.mlf", QuadModel(1, 1.0f, 250.0f, 10.0f, 280.0f, 40.0f));
        WriteModel(panel + "icon_flowers.mlf", QuadModel(1, 1.0f, 250.0f, 10.0f, 280.0f, 40.0f));
        WriteModel(panel + "level_icon.mlf", QuadModel(1, 1.0f, -10.0f, 570.0f, 10.0f, 590.0f));
        WriteModel(panel + "life.mlf", QuadModel(1, 1.0f, 20.0f, 10.0f, 40.0f, 30.0f));
        const std::vector<uint8_t> effect = Formats::EncodeParticleSystem(Formats::ParticleSystemFile{});
        data.WriteFile("data/particle systems/effect.psf", std::string(effect.begin(), effect.end()));
    }

    void SetUp() override
    {
        DialogFixture::SetUp();
        Petalwork::GameData& d = *gameData;
        auto model = [this, &d](const std::string& name) {
            d.modelList.emplace_back(
                engine->modelManager->LoadDetachedModel("gui\\game_panel\\models\\" + name + ".mlf", 0x20));
            return d.modelList.back().get();
        };
        d.gamePanelModel = model("game_panel");
        d.progressBarModel = model("progress_bar");
        d.progressBarLineModel = model("progress_bar_line");
        d.iconModel = model("icon");
        d.iconFlowersModel = model("icon_flowers");
        d.levelIconModel = model("level_icon");
        d.lifeModel = model("life");
        d.materials.push_back(engine->shaderManager->GetShader(Material("gui\\game_panel\\menu_button.jpg", 3)));
        d.menuButtonMaterial = d.materials.back();
        for (const char* name : {"level_icon_0.jpg", "level_icon_1.jpg"}) {
            d.materials.push_back(engine->shaderManager->GetShader(Material(std::string("gui\\game_panel\\") + name)));
            d.levelIconMaterials.push_back(d.materials.back());
        }
        d.particleSystemList.emplace_back(
            engine->particleSystemManager->LoadParticleSystem("particle systems\\effect.psf", gui->GetCamera()));
        for (ParticleSystem** effect : {&d.progressParticles, &d.lifeGettingParticles, &d.lifeLosingParticles,
                                        &d.littleBasketParticles})
            *effect = d.particleSystemList.back().get();
        d.settings = std::make_unique<Petalwork::GameSettings>();
        d.settings->menuButtonPosition = {700.0f, 560.0f};
        d.settings->comboCaptionGrowthRate = 4.0f;
        d.panelLayerWindow->SetFlags(GUIWindow::Shown);
        for (int32_t id : {0, 8, 9, 10, 11, 12, 13}) {
            VantoranEngine::GUIFont* font =
                gui->GetFontManager()->LoadFont(id, Material("ui\\fonts\\test.jpg"), "ui\\fonts\\test.fnt");
            font->size = fontSize;
        }

        gui->GetTextManager()->AddText("JUNE", u"June");
        gui->GetTextManager()->AddText("TIME_IS_OVER", u"Time");
        gui->GetTextManager()->AddText("FPS", u"FPS");
        engine->config->Register("0", "d_show_statistics", ConfigType::Int, false, &showStatistics, false);

        stage.levelCount = 3;
        stage.flowerKinds = {4, 5, 6};
        levelInfo.stageIndex = 1;
        levelInfo.levelIndex = 1;
        levelInfo.levelKind = 5;
        levelInfo.goalCount = 20;
        level = std::make_unique<GameFramework::GameLogicBase>(*engine, nullptr, &stage, &levelInfo, 2);
        progress = std::make_unique<Petalwork::LevelProgress>(20, 5, 0);
        popups = std::make_unique<Petalwork::ScoreManager>(*gui->GetTextManager(), Petalwork::PopupSettings{});
        GameFramework::ProfileBase* profile = profiles->CreateProfile(u"Player");
        profile->totalScore = 500;
        profiles->SetCurrentProfile(profile);
        panel = std::make_unique<GUIGameLogicWindow>(profiles.get(), engine.get(), gameData.get());
    }

    void TearDown() override
    {
        panel.reset();
        popups.reset();
        level.reset();
        engine->config->Unregister("d_show_statistics");
        DialogFixture::TearDown();
    }

    GUIGameLogicWindow::LevelParts Parts()
    {
        GUIGameLogicWindow::LevelParts parts;
        parts.level = level.get();
        parts.levelProgress = progress.get();
        parts.scoreManager = popups.get();
        parts.tallyClosed = &tallyClosed;
        parts.lifeGained = &lifeGained;
        parts.lifeLost = &lifeLost;
        parts.noMoreMoves = &noMoreMoves;
        return parts;
    }

    std::function<void()> Update()
    {
        return [this] { panel->Update(); };
    }

    // Attached and slid in.
    void AttachAndSettle()
    {
        panel->Attach(Parts());
        Frames(20, Update());
        ASSERT_EQ(panel->GetSlideMode(), Slide::Idle);
    }

    static bool Emitting(const ParticleSystem* effect) { return effect->emitting != 0; }
    static void ExpectAt(const ParticleSystem* effect, const Model* model)
    {
        EXPECT_FLOAT_EQ(effect->position.x, model->boundingBox.centre.x);
        EXPECT_FLOAT_EQ(effect->position.y, model->boundingBox.centre.y);
    }

    static float Y(const Model* model) { return model->worldMatrix[7]; }
    static float X(const Model* model) { return model->worldMatrix[3]; }
    static bool Drawn(const Model* model) { return (model->flags & ModelFlag::active) != 0; }

    static std::vector<std::u16string> TextsOf(const GUIWindow* window)
    {
        std::vector<std::u16string> texts;
        for (const GUITextItem& item : Texts(window))
            texts.push_back(item.text);
        return texts;
    }

    int32_t showStatistics = 0;
    GameFramework::StageInfo stage;
    GameFramework::LevelInfo levelInfo;
    std::unique_ptr<GameFramework::GameLogicBase> level;
    std::unique_ptr<Petalwork::LevelProgress> progress;
    std::unique_ptr<Petalwork::ScoreManager> popups;
    bool tallyClosed = false;
    bool lifeGained = false;
    bool lifeLost = false;
    bool noMoreMoves = false;
    std::unique_ptr<GUIGameLogicWindow> panel;
};

TEST_F(GUIGameLogicWindowTest, GoalTextAndFraction)
{
    struct Case {
        int32_t kind;
        uint32_t count, goal;
        std::u16string text;
        float fraction;
    };
    const Case cases[] = {{2, 999, 1000, u"99%", 0.999f},
                          {2, 0, 1000, u"0%", 0.0f},
                          {5, 7, 20, u"7\\20", 0.35f},
                          {0, 25, 20, u"25\\20", 1.25f},
                          {10, 3, 3, u"3\\3", 1.0f},
                          {2, 0, 0, u"100%", 1.0f}}; // a goal of 0 never divides
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(GUIGameLogicWindow::GoalText(c.kind, c.count, c.goal), c.text);
        EXPECT_FLOAT_EQ(GUIGameLogicWindow::GoalFraction(c.count, c.goal), c.fraction);
    }
}

TEST_F(GUIGameLogicWindowTest, BasketCountsShowATickForNoneLeft)
{
    EXPECT_EQ(GUIGameLogicWindow::BasketCountText(0), u"c");
    EXPECT_EQ(GUIGameLogicWindow::BasketCountText(1), u"1");
    EXPECT_EQ(GUIGameLogicWindow::BasketCountText(12), u"12");
}

TEST_F(GUIGameLogicWindowTest, TimeBonusShowsWhileTheAfterBonusRunsAndDriftsOnceDone)
{
    struct Case {
        bool running, done;
        float timer;
        bool drawn;
        float timerAfter, yAfter;
    };
    const Case cases[] = {{false, false, 10.0f, false, 10.0f, 555.0f},
                          {true, false, 10.0f, true, 10.0f, 555.0f},
                          {true, true, 10.0f, true, 9.9f, 557.0f},
                          {true, true, 0.05f, true, -0.05f, 557.0f},
                          {true, true, 0.0f, false, 0.0f, 555.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.timer);
        Vector2 position = GUIGameLogicWindow::timeBonusStart;
        float timer = c.timer;
        EXPECT_EQ(GUIGameLogicWindow::StepTimeBonus(position, timer, c.running, c.done, 0.1f, 20.0f), c.drawn);
        EXPECT_FLOAT_EQ(timer, c.timerAfter);
        EXPECT_FLOAT_EQ(position.y, c.yAfter);
        EXPECT_FLOAT_EQ(position.x, 120.0f);
    }
}

TEST_F(GUIGameLogicWindowTest, LifeIconsStand33Apart_OrSpreadOver100)
{
    struct Case {
        size_t count;
        std::vector<float> x;
    };
    const Case cases[] = {{1, {0.0f}},
                          {2, {0.0f, 33.3f}},
                          {3, {0.0f, 33.3f, 66.6f}},
                          {4, {0.0f, 100.0f / 3.0f, 200.0f / 3.0f, 100.0f}},
                          {5, {0.0f, 25.0f, 50.0f, 75.0f, 100.0f}}};
    for (const Case& c : cases)
        for (size_t i = 0; i < c.count; ++i)
            EXPECT_FLOAT_EQ(GUIGameLogicWindow::LifeOffset(i, c.count), c.x[i]) << c.count << " " << i;

    AttachAndSettle();
    ASSERT_EQ(panel->GetLifeIcons().size(), 2u);
    EXPECT_FLOAT_EQ(X(panel->GetLifeIcons()[1]), 33.3f);
    EXPECT_TRUE(Drawn(panel->GetLifeIcons()[0]));
    // A change of lives rebuilds the icons; none for 0 lives.
    level->lives = 4;
    Frame(Update());
    ASSERT_EQ(panel->GetLifeIcons().size(), 4u);
    EXPECT_FLOAT_EQ(X(panel->GetLifeIcons()[3]), 100.0f);
    EXPECT_LT(panel->GetLifeIcons()[3]->depth, panel->GetLifeIcons()[0]->depth);
    level->lives = 0;
    Frame(Update());
    EXPECT_TRUE(panel->GetLifeIcons().empty());
}

TEST_F(GUIGameLogicWindowTest, CountersScoreGoalBarAndCaption)
{
    level->GetScoreKeeper().total = 1234;
    progress->count = 7;
    AttachAndSettle();
    EXPECT_TRUE(Drawn(panel->GetGoalIcon()));
    EXPECT_FALSE(Drawn(panel->GetFlowerIcon()));
    Frame(Update(), [&] {
        EXPECT_EQ(TextsOf(panel->GetScoreWindow()), std::vector<std::u16string>{u"1734"});
        EXPECT_EQ(TextsOf(panel->GetGoalWindow()), std::vector<std::u16string>{u"7\\20"});
        EXPECT_EQ(TextsOf(panel->GetCaptionWindow()), std::vector<std::u16string>{u"June 2"});
        EXPECT_EQ(Texts(panel->GetGoalWindow())[0].fontId, 13);
        const std::vector<GUITextItem> menu = Texts(panel->GetMenuButton());
        ASSERT_EQ(menu.size(), 1u);
        EXPECT_EQ(menu[0].key, "GAME_LOGIC_MENU_BUTTON");
        EXPECT_FLOAT_EQ(menu[0].colour.b, 0.0f);
    });
    EXPECT_FLOAT_EQ(panel->GetBar()->animationControl->time, 0.35f);
    EXPECT_TRUE(Drawn(panel->GetLine()));
    // The line goes at the goal, and at an empty count.
    progress->count = 20;
    Frame(Update());
    EXPECT_FALSE(Drawn(panel->GetLine()));
    progress->count = 0;
    Frame(Update());
    EXPECT_FALSE(Drawn(panel->GetLine()));

    // The target-flower goal shows the flower icon instead.
    panel->Hide();
    progress->goalKind = GUIGameLogicWindow::targetGoalKind;
    progress->targetKind = 2;
    panel->Attach(Parts());
    EXPECT_TRUE(Drawn(panel->GetFlowerIcon()));
    EXPECT_FALSE(Drawn(panel->GetGoalIcon()));
    EXPECT_FLOAT_EQ(panel->GetFlowerIcon()->shaderUser->stageTime[0], 6.0f);
}

TEST_F(GUIGameLogicWindowTest, MarksShowTheStagesLevelsAndTurnWonAfterTheTally)
{
    AttachAndSettle();
    EXPECT_EQ(panel->GetLevelsWon(), 1u); // the earlier level of the stage
    const std::vector<Model*>& marks = panel->GetLevelMarks();
    ASSERT_EQ(marks.size(), 5u);
    for (size_t i = 0; i < marks.size(); ++i)
        EXPECT_EQ(Drawn(marks[i]), i < 3) << i;
    EXPECT_NEAR(X(marks[4]), 645.3f, 1e-3f);
    Frames(3, Update());
    EXPECT_EQ(panel->GetLevelsWon(), 1u);
    tallyClosed = true;
    Frame(Update());
    EXPECT_EQ(panel->GetLevelsWon(), 2u);
    EXPECT_TRUE(panel->IsMarkTaken());
    Frames(3, Update());
    EXPECT_EQ(panel->GetLevelsWon(), 2u); // counted once per level
}

TEST_F(GUIGameLogicWindowTest, MoreLevelsThanMarksNeverIndexPastTheFifth)
{
    stage.levelCount = 8;
    levelInfo.levelIndex = 7;
    AttachAndSettle();
    tallyClosed = true;
    Frame(Update());
    EXPECT_EQ(panel->GetLevelsWon(), 8u);
    for (const Model* mark : panel->GetLevelMarks())
        EXPECT_TRUE(Drawn(mark));
}

TEST_F(GUIGameLogicWindowTest, SlidesInFromTheBodysTopAndOutToTwiceItsHeight)
{
    panel->Attach(Parts());
    EXPECT_EQ(panel->GetSlideMode(), Slide::SlidingIn);
    EXPECT_FLOAT_EQ(panel->GetHiddenOffset(), 2.0f * bodyTop);
    EXPECT_FLOAT_EQ(panel->GetSlideOffset(), bodyTop);
    Frame(Update());
    EXPECT_FLOAT_EQ(panel->GetSlideOffset(), bodyTop - 100.0f * tick);
    EXPECT_FLOAT_EQ(Y(panel->GetBody()), -panel->GetSlideOffset());
    EXPECT_NEAR(Y(panel->GetLevelMarks()[0]), panel->GetSlideOffset(), 1e-4f);
    EXPECT_FLOAT_EQ(panel->GetMenuButton()->position.y, 560.0f + panel->GetSlideOffset());
    Frames(12, Update());
    EXPECT_EQ(panel->GetSlideMode(), Slide::Idle);
    EXPECT_FLOAT_EQ(panel->GetSlideOffset(), 0.0f);
    EXPECT_FLOAT_EQ(Y(panel->GetBody()), 0.0f);

    panel->SetActive(false);
    EXPECT_EQ(panel->GetSlideMode(), Slide::SlidingOut);
    Frames(24, Update());
    EXPECT_EQ(panel->GetSlideMode(), Slide::SlidingOut);
    EXPECT_TRUE(panel->GetRoot()->visible);
    Frame(Update());
    EXPECT_EQ(panel->GetSlideMode(), Slide::Idle);
    EXPECT_FLOAT_EQ(panel->GetSlideOffset(), 2.0f * bodyTop);
    EXPECT_FALSE(panel->GetRoot()->visible);
    EXPECT_FALSE(panel->GetMenuButton()->visible);
    EXPECT_FALSE(Drawn(panel->GetBody()));
    EXPECT_FALSE(Drawn(panel->GetLevelMarks()[0]));
    EXPECT_FALSE(Drawn(panel->GetLifeIcons()[0]));

    // Back in from the hidden offset.
    panel->SetActive(true);
    EXPECT_TRUE(Drawn(panel->GetBody()));
    Frames(25, Update());
    EXPECT_FLOAT_EQ(panel->GetSlideOffset(), 0.0f);

    panel->Hide();
    EXPECT_FLOAT_EQ(panel->GetSlideOffset(), 2.0f * bodyTop);
    EXPECT_FALSE(panel->GetRoot()->visible);
    Frame(Update());
    EXPECT_EQ(panel->result, 0);
}

TEST_F(GUIGameLogicWindowTest, PauseAndMenuKeysWhileActive)
{
    AttachAndSettle();
    struct Case {
        std::vector<uint8_t> keys;
        bool active;
        int32_t result;
    };
    const Case cases[] = {{{}, true, 0},
                          {{Platform::DIK_SPACE}, true, 1},
                          {{Platform::DIK_P}, true, 1},
                          {{Platform::DIK_ESCAPE}, true, 2},
                          {{Platform::DIK_SPACE, Platform::DIK_ESCAPE}, true, 2},
                          {{Platform::DIK_P, Platform::DIK_ESCAPE}, true, 2},
                          {{Platform::DIK_SPACE}, false, 0},
                          {{Platform::DIK_ESCAPE}, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.size() * 10 + (c.active ? 1 : 0));
        panel->SetActive(c.active);
        Frames(30, Update());
        for (uint8_t key : c.keys)
            Platform::Test::InjectKey(key, true);
        Frame(Update());
        EXPECT_EQ(panel->result, c.result);
        for (uint8_t key : c.keys)
            Platform::Test::InjectKey(key, false);
        Frame(Update());
        EXPECT_EQ(panel->result, 0);
    }
    // The menu button asks for the menu.
    panel->SetActive(true);
    Frames(30, Update());
    int32_t clicked = 0;
    Click(panel->GetMenuButton(), Update());
    Frame([&] {
        panel->Update();
        clicked = panel->result;
    });
    EXPECT_EQ(clicked, 2);
}

TEST_F(GUIGameLogicWindowTest, MessagesLastTwoSecondsAndStopWhileInactive)
{
    AttachAndSettle();
    lifeLost = true;
    Frame(Update(), [&] {
        const std::vector<GUITextItem> texts = Texts(panel->GetRoot());
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, u"Time");
        EXPECT_EQ(texts[0].fontId, 9);
        EXPECT_FLOAT_EQ(texts[0].position.x, 400.0f - 4 * glyphWidth / 2.0f);
    });
    lifeLost = false;
    EXPECT_NEAR(panel->GetTimeOverTimer(), 2.0f - tick, 1e-5f);
    Frames(10, Update());
    EXPECT_NEAR(panel->GetTimeOverTimer(), 2.0f - 11 * tick, 1e-4f);
    panel->SetActive(false);
    Frames(5, Update());
    EXPECT_NEAR(panel->GetTimeOverTimer(), 2.0f - 11 * tick, 1e-4f);
    panel->SetActive(true);
    Frames(40, Update());
    EXPECT_LE(panel->GetTimeOverTimer(), 0.0f);
    Frame(Update(), [&] { EXPECT_TRUE(Texts(panel->GetRoot()).empty()); });

    noMoreMoves = true;
    Frame(Update());
    noMoreMoves = false;
    EXPECT_NEAR(panel->GetNoMovesTimer(), 2.0f - tick, 1e-5f);
}

TEST_F(GUIGameLogicWindowTest, StatisticsLinesWhenAsked)
{
    AttachAndSettle();
    Frame(Update(), [&] { EXPECT_TRUE(Texts(panel->GetRoot()).empty()); });
    engine->config->SetValueText("d_show_statistics", "1");
    Frame(Update(), [&] {
        const std::vector<GUITextItem> texts = Texts(panel->GetRoot());
        ASSERT_EQ(texts.size(), 3u);
        const float y[] = {579.0f, 564.0f, 548.0f};
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(texts[i].position.x, 8.0f);
            EXPECT_FLOAT_EQ(texts[i].position.y, y[i]);
            EXPECT_EQ(texts[i].fontId, 0);
        }
        EXPECT_EQ(texts[0].text.rfind(u"FPS: ", 0), 0u);
    });
}

TEST_F(GUIGameLogicWindowTest, ScorePopupsGrowAndFloatingTextsAreCentred)
{
    AttachAndSettle();
    auto group = std::make_unique<Petalwork::ScoreManager::Group>();
    group->active = true;
    group->points = {50};
    group->positions = {{100.0f, 200.0f}};
    group->age = 0.1f;
    group->alpha = 5.0f;
    popups->groups.push_back(std::move(group));
    Petalwork::ScoreManager::Text text;
    text.text = u"+1000";
    text.position = {300.0f, 400.0f};
    text.alpha = 0.5f;
    popups->floatingTexts.push_back(text);
    Frame(Update(), [&] {
        const std::vector<GUITextItem> texts = Texts(panel->GetRoot());
        ASSERT_EQ(texts.size(), 2u);
        // A tenth of a second old: half the font's height, centred on its point.
        EXPECT_EQ(texts[0].text, u"+50");
        EXPECT_EQ(texts[0].fontId, 8);
        EXPECT_FLOAT_EQ(texts[0].size, fontSize / 2.0f);
        EXPECT_FLOAT_EQ(texts[0].position.x, 100.0f - 3 * glyphAdvance * fontSize / 2.0f / 2.0f);
        EXPECT_FLOAT_EQ(texts[0].position.y, 200.0f - fontSize / 4.0f);
        EXPECT_FLOAT_EQ(texts[0].colour.a, 1.0f);
        EXPECT_EQ(texts[1].text, u"+1000");
        EXPECT_EQ(texts[1].fontId, 12);
        EXPECT_FLOAT_EQ(texts[1].colour.a, 0.5f);
        EXPECT_FLOAT_EQ(texts[1].position.x, 300.0f - 5 * glyphWidth / 2.0f);
        EXPECT_FLOAT_EQ(texts[1].position.y, 400.0f - fontSize / 2.0f);
    });
}

TEST_F(GUIGameLogicWindowTest, EffectsMarkTheGoalTheWonLevelAndTheLives)
{
    AttachAndSettle();
    for (const ParticleSystem* effect :
         {panel->GetGoalEffect(), panel->GetMarkEffect(), panel->GetLifeGainedEffect(), panel->GetLifeLostEffect()}) {
        ASSERT_NE(effect, nullptr);
        EXPECT_FALSE(Emitting(effect));
    }

    // The goal reached: the effect starts over the bar in the next update.
    progress->count = progress->goal;
    progress->done = true;
    Frame(Update());
    EXPECT_FALSE(Emitting(panel->GetGoalEffect()));
    Frame(Update());
    EXPECT_TRUE(Emitting(panel->GetGoalEffect()));
    ExpectAt(panel->GetGoalEffect(), panel->GetBar());

    // The tally closing: the level's own mark, the second.
    tallyClosed = true;
    Frame(Update());
    EXPECT_TRUE(Emitting(panel->GetMarkEffect()));
    ExpectAt(panel->GetMarkEffect(), panel->GetLevelMarks()[1]);

    // A life gained shows on the new last icon, a life lost on the last icon before it goes.
    level->lives = 3;
    lifeGained = true;
    Frame(Update());
    lifeGained = false;
    EXPECT_TRUE(Emitting(panel->GetLifeGainedEffect()));
    ExpectAt(panel->GetLifeGainedEffect(), panel->GetLifeIcons()[2]);
    const Vector3 lastIcon = panel->GetLifeIcons()[2]->boundingBox.centre;
    level->lives = 2;
    lifeLost = true;
    Frame(Update());
    lifeLost = false;
    EXPECT_TRUE(Emitting(panel->GetLifeLostEffect()));
    EXPECT_FLOAT_EQ(panel->GetLifeLostEffect()->position.x, lastIcon.x);

    // Going inactive stops them.
    panel->SetActive(false);
    EXPECT_FALSE(Emitting(panel->GetGoalEffect()));
    EXPECT_FALSE(Emitting(panel->GetLifeGainedEffect()));
    EXPECT_FALSE(Emitting(panel->GetLifeLostEffect()));
}

} // namespace
