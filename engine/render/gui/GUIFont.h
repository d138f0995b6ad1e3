#pragma once
// GUIFont: a bitmap font read from a "VNFNT" file, laying text out as textured glyph quads.
//
// Rules:
// - Units: positions and `size` are GUI units (800 × 600 screen, y up); a glyph's advance is a multiple
//   of `size`. The quad of a glyph is advance × `size` wide and `size` high; `spacing` stretches only
//   the distance to the next character, never the quad.
// - White space, line feeds and characters without a glyph take room but get no quad (their advance
//   is their glyph's, or `missingAdvance` × `size` without one).
// - At most 1024 quads per frame; later glyphs are dropped silently but still move the pen.
// - A loaded font never throws for its file: a missing or damaged file is logged as an error and the
//   font keeps the glyphs read before the fault (none for a missing file or a bad header).
// - An instance is a copy of a loaded font with its own quads, drawn at one window depth; it takes
//   `size`, `missingAdvance` and `spacing` from its prototype whenever it draws.
// - With a ModelManager the quads are the coloured buffers of the font's model "font_model" (listed in
//   the manager, drawn by its model pass); an instance clones its prototype's model. The vertex buffer
//   stays locked from the first glyph of a frame to FinishFrame. Without one (tools, headless tests)
//   the quads are kept in the font's own arrays.
// - Main thread only.

#include "engine/render/Color.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/Vector2.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace VantoranEngine {

class Camera;
class FileBinary;
class FileManager;
class MemoryManager;
class MessageManager;
class Model;
class ModelManager;

struct GUIFontGlyph {
    char16_t code = 0;
    float u = 0.0f;       // left edge, texture coordinates
    float v = 0.0f;       // bottom edge; v = 0 is the picture's bottom row
    float du = 0.0f;
    float dv = 0.0f;
    float advance = 0.0f; // width as a multiple of the font size
};

// One corner of a glyph quad as written for drawing: position (z is 0), ARGB colour, texture coordinates.
struct GUIFontVertex {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    uint32_t colour = 0;
    float u = 0.0f, v = 0.0f;
};

class GUIFont {
public:
    using GlyphTable = std::map<char16_t, GUIFontGlyph>;

    static constexpr uint32_t maxGlyphs = 1024;
    static constexpr uint32_t vertexCount = maxGlyphs * 4;
    static constexpr uint32_t indexCount = maxGlyphs * 6;
    static constexpr uint32_t fileVersion = 201;
    static constexpr float modelDepth = -9.0f;
    // Dynamic buffers (0x100000), drawn, static vertices with bounds from the used indices, triangle
    // list, per-vertex colour and the GUI draw order.
    static constexpr uint32_t modelFlags = 0x148C29;

    // Loads `name` from the data folder (FileManager::GetDataPath); errors are logged, not thrown.
    // `descriptor` is the material of the glyph quads (the font picture); `camera` the GUI camera. A null
    // `modelManager` keeps the quads in the font's own arrays.
    GUIFont(MessageManager* log, MemoryManager* memoryManager, FileManager* fileManager, const std::string& name,
            const ShaderDescriptor& descriptor, ModelManager* modelManager = nullptr, Camera* camera = nullptr);
    // An instance of a loaded font: its glyphs and settings, its own quads (a clone of the prototype's
    // model), nothing drawn yet.
    explicit GUIFont(const GUIFont* prototype);
    // Removes the model from the ModelManager's list and deletes it.
    virtual ~GUIFont();

    GUIFont(const GUIFont&) = delete;
    GUIFont& operator=(const GUIFont&) = delete;

    void DrawText(const Vector2& position, const Color& colour, const std::u16string& text);
    // A negative `textSize` measures at the font's own `size`.
    float GetTextWidth(const std::u16string& text, float textSize) const;
    bool HasGlyph(char16_t code) const;
    // Every letter whose lower-case form has no glyph lends it its own.
    void AddLowerCaseGlyphs();
    void AddGlyphQuad(const Vector2& position, const Color& colour, char16_t code);

    // Reads a font file's glyphs into `glyphs`, the first record of a code winning; throws FileError with
    // the format texts ("Incorrect \"<name>\" file format", "... format version, current is 201") or
    // the file's read error. Glyphs read before a fault stay in `glyphs`.
    static void ReadGlyphs(FileBinary& file, const std::string& name, GlyphTable& glyphs);

    const GUIFont* GetPrototype() const { return prototype; }
    const GlyphTable& GetGlyphs() const { return glyphs; }
    const ShaderDescriptor& GetShaderDescriptor() const { return descriptor; }
    // The quads of the current frame: 4 vertices per glyph; indices of quad k are 4k, 4k+1, 4k+2, 4k+2,
    // 4k+1, 4k+3, of which the first GetUsedIndexCount() are drawn. `i` below vertexCount / indexCount.
    GUIFontVertex GetVertex(uint32_t i) const;
    uint16_t GetIndex(uint32_t i) const;
    uint32_t GetUsedIndexCount() const { return usedIndexCount; }
    // Sets the used index count; the model's index range is marked changed.
    void SetUsedIndexCount(uint32_t count);
    float GetDepth() const { return depth; }
    void SetDepth(float newDepth);
    bool IsVertexBufferLocked() const { return vertexBufferLocked; }
    void UnlockVertexBuffer();
    // Null without a ModelManager.
    Model* GetModel() const { return model; }

    float size = 1.0f;            // glyph height, GUI units
    float missingAdvance = 1.0f;  // advance of a character without glyph, multiple of `size`
    float spacing = 1.0f;         // factor on glyph advances
    uint32_t glyphCount = 0;      // quads written this frame

private:
    void BuildQuads();
    void BuildModel(Camera* camera);
    void WriteVertex(uint32_t i, const GUIFontVertex& vertex);
    void TakeSettingsFromPrototype();

    MessageManager* log = nullptr;
    MemoryManager* memoryManager = nullptr;
    FileManager* fileManager = nullptr;
    ModelManager* modelManager = nullptr;
    const GUIFont* prototype = nullptr;
    Model* model = nullptr;               // owned
    uint8_t* lockedVertices = nullptr;    // the model's vertex memory while locked
    GlyphTable glyphs;
    ShaderDescriptor descriptor;
    uint32_t usedIndexCount = 0;          // indices to draw
    bool vertexBufferLocked = false;
    float depth = modelDepth;             // draw-order depth of the quads
    // Without a model only.
    std::vector<GUIFontVertex> vertices;
    std::vector<uint16_t> indices;
};

} // namespace VantoranEngine
