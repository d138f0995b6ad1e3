#include "engine/render/JpegCodec.h"

#include "tools/formats/ImageWriters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace VantoranEngine;

namespace {

struct Decoded {
    bool ok = false;
    std::string failure;
    uint32_t width = 0, height = 0, components = 0;
    std::vector<uint8_t> pixels;
};

Decoded DecodeBytes(const std::vector<uint8_t>& bytes)
{
    Decoded result;
    size_t position = 0;
    JpegCodec::ByteSource source = [&](uint8_t* buffer, uint32_t count) {
        const size_t n = std::min<size_t>(count, bytes.size() - position);
        if (n != 0)
            std::memcpy(buffer, bytes.data() + position, n);
        position += n;
        return static_cast<uint32_t>(n);
    };
    JpegCodec::PixelSink sink = [&](uint32_t w, uint32_t h, uint32_t c) {
        result.width = w;
        result.height = h;
        result.components = c;
        result.pixels.assign(size_t{w} * h * c, 0);
        return result.pixels.data();
    };
    result.ok = JpegCodec::Decode(source, sink, result.failure);
    return result;
}

Formats::Picture Gradient(uint32_t w, uint32_t h, uint32_t channels)
{
    Formats::Picture picture{w, h, channels, {}};
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
            for (uint32_t c = 0; c < channels; ++c)
                picture.pixels.push_back(static_cast<uint8_t>(c == 0 ? x * 255 / (w - 1) : c == 1 ? y * 255 / (h - 1) : 128));
    return picture;
}

} // namespace

TEST(JpegCodec, DecodesWhatTheWriterEncodedTopRowFirst)
{
    for (uint32_t channels : {1u, 3u}) {
        const Formats::Picture picture = Gradient(32, 16, channels);
        const Decoded decoded = DecodeBytes(Formats::EncodeJpeg(picture, 95));
        ASSERT_TRUE(decoded.ok) << decoded.failure;
        ASSERT_EQ(decoded.width, 32u);
        ASSERT_EQ(decoded.height, 16u);
        ASSERT_EQ(decoded.components, channels);
        int worst = 0;
        for (uint32_t y = 0; y < 16; ++y)
            for (uint32_t x = 0; x < 32; ++x)
                for (uint32_t c = 0; c < channels; ++c) {
                    // the decoder delivers the top row first; the picture stores the bottom row first
                    const int got = decoded.pixels[((15 - y) * 32 + x) * channels + c];
                    worst = std::max(worst, std::abs(got - picture.At(x, y)[c]));
                }
        EXPECT_LE(worst, 12) << channels << " channels";
    }
}

TEST(JpegCodec, RefusesDataThatIsNotJpegWithTheLibrarysMessage)
{
    for (const std::vector<uint8_t>& bytes : {std::vector<uint8_t>{}, std::vector<uint8_t>(100, 0x41),
                                              std::vector<uint8_t>{0xFF, 0xD8, 0xFF}}) {
        const Decoded decoded = DecodeBytes(bytes);
        EXPECT_FALSE(decoded.ok);
        EXPECT_FALSE(decoded.failure.empty());
    }
}

TEST(JpegCodec, TruncatedDataStillGivesTheWholePicture)
{
    std::vector<uint8_t> bytes = Formats::EncodeJpeg(Gradient(64, 64, 3));
    bytes.resize(bytes.size() * 2 / 3);
    const Decoded decoded = DecodeBytes(bytes);
    EXPECT_TRUE(decoded.ok) << decoded.failure;
    EXPECT_EQ(decoded.width, 64u);
    EXPECT_EQ(decoded.height, 64u);
}

TEST(JpegCodec, DamagedDataNeverEndsTheProcess)
{
    const std::vector<uint8_t> original = Formats::EncodeJpeg(Gradient(48, 40, 3));
    std::srand(7);
    int refused = 0;
    for (size_t i = 0; i < original.size(); i += 3) {
        std::vector<uint8_t> bytes = original;
        bytes[i] ^= static_cast<uint8_t>(1u << (std::rand() % 8));
        const Decoded decoded = DecodeBytes(bytes);
        if (!decoded.ok) {
            ++refused;
            EXPECT_FALSE(decoded.failure.empty());
        } else {
            EXPECT_EQ(decoded.pixels.size(), size_t{decoded.width} * decoded.height * decoded.components);
        }
    }
    EXPECT_GT(refused, 0);
}
