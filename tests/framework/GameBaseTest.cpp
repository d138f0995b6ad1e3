#include "TestGame.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Timer.h"
#include "engine/core/devices/Controls_DI7.h"
#include "engine/core/devices/Window.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "framework/GUIGameLogicPauseWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelInfo.h"
#include "framework/MusicTrack.h"
#include "framework/StageInfo.h"
#include "framework/SoundPlayer.h"
#include "platform/input/DirectInput.h"
#include "platform/os/Path.h"
#include "platform/os/Registry.h"
#include "platform/sound/SoundTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using GameFramework::GameBase;
using GameFramework::RegistryRootIndex;
using Platform::RegistryRoot;
using Platform::RegistryType;

namespace {

constexpr const char* installationKey = "SOFTWARE\\Quorvane\\Brindlemoor";

int CountEntries(VantoranEngine::MessageManager& log, const std::string& start)
{
    int count = 0;
    for (const VantoranEngine::LogEntry& entry : log.GetEntries())
        count += entry.text.rfind(start, 0) == 0 ? 1 : 0;
    return count;
}

std::string SilentWav()
{
    auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
    const std::string samples(4000, '\0');
    return "RIFF" + u32(36 + 4000) + "WAVE" + "fmt " + u32(16) + u16(1) + u16(1) + u32(22050) + u32(44100) + u16(2) +
           u16(16) + "data" + u32(4000) + samples;
}

// Drops the focus the way the window system does: an earlier window of the same process may still hold
// SDL's keyboard focus, so lifting the forced focus alone is not enough.
void DropFocus()
{
    Platform::Test::SetForceFocus(false);
    Platform::Test::InjectFocus(false);
}

struct RegistryGuard {
    RegistryGuard() { Platform::RegistryTest::Reset(); }
    ~RegistryGuard() { Platform::RegistryTest::Reset(); }
};

} // namespace

TEST(GameBase, InstallationKeyFallsBackToVersion100AndTheProgramFolder)
{
    struct Row {
        const char* name;
        std::vector<std::tuple<RegistryRoot, const char*, RegistryType, std::string>> values;
        int version;
        std::string installPath; // empty: the program folder
    };
    const std::string tooLong(GameBase::registryValueLimit + 1, 'x');
    const std::vector<Row> rows = {
        {"nothing", {}, 100, ""},
        {"version 105", {{RegistryRoot::LocalMachine, "Version", RegistryType::String, std::string("105\0", 4)}}, 105, ""},
        {"user root only", {{RegistryRoot::CurrentUser, "Version", RegistryType::String, std::string("107\0", 4)}}, 107, ""},
        {"machine before user",
         {{RegistryRoot::LocalMachine, "Version", RegistryType::String, std::string("101\0", 4)},
          {RegistryRoot::CurrentUser, "Version", RegistryType::String, std::string("102\0", 4)}},
         101, ""},
        {"expandable path is missing",
         {{RegistryRoot::LocalMachine, "InstallPath", RegistryType::ExpandString, std::string("/opt/x\0", 7)}}, 100, ""},
        {"path up to its NUL",
         {{RegistryRoot::CurrentUser, "InstallPath", RegistryType::String, std::string("/opt/game\0junk", 14)}}, 100,
         "/opt/game"},
        {"too long", {{RegistryRoot::LocalMachine, "InstallPath", RegistryType::String, tooLong}}, 100, ""},
    };
    for (const Row& row : rows) {
        RegistryGuard guard;
        for (const auto& [root, name, type, data] : row.values)
            Platform::RegistryTest::InjectValue(root, installationKey, name, type, data);
        TempFolder folder;
        UnstartedGame game(folder);
        EXPECT_EQ(game.version, row.version) << row.name;
        EXPECT_EQ(game.installPath, row.installPath.empty() ? Platform::GetProgramDirectory() : row.installPath)
            << row.name;
        EXPECT_EQ(Platform::RegistryTest::OpenCount(), Platform::RegistryTest::CloseCount()) << row.name;
    }
}

TEST(GameBase, TheUserDataFolderExistsBeforeTheEngineStarts)
{
    TempFolder folder;
    UnstartedGame game(folder);
    EXPECT_EQ(game.userDataRoot, folder.Path() + "/Quorvane/Brindlemoor");
    EXPECT_TRUE(std::filesystem::is_directory(game.userDataRoot));
    EXPECT_EQ(game.registryKey, installationKey);
}

TEST(GameBase, DebugCommandsLogOncePerTriggerAndCountNoSoundsWithoutADevice)
{
    Platform::SoundTest::Reset();
    Platform::SoundTest::FailNext(Platform::SoundTest::Operation::CreateDevice, -1);
    TempFolder folder;
    TestGame game(folder);
    ASSERT_EQ(game.soundManager, nullptr);
    game.config->Execute("d_get_manages_occupation");
    game.config->Execute("d_get_manages_occupation");
    game.config->Execute("d_get_used_video_memory_size");
    game.Tick();
    EXPECT_EQ(CountEntries(*game.log, "Shaders count: "), 1);
    EXPECT_EQ(CountEntries(*game.log, "Sounds count: 0"), 1);
    EXPECT_EQ(CountEntries(*game.log, "Video Memory Used: "), 1);
    EXPECT_TRUE(game.config->IsCommandReady("d_get_manages_occupation"));
    game.Tick();
    EXPECT_EQ(CountEntries(*game.log, "Shaders count: "), 0);
    Platform::SoundTest::Reset();
}

TEST(GameBase, FocusLossPausesTheMusicAtOnceAndItsReturnFadesItBackIn)
{
    TempFolder folder;
    folder.WriteFile("data/audio/music/menu.wav", SilentWav());
    TestGame game(folder);
    ASSERT_NE(game.soundManager, nullptr);
    game.soundPlayer->RegisterMusic(0, game.AudioFilePath("music", "menu"), true);
    game.soundPlayer->PlayMusic(0, 0, 0.5f);
    game.Tick();
    ASSERT_EQ(game.soundPlayer->GetMusicState(0), 0);

    DropFocus();
    game.Tick();
    ASSERT_FALSE(game.window->HasFocus());
    EXPECT_TRUE(game.focusLost);
    EXPECT_EQ(game.soundPlayer->GetMusicState(0), 1);
    game.Tick();
    EXPECT_EQ(game.soundPlayer->GetMusicState(0), 1);

    Platform::Test::SetForceFocus(true);
    game.Tick();
    EXPECT_FALSE(game.focusLost);
    EXPECT_EQ(game.soundPlayer->GetMusicState(0), 0);
    const GameFramework::MusicTrack* track = game.soundPlayer->FindMusicChannel(0);
    EXPECT_EQ(track->fadeState, GameFramework::MusicFadeState::FadingIn);
    EXPECT_FLOAT_EQ(track->fadeSpeed, GameBase::focusFadeSpeed);
}

TEST(GameBase, AVideoModeRequestIsRearmedAndAResetRebuildsTheDevice)
{
    TempFolder folder;
    TestGame game(folder);
    game.config->Execute("g_update_video_mode");
    EXPECT_FALSE(game.config->IsCommandReady("g_update_video_mode"));
    game.Tick();
    EXPECT_TRUE(game.config->IsCommandReady("g_update_video_mode"));
    const int before = game.resets;
    // A key held through the reset does not count until it has been released.
    Platform::Test::InjectKey(Platform::DIK_SPACE, true);
    game.renderSystem->videoModeChanged = 1;
    game.Tick();
    EXPECT_EQ(game.resets, before + 1);
    EXPECT_EQ(game.renderSystem->videoModeChanged, 0);
    EXPECT_TRUE(game.controls->inputHold);
    EXPECT_FALSE(game.controls->IsKeyDown("SPACE"));
    Platform::Test::InjectKey(Platform::DIK_SPACE, false);
    game.Tick();
    EXPECT_FALSE(game.controls->inputHold);
    Platform::Test::ResetInput();
}

TEST(GameBase, AudioFilePathPrefersAWavWhereTheSoundReaderLooks)
{
    TempFolder folder;
    folder.WriteFile("data/audio/game/score.wav", SilentWav());
    folder.WriteFile("audio/game/select.wav", SilentWav()); // outside the data folder: never read
    TestGame game(folder);
    EXPECT_EQ(game.AudioFilePath("game", "score"), "audio\\game\\score.wav");
    EXPECT_EQ(game.AudioFilePath("game", "select"), "audio\\game\\select.ogg");
    EXPECT_EQ(game.AudioFilePath("game", "missing"), "audio\\game\\missing.ogg");
}

TEST(GameBase, FontListAndTextTablesLoadWithCommentsAndOverrides)
{
    TempFolder folder;
    folder.WriteFile("data/ui/fonts/ru.ini", "\xEF\xBB\xBF" "2 1 // fonts, console font\r\n"
                                             "ui\\a.fnt ui\\a.jpg ui\\a_alpha.jpg 12 0.5 0.9 0\r\n"
                                             "// the second font\r\n"
                                             "ui\\b.fnt ui\\b.jpg ui\\b_alpha.jpg 20 0.25 1.5 1\r\n");
    folder.WriteFile("data/ui/texts/ru/common.ini", "[HELLO]\r\nHi\r\n");
    TestGame game(folder);
    EXPECT_EQ(game.fontCount, 2);
    EXPECT_EQ(game.consoleFontId, 1);
    const VantoranEngine::GUIFont* second = game.fontManager->GetFont(1);
    ASSERT_NE(second, nullptr);
    EXPECT_FLOAT_EQ(second->size, 20.0f);
    EXPECT_FLOAT_EQ(second->missingAdvance, 0.25f);
    EXPECT_FLOAT_EQ(second->spacing, 1.5f);
    EXPECT_EQ(game.textManager->GetText("HELLO"), u"Hi");
    EXPECT_EQ(game.textManager->GetText("NOT_THERE"), u"UNKNOWN");
}

TEST(GameBase, ATruncatedOrEmptyFontListKeepsWhatItRead)
{
    struct Row {
        std::string list;
        int count;
        int consoleFont;
        bool secondFont;
    };
    for (const Row& row : {Row{"0 3", 0, 3, false}, Row{"2 0 ui\\a.fnt ui\\a.jpg ui\\a_alpha.jpg 12 0.5 1 0", 2, 0, false}}) {
        TempFolder folder;
        folder.WriteFile("data/ui/fonts/ru.ini", row.list);
        TestGame game(folder);
        EXPECT_EQ(game.fontCount, row.count) << row.list;
        EXPECT_EQ(game.consoleFontId, row.consoleFont) << row.list;
        EXPECT_EQ(game.fontManager->GetFont(1) != nullptr, row.secondFont) << row.list;
    }
}

TEST(GameBase, ShutdownSavesTheFrameworkVariablesAfterUnbindingThem)
{
    TempFolder folder;
    std::string configPath;
    {
        TestGame game(folder);
        game.config->Execute("d_show_statistics 1");
        EXPECT_TRUE(game.showStatistics);
        configPath = game.userDataRoot + "/Brindlemoor.ini";
    }
    const std::string saved = TempFolder::ReadFile(configPath);
    EXPECT_NE(saved.find("d_show_statistics 1"), std::string::npos);
    EXPECT_EQ(saved.find("d_get_"), std::string::npos); // commands are never saved
}

namespace {

// A running level for the tick and the shutdown: notes at its destruction whether the in-level panel
// (which reads it) still existed.
class LevelOfTest : public GameFramework::GameLogicBase {
public:
    LevelOfTest(GameBase& game, const GameFramework::StageInfo* stage, const GameFramework::LevelInfo* info,
                bool* panelOutlivedLevel)
        : GameLogicBase(*game.engine, game.soundPlayer.get(), stage, info, 1), game(game),
          panelOutlivedLevel(panelOutlivedLevel)
    {
    }
    ~LevelOfTest() override { *panelOutlivedLevel = game.gameLogicWindow != nullptr; }
    GameBase& game;
    bool* panelOutlivedLevel;
};

struct LevelWorld {
    LevelWorld() : game(std::make_unique<TestGame>(folder))
    {
        game->gameLogicWindow = std::make_unique<GameFramework::GUIGameLogicWindowBase>(game->engine.get(), nullptr);
        game->pauseWindow = std::make_unique<GameFramework::GUIGameLogicPauseWindowBase>(game->engine.get());
        game->level = std::make_unique<LevelOfTest>(*game, &stage, &info, &panelOutlivedLevel);
        game->gameLogicWindow->SetActive(true);
    }
    TempFolder folder;
    GameFramework::StageInfo stage;
    GameFramework::LevelInfo info;
    bool panelOutlivedLevel = false;
    std::unique_ptr<TestGame> game;
};

} // namespace

TEST(GameBase, FocusLossDuringPlayPausesTheLevelBehindThePauseWindow)
{
    LevelWorld w;
    TestGame& game = *w.game;
    GameFramework::GameLogicBase& level = *game.level;
    level.GetLevelTimer()->SetPaused(false);
    DropFocus();
    game.Tick();
    EXPECT_EQ(level.GetState(), GameFramework::LevelState::Paused);
    EXPECT_FALSE(game.gameLogicWindow->active);
    EXPECT_TRUE(game.pauseWindow->shown);
    EXPECT_TRUE(game.focusLost);
    EXPECT_TRUE(game.rememberedTimerPause);
    game.Tick();
    EXPECT_EQ(level.GetState(), GameFramework::LevelState::Paused);
    Platform::Test::SetForceFocus(true);
    game.Tick();
    EXPECT_FALSE(game.focusLost);
    EXPECT_TRUE(level.GetLevelTimer()->IsPaused()); // stays paused until the pause window closes
}

TEST(GameBase, FocusLossWithTheLevelAlreadyPausedOnlyStopsItsTimerForAWhile)
{
    LevelWorld w;
    TestGame& game = *w.game;
    GameFramework::GameLogicBase& level = *game.level;
    level.SetState(GameFramework::LevelState::Paused);
    level.GetLevelTimer()->SetPaused(false);
    DropFocus();
    game.Tick();
    EXPECT_FALSE(game.pauseWindow->shown);
    EXPECT_TRUE(level.GetLevelTimer()->IsPaused());
    EXPECT_FALSE(game.rememberedTimerPause);
    Platform::Test::SetForceFocus(true);
    game.Tick();
    EXPECT_FALSE(level.GetLevelTimer()->IsPaused());
}

TEST(GameBase, ShutdownDuringALevelDeletesTheLevelBeforeWhatItReads)
{
    LevelWorld w;
    w.game->Tick();
    w.game.reset();
    EXPECT_TRUE(w.panelOutlivedLevel);
}
