#include "engine/render/gui/GUIManager.h"

#include "engine/core/devices/Controls.h"
#include "engine/core/devices/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUISoundManager.h"
#include "engine/render/gui/GUITextManager.h"

namespace VantoranEngine {

namespace {

constexpr int32_t orthographicProjection = 1;

template <typename T>
void DeleteListed(ObjectManager<T>& list)
{
    const std::vector<T*> listed = list.slots;
    list.slots.clear();
    list.freeSlots.clear();
    list.count = 0;
    for (T* widget : listed)
        delete widget;
}

template <typename T>
void UpdateListed(const ObjectManager<T>& list, const Vector2& cursor, bool mouseDown)
{
    for (T* widget : list.slots)
        if (widget != nullptr)
            widget->Update(cursor, mouseDown);
}

template <typename T>
void RenderListed(const ObjectManager<T>& list)
{
    for (T* widget : list.slots)
        if (widget != nullptr)
            widget->Render();
}

// Lists a newly made widget; the caller's pointer stays valid and owned by the caller.
template <typename T>
T* Listed(ObjectManager<T>& list, std::unique_ptr<T> widget)
{
    T* made = widget.release();
    list.Add(made);
    return made;
}

} // namespace

GUIManager::GUIManager(MessageManager* log, MemoryManager* memoryManager, FileManager* fileManager, Window* window,
                       TimerManager* timerManager, CameraManager* cameraManager, ShaderManager* shaderManager,
                       ModelManager* modelManager, Controls* controls, SoundManager* soundManagerArg,
                       Config* config)
    : fileManager(fileManager), cameraManager(cameraManager), config(config)
{
    services.log = log;
    services.memoryManager = memoryManager;
    services.shaderManager = shaderManager;
    services.modelManager = modelManager;
    services.timerManager = timerManager;
    services.controls = controls;
    services.window = window;
    try {
        camera = cameraManager->CreateCamera(orthographicProjection);
        camera->nearClip = 500.0f;
        camera->farClip = -500.0f;
        camera->SetViewport(0, 0, window->width, window->height);
        services.camera = camera;
        textManager = std::make_unique<GUITextManager>(log, memoryManager, fileManager);
        services.textManager = textManager.get();
        fontManager = std::make_unique<GUIFontManager>(log, memoryManager, fileManager, shaderManager, modelManager,
                                                       camera);
        services.fontManager = fontManager.get();
        soundManager = std::make_unique<GUISoundManager>(timerManager, soundManagerArg);
        services.soundManager = soundManager.get();
        radioGroupManager = std::make_unique<GUIRadioGroupManager>(log, memoryManager);
        defaultCursor = CreateSystemCursor();
        defaultCursor->shown = false;
    } catch (...) {
        Release();
        throw;
    }
}

GUIManager::~GUIManager()
{
    Release();
}

void GUIManager::Release()
{
    textManager.reset();
    fontManager.reset();
    soundManager.reset();
    radioGroupManager.reset();
    services.textManager = nullptr;
    services.fontManager = nullptr;
    services.soundManager = nullptr;
    if (camera != nullptr)
        cameraManager->DeleteCamera(camera);
    camera = nullptr;
    services.camera = nullptr;
    DeleteListed(scrolls);
    DeleteListed(sliders);
    DeleteListed(editBoxes);
    DeleteListed(radioButtons);
    DeleteListed(checkBoxes);
    DeleteListed(buttons);
    DeleteListed(windows);
    DeleteListed(cursors);
    defaultCursor = nullptr;
}

Vector2 GUIManager::GetCursorPosition() const
{
    const Vector2 at = defaultCursor != nullptr ? defaultCursor->position : Vector2{};
    return {(at.x - cursorOffset.x) * cursorScale.x, (at.y - cursorOffset.y) * cursorScale.y};
}

void GUIManager::Update()
{
    for (GUICursor* cursor : cursors.slots)
        if (cursor != nullptr)
            cursor->Update();
    const Vector2 cursor = GetCursorPosition();
    const bool mouseDown = services.controls != nullptr && services.controls->IsKeyDown("MOUSE1");
    UpdateListed(windows, cursor, mouseDown);
    UpdateListed(buttons, cursor, mouseDown);
    UpdateListed(checkBoxes, cursor, mouseDown);
    UpdateListed(radioButtons, cursor, mouseDown);
    UpdateListed(editBoxes, cursor, mouseDown);
    UpdateListed(sliders, cursor, mouseDown);
    UpdateListed(scrolls, cursor, mouseDown);
}

void GUIManager::Render()
{
    for (GUICursor* cursor : cursors.slots)
        if (cursor != nullptr)
            cursor->Render();
    RenderListed(windows);
    RenderListed(buttons);
    RenderListed(checkBoxes);
    RenderListed(radioButtons);
    RenderListed(editBoxes);
    RenderListed(sliders);
    RenderListed(scrolls);
    fontManager->FinishFrame();
}

GUICursor* GUIManager::CreateCursor(const ShaderDescriptor& descriptor, float size)
{
    return Listed(cursors, std::make_unique<GUICursor>(services, descriptor, size));
}

GUIWindow* GUIManager::CreateWindow(uint32_t flags, const Vector2& position, const Vector2& size,
                                    const ShaderDescriptor& descriptor, GUIWindow* parent, const Vector2& uvExtent)
{
    return Listed(windows, std::make_unique<GUIWindow>(services, flags, position, size, parent,
                                                       GUIVisual::Quad(descriptor, uvExtent)));
}

GUIWindow* GUIManager::CreateModelWindow(const Vector2& position, const Vector2& size, const std::string& modelFile,
                                         GUIWindow* parent)
{
    return Listed(windows, std::make_unique<GUIWindow>(services, GUIWindow::Colored | GUIWindow::Tier20, position,
                                                       size, parent, GUIVisual::File(modelFile)));
}

GUIButton* GUIManager::CreateButton(const Vector2& position, const Vector2& size, const ShaderDescriptor& descriptor,
                                    GUIWindow* parent, const Vector2& uvExtent)
{
    return Listed(buttons, std::make_unique<GUIButton>(services, GUIWindow::Shown | GUIWindow::Colored, position,
                                                       size, parent, GUIVisual::Quad(descriptor, uvExtent)));
}

GUICheckBox* GUIManager::CreateCheckBox(const Vector2& position, const Vector2& size,
                                        const ShaderDescriptor& descriptor, GUIWindow* parent,
                                        const Vector2& uvExtent)
{
    return Listed(checkBoxes, std::make_unique<GUICheckBox>(services, GUIWindow::Shown | GUIWindow::Colored,
                                                            position, size, parent,
                                                            GUIVisual::Quad(descriptor, uvExtent)));
}

GUIEditBox* GUIManager::CreateEditBox(const Vector2& position, const Vector2& size,
                                      const ShaderDescriptor& descriptor, const Color& textColour,
                                      const Vector2& textOffset, float widthLimit, GUIWindow* parent,
                                      const Vector2& uvExtent)
{
    return Listed(editBoxes, std::make_unique<GUIEditBox>(services, GUIWindow::Shown | GUIWindow::Colored, position,
                                                          size, parent, editBoxFontId, textColour, textOffset,
                                                          widthLimit, editBoxMaxLength,
                                                          GUIVisual::Quad(descriptor, uvExtent)));
}

GUISlider* GUIManager::CreateSlider(const Vector2& position, const Vector2& size, const ShaderDescriptor& descriptor,
                                    const Vector2& trackStart, const Vector2& trackEnd, GUIWindow* parent,
                                    const Vector2& uvExtent)
{
    return Listed(sliders, std::make_unique<GUISlider>(services, GUIWindow::Shown | GUIWindow::Colored, position,
                                                       size, parent, trackStart, trackEnd, sliderSteps, false,
                                                       GUIVisual::Quad(descriptor, uvExtent)));
}

GUIScroll* GUIManager::CreateScroll(const Vector2& position, const Vector2& size, const ShaderDescriptor& descriptor,
                                    const Vector2& trackStart, const Vector2& trackEnd, GUIWindow* parent,
                                    const Vector2& uvExtent)
{
    return Listed(scrolls, std::make_unique<GUIScroll>(services, GUIWindow::Shown | GUIWindow::Colored, position,
                                                       size, parent, trackStart, trackEnd,
                                                       GUIVisual::Quad(descriptor, uvExtent)));
}

GUICursor* GUIManager::CreateSystemCursor()
{
    return Listed(cursors, std::make_unique<GUICursor>(services));
}

GUIWindow* GUIManager::CreateUntexturedWindow(uint32_t flags, const Vector2& position, const Vector2& size,
                                              GUIWindow* parent)
{
    return Listed(windows, std::make_unique<GUIWindow>(services, flags, position, size, parent));
}

void GUIManager::DeleteWindow(GUIWindow* window)
{
    if (windows.Remove(window))
        delete window;
}

GUIButton* GUIManager::CreateUntexturedButton(const Vector2& position, const Vector2& size, GUIWindow* parent)
{
    return Listed(buttons, std::make_unique<GUIButton>(services, GUIWindow::Shown, position, size, parent));
}

GUIEditBox* GUIManager::CreateUntexturedEditBox(const Vector2& position, const Vector2& size, int32_t fontId,
                                                const Color& textColour, const Vector2& textOffset,
                                                float widthLimit, GUIWindow* parent)
{
    return Listed(editBoxes, std::make_unique<GUIEditBox>(services, GUIWindow::Shown, position, size, parent, fontId,
                                                          textColour, textOffset, widthLimit,
                                                          untexturedEditBoxMaxLength));
}

} // namespace VantoranEngine
