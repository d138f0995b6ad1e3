#pragma once
// Materials at run time. ShaderManager::GetShader turns a descriptor into a ShaderUser, the handle a
// model keeps; users whose descriptors are equal (ShaderDescriptor::Equals) share one Shader, which owns
// the stage textures. Each user keeps its own descriptor copy with its own blend settings, filters,
// address modes and animation state. Once per frame ShaderManager::Update advances every user's stage
// animations; a model being drawn calls Shader::Apply to push its user's state to the render system.
//
// Ownership: a ShaderUser is created only by GetShader or GetShaderFromFile and deleted only by
// ReleaseShader (or the manager's destructor); a Shader is deleted with its last user. Handing back a
// user the manager does not hold is fatal ("Shader Manager: Failed to remove shader").
//
// Threads: the loading thread may request and release materials; one mutex guards the cache. Update and
// Apply run on the main thread.

#include "engine/render/ShaderDescriptor.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace VantoranEngine {

class Config;
class FileManager;
class MemoryManager;
class MessageManager;
class RenderSystem;
class Texture2D;
class TextureManager;
class TimerManager;
class ShaderUser;

class Shader {
public:
    Shader(const ShaderDescriptor& descriptor, MessageManager* log, MemoryManager* memory, Config* config,
           RenderSystem* renderSystem, TextureManager* textureManager);
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;
    // Releases every loaded texture.
    virtual ~Shader();

    // Blending, then per stage the texture of the user's current frame, filter, address modes and
    // texture transform; the units above the stages get no texture.
    static void Apply(Shader* shader, const ShaderUser* user);

    MessageManager* log;
    MemoryManager* memory;
    Config* config;
    RenderSystem* renderSystem;
    TextureManager* textureManager;
    uint32_t stageCount = 0;
    // Per stage one texture per frame for sequences, else one; null entries (no-texture stages) bind
    // no texture.
    std::vector<Texture2D*> textures[maxShaderStages];
    uint32_t userCount = 0;
};

class ShaderUser : public ShaderDescriptor {
public:
    ShaderUser(const ShaderDescriptor& descriptor, MessageManager* log, TimerManager* timers, Shader* shader);
    ShaderUser(const ShaderUser&) = delete;
    ShaderUser& operator=(const ShaderUser&) = delete;
    // Lowers the shader's user count and deletes the shader with its last user.
    ~ShaderUser() override;

    // Advances each stage's animation by the frame time.
    void Update();
    // One step by the given frame time in seconds.
    void Advance(float frameTime);

    MessageManager* log;
    TimerManager* timers;
    Shader* shader;
    float stageTime[maxShaderStages] = {0.0f, 0.0f}; // frames
};

class ShaderManager {
public:
    ShaderManager(MessageManager* log, MemoryManager* memory, FileManager* files, TimerManager* timers, Config* config,
                  RenderSystem* renderSystem);
    ShaderManager(const ShaderManager&) = delete;
    ShaderManager& operator=(const ShaderManager&) = delete;
    // Deletes every user (and so every shader), then the texture manager.
    virtual ~ShaderManager();

    ShaderUser* GetShader(const ShaderDescriptor& descriptor);
    // The material file's descriptor, or the default one (untextured) when the file cannot be used.
    ShaderUser* GetShaderFromFile(const std::string& name);
    // Null does nothing.
    void ReleaseShader(ShaderUser* user);
    void Update();
    // Shader users handed out and not yet released (the debug statistics).
    size_t GetUserCount() { std::lock_guard<std::mutex> lock(mutex); return cache.size(); }

    MessageManager* log;
    MemoryManager* memory;
    FileManager* files;
    TimerManager* timers;
    Config* config;
    RenderSystem* renderSystem;
    std::unique_ptr<TextureManager> textureManager;
    int shaderCount = 0;

private:
    std::mutex mutex;
    std::unordered_multimap<uint32_t, ShaderUser*> cache; // by descriptor hash
};

} // namespace VantoranEngine
