#pragma once
// GUITextManager: every text shown to the player, as UTF-16 texts under narrow keys, read from keyed
// text files.
//
// Rules:
// - Keys are case-insensitive (stored upper-cased). An indexed key is the plain key with the index in
//   decimal appended: ("LEVEL", 3) finds "[LEVEL3]". A key that is not defined shows "UNKNOWN".
// - Text files are read through FileTextual, so in ANSI (the current code page), UTF-8 or UTF-16 with a
//   byte-order mark. A key line is "[KEY]" after trimming, at least two characters ("[]" is the empty
//   key); its text is the next non-empty line, taken whole and untrimmed (a text is one line). "//"
//   starts a comment anywhere. A key defined again, in the same file or a later one, takes the new text.
// - A file that cannot be opened is logged as an error; the texts read so far stay.
// - Main thread only.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace VantoranEngine {

class FileManager;
class MemoryManager;
class MessageManager;

class GUITextManager {
public:
    GUITextManager(MessageManager* log, MemoryManager* memoryManager, FileManager* fileManager);
    virtual ~GUITextManager();

    GUITextManager(const GUITextManager&) = delete;
    GUITextManager& operator=(const GUITextManager&) = delete;

    // Reads a text table from the data folder (FileManager::GetDataPath).
    void LoadTexts(const std::string& name);
    // Adds a text, or replaces the text of a key that exists.
    void AddText(const std::string& key, const std::u16string& text);
    // index -1: the key alone.
    std::u16string GetText(const std::string& key, int32_t index = -1) const;

    // The names of the files read to their end, in load order.
    const std::vector<std::string>& GetLoadedFiles() const { return loadedFiles; }

private:
    MessageManager* log;
    MemoryManager* memoryManager;
    FileManager* fileManager;
    std::vector<std::string> loadedFiles;
    // Substituted into texts that hold '%'; nothing fills it.
    std::map<std::u16string, std::u16string> variables;
    std::map<std::string, std::u16string> texts;
};

} // namespace VantoranEngine
