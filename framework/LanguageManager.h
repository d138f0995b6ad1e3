#pragma once
// The program's language: a fixed table of six languages, of which "ru" is always the current one. On
// construction it makes the keyboard layout and the narrow code page follow that language.
//
// Rules:
// - The codes "ge" (German) and "sp" (Spanish) are the table's own, not ISO codes.
// - The code page is process-wide: narrow text, case mapping and character classes follow it; numbers
//   always read with a decimal point.
// - A keyboard layout this object loaded itself is unloaded by its destructor; a failed change is not
//   reported.
// - Main thread only; built once at start-up, before fonts and texts.

#include "framework/LanguageRecord.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GameFramework {

class LanguageManager {
public:
    LanguageManager();
    virtual ~LanguageManager();

    LanguageManager(const LanguageManager&) = delete;
    LanguageManager& operator=(const LanguageManager&) = delete;

    // The first record whose code equals `code` without regard to case; null when none.
    const LanguageRecord* FindLanguage(const std::string& code) const;

    std::vector<std::unique_ptr<LanguageRecord>> languages;
    const LanguageRecord* current = nullptr;
    // Set only when this object loaded the layout itself.
    std::unique_ptr<uint32_t> loadedLayout;

private:
    void SelectKeyboardLayout();
    void SelectCodePage();
};

} // namespace GameFramework
