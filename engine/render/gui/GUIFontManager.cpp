#include "engine/render/gui/GUIFontManager.h"

#include "engine/render/gui/GUIFont.h"

#include <algorithm>
#include <cmath>

namespace VantoranEngine {

namespace {

// Instances whose depths lie closer than this draw for the same windows.
constexpr float depthTolerance = 0.0001f;

} // namespace

GUIFontManager::GUIFontManager(MessageManager* log, MemoryManager* memoryManager, FileManager* fileManager,
                               ShaderManager* shaderManager, ModelManager* modelManager, Camera* camera)
    : log(log), memoryManager(memoryManager), fileManager(fileManager), shaderManager(shaderManager),
      modelManager(modelManager), camera(camera)
{
}

GUIFontManager::~GUIFontManager()
{
    fonts.clear();
    instances.clear();
}

GUIFont* GUIFontManager::LoadFont(int32_t id, const ShaderDescriptor& descriptor, const std::string& name)
{
    auto font = std::make_unique<GUIFont>(log, memoryManager, fileManager, name, descriptor, modelManager, camera);
    const auto [entry, inserted] = fonts.try_emplace(id, std::move(font));
    return entry->second.get();
}

GUIFont* GUIFontManager::GetFont(int32_t id) const
{
    const auto found = fonts.find(id);
    return found != fonts.end() ? found->second.get() : nullptr;
}

GUIFont* GUIFontManager::GetFontInstance(int32_t id, float windowDepth)
{
    GUIFont* prototype = GetFont(id);
    if (prototype == nullptr)
        return nullptr;
    for (const auto& instance : instances)
        if (instance->GetPrototype() == prototype &&
            std::fabs(instance->GetDepth() + textDepthOffset - windowDepth) < depthTolerance)
            return instance.get();
    auto instance = std::make_unique<GUIFont>(prototype);
    instance->SetDepth(windowDepth - textDepthOffset);
    instances.push_back(std::move(instance));
    return instances.back().get();
}

void GUIFontManager::DrawTextItem(int32_t id, const std::u16string& text, uint32_t alignment,
                                  const GUITextFrame& window, const Vector2& position, const Color& colour)
{
    if (!window.visible)
        return;
    GUIFont* instance = GetFontInstance(id, window.depth);
    if (instance == nullptr)
        return;
    const GUIFont* prototype = instance->GetPrototype();
    instance->size = prototype->size;
    instance->missingAdvance = prototype->missingAdvance;
    instance->spacing = prototype->spacing;

    const float x = (alignment & centreHorizontally) != 0
                        ? (window.width - instance->GetTextWidth(text, -1.0f)) * 0.5f
                        : position.x;
    const float y = (alignment & centreVertically) != 0 ? (window.height - instance->size) * 0.5f : position.y;
    instance->DrawText({window.absolutePosition.x + x, window.absolutePosition.y + y}, colour, text);
}

void GUIFontManager::FinishFrame()
{
    instances.erase(std::remove_if(instances.begin(), instances.end(),
                                   [](const std::unique_ptr<GUIFont>& instance) { return instance->glyphCount == 0; }),
                    instances.end());

    auto finish = [](GUIFont& font) {
        if (font.glyphCount == 0)
            font.SetUsedIndexCount(0);
        font.glyphCount = 0;
        font.UnlockVertexBuffer();
    };
    for (const auto& [id, font] : fonts)
        finish(*font);
    for (const auto& instance : instances)
        finish(*instance);
}

} // namespace VantoranEngine
