#include "platform/os/Numbers.h"

#include <locale.h>
#include <stdlib.h>

#include <string>

namespace Platform {

namespace {

bool IsAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips white space and an optional sign; returns true for '-'.
bool ReadSign(std::string_view text, size_t& pos)
{
    while (pos < text.size() && IsAsciiSpace(text[pos]))
        ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        return text[pos++] == '-';
    return false;
}

locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

int32_t StringToInt(std::string_view text)
{
    size_t pos = 0;
    const bool negative = ReadSign(text, pos);
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t value = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        value = value * 10 + (text[pos++] - '0');
        if (value > limit) {
            value = limit;
            while (pos < text.size() && IsDigit(text[pos]))
                ++pos;
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

uint32_t StringToUInt(std::string_view text, size_t* used)
{
    size_t pos = 0;
    const bool negative = ReadSign(text, pos);
    const size_t firstDigit = pos;
    uint64_t value = 0;
    bool overflow = false;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (!overflow) {
            value = value * 10 + static_cast<uint64_t>(text[pos] - '0');
            overflow = value > 0xFFFFFFFFull;
        }
        ++pos;
    }
    if (used)
        *used = pos == firstDigit ? 0 : pos;
    if (pos == firstDigit)
        return 0;
    if (overflow)
        return 0xFFFFFFFFu;
    const uint32_t result = static_cast<uint32_t>(value);
    return negative ? static_cast<uint32_t>(0u - result) : result;
}

double StringToDouble(std::string_view text)
{
    size_t pos = 0;
    while (pos < text.size() && IsAsciiSpace(text[pos]))
        ++pos;
    const size_t begin = pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos, ++digits;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos, ++digits;
    }
    if (digits == 0)
        return 0.0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        if (exponent < text.size() && IsDigit(text[exponent])) {
            while (exponent < text.size() && IsDigit(text[exponent]))
                ++exponent;
            pos = exponent;
        }
    }
    // The prefix is plain decimal text now, which strtod in the "C" locale reads exactly.
    const std::string number(text.substr(begin, pos - begin));
    return strtod_l(number.c_str(), nullptr, CLocale());
}

} // namespace Platform
