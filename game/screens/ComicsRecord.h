#pragma once
// ComicsRecord: one picture story of the comics players: a background window and a row of page windows,
// each a GUI model window with an opaque picture, its captions read from a text file, and the fades and
// hold times that GUIComics and GUIGameComics drive.
//
// Rules:
// - The windows are model windows of zero size that place their own models (the window's placement is
//   switched off), made hidden at alpha 0 on rising layers under the given parent; the record owns them
//   through the GUI manager's list.
// - A caption file that cannot be read ends the program through the log's fatal path. A file that ends
//   early gives fewer blocks or lines.
// - Caption positions are GUI units (y up) in the page window, which lies at the parent's corner.
// - Main thread only.

#include "engine/render/Vector2.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VantoranEngine {
class Engine;
class FileManager;
class GUIFontManager;
class GUIManager;
class GUIWindow;
class MessageManager;
} // namespace VantoranEngine

namespace Petalwork {

// A caption: its lines from the top one down, the first at (x, y).
struct ComicsTextBlock {
    float x = 0.0f;
    float y = 0.0f;
    std::vector<std::u16string> lines;
};

struct ComicsPage {
    float alpha = 0.0f; // 0..1
    float hold = 0.0f;  // seconds shown whole, up to ComicsRecord::holdTime
    VantoranEngine::GUIWindow* window = nullptr;
    std::vector<ComicsTextBlock> blocks;
};

class ComicsRecord {
public:
    static constexpr float holdTime = 3.0f;   // seconds a whole page stays before the next one
    static constexpr int32_t textFont = 15;

    // Comics `number` with `pageCount` pages: the background on `firstLayer`, page m on firstLayer + 1 + m.
    // `offset` moves every model (the intro's models are authored around the origin).
    ComicsRecord(VantoranEngine::Engine* engine, const std::string& languageCode, int32_t number, int32_t pageCount,
                 VantoranEngine::GUIWindow* parent, int32_t firstLayer, const VantoranEngine::Vector2& offset);
    ~ComicsRecord();

    ComicsRecord(const ComicsRecord&) = delete;
    ComicsRecord& operator=(const ComicsRecord&) = delete;

    // The captions of one page file; a file error is fatal.
    static std::vector<ComicsTextBlock> ReadTexts(VantoranEngine::FileManager& files, VantoranEngine::MessageManager& log,
                                                  const std::string& path);
    static std::string TextPath(const std::string& languageCode, int32_t number, int32_t page);

    // Every alpha and hold back to 0, every window tinted transparent.
    void Rewind();
    // Background and every page shown or hidden.
    void SetAllShown(bool shown);
    // The background's fade-in step; nothing once it is opaque.
    void FadeInBackground(float dt);
    // One step of page `index`: its fade-in, else its hold. True when the hold has run out.
    bool StepPage(size_t index, float dt);
    // The page is made whole at once and its hold used up, so the next step moves on.
    void SkipPage(size_t index);
    // The fade-out step of the background and every page; true once the background is gone.
    bool StepFadeOut(float dt);
    // Queues every page's captions in its window at the page's alpha.
    void QueueTexts(VantoranEngine::GUIFontManager& fonts);

    float backgroundAlpha = 0.0f;
    VantoranEngine::GUIWindow* background = nullptr;
    std::vector<ComicsPage> pages;

private:
    static void Tint(VantoranEngine::GUIWindow* window, float alpha);
    VantoranEngine::GUIWindow* CreatePicture(const std::string& model, const std::string& texture,
                                             VantoranEngine::GUIWindow* parent, int32_t layer,
                                             const VantoranEngine::Vector2& offset);

    VantoranEngine::GUIManager* gui;
};

} // namespace Petalwork
