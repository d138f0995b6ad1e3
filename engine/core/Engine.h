#pragma once
// The engine object: builds every engine service from an EngineDescriptor, drives them once per frame and
// tears them down in the reverse order.
//
// Rules:
// - The owner (the game object) builds one Engine, reads the service pointers after construction and
//   calls the services directly; it calls Update once per tick before its own logic and EndFrame after it,
//   and runs its loop while IsExitRequested is false.
// - Services are declared below in construction order. A constructor that fails leaves through the Engine
//   constructor, and the services already built are destroyed in reverse order (the log last, so its footer
//   is still written). The sound services alone fail softly: any Error from their constructors, a
//   FatalError included, is dropped and their pointers stay null; the game then runs silent.
// - Main thread only.

#include "engine/core/EngineDescriptor.h"

#include <functional>
#include <memory>
#include <string>

namespace VantoranEngine {

class CameraManager;
class Config;
class Console;
class Controls;
class FileManager;
class GUIManager;
class LightManager;
class MemoryManager;
class MessageManager;
class ModelManager;
class ParticleSystemManager;
class RenderSystem;
class ScreenCapture;
class ShaderManager;
class SoundManager;
class SoundSystem;
class SpriteGroupManager;
class TimerManager;
class Window;
class ShaderDescriptor;

class Engine {
public:
    explicit Engine(const EngineDescriptor& descriptor);
    // Saves the configuration file first when the descriptor asks, then destroys every service in the
    // reverse order of construction.
    virtual ~Engine();

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // First half of a frame: configuration, timers, devices, then the log's frame list is emptied.
    void Update();
    // The drawing pass; EndFrame runs it.
    void Render();
    // Drawing and the end of the frame; logs the exit line once "exit" has fired.
    void EndFrame();

    // Fires the "exit" command.
    void RequestExit();
    // True once "exit" has fired, from RequestExit, the console or the main window.
    bool IsExitRequested() const;

    // Title, a blank, version / 100, "." and version % 100 in at least two digits: "Brindlemoor 1.00".
    std::string GetCaption() const;

    // Builds the drop-down console once the GUI's fonts are loaded: caption, the background material, the
    // console font's id, the key name kept in ui_console_key, and the defaults of its opacity, height (GUI
    // units) and slide speed (GUI units per second). A second call replaces the first console.
    void CreateConsole(const std::string& caption, const ShaderDescriptor& background, int32_t fontId,
                       const std::string& keyName, float alpha, float size, float speed);

    // Runs a start-up step the engine survives (the sound services): any Error it throws, a FatalError
    // included, is caught and dropped. False when the step threw. Other exceptions pass.
    static bool RunSurvivableStep(const std::function<void()>& step);

    // The descriptor as copied, with the empty title replaced.
    const EngineDescriptor& GetDescriptor() const { return descriptor; }

    // Owned services, in construction order. Null until built; later services join in this order.
    std::unique_ptr<MessageManager> messageManager;
    std::unique_ptr<MemoryManager> memoryManager;
    std::unique_ptr<FileManager> fileManager;
    std::unique_ptr<TimerManager> timerManager;
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem> renderSystem; // a RenderSystem_D3D7
    std::unique_ptr<CameraManager> cameraManager;
    std::unique_ptr<LightManager> lightManager;
    std::unique_ptr<ShaderManager> shaderManager;
    std::unique_ptr<ModelManager> modelManager;
    std::unique_ptr<SpriteGroupManager> spriteGroupManager;
    std::unique_ptr<ParticleSystemManager> particleSystemManager;
    std::unique_ptr<ScreenCapture> screenCapture;
    std::unique_ptr<Controls> controls; // a Controls_DI7
    std::unique_ptr<SoundSystem> soundSystem;   // null when the sound device could not start
    std::unique_ptr<SoundManager> soundManager; // null without a sound device
    std::unique_ptr<GUIManager> guiManager;
    std::unique_ptr<Console> console;   // null until CreateConsole; destroyed first

private:
    EngineDescriptor descriptor;
};

} // namespace VantoranEngine
