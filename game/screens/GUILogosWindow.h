#pragma once
// GUILogosWindow: the first screen. Up to three full-screen logo pictures one after the other over a
// black backdrop, each fading in (1 s), holding (1.5 s) and fading out (1 s).
//
// Rules:
// - The first two logos are shown only when their picture exists; the third always is (a missing
//   picture is the texture manager's warning and an empty texture).
// - When the last logo begins to fade out, the backdrop is deleted and result 1 is raised, once; the
//   logo then finishes its fade on its own, drawn over the start-up loading picture.
// - Times are the engine's frame times: a frame longer than a phase jumps to the matching alpha.
// - Main thread only.

#include "framework/GUILogosWindowBase.h"

#include <deque>
#include <memory>
#include <string>

namespace VantoranEngine {
class FileManager;
class GUIManager;
class GUIWindow;
} // namespace VantoranEngine

namespace Petalwork {

class GUILogosWindow : public GameFramework::GUILogosWindowBase {
public:
    static constexpr float fadeInTime = 1.0f; // seconds
    static constexpr float holdTime = 1.5f;
    static constexpr float fadeOutTime = 1.0f;

    explicit GUILogosWindow(VantoranEngine::Engine* engine);
    ~GUILogosWindow() override;

    void Update() override;
    // Builds the backdrop and the queue of logos.
    void Show() override;
    void AddLogo(const std::string& image, float fadeIn, float hold, float fadeOut);

    // Null before Show and once the last logo fades out.
    VantoranEngine::GUIWindow* GetBackdrop() const { return backdrop; }
    size_t GetLogoCount() const { return logos.size(); }
    // The window of the logo being shown; null when none is.
    VantoranEngine::GUIWindow* GetCurrentLogo() const;

private:
    struct Logo {
        VantoranEngine::GUIWindow* window = nullptr; // owned through the GUI manager's list
        float fadeIn = 0.0f;
        float hold = 0.0f;
        float fadeOut = 0.0f;
        float end = 0.0f;   // fadeIn + hold + fadeOut
        float clock = 0.0f; // seconds since the logo became current
    };

    void DeleteLogoWindow(Logo& logo);

    VantoranEngine::FileManager* files;
    VantoranEngine::GUIManager* gui;
    VantoranEngine::GUIWindow* backdrop = nullptr;
    std::deque<std::unique_ptr<Logo>> logos; // the current logo at the front
    Logo* current = nullptr;
};

} // namespace Petalwork
