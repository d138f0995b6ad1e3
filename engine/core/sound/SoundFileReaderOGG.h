#pragma once
// Ogg Vorbis files, decoded through libvorbisfile into signed 16-bit little-endian samples. The decoder
// reads the engine's own file object through callbacks.

#include "engine/core/sound/SoundFileReader.h"

#include <memory>

struct OggVorbis_File;

namespace VantoranEngine {

class SoundFileReaderOGG : public SoundFileReader {
public:
    // `streaming`: the file's memory copy is not taken from the pool's reusable blocks (a stream keeps
    // its reader for its whole life). Throws FileError "Failed to load "<path>" sound file - incorrect
    // format" when the decoder refuses the file.
    SoundFileReaderOGG(MessageManager* messageManager, MemoryManager* memoryManager, FileManager* fileManager,
                       const std::string& name, bool streaming);
    ~SoundFileReaderOGG() override;

    void Rewind() override;
    // The end is reported by the call after the last byte. A damaged file gives up after
    // kMaxDecodeErrors errors in a row: logged once, then the reader delivers nothing for ever.
    void Read(void* buffer, uint32_t bytes, uint32_t& read, bool& end) override;
    void Close();

    static constexpr int kMaxDecodeErrors = 16;

    std::unique_ptr<OggVorbis_File> decoder;
    bool failed = false; // the decoder gave up on damaged data

protected:
    // One decoder call: bytes decoded, 0 at the end, negative for damaged data.
    virtual long Decode(char* buffer, int bytes);
};

} // namespace VantoranEngine
