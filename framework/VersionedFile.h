#pragma once
// VersionedFile: one binary file with the 13-byte header shared by the save files and the level boards
// (u32 total size, five magic characters, u32 version at offset 9; little-endian, no padding), open one
// at a time.
//
// Rules:
// - Paths go to the engine's FileManager as given: "/..." or "X:..." is absolute, anything else lies
//   under the installation folder. The save files pass absolute paths under the user-data folder.
// - Reading checks the header in this order: magic, then the stored size against the real size (both
//   "Incorrect \"<path>\" file format"), then the version ("Incorrect \"<path>\" format version, current
//   is <version>"). Every failure is a `FileError`; the wrapper catches nothing while reading.
// - Writing never destroys the previous file: the engine writes beside it and replaces it only when
//   `Close` has patched the header and flushed everything. A failed write or close throws `FileError`,
//   removes the half-written file and leaves the old one as it was (see `Discard`).
// - The body is read and written through the helpers below (little-endian numbers, the shared binary
//   string encoding). Readers of counts check them against `BytesLeft` before allocating.
// - One object, one thread. The owner closes it in its destructor through `CloseQuietly`, which never
//   throws.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace VantoranEngine {
class FileBinary;
class FileManager;
} // namespace VantoranEngine

namespace GameFramework {

class VersionedFile {
public:
    enum class Mode { Read = 0, Write = 1 };

    static constexpr uint32_t headerSize = 13;
    static constexpr size_t magicLength = 5;

    // `magic` gives its first five characters (shorter texts are padded with NULs).
    VersionedFile(VantoranEngine::FileManager* files, std::string_view magic, uint32_t version);
    virtual ~VersionedFile();

    VersionedFile(const VersionedFile&) = delete;
    VersionedFile& operator=(const VersionedFile&) = delete;

    // Closes any open file first (completing a written one), then opens `path` and writes or checks the
    // header. After a failed read check the file stays open until `Close`.
    void Open(const std::string& path, Mode mode);
    // Completes a written file (size patched, flushed, put in place) and closes it; closes a read file.
    // Nothing open: does nothing. Throws `FileError` when a written file cannot be completed; the old
    // file is then untouched and the wrapper is closed.
    void Close();
    // `Close` for destructors and error paths: false when a written file could not be completed.
    bool CloseQuietly() noexcept;
    // Drops a file being written without touching the old one; closes a read file.
    void Discard() noexcept;

    bool IsOpen() const { return file != nullptr; }
    Mode GetMode() const { return mode; }
    const std::string& GetPath() const { return path; }
    uint32_t GetVersion() const { return version; }
    std::string_view GetMagic() const { return std::string_view(magic, magicLength); }

    // Body helpers; each throws `FileError` on a short read or a failed write.
    uint32_t ReadU32();
    int32_t ReadI32();
    float ReadF32();
    uint8_t ReadU8();
    bool ReadBool() { return ReadU8() != 0; }
    std::u16string ReadWide();
    void WriteU32(uint32_t value);
    void WriteI32(int32_t value);
    void WriteF32(float value);
    void WriteU8(uint8_t value);
    void WriteBool(bool value) { WriteU8(value ? 1 : 0); }
    // At most 254 units; a longer text fails the write.
    void WriteWide(const std::u16string& text);

    // Bytes between the read position and the end of a file open for reading (0 otherwise).
    uint32_t BytesLeft() const;
    // Throws the format error unless `count` records of `recordSize` bytes can still be read.
    void CheckCount(uint32_t count, uint32_t recordSize) const;
    // The format error, "Incorrect \"<path>\" file format", for a body value no file of ours holds.
    [[noreturn]] void ThrowFormatError() const;

    // Tests: every file written from now on fails, as a full disk would, at its first write that would
    // take the bytes written (header, body and the final header patch counted in order) past `bytes`.
    // No value switches the fault off. Set before any thread starts.
    static void InjectWriteFailure(std::optional<uint32_t> bytes);

private:
    void WriteHeader(uint32_t size);
    void Write(const void* source, uint32_t count);
    // The open file when it was opened for reading; throws `FileError` otherwise.
    VantoranEngine::FileBinary& ReadableFile();
    // Throws like a failed write when the injected fault is reached by `count` more bytes.
    void CheckInjectedFault(uint32_t count);
    [[noreturn]] void ThrowWriteError(uint32_t count);

    VantoranEngine::FileManager* files;
    char magic[magicLength] = {};
    uint32_t version = 0;
    std::unique_ptr<VantoranEngine::FileBinary> file;
    Mode mode = Mode::Read;
    std::string path;        // as given to Open, for the messages
    uint32_t bytesWritten = 0; // bytes put out so far, the header patch included (for the injected fault)
};

} // namespace GameFramework
