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
#include "framework/GUIGameCursorBase.h"
#include "framework/GUIGameLogicPauseWindowBase.h"
#include "framework/GUIGameLogicWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUILogosWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/HighScoresTable.h"
#include "framework/LanguageManager.h"
#include "framework/LevelManagerBase.h"
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

void GameBase::ProcessTransitions()
{
}

void GameBase::ClearResults()
{
    if (logosWindow)
        logosWindow->result = 0;
    if (loadingWindow)
        loadingWindow->result = 0;
    if (level)
        level->ClearChanged();
}

void GameBase::UpdateWindows()
{
    if (logosWindow)
        logosWindow->Update();
    if (loadingWindow)
        loadingWindow->Update();
    if (level)
        level->Update();
}

void GameBase::DestroyObjects()
{
    // The running level first: it reads the windows, the bundles and the game's own objects.
    level.reset();
    pauseWindow.reset();
    gameLogicWindow.reset();
    loadingWindow.reset();
    logosWindow.reset();
    cursor.reset();
    highScores.reset();
    profiles.reset();
    levels.reset();
    gameData.reset();
    levelData.reset();
    previousLevelData.reset();
    language.reset();
    soundPlayer.reset();
}

} // namespace GameFramework
