#include "engine/core/Engine.h"

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Console.h"
#include "engine/core/devices/Controls_DI7.h"
#include "engine/core/devices/Window.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/sound/SoundManager.h"
#include "engine/core/sound/SoundSystem_DS7.h"
#include "engine/render/Random.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/ScreenCapture.h"
#include "platform/os/Clock.h"

namespace VantoranEngine {

namespace {

const char* const kDefaultTitle = "Vantoran Engine";
const int32_t kDefaultVersion = 67;

} // namespace

Engine::Engine(const EngineDescriptor& source) : descriptor(source)
{
    if (descriptor.title.empty()) {
        descriptor.title = kDefaultTitle;
        descriptor.version = kDefaultVersion;
    }
    const EngineDescriptor& d = descriptor;

    messageManager = std::make_unique<MessageManager>(d.logDirectory, d.logName, d.title, d.logEnabled,
                                                      d.logReopen);
    memoryManager = std::make_unique<MemoryManager>(messageManager.get());
    fileManager = std::make_unique<FileManager>(messageManager.get(), memoryManager.get(), d.baseDirectory,
                                                d.packDirectory);
    timerManager = std::make_unique<TimerManager>();
    config = std::make_unique<Config>(messageManager.get(), memoryManager.get(), fileManager.get(), d.configName,
                                      d.configDirectory, d.videoMode, d.forceVideoMode, d.forceFullscreen,
                                      d.fullscreenDefault);
    config->Load();
    // "desktop" parses as 640 x 480: the first window takes that size and the render device, which
    // resolves "desktop" to the desktop's mode, resizes it at once.
    uint32_t width = 0;
    uint32_t height = 0;
    Config::ParseVideoMode(config->settings.v_mode, &width, &height, nullptr);

    // The descriptor's 32-bit parent handle: 0 for a top-level window, which is all this platform builds.
    const auto parent = reinterpret_cast<Platform::HWND>(static_cast<uintptr_t>(d.parentWindow));
    window = std::make_unique<Window>(*config, *messageManager, GetCaption(), parent, d.iconId, width, height,
                                      config->settings.v_fullscreen);
    renderSystem = std::make_unique<RenderSystem_D3D7>(messageManager.get(), memoryManager.get(), config.get(),
                                                       window.get());
    cameraManager = std::make_unique<CameraManager>(messageManager.get(), memoryManager.get(), window.get(),
                                                    renderSystem.get());
    lightManager = std::make_unique<LightManager>(messageManager.get(), memoryManager.get(), renderSystem.get());
    shaderManager = std::make_unique<ShaderManager>(messageManager.get(), memoryManager.get(), fileManager.get(),
                                                    timerManager.get(), config.get(), renderSystem.get());
    modelManager = std::make_unique<ModelManager>(messageManager.get(), memoryManager.get(), fileManager.get(),
                                                  timerManager.get(), renderSystem.get(), cameraManager.get(),
                                                  lightManager.get(), shaderManager.get());
    spriteGroupManager = std::make_unique<SpriteGroupManager>(messageManager.get(), memoryManager.get(),
                                                              cameraManager.get(), shaderManager.get(),
                                                              modelManager.get());
    particleSystemManager = std::make_unique<ParticleSystemManager>(messageManager.get(), memoryManager.get(),
                                                                    fileManager.get(), timerManager.get(),
                                                                    shaderManager.get(), spriteGroupManager.get());
    // Captures go under the configuration folder, which the game sets to the user-data folder.
    screenCapture = std::make_unique<ScreenCapture>(messageManager.get(), memoryManager.get(), fileManager.get(),
                                                    config.get(), d.configDirectory);
    controls = std::make_unique<Controls_DI7>(*messageManager, *window, *config, *timerManager);

    // No sound: the failed service and the ones after it stay null; the game runs silent.
    RunSurvivableStep([&] {
        soundSystem = std::make_unique<SoundSystem_DS7>(messageManager.get(), memoryManager.get(),
                                                        fileManager.get(), config.get(), window.get(), d.sound3D);
        soundManager = std::make_unique<SoundManager>(memoryManager.get(), fileManager.get(),
                                                      messageManager.get(), soundSystem.get());
    });

    guiManager = std::make_unique<GUIManager>(messageManager.get(), memoryManager.get(), fileManager.get(),
                                              window.get(), timerManager.get(), cameraManager.get(),
                                              shaderManager.get(), modelManager.get(), controls.get(),
                                              soundManager.get(), config.get());

    RandomSeed = Platform::GetTickCount();
}

Engine::~Engine()
{
    if (descriptor.saveConfig && config)
        config->Save();

    console.reset();
    guiManager.reset();
    soundManager.reset();
    soundSystem.reset();
    controls.reset();
    screenCapture.reset();
    particleSystemManager.reset();
    spriteGroupManager.reset();
    modelManager.reset();
    shaderManager.reset();
    lightManager.reset();
    cameraManager.reset();
    renderSystem.reset();
    window.reset();
    config.reset();
    timerManager.reset();
    fileManager.reset();
    memoryManager.reset();
    messageManager.reset();   // writes the log's footer
}

void Engine::Update()
{
    config->Update();
    timerManager->Update();
    window->Update();
    controls->Update();
    guiManager->Update();
    if (console)
        console->Update();
    messageManager->ClearEntries();
}

void Engine::Render()
{
    renderSystem->Refresh();
    cameraManager->Update();
    particleSystemManager->Update();
    spriteGroupManager->Update();
    guiManager->Render();
    lightManager->Update();
    shaderManager->Update();
    modelManager->Render();
    // the sound services are skipped while null
    if (soundSystem)
        soundSystem->Refresh();
    if (soundManager)
        soundManager->Update(true);
}

void Engine::EndFrame()
{
    Render();
    if (renderSystem->ready)
        renderSystem->SwapBuffers();
    if (controls->IsKeyPressed("PRINTSCRN"))
        config->SetCommandReady("sc_take_screenshot", false);
    controls->EndFrame();
    screenCapture->Update();
    config->EndFrame();
    if (IsExitRequested())
        messageManager->LogMessage("\nExiting...\n");
}

void Engine::CreateConsole(const std::string& caption, const ShaderDescriptor& background, int32_t fontId,
                           const std::string& keyName, float alpha, float size, float speed)
{
    console.reset();
    console = std::make_unique<Console>(messageManager.get(), timerManager.get(), config.get(), controls.get(),
                                        guiManager.get(), caption, background, fontId, keyName, alpha, size, speed);
}

void Engine::RequestExit()
{
    config->SetCommandReady("exit", false);
}

bool Engine::IsExitRequested() const
{
    return !config->IsCommandReady("exit");
}

bool Engine::RunSurvivableStep(const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const Error&) {
        // A FatalError derives from Error and is dropped as well: the step is optional by design.
        return false;
    }
}

std::string Engine::GetCaption() const
{
    return descriptor.title + " " + IntToString(0, descriptor.version / 100) + "." +
           IntToString(2, descriptor.version % 100);
}

} // namespace VantoranEngine
