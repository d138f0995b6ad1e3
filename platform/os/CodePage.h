#pragma once
// Code pages: our own tables for the narrow character sets the engine runs in, standing in for the C
// run-time locale (glibc locales are never used, they may not be installed).
//
// Rules:
// - Narrow text is bytes in the current code page; wide text is UTF-16 (char16_t).
// - CodePage::C is the start-up state: bytes map to U+0000..U+00FF one to one, units above U+00FF have
//   no narrow form, and case mapping and spaces are ASCII only.
// - Windows1251 and Windows1252 map every byte to one unit; the bytes the code page leaves undefined
//   (0x98 in 1251; 0x81, 0x8D, 0x8F, 0x90, 0x9D in 1252) map to U+0080..U+009F, so every byte round-trips.
//   Case mapping covers Latin-1, Latin Extended-A, Greek and Cyrillic; a byte whose other case has no
//   byte in the code page stays as it is. Narrow spaces are the ASCII ones plus 0xA0 (no-break space).
// - Wide spaces (any state): U+0009..U+000D, U+0020, U+0085, U+00A0, U+1680, U+2000..U+200A, U+2028,
//   U+2029, U+202F, U+205F, U+3000.
// - Every character is single-byte, so at most one byte is ever used per character.
// - The current code page is process-wide, like the run-time locale: the language layer sets it once at
//   start-up. Any thread may call these functions.

#include <cstdint>

namespace Platform {

enum class CodePage { C, Windows1251, Windows1252 };

void SetCodePage(CodePage page);
CodePage GetCodePage();

// The unit for a byte; every byte converts.
char16_t ByteToWide(unsigned char byte, CodePage page = GetCodePage());
// False when the unit has no narrow form in the code page (`byte` is then unchanged).
bool WideToByte(char16_t unit, unsigned char& byte, CodePage page = GetCodePage());

unsigned char ToLowerByte(unsigned char byte, CodePage page = GetCodePage());
unsigned char ToUpperByte(unsigned char byte, CodePage page = GetCodePage());
bool IsSpaceByte(unsigned char byte, CodePage page = GetCodePage());

char16_t ToLowerWide(char16_t unit, CodePage page = GetCodePage());
char16_t ToUpperWide(char16_t unit, CodePage page = GetCodePage());
bool IsSpaceWide(char16_t unit);

} // namespace Platform
