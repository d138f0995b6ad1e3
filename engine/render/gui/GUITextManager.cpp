#include "engine/render/gui/GUITextManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"

#include <memory>

namespace VantoranEngine {

GUITextManager::GUITextManager(MessageManager* log, MemoryManager* memoryManager, FileManager* fileManager)
    : log(log), memoryManager(memoryManager), fileManager(fileManager)
{
}

GUITextManager::~GUITextManager() = default;

void GUITextManager::LoadTexts(const std::string& name)
{
    try {
        std::unique_ptr<FileTextual> file = fileManager->OpenTextual(FileManager::GetDataPath(name), false);
        std::string line;
        while (file->ReadString(line, false)) {
            TrimLeft(line);
            TrimRight(line);
            if (line.size() < 2 || line.front() != '[' || line.back() != ']')
                continue;
            std::u16string text;
            bool found = false;
            while (file->ReadWideString(text, false)) {
                if (!text.empty()) {
                    found = true;
                    break;
                }
            }
            if (found)
                AddText(line.substr(1, line.size() - 2), text);
        }
        file->Close();
        loadedFiles.push_back(name);
    } catch (const FileError& error) {
        log->LogError(error.message);
    }
}

void GUITextManager::AddText(const std::string& key, const std::u16string& text)
{
    texts[ToUpperCopy(key)] = text;
}

std::u16string GUITextManager::GetText(const std::string& key, int32_t index) const
{
    std::string k = ToUpperCopy(key);
    if (index != -1)
        k += UIntToString(0, static_cast<uint32_t>(index));
    const auto found = texts.find(k);
    if (found == texts.end())
        return u"UNKNOWN";
    std::u16string text = found->second;
    if (text.find(u'%') != std::u16string::npos) {
        for (const auto& [variable, value] : variables) {
            // A value holding its own name would be replaced for ever.
            if (variable.empty() || value.find(variable) != std::u16string::npos)
                continue;
            ReplaceAllWide(text, variable, value);
        }
    }
    return text;
}

} // namespace VantoranEngine
