// The screen flow of the game object, headless: every window is a test double that records its Show
// arguments and Hide calls, the level is a bare running level, and the catalogue is the default data's.
// Rows of the transition tables are checked as tables of cases.

#include "framework/GameBase.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/devices/Controls.h"
#include "framework/DataKeeper.h"
#include "framework/GUIContinueGameLogicWindowBase.h"
#include "framework/GUIDeleteProfileWindowBase.h"
#include "framework/GUIExitWindowBase.h"
#include "framework/GUIGameCompleteWindowBase.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUIGameLogicExitWindowBase.h"
#include "framework/GUIGameLogicMenuWindowBase.h"
#include "framework/GUIGameLogicPauseWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUIGameOverWindowBase.h"
#include "framework/GUIHighScoresWindowBase.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUINewProfileWindowBase.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/GUIProfileNameConflictWindowBase.h"
#include "framework/GUIProfilesWindowBase.h"
#include "framework/GUIRenameProfileWindowBase.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LevelManager.h"
#include "framework/ProfileManager.h"
#include "framework/SoundPlayer.h"
#include "platform/os/CodePage.h"

#include "EngineTestSupport.h"
#include "TempFolder.h"
#include "WindowDouble.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace GameFramework;
using WindowDoubles::Events;
using WindowDoubles::WindowDouble;

namespace {

using LogosDouble = WindowDouble<GUILogosWindowBase>;
using LoadingDouble = WindowDouble<GUILoadingWindowBase, DataKeeper*>;
using WelcomeDouble = WindowDouble<GUIWelcomeWindowBase>;
using ExitDouble = WindowDouble<GUIExitWindowBase, int32_t>;
using MainMenuDouble = WindowDouble<GUIMainMenuWindowBase>;
using ProfilesDouble = WindowDouble<GUIProfilesWindowBase>;
using NewProfileDouble = WindowDouble<GUINewProfileWindowBase, GUINewProfileWindowBase::Mode>;
using RenameDouble = WindowDouble<GUIRenameProfileWindowBase, bool, const std::u16string&>;
using DeleteDouble = WindowDouble<GUIDeleteProfileWindowBase, const std::u16string&>;
using ConflictDouble = WindowDouble<GUIProfileNameConflictWindowBase, GUIProfileNameConflictWindowBase::Mode>;
using StageDouble = WindowDouble<GUIStartGameLogicWindowBase, GUIStartGameLogicWindowBase::Mode>;
using ContinueDouble = WindowDouble<GUIContinueGameLogicWindowBase>;
using HighScoresDouble = WindowDouble<GUIHighScoresWindowBase, GUIHighScoresWindowBase::Mode, const HighScoreEntry*>;
using OptionsDouble = WindowDouble<GUIOptionsWindowBase>;
using PanelDouble = WindowDouble<GUIGameLogicWindowBase, GameLogicBase*>;
using PauseDouble = WindowDouble<GUIGameLogicPauseWindowBase>;
using MenuDouble = WindowDouble<GUIGameLogicMenuWindowBase>;
using LeaveDouble = WindowDouble<GUIGameLogicExitWindowBase>;
using LevelCompleteDouble = WindowDouble<GUILevelCompleteWindowBase>;
using StageCompleteDouble = WindowDouble<GUIStageCompleteWindowBase>;
using GameCompleteDouble = WindowDouble<GUIGameCompleteWindowBase>;
using GameOverDouble = WindowDouble<GUIGameOverWindowBase>;

// A bundle that loads nothing; it names the level it was made for.
class LevelDataDouble : public DataKeeper {
public:
    LevelDataDouble(VantoranEngine::Engine& engine, LevelPosition position) : DataKeeper(engine), position(position) {}
    void LoadResources() override {}
    LevelPosition position;
};

// A running level without a board: its state, lives and score are set by the tests.
class LevelDouble : public GameLogicBase {
public:
    LevelDouble(VantoranEngine::Engine& engine, const StageInfo& stage, const LevelInfo& level, int32_t lives,
                int* alive)
        : GameLogicBase(engine, nullptr, &stage, &level, lives),
          alive(alive)
    {
        ++*alive;
    }
    ~LevelDouble() override { --*alive; }
    int* alive;
};

// The game object with the flow's services only: a headless engine over the default data's catalogue,
// the sound player, profiles, high scores and a double for every window.
class FlowGame : public GameBase {
public:
    explicit FlowGame(const TempFolder& folder)
        : GameBase(UseFolder(folder), "Quorvane")
    {
        Platform::Test::SetHeadlessWindows(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::Recording);
        VantoranEngine::EngineDescriptor d = TestEngineDescriptor(BRINDLE_GAME_FOLDER, folder.Path());
        d.logEnabled = false;
        engine = std::make_unique<VantoranEngine::Engine>(d);
        soundPlayer = std::make_unique<SoundPlayer>(*engine, 1.0f, 1.0f);
        levels = std::make_unique<Petalwork::LevelManager>(*engine, "ru");
        profiles = std::make_unique<Petalwork::ProfileManager>(*engine, nullptr, folder.Path(), levels.get());
        highScores = std::make_unique<HighScoresTable>(*engine, folder.Path());
        gameData = std::make_unique<LevelDataDouble>(*engine, LevelPosition{});
        cursor = std::make_unique<GUIGameCursorBase>(engine.get());
        logosWindow = std::make_unique<LogosDouble>(&events, "logos", engine.get());
        loadingWindow = std::make_unique<LoadingDouble>(&events, "loading", engine.get());
    }
    ~FlowGame() override { level.reset(); }

    // The user data go under the test's folder; gives the title.
    static std::string UseFolder(const TempFolder& folder)
    {
        ::setenv("XDG_DATA_HOME", folder.Path().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder.Path() + "/config").c_str(), 1);
        return "Brindlemoor";
    } // the level double counts itself in this object

    void CreateWindows() override
    {
        events.push_back("game windows");
        GameBase::CreateWindows();
    }

    std::unique_ptr<LevelManagerBase> CreateLevelManager() override { return nullptr; }
    std::unique_ptr<ProfileManagerBase> CreateProfileManager() override { return nullptr; }
    std::unique_ptr<DataKeeper> CreateGameData() override { return nullptr; }
    std::unique_ptr<GUILoadingWindowBase> CreateLoadingWindow() override { return nullptr; }
    std::unique_ptr<GUIGameCursorBase> CreateGameCursor() override { return nullptr; }
    std::unique_ptr<GUILogosWindowBase> CreateLogosWindow() override { return nullptr; }
    std::unique_ptr<GUILoadingWindowBase> CreateGameLogicLoadingWindow() override
    {
        return std::make_unique<LoadingDouble>(&events, "level loading", engine.get());
    }
    std::unique_ptr<GUIWelcomeWindowBase> CreateWelcomeWindow() override
    {
        return std::make_unique<WelcomeDouble>(&events, "welcome", engine.get(), profiles.get());
    }
    std::unique_ptr<GUIExitWindowBase> CreateExitWindow() override
    {
        return std::make_unique<ExitDouble>(&events, "exit", engine.get());
    }
    std::unique_ptr<GUIMainMenuWindowBase> CreateMainMenuWindow() override
    {
        return std::make_unique<MainMenuDouble>(&events, "main menu", engine.get());
    }
    std::unique_ptr<GUIProfilesWindowBase> CreateProfilesWindow() override
    {
        return std::make_unique<ProfilesDouble>(&events, "profiles", engine.get(), profiles.get());
    }
    std::unique_ptr<GUINewProfileWindowBase> CreateNewProfileWindow() override
    {
        return std::make_unique<NewProfileDouble>(&events, "new profile", engine.get(), profiles.get());
    }
    std::unique_ptr<GUIRenameProfileWindowBase> CreateRenameProfileWindow() override
    {
        return std::make_unique<RenameDouble>(&events, "rename", engine.get(), profiles.get());
    }
    std::unique_ptr<GUIDeleteProfileWindowBase> CreateDeleteProfileWindow() override
    {
        return std::make_unique<DeleteDouble>(&events, "delete", engine.get(), profiles.get());
    }
    std::unique_ptr<GUIProfileNameConflictWindowBase> CreateProfileNameConflictWindow() override
    {
        return std::make_unique<ConflictDouble>(&events, "conflict", engine.get());
    }
    std::unique_ptr<GUIStartGameLogicWindowBase> CreateStartGameLogicWindow() override
    {
        return std::make_unique<StageDouble>(&events, "stage screen", engine.get());
    }
    std::unique_ptr<GUIContinueGameLogicWindowBase> CreateContinueGameLogicWindow() override
    {
        return std::make_unique<ContinueDouble>(&events, "continue", engine.get());
    }
    std::unique_ptr<GUIHighScoresWindowBase> CreateHighScoresWindow() override
    {
        return std::make_unique<HighScoresDouble>(&events, "high scores", engine.get(), highScores.get());
    }
    std::unique_ptr<GUIOptionsWindowBase> CreateOptionsWindow() override
    {
        return std::make_unique<OptionsDouble>(&events, "options", engine.get(), soundPlayer.get(), profiles.get());
    }
    std::unique_ptr<GUIGameLogicWindowBase> CreateGameLogicWindow() override
    {
        return std::make_unique<PanelDouble>(&events, "panel", engine.get(), profiles.get());
    }
    std::unique_ptr<GUIGameLogicPauseWindowBase> CreateGameLogicPauseWindow() override
    {
        return std::make_unique<PauseDouble>(&events, "pause", engine.get());
    }
    std::unique_ptr<GUIGameLogicMenuWindowBase> CreateGameLogicMenuWindow() override
    {
        return std::make_unique<MenuDouble>(&events, "menu", engine.get(), soundPlayer.get(), profiles.get());
    }
    std::unique_ptr<GUIGameLogicExitWindowBase> CreateGameLogicExitWindow() override
    {
        return std::make_unique<LeaveDouble>(&events, "leave", engine.get());
    }
    std::unique_ptr<GUILevelCompleteWindowBase> CreateLevelCompleteWindow() override
    {
        return std::make_unique<LevelCompleteDouble>(&events, "level complete", engine.get());
    }
    std::unique_ptr<GUIStageCompleteWindowBase> CreateStageCompleteWindow() override
    {
        return std::make_unique<StageCompleteDouble>(&events, "stage complete", engine.get());
    }
    std::unique_ptr<GUIGameCompleteWindowBase> CreateGameCompleteWindow() override
    {
        return std::make_unique<GameCompleteDouble>(&events, "game complete", engine.get());
    }
    std::unique_ptr<GUIGameOverWindowBase> CreateGameOverWindow() override
    {
        return std::make_unique<GameOverDouble>(&events, "game over", engine.get());
    }
    std::unique_ptr<DataKeeper> CreateGameLogicData(const StageInfo&, const LevelInfo& level) override
    {
        events.push_back("level data " + Position({level.stageIndex, level.levelIndex}));
        return std::make_unique<LevelDataDouble>(*engine, LevelPosition{level.stageIndex, level.levelIndex});
    }
    std::unique_ptr<GameLogicBase> CreateGameLogic(const StageInfo& stage, const LevelInfo& level,
                                                   int32_t lives) override
    {
        events.push_back("level " + Position({level.stageIndex, level.levelIndex}) + " lives " +
                         std::to_string(lives));
        return std::make_unique<LevelDouble>(*engine, stage, level, lives, &levelsAlive);
    }

    static std::string Position(const LevelPosition& p)
    {
        return std::to_string(p.stage) + "-" + std::to_string(p.level);
    }

    // Steps 9 of the tick: the three transition passes.
    void Passes()
    {
        for (int pass = 0; pass < 3; ++pass) {
            ProcessTransitions();
            ClearResults();
        }
    }

    Events events;
    int levelsAlive = 0;
};

class ScreenFlow : public ::testing::Test {
protected:
    ScreenFlow()
    {
        Platform::SetCodePage(Platform::CodePage::Windows1251);
        Platform::Test::SetForceFocus(true);
        game = std::make_unique<FlowGame>(folder);
    }
    ~ScreenFlow() override
    {
        game.reset();
        Platform::Test::ResetInput();
        Platform::Test::SetForceFocus(false);
        Platform::SetCodePage(Platform::CodePage::C);
    }

    // The windows after the start-up loading screen, with a first profile.
    void StartUp(bool withProfile = true)
    {
        if (withProfile)
            profiles().SetCurrentProfile(profiles().CreateProfile(u"Anna"));
        game->loadingWindow->Show(game->gameData.get());
        Choose(*game->loadingWindow, 1);
        game->Passes();
        game->events.clear();
    }

    template <typename Window>
    void Choose(Window& window, int32_t code)
    {
        window.Update();
        window.result = code;
    }

    // Shows the named window as the flow would, then lets it choose `code`, and runs the three passes.
    void ShowAndChoose(const std::string& name, int32_t code)
    {
        FlowGame& g = *game;
        auto pick = [&](auto& window, auto&&... args) {
            window->Show(args...);
            g.events.clear();
            Choose(*window, code);
        };
        if (name == "welcome") pick(g.welcomeWindow);
        else if (name == "exit") pick(g.exitWindow, 2);
        else if (name == "main menu") pick(g.mainMenuWindow);
        else if (name == "profiles") {
            g.profilesWindow->selectedProfileName = u"Bob";
            pick(g.profilesWindow);
        }
        else if (name == "new profile") pick(g.newProfileWindow, GUINewProfileWindowBase::Mode::Fresh);
        else if (name == "rename") pick(g.renameProfileWindow, true, std::u16string(u"Anna"));
        else if (name == "delete") pick(g.deleteProfileWindow, std::u16string(u"Anna"));
        else if (name == "conflict") pick(g.profileNameConflictWindow, GUIProfileNameConflictWindowBase::Mode::NewName);
        else if (name == "high scores") pick(g.highScoresWindow, GUIHighScoresWindowBase::Mode::MainMenu, nullptr);
        else if (name == "options") pick(g.optionsWindow);
        else if (name == "stage screen") pick(g.startGameLogicWindow, GUIStartGameLogicWindowBase::Mode::NewGame);
        else if (name == "continue") pick(g.continueGameLogicWindow);
        else if (name == "level loading") pick(g.gameLogicLoadingWindow, g.levelData.get());
        else if (name == "panel") pick(g.gameLogicWindow, g.level.get());
        else if (name == "pause") pick(g.pauseWindow);
        else if (name == "menu") pick(g.gameLogicMenuWindow);
        else if (name == "leave") pick(g.gameLogicExitWindow);
        else if (name == "level complete") pick(g.levelCompleteWindow);
        else if (name == "stage complete") pick(g.stageCompleteWindow);
        else if (name == "game complete") pick(g.gameCompleteWindow);
        else if (name == "game over") pick(g.gameOverWindow);
        else FAIL() << "no window " << name;
        g.Passes();
    }

    // Takes every window off the screen between rows.
    void HideAll()
    {
        FlowGame& g = *game;
        auto hide = [](auto& window) {
            if (window != nullptr && window->shown)
                window->Hide();
        };
        hide(g.welcomeWindow); hide(g.exitWindow); hide(g.mainMenuWindow); hide(g.profilesWindow);
        hide(g.newProfileWindow); hide(g.renameProfileWindow); hide(g.deleteProfileWindow);
        hide(g.profileNameConflictWindow); hide(g.startGameLogicWindow); hide(g.continueGameLogicWindow);
        hide(g.highScoresWindow); hide(g.optionsWindow); hide(g.gameLogicLoadingWindow); hide(g.gameLogicWindow);
        hide(g.pauseWindow); hide(g.gameLogicMenuWindow); hide(g.gameLogicExitWindow);
        hide(g.levelCompleteWindow); hide(g.stageCompleteWindow); hide(g.gameCompleteWindow);
        hide(g.gameOverWindow);
        g.events.clear();
    }

    ProfileManagerBase& profiles() { return *game->profiles; }
    ProfileBase& profile() { return *profiles().GetCurrentProfile(); }

    TempFolder folder;
    std::unique_ptr<FlowGame> game;
};

TEST_F(ScreenFlow, StartUpLoadingCreatesTheGamesWindowsAndOpensTheWelcomeOnAFirstRun)
{
    game->logosWindow->Show();
    Choose(*game->logosWindow, 1);
    game->Passes();
    EXPECT_EQ(game->events, (Events{"show logos", "hide logos", "show loading(entry)"}));

    game->events.clear();
    Choose(*game->loadingWindow, 1);
    game->Passes();
    EXPECT_EQ(game->events, (Events{"hide loading", "game windows", "show welcome"}));
    ASSERT_NE(game->gameOverWindow, nullptr);
    EXPECT_TRUE(game->engine->controls->cursorVisible);
}

TEST_F(ScreenFlow, StartUpLoadingOpensTheMainMenuWhenAProfileExists)
{
    StartUp(false);
    profiles().SetCurrentProfile(profiles().CreateProfile(u"Anna"));
    game->gameLogicLoadingWindow.reset();
    game->loadingWindow->Show(game->gameData.get());
    game->events.clear();
    Choose(*game->loadingWindow, 1);
    game->Passes();
    EXPECT_EQ(game->events, (Events{"hide loading", "game windows", "show main menu"}));
}

struct Row {
    const char* window;
    int32_t result;
    Events expected;
};

TEST_F(ScreenFlow, FrontEndTable)
{
    StartUp();
    const Row rows[] = {
        {"welcome", 1, {"hide welcome", "show main menu"}},
        {"welcome", 2, {"hide welcome", "show exit(1)"}},
        {"exit", 1, {"hide exit", "show welcome"}},
        {"exit", 2, {"hide exit", "show main menu"}},
        {"exit", 3, {"hide exit", "show new profile(0)"}},
        {"exit", 4, {}},
        {"main menu", 1, {"hide main menu", "show profiles"}},
        {"main menu", 3, {"hide main menu", "show high scores(1, none)"}},
        {"main menu", 4, {"hide main menu", "show options"}},
        {"main menu", 5, {"hide main menu", "show exit(2)"}},
        {"main menu", 6, {}},
        {"profiles", 1, {"hide profiles", "show new profile(1)"}},
        {"profiles", 2, {"hide profiles", "show rename(1, \"Bob\")"}},
        {"profiles", 3, {"hide profiles", "show delete(\"Bob\")"}},
        {"profiles", 4, {"hide profiles", "show main menu"}},
        {"new profile", 1, {"hide new profile", "show conflict(1)"}},
        {"new profile", 2, {"hide new profile", "show profiles"}},
        {"new profile", 3, {"hide new profile", "show exit(3)"}},
        {"rename", 1, {"hide rename", "show conflict(2)"}},
        {"rename", 2, {"hide rename", "show profiles"}},
        {"delete", 1, {"hide delete", "show profiles"}},
        {"delete", 2, {"hide delete", "show new profile(1)"}},
        {"conflict", 1, {"hide conflict", "show new profile(0)"}},
        {"conflict", 2, {"hide conflict", "show rename(0, \"\")"}},
        {"high scores", 1, {"hide high scores", "show main menu"}},
        {"options", 1, {"hide options", "show main menu"}},
        {"main menu", 9, {}}, // a result the window's table does not know
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.window) + " " + std::to_string(row.result));
        ShowAndChoose(row.window, row.result);
        EXPECT_EQ(game->events, row.expected);
        HideAll();
    }
}

TEST_F(ScreenFlow, AResultIsActedOnInTheFirstPassOnlyAndOnlyWhileItsWindowIsShown)
{
    StartUp();
    game->welcomeWindow->Show();
    Choose(*game->welcomeWindow, 1);
    game->events.clear();
    game->ProcessTransitions();
    EXPECT_EQ(game->events, (Events{"hide welcome", "show main menu"}));
    game->ClearResults();
    EXPECT_EQ(game->welcomeWindow->result, 0);
    game->ProcessTransitions();
    game->ClearResults();
    game->ProcessTransitions();
    EXPECT_EQ(game->events.size(), 2u);

    // A click that lands while the window fades out after its Hide never opens a second screen.
    game->events.clear();
    Choose(*game->welcomeWindow, 2);
    game->Passes();
    EXPECT_TRUE(game->events.empty());
}

TEST_F(ScreenFlow, ExitResultFourEndsTheProgramWithTheWindowStillUp)
{
    StartUp();
    ShowAndChoose("exit", 4);
    EXPECT_TRUE(game->events.empty());
    EXPECT_TRUE(game->exitWindow->shown);
    EXPECT_TRUE(game->engine->IsExitRequested());
}

TEST_F(ScreenFlow, PlayGoesToContinueWithASavedGameElseResetsTheProfile)
{
    StartUp();
    profile().savedGame = true;
    profile().livesCarried = 1;
    ShowAndChoose("main menu", 2);
    EXPECT_EQ(game->events, (Events{"hide main menu", "show continue"}));
    EXPECT_EQ(profile().livesCarried, 1);
    HideAll();

    profile().savedGame = false;
    profile().totalScore = 500;
    ShowAndChoose("main menu", 2);
    EXPECT_EQ(game->events, (Events{"hide main menu", "show stage screen(1)"}));
    EXPECT_EQ(profile().totalScore, 0);
    EXPECT_EQ(profile().livesCarried, 4);
}

class LevelFlow : public ScreenFlow {
protected:
    // From the stage screen into a running level at `position`, with `lives` carried.
    void EnterLevel(LevelPosition position, int32_t lives = 3)
    {
        StartUp();
        profile().currentPosition = position;
        profile().livesCarried = lives;
        ShowAndChoose("stage screen", 2);
        const std::string at = FlowGame::Position(position);
        EXPECT_EQ(game->events, (Events{"level data " + at, "hide stage screen", "show level loading(entry)"}));
        game->events.clear();
        Choose(*game->gameLogicLoadingWindow, 1);
        game->Passes();
        EXPECT_EQ(game->events, (Events{"hide level loading", "level " + at + " lives " + std::to_string(lives),
                                        "show panel(entry)"}));
        ASSERT_NE(game->level, nullptr);
        game->events.clear();
    }

    void Report(LevelState state)
    {
        game->level->SetState(state);
        game->Passes();
    }

    GameLogicBase& level() { return *game->level; }
    const LevelManagerBase& levels() { return *game->levels; }
};

TEST_F(LevelFlow, PauseMenuAndLeave)
{
    EnterLevel({2, 3});
    ShowAndChoose("panel", 1);
    EXPECT_EQ(game->events, (Events{"show pause"}));
    EXPECT_FALSE(game->gameLogicWindow->active);
    EXPECT_EQ(level().GetState(), LevelState::Paused);
    ShowAndChoose("pause", 1);
    EXPECT_EQ(game->events, (Events{"hide pause"}));
    EXPECT_TRUE(game->gameLogicWindow->active);
    EXPECT_EQ(level().GetState(), LevelState::Playing);

    ShowAndChoose("panel", 2);
    EXPECT_EQ(game->events, (Events{"show menu"}));
    EXPECT_EQ(level().GetState(), LevelState::Paused);
    ShowAndChoose("menu", 2);
    EXPECT_EQ(game->events, (Events{"hide menu", "show leave"}));
    ShowAndChoose("leave", 1);
    EXPECT_EQ(game->events, (Events{"hide leave", "show menu"}));
    ShowAndChoose("menu", 1);
    EXPECT_EQ(game->events, (Events{"hide menu"}));
    EXPECT_TRUE(game->gameLogicWindow->active);
    EXPECT_EQ(level().GetState(), LevelState::Playing);

    ShowAndChoose("leave", 2);
    EXPECT_EQ(game->events, (Events{"hide leave", "hide panel", "show main menu"}));
    EXPECT_EQ(game->level, nullptr);
    EXPECT_EQ(game->levelsAlive, 0);
    EXPECT_EQ(FlowGame::Position(profile().currentPosition), "2-3");
}

TEST_F(LevelFlow, WinningALevelThatIsNotTheLastOfItsStage)
{
    EnterLevel({0, 1}, 2);
    level().lives = 3;
    level().GetScoreKeeper().total = 700;
    Report(LevelState::Won);
    EXPECT_EQ(game->events, (Events{"show level complete"}));
    EXPECT_FALSE(game->gameLogicWindow->active);
    EXPECT_EQ(FlowGame::Position(profile().currentPosition), "0-2");
    EXPECT_EQ(FlowGame::Position(profile().bestPosition), "0-2");
    EXPECT_FALSE(profile().gameCompleted);
    EXPECT_TRUE(profile().savedGame);
    EXPECT_EQ(profile().livesCarried, 3);
    EXPECT_EQ(profile().totalScore, 700);
    ASSERT_NE(game->level, nullptr); // stays behind the result window

    ShowAndChoose("level complete", 1);
    EXPECT_EQ(game->events, (Events{"hide level complete", "hide panel", "show stage screen(3)"}));
    EXPECT_EQ(game->levelsAlive, 0);
}

TEST_F(LevelFlow, WinningTheLastLevelOfAStageGoesThroughStageComplete)
{
    EnterLevel({0, 4});
    Report(LevelState::Won);
    EXPECT_EQ(FlowGame::Position(profile().currentPosition), "1-0");
    ShowAndChoose("level complete", 1);
    EXPECT_EQ(game->events, (Events{"hide level complete", "show stage complete"}));
    EXPECT_NE(game->level, nullptr);
    ShowAndChoose("stage complete", 1);
    EXPECT_EQ(game->events, (Events{"hide stage complete", "hide panel", "show stage screen(4)"}));
    EXPECT_EQ(game->level, nullptr);
    EXPECT_TRUE(game->highScores->GetEntries().empty());
}

TEST_F(LevelFlow, WinningTheFinalLevelCompletesTheGameAndEntersTheTotal)
{
    const LevelPosition final{levels().GetStageCount() - 1, levels().GetLevelCount(levels().GetStageCount() - 1) - 1};
    EnterLevel(final);
    profile().totalScore = 1000;
    level().GetScoreKeeper().total = 234;
    Report(LevelState::Won);
    EXPECT_TRUE(IsSamePosition(profile().currentPosition, final));
    EXPECT_TRUE(IsSamePosition(profile().bestPosition, final));
    EXPECT_TRUE(profile().gameCompleted);
    EXPECT_FALSE(profile().savedGame);
    ShowAndChoose("level complete", 1);
    ShowAndChoose("stage complete", 1); // reads the level's position before closing it
    EXPECT_EQ(game->events, (Events{"hide stage complete", "hide panel", "show stage screen(4)"}));
    EXPECT_EQ(game->level, nullptr);
    ASSERT_EQ(game->highScores->GetEntries().size(), 1u);
    EXPECT_EQ(game->highScores->GetEntries()[0]->score, 1234u);
    EXPECT_EQ(game->highScores->GetEntries()[0]->name, u"Anna");
}

TEST_F(LevelFlow, LosingLeadsToGameOverAndToTheHighScoresOnlyWithAScore)
{
    struct Case {
        int32_t total, levelScore;
        Events afterGameOver;
    };
    const Case cases[] = {
        {300, 45, {"hide game over", "show high scores(2, entry)", "hide panel"}},
        {0, 0, {"hide game over", "show main menu", "hide panel"}},
    };
    for (const Case& c : cases) {
        EnterLevel({1, 2});
        profile().savedGame = true;
        profile().totalScore = c.total;
        level().GetScoreKeeper().total = c.levelScore;
        Report(LevelState::Lost);
        EXPECT_EQ(game->events, (Events{"show game over"}));
        EXPECT_FALSE(game->gameLogicWindow->active);
        EXPECT_FALSE(profile().savedGame);
        ShowAndChoose("game over", 1);
        EXPECT_EQ(game->events, c.afterGameOver);
        EXPECT_EQ(game->levelsAlive, 0);
        HideAll();
    }
    ASSERT_EQ(game->highScores->GetEntries().size(), 1u);
    EXPECT_EQ(game->highScores->GetEntries()[0]->score, 345u);
}

TEST_F(LevelFlow, RestartCarriesTheLivesAndLoadsTheSamePositionAgain)
{
    EnterLevel({3, 2}, 4);
    DataKeeper* firstData = game->levelData.get();
    level().lives = 1;
    Report(LevelState::Restart);
    EXPECT_EQ(game->events, (Events{"hide panel", "level data 3-2", "show level loading(entry)"}));
    EXPECT_EQ(profile().livesCarried, 1);
    EXPECT_EQ(game->levelsAlive, 0);
    EXPECT_EQ(game->previousLevelData.get(), firstData); // kept while anything may still use it
}

} // namespace

namespace {

TEST_F(ScreenFlow, StageScreenAndContinueRows)
{
    StartUp();
    ShowAndChoose("stage screen", 1);
    EXPECT_EQ(game->events, (Events{"hide stage screen", "show main menu"}));
    HideAll();

    profile().savedGame = true;
    profile().totalScore = 900;
    ShowAndChoose("continue", 1);
    EXPECT_EQ(game->events, (Events{"hide continue", "show stage screen(2)"}));
    EXPECT_TRUE(profile().savedGame);
    EXPECT_EQ(profile().totalScore, 900);
    HideAll();

    ShowAndChoose("continue", 2); // the saved game is given up: a fresh game from the stage screen
    EXPECT_EQ(game->events, (Events{"hide continue", "show stage screen(2)"}));
    EXPECT_FALSE(profile().savedGame);
    EXPECT_EQ(profile().totalScore, 0);
    Petalwork::ProfileManager reloaded(*game->engine, nullptr, folder.Path(), nullptr);
    EXPECT_FALSE(reloaded.GetCurrentProfile()->savedGame);
}

} // namespace
