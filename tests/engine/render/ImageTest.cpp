#include "engine/render/Image.h"

#include "ServicesFixture.h"
#include "tools/formats/ImageWriters.h"

#include <cstdlib>

using namespace VantoranEngine;

namespace {

class ImageTest : public ServicesFixture {
protected:
    // A picture whose every byte depends on its position, so row order and channel order show.
    static Formats::Picture Pattern(uint32_t w, uint32_t h, uint32_t channels)
    {
        Formats::Picture picture{w, h, channels, {}};
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x)
                for (uint32_t c = 0; c < channels; ++c)
                    picture.pixels.push_back(static_cast<uint8_t>(x * 40 + y * 9 + c * 70 + 1));
        return picture;
    }

    Image Make(uint32_t w, uint32_t h, uint32_t bits, std::vector<uint8_t> bytes)
    {
        Image image;
        image.Create(&log, &memory, w, h, bits, true);
        EXPECT_EQ(bytes.size(), image.ByteSize());
        std::copy(bytes.begin(), bytes.end(), image.pixels);
        return image;
    }

    static std::vector<uint8_t> Bytes(const Image& image)
    {
        return std::vector<uint8_t>(image.pixels, image.pixels + image.ByteSize());
    }
};

} // namespace

TEST_F(ImageTest, ReadsEveryTgaVariantTheWriterMakes)
{
    struct Case {
        uint32_t channels;
        bool topFirst, runLength, sixteenBit;
    };
    const Case cases[] = {
        {1, true, false, false}, {1, false, true, false}, {3, true, false, false}, {3, false, false, false},
        {3, true, true, false},  {4, false, false, false}, {4, true, true, false}, {4, true, false, true},
        {4, false, true, true},
    };
    for (const Case& c : cases) {
        Formats::Picture picture = Pattern(5, 3, c.channels);
        if (c.sixteenBit) // only five bits per colour and one alpha bit survive
            for (size_t i = 0; i < picture.pixels.size(); ++i)
                picture.pixels[i] = i % 4 == 3 ? (picture.pixels[i] >= 128 ? 255 : 0) : picture.pixels[i] & 0xF8;
        Write("t.tga", Formats::EncodeTga(picture, {c.topFirst, c.runLength, c.sixteenBit}));
        Image image;
        ASSERT_TRUE(image.Load(&log, &memory, &files, "t.tga")) << Entries();
        EXPECT_EQ(image.width, 5u);
        EXPECT_EQ(image.height, 3u);
        EXPECT_EQ(image.bitsPerPixel, c.channels * 8);
        EXPECT_EQ(Bytes(image), picture.pixels) << c.channels << c.topFirst << c.runLength << c.sixteenBit;
    }
}

TEST_F(ImageTest, SixteenBitPixelSplitsIntoFiveBitColoursAndOneAlphaBit)
{
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2;
    tga[12] = 1;
    tga[14] = 1;
    tga[16] = 16;
    tga.push_back(0x1F);
    tga.push_back(0x80);
    Write("p.tga", tga);
    Image image;
    ASSERT_TRUE(image.Load(&log, &memory, &files, "p.tga"));
    EXPECT_EQ(Bytes(image), (std::vector<uint8_t>{0, 0, 248, 255}));
}

TEST_F(ImageTest, SavedTgaLoadsBackEqualAtEveryDepth)
{
    for (uint32_t channels : {1u, 3u, 4u}) {
        const Formats::Picture picture = Pattern(4, 6, channels);
        Image image = Make(4, 6, channels * 8, picture.pixels);
        ASSERT_TRUE(image.Save(&files, "out\\saved.tga")) << Entries();
        Image loaded;
        ASSERT_TRUE(loaded.Load(&log, &memory, &files, "out\\saved.tga")) << Entries();
        EXPECT_EQ(loaded.bitsPerPixel, channels * 8);
        EXPECT_EQ(Bytes(loaded), picture.pixels);
    }
    // the writer's layout: colour-mapped grey palette, rows top first
    const std::string bytes = TempFolder::ReadFile(folder / "out/saved.tga");
    ASSERT_GE(bytes.size(), 18u);
    EXPECT_EQ(bytes[17], 0x20);
}

TEST_F(ImageTest, JpegPairAndSavedJpegLoadWithinTolerance)
{
    Formats::Picture picture{16, 8, 3, {}};
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 16; ++x)
            for (uint32_t c = 0; c < 3; ++c)
                picture.pixels.push_back(static_cast<uint8_t>(x * 8 + y * 4 + c * 30));
    Write("gui/pic.jpg", Formats::EncodeJpeg(picture, 100));
    Image image;
    ASSERT_TRUE(image.Load(&log, &memory, &files, "gui\\PIC.JPG")) << Entries();
    ASSERT_EQ(image.bitsPerPixel, 24u);
    int worst = 0;
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        worst = std::max(worst, std::abs(int(image.pixels[i]) - int(picture.pixels[i])));
    EXPECT_LE(worst, 12);

    // a 32-bit image saved as JPEG loses its alpha
    Image rgba = Make(2, 2, 32, {200, 0, 0, 7, 200, 0, 0, 7, 200, 0, 0, 7, 200, 0, 0, 7});
    ASSERT_TRUE(rgba.Save(&files, "shots\\a.jpg")) << Entries();
    Image back;
    ASSERT_TRUE(back.Load(&log, &memory, &files, "shots\\a.jpg")) << Entries();
    EXPECT_EQ(back.bitsPerPixel, 24u);
    EXPECT_NEAR(back.pixels[0], 200, 8);
}

TEST_F(ImageTest, ExtensionIsTheTextAfterTheFirstDotOfTheFileName)
{
    // A dot in a folder on the way (as in "~/.local", where screenshots are saved) is not the extension.
    Write("maps.old/photo.jpg", Formats::EncodeJpeg(Pattern(2, 2, 3)));
    Image loaded;
    EXPECT_TRUE(loaded.Load(&log, &memory, &files, "maps.old\\photo.jpg")) << Entries();

    Write("photo.jpeg", Formats::EncodeJpeg(Pattern(2, 2, 3)));
    Write("photo.old.jpg", Formats::EncodeJpeg(Pattern(2, 2, 3)));
    for (const char* name : {"photo.jpeg", "photo", "photo.old.jpg"}) {
        Image image;
        EXPECT_FALSE(image.Load(&log, &memory, &files, name));
        EXPECT_TRUE(Logged(std::string("Error: Unknown \"") + name + "\" image file type!")) << Entries();
        EXPECT_TRUE(image.empty);
    }
}

TEST_F(ImageTest, DamagedFilesAreRefusedWithTheirLogTexts)
{
    Image image;
    EXPECT_FALSE(image.Load(&log, &memory, &files, "missing.tga"));
    EXPECT_TRUE(Logged("Failed to open")) << Entries();

    Write("short.tga", std::vector<uint8_t>(10, 0));
    EXPECT_FALSE(image.Load(&log, &memory, &files, "short.tga"));
    EXPECT_TRUE(Logged("Failed to read 18 bytes from")) << Entries();

    std::vector<uint8_t> tga = Formats::EncodeTga(Pattern(4, 4, 3));
    tga.resize(tga.size() - 5);
    Write("cut.tga", tga);
    EXPECT_FALSE(image.Load(&log, &memory, &files, "cut.tga"));
    EXPECT_TRUE(Logged("Failed to read 48 bytes from")) << Entries();

    std::vector<uint8_t> rle = Formats::EncodeTga(Pattern(4, 4, 4), {true, true, false});
    rle.resize(rle.size() - 3);
    Write("cut_rle.tga", rle);
    EXPECT_FALSE(image.Load(&log, &memory, &files, "cut_rle.tga"));

    std::vector<uint8_t> odd = Formats::EncodeTga(Pattern(4, 4, 3));
    odd[16] = 15;
    Write("odd.tga", odd);
    EXPECT_FALSE(image.Load(&log, &memory, &files, "odd.tga"));
    EXPECT_TRUE(Logged("Incorrect \"odd.tga\" file format")) << Entries();

    Write("junk.jpg", std::vector<uint8_t>(64, 0x33));
    EXPECT_FALSE(image.Load(&log, &memory, &files, "junk.jpg"));
    EXPECT_TRUE(Logged("Failed to decode")) << Entries();
    EXPECT_TRUE(image.empty);

    std::vector<uint8_t> jpeg = Formats::EncodeJpeg(Pattern(32, 32, 3));
    jpeg.resize(jpeg.size() / 2);
    Write("half.jpg", jpeg);
    EXPECT_TRUE(image.Load(&log, &memory, &files, "half.jpg")) << Entries();
    EXPECT_EQ(image.width, 32u);
}

// Pictures whose header asks for more than the device holds, or more than their data could cover, are
// refused before anything the size of the claimed picture is allocated or decoded.
TEST_F(ImageTest, ClaimedSizesAreCheckedBeforeDecoding)
{
    // A JPEG header claiming 16000 x 4000 (width and height patched into the frame header).
    std::vector<uint8_t> jpeg = Formats::EncodeJpeg(Pattern(16, 16, 3));
    Write("small.jpg", jpeg);
    size_t frame = 2;
    while (frame + 1 < jpeg.size() && !(jpeg[frame] == 0xFF && jpeg[frame + 1] == 0xC0))
        frame += 2u + (size_t{jpeg[frame + 2]} << 8 | jpeg[frame + 3]);
    ASSERT_LT(frame + 8, jpeg.size());
    jpeg[frame + 5] = 4000 >> 8;
    jpeg[frame + 6] = 4000 & 0xFF;
    jpeg[frame + 7] = 16000 >> 8;
    jpeg[frame + 8] = 16000 & 0xFF;
    Write("huge.jpg", jpeg);

    // An RLE TGA of 23 bytes whose header claims 8192 x 8192.
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 10;
    tga[13] = 8192 >> 8;
    tga[15] = 8192 >> 8;
    tga[16] = 24;
    for (uint8_t b : {0xFF, 1, 2, 3, 4})
        tga.push_back(b);
    Write("huge.tga", tga);

    struct Case {
        const char* name;
        uint32_t limit;
        const char* logged;   // null: loads
    };
    const Case cases[] = {
        {"huge.jpg", 4096, "huge.jpg\" image (Picture of 16000x4000 is larger than 4096x4096)"},
        {"huge.tga", 4096, "Failed to load \"huge.tga\" image (Picture of 8192x8192 is larger than 4096x4096)"},
        {"huge.tga", 0, "Failed to read 2097148 bytes from"},   // runs of 128 pixels, 4 bytes each, for the rest
        {"small.jpg", 16, nullptr},
    };
    for (const Case& c : cases) {
        log.ClearEntries();
        Image image;
        const bool loaded = image.Load(&log, &memory, &files, c.name, c.limit, c.limit);
        EXPECT_EQ(loaded, c.logged == nullptr) << c.name << " " << c.limit;
        if (c.logged != nullptr) {
            EXPECT_TRUE(Logged(c.logged)) << c.name << ": " << Entries();
            EXPECT_TRUE(image.empty);
        }
    }
}

TEST_F(ImageTest, BitFlippedFilesNeverCrash)
{
    const std::vector<uint8_t> sources[] = {
        Formats::EncodeTga(Pattern(6, 5, 4), {true, true, false}),
        Formats::EncodeTga(Pattern(6, 5, 1), {false, false, false}),
        Formats::EncodeJpeg(Pattern(24, 16, 3)),
    };
    const char* names[] = {"f.tga", "g.tga", "f.jpg"};
    std::srand(11);
    for (int s = 0; s < 3; ++s)
        for (size_t i = 0; i < sources[s].size(); i += 1 + sources[s].size() / 150) {
            std::vector<uint8_t> bytes = sources[s];
            bytes[i] ^= static_cast<uint8_t>(1u << (std::rand() % 8));
            Write(names[s], bytes);
            Image image;
            if (image.Load(&log, &memory, &files, names[s])) {
                EXPECT_EQ(image.empty, 0);
            }
        }
}

TEST_F(ImageTest, ConvertFillAndCheckerboardValues)
{
    Image colour = Make(2, 1, 24, {255, 0, 0, 0, 255, 0});
    Image grey;
    colour.Convert(8, &grey);
    EXPECT_EQ(Bytes(grey), (std::vector<uint8_t>{56, 180}));
    colour.Convert(32);
    EXPECT_EQ(Bytes(colour), (std::vector<uint8_t>{255, 0, 0, 255, 0, 255, 0, 255}));
    grey.Convert(24);
    EXPECT_EQ(Bytes(grey), (std::vector<uint8_t>{56, 56, 56, 180, 180, 180}));

    Image filled = Make(1, 1, 24, {0, 0, 0});
    filled.Fill({0.5f, 0.5f, 0.5f, 1.0f});
    EXPECT_EQ(Bytes(filled), (std::vector<uint8_t>{127, 127, 127}));
    Image white = Make(1, 1, 8, {0});
    white.Fill({1, 1, 1, 1});
    EXPECT_EQ(white.pixels[0], 255);

    Image board;
    board.MakeCheckerboard(&log, &memory);
    ASSERT_EQ(board.width, 64u);
    ASSERT_EQ(board.bitsPerPixel, 24u);
    const std::vector<uint8_t> yellow{255, 255, 0}, black{0, 0, 0};
    auto at = [&](uint32_t x, uint32_t y) { return std::vector<uint8_t>(board.Pixel(x, y), board.Pixel(x, y) + 3); };
    EXPECT_EQ(at(0, 0), yellow);
    EXPECT_EQ(at(8, 0), black);
    EXPECT_EQ(at(8, 8), yellow);
    EXPECT_EQ(at(63, 63), yellow);
}

TEST_F(ImageTest, ResampleStaysInsideTheSourceAtEverySize)
{
    // bilinear: the last column takes the last source pixel, the middle one blends with 8-bit weights
    Image source = Make(2, 1, 8, {0, 255});
    Image wide;
    wide.Resample(source, 3, 1, 1, true);
    EXPECT_EQ(Bytes(wide), (std::vector<uint8_t>{0, 127, 255}));
    // the last row blends 255/256 of the last source row with the row before
    Image column = Make(1, 2, 8, {0, 255});
    Image tall;
    tall.Resample(column, 1, 2 + 1, 1, true);
    EXPECT_EQ(Bytes(tall), (std::vector<uint8_t>{0, 127, 254}));
    // every size pair, also single rows and columns, under the address sanitizer
    for (uint32_t sw : {1u, 2u, 3u, 5u})
        for (uint32_t sh : {1u, 2u, 4u})
            for (uint32_t dw : {1u, 2u, 7u})
                for (uint32_t dh : {1u, 3u}) {
                    Image s;
                    s.Create(&log, &memory, sw, sh, 32, true);
                    s.Fill({1, 1, 1, 1});
                    Image d;
                    d.Resample(s, dw, dh, 1, true);
                    Image h;
                    h.Resample(s, std::max(1u, sw / 2), std::max(1u, sh / 2), 3, true);
                    EXPECT_EQ(d.pixels[0], 255);
                    EXPECT_EQ(h.pixels[0], 255);
                }
    // halving averages 2 × 2 blocks with rounding
    Image block = Make(2, 2, 8, {1, 2, 3, 5});
    Image half;
    half.Resample(block, 1, 1, 3, true);
    EXPECT_EQ(half.pixels[0], 3); // (1 + 2 + 3 + 5 + 2) >> 2
}

TEST_F(ImageTest, PasteClipsAndApplyOpacityTakesTheRightByte)
{
    Image target = Make(3, 2, 8, {0, 0, 0, 0, 0, 0});
    Image patch = Make(2, 2, 8, {1, 2, 3, 4});
    target.Paste(2, 1, patch);
    EXPECT_EQ(Bytes(target), (std::vector<uint8_t>{0, 0, 0, 0, 0, 1}));

    Image colour = Make(2, 1, 24, {10, 20, 30, 40, 50, 60});
    Image self;
    self.CopyFrom(colour, true);
    colour.ApplyOpacity(self); // a 24-bit opacity image gives its third byte
    EXPECT_EQ(Bytes(colour), (std::vector<uint8_t>{10, 20, 30, 30, 40, 50, 60, 60}));

    Image big;
    big.Create(&log, &memory, 64, 64, 24, true);
    big.Fill({0, 0, 0, 1});
    Image small;
    small.Create(&log, &memory, 32, 32, 8, true);
    for (uint32_t y = 0; y < 32; ++y)
        for (uint32_t x = 0; x < 32; ++x)
            *small.Pixel(x, y) = static_cast<uint8_t>(x * 8);
    big.ApplyOpacity(small);
    ASSERT_EQ(big.bitsPerPixel, 32u);
    EXPECT_EQ(big.Pixel(0, 0)[3], 0);
    EXPECT_EQ(big.Pixel(63, 0)[3], 248);
    EXPECT_GT(big.Pixel(32, 5)[3], 100);
    EXPECT_LT(big.Pixel(32, 5)[3], 150);
}
