#pragma once
// GUIGameLoadingWindow: the start-up loading screen. A full-screen picture with "LOADING" fading in; the
// global resources load behind it once it has been drawn for a while; result 1 follows the load, and
// the picture then fades out over the main menu and is deleted.
//
// Timing (the engine's frame time): the text fades in from 1.2 s to 2.2 s, the load runs at 2.35 s and
// blocks the frame, the text then fades out until 3.5 s and result 1 comes once the clock passes
// 3.65 s. After Hide the picture fades out over 2 s and is deleted; the window is not shown again.
// Main thread only.

#include "framework/GUILoadingWindowBase.h"

namespace VantoranEngine {
class GUIManager;
class GUIWindow;
} // namespace VantoranEngine

namespace Petalwork {

class GUIGameLoadingWindow : public GameFramework::GUILoadingWindowBase {
public:
    static constexpr float textFadeInStart = 1.2f; // seconds of the window's clock
    static constexpr float loadTime = 2.35f;
    static constexpr float textFadeOutEnd = 3.5f;
    static constexpr float resultTime = 3.65f;
    static constexpr float pictureFadeSpeed = 0.5f; // alpha per second after Hide
    static constexpr float hiddenPictureDepth = -1000.0f; // over the menu the transition shows

    explicit GUIGameLoadingWindow(VantoranEngine::Engine* engine);
    ~GUIGameLoadingWindow() override;

    void Update() override;
    void Show(GameFramework::DataKeeper* data) override;
    void Hide() override;

    // Null once the picture has faded out.
    VantoranEngine::GUIWindow* GetPicture() const { return picture; }
    float GetClock() const { return clock; }
    float GetTextAlpha() const { return textAlpha; }

private:
    VantoranEngine::GUIManager* gui;
    VantoranEngine::GUIWindow* picture = nullptr; // owned through the GUI manager's list
    float clock = 0.0f; // seconds
    bool fadingOut = false;
    float pictureAlpha = 1.0f;
    float textAlpha = 0.0f;
};

} // namespace Petalwork
