#pragma once
// GUIManager: the root of the widget toolkit. It owns the GUI camera, the text table, the fonts, the GUI
// sounds and the radio groups, makes every widget through its factories and keeps one list per kind.
//
// Rules:
// - GUI space is the GUI camera's 800 × 600 units (the framework sets orthoWidth and orthoHeight right
//   after the engine is built), origin bottom-left, y up. Positions and sizes given to the factories are
//   relative to the parent (GUI space for a null parent, which makes a root window).
// - Once per frame: Update (after the input devices) hands every listed widget the same cursor position
//   and MOUSE1 state, windows first, then buttons, check boxes, radio buttons, edit boxes, sliders and
//   scroll bars, in slot order; Render prepares them in the same order and ends the font frame. There is
//   no occlusion: every widget under the cursor is told so.
// - The caller owns the widgets it is given: it removes a widget from its list and deletes it (windows:
//   DeleteWindow). Widgets still listed are deleted with the manager, cursors last. Fonts and texts go
//   first, so widget destructors never use them.
// - Factories catch nothing: a widget whose constructor throws is not listed.
// - Main thread only.

#include "engine/render/ObjectManager.h"
#include "engine/render/Vector2.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUICursor.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUIRadioGroupManager.h"
#include "engine/render/gui/GUISlider.h"
#include "engine/render/gui/GUIWindow.h"

#include <memory>

namespace VantoranEngine {

class CameraManager;
class Config;
class FileManager;
class SoundManager;

class GUIManager {
public:
    static constexpr int32_t editBoxFontId = 1;
    static constexpr int32_t editBoxMaxLength = 10;          // CreateEditBox
    static constexpr int32_t untexturedEditBoxMaxLength = 255;
    static constexpr int32_t sliderSteps = 1001;

    // soundManager may be null (no sound device).
    GUIManager(MessageManager* log, MemoryManager* memoryManager, FileManager* fileManager, Window* window,
               TimerManager* timerManager, CameraManager* cameraManager, ShaderManager* shaderManager,
               ModelManager* modelManager, Controls* controls, SoundManager* soundManager, Config* config);
    virtual ~GUIManager();

    GUIManager(const GUIManager&) = delete;
    GUIManager& operator=(const GUIManager&) = delete;

    void Update();
    void Render();
    // The default cursor's position as the widgets see it.
    Vector2 GetCursorPosition() const;

    // uvExtent: the texture coordinate of a quad's far corner, (1, 1) for the whole picture or frame.
    GUICursor* CreateCursor(const ShaderDescriptor& descriptor, float size);
    GUICursor* CreateSystemCursor();
    GUIWindow* CreateWindow(uint32_t flags, const Vector2& position, const Vector2& size,
                            const ShaderDescriptor& descriptor, GUIWindow* parent, const Vector2& uvExtent);
    // Flags Colored + Tier20; a file that cannot be read shows a box.
    GUIWindow* CreateModelWindow(const Vector2& position, const Vector2& size, const std::string& modelFile,
                                 GUIWindow* parent);
    GUIWindow* CreateUntexturedWindow(uint32_t flags, const Vector2& position, const Vector2& size,
                                      GUIWindow* parent);
    // Removes the window from the list and deletes it; a window not listed is left alone.
    void DeleteWindow(GUIWindow* window);
    GUIButton* CreateButton(const Vector2& position, const Vector2& size, const ShaderDescriptor& descriptor,
                            GUIWindow* parent, const Vector2& uvExtent);
    GUIButton* CreateUntexturedButton(const Vector2& position, const Vector2& size, GUIWindow* parent);
    GUICheckBox* CreateCheckBox(const Vector2& position, const Vector2& size, const ShaderDescriptor& descriptor,
                                GUIWindow* parent, const Vector2& uvExtent);
    // Font 1, at most 10 characters.
    GUIEditBox* CreateEditBox(const Vector2& position, const Vector2& size, const ShaderDescriptor& descriptor,
                              const Color& textColour, const Vector2& textOffset, float widthLimit,
                              GUIWindow* parent, const Vector2& uvExtent);
    // At most 255 characters.
    GUIEditBox* CreateUntexturedEditBox(const Vector2& position, const Vector2& size, int32_t fontId,
                                        const Color& textColour, const Vector2& textOffset, float widthLimit,
                                        GUIWindow* parent);
    // Horizontal, 1001 steps; trackStart and trackEnd are the thumb's offsets at the first and last step.
    GUISlider* CreateSlider(const Vector2& position, const Vector2& size, const ShaderDescriptor& descriptor,
                            const Vector2& trackStart, const Vector2& trackEnd, GUIWindow* parent,
                            const Vector2& uvExtent);
    // Vertical, 2 steps, two arrows without model.
    GUIScroll* CreateScroll(const Vector2& position, const Vector2& size, const ShaderDescriptor& descriptor,
                            const Vector2& trackStart, const Vector2& trackEnd, GUIWindow* parent,
                            const Vector2& uvExtent);

    Camera* GetCamera() const { return camera; }
    GUITextManager* GetTextManager() const { return textManager.get(); }
    GUIFontManager* GetFontManager() const { return fontManager.get(); }
    GUISoundManager* GetSoundManager() const { return soundManager.get(); }
    GUIRadioGroupManager* GetRadioGroupManager() const { return radioGroupManager.get(); }
    GUICursor* GetDefaultCursor() const { return defaultCursor; }
    const GUIServices& GetServices() const { return services; }

    ObjectManager<GUICursor> cursors;
    ObjectManager<GUIWindow> windows;
    ObjectManager<GUIButton> buttons;
    ObjectManager<GUICheckBox> checkBoxes;
    ObjectManager<GUIRadioButton> radioButtons;
    ObjectManager<GUIEditBox> editBoxes;
    ObjectManager<GUISlider> sliders;
    ObjectManager<GUIScroll> scrolls;

    Vector2 cursorOffset{0.0f, 0.0f};
    Vector2 cursorScale{1.0f, 1.0f};

private:
    void Release();

    FileManager* fileManager;
    CameraManager* cameraManager;
    Config* config;
    GUIServices services;
    Camera* camera = nullptr;
    std::unique_ptr<GUITextManager> textManager;
    std::unique_ptr<GUIFontManager> fontManager;
    std::unique_ptr<GUISoundManager> soundManager;
    std::unique_ptr<GUIRadioGroupManager> radioGroupManager;
    GUICursor* defaultCursor = nullptr;
};

} // namespace VantoranEngine
