#include "tools/fontbake/FontBaker.h"

#include "tools/formats/ByteWriter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace FontBake {

namespace {

constexpr uint32_t maxPictureSide = 4096;
// Glyph edges are all there is to see in a font picture, so it is stored finer than photographs.
constexpr int jpegQuality = 95;

struct RenderedGlyph {
    char16_t code = 0;
    uint32_t cellWidth = 0;
    int32_t inkLeft = 0; // first ink column inside the cell
    int32_t inkTop = 0;  // first ink row below the cell's top
    uint32_t inkWidth = 0;
    uint32_t inkHeight = 0;
    std::vector<uint8_t> coverage; // inkWidth × inkHeight, top row first
    uint32_t x = 0, y = 0;         // cell's lower-left corner in the picture (y counted from the bottom)
};

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

int32_t CeilPixels(FT_Pos value) { return static_cast<int32_t>((value + 63) >> 6); }
int32_t FloorPixels(FT_Pos value) { return static_cast<int32_t>(value >> 6); }

// Rows needed to shelve the cells at the given picture width; 0 when a cell is wider than the picture.
uint32_t CountRows(const std::vector<RenderedGlyph>& glyphs, uint32_t width, uint32_t border)
{
    uint32_t rows = 1;
    uint32_t x = border;
    for (const RenderedGlyph& glyph : glyphs) {
        if (glyph.cellWidth + 2 * border > width)
            return 0;
        if (x + glyph.cellWidth + border > width) {
            ++rows;
            x = border;
        }
        x += glyph.cellWidth + border;
    }
    return rows;
}

uint32_t NextPowerOfTwo(uint32_t value)
{
    uint32_t power = 1;
    while (power < value)
        power *= 2;
    return power;
}

} // namespace

std::vector<char16_t> DefaultCharacterSet()
{
    std::vector<char16_t> codes;
    for (char16_t c = 0x20; c <= 0x7E; ++c)
        codes.push_back(c);
    for (char16_t c = 0xA0; c <= 0xFF; ++c)
        codes.push_back(c);
    for (char16_t c = 0x400; c <= 0x45F; ++c)
        codes.push_back(c);
    for (char16_t c : {u'\u2013', u'\u2014', u'\u2018', u'\u2019', u'\u201A', u'\u201C', u'\u201D', u'\u201E',
                       u'\u2022', u'\u2026', u'\u20AC', u'\u2116'})
        codes.push_back(c);
    return codes;
}

bool Bake(const BakeOptions& options, BakedFont& font, std::string& failure)
{
    font = BakedFont{};
    if (options.pixelSize == 0 || options.pixelSize > 512) {
        failure = "pixel size must be 1..512";
        return false;
    }

    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) {
        failure = "FreeType could not start";
        return false;
    }
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library(rawLibrary);

    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), options.fontPath.c_str(), 0, &rawFace) != 0) {
        failure = "cannot open font \"" + options.fontPath + "\"";
        return false;
    }
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face(rawFace);
    if (FT_Select_Charmap(face.get(), FT_ENCODING_UNICODE) != 0 ||
        FT_Set_Pixel_Sizes(face.get(), 0, options.pixelSize) != 0) {
        failure = "font \"" + options.fontPath + "\" has no Unicode character map at that size";
        return false;
    }

    const int32_t ascender = CeilPixels(face->size->metrics.ascender);
    const int32_t descender = FloorPixels(face->size->metrics.descender); // negative below the baseline
    const int32_t cellHeight = ascender - descender;
    if (cellHeight <= 0) {
        failure = "font \"" + options.fontPath + "\" reports no line height";
        return false;
    }

    std::vector<char16_t> codes = options.codes.empty() ? DefaultCharacterSet() : options.codes;
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());

    std::vector<RenderedGlyph> glyphs;
    for (char16_t code : codes) {
        const FT_UInt index = FT_Get_Char_Index(face.get(), code);
        if (index == 0 && code != u' ')
            continue;
        if (FT_Load_Glyph(face.get(), index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
            continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.width != 0 && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
            failure = "font \"" + options.fontPath + "\" renders glyphs in an unexpected pixel mode";
            return false;
        }

        RenderedGlyph glyph;
        glyph.code = code;
        const int32_t advance = std::max<int32_t>(1, CeilPixels(slot->advance.x));
        glyph.inkLeft = std::max<int32_t>(0, slot->bitmap_left);
        glyph.inkTop = ascender - slot->bitmap_top;
        glyph.inkWidth = bitmap.width;
        glyph.inkHeight = bitmap.rows;
        glyph.cellWidth = static_cast<uint32_t>(std::max<int32_t>(advance, glyph.inkLeft + static_cast<int32_t>(bitmap.width)));
        glyph.coverage.resize(size_t{bitmap.width} * bitmap.rows);
        for (uint32_t row = 0; row < bitmap.rows; ++row) {
            const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
            if (bitmap.pitch < 0)
                source = bitmap.buffer + static_cast<ptrdiff_t>(bitmap.rows - 1 - row) * -bitmap.pitch;
            std::memcpy(&glyph.coverage[size_t{row} * bitmap.width], source, bitmap.width);
        }
        glyphs.push_back(std::move(glyph));
    }
    if (glyphs.empty()) {
        failure = "font \"" + options.fontPath + "\" has none of the requested characters";
        return false;
    }

    // The smallest power-of-two picture that shelves every cell; of equal areas the squarer one.
    const uint32_t border = options.border;
    const uint32_t rowPitch = static_cast<uint32_t>(cellHeight) + border;
    uint32_t bestWidth = 0, bestHeight = 0;
    for (uint32_t width = 16; width <= maxPictureSide; width *= 2) {
        const uint32_t rows = CountRows(glyphs, width, border);
        if (rows == 0)
            continue;
        const uint32_t height = NextPowerOfTwo(border + rows * rowPitch);
        if (height > maxPictureSide)
            continue;
        const uint64_t area = uint64_t{width} * height, bestArea = uint64_t{bestWidth} * bestHeight;
        if (bestWidth == 0 || area < bestArea ||
            (area == bestArea && std::max(width, height) < std::max(bestWidth, bestHeight))) {
            bestWidth = width;
            bestHeight = height;
        }
    }
    if (bestWidth == 0) {
        failure = "the glyphs do not fit a 4096 x 4096 picture at this size";
        return false;
    }

    font.picture = Formats::MakePicture(bestWidth, bestHeight, 4, {255, 255, 255, 0});
    font.cellHeight = static_cast<uint32_t>(cellHeight);
    uint32_t x = border;
    uint32_t top = bestHeight - border; // picture row above the current shelf (rows counted from the bottom)
    for (RenderedGlyph& glyph : glyphs) {
        if (x + glyph.cellWidth + border > bestWidth) {
            x = border;
            top -= rowPitch;
        }
        glyph.x = x;
        glyph.y = top - static_cast<uint32_t>(cellHeight);
        for (uint32_t row = 0; row < glyph.inkHeight; ++row) {
            const int32_t cellRow = glyph.inkTop + static_cast<int32_t>(row); // below the cell's top
            if (cellRow < 0 || cellRow >= cellHeight)
                continue;
            const uint32_t pictureRow = top - 1 - static_cast<uint32_t>(cellRow);
            for (uint32_t column = 0; column < glyph.inkWidth; ++column)
                font.picture.At(x + static_cast<uint32_t>(glyph.inkLeft) + column, pictureRow)[3] =
                    glyph.coverage[size_t{row} * glyph.inkWidth + column];
        }
        x += glyph.cellWidth + border;

        Formats::FontGlyph record;
        record.code = glyph.code;
        record.u = static_cast<float>(glyph.x) / static_cast<float>(bestWidth);
        record.v = static_cast<float>(glyph.y) / static_cast<float>(bestHeight);
        record.du = static_cast<float>(glyph.cellWidth) / static_cast<float>(bestWidth);
        record.dv = static_cast<float>(cellHeight) / static_cast<float>(bestHeight);
        record.advance = static_cast<float>(glyph.cellWidth) / static_cast<float>(cellHeight);
        font.glyphs.push_back(record);
    }
    return true;
}

bool WriteBakedFont(const BakedFont& font, const std::string& fontFilePath, const std::string& colourPath,
                    std::string& failure)
{
    if (!Formats::WriteJpegPair(colourPath, font.picture, jpegQuality)) {
        failure = "cannot write \"" + colourPath + "\"";
        return false;
    }
    if (!Formats::SaveFile(fontFilePath, Formats::EncodeFont(font.glyphs))) {
        failure = "cannot write \"" + fontFilePath + "\"";
        return false;
    }
    return true;
}

} // namespace FontBake
