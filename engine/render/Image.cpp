#include "engine/render/Image.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/JpegCodec.h"
#include "platform/os/Path.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace VantoranEngine {

namespace {

constexpr int jpegQuality = 85;
constexpr size_t tgaHeaderSize = 18;
// Largest picture a TGA header may announce, in bytes of the decoded image.
constexpr uint64_t maxTgaBytes = JpegCodec::maxPictureBytes;

std::string LowerExtension(const std::string& name)
{
    return ToLowerCopy(FileManager::GetExtension(name));
}

uint16_t Read16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint8_t ClampToByte(float value)
{
    if (!(value > 0.0f))
        return 0;
    if (value >= 255.0f)
        return 255;
    return static_cast<uint8_t>(value);
}

} // namespace

Image::~Image()
{
    Release();
}

void Image::Release()
{
    if (!empty && pixels != nullptr && memory != nullptr)
        memory->Free(pixels);
    pixels = nullptr;
    empty = 1;
}

void Image::TakeFrom(Image& other)
{
    if (&other == this)
        return;
    Release();
    empty = other.empty;
    log = other.log;
    memory = other.memory;
    width = other.width;
    height = other.height;
    bitsPerPixel = other.bitsPerPixel;
    pixels = other.pixels;
    pooled = other.pooled;
    other.pixels = nullptr;
    other.empty = 1;
}

void Image::Create(MessageManager* logManager, MemoryManager* memoryManager, uint32_t w, uint32_t h, uint32_t bits,
                   bool usePool)
{
    Release();
    log = logManager;
    memory = memoryManager;
    width = w;
    height = h;
    bitsPerPixel = bits;
    pooled = usePool ? 1 : 0;
    const size_t bytes = std::max<size_t>(ByteSize(), 1);
    pixels = static_cast<uint8_t*>(memory->Alloc(static_cast<uint32_t>(bytes), usePool));
    empty = 0;
}

void Image::CopyFrom(const Image& other, bool usePool)
{
    if (&other == this)
        return;
    Create(other.log, other.memory, other.width, other.height, other.bitsPerPixel, usePool);
    if (ByteSize() != 0)
        std::memcpy(pixels, other.pixels, ByteSize());
}

void Image::Convert(uint32_t bits, Image* target)
{
    if (bits == bitsPerPixel) {
        if (target != nullptr)
            target->CopyFrom(*this, true);
        return;
    }
    Image result;
    result.Create(log, memory, width, height, bits, target != nullptr ? true : pooled != 0);
    const uint32_t from = BytesPerPixel();
    const uint32_t to = result.BytesPerPixel();
    const size_t count = size_t{width} * height;
    const uint8_t* s = pixels;
    uint8_t* d = result.pixels;
    // One loop per pair of depths, so the choice is not made again for every pixel.
    if (to == 1 && from == 4) {
        for (size_t i = 0; i < count; ++i, s += 4)
            d[i] = s[3];
    } else if (to == 1) {
        for (size_t i = 0; i < count; ++i, s += from)
            d[i] = static_cast<uint8_t>(0.222f * s[0] + 0.707f * s[1] + 0.071f * s[2]);
    } else if (from == 1) {
        for (size_t i = 0; i < count; ++i, d += to) {
            d[0] = d[1] = d[2] = s[i];
            if (to == 4)
                d[3] = 255;
        }
    } else if (from == 3 && to == 4) {
        for (size_t i = 0; i < count; ++i, s += 3, d += 4) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            d[3] = 255;
        }
    } else {
        for (size_t i = 0; i < count; ++i, s += from, d += to) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            if (to == 4)
                d[3] = 255;
        }
    }
    if (target != nullptr)
        target->TakeFrom(result);
    else
        TakeFrom(result);
}

void Image::SwapRedBlue()
{
    const uint32_t step = BytesPerPixel();
    if (step < 3)
        return;
    const size_t count = size_t{width} * height;
    for (size_t i = 0; i < count; ++i)
        std::swap(pixels[i * step], pixels[i * step + 2]);
}

void Image::FlipVertical()
{
    const size_t stride = size_t{width} * BytesPerPixel();
    std::vector<uint8_t> row(stride);
    for (uint32_t y = 0; y < height / 2; ++y) {
        uint8_t* a = pixels + y * stride;
        uint8_t* b = pixels + (height - 1 - y) * stride;
        std::memcpy(row.data(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, row.data(), stride);
    }
}

void Image::Resample(const Image& source, uint32_t w, uint32_t h, int mode, bool usePool)
{
    if (&source == this) {
        Image copy;
        copy.CopyFrom(*this, true);
        Resample(copy, w, h, mode, usePool);
        return;
    }
    if (source.width == w && source.height == h) {
        CopyFrom(source, usePool);
        return;
    }
    Create(source.log, source.memory, w, h, source.bitsPerPixel, usePool);
    const uint32_t bytes = BytesPerPixel();
    const uint32_t lastColumn = source.width - 1;
    const uint32_t lastRow = source.height - 1;
    if (mode == 3) {
        for (uint32_t y = 0; y < h; ++y) {
            const uint32_t y0 = std::min(2 * y, lastRow);
            const uint32_t y1 = std::min(y0 + 1, lastRow);
            for (uint32_t x = 0; x < w; ++x) {
                const uint32_t x0 = std::min(2 * x, lastColumn);
                const uint32_t x1 = std::min(x0 + 1, lastColumn);
                uint8_t* d = Pixel(x, y);
                for (uint32_t b = 0; b < bytes; ++b)
                    d[b] = static_cast<uint8_t>((source.Pixel(x0, y0)[b] + source.Pixel(x1, y0)[b] +
                                                 source.Pixel(x0, y1)[b] + source.Pixel(x1, y1)[b] + 2) >> 2);
            }
        }
        return;
    }
    // Bilinear with 8-bit weights. The neighbours at c + 1 and r + 1 are clamped to the source: in the
    // last column the weight of the right neighbour is 0 and in the last row the lower row's weight is
    // 1/256, so the clamp changes no value but keeps every read inside the source.
    for (uint32_t y = 0; y < h; ++y) {
        uint64_t fy = h > 1 ? uint64_t{lastRow} * y * 256 / (h - 1) : 0;
        if (y == h - 1 && fy > 0)
            fy -= 1;
        const uint32_t r = static_cast<uint32_t>(fy >> 8);
        const uint32_t wy = static_cast<uint32_t>(fy & 255);
        const uint32_t r1 = std::min(r + 1, lastRow);
        for (uint32_t x = 0; x < w; ++x) {
            const uint64_t fx = w > 1 ? uint64_t{lastColumn} * x * 256 / (w - 1) : 0;
            const uint32_t c = static_cast<uint32_t>(fx >> 8);
            const uint32_t wx = static_cast<uint32_t>(fx & 255);
            const uint32_t c1 = std::min(c + 1, lastColumn);
            const uint8_t* p00 = source.Pixel(c, r);
            const uint8_t* p10 = source.Pixel(c1, r);
            const uint8_t* p01 = source.Pixel(c, r1);
            const uint8_t* p11 = source.Pixel(c1, r1);
            uint8_t* d = Pixel(x, y);
            for (uint32_t b = 0; b < bytes; ++b)
                d[b] = static_cast<uint8_t>((p00[b] * (256 - wx) * (256 - wy) + p10[b] * wx * (256 - wy) +
                                             p01[b] * (256 - wx) * wy + p11[b] * wx * wy) >> 16);
        }
    }
}

void Image::Resize(uint32_t w, uint32_t h)
{
    Image resized;
    resized.Resample(*this, w, h, 1, true);
    const bool usePool = pooled != 0;
    Create(log, memory, w, h, bitsPerPixel, usePool);
    if (ByteSize() != 0)
        std::memcpy(pixels, resized.pixels, ByteSize());
}

void Image::Fill(const Color& colour)
{
    uint8_t value[4];
    if (bitsPerPixel == 8) {
        const float grey = static_cast<float>(0.707 * colour.g + 0.222 * colour.r + 0.071 * colour.b);
        value[0] = ClampToByte(grey * 255.0f);
    } else {
        value[0] = ClampToByte(colour.r * 255.0f);
        value[1] = ClampToByte(colour.g * 255.0f);
        value[2] = ClampToByte(colour.b * 255.0f);
        value[3] = ClampToByte(colour.a * 255.0f);
    }
    const uint32_t step = BytesPerPixel();
    const size_t count = size_t{width} * height;
    for (size_t i = 0; i < count; ++i)
        std::memcpy(pixels + i * step, value, step);
}

void Image::Paste(uint32_t column, uint32_t row, const Image& source)
{
    const Image* from = &source;
    Image converted;
    if (source.bitsPerPixel != bitsPerPixel) {
        const_cast<Image&>(source).Convert(bitsPerPixel, &converted);
        from = &converted;
    }
    const uint32_t step = BytesPerPixel();
    for (uint32_t j = 0; j < from->height && row + j < height; ++j)
        for (uint32_t i = 0; i < from->width && column + i < width; ++i)
            std::memcpy(Pixel(column + i, row + j), from->Pixel(i, j), step);
}

void Image::ApplyOpacity(const Image& opacity)
{
    const Image* alpha = &opacity;
    Image resized;
    if (opacity.width != width || opacity.height != height) {
        resized.CopyFrom(opacity, true);
        resized.Resize(width, height);
        alpha = &resized;
    }
    Image result;
    Convert(32, &result);
    const uint32_t step = alpha->BytesPerPixel();
    const uint32_t index = step == 1 ? 0 : step == 3 ? 2 : 3;
    const size_t count = size_t{width} * height;
    for (size_t i = 0; i < count; ++i)
        result.pixels[i * 4 + 3] = alpha->pixels[i * step + index];
    TakeFrom(result);
}

void Image::MakeCheckerboard(MessageManager* logManager, MemoryManager* memoryManager)
{
    Create(logManager, memoryManager, 64, 64, 24, true);
    Fill(Color{0.0f, 0.0f, 0.0f, 1.0f});
    Image tile;
    tile.Create(logManager, memoryManager, 8, 8, 32, true);
    tile.Fill(Color{1.0f, 1.0f, 0.0f, 1.0f});
    for (uint32_t j = 0; j < 8; ++j)
        for (uint32_t i = 0; i < 8; ++i)
            if ((i + j) % 2 == 0)
                Paste(8 * i, 8 * j, tile);
}

bool Image::Load(MessageManager* logManager, MemoryManager* memoryManager, FileManager* files, const std::string& name,
                 uint32_t maxWidth, uint32_t maxHeight)
{
    const std::string extension = LowerExtension(name);
    if (extension == "tga")
        return LoadTGA(logManager, memoryManager, files, name, maxWidth, maxHeight);
    if (extension == "jpg")
        return LoadJPG(logManager, memoryManager, files, name, maxWidth, maxHeight);
    logManager->LogError("Unknown \"" + name + "\" image file type");
    return false;
}

bool Image::Save(FileManager* files, const std::string& name)
{
    const std::string extension = LowerExtension(name);
    if (empty || pixels == nullptr) {
        log->LogError("Failed to save \"" + name + "\"");
        return false;
    }
    if (extension == "tga")
        return SaveTGA(files, name);
    if (extension == "jpg")
        return SaveJPG(files, name);
    log->LogError("Unknown \"" + name + "\" image file type");
    return false;
}

bool Image::LoadTGA(MessageManager* logManager, MemoryManager* memoryManager, FileManager* files,
                    const std::string& name, uint32_t maxWidth, uint32_t maxHeight)
{
    std::unique_ptr<FileBinary> file;
    std::vector<uint8_t> data;
    uint8_t header[tgaHeaderSize];
    try {
        file = files->OpenBinary(name, false, false, true);
        file->Read(tgaHeaderSize, header, nullptr);
        const uint32_t skip = header[0] + Read16(header + 5) * header[7] / 8;
        if (skip != 0) {
            std::vector<uint8_t> skipped(skip);
            file->Read(skip, skipped.data(), nullptr);
        }
        data.resize(file->size > file->position ? file->size - file->position : 0);
        uint32_t got = 0;
        if (!data.empty())
            file->Read(static_cast<uint32_t>(data.size()), data.data(), &got);
        data.resize(got);
    } catch (const FileError& error) {
        logManager->LogError(error.message);
        return false;
    }

    const uint32_t w = Read16(header + 12);
    const uint32_t h = Read16(header + 14);
    const uint32_t fileBits = header[16];
    const bool runLength = (header[2] & 8) != 0;
    const bool topFirst = (header[17] & 0x20) != 0;
    const uint32_t fileBytes = fileBits / 8;
    const uint32_t bits = fileBits == 16 ? 32 : fileBits;
    if ((fileBits != 8 && fileBits != 16 && fileBits != 24 && fileBits != 32) || w == 0 || h == 0 ||
        uint64_t{w} * h * (bits / 8) > maxTgaBytes) {
        logManager->LogError("Incorrect \"" + name + "\" file format");
        return false;
    }
    if (JpegCodec::TooLarge(w, h, maxWidth, maxHeight)) {
        logManager->LogError("Failed to load \"" + name + "\" image (" +
                             JpegCodec::TooLargeText(w, h, maxWidth, maxHeight) + ")");
        return false;
    }

    // The file's pixels in file order, unpacked from run-length packets when needed.
    const size_t needed = size_t{w} * h * fileBytes;
    std::vector<uint8_t> unpacked;
    const uint8_t* filePixels = data.data();
    auto shortRead = [&](size_t count) {
        logManager->LogError("Failed to read " + std::to_string(count) + " bytes from \"" + file->GetName() + "\" file");
        return false;
    };
    if (runLength) {
        // The densest packet, a run, gives 128 pixels for 1 + fileBytes bytes: data that cannot cover the
        // picture is refused before the picture is allocated.
        const uint64_t coverable = uint64_t{data.size() / (1u + fileBytes)} * 128u;
        if (coverable < uint64_t{w} * h)
            return shortRead(static_cast<size_t>((uint64_t{w} * h - coverable + 127u) / 128u * (1u + fileBytes)));
        unpacked.resize(needed);
        size_t in = 0;
        size_t out = 0;
        while (out < needed) {
            if (in >= data.size())
                return shortRead(1);
            const uint8_t packet = data[in++];
            const size_t n = (packet & 0x7F) + 1u;
            const size_t take = std::min(n, (needed - out) / fileBytes); // a run past the image is cut
            if (packet & 0x80) {
                if (in + fileBytes > data.size())
                    return shortRead(fileBytes);
                for (size_t k = 0; k < take; ++k)
                    std::memcpy(&unpacked[out + k * fileBytes], &data[in], fileBytes);
                in += fileBytes;
            } else {
                if (in + n * fileBytes > data.size())
                    return shortRead(n * fileBytes);
                std::memcpy(&unpacked[out], &data[in], take * fileBytes);
                in += n * fileBytes;
            }
            out += take * fileBytes;
        }
        filePixels = unpacked.data();
    } else if (data.size() < needed) {
        return shortRead(needed);
    }

    Image loaded;
    loaded.Create(logManager, memoryManager, w, h, bits, true);
    for (uint32_t k = 0; k < h; ++k) {
        const uint8_t* s = filePixels + size_t{k} * w * fileBytes;
        uint8_t* d = loaded.Pixel(0, topFirst ? h - 1 - k : k);
        for (uint32_t x = 0; x < w; ++x, s += fileBytes) {
            switch (fileBits) {
            case 8:
                *d++ = s[0];
                break;
            case 16: {
                const uint16_t v = Read16(s);
                *d++ = static_cast<uint8_t>(((v >> 10) & 31) << 3);
                *d++ = static_cast<uint8_t>(((v >> 5) & 31) << 3);
                *d++ = static_cast<uint8_t>((v & 31) << 3);
                *d++ = (v & 0x8000) ? 255 : 0;
                break;
            }
            case 24:
                *d++ = s[2];
                *d++ = s[1];
                *d++ = s[0];
                break;
            default:
                *d++ = s[2];
                *d++ = s[1];
                *d++ = s[0];
                *d++ = s[3];
                break;
            }
        }
    }
    TakeFrom(loaded);
    return true;
}

bool Image::LoadJPG(MessageManager* logManager, MemoryManager* memoryManager, FileManager* files,
                    const std::string& name, uint32_t maxWidth, uint32_t maxHeight)
{
    std::unique_ptr<FileBinary> file;
    try {
        file = files->OpenBinary(name, false, true, true);
    } catch (const FileError& error) {
        logManager->LogError(error.message);
        return false;
    }
    Image loaded;
    JpegCodec::ByteSource source = [&file](uint8_t* buffer, uint32_t count) {
        uint32_t got = 0;
        file->Read(count, buffer, &got);
        return got;
    };
    JpegCodec::PixelSink sink = [&](uint32_t w, uint32_t h, uint32_t components) {
        loaded.Create(logManager, memoryManager, w, h, components * 8, true);
        return loaded.pixels;
    };
    std::string failure;
    if (!JpegCodec::Decode(source, sink, failure, maxWidth, maxHeight)) {
        logManager->LogError("Failed to decode \"" + file->GetName() + "\" image (" + failure + ")");
        return false;
    }
    loaded.FlipVertical();
    TakeFrom(loaded);
    return true;
}

bool Image::SaveTGA(FileManager* files, const std::string& name)
{
    try {
        std::unique_ptr<FileBinary> file = files->OpenBinary(name, true, false, true);
        const bool mapped = bitsPerPixel == 8;
        uint8_t header[tgaHeaderSize] = {};
        header[1] = mapped ? 1 : 0;
        header[2] = mapped ? 1 : 2;
        header[5] = 0;
        header[6] = mapped ? 1 : 0; // 256 palette entries
        header[7] = mapped ? 24 : 0;
        header[12] = static_cast<uint8_t>(width);
        header[13] = static_cast<uint8_t>(width >> 8);
        header[14] = static_cast<uint8_t>(height);
        header[15] = static_cast<uint8_t>(height >> 8);
        header[16] = static_cast<uint8_t>(bitsPerPixel);
        header[17] = 0x20;
        file->Write(header, tgaHeaderSize);
        const size_t stride = size_t{width} * BytesPerPixel();
        if (mapped) {
            uint8_t palette[768];
            for (int i = 0; i < 256; ++i)
                palette[3 * i] = palette[3 * i + 1] = palette[3 * i + 2] = static_cast<uint8_t>(i);
            file->Write(palette, sizeof(palette));
            for (uint32_t y = height; y-- > 0;)
                file->Write(pixels + y * stride, static_cast<uint32_t>(stride));
        } else {
            std::vector<uint8_t> rows(ByteSize());
            const uint32_t step = BytesPerPixel();
            uint8_t* d = rows.data();
            for (uint32_t y = height; y-- > 0;)
                for (uint32_t x = 0; x < width; ++x, d += step) {
                    const uint8_t* s = Pixel(x, y);
                    d[0] = s[2];
                    d[1] = s[1];
                    d[2] = s[0];
                    if (step == 4)
                        d[3] = s[3];
                }
            file->Write(rows.data(), static_cast<uint32_t>(rows.size()));
        }
    } catch (const FileError& error) {
        log->LogError(error.message);
        return false;
    }
    return true;
}

bool Image::SaveJPG(FileManager* files, const std::string& name)
{
    Image rows;
    if (bitsPerPixel == 8 || bitsPerPixel == 24)
        rows.CopyFrom(*this, true);
    else
        Convert(24, &rows);
    rows.FlipVertical();

    const std::string path = Platform::IsAbsolutePath(name) ? name : files->GetBaseFolder() + "\\" + name;
    FileManager::CreateDirectories(path);
    std::FILE* out = Platform::OpenFile(path, "wb");
    if (out == nullptr) {
        log->LogError("Failed to save \"" + name + "\"");
        return false;
    }
    std::string failure;
    const bool written = JpegCodec::Encode(out, rows.pixels, rows.width, rows.height, rows.BytesPerPixel(),
                                           jpegQuality, failure);
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        log->LogError("Failed to save \"" + name + "\"");
        return false;
    }
    return true;
}

} // namespace VantoranEngine
