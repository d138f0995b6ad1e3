#pragma once
// The credits: two pages of centred lines, each line in the font the credits file names, with a title
// and an OK button. OK on the first page cross-fades to the second; OK on the second ends the credits
// (page state Ended), which the game object reads to fade the window out and show the main menu.
//
// Rules:
// - The file "data\gui\credits\<language>\credits.ini" is read once, at construction: the first and
//   second pages' line counts, then per line a font id and a text token ("_" for a blank). A missing or
//   unreadable file is fatal; a file that ends early gives the lines read so far.
// - A line whose font id has no font takes no height and no width; its text is still queued, so the
//   window logs the missing font once.
// - OK counts only while the credits are shown and not fading out. Main thread only.

#include "game/screens/GUIMenuWindow.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Petalwork {

class GameData;

class GUICreditsWindow : public GUIMenuWindow {
public:
    enum class PageState : int32_t { Shown = 0, FadingIn = 1, FadingOut = 2, Ended = 3 };

    struct Line {
        int32_t fontId = 0;
        std::u16string text;
    };

    static constexpr size_t pageCount = 2;
    static constexpr float topY = 312.0f;
    static constexpr float centreX = 256.0f;

    // The frame hangs under the bundle's in-level panel layer window.
    GUICreditsWindow(VantoranEngine::Engine* engine, GameData& data, const std::string& languageCode);
    ~GUICreditsWindow() override;

    void Update() override;
    // The game object's start: the frame fades in at the first page, which fades in too.
    void Start();
    // The game object's end, once the state is Ended: the frame fades out and the state goes back to Shown.
    void Finish();

    PageState GetPageState() const { return pageState; }
    size_t GetPageIndex() const { return pageIndex; }
    float GetPageAlpha() const { return pageAlpha; }
    const std::vector<std::vector<Line>>& GetPages() const { return pages; }
    VantoranEngine::GUIButton* GetOkButton() const { return okButton; }

private:
    void Load(const std::string& languageCode);
    void QueueLines();

    PageState pageState = PageState::Shown;
    float pageAlpha = 0.0f;
    std::vector<std::vector<Line>> pages; // always two
    size_t pageIndex = 0;
    VantoranEngine::GUIButton* okButton = nullptr;
};

} // namespace Petalwork
