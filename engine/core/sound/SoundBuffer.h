#pragma once
// The sample data of one sound file on the device. At most kStaticLimit bytes go into a static device
// buffer in one piece; more is streamed through a looping device buffer of kSegmentCount segments that are
// refilled from the file reader while playback moves on. Made and deleted by the SoundBufferManager;
// main thread only. A buffer whose device data could not be made is silent and every write to it succeeds.
//
// A static Ogg file is decoded off the main thread (SoundDecodeQueue): Load returns once the reader knows
// the format and the device buffer exists, and the samples reach the device buffer on the main thread, at
// the first Update after the decode ended or when the data is needed (FinishLoad: before playing, a lost
// buffer's reload or a release), whichever comes first. Duplicates share the pending decode with their
// source. A decode that failed is logged ("incorrect format") when its samples reach the device.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {

class FileManager;
class MemoryManager;
class MessageManager;
class SoundFileReader;

class SoundBuffer {
public:
    static constexpr uint32_t kSegmentBytes = 0x6000;
    static constexpr uint32_t kSegmentCount = 32;
    static constexpr uint32_t kStreamBytes = kSegmentBytes * kSegmentCount; // 0xC0000
    static constexpr uint32_t kStaticLimit = kStreamBytes;                  // larger data is streamed

    enum StreamState : int32_t { Stopped = 0, Paused = 1, Playing = 2 };

    SoundBuffer(MessageManager* messageManager, FileManager* fileManager, MemoryManager* memoryManager,
                const std::string& name);
    virtual ~SoundBuffer();

    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    // Per frame: refills the segments playback has finished with (streams in state Playing only).
    virtual void Update();
    // Deletes the reader.
    virtual void Release();
    // Reader, device buffer and, for a static buffer, its data. With a source the device data is shared.
    virtual void Load(SoundBuffer* source);
    virtual void CreateBuffer(SoundBuffer* source) = 0;
    virtual void ReleaseBuffer() = 0;
    // Copies `bytes` bytes to segment `index` (offset index x kSegmentBytes, wrapping); false on failure.
    virtual bool WriteSegment(uint32_t index, const uint8_t* data, uint32_t bytes) = 0;
    virtual void QueueSegment(uint32_t index) = 0;
    // Fills `list` (when given) with the segments playback has finished with since the last call.
    virtual void UnqueueProcessedBuffers(std::vector<uint32_t>* list) = 0;

    // Puts the samples of a background decode into the device buffer, waiting for the decode (or doing it
    // here if it has not begun). Nothing to do for a buffer loaded in full.
    void FinishLoad();
    // True while a background decode has not reached this buffer's device data.
    bool LoadPending() const { return pending != nullptr; }
    // Whether a write reaches device data that playback reads (a buffer without any is silent).
    virtual bool HoldsDeviceData() const { return true; }

    // Chooses and opens the reader from the name, or copies the format of `source`.
    void OpenReader(SoundBuffer* source);
    // Reads `bytes` bytes into segment `index`, silence after the data's end (looping streams start over).
    // Static: true when all bytes came from the file. Streamed: false only when a non-looping stream has
    // nothing left.
    bool FillSegment(std::vector<uint8_t>& scratch, uint32_t index, uint32_t bytes);

    MessageManager* messageManager;
    MemoryManager* memoryManager;
    FileManager* fileManager;
    std::string name; // lower case
    uint32_t size = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t bitsPerSample = 0;
    uint32_t channels = 0;
    bool streamed = false;
    bool streamLooped = false;
    SoundFileReader* reader = nullptr; // owned; kept only by streams
    std::vector<uint8_t> scratch;
    int32_t streamState = Stopped;

private:
    struct PendingDecode;
    // Starts the background decode of a static Ogg file; false when the file is loaded in place instead.
    bool DecodeInBackground();
    std::shared_ptr<PendingDecode> pending; // shared with duplicates made before it arrived
};

} // namespace VantoranEngine
