#pragma once
// JPEG decoding and encoding through libjpeg (release 6b API, library version 62), for Image only.
// The library's errors never end the process: an error manager of our own jumps back out of the library,
// the codec object is destroyed and the call answers false with the library's message.
// Pixels are 8-bit components, rows top row first, as the library delivers and takes them.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace VantoranEngine::JpegCodec {

// Fills buffer with up to count bytes of the compressed data; answers the number given, 0 at the end.
using ByteSource = std::function<uint32_t(uint8_t* buffer, uint32_t count)>;

// Asked once the picture's size is known for a block of width × height × components bytes; answers
// null to refuse the picture. components: 1 grey, 3 RGB, 4 CMYK.
using PixelSink = std::function<uint8_t*(uint32_t width, uint32_t height, uint32_t components)>;

// Largest decoded picture accepted, in bytes: a damaged header must not ask for gigabytes.
constexpr uint64_t maxPictureBytes = 256u * 1024u * 1024u;

// Decodes one picture; on false, failure holds the library's message (or why the picture was refused).
// A picture wider than maxWidth or higher than maxHeight (0: no limit) is refused from its header,
// before anything is decoded.
bool Decode(const ByteSource& source, const PixelSink& sink, std::string& failure, uint32_t maxWidth = 0,
            uint32_t maxHeight = 0);

// The refusal text for a picture beyond the limits: "Picture of 16000x4000 is larger than 4096x4096".
std::string TooLargeText(uint32_t width, uint32_t height, uint32_t maxWidth, uint32_t maxHeight);
// True when the picture exceeds a limit that is not 0.
bool TooLarge(uint32_t width, uint32_t height, uint32_t maxWidth, uint32_t maxHeight);

// Encodes width × height pixels of 1 (grey) or 3 (RGB) components to an open file at the given quality
// (0..100, baseline tables not forced).
bool Encode(std::FILE* file, const uint8_t* pixels, uint32_t width, uint32_t height, uint32_t components,
            int quality, std::string& failure);

} // namespace VantoranEngine::JpegCodec
