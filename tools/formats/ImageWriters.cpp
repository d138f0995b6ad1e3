#include "tools/formats/ImageWriters.h"

#include "tools/formats/ByteWriter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace Formats {

Picture MakePicture(uint32_t width, uint32_t height, uint32_t channels, std::vector<uint8_t> value)
{
    Picture picture{width, height, channels, {}};
    picture.pixels.reserve(size_t{width} * height * channels);
    for (size_t i = 0; i < size_t{width} * height; ++i)
        for (uint32_t c = 0; c < channels; ++c)
            picture.pixels.push_back(c < value.size() ? value[c] : 0);
    return picture;
}

namespace {

// One stored pixel in the file's byte order.
std::vector<uint8_t> FilePixel(const Picture& picture, const TgaOptions& options, const uint8_t* p)
{
    switch (picture.channels) {
    case 1:
        return {p[0]};
    case 3:
        return {p[2], p[1], p[0]};
    default:
        if (options.sixteenBit) {
            const uint16_t v = static_cast<uint16_t>(((p[0] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[2] >> 3) |
                                                     (p[3] >= 128 ? 0x8000 : 0));
            return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
        }
        return {p[2], p[1], p[0], p[3]};
    }
}

} // namespace

std::vector<uint8_t> EncodeTga(const Picture& picture, const TgaOptions& options)
{
    const bool mapped = picture.channels == 1;
    const uint8_t bits = mapped ? 8 : picture.channels == 3 ? 24 : options.sixteenBit ? 16 : 32;
    ByteWriter out;
    out.U8(0);
    out.U8(mapped ? 1 : 0);
    out.U8(static_cast<uint8_t>((mapped ? 1 : 2) | (options.runLength ? 8 : 0)));
    out.U16(0);
    out.U16(mapped ? 256 : 0);
    out.U8(mapped ? 24 : 0);
    out.U16(0);
    out.U16(0);
    out.U16(static_cast<uint16_t>(picture.width));
    out.U16(static_cast<uint16_t>(picture.height));
    out.U8(bits);
    out.U8(options.topFirst ? 0x20 : 0);
    if (mapped)
        for (int i = 0; i < 256; ++i)
            for (int c = 0; c < 3; ++c)
                out.U8(static_cast<uint8_t>(i));

    std::vector<std::vector<uint8_t>> pixels;
    pixels.reserve(size_t{picture.width} * picture.height);
    for (uint32_t row = 0; row < picture.height; ++row) {
        const uint32_t y = options.topFirst ? picture.height - 1 - row : row;
        for (uint32_t x = 0; x < picture.width; ++x)
            pixels.push_back(FilePixel(picture, options, picture.At(x, y)));
    }
    if (!options.runLength) {
        for (const auto& p : pixels)
            out.Bytes(p.data(), p.size());
        return out.bytes;
    }
    size_t i = 0;
    while (i < pixels.size()) {
        size_t run = 1;
        while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i])
            ++run;
        if (run >= 2) {
            out.U8(static_cast<uint8_t>(0x80 | (run - 1)));
            out.Bytes(pixels[i].data(), pixels[i].size());
            i += run;
            continue;
        }
        size_t literal = 1;
        while (i + literal < pixels.size() && literal < 128 &&
               (i + literal + 1 >= pixels.size() || pixels[i + literal] != pixels[i + literal + 1]))
            ++literal;
        out.U8(static_cast<uint8_t>(literal - 1));
        for (size_t k = 0; k < literal; ++k)
            out.Bytes(pixels[i + k].data(), pixels[i + k].size());
        i += literal;
    }
    return out.bytes;
}

namespace {

struct JpegFailure {
    jpeg_error_mgr library;
};

[[noreturn]] void AbortOnJpegError(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::abort(); // writer misuse only: the writer always hands valid pictures to the library
}

} // namespace

std::vector<uint8_t> EncodeJpeg(const Picture& picture, int quality)
{
    const uint32_t components = picture.channels == 1 ? 1 : 3;
    std::vector<uint8_t> rows(size_t{picture.width} * picture.height * components);
    for (uint32_t row = 0; row < picture.height; ++row)
        for (uint32_t x = 0; x < picture.width; ++x) {
            const uint8_t* p = picture.At(x, picture.height - 1 - row);
            std::memcpy(&rows[(size_t{row} * picture.width + x) * components], p, components);
        }

    jpeg_compress_struct info;
    std::memset(&info, 0, sizeof(info));
    JpegFailure errors;
    info.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = AbortOnJpegError;
    jpeg_CreateCompress(&info, JPEG_LIB_VERSION, sizeof(info));
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    info.image_width = picture.width;
    info.image_height = picture.height;
    info.input_components = static_cast<int>(components);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &rows[size_t{info.next_scanline} * picture.width * components];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

std::string OpacityName(const std::string& colourName)
{
    const size_t dot = colourName.rfind('.');
    const size_t slash = colourName.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return colourName + "_alpha";
    return colourName.substr(0, dot) + "_alpha" + colourName.substr(dot);
}

bool WriteJpegPair(const std::string& colourPath, const Picture& picture, int quality)
{
    if (!SaveFile(colourPath, EncodeJpeg(picture, quality)))
        return false;
    if (picture.channels != 4)
        return true;
    Picture alpha{picture.width, picture.height, 1, {}};
    alpha.pixels.reserve(size_t{picture.width} * picture.height);
    for (size_t i = 0; i < size_t{picture.width} * picture.height; ++i)
        alpha.pixels.push_back(picture.pixels[i * 4 + 3]);
    return SaveFile(OpacityName(colourPath), EncodeJpeg(alpha, quality));
}

} // namespace Formats
