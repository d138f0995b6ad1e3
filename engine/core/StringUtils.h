#pragma once
// String and number utilities for narrow text (bytes in the current code page, see
// platform/os/CodePage.h) and wide text (UTF-16). No errors: text that is not a number gives 0 and
// characters without a form in the other width are skipped. Numbers always use '.' as the decimal point.
// Any thread may call them.

#include "platform/os/CodePage.h"

#include <string>

namespace VantoranEngine {

// The program file's folder, without the trailing separator; the whole path when it has no separator.
std::string GetApplicationDirectory();

// The engine's one lower-case helper for narrow text: by the current code page, or by the given one
// (CodePage::C folds ASCII letters only, for names that must compare the same under any code page).
void ToLower(std::string& text, Platform::CodePage page = Platform::GetCodePage());
std::string ToLowerCopy(std::string text, Platform::CodePage page = Platform::GetCodePage());
void ToLowerWide(std::u16string& text);
std::u16string ToLowerCopyWide(std::u16string text);
void ToUpper(std::string& text);
std::string ToUpperCopy(std::string text);

void TrimLeft(std::string& text);
void TrimRight(std::string& text);
void TrimLeftWide(std::u16string& text);
void TrimRightWide(std::u16string& text);
std::u16string TrimLeftCopyWide(std::u16string text);
std::u16string TrimRightCopyWide(std::u16string text);
std::u16string TrimCopyWide(const std::u16string& text);
void TrimLeadingBackslashes(std::string& text);

// Replaces the first occurrence, searching from the start each time, until none is left: removing two
// blanks deletes a run of four and leaves one of three. `search` must not be empty and `replacement`
// must not contain it.
void ReplaceAll(std::string& text, const std::string& search, const std::string& replacement);
void ReplaceAllWide(std::u16string& text, const std::u16string& search, const std::u16string& replacement);
void RemoveAll(std::string& text, const std::string& search);

float StringToFloat(const std::string& text);
bool StringToBool(const std::string& text); // the integer value is not 0

std::string IntToHexString(int value);                   // eight upper-case digits: "00000419"
std::string IntToString(int digits, int value);          // digits 0: plain; else zero-padded ("-007")
std::string UIntToString(int digits, unsigned value);
std::u16string IntToWideString(int value);
std::u16string UIntToWideString(unsigned value);
std::string FloatToString(float value, int decimals);    // fixed notation: "0.950000"
std::string BoolToString(bool value);                    // "1" or "0"

// Stops at the first NUL byte or unit.
std::u16string MultiByteToWide(const std::string& text);
std::string WideToMultiByte(const std::u16string& text); // a unit with no narrow form is skipped

} // namespace VantoranEngine
