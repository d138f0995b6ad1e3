#pragma once
// Font files: magic "VNFNT", version 201. After the common header, u32 glyph count, then one 22-byte
// record per glyph: u16 code (UTF-16 unit), f32 u, f32 v, f32 du, f32 dv, f32 advance.
// Texture coordinates have v = 0 at the bottom row of the picture; advance is the glyph cell's width as a
// multiple of the font size (the cell's height), so a cell of w × h pixels in a W × H picture has
// du = w / W, dv = h / H and advance = w / h.

#include <cstdint>
#include <vector>

namespace Formats {

constexpr uint32_t fontVersion = 201;

struct FontGlyph {
    char16_t code = 0;
    float u = 0, v = 0, du = 0, dv = 0;
    float advance = 0;
};

std::vector<uint8_t> EncodeFont(const std::vector<FontGlyph>& glyphs, uint32_t version = fontVersion);

} // namespace Formats
