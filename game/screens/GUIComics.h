#pragma once
// GUIComics: the intro story a new profile sees before its first stage: comics 0, 1 and 2 (3, 4 and 4
// pictures) played in a row. Each picture fades in over a second and stays three seconds (a click cuts
// the wait short); pictures stay under the later ones until their comics ends; after the last picture
// the last comics fades out and the player reports finished. The owner deletes it then.
//
// Rules:
// - Every caption file is read by the constructor; one that cannot be read is fatal.
// - The windows hang under the given parent (the bundle's panel layer) from layer 3 upwards, their
//   models moved to the screen's centre. Main thread only.

#include "game/screens/ComicsRecord.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>

namespace VantoranEngine {
class Controls;
class Engine;
class GUIFontManager;
class GUIWindow;
class TimerManager;
} // namespace VantoranEngine

namespace Petalwork {

class GUIComics {
public:
    static constexpr size_t comicsCount = 3;
    static constexpr std::array<int32_t, comicsCount> pageCounts{3, 4, 4};
    static constexpr int32_t firstLayer = 3;

    GUIComics(const std::string& languageCode, VantoranEngine::GUIWindow* parent, VantoranEngine::Engine* engine);
    virtual ~GUIComics();

    GUIComics(const GUIComics&) = delete;
    GUIComics& operator=(const GUIComics&) = delete;

    // One frame.
    void Update();

    bool IsFinished() const { return finished; }
    bool IsFadingOut() const { return fadingOut; }
    size_t GetComicsIndex() const { return comicsIndex; }
    size_t GetPageIndex() const { return pageIndex; }
    const ComicsRecord& GetComics(size_t index) const { return *comics[index]; }

private:
    VantoranEngine::TimerManager* timerManager;
    VantoranEngine::Controls* controls;
    VantoranEngine::GUIFontManager* fontManager;
    std::array<std::unique_ptr<ComicsRecord>, comicsCount> comics;
    size_t comicsIndex = 0;
    size_t pageIndex = 0;
    bool finished = false;
    bool fadingOut = false;
};

} // namespace Petalwork
