#pragma once
// GUIGameLogicTextWindow: the common part of the five in-level overlays (pause, level complete, stage
// complete, game complete, game over). An 800 x 600 untextured window under the bundle's panel layer
// shows one message, fading in over a second, types the hint "HIT_MOUSE_BUTTON_TO_CONTINUE" out under it,
// and raises `done` when the player presses a key or a button.
//
// Rules:
// - The message is looked up once, at construction; the hint every frame (a language change shows at once).
// - A press counts only once the overlay has been shown for more than 0.35 s (time before this frame's
//   step). Show sets the input hold, so a key held since before Show counts only after it was released.
// - `done` stays set until Show or Hide. Update works only while the overlay window is visible.
// - The hint types out at 50 characters per second from 0.8 s, standing where the whole line would be
//   centred. Main thread only.

#include <cstdint>
#include <string>

namespace VantoranEngine {
class Controls;
class Engine;
class GUIFontManager;
class GUIManager;
class GUITextManager;
class GUIWindow;
class TimerManager;
} // namespace VantoranEngine

namespace Petalwork {

class GameData;

class GUIGameLogicTextWindow {
public:
    static constexpr float clickDelay = 0.35f;      // seconds before a press counts
    static constexpr float hintDelay = 0.8f;        // seconds before the hint starts typing
    static constexpr float hintSpeed = 50.0f;       // characters per second
    static constexpr float hintY = 100.0f;
    static constexpr int32_t messageFont = 9;
    static constexpr int32_t hintFont = 1;
    static constexpr const char* hintKey = "HIT_MOUSE_BUTTON_TO_CONTINUE";

    GUIGameLogicTextWindow(VantoranEngine::Engine* engine, const GameData& gameData, const std::string& messageKey);
    virtual ~GUIGameLogicTextWindow();

    GUIGameLogicTextWindow(const GUIGameLogicTextWindow&) = delete;
    GUIGameLogicTextWindow& operator=(const GUIGameLogicTextWindow&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    // Characters of a hint of `length` shown after `timeShown` seconds.
    static size_t HintCharacters(float timeShown, size_t length);

    bool IsDone() const { return done; }
    float GetTimeShown() const { return timeShown; }
    const std::u16string& GetMessage() const { return message; }
    VantoranEngine::GUIWindow* GetOverlay() const { return overlay; }

protected:
    VantoranEngine::TimerManager* timerManager;
    VantoranEngine::Controls* controls;
    VantoranEngine::GUIManager* gui;
    VantoranEngine::GUITextManager* textManager;
    VantoranEngine::GUIFontManager* fontManager;
    VantoranEngine::GUIWindow* overlay = nullptr; // owned through the GUI manager's list
    float timeShown = 0.0f;                       // seconds since Show
    std::u16string message;
    bool done = false;
};

} // namespace Petalwork
