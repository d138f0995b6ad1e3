#include "tools/fontbake/FontBaker.h"

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileBinary.h"
#include "engine/render/JpegCodec.h"
#include "engine/render/gui/GUIFont.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

using namespace VantoranEngine;

namespace {

const std::string kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// A grey JPEG decoded into rows bottom row first, like the engine's images.
Formats::Picture DecodeGrey(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t position = 0;
    std::vector<uint8_t> topFirst;
    Formats::Picture picture;
    std::string failure;
    const bool ok = JpegCodec::Decode(
        [&](uint8_t* buffer, uint32_t count) {
            const size_t n = std::min<size_t>(count, bytes.size() - position);
            if (n != 0)
                std::memcpy(buffer, bytes.data() + position, n);
            position += n;
            return static_cast<uint32_t>(n);
        },
        [&](uint32_t w, uint32_t h, uint32_t c) {
            picture = {w, h, 1, std::vector<uint8_t>(size_t{w} * h)};
            topFirst.assign(size_t{w} * h * c, 0);
            return c == 1 ? topFirst.data() : nullptr;
        },
        failure);
    EXPECT_TRUE(ok) << failure;
    for (uint32_t y = 0; y < picture.height; ++y)
        std::memcpy(picture.At(0, y), &topFirst[size_t{picture.height - 1 - y} * picture.width], picture.width);
    return picture;
}

// Mean opacity of the picture's rows [rowFrom, rowTo) over a glyph's cell columns.
double MeanInk(const Formats::Picture& alpha, const GUIFontGlyph& g, uint32_t rowFrom, uint32_t rowTo)
{
    const uint32_t x0 = static_cast<uint32_t>(std::lround(g.u * alpha.width));
    const uint32_t x1 = static_cast<uint32_t>(std::lround((g.u + g.du) * alpha.width));
    double sum = 0;
    for (uint32_t y = rowFrom; y < rowTo; ++y)
        for (uint32_t x = x0; x < x1; ++x)
            sum += *alpha.At(x, y);
    return sum / (double(rowTo - rowFrom) * (x1 - x0));
}

TEST(FontBake, TheEngineReadsTheBakedFontWithItsMetrics)
{
    TempFolder folder;
    FontBake::BakeOptions options;
    options.fontPath = kFont;
    options.pixelSize = 24;
    FontBake::BakedFont baked;
    std::string failure;
    ASSERT_TRUE(FontBake::Bake(options, baked, failure)) << failure;
    ASSERT_TRUE(FontBake::WriteBakedFont(baked, folder / "fonts/sans.fnt", folder / "fonts/sans.jpg", failure))
        << failure;

    MessageManager log("", "", "Test", false, false);
    MemoryManager memory(&log);
    FileBinary file(&memory, folder / "fonts/sans.fnt", false, false, true);
    GUIFont::GlyphTable glyphs;
    GUIFont::ReadGlyphs(file, "fonts\\sans.fnt", glyphs);
    ASSERT_EQ(glyphs.size(), baked.glyphs.size());
    for (const Formats::FontGlyph& expected : baked.glyphs) {
        const GUIFontGlyph& g = glyphs.at(expected.code);
        EXPECT_EQ(g.u, expected.u);
        EXPECT_EQ(g.v, expected.v);
        EXPECT_EQ(g.du, expected.du);
        EXPECT_EQ(g.dv, expected.dv);
        EXPECT_EQ(g.advance, expected.advance);
    }

    // Latin, Cyrillic, digits and punctuation are there; codes the font lacks are left out.
    for (char16_t code : std::u16string(u" AZaz09.,!?\u00AB\u00BB\u0401\u0410\u042F\u0430\u044F\u2014\u2116"))
        EXPECT_EQ(glyphs.count(code), 1u) << int(code);
    EXPECT_EQ(glyphs.count(u'\u0378'), 0u);
    EXPECT_GT(baked.glyphs.size(), 250u);

    // Every cell is the line height tall and its advance is its width over its height, in pixels.
    const double width = baked.picture.width, height = baked.picture.height;
    EXPECT_EQ(baked.picture.width & (baked.picture.width - 1), 0u);
    EXPECT_EQ(baked.picture.height & (baked.picture.height - 1), 0u);
    for (const auto& [code, g] : glyphs) {
        EXPECT_NEAR(g.dv * height, baked.cellHeight, 1e-3);
        EXPECT_NEAR(g.advance, g.du * width / (g.dv * height), 1e-5);
        EXPECT_GE(g.u, 0.0f);
        EXPECT_LE(g.u + g.du, 1.0f);
        EXPECT_GE(g.v, 0.0f);
        EXPECT_LE(g.v + g.dv, 1.0f);
    }
    EXPECT_GT(glyphs.at(u'W').advance, glyphs.at(u'i').advance);

    // The opacity picture holds the ink the right way up: v is the cell's bottom, so a full stop inks
    // the lower half of its cell and an apostrophe the upper half; the space stays clear.
    const Formats::Picture alpha = DecodeGrey(folder / "fonts/sans_alpha.jpg");
    ASSERT_EQ(alpha.width, baked.picture.width);
    ASSERT_EQ(alpha.height, baked.picture.height);
    auto halves = [&](char16_t code) {
        const GUIFontGlyph& g = glyphs.at(code);
        const uint32_t bottom = static_cast<uint32_t>(std::lround(g.v * height));
        const uint32_t middle = bottom + baked.cellHeight / 2;
        return std::pair{MeanInk(alpha, g, bottom, middle), MeanInk(alpha, g, middle, bottom + baked.cellHeight)};
    };
    const auto [stopLow, stopHigh] = halves(u'.');
    EXPECT_GT(stopLow, stopHigh + 5.0);
    const auto [quoteLow, quoteHigh] = halves(u'\'');
    EXPECT_GT(quoteHigh, quoteLow + 5.0);
    const auto [spaceLow, spaceHigh] = halves(u' ');
    EXPECT_LT(spaceLow + spaceHigh, 2.0);
    EXPECT_GT(halves(u'\u0416').first, 20.0);
}

TEST(FontBake, RefusesWhatItCannotBake)
{
    FontBake::BakedFont baked;
    std::string failure;
    FontBake::BakeOptions missing;
    missing.fontPath = "/nonexistent/font.ttf";
    EXPECT_FALSE(FontBake::Bake(missing, baked, failure));
    EXPECT_NE(failure.find("/nonexistent/font.ttf"), std::string::npos);

    FontBake::BakeOptions none;
    none.fontPath = kFont;
    none.codes = {u'\u0378'}; // unassigned
    EXPECT_FALSE(FontBake::Bake(none, baked, failure));

    FontBake::BakeOptions huge;
    huge.fontPath = kFont;
    huge.pixelSize = 0;
    EXPECT_FALSE(FontBake::Bake(huge, baked, failure));
}

} // namespace
