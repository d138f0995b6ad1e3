#pragma once
// TipPageFile: the tip-page format shared by the order and relax-mode tips (and the level tips the
// catalogue reads), and the parts of a tip page on a tip frame: its picture window and its texts.
//
// Format (text file, BOM or ANSI): a page count, then per page a title token ("_" for a blank), the
// picture's centre x and y, the colour and opacity image words (both under "gui\tip_window\"), the text
// anchor x and y, a line count and that many line tokens.
//
// Rules:
// - A missing or unreadable file is fatal ("PROGRAM ABORTING: " + the file error's message). A file that
//   ends early gives the pages begun so far; a negative count reads as none.
// - Page coordinates are those of a frame standing at (144, 40); the tip frame stands 63.5 higher.
// - The materials are obtained from the shader manager and appended to the caller's list, which owns
//   them (ShaderManager::ReleaseShader); on a fatal error they are released here first.
// - Main thread only.

#include "engine/render/Vector2.h"
#include "framework/TipPage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace VantoranEngine {
class Engine;
class GUIFontManager;
class GUIManager;
class GUIWindow;
class ShaderUser;
} // namespace VantoranEngine

namespace Petalwork {

class TipPageFile {
public:
    static constexpr float pageFrameX = 144.0f; // where the page coordinates put the frame
    static constexpr float pageFrameY = 40.0f;
    static constexpr float frameLift = 63.5f;   // the tip frame stands this much higher
    static constexpr float titleY = 318.0f;
    static constexpr int32_t titleFont = 5;
    static constexpr int32_t lineFont = 1;

    // Reads at most `maxPages` pages of "data\gui\tip_window\text\<language>\<name>".
    static std::vector<GameFramework::TipPage> Load(VantoranEngine::Engine& engine, const std::string& languageCode,
                                                    const std::string& name, size_t maxPages,
                                                    std::vector<VantoranEngine::ShaderUser*>& materials);

    // The size of the material's first texture (0 x 0 without one).
    static VantoranEngine::Vector2 PictureSize(const VantoranEngine::ShaderUser* material);

    // A textured window of the picture's size, child of `frame`, centred on the page's picture point,
    // shown at colour (1, 1, 1, 0). Null for a page without material.
    static VantoranEngine::GUIWindow* CreatePicture(VantoranEngine::GUIManager& gui, VantoranEngine::GUIWindow* frame,
                                                    const GameFramework::TipPage& page);

    // Queues the page's non-empty lines in font 1 at `lineAlpha` and its title, when not empty, in font 5
    // at `titleAlpha`, on `frame`.
    static void QueueTexts(VantoranEngine::GUIWindow* frame, const VantoranEngine::GUIFontManager& fonts,
                           const GameFramework::TipPage& page, float lineAlpha, float titleAlpha);
};

} // namespace Petalwork
