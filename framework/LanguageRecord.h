#pragma once
// One row of the language table: the two-letter code used in file names, the Windows language id and
// the name the language set-up takes for the narrow code page.

#include <cstdint>
#include <string>

namespace GameFramework {

struct LanguageRecord {
    std::string code;   // "ru": names the font list and the text folder
    int32_t languageId; // 1049 for Russian; the high word of a keyboard-layout handle
    std::string name;   // "russian"
};

} // namespace GameFramework
