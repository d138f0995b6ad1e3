// The stage screen over a headless engine with an eight-stage catalogue, a calendar of 30 day tiles laid
// out as a month, the real flower house (with nothing to plant, so its offer ends at once) and title
// logo: the days, crosses and circles against the profile's positions, the day choice up to the best
// stage, the pass-through that asks once to start the next level, input after Start, the typing of the
// story scroll, the stage change with its cross and circle, the game comics once after the seventh
// stage, the game-complete text, and the intro comics of a new profile.

#include "game/screens/GUIStartGameLogicWindow.h"

#include "DialogFixture.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/VertexBuffer.h"
#include "framework/LevelManager.h"
#include "framework/Profile.h"
#include "game/screens/GUIBackgroundWindow.h"
#include "game/screens/GUIComics.h"
#include "game/screens/GUIFlowerHouse.h"
#include "game/screens/GUIGameComics.h"

#include <cstring>
#include <string>

using namespace VantoranEngine;
using GameFramework::LevelPosition;
using Mode = GameFramework::GUIStartGameLogicWindowBase::Mode;
using Petalwork::GUIStartGameLogicWindow;
using DialogMode = GUIStartGameLogicWindow::DialogMode;
using ContinueMode = GUIStartGameLogicWindow::ContinueMode;

namespace {

constexpr int stageCount = 8;
constexpr float daySize = 40.0f;

// The centre of day i (from 0): a week per row from the top.
Vector2 DayCentre(int i)
{
    return {71.0f + 48.0f * static_cast<float>(i % 7), 418.0f - 56.0f * static_cast<float>(i / 7)};
}

class GUIStartGameLogicWindowTest : public DialogFixture {
protected:
    void PrepareMoreData() override
    {
        // Catalogue: eight stages of two levels.
        std::string stages = std::to_string(stageCount) + "\n";
        for (int s = 0; s < stageCount; ++s) {
            stages += "3 4 14.5 2 14 8 1 0.5 1 2 3.5 4 5 6.5 fl opt third ord sc\n";
            data.WriteFile("data/levels/stage" + std::to_string(s) + ".ini",
                           "2\n3000 2 240 150 1 3 b empty\n3000 2 240 150 1 3 b empty\n");
            data.WriteFile("data/gui/stage_screen/text/ru/text" + std::to_string(s) + ".ini",
                           "1 1 Intro_" + std::to_string(s) + "\n1 1 Outro_" + std::to_string(s) + "\n");
        }
        data.WriteFile("data/levels/stages_info.ini", stages);
        data.WriteFile("data/levels/fl.ini", "3 0 1 2");
        data.WriteFile("data/levels/opt.ini", "12 20 15  1 0 1 1  1 0 1");
        data.WriteFile("data/levels/third.ini", "0.25 1 2 3 4");
        data.WriteFile("data/levels/ord.ini", "7 13");
        data.WriteFile("data/levels/sc.ini", "0");
        data.WriteFile("data/gui/stage_screen/text/ru/new.ini", "2\n2 Hello_world ab\n1 Next\n");
        data.WriteFile("data/gui/stage_screen/text/ru/game_complete.ini", "2\n1 Done\n1 Bye\n");

        const std::string models = "gui/stage_screen/models/";
        // Every calendar piece: 11 frames at 100 per second (appear 0-5, leave 5-10).
        WriteModel(models + "calendar.mlf", QuadModel(11, 100.0f, 20.0f, 100.0f, 400.0f, 500.0f));
        WriteModel(models + "june.mlf", QuadModel(11, 100.0f, 100.0f, 460.0f, 300.0f, 500.0f));
        WriteModel(models + "button_right.mlf", QuadModel(11, 100.0f, 540.0f, 60.0f, 740.0f, 100.0f));
        WriteModel(models + "button_left.mlf", QuadModel(11, 100.0f, 60.0f, 60.0f, 260.0f, 100.0f));
        WriteModel(models + "dialog_window.mlf", QuadModel(11, 100.0f, 400.0f, 260.0f, 770.0f, 400.0f));
        for (int i = 0; i < 30; ++i) {
            const Vector2 c = DayCentre(i);
            WriteModel(models + std::to_string(i + 1) + ".mlf",
                       QuadModel(11, 100.0f, c.x - daySize / 2, c.y - daySize / 2, c.x + daySize / 2, c.y + daySize / 2));
        }
        WriteModel(models + "cross.mlf", QuadModel(11, 100.0f, -10.0f, -10.0f, 10.0f, 10.0f));
        WriteModel(models + "circle.mlf", QuadModel(31, 300.0f, -10.0f, -10.0f, 10.0f, 10.0f));
        WriteModel("gui/main_menu/models/helper_logo.mlf", QuadModel(11, 10.0f, 390.0f, 500.0f, 410.0f, 510.0f));
        WriteModel("gui/main_menu/models/game_logo.MLF", QuadModel(1, 0.0f, -100.0f, -50.0f, 100.0f, 50.0f));
        for (int n = 0; n < 4; ++n) {
            const int pages = n == 0 ? 3 : (n == 3 ? 5 : 4);
            for (int m = 0; m < pages; ++m)
                data.WriteFile("data/gui/comics/text/ru/comics_" + std::to_string(n) + "_pic_" + std::to_string(m) +
                                   ".ini",
                               "1\n10 20 1 Caption\n");
        }
    }

    void SetUp() override
    {
        DialogFixture::SetUp();
        Petalwork::GameData& d = *gameData;
        const std::string models = "gui\\stage_screen\\models\\";
        d.calendarModel = Prototype(models + "calendar.mlf");
        d.juneModel = Prototype(models + "june.mlf");
        d.buttonRightModel = Prototype(models + "button_right.mlf");
        d.buttonLeftModel = Prototype(models + "button_left.mlf");
        d.stageDialogModel = Prototype(models + "dialog_window.mlf");
        for (int i = 0; i < 30; ++i)
            d.dayNumberModels.push_back(Prototype(models + std::to_string(i + 1) + ".mlf"));
        d.crossModel = Prototype(models + "cross.mlf");
        d.circleModel = Prototype(models + "circle.mlf");
        d.helperLogoModel = Prototype("gui\\main_menu\\models\\helper_logo.mlf");
        d.gameLogoModel = Prototype("gui\\main_menu\\models\\game_logo.MLF");
        d.stageScreenFlowerParticles = engine->particleSystemManager->LoadParticleSystem(
            "particle systems\\stage_screen_flower_particle.psf", gui->GetCamera());
        d.settings = std::make_unique<Petalwork::GameSettings>();

        levels = std::make_unique<Petalwork::LevelManager>(engine->messageManager.get(), engine->fileManager.get(),
                                                           nullptr, "ru");
        profile = dynamic_cast<Petalwork::Profile*>(profiles->CreateProfile(u"Ann"));
        profile->introComicPending = false;
        profiles->SetCurrentProfile(profile);
        sounds = MakeSoundPlayer({50, 51});
        house = std::make_unique<Petalwork::GUIFlowerHouse>(profiles.get(), sounds.get(), engine.get(), gameData.get());
        logo = std::make_unique<Petalwork::GUIBackgroundWindow>(engine.get(), house.get(), gameData.get());
        house->Show();
        screen = std::make_unique<GUIStartGameLogicWindow>(engine.get(), *gameData, "ru", sounds.get(), levels.get(),
                                                           logo.get(), house->GetDialogLayer(), profiles.get(),
                                                           house.get());
        update = [this] {
            logo->Update();
            screen->Update();
            results.push_back(screen->result);
        };
    }

    void TearDown() override
    {
        screen.reset();
        logo.reset();
        house.reset();
        sounds.reset();
        delete gameData->stageScreenFlowerParticles; // a prototype: not listed
        levels.reset();
        DialogFixture::TearDown();
    }

    Model* Prototype(const std::string& name)
    {
        gameData->modelList.emplace_back(engine->modelManager->LoadDetachedModel(name, ModelFlag::vertexColours));
        Model* model = gameData->modelList.back().get();
        model->flags &= ~(ModelFlag::lit | ModelFlag::depthTest | ModelFlag::frontToBack);
        model->flags |= ModelFlag::backToFront | ModelFlag::manualDepth;
        return model;
    }

    void Place(LevelPosition current, LevelPosition best)
    {
        profile->currentPosition = current;
        profile->bestPosition = best;
        profile->Save();
    }

    // Shows the screen and lets its fade and the calendar's animations end.
    void ShowSettled(Mode mode)
    {
        screen->Show(mode);
        Frames(15, update);
        results.clear();
    }

    void ClickAt(const Vector2& at)
    {
        MoveTo(at.x, at.y);
        Frame(update);
        Platform::Test::InjectMouseButton(0, true);
        Frame(update);
        Platform::Test::InjectMouseButton(0, false);
        Frame(update);
    }

    // A key goes down in this frame and up in the next.
    void Key()
    {
        Platform::Test::InjectKey(Platform::DIK_SPACE, true);
        Frame(update);
        Platform::Test::InjectKey(Platform::DIK_SPACE, false);
        Frame(update);
    }

    static bool Drawn(const Model* model) { return (model->flags & ModelFlag::active) != 0; }

    static float Alpha(const Model* model)
    {
        uint32_t argb = 0;
        std::memcpy(&argb, model->vertexBuffer->vertices.data() + VertexBuffer::kColorOffset, sizeof(argb));
        return model->vertexBuffer->UnpackColor(argb).a;
    }

    LevelPosition Saved() const
    {
        const Petalwork::Profile saved(engine->messageManager.get(), engine->fileManager.get(), user.Path(),
                                       profile->GetFileName(), Petalwork::ProfileManager::stageCount);
        return saved.currentPosition;
    }

    int Count(int32_t value) const { return static_cast<int>(std::count(results.begin(), results.end(), value)); }

    std::unique_ptr<Petalwork::LevelManager> levels;
    Petalwork::Profile* profile = nullptr;
    std::unique_ptr<GameFramework::SoundPlayer> sounds;
    std::unique_ptr<Petalwork::GUIFlowerHouse> house;
    std::unique_ptr<Petalwork::GUIBackgroundWindow> logo;
    std::unique_ptr<GUIStartGameLogicWindow> screen;
    std::function<void()> update;
    std::vector<int32_t> results;
};

TEST_F(GUIStartGameLogicWindowTest, DaysCrossesAndCirclesFollowTheProfile)
{
    const struct {
        uint32_t current, best;
    } cases[] = {{0, 0}, {2, 3}, {5, 5}, {1, 7}};
    for (const auto& c : cases) {
        Place({c.current, 1}, {c.best, 0});
        ShowSettled(Mode::NewGame);
        ASSERT_TRUE(screen->IsShown());
        EXPECT_EQ(screen->GetCurrentDay(), static_cast<int32_t>(c.current));
        EXPECT_EQ(screen->GetDialogMode(), DialogMode::NewGame);
        for (size_t i = 0; i < 30; ++i) {
            SCOPED_TRACE("current " + std::to_string(c.current) + ", day " + std::to_string(i));
            EXPECT_EQ(Drawn(screen->GetCrossModels()[i]), i < c.current);
            EXPECT_EQ(Drawn(screen->GetCircleModels()[i]), i <= c.current);
            EXPECT_TRUE(Drawn(screen->GetDayModels()[i]));
            EXPECT_NEAR(Alpha(screen->GetDayModels()[i]), i <= c.best ? 1.0f : 0.5f, 0.01f);
        }
        // Marks sit on their day.
        const Model* circle = screen->GetCircleModels()[c.current];
        EXPECT_NEAR(circle->worldMatrix[3], DayCentre(static_cast<int>(c.current)).x, 0.01f);
        EXPECT_NEAR(circle->worldMatrix[7], DayCentre(static_cast<int>(c.current)).y, 0.01f);
        EXPECT_TRUE(screen->GetStartButton()->visible);
        screen->Hide();
        Frames(15, update);
        EXPECT_FALSE(Drawn(screen->GetCalendarModel())) << "the calendar folds away after Hide";
    }
}

TEST_F(GUIStartGameLogicWindowTest, ADayUpToTheBestStageMovesTheProfileThere)
{
    const struct {
        int day;
        uint32_t stage; // of the position afterwards
    } cases[] = {{0, 0}, {3, 3}, {2, 2}, {4, 2}, {7, 2}, {1, 1}};
    Place({1, 1}, {3, 0});
    ShowSettled(Mode::NewGame);
    for (const auto& c : cases) {
        ClickAt(DayCentre(c.day));
        EXPECT_EQ(profile->currentPosition.stage, c.stage) << "day " << c.day;
        EXPECT_EQ(profile->currentPosition.level, 0u);
        EXPECT_EQ(Saved().stage, c.stage);
        EXPECT_EQ(screen->GetCurrentDay(), static_cast<int32_t>(c.stage));
        EXPECT_TRUE(Drawn(screen->GetCircleModels()[c.stage]));
    }
    EXPECT_TRUE(Played(*sounds, GUIStartGameLogicWindow::circleSound));
}

TEST_F(GUIStartGameLogicWindowTest, NoDayOrButtonCountsAfterStart)
{
    Place({1, 0}, {4, 0});
    ShowSettled(Mode::NewGame);
    Frame([this] {
        logo->Update();
        screen->GetStartButton()->clicked = true;
        screen->Update();
    });
    ASSERT_EQ(screen->result, GUIStartGameLogicWindow::resultStart);
    screen->Hide(); // as the screen flow does on the start
    ClickAt(DayCentre(3));
    EXPECT_EQ(profile->currentPosition.stage, 1u);
    EXPECT_EQ(Saved().stage, 1u);
    Frame([this] {
        logo->Update();
        screen->GetBackButton()->clicked = true;
        screen->Update();
    });
    EXPECT_EQ(screen->result, 0);
}

TEST_F(GUIStartGameLogicWindowTest, APassThroughAsksToStartOnceAndShowsNothing)
{
    const struct {
        Mode mode;
        ContinueMode continueMode;
        int starts;
    } cases[] = {
        {Mode::NextLevel, ContinueMode::None, 1},
        {Mode::Continue, ContinueMode::Continued, 1},
        {Mode::Continue, ContinueMode::Discarded, 0},
        {Mode::NewGame, ContinueMode::None, 0},
    };
    Place({2, 1}, {2, 1});
    for (const auto& c : cases) {
        screen->continueMode = c.continueMode;
        results.clear();
        screen->Show(c.mode);
        Frames(30, update);
        EXPECT_EQ(Count(GUIStartGameLogicWindow::resultStart), c.starts);
        if (c.starts == 1) {
            EXPECT_EQ(results.front(), GUIStartGameLogicWindow::resultStart) << "raised in the first update";
            EXPECT_FALSE(screen->IsFrameVisible());
            EXPECT_EQ(screen->mode, c.mode); // read together with the result
        } else {
            EXPECT_TRUE(screen->IsShown());
        }
        screen->Hide();
        EXPECT_EQ(screen->continueMode, ContinueMode::None);
        Frames(15, update);
        EXPECT_FALSE(screen->IsFrameVisible());
    }
    // A discarded saved game starts with the new-game text and lets a day be chosen.
    screen->continueMode = ContinueMode::Discarded;
    ShowSettled(Mode::Continue);
    EXPECT_EQ(screen->GetDialogMode(), DialogMode::NewGame);
    ClickAt(DayCentre(0));
    EXPECT_EQ(profile->currentPosition.stage, 0u);
}

TEST_F(GUIStartGameLogicWindowTest, TheStoryScrollTypesFiftyCharactersASecond)
{
    Place({0, 0}, {0, 0});
    screen->Show(Mode::NewGame);
    // "Hello world" at 2.5 characters per frame.
    const char16_t* typed[] = {u"He", u"Hello", u"Hello w", u"Hello worl"};
    for (const char16_t* expected : typed) {
        Frame(update);
        EXPECT_EQ(screen->GetTypedText(), expected);
        EXPECT_EQ(screen->GetLinesShown(), 0u);
    }
    Frame(update);
    EXPECT_EQ(screen->GetLinesShown(), 1u); // the whole line
    Frame(update);
    EXPECT_EQ(screen->GetTypedText(), u"ab");
    EXPECT_EQ(screen->GetLinesShown(), 2u);
    Frame(update);
    EXPECT_EQ(screen->GetPage(), 0u);
    // The lines are drawn at the scroll's centre + (-168, 17 / -3), font 14.
    Frame(update, [this] {
        const auto texts = Texts(screen->GetFrame());
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, u"Hello world");
        EXPECT_NEAR(texts[0].position.x, 585.0f - 168.0f, 0.01f);
        EXPECT_NEAR(texts[0].position.y, 330.0f + 17.0f, 0.01f);
        EXPECT_NEAR(texts[1].position.y, 330.0f - 3.0f, 0.01f);
        EXPECT_EQ(texts[1].fontId, 14);
    });
    // A key turns the page; a key in the middle of the typing shows the page whole.
    Key();
    EXPECT_EQ(screen->GetPage(), 1u);
    EXPECT_LT(screen->GetLinesShown(), 1u);
    Key();
    EXPECT_EQ(screen->GetLinesShown(), 1u);
    EXPECT_EQ(screen->GetPage(), 1u);
    Key(); // the last page stays
    EXPECT_EQ(screen->GetPage(), 1u);
    EXPECT_EQ(Count(GUIStartGameLogicWindow::resultBack), 0);
}

TEST_F(GUIStartGameLogicWindowTest, BackAndStartInOneFrameStartAndStillResetTheLogo)
{
    Place({0, 0}, {0, 0});
    ShowSettled(Mode::NewGame);
    EXPECT_TRUE(logo->fadingOut);
    Frame([this] {
        logo->Update();
        screen->GetStartButton()->clicked = true;
        screen->GetBackButton()->clicked = true;
        screen->Update();
    });
    EXPECT_EQ(screen->result, GUIStartGameLogicWindow::resultStart);
    EXPECT_FALSE(logo->fadingOut);
    EXPECT_TRUE(logo->IsLogoShown());
    ClickAt(DayCentre(0)); // nothing else happens; the start button alone
    Click(screen->GetStartButton(), update);
    Frame(update);
    EXPECT_EQ(Count(GUIStartGameLogicWindow::resultStart), 1);
}

TEST_F(GUIStartGameLogicWindowTest, AStageChangeCrossesTheOldDayThenCirclesTheNew)
{
    const struct {
        LevelPosition won, next;
        bool cross;
    } cases[] = {{{1, 1}, {2, 0}, true}, {{0, 0}, {0, 1}, false}};
    for (const auto& c : cases) {
        sounds = MakeSoundPlayer({50, 51});
        screen = std::make_unique<GUIStartGameLogicWindow>(engine.get(), *gameData, "ru", sounds.get(), levels.get(),
                                                           logo.get(), house->GetDialogLayer(), profiles.get(),
                                                           house.get());
        Place(c.won, c.won);
        screen->nextPosition = c.next;
        screen->advancePending = true;
        screen->Show(Mode::StageComplete);
        Frame(update);
        EXPECT_FALSE(logo->IsLogoShown());
        EXPECT_EQ(screen->GetDialogMode(), DialogMode::StageOutro);
        EXPECT_FALSE(Drawn(screen->GetCalendarModel()));
        EXPECT_TRUE(Drawn(screen->GetDialogModel()));
        EXPECT_TRUE(IsSamePosition(profile->currentPosition, c.won)) << "nothing moves before the flower house";
        // The outro's one page is typed out; then the flower house offers (nothing here) and the stage changes.
        Frames(20, update);
        EXPECT_FALSE(screen->advancePending);
        EXPECT_TRUE(IsSamePosition(profile->currentPosition, c.next));
        EXPECT_TRUE(IsSamePosition(profile->bestPosition, c.next));
        EXPECT_TRUE(IsSamePosition(Saved(), c.next));
        EXPECT_EQ(screen->GetDialogMode(), DialogMode::StageIntro);
        EXPECT_TRUE(Drawn(screen->GetCalendarModel()));
        Frames(30, update);
        const size_t day = c.next.stage;
        EXPECT_EQ(Played(*sounds, GUIStartGameLogicWindow::crossSound), c.cross);
        EXPECT_TRUE(Played(*sounds, GUIStartGameLogicWindow::circleSound));
        if (c.cross) {
            EXPECT_TRUE(Drawn(screen->GetCrossModels()[day - 1]));
        }
        EXPECT_TRUE(Drawn(screen->GetCircleModels()[day]));
        EXPECT_FALSE(screen->IsCrossPending());
        EXPECT_FALSE(screen->IsCirclePending());
        screen->Hide();
        Frames(15, update);
    }
}

TEST_F(GUIStartGameLogicWindowTest, TheGameComicsPlaysOnceAfterTheSeventhStage)
{
    const struct {
        LevelPosition won, next;
    } cases[] = {
        {{6, 1}, {7, 0}},
        {{6, 1}, {6, 1}}, // the seventh stage as the game's last: the position does not move on
    };
    for (const auto& c : cases) {
        Place(c.won, c.won);
        screen->nextPosition = c.next;
        screen->advancePending = true;
        ShowSettled(Mode::StageComplete);
        int starts = 0;
        bool wasActive = false;
        for (int i = 0; i < 600 && screen->advancePending; ++i) {
            if (screen->GetGameComics().IsActive() && !wasActive)
                ++starts;
            wasActive = screen->GetGameComics().IsActive();
            if (i % 4 == 0 && wasActive)
                Platform::Test::InjectMouseButton(0, true);
            Frame(update);
            Platform::Test::InjectMouseButton(0, false);
        }
        EXPECT_EQ(starts, 1);
        EXPECT_FALSE(screen->advancePending);
        EXPECT_FALSE(screen->GetGameComics().IsActive());
        EXPECT_TRUE(IsSamePosition(profile->currentPosition, c.next));
        EXPECT_TRUE(IsSamePosition(profile->bestPosition, c.next));
        // Only the catalogue's final level completes the game, not the position the comics left behind.
        EXPECT_FALSE(profile->gameCompleted);
        Frames(40, update);
        EXPECT_FALSE(screen->GetGameComics().IsActive());
        screen->Hide();
        Frames(15, update);
    }
}

TEST_F(GUIStartGameLogicWindowTest, TheGameCompleteTextEndsWithTheFinalMessage)
{
    const LevelPosition final{stageCount - 1, 1};
    Place(final, final);
    screen->nextPosition = final;
    screen->advancePending = true;
    screen->gameComplete = true;
    ShowSettled(Mode::StageComplete);
    Frames(20, update);
    ASSERT_EQ(screen->GetDialogMode(), DialogMode::GameComplete);
    Frames(20, update);
    const Model* lastCross = screen->GetCrossModels()[stageCount - 1];
    EXPECT_TRUE(Drawn(lastCross));
    // The day before keeps its cross at rest: it is not drawn a second time.
    const Model* previousCross = screen->GetCrossModels()[stageCount - 2];
    EXPECT_TRUE(Drawn(previousCross));
    EXPECT_EQ(previousCross->animationControl->currentId, 1);
    EXPECT_TRUE(IsSamePosition(profile->bestPosition, final));
    EXPECT_TRUE(profile->gameCompleted);
    // "Done" is typed out; a key turns to "Bye"; a key on the last page raises the final message.
    EXPECT_EQ(screen->GetPage(), 0u);
    Key();
    EXPECT_EQ(screen->GetPage(), 1u);
    Frames(5, update);
    EXPECT_FALSE(screen->IsGameCompleteShown());
    Key();
    EXPECT_TRUE(screen->IsGameCompleteShown());
    EXPECT_EQ(Count(GUIStartGameLogicWindow::resultBack), 0) << "the key that raised the message does not leave";
    EXPECT_TRUE(IsSamePosition(profile->currentPosition, LevelPosition{}));
    EXPECT_TRUE(IsSamePosition(Saved(), LevelPosition{}));
    Key();
    EXPECT_EQ(Count(GUIStartGameLogicWindow::resultBack), 1);
}

TEST_F(GUIStartGameLogicWindowTest, ANewProfileSeesTheIntroComicsThenTheStageIntro)
{
    profile->introComicPending = true;
    Place({0, 0}, {0, 0});
    screen->Show(Mode::NewGame);
    ASSERT_NE(screen->GetComicsViewer(), nullptr);
    EXPECT_FALSE(profile->introComicPending);
    EXPECT_FALSE(screen->IsFrameVisible());
    for (int i = 0; i < 400 && screen->GetComicsViewer() != nullptr; ++i) {
        if (i % 2 == 0)
            Platform::Test::InjectMouseButton(0, true);
        Frame(update);
        Platform::Test::InjectMouseButton(0, false);
    }
    ASSERT_EQ(screen->GetComicsViewer(), nullptr);
    EXPECT_EQ(screen->mode, Mode::NewGame);
    EXPECT_EQ(screen->GetDialogMode(), DialogMode::StageIntro);
    EXPECT_TRUE(screen->IsShown());
    EXPECT_FALSE(logo->fadingOut && logo->alpha > 1.0f);
    const Petalwork::Profile saved(engine->messageManager.get(), engine->fileManager.get(), user.Path(),
                                   profile->GetFileName(), Petalwork::ProfileManager::stageCount);
    EXPECT_FALSE(saved.introComicPending);
}

TEST_F(GUIStartGameLogicWindowTest, TextFilesOfTheScreenAreCheckedAtStart)
{
    data.WriteFile("data/t/long.ini", "1\n4 a b c d\n");
    data.WriteFile("data/t/ok.ini", "2\n3 a_b c d\n0\n");
    EXPECT_THROW(GUIStartGameLogicWindow::ReadPages(*engine, "data\\t\\long.ini"), FatalError);
    EXPECT_THROW(GUIStartGameLogicWindow::ReadPages(*engine, "data\\t\\missing.ini"), FatalError);
    const auto pages = GUIStartGameLogicWindow::ReadPages(*engine, "data\\t\\ok.ini");
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], (GameFramework::TextPage{u"a b", u"c", u"d"}));
    EXPECT_TRUE(pages[1].empty());
}

} // namespace
