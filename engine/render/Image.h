#pragma once
// The engine's in-memory picture: width × height pixels of 8 bits (grey or opacity), 24 bits (R, G, B)
// or 32 bits (R, G, B, A), rows stored bottom row first: pixel (x, y) with y counted from the bottom
// lies at (y × width + x) × bytes per pixel.
//
// Files: TGA (read and written here) and JPEG (libjpeg), chosen by the text after the first '.' of
// the name, lower-cased: "tga" or "jpg". Loading and saving never throw: every failure is logged as an
// error and answered with false, and a failed load leaves the image as it was before.
//
// Threads: images share nothing; any thread may use its own images (the loading thread builds textures
// from them). Pixel blocks come from the shared memory pool.

#include "engine/render/Color.h"

#include <cstdint>
#include <string>

namespace VantoranEngine {

class FileManager;
class MemoryManager;
class MessageManager;

class Image {
public:
    Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    // Takes over other's pixel block; other becomes empty.
    Image(Image&& other) noexcept { TakeFrom(other); }
    virtual ~Image();

    // Replaces the pixel block with a new, uninitialised one; bitsPerPixel is 8, 24 or 32.
    void Create(MessageManager* log, MemoryManager* memory, uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                bool pooled);
    void CopyFrom(const Image& other, bool pooled);
    // To 8, 24 or 32 bits, into target when given (else in place). 8-bit sources become grey colours
    // with an opaque alpha.
    void Convert(uint32_t bitsPerPixel, Image* target = nullptr);
    void SwapRedBlue();
    void FlipVertical();
    // This image becomes source resized to width × height: mode 1 bilinear, mode 3 halving by 2 × 2 averages.
    void Resample(const Image& source, uint32_t width, uint32_t height, int mode, bool pooled);
    void Resize(uint32_t width, uint32_t height);
    void Fill(const Color& colour);
    // Copies source (converted to this depth) with its lower-left corner at (column, row); what falls
    // outside on the right or at the top is cut off.
    void Paste(uint32_t column, uint32_t row, const Image& source);
    // Alpha from the opacity image (resized to this size first): its byte for 8 bits, its third byte for
    // 24 bits, its alpha for 32 bits. The image becomes 32-bit.
    void ApplyOpacity(const Image& opacity);
    // 64 × 64 yellow and black squares of 8 pixels, yellow at the lower left: shown for a missing image.
    void MakeCheckerboard(MessageManager* log, MemoryManager* memory);

    // A picture wider than maxWidth or higher than maxHeight (0: no limit; textures pass the device's
    // largest texture) is refused before it is decoded.
    [[nodiscard]] bool Load(MessageManager* log, MemoryManager* memory, FileManager* files, const std::string& name,
                            uint32_t maxWidth = 0, uint32_t maxHeight = 0);
    [[nodiscard]] bool Save(FileManager* files, const std::string& name);

    uint32_t BytesPerPixel() const { return bitsPerPixel / 8; }
    size_t ByteSize() const { return size_t{width} * height * BytesPerPixel(); }
    uint8_t* Pixel(uint32_t x, uint32_t y) { return pixels + (size_t{y} * width + x) * BytesPerPixel(); }
    const uint8_t* Pixel(uint32_t x, uint32_t y) const { return pixels + (size_t{y} * width + x) * BytesPerPixel(); }

    uint8_t empty = 1;
    MessageManager* log = nullptr;
    MemoryManager* memory = nullptr;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint8_t* pixels = nullptr;
    uint8_t pooled = 0;

private:
    void Release();
    // Takes over other's block and fields; other becomes empty.
    void TakeFrom(Image& other);
    bool LoadTGA(MessageManager* log, MemoryManager* memory, FileManager* files, const std::string& name,
                 uint32_t maxWidth, uint32_t maxHeight);
    bool LoadJPG(MessageManager* log, MemoryManager* memory, FileManager* files, const std::string& name,
                 uint32_t maxWidth, uint32_t maxHeight);
    bool SaveTGA(FileManager* files, const std::string& name);
    bool SaveJPG(FileManager* files, const std::string& name);
};

} // namespace VantoranEngine
