#include "game/screens/GUIGameLogicTextWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "game/board/GameData.h"
#include "game/screens/GUIWindowShown.h"

#include <algorithm>

namespace Petalwork {

using VantoranEngine::GUIWindow;

namespace {
constexpr float ownFontSize = -1.0f;
constexpr uint32_t centredBothWays = 3;
} // namespace

GUIGameLogicTextWindow::GUIGameLogicTextWindow(VantoranEngine::Engine* engine, const GameData& gameData,
                                               const std::string& messageKey)
    : timerManager(engine->timerManager.get()), controls(engine->controls.get()), gui(engine->guiManager.get()),
      textManager(gui->GetTextManager()), fontManager(gui->GetFontManager())
{
    overlay = gui->CreateUntexturedWindow(0, {0.0f, 0.0f}, {800.0f, 600.0f}, gameData.panelLayerWindow);
    SetShown(overlay, false);
    message = textManager->GetText(messageKey);
}

GUIGameLogicTextWindow::~GUIGameLogicTextWindow()
{
    gui->DeleteWindow(overlay);
}

void GUIGameLogicTextWindow::Show()
{
    controls->inputHold = true;
    SetShown(overlay, true);
    done = false;
    timeShown = 0.0f;
}

void GUIGameLogicTextWindow::Hide()
{
    SetShown(overlay, false);
    done = false;
}

size_t GUIGameLogicTextWindow::HintCharacters(float time, size_t length)
{
    const float typing = time - hintDelay;
    if (typing <= 0.0f)
        return 0;
    const float count = typing * hintSpeed;
    return count >= static_cast<float>(length) ? length : static_cast<size_t>(count);
}

void GUIGameLogicTextWindow::Update()
{
    if (!overlay->visible)
        return;
    if (controls->IsAnyKeyPressed() && timeShown > clickDelay)
        done = true;
    timeShown += timerManager->frameTime;

    overlay->AddText({0.0f, 0.0f}, {1.0f, 1.0f, 1.0f, std::min(timeShown, 1.0f)}, centredBothWays, messageFont,
                     message, ownFontSize);

    const std::u16string hint = textManager->GetText(hintKey);
    const size_t shownCharacters = HintCharacters(timeShown, hint.size());
    if (shownCharacters == 0)
        return;
    const VantoranEngine::GUIFont* font = fontManager->GetFont(hintFont);
    const float width = font != nullptr ? font->GetTextWidth(hint, ownFontSize) : 0.0f;
    overlay->AddText({(800.0f - width) / 2.0f, hintY}, {1.0f, 1.0f, 1.0f, 1.0f}, 0, hintFont,
                     hint.substr(0, shownCharacters), ownFontSize);
}

} // namespace Petalwork
