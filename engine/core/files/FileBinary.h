#pragma once
// FileBinary: the engine's byte-level file object, and the binary string encoding every engine format
// and save file shares.
//
// Rules:
// - Names: a name that is absolute (a leading '/' or "X:") is used as it is; any other name is taken
//   under the program's folder. Backslashes and any case are accepted; the platform resolves the rest.
// - Reading: a file of at most 8 MiB (or any file with `wholeIntoMemory`) is read whole into a block of
//   the memory pool and served from memory; a larger one stays open as a stream. A file can also be
//   built over a copy of bytes the caller holds (pack members).
// - Writing never destroys the previous file: bytes go to a temporary file in the same folder, which
//   replaces the target only once everything was written and flushed. `Close` does that and throws
//   `FileError` when it fails (the old file is then untouched); the destructor does it too, silently,
//   unless a write failed or an exception is unwinding, in which case the old file stays.
// - Numbers are stored as their raw 4 bytes, little-endian. A binary string is one count byte (the
//   characters including the terminating NUL, so at most 254 characters), then the characters: one
//   byte each for narrow text, two bytes little-endian each for wide (UTF-16) text.
// - Every failure throws `FileError` with the file's name as given. One object, one thread.

#include "engine/core/MemoryManager.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace VantoranEngine {

class FileBinary {
public:
    // Files up to this size are read whole into memory.
    static constexpr uint32_t wholeReadLimit = 8 * 1024 * 1024;
    // The longest text a binary string can hold.
    static constexpr size_t maxStringLength = 254;

    // `pooled` picks a pool block (true) or a separate block for the content; a file built from memory
    // always takes a pool block. `data` and `dataSize` are used only with `fromMemory`.
    FileBinary(MemoryManager* memoryManager, const std::string& name, bool writing, bool wholeIntoMemory,
               bool pooled, bool fromMemory = false, const void* data = nullptr, uint32_t dataSize = 0);
    virtual ~FileBinary();

    FileBinary(const FileBinary&) = delete;
    FileBinary& operator=(const FileBinary&) = delete;

    // Copies up to `count` bytes from `position`. With `countRead` a short read is normal and the number
    // copied is stored there; without it a short read throws after copying what there was.
    void Read(uint32_t count, void* destination, uint32_t* countRead = nullptr);
    // Throws when fewer than `count` bytes could be written.
    void Write(const void* source, uint32_t count);

    // origin 0: from the start; 1: `offset` bytes back from the end; 2: from the current position.
    // False when the position had to be clamped to 0..size.
    bool Seek(int32_t offset, int origin);

    // Little-endian numbers, the one reader every binary format shares; a short read throws.
    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    float ReadF32();

    // A truncated string throws; a count of 0 gives an empty text.
    void ReadString(std::string& out);
    void ReadWideString(std::u16string& out);
    // Throws for a text longer than maxStringLength units.
    void WriteWideString(const std::u16string& text);

    // Ends the file. For a file being written this flushes it and puts it in place of the old file,
    // throwing `FileError` on failure (the old file is then left as it was). Later calls do nothing.
    void Close();
    // Ends a file being written without putting it in place: the temporary file is removed and the old
    // file stays as it was. For callers whose own checks failed half-way; later calls do nothing.
    void Discard() noexcept;

    // Tests: the write step numbered `step` from now on (0 first) fails as a full disk would. Every file
    // being written counts its steps in one sequence: each Write (a FileTextual buffer flush is one), the
    // flush to the disk, and the replacement of the old file. No value switches the fault off; the count
    // restarts at every call. Any thread.
    static void InjectWriteFault(std::optional<uint32_t> step);
    // Write steps taken since the last InjectWriteFault.
    static uint32_t WriteStepsTaken();

    const std::string& GetName() const { return name; }
    bool IsWriting() const { return writing; }

    // Read directly by users (the sound readers report `position`); change them only through the calls.
    uint32_t size = 0;     // bytes of content; for writing the largest position reached
    uint32_t position = 0; // offset of the next byte read or written

private:
    [[noreturn]] void ThrowReadError(uint64_t count) const;
    [[noreturn]] void ThrowWriteError(uint64_t count) const;
    void DiscardTemporary() noexcept;
    void CommitWrite();

    MemoryManager* memoryManager;
    std::string name;
    FILE* stream = nullptr;
    MemoryBlock block; // the content while it is held in memory

    bool writing = false;
    bool writeFailed = false;       // a write went wrong: the temporary file must never replace the target
    int exceptionsAtOpen = 0;       // uncaught exceptions when opened, to tell unwinding from a plain end
    std::string targetPath;         // native path of the file being written
    std::string temporaryPath;      // native path of its temporary stand-in until it is committed
};

} // namespace VantoranEngine
