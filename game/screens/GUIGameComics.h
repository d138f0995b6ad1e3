#pragma once
// GUIGameComics: comics 3 (five pictures), the story the stage screen plays once after a given stage.
// Built once and run by Start; each picture fades in over a second and stays three seconds (a click
// cuts the wait short); after the last one everything fades out and the player reports finished; End
// puts it away until the next Start.
//
// Rules:
// - The five caption files are read by the constructor (at start-up); one that cannot be read is fatal.
// - Start rewinds every fade and hold, so a second run plays every picture for its full time.
// - The windows hang under the bundle's panel layer from layer 100001 upwards, above everything of a
//   level; the models are authored in screen units. Main thread only.

#include "game/screens/ComicsRecord.h"

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

class GUIGameComics {
public:
    static constexpr int32_t comicsNumber = 3;
    static constexpr int32_t pageCount = 5;
    static constexpr int32_t firstLayer = 100001;

    GUIGameComics(const std::string& languageCode, VantoranEngine::Engine* engine, VantoranEngine::GUIWindow* parent);
    virtual ~GUIGameComics();

    GUIGameComics(const GUIGameComics&) = delete;
    GUIGameComics& operator=(const GUIGameComics&) = delete;

    void Start();
    // One frame; nothing while inactive.
    void Update();
    void End();

    bool IsActive() const { return active; }
    bool IsFinished() const { return finished; }
    bool IsFadingOut() const { return fadingOut; }
    size_t GetPageIndex() const { return pageIndex; }
    const ComicsRecord& GetComics() const { return *comics; }

private:
    VantoranEngine::TimerManager* timerManager;
    VantoranEngine::Controls* controls;
    VantoranEngine::GUIFontManager* fontManager;
    std::unique_ptr<ComicsRecord> comics;
    size_t pageIndex = 0;
    bool finished = false;
    bool fadingOut = false;
    bool active = false;
};

} // namespace Petalwork
