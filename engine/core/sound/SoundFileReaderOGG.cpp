#include "engine/core/sound/SoundFileReaderOGG.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileBinary.h"

#include <vorbis/vorbisfile.h>

#include <climits>
#include <cstdio>

namespace VantoranEngine {

namespace {

size_t ReadCallback(void* destination, size_t size, size_t count, void* source)
{
    uint32_t read = 0;
    const size_t bytes = size * count;
    static_cast<FileBinary*>(source)->Read(bytes > UINT32_MAX ? UINT32_MAX : uint32_t(bytes), destination, &read);
    return read;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence)
{
    auto* file = static_cast<FileBinary*>(source);
    const auto low = static_cast<int32_t>(static_cast<uint32_t>(offset)); // only the low 32 bits are used
    switch (whence) {
    case SEEK_SET:
        file->Seek(low, 0);
        return 0;
    case SEEK_CUR:
        file->Seek(low, 2);
        return 0;
    case SEEK_END:
        file->Seek(low, 1); // back from the end: the decoder only ever passes 0
        return 0;
    default:
        return -1;
    }
}

int CloseCallback(void*) { return 0; } // the reader deletes its file itself

long TellCallback(void* source) { return static_cast<long>(static_cast<FileBinary*>(source)->position); }

} // namespace

SoundFileReaderOGG::SoundFileReaderOGG(MessageManager* messageManager, MemoryManager* memoryManager,
                                       FileManager* fileManager, const std::string& name, bool streaming)
    : SoundFileReader(messageManager, memoryManager, fileManager, name, !streaming)
{
    bitsPerSample = 16;
    try {
        decoder = std::make_unique<OggVorbis_File>();
        const ov_callbacks callbacks{ReadCallback, SeekCallback, CloseCallback, TellCallback};
        if (ov_open_callbacks(file.get(), decoder.get(), nullptr, 0, callbacks) < 0) {
            decoder.reset(); // nothing to clear after a failed open
            throw FileError("Failed to load \"" + path + "\" sound file - incorrect format");
        }
        const vorbis_info* info = ov_info(decoder.get(), -1);
        const ogg_int64_t total = ov_pcm_total(decoder.get(), -1);
        if (!info || total == OV_EINVAL || total < 0)
            throw FileError("Failed to load \"" + path + "\" sound file - incorrect format");
        samplesPerSecond = static_cast<uint32_t>(info->rate);
        channels = static_cast<uint32_t>(info->channels);
        size = static_cast<uint32_t>(total * channels * 2);
    } catch (...) {
        Close();
        CloseFile();
        throw;
    }
}

SoundFileReaderOGG::~SoundFileReaderOGG() { Close(); }

void SoundFileReaderOGG::Close()
{
    if (decoder)
        ov_clear(decoder.get());
    decoder.reset();
}

void SoundFileReaderOGG::Rewind()
{
    if (decoder && !failed)
        ov_pcm_seek(decoder.get(), 0);
}

long SoundFileReaderOGG::Decode(char* buffer, int bytes)
{
    int bitstream = 0;
    return ov_read(decoder.get(), buffer, bytes, 0, 2, 1, &bitstream);
}

void SoundFileReaderOGG::Read(void* buffer, uint32_t bytes, uint32_t& read, bool& end)
{
    read = 0;
    end = bytes == 0 || failed || !decoder;
    int errorsInARow = 0;
    while (!end && read < bytes) {
        const uint32_t missing = bytes - read;
        const long result = Decode(static_cast<char*>(buffer) + read, missing > INT_MAX ? INT_MAX : int(missing));
        if (result > 0) {
            read += static_cast<uint32_t>(result);
            errorsInARow = 0;
        } else if (result == 0) {
            end = true;
        } else if (++errorsInARow >= kMaxDecodeErrors) {
            failed = true;
            end = true;
            messageManager->LogError("Failed to load \"" + path + "\" sound file - incorrect format");
        }
    }
}

} // namespace VantoranEngine
