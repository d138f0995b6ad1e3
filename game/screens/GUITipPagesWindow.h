#pragma once
// GUITipPagesWindow: a tip frame that pages through tip pages (picture, title, text lines) with an OK
// button: the level's tips and the order tips. Each page fades in and out over 0.5 s; OK on the last page
// fades the whole frame out and finishes the pages.
//
// Rules:
// - Page states: Shown 0 (waiting for OK), FadingIn 1, FadingOut 2, Finished 3. The running level holds
//   its board until the state is Finished and waits for the frame to be off screen (IsShown, IsHiding).
// - OK counts only in state Shown and while the frame takes input (shown, not fading out).
// - While the frame fades out, the lines and the picture follow the frame's alpha, not the page's.
// - A frame shown with no pages (a file without pages) finishes at once and fades out, so nobody waits
//   for an OK that cannot come.
// - The picture window is not in the control list: its colour is set here every frame. Main thread only.

#include "framework/TipPage.h"
#include "game/screens/GUIMenuWindow.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Petalwork {

class GameData;

class GUITipPagesWindow : public GUIMenuWindow {
public:
    enum class PageState : int32_t { Shown = 0, FadingIn = 1, FadingOut = 2, Finished = 3 };

    static constexpr float okButtonY = 40.0f;

    ~GUITipPagesWindow() override;

    void Update() override;
    // Replaces the picture window by the current page's (none past the last page).
    void ShowPicture();

    PageState GetState() const { return state; }
    bool IsFinished() const { return state == PageState::Finished; }
    size_t GetPageIndex() const { return pageIndex; }
    float GetPageAlpha() const { return pageAlpha; }
    const std::vector<GameFramework::TipPage>& GetPages() const { return pages; }
    VantoranEngine::GUIButton* GetOkButton() const { return okButton; }
    VantoranEngine::GUIWindow* GetPicture() const { return picture; }

protected:
    // The frame of type 5 under the bundle's panel layer; no button yet.
    GUITipPagesWindow(VantoranEngine::Engine* engine, const GameData& gameData);

    // The long OK button centred at y 40.
    void CreateOkButton();

    std::vector<GameFramework::TipPage> pages;
    PageState state = PageState::Shown;
    float pageAlpha = 0.0f;
    size_t pageIndex = 0;
    VantoranEngine::GUIWindow* picture = nullptr; // owned through the GUI manager's list
    VantoranEngine::GUIButton* okButton = nullptr; // owned through the GUI manager's list; may be absent
};

} // namespace Petalwork
