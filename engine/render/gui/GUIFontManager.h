#pragma once
// GUIFontManager: the loaded fonts by numeric id, and their per-depth instances that draw the texts
// of the windows at each window's depth.
//
// Rules:
// - Ids are the font list's order (0, 1, 2, ...); edit boxes use id 1. An id is taken once: loading a
//   second font under it keeps the first and gives that one back (the new one is discarded).
// - Instances are made on demand during the GUI's drawing: one per font and window depth (depths within
//   0.0001 share), drawn 0.005 in front of the window. An instance that draws nothing for a frame is
//   deleted by FinishFrame.
// - Main thread only.

#include "engine/render/Color.h"
#include "engine/render/Vector2.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {

class Camera;
class FileManager;
class GUIFont;
class MemoryManager;
class MessageManager;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;

// What a queued text line needs of its window.
struct GUITextFrame {
    bool visible = true;
    Vector2 absolutePosition; // the window's lower-left corner on the GUI screen
    float width = 0.0f;
    float height = 0.0f;
    float depth = 0.0f;       // the window's draw-order depth
};

class GUIFontManager {
public:
    // Alignment bits of a text line.
    static constexpr uint32_t centreHorizontally = 1;
    static constexpr uint32_t centreVertically = 2;
    // Texts are drawn this much in front of their window.
    static constexpr float textDepthOffset = 0.005f;

    // Without a ModelManager the fonts keep their quads to themselves and nothing is drawn; `camera` is
    // the GUI camera.
    GUIFontManager(MessageManager* log, MemoryManager* memoryManager, FileManager* fileManager,
                   ShaderManager* shaderManager = nullptr, ModelManager* modelManager = nullptr,
                   Camera* camera = nullptr);
    virtual ~GUIFontManager();

    GUIFontManager(const GUIFontManager&) = delete;
    GUIFontManager& operator=(const GUIFontManager&) = delete;

    // Never null: a font whose file failed to load is kept (and logged) with the glyphs it has.
    GUIFont* LoadFont(int32_t id, const ShaderDescriptor& descriptor, const std::string& name);
    GUIFont* GetFont(int32_t id) const;
    // Null when no font has the id.
    GUIFont* GetFontInstance(int32_t id, float windowDepth);
    // Draws one text line of a window; `position` is relative to the window's corner and ignored on a
    // centred axis. Nothing for a hidden window or an unknown font id.
    void DrawTextItem(int32_t id, const std::u16string& text, uint32_t alignment, const GUITextFrame& window,
                      const Vector2& position, const Color& colour);
    // Ends the GUI's drawing for the frame (see the rules).
    void FinishFrame();

    const std::vector<std::unique_ptr<GUIFont>>& GetInstances() const { return instances; }

private:
    MessageManager* log;
    MemoryManager* memoryManager;
    FileManager* fileManager;
    ShaderManager* shaderManager;
    ModelManager* modelManager;
    Camera* camera;
    std::map<int32_t, std::unique_ptr<GUIFont>> fonts;
    std::vector<std::unique_ptr<GUIFont>> instances;
};

} // namespace VantoranEngine
