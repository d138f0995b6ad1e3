#pragma once
// Word reading for the framework's position-based text files (font list, flower-house scene): the
// engine's reader hands out an empty word for every extra blank and line end; these lists want the next
// word that has text.

#include <string>

namespace VantoranEngine {
class FileTextual;
}

namespace GameFramework {

// The next non-empty word; false (and `word` empty) at the end of the file.
bool ReadNextWord(VantoranEngine::FileTextual& file, std::string& word);

} // namespace GameFramework
