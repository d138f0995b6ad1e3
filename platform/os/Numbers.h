#pragma once
// Number conversions standing in for the C run-time's atoi, strtoul and atof, in the "C" locale whatever
// the current code page: the decimal point is always '.'.
//
// Rules (the original run-time's, not glibc's):
// - Leading ASCII white space is skipped, then an optional sign; reading stops at the first byte that
//   does not fit. Text that is not a number gives 0.
// - StringToInt saturates to INT32_MIN..INT32_MAX.
// - StringToUInt reads base 10; a value beyond 32 bits gives 0xFFFFFFFF, and a '-' negates the result in
//   unsigned 32-bit arithmetic ("-1" gives 0xFFFFFFFF).
// - StringToDouble reads decimal text only (digits, '.', an exponent): no hexadecimal, "inf" or "nan".
//   Overflow gives +-HUGE_VAL, underflow 0.
// Any thread may call them.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace Platform {

int32_t StringToInt(std::string_view text);
// `used` (optional) receives the number of bytes read, 0 when no digits were found.
uint32_t StringToUInt(std::string_view text, size_t* used = nullptr);
double StringToDouble(std::string_view text);

} // namespace Platform
