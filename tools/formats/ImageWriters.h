#pragma once
// Image writers: TGA in the variants the engine reads, and JPEG colour and opacity pairs.
// Pictures are laid out like the engine's images: rows bottom row first, 1 (grey), 3 (R, G, B) or
// 4 (R, G, B, A) bytes per pixel.

#include <cstdint>
#include <string>
#include <vector>

namespace Formats {

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t channels = 3;
    std::vector<uint8_t> pixels;

    uint8_t* At(uint32_t x, uint32_t y) { return &pixels[(size_t{y} * width + x) * channels]; }
    const uint8_t* At(uint32_t x, uint32_t y) const { return &pixels[(size_t{y} * width + x) * channels]; }
};

// A picture of the given size with every pixel set to value (channels bytes).
Picture MakePicture(uint32_t width, uint32_t height, uint32_t channels, std::vector<uint8_t> value);

struct TgaOptions {
    bool topFirst = true;      // descriptor bit 5; otherwise rows are stored bottom row first
    bool runLength = false;    // image types 9/10 with run-length packets
    bool sixteenBit = false;   // 4-channel pictures as 16-bit pixels (5 bits per colour, 1 alpha bit)
};

// 1-channel pictures are written colour-mapped with a grey palette (types 1 and 9).
std::vector<uint8_t> EncodeTga(const Picture& picture, const TgaOptions& options = {});

// Baseline JPEG of a 1- or 3-channel picture (a 4-channel picture loses its alpha).
std::vector<uint8_t> EncodeJpeg(const Picture& picture, int quality = 85);

// The opacity partner of a colour image: "x.jpg" -> "x_alpha.jpg".
std::string OpacityName(const std::string& colourName);

// Writes the colour JPEG at colourPath and, for a 4-channel picture, its alpha as a grey JPEG beside it.
bool WriteJpegPair(const std::string& colourPath, const Picture& picture, int quality = 85);

} // namespace Formats
