#include "engine/core/sound/SoundBuffer.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/sound/SoundDecodeQueue.h"
#include "engine/core/sound/SoundFileReader.h"
#include "engine/core/sound/SoundFileReaderOGG.h"
#include "engine/core/sound/SoundFileReaderWAV.h"

#include <cstring>

namespace VantoranEngine {

// One background decode: the reader moves here from the buffer, the samples come back in `data`.
struct SoundBuffer::PendingDecode {
    std::unique_ptr<SoundFileReader> reader;
    std::unique_ptr<uint8_t[]> data; // the buffer's size in bytes
    uint32_t got = 0;
    bool written = false; // the samples are in the (shared) device data
    bool reported = false;
    std::shared_ptr<SoundDecodeQueue::Job> job;

    ~PendingDecode()
    {
        if (job)
            job->Cancel(); // the work uses this object
    }
};

SoundBuffer::SoundBuffer(MessageManager* messageManager, FileManager* fileManager, MemoryManager* memoryManager,
                         const std::string& name)
    : messageManager(messageManager), memoryManager(memoryManager), fileManager(fileManager),
      name(ToLowerCopy(name))
{
}

SoundBuffer::~SoundBuffer() { delete reader; }

void SoundBuffer::Release()
{
    pending.reset();
    delete reader;
    reader = nullptr;
}

void SoundBuffer::OpenReader(SoundBuffer* source)
{
    if (reader)
        return;
    if (source) {
        size = source->size;
        samplesPerSecond = source->samplesPerSecond;
        bitsPerSample = source->bitsPerSample;
        channels = source->channels;
        streamed = false;
        return;
    }
    try {
        if (name.empty()) {
            reader = new SoundFileReaderEMP(messageManager, memoryManager, fileManager);
        } else {
            const std::string extension = FileManager::GetExtension(name);
            if (extension == "wav") {
                reader = new SoundFileReaderWAV(messageManager, memoryManager, fileManager, name);
            } else if (extension == "ogg") {
                reader = new SoundFileReaderOGG(messageManager, memoryManager, fileManager, name, false);
                if (reader->size > kStaticLimit) {
                    // A stream keeps its file for its whole life: not from the pool's reusable blocks.
                    delete reader;
                    reader = nullptr;
                    reader = new SoundFileReaderOGG(messageManager, memoryManager, fileManager, name, true);
                }
            } else {
                messageManager->LogError("Failed to load \"" + name + "\" sound file - unknown type");
                reader = new SoundFileReaderEMP(messageManager, memoryManager, fileManager);
            }
        }
    } catch (const FatalError&) {
        throw;
    } catch (const FileError& error) {
        messageManager->LogError(error.message);
        reader = new SoundFileReaderEMP(messageManager, memoryManager, fileManager);
    }
    size = reader->size;
    samplesPerSecond = reader->samplesPerSecond;
    bitsPerSample = reader->bitsPerSample;
    channels = reader->channels;
    streamed = size > kStaticLimit;
}

void SoundBuffer::Load(SoundBuffer* source)
{
    if (!source)
        pending.reset(); // a reload starts over
    OpenReader(source);
    CreateBuffer(source);
    if (source) {
        pending = source->pending;
        return;
    }
    if (streamed) {
        streamLooped = false;
        streamState = Stopped;
        return;
    }
    if (DecodeInBackground())
        return;
    std::vector<uint8_t> data;
    if (size == 0 || !FillSegment(data, 0, size))
        messageManager->LogError("\"" + name + "\" sound file - incorrect format");
    delete reader;
    reader = nullptr;
}

bool SoundBuffer::FillSegment(std::vector<uint8_t>& target, uint32_t index, uint32_t bytes)
{
    target.resize(bytes);
    uint32_t got = 0;
    bool end = false;
    if (reader && bytes) {
        reader->Read(target.data(), bytes, got, end);
        if (streamed && streamLooped) {
            while (got < bytes) {
                reader->Rewind();
                uint32_t more = 0;
                bool moreEnd = false;
                reader->Read(target.data() + got, bytes - got, more, moreEnd);
                if (more == 0)
                    break;
                got += more;
            }
        }
    }
    if (got < bytes)
        std::memset(target.data() + got, bitsPerSample == 8 ? 0x80 : 0, bytes - got);
    if (!WriteSegment(index, target.data(), bytes))
        return false;
    if (!streamed)
        return got == bytes;
    return !((!streamLooped) && got == 0 && end);
}

bool SoundBuffer::DecodeInBackground()
{
    // Ogg is the format whose decoding costs time; anything else is read in place.
    if (size == 0 || !dynamic_cast<SoundFileReaderOGG*>(reader))
        return false;
    auto decode = std::make_shared<PendingDecode>();
    decode->reader.reset(reader);
    reader = nullptr;
    const uint32_t bytes = size;
    // Made here, not on a worker: the samples' block then comes from the main thread's own heap, where it
    // goes back when the samples are written, instead of staying with a worker's allocator. Not zeroed: the
    // decode writes it (the rest is filled with silence when the samples are written).
    decode->data = std::make_unique_for_overwrite<uint8_t[]>(bytes);
    PendingDecode* target = decode.get();
    decode->job = SoundDecodeQueue::Submit([target, bytes] {
        bool end = false;
        target->reader->Read(target->data.get(), bytes, target->got, end);
        target->reader.reset(); // its file's memory goes back to the pool now
    });
    pending = std::move(decode);
    return true;
}

void SoundBuffer::FinishLoad()
{
    if (!pending)
        return;
    const std::shared_ptr<PendingDecode> decode = std::move(pending);
    decode->job->Finish();
    bool written = true;
    // The first holder with device data writes the samples, for its duplicates too (they share that data).
    if (!decode->written && HoldsDeviceData()) {
        uint8_t* data = decode->data.get();
        if (decode->got < size)
            std::memset(data + decode->got, bitsPerSample == 8 ? 0x80 : 0, size - decode->got);
        written = WriteSegment(0, data, size);
        decode->written = true;
        decode->data.reset();
    }
    if ((!written || decode->got != size) && !decode->reported) {
        decode->reported = true;
        messageManager->LogError("\"" + name + "\" sound file - incorrect format");
    }
}

void SoundBuffer::Update()
{
    if (pending && pending->job->Done())
        FinishLoad();
    if (!streamed || streamState != Playing)
        return;
    std::vector<uint32_t> list;
    UnqueueProcessedBuffers(&list);
    for (uint32_t index : list)
        if (FillSegment(scratch, index, kSegmentBytes))
            QueueSegment(index);
}

} // namespace VantoranEngine
