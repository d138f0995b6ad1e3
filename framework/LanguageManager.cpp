#include "framework/LanguageManager.h"

#include "engine/core/StringUtils.h"
#include "platform/os/CodePage.h"
#include "platform/os/KeyboardLayout.h"

#include <cstdio>

namespace GameFramework {

namespace {

constexpr const char* currentLanguageCode = "ru";

} // namespace

LanguageManager::LanguageManager()
{
    const LanguageRecord table[] = {
        {"en", 1033, "english"}, {"ru", 1049, "russian"}, {"ge", 1031, "german"},
        {"fr", 1036, "french"},  {"it", 1040, "italian"}, {"sp", 1034, "spanish"},
    };
    for (const LanguageRecord& record : table)
        languages.push_back(std::make_unique<LanguageRecord>(record));
    current = FindLanguage(currentLanguageCode);
    SelectKeyboardLayout();
    SelectCodePage();
}

LanguageManager::~LanguageManager()
{
    if (loadedLayout)
        Platform::UnloadKeyboardLayout(*loadedLayout);
}

const LanguageRecord* LanguageManager::FindLanguage(const std::string& code) const
{
    const std::string wanted = VantoranEngine::ToLowerCopy(code);
    for (const auto& record : languages)
        if (VantoranEngine::ToLowerCopy(record->code) == wanted)
            return record.get();
    return nullptr;
}

void LanguageManager::SelectKeyboardLayout()
{
    const uint32_t language = static_cast<uint32_t>(current->languageId);
    if ((Platform::GetKeyboardLayout() >> 16) == language)
        return;
    if (Platform::ActivateKeyboardLayout(language))
        return;
    char name[9];
    std::snprintf(name, sizeof name, "%08X", static_cast<unsigned>(language));
    const uint32_t loaded = Platform::LoadKeyboardLayout(name);
    if ((loaded >> 16) == language)
        loadedLayout = std::make_unique<uint32_t>(loaded);
}

void LanguageManager::SelectCodePage()
{
    // Character classes and case follow the language's code page; the other categories stay with the
    // decimal point, which the engine's number readers use regardless.
    Platform::SetCodePage(current->name == "russian" ? Platform::CodePage::Windows1251
                                                     : Platform::CodePage::Windows1252);
}

} // namespace GameFramework
