#include "framework/GUIGameCursorBase.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/devices/Controls.h"
#include "engine/core/devices/Window.h"
#include "engine/render/gui/GUICursor.h"
#include "engine/render/gui/GUIManager.h"
#include "platform/window/WindowApi.h"

namespace GameFramework {

namespace {
constexpr const char* customCursorName = "ui_custom_cursor";
constexpr int32_t spriteKey = 0;
}

GUIGameCursorBase::GUIGameCursorBase(VantoranEngine::Engine* engine)
    : engine(engine),
      log(engine->messageManager.get()),
      window(engine->window.get()),
      config(engine->config.get()),
      guiManager(engine->guiManager.get()),
      controls(engine->controls.get())
{
    config->Register("0", customCursorName, VantoranEngine::ConfigType::Bool, true, &uiCustomCursor, true);
    customMode = uiCustomCursor;
    HideCursor();
}

GUIGameCursorBase::~GUIGameCursorBase()
{
    for (auto& [key, entry] : cursors) {
        if (entry.sprite != nullptr && guiManager->cursors.Remove(entry.sprite))
            delete entry.sprite;
    }
    config->Unregister(customCursorName);
}

bool GUIGameCursorBase::Update()
{
    const VantoranEngine::GUICursor* sprite = ActiveSprite();
    const bool shown = sprite != nullptr ? sprite->shown : controls->cursorVisible;
    if (!shown)
        return false;
    if (config->IsChanged(customCursorName)) {
        HideCursor();
        customMode = uiCustomCursor;
        ShowCursor();
    }
    return true;
}

void GUIGameCursorBase::AddSystemCursor(VantoranEngine::GUICursor* sprite)
{
    if (sprite != nullptr)
        sprite->shown = false;
    CursorEntry entry;
    entry.systemCursor = Platform::LoadCursorA(window->hinstance, Platform::MAKEINTRESOURCEA(systemCursorResource));
    entry.sprite = sprite;
    cursors[spriteKey] = entry;
}

void GUIGameCursorBase::SelectCursor()
{
    const auto found = cursors.find(spriteKey);
    if (found == cursors.end())
        return;
    CursorEntry* next = &found->second;
    VantoranEngine::GUICursor* sprite = ActiveSprite();
    if (sprite != nullptr && sprite->shown) {
        sprite->shown = false;
        current = next;
        if (next->sprite != nullptr)
            next->sprite->shown = true;
        else
            ShowSystemCursor();
    }
    current = next;
    window->cursor = next->systemCursor;
    Platform::SetCursor(next->systemCursor);
}

void GUIGameCursorBase::ShowCursor()
{
    if (VantoranEngine::GUICursor* sprite = ActiveSprite())
        sprite->shown = true;
    else
        ShowSystemCursor();
}

void GUIGameCursorBase::HideCursor()
{
    if (VantoranEngine::GUICursor* sprite = ActiveSprite())
        sprite->shown = false;
    else
        HideSystemCursor();
}

VantoranEngine::GUICursor* GUIGameCursorBase::ActiveSprite() const
{
    return customMode && current != nullptr ? current->sprite : nullptr;
}

void GUIGameCursorBase::ShowSystemCursor()
{
    controls->cursorVisible = true;
    int count;
    do
        count = Platform::ShowCursor(true);
    while (count < 0);
    if (count > shownCountLimit)
        Platform::ShowCursor(false);
}

void GUIGameCursorBase::HideSystemCursor()
{
    controls->cursorVisible = false;
    int count;
    do
        count = Platform::ShowCursor(false);
    while (count >= 0);
    if (count < hiddenCountLimit)
        Platform::ShowCursor(true);
}

} // namespace GameFramework
