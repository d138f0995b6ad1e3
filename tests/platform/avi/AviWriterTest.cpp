#include "platform/avi/Avi.h"
#include "platform/avi/AviTest.h"
#include "platform/avi/AviParse.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

using namespace Platform;

namespace {

struct Picture {
    uint32_t width, height, bits;
    std::vector<uint8_t> pixels;   // bottom-up DIB rows, padded to 4 bytes
};

// The lower half blue, the upper half red (B, G, R order), with a frame number in the first byte.
Picture MakePicture(uint32_t width, uint32_t height, uint32_t bits, uint8_t frame)
{
    Picture p{width, height, bits, {}};
    const uint32_t bpp = bits / 8;
    const uint32_t stride = (width * bpp + 3) & ~3u;
    p.pixels.assign(size_t(stride) * height, 0);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* px = &p.pixels[size_t(y) * stride + x * bpp];
            const bool top = y >= height / 2;
            px[0] = top ? 0 : 255;
            px[1] = 0;
            px[2] = top ? 255 : 0;
        }
    p.pixels[0] = frame;
    return p;
}

BITMAPINFOHEADER HeaderOf(const Picture& p)
{
    BITMAPINFOHEADER h{};
    h.biSize = 40;
    h.biWidth = LONG(p.width);
    h.biHeight = LONG(p.height);
    h.biPlanes = 1;
    h.biBitCount = WORD(p.bits);
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(p.pixels.size());
    return h;
}

AVISTREAMINFOA InfoFor(DWORD handler, const Picture& p)
{
    AVISTREAMINFOA info{};
    info.fccType = streamtypeVIDEO;
    info.fccHandler = handler;
    info.dwScale = 1;
    info.dwRate = 33;
    info.dwSuggestedBufferSize = DWORD(p.pixels.size());
    info.rcFrame = {0, 0, LONG(p.width), LONG(p.height)};
    return info;
}

struct Movie {
    PAVIFILE file = nullptr;
    PAVISTREAM stream = nullptr;
};

Movie Open(const std::string& name, DWORD handler, const Picture& first)
{
    Movie m;
    EXPECT_EQ(AVIFileOpenA(&m.file, name.c_str(), OF_WRITE | OF_CREATE, nullptr), AVIERR_OK);
    AVISTREAMINFOA info = InfoFor(handler, first);
    EXPECT_EQ(AVIFileCreateStreamA(m.file, &m.stream, &info), AVIERR_OK);
    BITMAPINFOHEADER header = HeaderOf(first);
    EXPECT_EQ(AVIStreamSetFormat(m.stream, 0, &header, sizeof header), AVIERR_OK);
    return m;
}

HRESULT Write(Movie& m, LONG position, Picture& p)
{
    return AVIStreamWrite(m.stream, position, 1, p.pixels.data(), LONG(p.pixels.size()), AVIIF_KEYFRAME, nullptr,
                          nullptr);
}

struct JpegFail {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

// Decodes one JPEG into top-down RGB rows; empty on failure.
std::vector<uint8_t> DecodeJpeg(const std::string& data, uint32_t& width, uint32_t& height)
{
    jpeg_decompress_struct info;
    JpegFail fail;
    info.err = jpeg_std_error(&fail.mgr);
    fail.mgr.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<JpegFail*>(c->err)->jump, 1); };
    std::vector<uint8_t> out;
    if (setjmp(fail.jump)) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), data.size());
    jpeg_read_header(&info, true);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = info.output_width;
    height = info.output_height;
    out.resize(size_t(width) * height * 3);
    while (info.output_scanline < height) {
        JSAMPROW row = &out[size_t(info.output_scanline) * width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return out;
}

class AviWriter : public ::testing::Test {
protected:
    void SetUp() override { AviTest::Reset(); }
    void TearDown() override { AviTest::Reset(); }
    TempFolder temp;
};

} // namespace

TEST_F(AviWriter, WritesAnIndexedMovieThatReadsBack)
{
    struct Case {
        DWORD handler;
        uint32_t width, height, bits;
        bool releaseStreamFirst;
        const char* chunkId;
    };
    const Case cases[] = {
        {AVI_HANDLER_DIB, 16, 8, 32, true, "00db"},
        {0, 5, 4, 24, false, "00db"},            // 15-byte rows padded to 16; odd chunk sizes padded
        {AVI_HANDLER_MJPG, 32, 16, 32, true, "00dc"},
        {AVI_HANDLER_MJPG, 7, 6, 24, false, "00dc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.chunkId) + " " + std::to_string(c.width) + "x" + std::to_string(c.height) +
                     "x" + std::to_string(c.bits));
        const std::string name = temp / "movie.avi";
        std::vector<Picture> frames;
        for (uint8_t i = 0; i < 3; ++i)
            frames.push_back(MakePicture(c.width, c.height, c.bits, uint8_t(10 + i)));
        Movie m = Open(name, c.handler, frames[0]);
        for (LONG i = 0; i < 3; ++i)
            ASSERT_EQ(Write(m, i, frames[size_t(i)]), AVIERR_OK);
        if (c.releaseStreamFirst) {
            AVIStreamRelease(m.stream);
            AVIFileRelease(m.file);
        } else {
            AVIFileRelease(m.file);
            AVIStreamRelease(m.stream);
        }

        const AviParse::File f = AviParse::Parse(TempFolder::ReadFile(name));
        ASSERT_EQ(f.error, "");
        EXPECT_EQ(f.microsecondsPerFrame, 30303u);
        EXPECT_EQ(f.flags, 0x10u);
        EXPECT_EQ(f.totalFrames, 3u);
        EXPECT_EQ(f.streams, 1u);
        EXPECT_EQ(f.width, c.width);
        EXPECT_EQ(f.height, c.height);
        EXPECT_EQ(f.streamType, "vids");
        EXPECT_EQ(f.scale, 1u);
        EXPECT_EQ(f.rate, 33u);
        EXPECT_EQ(f.length, 3u);
        EXPECT_EQ(f.frameRight, int16_t(c.width));
        EXPECT_EQ(f.frameBottom, int16_t(c.height));
        EXPECT_EQ(f.formatWidth, int32_t(c.width));
        EXPECT_EQ(f.formatHeight, int32_t(c.height));
        ASSERT_EQ(f.frames.size(), 3u);
        ASSERT_EQ(f.index.size(), 3u);
        uint32_t largest = 0;
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(f.frames[i].id, c.chunkId);
            EXPECT_EQ(f.index[i].id, c.chunkId);
            EXPECT_EQ(f.index[i].flags, AVIIF_KEYFRAME);
            EXPECT_EQ(f.index[i].offset, f.frames[i].offset);
            EXPECT_EQ(f.index[i].size, f.frames[i].data.size());
            largest = std::max(largest, uint32_t(f.frames[i].data.size()));
        }
        EXPECT_EQ(f.suggestedBuffer, largest);
        EXPECT_EQ(f.frames[0].offset, 4u);
        if (c.handler == AVI_HANDLER_MJPG) {
            EXPECT_EQ(f.handler, "MJPG");
            EXPECT_EQ(f.compression, "MJPG");
            EXPECT_EQ(f.bitCount, 24);
            uint32_t w = 0, h = 0;
            const std::vector<uint8_t> rgb = DecodeJpeg(f.frames[1].data, w, h);
            ASSERT_FALSE(rgb.empty());
            ASSERT_EQ(w, c.width);
            ASSERT_EQ(h, c.height);
            // Top row red, bottom row blue: the bottom-up frame was turned upright.
            const uint8_t* top = &rgb[(w / 2) * 3];
            const uint8_t* bottom = &rgb[(size_t(h - 1) * w + w / 2) * 3];
            EXPECT_GT(top[0], 200);
            EXPECT_LT(top[2], 60);
            EXPECT_LT(bottom[0], 60);
            EXPECT_GT(bottom[2], 200);
        } else {
            EXPECT_EQ(f.handler, "DIB ");
            EXPECT_EQ(f.compression, std::string(4, '\0'));
            EXPECT_EQ(f.bitCount, c.bits);
            EXPECT_EQ(f.sizeImage, frames[0].pixels.size());
            for (size_t i = 0; i < 3; ++i)
                EXPECT_EQ(f.frames[i].data, std::string(frames[i].pixels.begin(), frames[i].pixels.end()));
        }
    }
}

TEST_F(AviWriter, InjectedFaultsFailTheirCallAndLeaveAValidFile)
{
    const std::string name = temp / "movie.avi";
    Picture p = MakePicture(8, 8, 32, 0);

    AviTest::InjectFault(AviTest::Fault::Open, 1);
    PAVIFILE file = reinterpret_cast<PAVIFILE>(1);
    EXPECT_EQ(AVIFileOpenA(&file, name.c_str(), OF_WRITE | OF_CREATE, nullptr), AVIERR_FILEOPEN);
    EXPECT_EQ(file, nullptr);

    ASSERT_EQ(AVIFileOpenA(&file, name.c_str(), OF_WRITE | OF_CREATE, nullptr), AVIERR_OK);
    AviTest::InjectFault(AviTest::Fault::CreateStream, 1);
    AVISTREAMINFOA info = InfoFor(AVI_HANDLER_MJPG, p);
    PAVISTREAM stream = nullptr;
    EXPECT_EQ(AVIFileCreateStreamA(file, &stream, &info), AVIERR_MEMORY);
    EXPECT_EQ(stream, nullptr);
    ASSERT_EQ(AVIFileCreateStreamA(file, &stream, &info), AVIERR_OK);

    BITMAPINFOHEADER header = HeaderOf(p);
    AviTest::InjectFault(AviTest::Fault::SetFormat, 1);
    EXPECT_EQ(AVIStreamSetFormat(stream, 0, &header, sizeof header), AVIERR_BADFORMAT);
    ASSERT_EQ(AVIStreamSetFormat(stream, 0, &header, sizeof header), AVIERR_OK);

    Movie m{file, stream};
    ASSERT_EQ(Write(m, 0, p), AVIERR_OK);
    AviTest::InjectFault(AviTest::Fault::Write, 1);
    EXPECT_EQ(Write(m, 1, p), AVIERR_FILEWRITE);
    ASSERT_EQ(Write(m, 1, p), AVIERR_OK);
    AVIStreamRelease(stream);
    AVIFileRelease(file);

    const AviParse::File f = AviParse::Parse(TempFolder::ReadFile(name));
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(f.totalFrames, 2u);
    EXPECT_EQ(f.index.size(), 2u);
}

TEST_F(AviWriter, RefusesBadCallsWithoutWriting)
{
    const std::string name = temp / "movie.avi";
    Picture p = MakePicture(8, 8, 32, 0);
    PAVIFILE file = nullptr;
    EXPECT_EQ(AVIFileOpenA(&file, name.c_str(), OF_WRITE, nullptr), AVIERR_BADPARAM);
    EXPECT_EQ(AVIFileOpenA(&file, (temp / "missing/movie.avi").c_str(), OF_WRITE | OF_CREATE, nullptr),
              AVIERR_FILEOPEN);

    ASSERT_EQ(AVIFileOpenA(&file, name.c_str(), OF_WRITE | OF_CREATE, nullptr), AVIERR_OK);
    AVISTREAMINFOA info = InfoFor(MakeFourCC('X', 'V', 'I', 'D'), p);
    PAVISTREAM stream = nullptr;
    EXPECT_EQ(AVIFileCreateStreamA(file, &stream, &info), AVIERR_COMPRESSOR);
    info = InfoFor(AVI_HANDLER_DIB, p);
    ASSERT_EQ(AVIFileCreateStreamA(file, &stream, &info), AVIERR_OK);
    PAVISTREAM second = nullptr;
    EXPECT_EQ(AVIFileCreateStreamA(file, &second, &info), AVIERR_UNSUPPORTED);

    Movie m{file, stream};
    EXPECT_EQ(Write(m, 0, p), AVIERR_BADFORMAT);   // no format yet
    BITMAPINFOHEADER header = HeaderOf(p);
    header.biBitCount = 16;
    EXPECT_EQ(AVIStreamSetFormat(stream, 0, &header, sizeof header), AVIERR_BADFORMAT);
    header = HeaderOf(p);
    header.biHeight = -8;   // top-down pictures are not taken
    EXPECT_EQ(AVIStreamSetFormat(stream, 0, &header, sizeof header), AVIERR_BADFORMAT);
    header = HeaderOf(p);
    ASSERT_EQ(AVIStreamSetFormat(stream, 0, &header, sizeof header), AVIERR_OK);
    EXPECT_EQ(Write(m, 1, p), AVIERR_BADPARAM);    // frames arrive in order
    EXPECT_EQ(AVIStreamWrite(stream, 0, 1, p.pixels.data(), LONG(p.pixels.size() - 1), 0, nullptr, nullptr),
              AVIERR_BADPARAM);
    AVIFileRelease(file);
    AVIStreamRelease(stream);

    const AviParse::File f = AviParse::Parse(TempFolder::ReadFile(name));
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(f.totalFrames, 0u);
    EXPECT_TRUE(f.frames.empty());
}

TEST_F(AviWriter, StopsBeforeTheSizeLimit)
{
    const std::string name = temp / "movie.avi";
    Picture p = MakePicture(16, 16, 32, 0);   // 1024-byte frames
    AviTest::SetSizeLimit(5000);
    Movie m = Open(name, AVI_HANDLER_DIB, p);
    LONG written = 0;
    while (written < 10 && Write(m, written, p) == AVIERR_OK)
        ++written;
    EXPECT_GT(written, 0);
    EXPECT_LT(written, 10);
    AVIStreamRelease(m.stream);
    AVIFileRelease(m.file);
    const std::string bytes = TempFolder::ReadFile(name);
    EXPECT_LE(bytes.size(), 5000u);
    const AviParse::File f = AviParse::Parse(bytes);
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(f.totalFrames, uint32_t(written));
}
