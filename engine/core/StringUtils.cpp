#include "engine/core/StringUtils.h"

#include "platform/os/CodePage.h"
#include "platform/os/Numbers.h"
#include "platform/os/Path.h"

#include <cassert>
#include <cstdio>

namespace VantoranEngine {

namespace {

// Formatted results fit in 63 characters: integers, and floats with a few decimals.
constexpr size_t kFormatBufferSize = 64;

std::u16string Widen(const char* ascii)
{
    std::u16string result;
    for (; *ascii; ++ascii)
        result += static_cast<char16_t>(static_cast<unsigned char>(*ascii));
    return result;
}

} // namespace

std::string GetApplicationDirectory()
{
    std::string path = Platform::GetModuleFileName();
    const size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos)
        return path;
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

void ToLower(std::string& text, Platform::CodePage page)
{
    for (char& c : text)
        c = static_cast<char>(Platform::ToLowerByte(static_cast<unsigned char>(c), page));
}

std::string ToLowerCopy(std::string text, Platform::CodePage page)
{
    ToLower(text, page);
    return text;
}

void ToLowerWide(std::u16string& text)
{
    for (char16_t& c : text)
        c = Platform::ToLowerWide(c);
}

std::u16string ToLowerCopyWide(std::u16string text)
{
    ToLowerWide(text);
    return text;
}

void ToUpper(std::string& text)
{
    for (char& c : text)
        c = static_cast<char>(Platform::ToUpperByte(static_cast<unsigned char>(c)));
}

std::string ToUpperCopy(std::string text)
{
    ToUpper(text);
    return text;
}

void TrimLeft(std::string& text)
{
    size_t count = 0;
    while (count < text.size() && Platform::IsSpaceByte(static_cast<unsigned char>(text[count])))
        ++count;
    text.erase(0, count);
}

void TrimRight(std::string& text)
{
    size_t length = text.size();
    while (length > 0 && Platform::IsSpaceByte(static_cast<unsigned char>(text[length - 1])))
        --length;
    text.resize(length);
}

void TrimLeftWide(std::u16string& text)
{
    size_t count = 0;
    while (count < text.size() && Platform::IsSpaceWide(text[count]))
        ++count;
    text.erase(0, count);
}

void TrimRightWide(std::u16string& text)
{
    size_t length = text.size();
    while (length > 0 && Platform::IsSpaceWide(text[length - 1]))
        --length;
    text.resize(length);
}

std::u16string TrimLeftCopyWide(std::u16string text)
{
    TrimLeftWide(text);
    return text;
}

std::u16string TrimRightCopyWide(std::u16string text)
{
    TrimRightWide(text);
    return text;
}

std::u16string TrimCopyWide(const std::u16string& text)
{
    return TrimLeftCopyWide(TrimRightCopyWide(text));
}

void TrimLeadingBackslashes(std::string& text)
{
    const size_t first = text.find_first_not_of('\\');
    text.erase(0, first == std::string::npos ? text.size() : first);
}

void ReplaceAll(std::string& text, const std::string& search, const std::string& replacement)
{
    assert(!search.empty() && replacement.find(search) == std::string::npos);
    if (search.empty() || replacement.find(search) != std::string::npos)
        return; // would never end
    for (size_t at = text.find(search); at != std::string::npos; at = text.find(search))
        text.replace(at, search.size(), replacement);
}

void ReplaceAllWide(std::u16string& text, const std::u16string& search, const std::u16string& replacement)
{
    assert(!search.empty() && replacement.find(search) == std::u16string::npos);
    if (search.empty() || replacement.find(search) != std::u16string::npos)
        return;
    for (size_t at = text.find(search); at != std::u16string::npos; at = text.find(search))
        text.replace(at, search.size(), replacement);
}

void RemoveAll(std::string& text, const std::string& search)
{
    ReplaceAll(text, search, std::string());
}

float StringToFloat(const std::string& text)
{
    return static_cast<float>(Platform::StringToDouble(text));
}

bool StringToBool(const std::string& text)
{
    return Platform::StringToInt(text) != 0;
}

std::string IntToHexString(int value)
{
    char buffer[kFormatBufferSize];
    std::snprintf(buffer, sizeof buffer, "%.8X", static_cast<unsigned>(value));
    return buffer;
}

std::string IntToString(int digits, int value)
{
    char buffer[kFormatBufferSize];
    if (digits == 0)
        std::snprintf(buffer, sizeof buffer, "%i", value);
    else
        std::snprintf(buffer, sizeof buffer, "%.*i", digits, value);
    return buffer;
}

std::string UIntToString(int digits, unsigned value)
{
    char buffer[kFormatBufferSize];
    if (digits == 0)
        std::snprintf(buffer, sizeof buffer, "%u", value);
    else
        std::snprintf(buffer, sizeof buffer, "%.*u", digits, value);
    return buffer;
}

std::u16string IntToWideString(int value)
{
    return Widen(IntToString(0, value).c_str());
}

std::u16string UIntToWideString(unsigned value)
{
    return Widen(UIntToString(0, value).c_str());
}

std::string FloatToString(float value, int decimals)
{
    char buffer[kFormatBufferSize];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
    return buffer;
}

std::string BoolToString(bool value)
{
    return value ? "1" : "0";
}

std::u16string MultiByteToWide(const std::string& text)
{
    std::u16string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == '\0')
            break;
        result += Platform::ByteToWide(static_cast<unsigned char>(c));
    }
    return result;
}

std::string WideToMultiByte(const std::u16string& text)
{
    std::string result;
    result.reserve(text.size());
    for (char16_t unit : text) {
        if (unit == 0)
            break;
        unsigned char byte = 0;
        if (Platform::WideToByte(unit, byte))
            result += static_cast<char>(byte);
    }
    return result;
}

} // namespace VantoranEngine
