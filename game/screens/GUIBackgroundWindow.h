#pragma once
// GUIBackgroundWindow: the game's title logo over the flower-house scene of the menus. The logo rides on
// a path model's animation and fades in (arrival) or out (departure) over 2/3 s; it hides itself at the
// end of a fade-out. Its update runs the flower house first, every frame, also while the logo is hidden.
//
// The stage screen and the screen flow write the public fields directly: "leave" is the path's
// departure animation with a fade-out; "remove at once" stops the path at its start, hides the logo
// and clears the fade. Main thread only.

namespace VantoranEngine {
class Engine;
class GUIManager;
class Model;
class ModelManager;
class TimerManager;
} // namespace VantoranEngine

namespace Petalwork {

class GUIFlowerHouse;
class GameData;

class GUIBackgroundWindow {
public:
    static constexpr int arrivalAnimation = 0;   // path frames 5-10
    static constexpr int departureAnimation = 1; // path frames 0-5
    static constexpr float defaultFadeSpeed = 1.5f; // alpha per second

    GUIBackgroundWindow(VantoranEngine::Engine* engine, GUIFlowerHouse* flowerHouse, GameData* gameData);
    virtual ~GUIBackgroundWindow();

    GUIBackgroundWindow(const GUIBackgroundWindow&) = delete;
    GUIBackgroundWindow& operator=(const GUIBackgroundWindow&) = delete;

    void Update();
    // The logo arrives and fades in.
    void Reset();
    // The logo leaves along the path and fades out.
    void Leave();
    // The logo is gone at once, without a fade.
    void Remove();
    bool IsLogoShown() const;

    VantoranEngine::Model* pathModel = nullptr; // owned, listed with the model manager
    VantoranEngine::Model* logoModel = nullptr; // owned, listed with the model manager
    bool fadingOut = false;
    float fadeTime = 0.0f; // seconds since the current fade began
    float alpha = 0.0f;
    float fadeSpeed = defaultFadeSpeed;

private:
    void PlacePath(int animation, bool playing);
    void PlaceLogo();

    VantoranEngine::Engine* engine;
    VantoranEngine::GUIManager* gui;
    GUIFlowerHouse* flowerHouse;
    VantoranEngine::TimerManager* timerManager;
    VantoranEngine::ModelManager* modelManager;
};

} // namespace Petalwork
