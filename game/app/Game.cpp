#include "game/app/Game.h"

#include "engine/core/Config.h"
#include "engine/core/EngineDescriptor.h"
#include "engine/render/gui/GUISoundManager.h"
#include "framework/GUIGameCursorBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/LanguageManager.h"
#include "framework/LevelManager.h"
#include "framework/ProfileManager.h"
#include "framework/SoundPlayer.h"
#include "game/board/GameData.h"
#include "game/screens/GUIGameCursor.h"
#include "game/screens/GUIGameLoadingWindow.h"
#include "game/screens/GUILogosWindow.h"

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
    // The level and everything else of the base go first: the level reads the game's own objects.
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
    // Until the game's logos and loading screens exist, the start-up loading runs at the first frame.
    if (!startUpLoaded && loadingWindow && gameData) {
        startUpLoaded = true;
        loadingWindow->Show(gameData.get());
        loadingWindow->RunLoading();
        loadingWindow->Hide();
    }
    GameBase::UpdateWindows();
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

// Until the game's own cursor, logos and loading windows exist, the factories give their framework bases.
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

} // namespace Petalwork
