#include "platform/avi/Avi.h"
#include "platform/avi/AviTest.h"

#include "platform/os/Path.h"

#include <array>
#include <atomic>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace Platform {

namespace {

constexpr int kJpegQuality = 85;
constexpr unsigned long long kDefaultSizeLimit = 1ull << 30;

// Byte layout of the header block, written once at SetFormat and again, completed, at the end:
// RIFF 'AVI ' { LIST 'hdrl' { 'avih' LIST 'strl' { 'strh' 'strf' } } LIST 'movi' { frames } 'idx1' }.
constexpr uint32_t kAvihSize = 56;
constexpr uint32_t kStrhSize = 56;
constexpr uint32_t kStrfSize = 40;
constexpr uint32_t kStrlListSize = 4 + (8 + kStrhSize) + (8 + kStrfSize);
constexpr uint32_t kHdrlListSize = 4 + (8 + kAvihSize) + (8 + kStrlListSize);
constexpr uint32_t kMoviListOffset = 12 + 8 + kHdrlListSize;   // the 'LIST' of the movie list
constexpr uint32_t kMoviFourccOffset = kMoviListOffset + 8;      // index offsets count from here
constexpr uint32_t kFirstFrameOffset = kMoviFourccOffset + 4;
constexpr DWORD kAvifHasIndex = 0x10;

// ---- Faults ----

struct FaultState {
    std::mutex mutex;
    std::array<int, size_t(AviTest::Fault::Count)> remaining{};   // 0 off, < 0 for ever, > 0 that many calls
    unsigned long long sizeLimit = kDefaultSizeLimit;
    bool environmentRead = false;
};

FaultState& Faults()
{
    static FaultState state;
    return state;
}

void ReadEnvironmentLocked(FaultState& state)
{
    if (state.environmentRead)
        return;
    state.environmentRead = true;
    const char* text = std::getenv("BRINDLE_AVI_FAULTS");
    if (text == nullptr)
        return;
    std::string list = text;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        const std::string name = list.substr(start, end - start);
        for (size_t i = 0; i < size_t(AviTest::Fault::Count); ++i)
            if (name == AviTest::FaultName(AviTest::Fault(i)))
                state.remaining[i] = -1;
        start = end + 1;
    }
}

bool Fails(AviTest::Fault fault)
{
    FaultState& state = Faults();
    std::lock_guard<std::mutex> lock(state.mutex);
    ReadEnvironmentLocked(state);
    int& remaining = state.remaining[size_t(fault)];
    if (remaining == 0)
        return false;
    if (remaining > 0)
        --remaining;
    return true;
}

unsigned long long SizeLimit()
{
    FaultState& state = Faults();
    std::lock_guard<std::mutex> lock(state.mutex);
    return state.sizeLimit;
}

// ---- Little-endian helpers ----

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutFourCC(std::vector<uint8_t>& out, const char* code)
{
    out.insert(out.end(), code, code + 4);
}

// ---- Motion JPEG ----

// Everything the library touches lives on the heap, so nothing local changes between setjmp and a jump.
struct JpegState {
    jpeg_compress_struct info;
    jpeg_error_mgr errorManager;
    std::jmp_buf jump;
    unsigned char* buffer = nullptr;   // malloc'ed by the library's memory destination
    unsigned long size = 0;
};

void JpegErrorExit(j_common_ptr info)
{
    std::longjmp(static_cast<JpegState*>(info->client_data)->jump, 1);
}

void JpegSilent(j_common_ptr, int) {}

// Compresses a bottom-up, tightly packed BGR(X) picture; false when the library fails.
bool EncodeJpeg(const uint8_t* pixels, uint32_t width, uint32_t height, uint32_t bytesPerPixel,
                std::vector<uint8_t>& out)
{
    const std::unique_ptr<JpegState> state = std::make_unique<JpegState>();
    std::vector<uint8_t> row(size_t(width) * 3);
    jpeg_compress_struct& info = state->info;
    info.err = jpeg_std_error(&state->errorManager);
    state->errorManager.error_exit = JpegErrorExit;
    state->errorManager.emit_message = JpegSilent;
    info.client_data = state.get();
    if (setjmp(state->jump)) {
        jpeg_destroy_compress(&info);
        std::free(state->buffer);
        return false;
    }
    jpeg_create_compress(&info);
    info.client_data = state.get();
    jpeg_mem_dest(&info, &state->buffer, &state->size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kJpegQuality, false);
    jpeg_start_compress(&info, true);
    const size_t stride = size_t(width) * bytesPerPixel;
    while (info.next_scanline < height) {
        const uint8_t* source = pixels + size_t(height - 1 - info.next_scanline) * stride;
        for (uint32_t x = 0; x < width; ++x) {
            row[x * 3 + 0] = source[x * bytesPerPixel + 2];
            row[x * 3 + 1] = source[x * bytesPerPixel + 1];
            row[x * 3 + 2] = source[x * bytesPerPixel + 0];
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    out.assign(state->buffer, state->buffer + state->size);
    jpeg_destroy_compress(&info);
    std::free(state->buffer);
    return true;
}

struct IndexEntry {
    uint32_t offset;   // from the 'movi' fourcc
    uint32_t size;     // without the chunk header and pad byte
};

} // namespace

// One file with at most one stream. Both objects point at the same record; it lives while either is held.
struct AviFileRecord {
    std::FILE* file = nullptr;
    bool fileHeld = false;
    bool streamHeld = false;
    bool hasStream = false;
    bool hasFormat = false;
    bool failed = false;            // a header or index write failed: the file is left as it is
    AVISTREAMINFOA info{};
    BITMAPINFOHEADER format{};
    bool mjpeg = false;
    uint64_t end = kFirstFrameOffset;   // where the next chunk goes
    uint32_t largestChunk = 0;
    std::vector<IndexEntry> index;
};

struct AviStreamRecord {
    AviFileRecord* file;
};

namespace {

std::vector<uint8_t> BuildHeader(const AviFileRecord& r)
{
    const uint32_t frames = uint32_t(r.index.size());
    const uint32_t moviSize = uint32_t(r.end - kMoviFourccOffset);
    const uint32_t indexSize = 8 + 16 * frames;
    const uint32_t riffSize = uint32_t(r.end - 8) + indexSize;
    const uint32_t width = uint32_t(r.format.biWidth);
    const uint32_t height = uint32_t(r.format.biHeight);
    const DWORD rate = r.info.dwRate ? r.info.dwRate : 1;
    const DWORD scale = r.info.dwScale ? r.info.dwScale : 1;
    const uint32_t microsecondsPerFrame = uint32_t(1000000ull * scale / rate);
    const uint32_t suggested = r.largestChunk ? r.largestChunk : r.info.dwSuggestedBufferSize;
    const uint32_t maxBytesPerSecond = uint32_t(uint64_t(suggested) * rate / scale);
    const bool mjpeg = r.mjpeg;

    std::vector<uint8_t> out;
    out.reserve(kFirstFrameOffset);
    PutFourCC(out, "RIFF");
    Put32(out, riffSize);
    PutFourCC(out, "AVI ");
    PutFourCC(out, "LIST");
    Put32(out, kHdrlListSize);
    PutFourCC(out, "hdrl");

    PutFourCC(out, "avih");
    Put32(out, kAvihSize);
    Put32(out, microsecondsPerFrame);
    Put32(out, maxBytesPerSecond);
    Put32(out, 0);                 // padding granularity
    Put32(out, kAvifHasIndex);
    Put32(out, frames);
    Put32(out, 0);                 // initial frames
    Put32(out, 1);                 // streams
    Put32(out, suggested);
    Put32(out, width);
    Put32(out, height);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);

    PutFourCC(out, "LIST");
    Put32(out, kStrlListSize);
    PutFourCC(out, "strl");
    PutFourCC(out, "strh");
    Put32(out, kStrhSize);
    PutFourCC(out, "vids");
    PutFourCC(out, mjpeg ? "MJPG" : "DIB ");
    Put32(out, 0);                 // flags
    Put16(out, 0);                 // priority
    Put16(out, 0);                 // language
    Put32(out, 0);                 // initial frames
    Put32(out, scale);
    Put32(out, rate);
    Put32(out, 0);                 // start
    Put32(out, frames);
    Put32(out, suggested);
    Put32(out, 0xFFFFFFFFu);       // quality: the codec's default
    Put32(out, 0);                 // sample size: varies
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, width);
    Put16(out, height);

    PutFourCC(out, "strf");
    Put32(out, kStrfSize);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, mjpeg ? 24 : r.format.biBitCount);
    Put32(out, mjpeg ? AVI_HANDLER_MJPG : BI_RGB);
    Put32(out, mjpeg ? width * height * 3 : r.format.biSizeImage);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);

    PutFourCC(out, "LIST");
    Put32(out, moviSize);
    PutFourCC(out, "movi");
    return out;
}

bool WriteAt(std::FILE* file, uint64_t offset, const void* data, size_t size)
{
    return std::fseek(file, long(offset), SEEK_SET) == 0 && std::fwrite(data, 1, size, file) == size;
}

// Writes the index and the completed header, closes the file and frees the record.
void Finish(AviFileRecord* r)
{
    if (r->file != nullptr) {
        if (r->hasFormat && !r->failed) {
            std::vector<uint8_t> index;
            PutFourCC(index, "idx1");
            Put32(index, uint32_t(16 * r->index.size()));
            const char* id = r->mjpeg ? "00dc" : "00db";
            for (const IndexEntry& entry : r->index) {
                PutFourCC(index, id);
                Put32(index, AVIIF_KEYFRAME);
                Put32(index, entry.offset);
                Put32(index, entry.size);
            }
            const std::vector<uint8_t> header = BuildHeader(*r);
            if (WriteAt(r->file, r->end, index.data(), index.size()))
                WriteAt(r->file, 0, header.data(), header.size());
        }
        std::fclose(r->file);
    }
    delete r;
}

uint32_t BytesPerRow(const BITMAPINFOHEADER& format)
{
    return (uint32_t(format.biWidth) * format.biBitCount / 8 + 3) & ~3u;
}

} // namespace

DWORD VideoForWindowsVersion()
{
    return 0x010A0000;
}

void AVIFileInit() {}
void AVIFileExit() {}

HRESULT AVIFileOpenA(PAVIFILE* file, const char* name, UINT mode, void* handler)
{
    if (file == nullptr)
        return AVIERR_BADPARAM;
    *file = nullptr;
    if (name == nullptr || handler != nullptr || (mode & (OF_WRITE | OF_CREATE)) != (OF_WRITE | OF_CREATE))
        return AVIERR_BADPARAM;
    if (Fails(AviTest::Fault::Open))
        return AVIERR_FILEOPEN;
    std::FILE* native = OpenFile(name, "wb");
    if (native == nullptr)
        return AVIERR_FILEOPEN;
    AviFileRecord* record = new AviFileRecord;
    record->file = native;
    record->fileHeld = true;
    *file = record;
    return AVIERR_OK;
}

HRESULT AVIFileCreateStreamA(PAVIFILE file, PAVISTREAM* stream, AVISTREAMINFOA* info)
{
    if (stream == nullptr)
        return AVIERR_BADPARAM;
    *stream = nullptr;
    if (file == nullptr || info == nullptr || info->fccType != streamtypeVIDEO)
        return AVIERR_BADPARAM;
    if (info->fccHandler != 0 && info->fccHandler != AVI_HANDLER_DIB && info->fccHandler != AVI_HANDLER_MJPG)
        return AVIERR_COMPRESSOR;
    if (file->hasStream)
        return AVIERR_UNSUPPORTED;
    if (Fails(AviTest::Fault::CreateStream))
        return AVIERR_MEMORY;
    file->hasStream = true;
    file->streamHeld = true;
    file->info = *info;
    file->mjpeg = info->fccHandler == AVI_HANDLER_MJPG;
    *stream = new AviStreamRecord{file};
    return AVIERR_OK;
}

HRESULT AVIStreamSetFormat(PAVISTREAM stream, LONG position, void* format, LONG formatSize)
{
    if (stream == nullptr || format == nullptr || position != 0 || formatSize < LONG(sizeof(BITMAPINFOHEADER)))
        return AVIERR_BADPARAM;
    AviFileRecord& r = *stream->file;
    if (r.hasFormat)
        return AVIERR_UNSUPPORTED;
    BITMAPINFOHEADER header;
    std::memcpy(&header, format, sizeof header);
    if (header.biSize != 40 || header.biWidth <= 0 || header.biHeight <= 0 || header.biWidth > 0xFFFF ||
        header.biHeight > 0xFFFF || (header.biBitCount != 24 && header.biBitCount != 32) ||
        header.biCompression != BI_RGB)
        return AVIERR_BADFORMAT;
    if (Fails(AviTest::Fault::SetFormat))
        return AVIERR_BADFORMAT;
    header.biSizeImage = BytesPerRow(header) * uint32_t(header.biHeight);
    r.format = header;
    const std::vector<uint8_t> block = BuildHeader(r);
    if (!WriteAt(r.file, 0, block.data(), block.size()))
        return AVIERR_FILEWRITE;
    r.hasFormat = true;
    return AVIERR_OK;
}

HRESULT AVIStreamWrite(PAVISTREAM stream, LONG start, LONG samples, void* buffer, LONG bufferSize, DWORD flags,
                       LONG* samplesWritten, LONG* bytesWritten)
{
    if (samplesWritten != nullptr)
        *samplesWritten = 0;
    if (bytesWritten != nullptr)
        *bytesWritten = 0;
    (void)flags;   // every frame is a key frame
    if (stream == nullptr || buffer == nullptr || samples != 1)
        return AVIERR_BADPARAM;
    AviFileRecord& r = *stream->file;
    if (!r.hasFormat)
        return AVIERR_BADFORMAT;
    if (start < 0 || size_t(start) != r.index.size() || bufferSize < 0 ||
        uint32_t(bufferSize) < r.format.biSizeImage)
        return AVIERR_BADPARAM;
    if (r.failed || Fails(AviTest::Fault::Write))
        return AVIERR_FILEWRITE;

    std::vector<uint8_t> compressed;
    const uint8_t* data = static_cast<const uint8_t*>(buffer);
    uint32_t size = r.format.biSizeImage;
    if (r.mjpeg) {
        // Rows of a DIB are padded to 4 bytes; the encoder reads tightly packed rows.
        std::vector<uint8_t> packed;
        const uint32_t bytesPerPixel = r.format.biBitCount / 8;
        const uint32_t width = uint32_t(r.format.biWidth);
        const uint32_t height = uint32_t(r.format.biHeight);
        const uint32_t stride = BytesPerRow(r.format);
        const uint8_t* pixels = data;
        if (stride != width * bytesPerPixel) {
            packed.resize(size_t(width) * bytesPerPixel * height);
            for (uint32_t y = 0; y < height; ++y)
                std::memcpy(&packed[size_t(y) * width * bytesPerPixel], data + size_t(y) * stride,
                            size_t(width) * bytesPerPixel);
            pixels = packed.data();
        }
        if (!EncodeJpeg(pixels, width, height, bytesPerPixel, compressed))
            return AVIERR_COMPRESSOR;
        data = compressed.data();
        size = uint32_t(compressed.size());
    }

    const uint32_t padded = size + (size & 1);
    const uint64_t after = r.end + 8 + padded;
    const uint64_t indexAfter = 8 + 16 * (r.index.size() + 1);
    if (after + indexAfter > SizeLimit())
        return AVIERR_FILEWRITE;

    std::vector<uint8_t> chunk;
    chunk.reserve(8 + padded);
    PutFourCC(chunk, r.mjpeg ? "00dc" : "00db");
    Put32(chunk, size);
    chunk.insert(chunk.end(), data, data + size);
    if (size & 1)
        chunk.push_back(0);
    if (!WriteAt(r.file, r.end, chunk.data(), chunk.size())) {
        r.failed = true;
        return AVIERR_FILEWRITE;
    }
    r.index.push_back({uint32_t(r.end - kMoviFourccOffset), size});
    r.end = after;
    if (size > r.largestChunk)
        r.largestChunk = size;
    if (samplesWritten != nullptr)
        *samplesWritten = 1;
    if (bytesWritten != nullptr)
        *bytesWritten = LONG(size);
    return AVIERR_OK;
}

DWORD AVIStreamRelease(PAVISTREAM stream)
{
    if (stream == nullptr)
        return 0;
    AviFileRecord* r = stream->file;
    delete stream;
    r->streamHeld = false;
    if (!r->fileHeld)
        Finish(r);
    return 0;
}

DWORD AVIFileRelease(PAVIFILE file)
{
    if (file == nullptr)
        return 0;
    file->fileHeld = false;
    if (!file->streamHeld)
        Finish(file);
    return 0;
}

namespace AviTest {

const char* FaultName(Fault fault)
{
    static const char* const names[] = {"Open", "CreateStream", "SetFormat", "Write"};
    static_assert(sizeof(names) / sizeof(names[0]) == size_t(Fault::Count));
    return names[size_t(fault)];
}

void InjectFault(Fault fault, int times)
{
    FaultState& state = Faults();
    std::lock_guard<std::mutex> lock(state.mutex);
    ReadEnvironmentLocked(state);
    state.remaining[size_t(fault)] = times > 0 ? times : -1;
}

void ClearFault(Fault fault)
{
    FaultState& state = Faults();
    std::lock_guard<std::mutex> lock(state.mutex);
    ReadEnvironmentLocked(state);
    state.remaining[size_t(fault)] = 0;
}

void Reset()
{
    FaultState& state = Faults();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.environmentRead = true;
    state.remaining = {};
    state.sizeLimit = kDefaultSizeLimit;
}

void SetSizeLimit(unsigned long long bytes)
{
    FaultState& state = Faults();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.sizeLimit = bytes;
}

} // namespace AviTest

} // namespace Platform
