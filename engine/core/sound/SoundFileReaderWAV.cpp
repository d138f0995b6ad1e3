#include "engine/core/sound/SoundFileReaderWAV.h"

#include "engine/core/Error.h"
#include "engine/core/files/FileBinary.h"

#include <algorithm>
#include <cstring>

namespace VantoranEngine {

namespace {

uint32_t ReadU32(FileBinary* file)
{
    uint8_t b[4];
    file->Read(4, b, nullptr);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

uint16_t ReadU16(FileBinary* file)
{
    uint8_t b[2];
    file->Read(2, b, nullptr);
    return uint16_t(b[0] | b[1] << 8);
}

void ReadId(FileBinary* file, char id[4]) { file->Read(4, id, nullptr); }

} // namespace

SoundFileReaderWAV::SoundFileReaderWAV(MessageManager* messageManager, MemoryManager* memoryManager,
                                       FileManager* fileManager, const std::string& name)
    : SoundFileReader(messageManager, memoryManager, fileManager, name, true)
{
    try {
        char id[4], form[4];
        ReadId(file.get(), id);
        const uint32_t riffSize = ReadU32(file.get());
        ReadId(file.get(), form);
        if (std::memcmp(id, "RIFF", 4) != 0 || riffSize == 0 || std::memcmp(form, "WAVE", 4) != 0)
            Fail("no RIFF header");

        uint32_t chunkSize = 0;
        for (;;) {
            if (!FindChunk("fmt ", chunkSize))
                Fail("no format chunk");
            if (chunkSize >= 16)
                break;
            // A format chunk too short to use is skipped like any other.
            if (uint64_t(file->position) + chunkSize >= file->size)
                Fail("no format chunk");
            file->Seek(static_cast<int32_t>(chunkSize), 2);
        }
        const uint16_t tag = ReadU16(file.get());
        channels = ReadU16(file.get());
        samplesPerSecond = ReadU32(file.get());
        ReadU32(file.get()); // bytes per second
        ReadU16(file.get()); // block alignment
        bitsPerSample = ReadU16(file.get());
        if (tag != 1 || channels > 2 || (bitsPerSample != 8 && bitsPerSample != 16))
            Fail("no format chunk");

        file->Seek(12, 0);
        if (!FindChunk("data", chunkSize))
            Fail("no data chunk");
        size = chunkSize;
        dataStart = file->position;
        remaining = size;
    } catch (...) {
        CloseFile();
        throw;
    }
}

bool SoundFileReaderWAV::FindChunk(const char wanted[4], uint32_t& chunkSize)
{
    // Resumes from the current position, which is 12 or just after a skipped short format chunk.
    if (file->position < 12)
        file->Seek(12, 0);
    for (;;) {
        char id[4];
        ReadId(file.get(), id);
        chunkSize = ReadU32(file.get());
        if (std::memcmp(id, wanted, 4) == 0)
            return true;
        // 64-bit: a size near 2^32 must not wrap the test and loop on the same header.
        if (uint64_t(file->position) + chunkSize >= file->size)
            return false;
        file->Seek(static_cast<int32_t>(chunkSize), 2);
    }
}

void SoundFileReaderWAV::Fail(const char* what)
{
    throw FileError("Failed to load \"" + path + "\" sound file - " + what);
}

void SoundFileReaderWAV::Rewind()
{
    remaining = size;
    file->Seek(static_cast<int32_t>(dataStart), 0);
}

void SoundFileReaderWAV::Read(void* buffer, uint32_t bytes, uint32_t& read, bool& end)
{
    const uint32_t wanted = std::min(bytes, remaining);
    remaining -= wanted;
    read = 0;
    if (wanted)
        file->Read(wanted, buffer, &read);
    if (read < wanted)
        remaining = 0;
    end = remaining == 0 || bytes == 0;
}

} // namespace VantoranEngine
