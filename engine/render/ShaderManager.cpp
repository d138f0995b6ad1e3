#include "engine/render/ShaderManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Random.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/TextureManager.h"

#include <algorithm>
#include <cmath>

namespace VantoranEngine {

namespace {

bool IsSequenceKind(uint32_t kind)
{
    return kind >= stageColourSequence && kind <= stageBothSequences;
}

} // namespace

Shader::Shader(const ShaderDescriptor& descriptor, MessageManager* logManager, MemoryManager* memoryManager,
               Config* configuration, RenderSystem* device, TextureManager* cache)
    : log(logManager), memory(memoryManager), config(configuration), renderSystem(device), textureManager(cache),
      stageCount(descriptor.stageCount)
{
    for (uint32_t s = 0; s < stageCount; ++s) {
        const ShaderStage& stage = descriptor.stages[s];
        const bool sequence = IsSequenceKind(stage.kind);
        const uint32_t count = sequence ? std::max<uint32_t>(stage.frameCount, 1) : 1;
        textures[s].assign(count, nullptr);
        if (stage.flags & stageNoTextures)
            continue;
        const bool colourSequence = stage.kind == stageColourSequence || stage.kind == stageBothSequences;
        const bool opacitySequence = stage.kind == stageOpacitySequence || stage.kind == stageBothSequences;
        for (uint32_t i = 0; i < count; ++i) {
            std::string colour = stage.colourName;
            std::string opacity = stage.opacityName;
            if (colourSequence)
                colour = SequenceFrameName(colour, stage.frameCount, i);
            if (opacitySequence)
                opacity = SequenceFrameName(opacity, stage.frameCount, i);
            const uint32_t flags = (opacity.empty() ? 0u : uint32_t{textureWithOpacity}) |
                                   ((stage.flags & stageMipMapped) ? uint32_t{textureMipMapped} : 0u);
            textures[s][i] = textureManager->LoadTexture(colour, opacity, flags);
        }
    }
}

Shader::~Shader()
{
    for (auto& list : textures)
        for (Texture2D* texture : list)
            textureManager->ReleaseTexture(texture);
}

void Shader::Apply(Shader* shader, const ShaderUser* user)
{
    RenderSystem* device = shader->renderSystem;
    if (user->flags & shaderAlphaBlend) {
        device->SetAlphaBlend(true);
        device->SetBlend(static_cast<int32_t>(user->sourceBlend), static_cast<int32_t>(user->destinationBlend));
    } else {
        device->SetAlphaBlend(false);
    }
    const uint32_t stages = std::min(user->stageCount, shader->stageCount);
    for (uint32_t i = 0; i < stages && i < device->textureUnitCount; ++i) {
        const ShaderStage& stage = user->stages[i];
        const std::vector<Texture2D*>& list = shader->textures[i];
        device->SetTexture(i, stage.currentFrame < list.size() ? list[stage.currentFrame] : nullptr);
        device->SetTextureFilter(i, (stage.flags & stageMipMapped) ? 2 : 1);
        device->SetTextureAdressU(i, static_cast<int32_t>(stage.addressU));
        device->SetTextureAdressV(i, static_cast<int32_t>(stage.addressV));
        device->SetTextureMatrix(i, stage.scaleU, stage.scaleV, stage.offsetU, stage.offsetV);
    }
    for (uint32_t i = stages; i < device->textureUnitCount; ++i)
        device->SetTexture(i, nullptr);
}

ShaderUser::ShaderUser(const ShaderDescriptor& descriptor, MessageManager* logManager, TimerManager* timerManager,
                       Shader* owner)
    : ShaderDescriptor(descriptor), log(logManager), timers(timerManager), shader(owner)
{
    ++shader->userCount;
}

ShaderUser::~ShaderUser()
{
    if (--shader->userCount == 0)
        delete shader;
}

void ShaderUser::Update()
{
    Advance(timers != nullptr ? timers->frameTime : 0.0f);
}

void ShaderUser::Advance(float frameTime)
{
    for (uint32_t i = 0; i < stageCount; ++i) {
        ShaderStage& stage = stages[i];
        if (stage.kind == stageStatic) {
            stage.currentFrame = 0;
            continue;
        }
        const uint32_t frames = std::max<uint32_t>(stage.frameCount, 1);
        float& time = stageTime[i];
        time += frameTime * stage.framesPerSecond;
        if (!(time >= 0.0f) || !std::isfinite(time))
            time = 0.0f;
        if (time > static_cast<float>(frames)) {
            // the same as subtracting the frame count while the time is above it, in one step
            time = std::fmod(time, static_cast<float>(frames));
            if (time == 0.0f)
                time = static_cast<float>(frames);
        }
        // A stage built in code may count more frames than a float holds exactly: frames can round up to
        // 2^32, which no uint32_t holds.
        const uint32_t frame = time >= static_cast<float>(frames) ? frames : static_cast<uint32_t>(time);
        if (stage.kind == stageAtlas) {
            const uint32_t columns = std::max<uint32_t>(stage.columns, 1);
            const uint32_t rows = std::max<uint32_t>(stage.rows, 1);
            // a time of exactly frameCount, or more frames than cells, shows the last cell
            const uint64_t cells = uint64_t{columns} * rows;
            const uint32_t last = static_cast<uint32_t>(std::min<uint64_t>(frames, cells) - 1);
            const uint32_t cell = std::min(frame, last);
            const uint32_t column = cell % columns;
            const uint32_t row = rows - 1 - cell / columns;
            stage.scaleU = (1.0f / static_cast<float>(columns)) * 0.99f;
            stage.scaleV = (1.0f / static_cast<float>(rows)) * 0.99f;
            stage.offsetU = (static_cast<float>(column) + 0.005f) * stage.scaleU / 0.99f;
            stage.offsetV = (static_cast<float>(row) + 0.005f) * stage.scaleV / 0.99f;
            stage.currentFrame = 0;
        } else {
            stage.currentFrame = frame >= frames ? frame % frames : frame;
        }
    }
}

ShaderManager::ShaderManager(MessageManager* logManager, MemoryManager* memoryManager, FileManager* fileManager,
                             TimerManager* timerManager, Config* configuration, RenderSystem* device)
    : log(logManager), memory(memoryManager), files(fileManager), timers(timerManager), config(configuration),
      renderSystem(device),
      textureManager(std::make_unique<TextureManager>(logManager, memoryManager, fileManager, configuration, device))
{
}

ShaderManager::~ShaderManager()
{
    std::lock_guard<std::mutex> lock(mutex);
    for (auto& entry : cache)
        delete entry.second;
    cache.clear();
    textureManager.reset();
}

ShaderUser* ShaderManager::GetShader(const ShaderDescriptor& descriptor)
{
    std::lock_guard<std::mutex> lock(mutex);
    Shader* shader = nullptr;
    const auto range = cache.equal_range(descriptor.hash);
    for (auto it = range.first; it != range.second && shader == nullptr; ++it)
        if (ShaderDescriptor::Equals(*it->second, descriptor))
            shader = it->second->shader;
    if (shader == nullptr) {
        shader = new Shader(descriptor, log, memory, config, renderSystem, textureManager.get());
        ++shaderCount;
    }
    ShaderUser* user = new ShaderUser(descriptor, log, timers, shader);
    for (uint32_t i = 0; i < user->stageCount; ++i)
        user->stageTime[i] = (user->stages[i].flags & stageRandomPhase)
                                 ? RandomFloat() * static_cast<float>(user->stages[i].frameCount)
                                 : 0.0f;
    cache.emplace(user->hash, user);
    return user;
}

ShaderUser* ShaderManager::GetShaderFromFile(const std::string& name)
{
    ShaderDescriptor descriptor;
    try {
        descriptor = ShaderDescriptor::Load(name, log, files);
    } catch (const Error&) {
        descriptor = ShaderDescriptor();
    }
    return GetShader(descriptor);
}

void ShaderManager::ReleaseShader(ShaderUser* user)
{
    if (user == nullptr)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        // by pointer alone: a handle released before must not be read
        auto found = std::find_if(cache.begin(), cache.end(), [user](const auto& entry) { return entry.second == user; });
        if (found != cache.end()) {
            cache.erase(found);
            if (user->shader->userCount == 1)
                --shaderCount;
            delete user;
            return;
        }
    }
    log->LogFatalError("Shader Manager: Failed to remove shader");
}

void ShaderManager::Update()
{
    std::lock_guard<std::mutex> lock(mutex);
    for (auto& entry : cache)
        entry.second->Update();
}

} // namespace VantoranEngine
