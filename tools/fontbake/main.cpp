// fontbake <font.ttf> <pixel size> <font file> <colour.jpg>
// Bakes the default character set; the opacity picture is written beside the colour one
// ("x.jpg" -> "x_alpha.jpg").

#include "tools/fontbake/FontBaker.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: fontbake <font.ttf> <pixel size> <font file> <colour.jpg>\n");
        return 2;
    }
    FontBake::BakeOptions options;
    options.fontPath = argv[1];
    char* end = nullptr;
    const unsigned long size = std::strtoul(argv[2], &end, 10);
    if (end == argv[2] || *end != '\0' || size == 0 || size > 512) {
        std::fprintf(stderr, "fontbake: pixel size must be a number from 1 to 512\n");
        return 2;
    }
    options.pixelSize = static_cast<uint32_t>(size);

    FontBake::BakedFont font;
    std::string failure;
    if (!FontBake::Bake(options, font, failure) || !FontBake::WriteBakedFont(font, argv[3], argv[4], failure)) {
        std::fprintf(stderr, "fontbake: %s\n", failure.c_str());
        return 1;
    }
    std::printf("%zu glyphs, cell height %u, picture %ux%u\n", font.glyphs.size(), font.cellHeight,
                font.picture.width, font.picture.height);
    return 0;
}
