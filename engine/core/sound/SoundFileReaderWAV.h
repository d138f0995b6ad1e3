#pragma once
// RIFF WAVE files holding PCM data: 1 or 2 channels, 8 or 16 bits. Chunks are skipped by exactly their
// size (no pad byte after an odd size: our data never writes one).

#include "engine/core/sound/SoundFileReader.h"

namespace VantoranEngine {

class SoundFileReaderWAV : public SoundFileReader {
public:
    // Parses the header at once; throws FileError "Failed to load "<path>" sound file - ..." with "no RIFF
    // header", "no format chunk" or "no data chunk", or the file's own error for a truncated header.
    SoundFileReaderWAV(MessageManager* messageManager, MemoryManager* memoryManager, FileManager* fileManager,
                       const std::string& name);

    void Rewind() override;
    // A data chunk longer than the file ends at the file's end.
    void Read(void* buffer, uint32_t bytes, uint32_t& read, bool& end) override;

    uint32_t dataStart = 0;
    uint32_t remaining = 0; // data bytes still to read

private:
    [[noreturn]] void Fail(const char* what);
    // Reads chunk headers from offset 12 until `id`; false when a skip would reach the file's end.
    bool FindChunk(const char id[4], uint32_t& chunkSize);
};

} // namespace VantoranEngine
