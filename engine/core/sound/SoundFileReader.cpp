#include "engine/core/sound/SoundFileReader.h"

#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileManager.h"

#include <algorithm>
#include <cstring>

namespace VantoranEngine {

SoundFileReader::SoundFileReader(MessageManager* messageManager, MemoryManager* memoryManager,
                                 FileManager* fileManager, const std::string& name, bool pooled)
    : messageManager(messageManager), memoryManager(memoryManager), fileManager(fileManager), name(name),
      path(FileManager::GetDataPath(name))
{
    file = fileManager->OpenBinary(path, false, false, pooled);
}

SoundFileReader::SoundFileReader(MessageManager* messageManager, MemoryManager* memoryManager,
                                 FileManager* fileManager)
    : messageManager(messageManager), memoryManager(memoryManager), fileManager(fileManager)
{
}

SoundFileReader::~SoundFileReader() { CloseFile(); }

void SoundFileReader::CloseFile()
{
    file.reset();
}

SoundFileReaderEMP::SoundFileReaderEMP(MessageManager* messageManager, MemoryManager* memoryManager,
                                       FileManager* fileManager)
    : SoundFileReader(messageManager, memoryManager, fileManager)
{
    size = 8;
    channels = 1;
    bitsPerSample = 8;
    samplesPerSecond = 22050;
}

void SoundFileReaderEMP::Rewind() { readPosition = 0; }

void SoundFileReaderEMP::Read(void* buffer, uint32_t bytes, uint32_t& read, bool& end)
{
    read = std::min(bytes, size - readPosition);
    std::memset(buffer, 0x80, read);
    readPosition += read;
    end = readPosition == size || bytes == 0;
}

} // namespace VantoranEngine
