#pragma once
// The AVIFile calls the screen capture makes, over our own RIFF AVI writer.
//
// Rules:
// - One file holds one video stream. The stream's codec is fixed by the handler given at creation:
//   AVI_HANDLER_MJPG (motion JPEG at quality 85 through libjpeg) or AVI_HANDLER_DIB / 0 (frames stored
//   as given). There is no codec dialog and nothing can be cancelled.
// - Frames are handed over as a bottom-up DIB of 32 bits (blue, green, red, unused) or 24 bits, the
//   layout AVIStreamSetFormat declared; every frame is a key frame.
// - The file is an AVI 1.0 RIFF with an index ('idx1'), readable by common players. Header fields that
//   depend on the frame count are written when the stream and the file have both been released; until
//   then the file on the disk is incomplete.
// - Files stay below 1 GiB: a write that would pass that size fails with AVIERR_FILEWRITE and writes
//   nothing.
// - Failures answer a negative HRESULT and leave the objects usable for release. A failed open or
//   stream creation hands back null.
// - Any thread may use its own objects; nothing is shared between files.

#include "platform/window/WinTypes.h"

#include <cstdint>

namespace Platform {

constexpr DWORD MakeFourCC(char a, char b, char c, char d)
{
    return DWORD(uint8_t(a)) | DWORD(uint8_t(b)) << 8 | DWORD(uint8_t(c)) << 16 | DWORD(uint8_t(d)) << 24;
}

constexpr DWORD streamtypeVIDEO = MakeFourCC('v', 'i', 'd', 's');
constexpr DWORD AVI_HANDLER_MJPG = MakeFourCC('M', 'J', 'P', 'G');
constexpr DWORD AVI_HANDLER_DIB = MakeFourCC('D', 'I', 'B', ' ');

constexpr UINT OF_WRITE = 0x0001;
constexpr UINT OF_CREATE = 0x1000;

constexpr DWORD AVIIF_KEYFRAME = 0x10;
constexpr DWORD BI_RGB = 0;

constexpr HRESULT MakeAviHResult(int code) { return HRESULT(0x80044000u | uint32_t(code)); }
constexpr HRESULT AVIERR_OK = 0;
constexpr HRESULT AVIERR_UNSUPPORTED = MakeAviHResult(101);
constexpr HRESULT AVIERR_BADFORMAT = MakeAviHResult(102);
constexpr HRESULT AVIERR_MEMORY = MakeAviHResult(103);
constexpr HRESULT AVIERR_BADPARAM = MakeAviHResult(105);
constexpr HRESULT AVIERR_FILEWRITE = MakeAviHResult(109);
constexpr HRESULT AVIERR_FILEOPEN = MakeAviHResult(110);
constexpr HRESULT AVIERR_COMPRESSOR = MakeAviHResult(112);

// 40 bytes in the file.
struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;     // positive: rows bottom-up
    WORD biPlanes;
    WORD biBitCount;   // 24 or 32
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct AVISTREAMINFOA {
    DWORD fccType;     // streamtypeVIDEO
    DWORD fccHandler;  // AVI_HANDLER_MJPG, AVI_HANDLER_DIB or 0 (uncompressed)
    DWORD dwFlags;
    DWORD dwCaps;
    WORD wPriority;
    WORD wLanguage;
    DWORD dwScale;     // frames per second = dwRate / dwScale
    DWORD dwRate;
    DWORD dwStart;
    DWORD dwLength;
    DWORD dwInitialFrames;
    DWORD dwSuggestedBufferSize;
    DWORD dwQuality;
    DWORD dwSampleSize;
    RECT rcFrame;
    DWORD dwEditCount;
    DWORD dwFormatChangeCount;
    char szName[64];
};

struct AviFileRecord;
struct AviStreamRecord;
using PAVIFILE = AviFileRecord*;
using PAVISTREAM = AviStreamRecord*;

// Reports 1.10, the version whose calls are offered here.
DWORD VideoForWindowsVersion();
void AVIFileInit();
void AVIFileExit();

// Creates (or truncates) the file for writing; mode must include OF_WRITE | OF_CREATE. handler must be
// null. name goes through ToNativePath.
HRESULT AVIFileOpenA(PAVIFILE* file, const char* name, UINT mode, void* handler);
// One video stream per file; a second one answers AVIERR_UNSUPPORTED.
HRESULT AVIFileCreateStreamA(PAVIFILE file, PAVISTREAM* stream, AVISTREAMINFOA* info);
// Once, at position 0, with a 40-byte BITMAPINFOHEADER of a BI_RGB, 24- or 32-bit, bottom-up picture.
HRESULT AVIStreamSetFormat(PAVISTREAM stream, LONG position, void* format, LONG formatSize);
// One frame at the next position (start must equal the number of frames written), samples 1, bufferSize
// at least the picture's size. samplesWritten and bytesWritten may be null.
HRESULT AVIStreamWrite(PAVISTREAM stream, LONG start, LONG samples, void* buffer, LONG bufferSize, DWORD flags,
                       LONG* samplesWritten, LONG* bytesWritten);
// Each answers the remaining reference count (0: gone). The file is completed and closed when both the
// stream and the file have been released, in any order.
DWORD AVIStreamRelease(PAVISTREAM stream);
DWORD AVIFileRelease(PAVIFILE file);

} // namespace Platform
