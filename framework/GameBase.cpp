#include "framework/GameBase.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/EngineDescriptor.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Controls_DI7.h"
#include "engine/core/devices/Window.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "engine/core/sound/SoundManager.h"
#include "engine/render/Camera.h"
#include "engine/render/Random.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "engine/render/gui/GUIWindow.h"
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
#include "framework/LanguageManager.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundPlayer.h"
#include "framework/TextFileWords.h"
#include "platform/os/Clock.h"
#include "platform/os/Path.h"
#include "platform/os/Registry.h"

#include <cstdlib>
#include <vector>

namespace GameFramework {

using VantoranEngine::ConfigType;

namespace {

constexpr const char* videoMemoryCommand = "d_get_used_video_memory_size";
constexpr const char* occupationCommand = "d_get_manages_occupation";
constexpr const char* texturesCommand = "d_get_loaded_textures";
constexpr const char* showStatisticsName = "d_show_statistics";
constexpr const char* updateVideoModeCommand = "g_update_video_mode";
constexpr float bytesPerMegabyte = 1048576.0f;
constexpr int transitionPasses = 3;

Platform::RegistryRoot RootOf(RegistryRootIndex index)
{
    switch (index) {
    case RegistryRootIndex::ClassesRoot: return Platform::RegistryRoot::ClassesRoot;
    case RegistryRootIndex::CurrentConfig: return Platform::RegistryRoot::CurrentConfig;
    case RegistryRootIndex::LocalMachine: return Platform::RegistryRoot::LocalMachine;
    case RegistryRootIndex::Users: return Platform::RegistryRoot::Users;
    case RegistryRootIndex::CurrentUser: break;
    }
    return Platform::RegistryRoot::CurrentUser;
}

} // namespace

GameBase::GameBase(const std::string& title, const std::string& company)
    : company(company), title(title), registryKey("SOFTWARE\\" + company + "\\" + title)
{
    std::string text;
    if (!ReadRegistryString(RegistryRootIndex::LocalMachine, "Version", registryKey, text) &&
        !ReadRegistryString(RegistryRootIndex::CurrentUser, "Version", registryKey, text))
        text = std::to_string(version);
    version = std::atoi(text.c_str());
    if (!ReadRegistryString(RegistryRootIndex::LocalMachine, "InstallPath", registryKey, installPath) &&
        !ReadRegistryString(RegistryRootIndex::CurrentUser, "InstallPath", registryKey, installPath))
        installPath = Platform::GetProgramDirectory();
    // Created now, so that the log of the very first run (and of a failing start) has a folder.
    userDataRoot = Platform::GetUserDataDirectory(company, title, true);
}

GameBase::~GameBase()
{
    DestroyObjects();
    UnregisterConsoleVariables();
    engine.reset();
}

bool GameBase::ReadRegistryString(RegistryRootIndex root, const std::string& valueName, const std::string& keyPath,
                                  std::string& out)
{
    Platform::RegistryKey key;
    if (!Platform::RegistryOpenKey(RootOf(root), keyPath, key))
        return false;
    Platform::RegistryType type = Platform::RegistryType::Binary;
    std::string data;
    const bool read = Platform::RegistryQueryValue(key, valueName, type, data);
    Platform::RegistryCloseKey(key);
    if (!read || type != Platform::RegistryType::String || data.size() > registryValueLimit)
        return false;
    out = data.substr(0, data.find('\0'));
    return true;
}

void GameBase::Init()
{
    VantoranEngine::EngineDescriptor descriptor;
    FillEngineDescriptor(descriptor);
    engine = std::make_unique<VantoranEngine::Engine>(descriptor);
    CopyServicePointers();
    VantoranEngine::RandomSeed = Platform::GetTickCount();
    language = std::make_unique<LanguageManager>();
    RegisterConsoleVariables();
    LoadFonts();
    LoadTexts();
    VantoranEngine::Camera* camera = guiManager->GetCamera();
    camera->orthoWidth = virtualScreenWidth;
    camera->orthoHeight = virtualScreenHeight;
    CreateConsole();
    console = engine->console.get();
    soundPlayer = std::make_unique<SoundPlayer>(*engine, GetDefaultMusicVolume(), GetDefaultSoundVolume());
    levels = CreateLevelManager();
    profiles = CreateProfileManager();
    highScores = std::make_unique<HighScoresTable>(*engine, userDataRoot);
    gameData = CreateGameData();
    cursor = CreateGameCursor();
    logosWindow = CreateLogosWindow();
    loadingWindow = CreateLoadingWindow();
    RegisterSounds();
    if (logosWindow)
        logosWindow->Show();
}

void GameBase::CopyServicePointers()
{
    log = engine->messageManager.get();
    memoryManager = engine->memoryManager.get();
    fileManager = engine->fileManager.get();
    timerManager = engine->timerManager.get();
    config = engine->config.get();
    window = engine->window.get();
    renderSystem = static_cast<VantoranEngine::RenderSystem_D3D7*>(engine->renderSystem.get());
    lightManager = engine->lightManager.get();
    shaderManager = engine->shaderManager.get();
    textureManager = shaderManager->textureManager.get();
    modelManager = engine->modelManager.get();
    spriteGroupManager = engine->spriteGroupManager.get();
    particleSystemManager = engine->particleSystemManager.get();
    controls = static_cast<VantoranEngine::Controls_DI7*>(engine->controls.get());
    soundManager = engine->soundManager.get();
    guiManager = engine->guiManager.get();
    fontManager = guiManager->GetFontManager();
    textManager = guiManager->GetTextManager();
    guiSoundManager = guiManager->GetSoundManager();
    screenCapture = engine->screenCapture.get();
}

void GameBase::FillEngineDescriptor(VantoranEngine::EngineDescriptor& descriptor)
{
    descriptor.title = title;
    descriptor.version = version;
    descriptor.baseDirectory = installPath;
    descriptor.saveConfig = true;
    descriptor.configName = title;
    descriptor.logEnabled = true;
    descriptor.logReopen = false;
    descriptor.logDirectory = userDataRoot;
    descriptor.logName = title;
    descriptor.configDirectory = userDataRoot;
    descriptor.packDirectory = "Data";
    descriptor.parentWindow = 0;
    descriptor.iconId = 0;
    descriptor.unusedFlag = true;
    descriptor.forceVideoMode = false;
    descriptor.videoMode = "800x600x32";
    descriptor.forceFullscreen = false;
    descriptor.fullscreenDefault = true;
    descriptor.sound3D = false;
}

void GameBase::RegisterConsoleVariables()
{
    config->Register("", videoMemoryCommand, ConfigType::Command, false, nullptr, false);
    config->Register("", occupationCommand, ConfigType::Command, false, nullptr, false);
    config->Register("", texturesCommand, ConfigType::Command, false, nullptr, false);
    config->Register("0", showStatisticsName, ConfigType::Bool, true, &showStatistics, false);
    config->Register("", updateVideoModeCommand, ConfigType::Command, false, nullptr, false);
    consoleVariablesRegistered = true;
}

void GameBase::UnregisterConsoleVariables()
{
    if (!consoleVariablesRegistered || !config)
        return;
    for (const char* name : {videoMemoryCommand, occupationCommand, texturesCommand, showStatisticsName,
                             updateVideoModeCommand})
        config->Unregister(name);
    consoleVariablesRegistered = false;
}

void GameBase::LoadFonts()
{
    try {
        auto list = fileManager->OpenTextual("data\\ui\\fonts\\" + language->current->code + ".ini", false);
        fontCount = list->ReadInt();
        consoleFontId = list->ReadInt();
        for (int32_t id = 0; id < fontCount; ++id) {
            std::string fontFile, colourImage, opacityImage;
            if (!ReadNextWord(*list, fontFile))
                break; // a truncated list ends with the fonts read so far
            ReadNextWord(*list, colourImage);
            ReadNextWord(*list, opacityImage);
            const float size = list->ReadFloat();
            const float missingAdvance = list->ReadFloat();
            const float spacing = list->ReadFloat();
            const int32_t lowerCase = list->ReadInt();
            VantoranEngine::ShaderDescriptor material;
            VantoranEngine::BuildGUIShaderDescriptor(material, colourImage, opacityImage, 1);
            VantoranEngine::GUIFont* font = fontManager->LoadFont(id, material, fontFile);
            if (!font)
                continue;
            font->size = size;
            font->missingAdvance = missingAdvance;
            font->spacing = spacing;
            if (lowerCase != 0)
                font->AddLowerCaseGlyphs();
        }
    } catch (const VantoranEngine::FileError&) {
        // An unreadable font list leaves the fonts loaded so far; start-up goes on.
    }
}

void GameBase::LoadTexts()
{
    LoadTextFile("common");
}

void GameBase::LoadTextFile(const std::string& name)
{
    textManager->LoadTexts("ui\\texts\\" + language->current->code + "\\" + name + ".ini");
}

void GameBase::CreateConsole()
{
    VantoranEngine::ShaderDescriptor background;
    VantoranEngine::BuildGUIShaderDescriptor(background, "ui\\console\\console.jpg", "32bit", 1);
    engine->CreateConsole(engine->GetCaption(), background, consoleFontId, "~", 0.95f, 308.0f, 1000.0f);
}

void GameBase::RegisterSounds()
{
}

void GameBase::ShowDebugStatistics()
{
    if (!config->IsCommandReady(videoMemoryCommand)) {
        config->SetCommandReady(videoMemoryCommand, true);
        const float megabytes = static_cast<float>(textureManager->GetUsedVideoMemory()) / bytesPerMegabyte;
        log->LogMessage("Video Memory Used: " + VantoranEngine::FloatToString(megabytes, 2) + " Mb");
    }
    if (!config->IsCommandReady(occupationCommand)) {
        config->SetCommandReady(occupationCommand, true);
        auto count = [](size_t value) { return VantoranEngine::UIntToString(0, static_cast<unsigned>(value)); };
        log->LogMessage("Shader users count: " + count(shaderManager->GetUserCount()));
        log->LogMessage("Shaders count: " + count(static_cast<size_t>(shaderManager->shaderCount)));
        log->LogMessage("Textures count: " + count(textureManager->GetTextureCount()));
        log->LogMessage("Models count: " + count(modelManager->models.count));
        // Without a sound device there are no slots at all.
        log->LogMessage("Sounds count: " + count(soundManager ? soundManager->GetSlotCount() : 0));
    }
    if (!config->IsCommandReady(texturesCommand)) {
        config->SetCommandReady(texturesCommand, true);
        std::vector<VantoranEngine::Texture2D*> textures;
        textureManager->GetLoadedTextures(textures);
        for (size_t i = 0; i < textures.size(); ++i)
            log->LogMessage("Texture " + VantoranEngine::UIntToString(0, static_cast<unsigned>(i)) + ": " +
                            textures[i]->name);
    }
}

float GameBase::GetDefaultMusicVolume()
{
    return 0.0f;
}

float GameBase::GetDefaultSoundVolume()
{
    return 0.0f;
}

void GameBase::ResetDevice()
{
    renderSystem->Reset(3);
}

std::string GameBase::AudioFilePath(const std::string& category, const std::string& name) const
{
    const std::string base = "audio\\" + category + "\\" + name + ".";
    // The sound reader opens its names under the data folder; ask about that file.
    if (fileManager->Exists(VantoranEngine::FileManager::GetDataPath(base + "wav")))
        return base + "wav";
    return base + "ogg";
}

bool GameBase::LoseFocus()
{
    if (level && !focusLost) {
        if (level->GetState() == LevelState::Playing) {
            // Paused behind the pause window, which this frame still draws.
            level->SetState(LevelState::Paused);
            if (gameLogicWindow)
                gameLogicWindow->SetActive(false);
            if (pauseWindow)
                pauseWindow->Show();
            soundPlayer->FadeAll(true, false, focusFadeSpeed);
            rememberedTimerPause = true;
            focusLost = true;
            return true;
        }
        rememberedTimerPause = level->GetLevelTimer()->IsPaused();
        level->GetLevelTimer()->SetPaused(true);
    }
    window->Update();
    renderSystem->Refresh();
    timerManager->Update();
    if (soundManager)
        soundManager->Update(true);
    if (!focusLost) {
        soundPlayer->FadeAll(true, false, focusFadeSpeed);
        focusLost = true;
    }
    Platform::Sleep(unfocusedSleep);
    return false;
}

void GameBase::Tick()
{
    if (!window->HasFocus()) {
        if (!LoseFocus())
            return;
    } else if (focusLost) {
        soundPlayer->FadeAll(false, true, focusFadeSpeed);
        if (level)
            level->GetLevelTimer()->SetPaused(rememberedTimerPause);
        focusLost = false;
    }
    if (!config->IsCommandReady(updateVideoModeCommand)) {
        renderSystem->CheckVideoMode();
        config->SetCommandReady(updateVideoModeCommand, true);
    }
    if (renderSystem->videoModeChanged) {
        soundPlayer->FadeAll(true, false, focusFadeSpeed);
        ResetDevice();
        soundPlayer->FadeAll(false, true, focusFadeSpeed);
        controls->inputHold = true; // keys held through the reset count only once released
    }
    engine->Update();
    ShowDebugStatistics();
    soundPlayer->Update();
    for (int pass = 0; pass < transitionPasses; ++pass) {
        ProcessTransitions();
        ClearResults();
    }
    UpdateWindows();
    if (cursor)
        cursor->Update();
    engine->EndFrame();
}

void GameBase::DestroyObjects()
{
    // The running level first: it reads the windows, the bundles and the game's own objects.
    level.reset();
    DestroyWindows();
    loadingWindow.reset();
    highScores.reset();
    profiles.reset();
    levels.reset();
    gameData.reset();
    levelData.reset();
    previousLevelData.reset();
    language.reset();
    soundPlayer.reset();
}

namespace {

// A window whose screen the game does not have yet is null; the flow passes it by.
template <typename Window, typename... Args>
void ShowWindow(const std::unique_ptr<Window>& window, Args&&... args)
{
    if (window != nullptr)
        window->Show(std::forward<Args>(args)...);
}

template <typename Window>
void HideWindow(const std::unique_ptr<Window>& window)
{
    if (window != nullptr)
        window->Hide();
}

} // namespace

std::unique_ptr<GUILoadingWindowBase> GameBase::CreateGameLogicLoadingWindow()
{
    return nullptr;
}

std::unique_ptr<GUIWelcomeWindowBase> GameBase::CreateWelcomeWindow()
{
    return nullptr;
}

std::unique_ptr<GUIExitWindowBase> GameBase::CreateExitWindow()
{
    return nullptr;
}

std::unique_ptr<GUIMainMenuWindowBase> GameBase::CreateMainMenuWindow()
{
    return nullptr;
}

std::unique_ptr<GUIProfilesWindowBase> GameBase::CreateProfilesWindow()
{
    return nullptr;
}

std::unique_ptr<GUINewProfileWindowBase> GameBase::CreateNewProfileWindow()
{
    return nullptr;
}

std::unique_ptr<GUIRenameProfileWindowBase> GameBase::CreateRenameProfileWindow()
{
    return nullptr;
}

std::unique_ptr<GUIDeleteProfileWindowBase> GameBase::CreateDeleteProfileWindow()
{
    return nullptr;
}

std::unique_ptr<GUIProfileNameConflictWindowBase> GameBase::CreateProfileNameConflictWindow()
{
    return nullptr;
}

std::unique_ptr<GUIStartGameLogicWindowBase> GameBase::CreateStartGameLogicWindow()
{
    return nullptr;
}

std::unique_ptr<GUIContinueGameLogicWindowBase> GameBase::CreateContinueGameLogicWindow()
{
    return nullptr;
}

std::unique_ptr<GUIHighScoresWindowBase> GameBase::CreateHighScoresWindow()
{
    return nullptr;
}

std::unique_ptr<GUIOptionsWindowBase> GameBase::CreateOptionsWindow()
{
    return nullptr;
}

std::unique_ptr<GUIGameLogicWindowBase> GameBase::CreateGameLogicWindow()
{
    return nullptr;
}

std::unique_ptr<GUIGameLogicPauseWindowBase> GameBase::CreateGameLogicPauseWindow()
{
    return nullptr;
}

std::unique_ptr<GUIGameLogicMenuWindowBase> GameBase::CreateGameLogicMenuWindow()
{
    return nullptr;
}

std::unique_ptr<GUIGameLogicExitWindowBase> GameBase::CreateGameLogicExitWindow()
{
    return nullptr;
}

std::unique_ptr<GUILevelCompleteWindowBase> GameBase::CreateLevelCompleteWindow()
{
    return nullptr;
}

std::unique_ptr<GUIStageCompleteWindowBase> GameBase::CreateStageCompleteWindow()
{
    return nullptr;
}

std::unique_ptr<GUIGameCompleteWindowBase> GameBase::CreateGameCompleteWindow()
{
    return nullptr;
}

std::unique_ptr<GUIGameOverWindowBase> GameBase::CreateGameOverWindow()
{
    return nullptr;
}

std::unique_ptr<DataKeeper> GameBase::CreateGameLogicData(const StageInfo&, const LevelInfo&)
{
    return nullptr;
}

std::unique_ptr<GameLogicBase> GameBase::CreateGameLogic(const StageInfo&, const LevelInfo&, int32_t)
{
    return nullptr;
}

void GameBase::CreateWindows()
{
    gameLogicLoadingWindow = CreateGameLogicLoadingWindow();
    welcomeWindow = CreateWelcomeWindow();
    exitWindow = CreateExitWindow();
    mainMenuWindow = CreateMainMenuWindow();
    profilesWindow = CreateProfilesWindow();
    newProfileWindow = CreateNewProfileWindow();
    renameProfileWindow = CreateRenameProfileWindow();
    deleteProfileWindow = CreateDeleteProfileWindow();
    profileNameConflictWindow = CreateProfileNameConflictWindow();
    startGameLogicWindow = CreateStartGameLogicWindow();
    continueGameLogicWindow = CreateContinueGameLogicWindow();
    highScoresWindow = CreateHighScoresWindow();
    optionsWindow = CreateOptionsWindow();
    gameLogicWindow = CreateGameLogicWindow();
    pauseWindow = CreateGameLogicPauseWindow();
    gameLogicMenuWindow = CreateGameLogicMenuWindow();
    gameLogicExitWindow = CreateGameLogicExitWindow();
    levelCompleteWindow = CreateLevelCompleteWindow();
    stageCompleteWindow = CreateStageCompleteWindow();
    gameCompleteWindow = CreateGameCompleteWindow();
    gameOverWindow = CreateGameOverWindow();
}

void GameBase::ProcessTransitions()
{
    if (logosWindow)
        HandleLogosWindow();
    if (loadingWindow)
        HandleLoadingWindow();
    if (welcomeWindow)
        HandleWelcomeWindow();
    if (exitWindow)
        HandleExitWindow();
    if (mainMenuWindow)
        HandleMainMenuWindow();
    if (profilesWindow)
        HandleProfilesWindow();
    if (gameLogicLoadingWindow)
        HandleGameLogicLoadingWindow();
    if (newProfileWindow)
        HandleNewProfileWindow();
    if (renameProfileWindow)
        HandleRenameProfileWindow();
    if (deleteProfileWindow)
        HandleDeleteProfileWindow();
    if (profileNameConflictWindow)
        HandleProfileNameConflictWindow();
    if (startGameLogicWindow)
        HandleStartGameLogicWindow();
    if (continueGameLogicWindow)
        HandleContinueGameLogicWindow();
    if (highScoresWindow)
        HandleHighScoresWindow();
    if (optionsWindow)
        HandleOptionsWindow();
    if (gameLogicWindow)
        HandleGameLogicWindow();
    if (pauseWindow)
        HandleGameLogicPauseWindow();
    if (gameLogicMenuWindow)
        HandleGameLogicMenuWindow();
    if (gameLogicExitWindow)
        HandleGameLogicExitWindow();
    if (level != nullptr && level->IsChanged()) {
        switch (level->GetState()) {
        case LevelState::Won:
            HandleLevelWon();
            break;
        case LevelState::Lost:
            HandleLevelLost();
            break;
        case LevelState::Restart:
            HandleLevelRestart();
            break;
        default:
            break;
        }
    }
    if (levelCompleteWindow)
        HandleLevelCompleteWindow();
    if (stageCompleteWindow)
        HandleStageCompleteWindow();
    if (gameCompleteWindow)
        HandleGameCompleteWindow();
    if (gameOverWindow)
        HandleGameOverWindow();
}

void GameBase::ClearResults()
{
    auto clear = [](auto& window) {
        if (window != nullptr)
            window->result = 0;
    };
    clear(logosWindow);
    clear(loadingWindow);
    clear(gameLogicLoadingWindow);
    clear(welcomeWindow);
    clear(exitWindow);
    clear(mainMenuWindow);
    clear(profilesWindow);
    clear(newProfileWindow);
    clear(renameProfileWindow);
    clear(deleteProfileWindow);
    clear(profileNameConflictWindow);
    clear(startGameLogicWindow);
    clear(continueGameLogicWindow);
    clear(highScoresWindow);
    clear(optionsWindow);
    clear(gameLogicWindow);
    clear(pauseWindow);
    clear(gameLogicMenuWindow);
    clear(gameLogicExitWindow);
    clear(levelCompleteWindow);
    clear(stageCompleteWindow);
    clear(gameCompleteWindow);
    clear(gameOverWindow);
    if (level != nullptr)
        level->ClearChanged();
}

void GameBase::UpdateWindows()
{
    auto update = [](auto& window) {
        if (window != nullptr)
            window->Update();
    };
    update(logosWindow);
    update(loadingWindow);
    update(welcomeWindow);
    update(exitWindow);
    update(mainMenuWindow);
    update(profilesWindow);
    update(newProfileWindow);
    update(renameProfileWindow);
    update(deleteProfileWindow);
    update(profileNameConflictWindow);
    update(gameLogicLoadingWindow);
    update(startGameLogicWindow);
    update(continueGameLogicWindow);
    update(highScoresWindow);
    update(optionsWindow);
    update(gameLogicWindow);
    update(pauseWindow);
    update(gameLogicMenuWindow);
    update(gameLogicExitWindow);
    if (level != nullptr)
        level->Update();
    update(levelCompleteWindow);
    update(stageCompleteWindow);
    update(gameCompleteWindow);
    update(gameOverWindow);
}

void GameBase::ShowGameCursor()
{
    if (cursor != nullptr)
        cursor->ShowCursor();
}

void GameBase::HideGameCursor()
{
    if (cursor != nullptr)
        cursor->HideCursor();
}

void GameBase::HandleLogosWindow()
{
    if (ResultOf(logosWindow) != 1)
        return;
    logosWindow->Hide();
    ShowWindow(loadingWindow, gameData.get());
}

void GameBase::HandleLoadingWindow()
{
    if (ResultOf(loadingWindow) != 1)
        return;
    loadingWindow->Hide();
    CreateWindows(); // the game's own: its flower house and title logo come before the dialogs under them
    if (!profiles->GetProfiles().empty())
        ShowWindow(mainMenuWindow);
    else
        ShowWindow(welcomeWindow);
    ShowGameCursor();
}

void GameBase::HandleWelcomeWindow()
{
    switch (ResultOf(welcomeWindow)) {
    case 1:
        welcomeWindow->Hide();
        ShowWindow(mainMenuWindow);
        break;
    case 2:
        welcomeWindow->Hide();
        ShowWindow(exitWindow, 1);
        break;
    default:
        break;
    }
}

void GameBase::HandleExitWindow()
{
    switch (ResultOf(exitWindow)) {
    case 1:
        exitWindow->Hide();
        ShowWindow(welcomeWindow);
        break;
    case 2:
        exitWindow->Hide();
        ShowWindow(mainMenuWindow);
        break;
    case 3:
        exitWindow->Hide();
        ShowWindow(newProfileWindow, GUINewProfileWindowBase::Mode::BackFromConflict);
        break;
    case 4:
        engine->RequestExit(); // the window stays up for the last frame
        break;
    default:
        break;
    }
}

void GameBase::HandleMainMenuWindow()
{
    switch (ResultOf(mainMenuWindow)) {
    case 1:
        mainMenuWindow->Hide();
        ShowWindow(profilesWindow);
        break;
    case 2: {
        mainMenuWindow->Hide();
        ProfileBase* profile = profiles->GetCurrentProfile();
        if (profile != nullptr && profile->savedGame) {
            ShowWindow(continueGameLogicWindow);
        } else {
            if (profile != nullptr)
                profile->Reset();
            ShowWindow(startGameLogicWindow, GUIStartGameLogicWindowBase::Mode::NewGame);
        }
        break;
    }
    case 3:
        mainMenuWindow->Hide();
        ShowWindow(highScoresWindow, GUIHighScoresWindowBase::Mode::MainMenu, nullptr);
        break;
    case 4:
        mainMenuWindow->Hide();
        ShowWindow(optionsWindow);
        break;
    case 5:
        mainMenuWindow->Hide();
        ShowWindow(exitWindow, 2);
        break;
    default:
        break;
    }
}

void GameBase::HandleProfilesWindow()
{
    switch (ResultOf(profilesWindow)) {
    case 1:
        profilesWindow->Hide();
        ShowWindow(newProfileWindow, GUINewProfileWindowBase::Mode::Fresh);
        break;
    case 2:
        profilesWindow->Hide();
        ShowWindow(renameProfileWindow, true, profilesWindow->selectedProfileName);
        break;
    case 3:
        profilesWindow->Hide();
        ShowWindow(deleteProfileWindow, profilesWindow->selectedProfileName);
        break;
    case 4:
        profilesWindow->Hide();
        ShowWindow(mainMenuWindow);
        break;
    default:
        break;
    }
}

void GameBase::HandleNewProfileWindow()
{
    switch (ResultOf(newProfileWindow)) {
    case 1:
        newProfileWindow->Hide();
        ShowWindow(profileNameConflictWindow, GUIProfileNameConflictWindowBase::Mode::NewName);
        break;
    case 2:
        newProfileWindow->Hide();
        ShowWindow(profilesWindow);
        break;
    case 3:
        newProfileWindow->Hide();
        ShowWindow(exitWindow, 3);
        break;
    default:
        break;
    }
}

void GameBase::HandleRenameProfileWindow()
{
    switch (ResultOf(renameProfileWindow)) {
    case 1:
        renameProfileWindow->Hide();
        ShowWindow(profileNameConflictWindow, GUIProfileNameConflictWindowBase::Mode::Rename);
        break;
    case 2:
        renameProfileWindow->Hide();
        ShowWindow(profilesWindow);
        break;
    default:
        break;
    }
}

void GameBase::HandleDeleteProfileWindow()
{
    switch (ResultOf(deleteProfileWindow)) {
    case 1:
        deleteProfileWindow->Hide();
        ShowWindow(profilesWindow);
        break;
    case 2:
        deleteProfileWindow->Hide();
        ShowWindow(newProfileWindow, GUINewProfileWindowBase::Mode::Fresh);
        break;
    default:
        break;
    }
}

void GameBase::HandleProfileNameConflictWindow()
{
    switch (ResultOf(profileNameConflictWindow)) {
    case 1:
        profileNameConflictWindow->Hide();
        ShowWindow(newProfileWindow, GUINewProfileWindowBase::Mode::BackFromConflict);
        break;
    case 2:
        profileNameConflictWindow->Hide();
        ShowWindow(renameProfileWindow, false, std::u16string());
        break;
    default:
        break;
    }
}

void GameBase::HandleHighScoresWindow()
{
    if (ResultOf(highScoresWindow) != 1)
        return;
    highScoresWindow->Hide();
    ShowWindow(mainMenuWindow);
}

void GameBase::HandleOptionsWindow()
{
    if (ResultOf(optionsWindow) != 1)
        return;
    optionsWindow->Hide();
    ShowWindow(mainMenuWindow);
}

void GameBase::PrepareLevelData()
{
    previousLevelData = std::move(levelData);
    const LevelPosition position = profiles->GetCurrentProfile()->currentPosition;
    levelData = CreateGameLogicData(levels->GetStage(position.stage), levels->GetLevel(position));
}

void GameBase::CloseLevel()
{
    HideWindow(gameLogicWindow);
    level.reset();
}

void GameBase::HandleStartGameLogicWindow()
{
    switch (ResultOf(startGameLogicWindow)) {
    case 1:
        startGameLogicWindow->Hide();
        ShowWindow(mainMenuWindow);
        break;
    case 2:
        PrepareLevelData();
        startGameLogicWindow->Hide();
        ShowWindow(gameLogicLoadingWindow, levelData.get());
        break;
    default:
        break;
    }
}

void GameBase::HandleContinueGameLogicWindow()
{
    switch (ResultOf(continueGameLogicWindow)) {
    case 1:
        continueGameLogicWindow->Hide();
        ShowWindow(startGameLogicWindow, GUIStartGameLogicWindowBase::Mode::Continue);
        break;
    case 2: {
        ProfileBase* profile = profiles->GetCurrentProfile();
        profile->savedGame = false;
        profile->Save();
        profile->Reset();
        continueGameLogicWindow->Hide();
        ShowWindow(startGameLogicWindow, GUIStartGameLogicWindowBase::Mode::Continue);
        break;
    }
    default:
        break;
    }
}

void GameBase::HandleGameLogicLoadingWindow()
{
    if (ResultOf(gameLogicLoadingWindow) != 1)
        return;
    gameLogicLoadingWindow->Hide();
    ShowGameCursor();
    ProfileBase* profile = profiles->GetCurrentProfile();
    const LevelPosition position = profile->currentPosition;
    level = CreateGameLogic(levels->GetStage(position.stage), levels->GetLevel(position), profile->livesCarried);
    ShowWindow(gameLogicWindow, level.get());
}

void GameBase::HandleGameLogicWindow()
{
    const int32_t result = ResultOf(gameLogicWindow);
    if (result != 1 && result != 2)
        return;
    gameLogicWindow->SetActive(false);
    if (result == 1)
        ShowWindow(pauseWindow);
    else
        ShowWindow(gameLogicMenuWindow);
    if (level != nullptr)
        level->SetState(LevelState::Paused);
}

void GameBase::HandleGameLogicPauseWindow()
{
    if (ResultOf(pauseWindow) != 1)
        return;
    pauseWindow->Hide();
    if (gameLogicWindow != nullptr)
        gameLogicWindow->SetActive(true);
    if (level != nullptr)
        level->SetState(LevelState::Playing);
}

void GameBase::HandleGameLogicMenuWindow()
{
    switch (ResultOf(gameLogicMenuWindow)) {
    case 1:
        gameLogicMenuWindow->Hide();
        if (gameLogicWindow != nullptr)
            gameLogicWindow->SetActive(true);
        if (level != nullptr)
            level->SetState(LevelState::Playing);
        break;
    case 2:
        gameLogicMenuWindow->Hide();
        ShowWindow(gameLogicExitWindow);
        break;
    default:
        break;
    }
}

void GameBase::HandleGameLogicExitWindow()
{
    switch (ResultOf(gameLogicExitWindow)) {
    case 1:
        gameLogicExitWindow->Hide();
        ShowWindow(gameLogicMenuWindow);
        break;
    case 2:
        gameLogicExitWindow->Hide();
        CloseLevel();
        ShowWindow(mainMenuWindow);
        break;
    default:
        break;
    }
}

void GameBase::HandleLevelWon()
{
    if (gameLogicWindow != nullptr)
        gameLogicWindow->SetActive(false);
    ProfileBase* profile = profiles->GetCurrentProfile();
    const LevelPosition won = level->GetPosition();
    const LevelPosition next = levels->NextLevelPosition(won);
    SetProfilePosition(next, *profile);
    const bool final = IsSamePosition(next, won); // no further level in the game
    UpdateBestPosition(next, final, *profile);
    profile->livesCarried = level->lives;
    profile->totalScore += level->GetScoreKeeper().total;
    profile->savedGame = !final;
    profile->Save();
    ShowWindow(levelCompleteWindow);
}

void GameBase::HandleLevelLost()
{
    if (gameLogicWindow != nullptr)
        gameLogicWindow->SetActive(false);
    ProfileBase* profile = profiles->GetCurrentProfile();
    profile->savedGame = false;
    profile->Save();
    ShowWindow(gameOverWindow);
}

void GameBase::HandleLevelRestart()
{
    profiles->GetCurrentProfile()->livesCarried = level->lives;
    CloseLevel();
    PrepareLevelData();
    ShowWindow(gameLogicLoadingWindow, levelData.get());
}

void GameBase::StepBackLevel()
{
    ProfileBase* profile = profiles->GetCurrentProfile();
    LevelPosition position = level->GetPosition();
    if (position.level > 0) {
        --position.level;
    } else if (position.stage > 0) {
        --position.stage;
        position.level = levels->GetLevelCount(position.stage) - 1;
    }
    SetProfilePosition(position, *profile);
    CloseLevel();
    ShowWindow(startGameLogicWindow, GUIStartGameLogicWindowBase::Mode::NewGame);
}

bool GameBase::IsLastLevelOfStage(const LevelPosition& position) const
{
    return position.level + 1 >= levels->GetLevelCount(position.stage);
}

void GameBase::HandleLevelCompleteWindow()
{
    if (ResultOf(levelCompleteWindow) != 1)
        return;
    levelCompleteWindow->Hide();
    if (level != nullptr && IsLastLevelOfStage(level->GetPosition())) {
        ShowWindow(stageCompleteWindow); // the level stays until the stage-complete window closes it
    } else {
        CloseLevel();
        ShowWindow(startGameLogicWindow, GUIStartGameLogicWindowBase::Mode::NextLevel);
    }
}

void GameBase::HandleStageCompleteWindow()
{
    if (ResultOf(stageCompleteWindow) != 1)
        return;
    stageCompleteWindow->Hide();
    // The level's position is read before the level is closed.
    const bool final = level != nullptr && levels->IsFinalLevel(level->GetPosition());
    CloseLevel();
    if (final) {
        const ProfileBase* profile = profiles->GetCurrentProfile();
        highScores->Add(static_cast<uint32_t>(profile->totalScore), profile->name);
    }
    ShowWindow(startGameLogicWindow, GUIStartGameLogicWindowBase::Mode::StageComplete);
}

void GameBase::EndGame()
{
    const ProfileBase* profile = profiles->GetCurrentProfile();
    const int32_t levelScore = level != nullptr ? level->GetScoreKeeper().total : 0;
    const uint32_t sum = static_cast<uint32_t>(levelScore) + static_cast<uint32_t>(profile->totalScore);
    if (sum != 0)
        ShowWindow(highScoresWindow, GUIHighScoresWindowBase::Mode::GameEnded, highScores->Add(sum, profile->name));
    else
        ShowWindow(mainMenuWindow);
    CloseLevel();
}

void GameBase::HandleGameCompleteWindow()
{
    if (ResultOf(gameCompleteWindow) != 1)
        return;
    gameCompleteWindow->Hide();
    EndGame();
}

void GameBase::HandleGameOverWindow()
{
    if (ResultOf(gameOverWindow) != 1)
        return;
    gameOverWindow->Hide();
    EndGame();
}

void GameBase::DestroyWindows()
{
    gameOverWindow.reset();
    gameCompleteWindow.reset();
    stageCompleteWindow.reset();
    levelCompleteWindow.reset();
    gameLogicExitWindow.reset();
    gameLogicMenuWindow.reset();
    pauseWindow.reset();
    gameLogicWindow.reset();
    optionsWindow.reset();
    highScoresWindow.reset();
    continueGameLogicWindow.reset();
    startGameLogicWindow.reset();
    profileNameConflictWindow.reset();
    deleteProfileWindow.reset();
    renameProfileWindow.reset();
    newProfileWindow.reset();
    profilesWindow.reset();
    mainMenuWindow.reset();
    exitWindow.reset();
    welcomeWindow.reset();
    gameLogicLoadingWindow.reset();
    logosWindow.reset();
    cursor.reset();
}

} // namespace GameFramework
