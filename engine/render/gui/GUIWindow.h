#pragma once
// GUIWindow: the base of every widget. A rectangle on the GUI screen with a parent, children, a flag
// word, a draw-order depth and, usually, a model that shows it; it hit-tests the cursor and draws the
// text lines its owner queues each frame.
//
// Rules:
// - GUI space: 800 × 600 units, origin at the bottom-left corner, y up. `position` is the lower-left
//   corner relative to the parent's absolute position (GUI space for a root window). Owners move and
//   resize a window by writing `position` and `size`.
// - Depths: a root window sits at -10, -20 or -30 by its tier flag, else -15; a child at its parent's
//   depth minus 0.01 × its layer. Smaller depths cover larger ones.
// - Flags are only added (SetFlags); an owner hides a window by clearing Shown in `flags` itself and
//   calling UpdateVisibility.
// - Texts live one frame: queued by the owner during its update, drawn and dropped by Render (also
//   dropped when the window is hidden). A text whose font id has no font is skipped with an error in
//   the log (once per window and id).
// - Parent and children are not owned: deleting a window detaches it from its parent and leaves its
//   children as root windows.
// - Main thread only.

#include "engine/render/Color.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/Vector2.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {

class Camera;
class Controls;
class GUIFontManager;
class GUISoundManager;
class GUITextManager;
class MemoryManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderManager;
class TimerManager;
class Window;

// The services a widget is wired to; each kind uses the ones it needs. None is owned.
struct GUIServices {
    MessageManager* log = nullptr;
    MemoryManager* memoryManager = nullptr;
    ShaderManager* shaderManager = nullptr;
    ModelManager* modelManager = nullptr;
    GUIFontManager* fontManager = nullptr;
    GUITextManager* textManager = nullptr;
    GUISoundManager* soundManager = nullptr; // buttons, sliders, edit boxes; may be null
    TimerManager* timerManager = nullptr;    // edit boxes (caret blink), scroll bars (arrow repeat)
    Controls* controls = nullptr;            // edit boxes (input hold)
    Window* window = nullptr;                // edit boxes (the frame's key event)
    Camera* camera = nullptr;                // the GUI camera
};

// One queued text line of a window, drawn once.
struct GUITextItem {
    uint32_t alignment = 0; // bit 0 centres horizontally in the window, bit 1 vertically
    int32_t fontId = 0;
    float size = -1.0f;     // glyph height in GUI units; negative: the font's own size
    Vector2 position;       // relative to the window's absolute position
    Color colour;
    std::u16string text;
    std::string key;        // looked up when drawn if byKey
    int32_t index = -1;     // -1: the key alone
    bool byKey = false;
};

// What shows a widget: nothing, a textured unit quad, a clone of a model, or a model file.
struct GUIVisual {
    enum class Kind { None, Quad, Clone, File };

    static GUIVisual Quad(const ShaderDescriptor& descriptor, const Vector2& uvExtent);
    // A null prototype shows nothing.
    static GUIVisual Clone(const Model* prototype);
    static GUIVisual File(const std::string& fileName);

    Kind kind = Kind::None;
    ShaderDescriptor descriptor;     // Quad
    Vector2 uvExtent{1.0f, 1.0f};    // Quad: texture coordinate of the far corner (share of a frame)
    const Model* prototype = nullptr; // Clone
    std::string fileName;             // File
};

class GUIWindow {
public:
    // `flags` bits.
    static constexpr uint32_t Shown = 0x1;   // the owner wants the window shown
    static constexpr uint32_t Colored = 0x2; // the quad's vertices carry a colour
    static constexpr uint32_t Tier10 = 0x4;  // root depth -10
    static constexpr uint32_t Tier20 = 0x8;  // root depth -20
    static constexpr uint32_t Tier30 = 0x10; // root depth -30
    static constexpr uint32_t TierBits = Tier10 | Tier20 | Tier30;
    static constexpr float rootDepth = -15.0f;
    static constexpr float layerDepthStep = 0.01f;

    // Without a visual the window is an invisible container or hit area, still drawing its texts.
    GUIWindow(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
              GUIWindow* parent, const GUIVisual& visual = GUIVisual());
    virtual ~GUIWindow();

    GUIWindow(const GUIWindow&) = delete;
    GUIWindow& operator=(const GUIWindow&) = delete;

    // cursor: GUI space; mouseDown: MOUSE1 held or pressed this frame (unused here). False when hidden.
    virtual bool Update(const Vector2& cursor, bool mouseDown);
    // False when hidden (the queued texts are dropped all the same).
    virtual bool Render();
    // Sets the depth from the parent's (root windows keep theirs) and re-applies every child's layer.
    virtual void SetLayer(int32_t layer);
    virtual void SetColor(const Color& colour);
    virtual void UpdateVisibility();

    // Adds bits; nothing at all when any of them is set already.
    void SetFlags(uint32_t bits);
    void SetParent(GUIWindow* newParent);
    void RemoveChild(GUIWindow* child);
    GUIWindow* GetParent() const { return parent; }
    const std::vector<GUIWindow*>& GetChildren() const { return children; }
    // The sum of the ancestors' positions; (0, 0) for a root window.
    Vector2 GetOrigin() const;
    Vector2 GetAbsolutePosition() const;
    // The colour of the quad's vertices; opaque white without a model or vertex colours.
    Color GetColor() const;

    // An empty text queues nothing.
    void AddText(const Vector2& textPosition, const Color& colour, uint32_t alignment, int32_t fontId,
                 const std::u16string& text, float textSize);
    // Always queues; the text is GUITextManager::GetText(key, index) at drawing time.
    void AddTextByKey(const Vector2& textPosition, const Color& colour, uint32_t alignment, int32_t fontId,
                      const std::string& key, int32_t index, float textSize);
    // The next queue entry, reused with its old fields when one is stored.
    GUITextItem* AllocTextItem();
    uint32_t GetTextCount() const { return textCount; }
    const GUITextItem& GetTextItem(uint32_t i) const { return *textItems[i]; }

    uint32_t flags = 0;
    bool visible = false;   // Shown, and the parent (if any) visible
    Vector2 position;
    Vector2 size;
    int32_t layer = 1;
    float depth = rootDepth; // draw-order depth
    bool hovered = false;    // the cursor was inside at the last Update
    bool placeModel = true;  // Render places the model from position and size
    Model* model = nullptr;  // owned; null for a window without visual

protected:
    void SetDepth(float newDepth);
    // Selects the frame of the model's atlas stage; nothing without a model or material.
    void SetStageTime(float frame);

    GUIServices services;

private:
    void CreateModel(const GUIVisual& visual, uint32_t windowFlags);
    void DrawTexts();

    GUIWindow* parent = nullptr;
    std::vector<GUIWindow*> children; // attachment order
    uint32_t textCount = 0;
    std::vector<std::unique_ptr<GUITextItem>> textItems; // only grows; entries past textCount are spare
    std::vector<int32_t> reportedMissingFonts;
};

// The material of a GUI quad: alpha blending (factors 4 and 5) when an opacity image is named; one
// stage unless the colour name is empty, an atlas when frameCount > 1 (2 × 2 grid for 3 or 4 frames,
// 4 × 2 for 5 or more) at rate 0, so widgets pick frames by stage time. An opacity name containing
// "32bit" means the colour image carries its alpha.
void BuildGUIShaderDescriptor(ShaderDescriptor& out, const std::string& colourName, const std::string& opacityName,
                              uint32_t frameCount);
void BuildSimpleGUIShaderDescriptor(ShaderDescriptor& out, const std::string& colourName,
                                    const std::string& opacityName);
void MakeDefaultShaderDescriptor(ShaderDescriptor& out);

} // namespace VantoranEngine
