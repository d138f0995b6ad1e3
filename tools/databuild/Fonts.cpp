// The 16 fonts of data\ui\fonts and their list ru.ini, baked from the DejaVu fonts with FreeType.
// Glyph cells are as high as the font's size, so the fonts draw 1:1 at the default 800 x 600 mode.
#include "tools/databuild/DataBuild.h"

#include "tools/fontbake/FontBaker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace DataBuild {

namespace {

struct FontLook {
    uint32_t outline = 0;        // texels around every glyph
    uint32_t outlineColour = 0;  // 0xRRGGBB
    bool shadow = false;         // a 1-texel shadow down and right
};

const FontLook looks[] = {
    {},                  // mono12
    {0, 0, true},        // body18
    {0, 0, true},        // bold18
    {},                  // link15
    {},                  // link15h
    {2, 0x5A3A12, false}, // title30
    {2, 0x1F4A2A, false}, // button18
    {2, 0x1F4A2A, false}, // menu22
    {2, 0x8A4B12, false}, // popup20
    {3, 0x5A3A12, true},  // big44
    {2, 0x1F4A2A, false}, // panel22
    {},                  // count16
    {2, 0x1F4A2A, false}, // float18
    {2, 0x1F4A2A, false}, // goal16
    {},                  // story17
    {},                  // comic15
};

std::vector<char16_t> GlyphSet(bool capitalsOnly)
{
    std::vector<char16_t> codes;
    for (char16_t c = 0x20; c <= 0x7E; ++c)
        if (!capitalsOnly || c < u'a' || c > u'z')
            codes.push_back(c);
    for (char16_t c : {u'\u00AB', u'\u00BB', u'\u00D7', u'\u0401'})
        codes.push_back(c);
    for (char16_t c = 0x410; c <= 0x44F; ++c)
        if (!capitalsOnly || c < 0x430)
            codes.push_back(c);
    if (!capitalsOnly)
        codes.push_back(u'\u0451');
    for (char16_t c : {u'\u2013', u'\u2014', u'\u2026', u'\u2116'})
        codes.push_back(c);
    std::sort(codes.begin(), codes.end());
    return codes;
}

// Colours the white baked glyphs and adds their outline and shadow, all inside the same picture.
void Paint(Formats::Picture& picture, uint32_t colour, const FontLook& look)
{
    const uint32_t w = picture.width, h = picture.height;
    std::vector<float> ink(size_t{w} * h), edge(size_t{w} * h, 0.0f);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
            ink[size_t{y} * w + x] = picture.At(x, y)[3] / 255.0f;
    const int r = static_cast<int>(look.outline);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            float best = 0.0f;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const int sx = static_cast<int>(x) + dx, sy = static_cast<int>(y) + dy;
                    if (sx < 0 || sy < 0 || sx >= static_cast<int>(w) || sy >= static_cast<int>(h))
                        continue;
                    // Round corners: texels beyond the radius count by how far they are.
                    const float reach = std::clamp(static_cast<float>(r) + 0.5f - std::sqrt(static_cast<float>(dx * dx + dy * dy)), 0.0f, 1.0f);
                    best = std::max(best, ink[size_t(sy) * w + size_t(sx)] * reach);
                }
            edge[size_t{y} * w + x] = best;
        }
    auto channel = [](uint32_t rgb, int shift) { return static_cast<float>((rgb >> shift) & 0xFF); };
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const float a = ink[size_t{y} * w + x];
            float under = r > 0 ? edge[size_t{y} * w + x] : 0.0f;
            uint32_t underColour = look.outlineColour;
            if (look.shadow && x > 0 && y + 1 < h) {
                const float shade = 0.6f * edge[size_t(y + 1) * w + x - 1] * (r > 0 ? 1.0f : 0.0f) +
                                    0.6f * ink[size_t(y + 1) * w + x - 1] * (r > 0 ? 0.0f : 1.0f);
                if (shade > under) {
                    under = shade;
                    underColour = r > 0 ? look.outlineColour : 0x000000;
                }
            }
            const float alpha = a + under * (1.0f - a);
            uint8_t* p = picture.At(x, y);
            for (int c = 0; c < 3; ++c) {
                const int shift = 16 - 8 * c;
                const float top = channel(colour, shift), bottom = channel(underColour, shift);
                const float mixed = alpha > 0.0f ? (top * a + bottom * under * (1.0f - a)) / alpha : top;
                p[c] = static_cast<uint8_t>(std::clamp(mixed + 0.5f, 0.0f, 255.0f));
            }
            p[3] = static_cast<uint8_t>(std::clamp(alpha * 255.0f + 0.5f, 0.0f, 255.0f));
        }
}

} // namespace

const char* FontFolder() { return "/usr/share/fonts/truetype/dejavu/"; }

const std::vector<FontSpec>& Fonts()
{
    static const std::vector<FontSpec> fonts = {
        {"mono12", "DejaVuSansMono.ttf", 12, 0xFFFFFF, 0.6f, 1.0f, false},
        {"body18", "DejaVuSans.ttf", 18, 0xFFF8E8, 0.3f, 1.0f, false},
        {"bold18", "DejaVuSans-Bold.ttf", 18, 0xFFD66B, 0.3f, 1.0f, false},
        {"link15", "DejaVuSans.ttf", 15, 0xCFE8B0, 0.3f, 1.0f, false},
        {"link15h", "DejaVuSans.ttf", 15, 0xFFE27A, 0.3f, 1.0f, false},
        {"title30", "DejaVuSerif-Bold.ttf", 30, 0xFFD66B, 0.3f, 0.92f, false},
        {"button18", "DejaVuSans-Bold.ttf", 18, 0xFFFFFF, 0.3f, 0.9f, false},
        {"menu22", "DejaVuSerif-Bold.ttf", 22, 0xFFFFFF, 0.3f, 0.9f, false},
        {"popup20", "DejaVuSans-Bold.ttf", 20, 0xFFF3B0, 0.3f, 0.9f, false},
        {"big44", "DejaVuSerif-Bold.ttf", 44, 0xFFD66B, 0.3f, 0.9f, true},
        {"panel22", "DejaVuSans-Bold.ttf", 22, 0xFFFFFF, 0.3f, 0.9f, false},
        {"count16", "DejaVuSans-Bold.ttf", 16, 0x4A2E1A, 0.3f, 1.0f, false},
        {"float18", "DejaVuSans-Bold.ttf", 18, 0xFFFFFF, 0.3f, 0.9f, false},
        {"goal16", "DejaVuSans-Bold.ttf", 16, 0xFFFFFF, 0.3f, 0.9f, false},
        {"story17", "DejaVuSerif.ttf", 17, 0x4A2E1A, 0.3f, 1.0f, false},
        {"comic15", "DejaVuSansCondensed.ttf", 15, 0x3A2A1A, 0.3f, 1.0f, false},
    };
    return fonts;
}

void WriteFonts(DataTree& tree)
{
    std::vector<std::string> list = {std::to_string(Fonts().size()) + " 0 // fonts, console font"};
    for (size_t id = 0; id < Fonts().size(); ++id) {
        const FontSpec& spec = Fonts()[id];
        const FontLook& look = looks[id];
        FontBake::BakeOptions options;
        options.fontPath = std::string(FontFolder()) + spec.source;
        options.codes = GlyphSet(spec.lowerCaseFromCapitals);
        options.border = 2 + 2 * look.outline;
        // The largest em size whose line box fits the font's size: the glyph quads are `size` high.
        FontBake::BakedFont font;
        std::string failure;
        for (options.pixelSize = spec.size;; --options.pixelSize) {
            if (options.pixelSize == 0 || !FontBake::Bake(options, font, failure))
                throw std::runtime_error("font " + std::string(spec.stem) + ": " + failure);
            if (font.cellHeight <= spec.size)
                break;
        }
        Paint(font.picture, spec.colour, look);
        const std::string stem = std::string("data\\ui\\fonts\\") + spec.stem;
        if (!FontBake::WriteBakedFont(font, tree.PathOf(stem + ".fnt"), tree.PathOf(stem + ".jpg"), failure))
            throw std::runtime_error("font " + std::string(spec.stem) + ": " + failure);
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%u %.2f %.2f %d", spec.size, spec.missingAdvance,
                      spec.widthScale, spec.lowerCaseFromCapitals ? 1 : 0);
        const std::string name = std::string("ui\\fonts\\") + spec.stem;
        list.push_back(name + ".fnt " + name + ".jpg " + name + "_alpha.jpg " + numbers);
    }
    tree.WriteText("data\\ui\\fonts\\ru.ini", list);
}

} // namespace DataBuild
