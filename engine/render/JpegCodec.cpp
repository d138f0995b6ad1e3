#include "engine/render/JpegCodec.h"

#include <csetjmp>
#include <cstring>

#include <jpeglib.h>

static_assert(JPEG_LIB_VERSION == 62, "the engine is written against the libjpeg 6b interface");

namespace VantoranEngine::JpegCodec {

namespace {

constexpr size_t sourceBufferSize = 4096;

// The library's error record followed by the way back out of it. Only plain data lives in the frames
// between setjmp and longjmp, so jumping over them skips no destructor.
struct ErrorManager {
    jpeg_error_mgr library;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info)
{
    ErrorManager* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void InstallErrorManager(ErrorManager& errors, j_common_ptr info)
{
    info->err = jpeg_std_error(&errors.library);
    errors.library.error_exit = ErrorExit;
    errors.message[0] = '\0';
}

struct Source {
    jpeg_source_mgr library;
    const ByteSource* read;
    JOCTET* buffer;
    bool startOfFile;
};

// The end-of-image marker handed to the library once the data runs out, so a short file still decodes.
const JOCTET fakeEndOfImage[2] = {0xFF, 0xD9};

void InitSource(j_decompress_ptr info)
{
    reinterpret_cast<Source*>(info->src)->startOfFile = true;
}

boolean FillInputBuffer(j_decompress_ptr info)
{
    Source* source = reinterpret_cast<Source*>(info->src);
    uint32_t count = 0;
    try {
        count = (*source->read)(source->buffer, sourceBufferSize);
    } catch (...) {
        count = 0; // an exception must not cross the library's C frames
    }
    if (count == 0) {
        std::memcpy(source->buffer, fakeEndOfImage, sizeof(fakeEndOfImage));
        count = sizeof(fakeEndOfImage);
    }
    source->library.next_input_byte = source->buffer;
    source->library.bytes_in_buffer = count;
    source->startOfFile = false;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    Source* source = reinterpret_cast<Source*>(info->src);
    while (count > static_cast<long>(source->library.bytes_in_buffer)) {
        count -= static_cast<long>(source->library.bytes_in_buffer);
        FillInputBuffer(info);
    }
    source->library.next_input_byte += count;
    source->library.bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

void InstallSource(j_decompress_ptr info, const ByteSource& read)
{
    if (info->src == nullptr) {
        void* record = (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(Source));
        Source* source = static_cast<Source*>(record);
        source->buffer = static_cast<JOCTET*>(
            (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sourceBufferSize));
        info->src = &source->library;
    }
    Source* source = reinterpret_cast<Source*>(info->src);
    source->library.init_source = InitSource;
    source->library.fill_input_buffer = FillInputBuffer;
    source->library.skip_input_data = SkipInputData;
    source->library.resync_to_restart = jpeg_resync_to_restart;
    source->library.term_source = TermSource;
    source->read = &read;
    source->library.bytes_in_buffer = 0;
    source->library.next_input_byte = nullptr;
}

} // namespace

std::string TooLargeText(uint32_t width, uint32_t height, uint32_t maxWidth, uint32_t maxHeight)
{
    return "Picture of " + std::to_string(width) + "x" + std::to_string(height) + " is larger than " +
           std::to_string(maxWidth) + "x" + std::to_string(maxHeight);
}

bool TooLarge(uint32_t width, uint32_t height, uint32_t maxWidth, uint32_t maxHeight)
{
    return (maxWidth != 0 && width > maxWidth) || (maxHeight != 0 && height > maxHeight);
}

bool Decode(const ByteSource& source, const PixelSink& sink, std::string& failure, uint32_t maxWidth,
            uint32_t maxHeight)
{
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof(info));
    ErrorManager errors;
    InstallErrorManager(errors, reinterpret_cast<j_common_ptr>(&info));
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        failure = errors.message;
        return false;
    }
    jpeg_CreateDecompress(&info, JPEG_LIB_VERSION, sizeof(info));
    InstallSource(&info, source);
    jpeg_read_header(&info, TRUE);
    // The output size from the header alone: a picture refused here costs no decoding and no buffers.
    jpeg_calc_output_dimensions(&info);

    const uint32_t width = info.output_width;
    const uint32_t height = info.output_height;
    const uint32_t components = static_cast<uint32_t>(info.output_components);
    const uint64_t bytes = uint64_t{width} * height * components;
    if (width == 0 || height == 0 || bytes > maxPictureBytes || (components != 1 && components != 3 && components != 4)) {
        jpeg_destroy_decompress(&info);
        failure = "Unsupported picture size or layout";
        return false;
    }
    if (TooLarge(width, height, maxWidth, maxHeight)) {
        jpeg_destroy_decompress(&info);
        failure = TooLargeText(width, height, maxWidth, maxHeight);
        return false;
    }
    jpeg_start_decompress(&info);
    uint8_t* pixels = nullptr;
    try {
        pixels = sink(width, height, components);
    } catch (...) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    if (pixels == nullptr) {
        jpeg_destroy_decompress(&info);
        failure = "No memory for the picture";
        return false;
    }
    const size_t stride = size_t{width} * components;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + stride * info.output_scanline;
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            break;
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool Encode(std::FILE* file, const uint8_t* pixels, uint32_t width, uint32_t height, uint32_t components,
            int quality, std::string& failure)
{
    jpeg_compress_struct info;
    std::memset(&info, 0, sizeof(info));
    ErrorManager errors;
    InstallErrorManager(errors, reinterpret_cast<j_common_ptr>(&info));
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        failure = errors.message;
        return false;
    }
    jpeg_CreateCompress(&info, JPEG_LIB_VERSION, sizeof(info));
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    info.image_width = width;
    info.image_height = height;
    info.input_components = static_cast<int>(components);
    info.data_precision = 8;
    jpeg_set_quality(&info, quality, FALSE);
    jpeg_stdio_dest(&info, file);
    jpeg_start_compress(&info, TRUE);
    const size_t stride = size_t{width} * components;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(pixels) + stride * info.next_scanline;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace VantoranEngine::JpegCodec
