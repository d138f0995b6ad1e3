#include "game/app/Game.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineDescriptor.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUISoundManager.h"
#include "framework/GUIContinueGameLogicWindowBase.h"
#include "framework/GUIGameCompleteWindowBase.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUIGameLogicExitWindowBase.h"
#include "framework/GUIGameOverWindowBase.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LanguageManager.h"
#include "framework/LevelManager.h"
#include "framework/MusicTrack.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManager.h"
#include "framework/SoundPlayer.h"
#include "game/board/GameData.h"
#include "game/board/GameLogic.h"
#include "game/board/GameLogicBackground.h"
#include "game/board/GameLogicData.h"
#include "game/screens/GUIBackgroundWindow.h"
#include "game/screens/GUIContinueGameLogicWindow.h"
#include "game/screens/GUICreditsWindow.h"
#include "game/screens/GUIDeleteProfileWindow.h"
#include "game/screens/GUIExitWindow.h"
#include "game/screens/GUIFlowerHouse.h"
#include "game/screens/GUIGameCursor.h"
#include "game/screens/GUIGameLoadingWindow.h"
#include "game/screens/GUIGameCompleteWindow.h"
#include "game/screens/GUIGameLogicExitWindow.h"
#include "game/screens/GUIGameLogicLoadingWindow.h"
#include "game/screens/GUIGameLogicMenuWindow.h"
#include "game/screens/GUIGameLogicPauseWindow.h"
#include "game/screens/GUIGameLogicWindow.h"
#include "game/screens/GUIGameOverWindow.h"
#include "game/screens/GUIHighScoresWindow.h"
#include "game/screens/GUILevelCompleteWindow.h"
#include "game/screens/GUILogosWindow.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUINewProfileWindow.h"
#include "game/screens/GUIOptionsWindow.h"
#include "game/screens/GUIProfileNameConflictWindow.h"
#include "game/screens/GUIProfilesWindow.h"
#include "game/screens/GUIRenameProfileWindow.h"
#include "game/screens/GUIStageCompleteWindow.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "game/screens/GUIWelcomeWindow.h"

namespace Petalwork {

namespace {

constexpr const char* highQualityName = "g_high_quality";
constexpr const char* relaxModeName = "g_relax_mode";

struct InterfaceSound {
    int32_t event;
    const char* name;
};

// GUI events of the engine's widgets; event 0 alternates between two sounds.
constexpr InterfaceSound interfaceSounds[] = {
    {0, "button_select_0"}, {0, "button_select_1"}, {1, "button_click"},    {2, "button_select_0"},
    {3, "button_click"},    {4, "button_select_0"}, {5, "button_click"},    {6, "button_select_0"},
    {7, "button_click"},    {8, "button_select_0"}, {9, "button_click"},    {10, "button_select_0"},
    {11, "button_click"},   {12, "edit_box_print"},
};

struct MusicEntry {
    int32_t track;
    const char* name;
    const char* folder;
    bool looped;
};

constexpr MusicEntry musicTracks[] = {
    {0, "menu", "music", true},
    {1, "game0", "music", true},
    {2, "game1", "music", true},
    {3, "stage_complete", "game", false},
};

struct GameSound {
    const char* name;
    const char* folder;
    int32_t voices;
    bool looped;
};

// Indexed by sound id.
constexpr GameSound gameSounds[] = {
    {"volume_slider", "menu", 1, true},
    {"level_fade_in", "game", 1, false},
    {"level_fade_out", "game", 1, false},
    {"leve_begin", "game", 1, false},
    {"leve_end", "game", 1, false},
    {"select", "game", 1, false},
    {"unswap", "game", 1, false},
    {"score_complete", "game", 1, false},
    {"score", "game", 4, false},
    {"score_with_bonus", "game", 4, false},
    {"score_bonus_bomb", "game", 3, false},
    {"score_bonus_line", "game", 3, false},
    {"score_bonus_random_chip_destruction", "game", 2, false},
    {"score_combo_1", "game", 1, false},
    {"score_combo_2", "game", 1, false},
    {"score_combo_3", "game", 1, false},
    {"score_combo_4", "game", 1, false},
    {"score_combo_5", "game", 1, false},
    {"score_combo_6", "game", 1, false},
    {"score_combo_7", "game", 1, false},
    {"score_combo_8", "game", 1, false},
    {"chain_reaction", "game", 1, false},
    {"time_is_ending", "game", 1, true},
    {"add_life", "game", 1, false},
    {"no_more_moves", "game", 1, false},
    {"time_is_over", "game", 1, false},
    {"game_over", "game", 1, false},
    {"flower_appear", "game", 3, false},
    {"basket_appear", "game", 1, false},
    {"flower_to_basket", "game", 3, false},
    {"collect_basket", "game", 3, false},
    {"havent_time_to_collect_basket", "game", 3, false},
    {"basket_bonus", "game", 3, false},
    {"powerup_pause_activation", "game", 3, false},
    {"powerup_pause_deactivation", "game", 3, false},
    {"powerup_horn_appear", "game", 1, false},
    {"powerup_horn_flower_appear", "game", 3, false},
    {"powerup_tornado_activation", "game", 3, false},
    {"powerup_x2_activation", "game", 3, false},
    {"powerup_x2_deactivation", "game", 3, false},
    {"after_bonus", "game", 3, false},
    {"after_bonus_time", "game", 1, true},
    {"after_bonus_basket", "game", 3, false},
    {"flower_house", "game", 3, false},
    {"scissors_appear_0", "game", 3, false},
    {"scissors_appear_1", "game", 3, false},
    {"scissors_appear_2", "game", 3, false},
    {"scissors_use_0", "game", 3, false},
    {"scissors_use_1", "game", 3, false},
    {"scissors_use_2", "game", 3, false},
    {"cross", "game", 1, false},
    {"circle", "game", 1, false},
    {"flower_screen_appear", "game", 1, false},
    {"flower_screen_disappear", "game", 1, false},
    {"basket_fly_up", "game", 1, false},
    {"break_cell", "game", 3, false},
    {"shining", "game", 1, false},
    {"order", "game", 1, false},
    {"powerup_appear", "game", 1, false},
};

constexpr const char* screenTextFiles[] = {
    "after_bonus",     "bonus",           "combo",          "continue_game_logic", "delete_profile",
    "exit",            "game_complete",   "game_logic",     "game_logic_exit",     "game_logic_menu",
    "game_logic_pause", "game_over",      "high_scores",    "level_complete",      "loading",
    "main_menu",       "new_profile",     "options",        "powerup",             "profile_name_conflict",
    "profiles",        "relax_window",    "rename_profile", "start_game_logic",    "stage_complete",
    "statistics",      "tip",             "welcome",
};

} // namespace

Game::Game(const std::string& title, const std::string& company) : GameBase(title, company)
{
    Init();
}

Game::~Game()
{
    // The level first (it reads the game's own objects), then the dialogs that hang under the flower house,
    // then the title logo and the flower house, then the rest of the base.
    level.reset();
    levelBackground.reset();
    creditsWindow.reset();
    DestroyWindows();
    titleLogo.reset();
    flowerHouse.reset();
    DestroyObjects();
    if (gameVariablesRegistered && config) {
        config->Unregister(highQualityName);
        config->Unregister(relaxModeName);
    }
}

void Game::FillEngineDescriptor(VantoranEngine::EngineDescriptor& descriptor)
{
    GameBase::FillEngineDescriptor(descriptor);
    descriptor.iconId = iconResource;
}

void Game::RegisterConsoleVariables()
{
    GameBase::RegisterConsoleVariables();
    config->Register("1", highQualityName, VantoranEngine::ConfigType::Bool, true, &highQuality, false);
    config->Register("0", relaxModeName, VantoranEngine::ConfigType::Bool, true, &relaxMode, false);
    gameVariablesRegistered = true;
}

void Game::LoadTexts()
{
    GameBase::LoadTexts();
    for (const char* name : screenTextFiles)
        LoadTextFile(name);
}

void Game::RegisterSounds()
{
    for (const InterfaceSound& sound : interfaceSounds)
        guiSoundManager->AddSound(sound.event, AudioFilePath("menu", sound.name));
    soundPlayer->SetSoundVolume(soundPlayer->soundVolume);
    for (const MusicEntry& track : musicTracks)
        soundPlayer->RegisterMusic(track.track, AudioFilePath(track.folder, track.name), track.looped);
    int32_t id = 0;
    for (const GameSound& sound : gameSounds)
        soundPlayer->RegisterSound(sound.voices, id++, AudioFilePath(sound.folder, sound.name), sound.looped);
}

float Game::GetDefaultMusicVolume()
{
    return 1.0f;
}

float Game::GetDefaultSoundVolume()
{
    return 1.0f;
}

void Game::UpdateWindows()
{
    if (titleLogo)
        titleLogo->Update(); // runs the flower house first
    // The closing flower screen of the level loading covers the flower house.
    const auto* levelLoading = dynamic_cast<const GUIGameLogicLoadingWindow*>(gameLogicLoadingWindow.get());
    if (flowerHouse && levelLoading && levelLoading->GetPhase() != 0)
        flowerHouse->Hide();
    GameBase::UpdateWindows();
    if (creditsWindow) {
        creditsWindow->Update();
        if (creditsWindow->GetPageState() == GUICreditsWindow::PageState::Ended) {
            creditsWindow->Finish();
            if (mainMenuWindow)
                mainMenuWindow->Show();
        }
    }
}

std::unique_ptr<GameFramework::LevelManagerBase> Game::CreateLevelManager()
{
    return std::make_unique<LevelManager>(*engine, language->current->code);
}

std::unique_ptr<GameFramework::ProfileManagerBase> Game::CreateProfileManager()
{
    return std::make_unique<ProfileManager>(*engine, soundPlayer.get(), userDataRoot, levels.get());
}

std::unique_ptr<GameFramework::DataKeeper> Game::CreateGameData()
{
    return std::make_unique<GameData>(*engine);
}

std::unique_ptr<GameFramework::GUIGameCursorBase> Game::CreateGameCursor()
{
    return std::make_unique<GUIGameCursor>(engine.get());
}

std::unique_ptr<GameFramework::GUILogosWindowBase> Game::CreateLogosWindow()
{
    return std::make_unique<GUILogosWindow>(engine.get());
}

std::unique_ptr<GameFramework::GUILoadingWindowBase> Game::CreateLoadingWindow()
{
    return std::make_unique<GUIGameLoadingWindow>(engine.get());
}

GameData* Game::GetGameData() const
{
    return static_cast<GameData*>(gameData.get());
}

namespace {
constexpr int32_t menuTrack = 0;
constexpr int32_t menuChannel = 0;
constexpr int32_t levelChannel = 1;
constexpr int32_t jingleTrack = 3; // "stage_complete"
constexpr int32_t jingleChannel = 3;
constexpr float musicStopSpeed = 1.0f;
constexpr float musicStartSpeed = 0.5f;
constexpr int32_t flowerScreenAppearSound = 52;
constexpr int32_t musicPlaying = 0; // SoundPlayer::GetMusicState
}

void Game::PlayMenuMusic()
{
    soundPlayer->StopAllMusic(musicStopSpeed);
    soundPlayer->PlayMusic(menuTrack, menuChannel, musicStartSpeed);
}

void Game::PlayLevelMusic(uint32_t stageIndex)
{
    const int32_t track = 1 + static_cast<int32_t>(stageIndex & 1); // "game0" on even stages, "game1" on odd
    const GameFramework::MusicTrack* menu = soundPlayer->FindMusicChannel(menuChannel);
    if (menu != nullptr && menu->trackId == menuTrack)
        soundPlayer->StopMusic(menuChannel, musicStopSpeed);
    GameFramework::MusicTrack* current = soundPlayer->FindMusicChannel(levelChannel);
    if (current != nullptr && current->trackId == track &&
        current->fadeState == GameFramework::MusicFadeState::FadingOutToStop) {
        // Leaving the last level began to fade this track out, and a playing stream is not started again:
        // take it back from where the fade has got to.
        current->fadeState = GameFramework::MusicFadeState::FadingIn;
        current->fadeSpeed = musicStartSpeed;
        return;
    }
    if (current == nullptr || current->trackId != track)
        soundPlayer->StopAllMusic(musicStopSpeed);
    soundPlayer->PlayMusic(track, levelChannel, musicStartSpeed);
}

void Game::HandleLogosWindow()
{
    const int32_t result = ResultOf(logosWindow);
    GameBase::HandleLogosWindow();
    if (result == 1)
        soundPlayer->PlayMusic(menuTrack, menuChannel, musicStartSpeed);
}

void Game::HandleStartGameLogicWindow()
{
    const int32_t result = ResultOf(startGameLogicWindow);
    if (result == 0 && startGameLogicWindow->shown) {
        // Keep the menu music going behind the stage screen.
        const GameFramework::MusicTrack* menu = soundPlayer->FindMusicChannel(menuChannel);
        if (menu == nullptr || menu->trackId != menuTrack || soundPlayer->GetMusicState(menuChannel) != musicPlaying)
            PlayMenuMusic();
    }
    if (result == 2) {
        const bool nextLevel = startGameLogicWindow->mode == GameFramework::GUIStartGameLogicWindowBase::Mode::NextLevel;
        if (auto* levelLoading = dynamic_cast<GUIGameLogicLoadingWindow*>(gameLogicLoadingWindow.get()))
            levelLoading->skip = nextLevel;
        if (!nextLevel)
            HideGameCursor();
        const GameFramework::ProfileBase* profile = profiles->GetCurrentProfile();
        const auto* stageScreen = dynamic_cast<const GUIStartGameLogicWindow*>(startGameLogicWindow.get());
        const bool continued = stageScreen != nullptr &&
                               stageScreen->continueMode == GUIStartGameLogicWindow::ContinueMode::Continued;
        if (profile->currentPosition.level == 0 || continued)
            soundPlayer->PlaySound(flowerScreenAppearSound);
    }
    GameBase::HandleStartGameLogicWindow();
}

void Game::HandleGameLogicLoadingWindow()
{
    const int32_t result = ResultOf(gameLogicLoadingWindow);
    GameBase::HandleGameLogicLoadingWindow();
    if (result == 1 && level != nullptr)
        PlayLevelMusic(level->GetPosition().stage);
}

void Game::HandleGameLogicExitWindow()
{
    const int32_t result = ResultOf(gameLogicExitWindow);
    GameBase::HandleGameLogicExitWindow();
    if (result == 2) {
        ShowMenuBackground();
        PlayMenuMusic();
    }
}

void Game::HandleLevelCompleteWindow()
{
    if (ResultOf(levelCompleteWindow) == 1 && level != nullptr && IsLastLevelOfStage(level->GetPosition())) {
        soundPlayer->StopAllMusic(musicStopSpeed);
        soundPlayer->PlayMusic(jingleTrack, jingleChannel, musicStartSpeed);
    }
    GameBase::HandleLevelCompleteWindow();
}

void Game::HandleGameCompleteWindow()
{
    const int32_t result = ResultOf(gameCompleteWindow);
    GameBase::HandleGameCompleteWindow();
    if (result == 1) {
        GameFramework::SetProfilePosition({}, *profiles->GetCurrentProfile());
        ShowMenuBackground();
        PlayMenuMusic();
    }
}

void Game::HandleGameOverWindow()
{
    const int32_t result = ResultOf(gameOverWindow);
    GameBase::HandleGameOverWindow();
    if (result == 1) {
        ShowMenuBackground();
        PlayMenuMusic();
    }
}


void Game::CreateWindows()
{
    if (GameData* data = GetGameData()) {
        flowerHouse = std::make_unique<GUIFlowerHouse>(static_cast<ProfileManager*>(profiles.get()), soundPlayer.get(),
                                                       engine.get(), data);
        titleLogo = std::make_unique<GUIBackgroundWindow>(engine.get(), flowerHouse.get(), data);
        creditsWindow = std::make_unique<GUICreditsWindow>(engine.get(), *data, language->current->code);
    }
    GameBase::CreateWindows();
}

VantoranEngine::GUIWindow* Game::DialogParent() const
{
    return flowerHouse ? flowerHouse->GetDialogLayer() : nullptr;
}

std::unique_ptr<GameFramework::GUIWelcomeWindowBase> Game::CreateWelcomeWindow()
{
    return std::make_unique<GUIWelcomeWindow>(engine.get(), *GetGameData(), DialogParent(), profiles.get());
}

std::unique_ptr<GameFramework::GUIExitWindowBase> Game::CreateExitWindow()
{
    return std::make_unique<GUIExitWindow>(engine.get(), *GetGameData(), DialogParent());
}

std::unique_ptr<GameFramework::GUIMainMenuWindowBase> Game::CreateMainMenuWindow()
{
    return std::make_unique<GUIMainMenuWindow>(engine.get(), *GetGameData(), DialogParent(), profiles.get());
}

std::unique_ptr<GameFramework::GUIProfilesWindowBase> Game::CreateProfilesWindow()
{
    return std::make_unique<GUIProfilesWindow>(engine.get(), *GetGameData(), DialogParent(), profiles.get());
}

std::unique_ptr<GameFramework::GUINewProfileWindowBase> Game::CreateNewProfileWindow()
{
    return std::make_unique<GUINewProfileWindow>(engine.get(), *GetGameData(), DialogParent(), profiles.get());
}

std::unique_ptr<GameFramework::GUIRenameProfileWindowBase> Game::CreateRenameProfileWindow()
{
    return std::make_unique<GUIRenameProfileWindow>(engine.get(), *GetGameData(), DialogParent(), profiles.get());
}

std::unique_ptr<GameFramework::GUIDeleteProfileWindowBase> Game::CreateDeleteProfileWindow()
{
    return std::make_unique<GUIDeleteProfileWindow>(engine.get(), *GetGameData(), DialogParent(), profiles.get());
}

std::unique_ptr<GameFramework::GUIProfileNameConflictWindowBase> Game::CreateProfileNameConflictWindow()
{
    return std::make_unique<GUIProfileNameConflictWindow>(engine.get(), *GetGameData(), DialogParent());
}

std::unique_ptr<GameFramework::GUIStartGameLogicWindowBase> Game::CreateStartGameLogicWindow()
{
    return std::make_unique<GUIStartGameLogicWindow>(engine.get(), *GetGameData(), language->current->code,
                                                     soundPlayer.get(), levels.get(), titleLogo.get(), DialogParent(),
                                                     profiles.get(), flowerHouse.get());
}

std::unique_ptr<GameFramework::GUIContinueGameLogicWindowBase> Game::CreateContinueGameLogicWindow()
{
    return std::make_unique<GUIContinueGameLogicWindow>(engine.get(), *GetGameData(), DialogParent(), profiles.get());
}

std::unique_ptr<GameFramework::GUIHighScoresWindowBase> Game::CreateHighScoresWindow()
{
    return std::make_unique<GUIHighScoresWindow>(engine.get(), *GetGameData(), DialogParent(), highScores.get());
}

std::unique_ptr<GameFramework::GUIOptionsWindowBase> Game::CreateOptionsWindow()
{
    return std::make_unique<GUIOptionsWindow>(engine.get(), *GetGameData(), DialogParent(), soundPlayer.get(),
                                              profiles.get());
}

std::unique_ptr<GameFramework::GUIGameLogicMenuWindowBase> Game::CreateGameLogicMenuWindow()
{
    return std::make_unique<GUIGameLogicMenuWindow>(engine.get(), *GetGameData(), soundPlayer.get(), profiles.get());
}

std::unique_ptr<GameFramework::GUIGameLogicExitWindowBase> Game::CreateGameLogicExitWindow()
{
    return std::make_unique<GUIGameLogicExitWindow>(engine.get(), *GetGameData());
}

std::unique_ptr<GameFramework::GUIGameLogicWindowBase> Game::CreateGameLogicWindow()
{
    return std::make_unique<GUIGameLogicWindow>(profiles.get(), engine.get(), GetGameData());
}

std::unique_ptr<GameFramework::GUILoadingWindowBase> Game::CreateGameLogicLoadingWindow()
{
    return std::make_unique<GUIGameLogicLoadingWindow>(engine.get(), soundPlayer.get());
}

std::unique_ptr<GameFramework::DataKeeper> Game::CreateGameLogicData(const GameFramework::StageInfo& stage,
                                                                     const GameFramework::LevelInfo&)
{
    return std::make_unique<GameLogicData>(*engine, stage);
}

std::unique_ptr<GameFramework::GameLogicBase> Game::CreateGameLogic(const GameFramework::StageInfo& stage,
                                                                    const GameFramework::LevelInfo& level, int32_t lives)
{
    auto* data = static_cast<GameLogicData*>(levelData.get());
    if (levelBackground && levelBackground->level.stageIndex != level.stageIndex)
        levelBackground.reset();
    if (!levelBackground && data != nullptr)
        levelBackground = std::make_unique<GameLogicBackground>(level, *data, *engine->modelManager,
                                                                engine->guiManager->GetCamera(),
                                                                GetGameData()->butterflyModels);
    return std::make_unique<GameLogic>(level, stage, lives, *engine, soundPlayer.get(), *GetGameData(), data,
                                       static_cast<ProfileManager*>(profiles.get()), &levelBackground,
                                       language->current->code);
}

std::unique_ptr<GameFramework::GUIGameLogicPauseWindowBase> Game::CreateGameLogicPauseWindow()
{
    return std::make_unique<GUIGameLogicPauseWindow>(engine.get(), *GetGameData());
}

std::unique_ptr<GameFramework::GUILevelCompleteWindowBase> Game::CreateLevelCompleteWindow()
{
    return std::make_unique<GUILevelCompleteWindow>(engine.get(), *GetGameData(), soundPlayer.get());
}

std::unique_ptr<GameFramework::GUIStageCompleteWindowBase> Game::CreateStageCompleteWindow()
{
    return std::make_unique<GUIStageCompleteWindow>(engine.get(), *GetGameData(), soundPlayer.get());
}

std::unique_ptr<GameFramework::GUIGameCompleteWindowBase> Game::CreateGameCompleteWindow()
{
    return std::make_unique<GUIGameCompleteWindow>(engine.get(), *GetGameData());
}

std::unique_ptr<GameFramework::GUIGameOverWindowBase> Game::CreateGameOverWindow()
{
    return std::make_unique<GUIGameOverWindow>(engine.get(), *GetGameData());
}

void Game::HandleMainMenuWindow()
{
    if (ResultOf(mainMenuWindow) == GUIMainMenuWindow::resultCredits && creditsWindow) {
        mainMenuWindow->Hide();
        creditsWindow->Start();
        return;
    }
    GameBase::HandleMainMenuWindow();
}

void Game::ShowMenuBackground()
{
    if (titleLogo)
        titleLogo->Reset();
    if (flowerHouse)
        flowerHouse->Show();
}

void Game::HideTitleLogo()
{
    if (titleLogo)
        titleLogo->Remove();
}

void Game::HandleLoadingWindow()
{
    const int32_t result = ResultOf(loadingWindow);
    GameBase::HandleLoadingWindow();
    if (result == 1)
        ShowMenuBackground();
}

void Game::HandleContinueGameLogicWindow()
{
    const int32_t result = ResultOf(continueGameLogicWindow);
    if (auto* stageScreen = dynamic_cast<GUIStartGameLogicWindow*>(startGameLogicWindow.get())) {
        if (result == 1)
            stageScreen->continueMode = GUIStartGameLogicWindow::ContinueMode::Continued;
        else if (result == 2)
            stageScreen->continueMode = GUIStartGameLogicWindow::ContinueMode::Discarded;
    }
    if (result == 1)
        HideTitleLogo();
    GameBase::HandleContinueGameLogicWindow();
}

void Game::HandleLevelWon()
{
    auto* stageScreen = dynamic_cast<GUIStartGameLogicWindow*>(startGameLogicWindow.get());
    GameFramework::ProfileBase* profile = profiles->GetCurrentProfile();
    const GameFramework::LevelPosition won = level->GetPosition();
    const GameFramework::LevelPosition next = levels->NextLevelPosition(won);
    const bool stageEnd = IsLastLevelOfStage(won);
    const bool firstWin = stageEnd && GameFramework::IsSamePosition(profile->bestPosition, won) &&
                          !profile->gameCompleted;
    if (stageEnd && levelCompleteWindow)
        static_cast<GUILevelCompleteWindow*>(levelCompleteWindow.get())->SetLastLevelOfStage(true);
    GameBase::HandleLevelWon();
    if (!firstWin || stageScreen == nullptr)
        return;
    if (levels->IsFinalLevel(next) && GameFramework::IsSamePosition(profile->bestPosition, next) &&
        profile->gameCompleted)
        stageScreen->gameComplete = true;
    GameFramework::SetProfilePosition(won, *profile);
    profile->bestPosition = won;
    profile->gameCompleted = false;
    profile->Save();
    stageScreen->nextPosition = next;
    stageScreen->advancePending = true;
}

void Game::HandleStageCompleteWindow()
{
    if (ResultOf(stageCompleteWindow) == 1) {
        ShowMenuBackground();
        HideTitleLogo();
    }
    GameBase::HandleStageCompleteWindow();
}

} // namespace Petalwork
