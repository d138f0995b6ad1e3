#include "framework/TextFileWords.h"

#include "engine/core/files/FileTextual.h"

namespace GameFramework {

bool ReadNextWord(VantoranEngine::FileTextual& file, std::string& word)
{
    while (file.ReadString(word, true))
        if (!word.empty())
            return true;
    word.clear();
    return false;
}

} // namespace GameFramework
