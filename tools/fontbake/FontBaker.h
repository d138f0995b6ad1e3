#pragma once
// The font baker: renders a TrueType font with FreeType into the engine's bitmap font, a "VNFNT" glyph
// table plus a picture (white colour, coverage as opacity) written as a JPEG colour and opacity pair.
//
// Rules:
// - Every glyph gets a cell of the same height, the font's line height (ascender - descender at the
//   chosen pixel size), and a width of its advance, widened when the inked pixels reach past it, so no
//   pixel is cut. The engine draws a glyph's cell as a quad `size` high and advance × `size` wide.
// - Cells are packed in rows into the smallest power-of-two picture that holds them, with a blank
//   border between cells so bilinear filtering never borrows a neighbour's pixels.
// - Codes the font has no glyph for are left out (the space is always kept); the engine then advances
//   such characters by the font's missing advance.
// - Failures answer false with a reason; nothing is written unless the whole bake succeeded.

#include "tools/formats/FontWriter.h"
#include "tools/formats/ImageWriters.h"

#include <cstdint>
#include <string>
#include <vector>

namespace FontBake {

struct BakeOptions {
    std::string fontPath;            // a TrueType or OpenType file
    uint32_t pixelSize = 32;         // em size in pixels; the cell height follows from the font's metrics
    uint32_t border = 2;             // blank pixels around every cell
    std::vector<char16_t> codes;     // empty: DefaultCharacterSet()
};

struct BakedFont {
    Formats::Picture picture;                 // 4 channels, bottom row first: white, alpha = coverage
    std::vector<Formats::FontGlyph> glyphs;   // in code order
    uint32_t cellHeight = 0;                  // pixels
};

// Printable ASCII, Latin-1 letters and signs, the Cyrillic block U+0400..U+045F, and the typographic
// punctuation that texts in those languages use (dashes, quotes, ellipsis, bullet, numero sign).
std::vector<char16_t> DefaultCharacterSet();

bool Bake(const BakeOptions& options, BakedFont& font, std::string& failure);

// Writes the font file and, beside the colour JPEG at `colourPath`, its opacity partner
// (Formats::OpacityName). Folders are created as needed.
bool WriteBakedFont(const BakedFont& font, const std::string& fontFilePath, const std::string& colourPath,
                    std::string& failure);

} // namespace FontBake
