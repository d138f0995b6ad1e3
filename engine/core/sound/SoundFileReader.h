#pragma once
// Sources of PCM samples for the sound buffers: a file of the data folder described as size (bytes),
// channels, bits per sample and samples per second. Readers are made and owned by a SoundBuffer.
// Constructors throw FileError for a missing or unreadable file; Read never throws.
// The silent reader (SoundFileReaderEMP) stands in for any sound that cannot be read.

#include <cstdint>
#include <memory>
#include <string>

namespace VantoranEngine {

class FileBinary;
class FileManager;
class MemoryManager;
class MessageManager;

class SoundFileReader {
public:
    // Opens "data\" + name (FileManager::GetDataPath) for reading. `pooled`: the file's copy in memory
    // comes from the memory pool's reusable blocks.
    SoundFileReader(MessageManager* messageManager, MemoryManager* memoryManager, FileManager* fileManager,
                    const std::string& name, bool pooled);
    virtual ~SoundFileReader();

    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    virtual void Rewind() = 0;
    // Copies up to `bytes` bytes of PCM data; `read` gets the count copied, `end` whether the data is
    // exhausted. A read of 0 bytes reports 0 and the end.
    virtual void Read(void* buffer, uint32_t bytes, uint32_t& read, bool& end) = 0;

    MessageManager* messageManager;
    MemoryManager* memoryManager;
    FileManager* fileManager;
    std::string name;
    std::string path;
    std::unique_ptr<FileBinary> file; // null in the silent reader
    uint32_t size = 0;          // bytes of PCM data
    uint32_t channels = 0;
    uint32_t bitsPerSample = 0;
    uint32_t samplesPerSecond = 0;

protected:
    // For the silent reader: no file.
    SoundFileReader(MessageManager* messageManager, MemoryManager* memoryManager, FileManager* fileManager);
    // Deletes the file (once).
    void CloseFile();
};

// Eight bytes of 8-bit silence (0x80), mono, 22050 Hz.
class SoundFileReaderEMP : public SoundFileReader {
public:
    SoundFileReaderEMP(MessageManager* messageManager, MemoryManager* memoryManager, FileManager* fileManager);

    void Rewind() override;
    void Read(void* buffer, uint32_t bytes, uint32_t& read, bool& end) override;

    uint32_t readPosition = 0;
};

} // namespace VantoranEngine
