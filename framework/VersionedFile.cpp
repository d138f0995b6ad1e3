#include "framework/VersionedFile.h"

#include "engine/core/Error.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileManager.h"

#include <cstring>

using VantoranEngine::FileError;

namespace GameFramework {

namespace {

std::optional<uint32_t> g_writeFailureAt; // tests only: see InjectWriteFailure

void PutU32(uint8_t* out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

VersionedFile::VersionedFile(VantoranEngine::FileManager* files_, std::string_view magic_, uint32_t version_)
    : files(files_), version(version_)
{
    std::memcpy(magic, magic_.data(), magic_.size() < magicLength ? magic_.size() : magicLength);
}

VersionedFile::~VersionedFile()
{
    CloseQuietly();
}

void VersionedFile::InjectWriteFailure(std::optional<uint32_t> bytes)
{
    g_writeFailureAt = bytes;
}

void VersionedFile::Open(const std::string& path_, Mode mode_)
{
    Close();
    mode = mode_;
    path = path_;
    bytesWritten = 0;
    file = files->OpenBinary(path, mode == Mode::Write);
    if (mode == Mode::Write) {
        WriteHeader(file->size);
        return;
    }

    const uint32_t storedSize = file->ReadU32();
    char storedMagic[magicLength];
    file->Read(magicLength, storedMagic);
    const uint32_t storedVersion = file->ReadU32();
    if (std::memcmp(storedMagic, magic, magicLength) != 0 || storedSize != file->size)
        ThrowFormatError();
    if (storedVersion != version)
        throw FileError("Incorrect \"" + path + "\" format version, current is " + std::to_string(version));
}

void VersionedFile::Close()
{
    if (!file)
        return;
    if (mode == Mode::Read) {
        file.reset();
        return;
    }
    // The body is written front to back, so the largest position reached is the file's length.
    const uint32_t size = file->size;
    file->Seek(0, 0);
    WriteHeader(size);
    try {
        file->Close();
    } catch (...) {
        file.reset(); // the engine has already removed the new file and kept the old one
        throw;
    }
    file.reset();
}

bool VersionedFile::CloseQuietly() noexcept
{
    try {
        Close();
        return true;
    } catch (...) {
        Discard();
        return false;
    }
}

void VersionedFile::Discard() noexcept
{
    if (!file)
        return;
    if (mode == Mode::Write)
        file->Discard();
    file.reset();
}

void VersionedFile::WriteHeader(uint32_t size)
{
    uint8_t header[headerSize];
    PutU32(header, size);
    std::memcpy(header + 4, magic, magicLength);
    PutU32(header + 9, version);
    Write(header, headerSize);
}

void VersionedFile::CheckInjectedFault(uint32_t count)
{
    if (g_writeFailureAt && static_cast<uint64_t>(bytesWritten) + count > *g_writeFailureAt)
        ThrowWriteError(count);
}

void VersionedFile::ThrowWriteError(uint32_t count)
{
    Discard();
    throw FileError("Failed to write " + std::to_string(count) + " bytes from \"" + path + "\" file");
}

void VersionedFile::ThrowFormatError() const
{
    throw FileError("Incorrect \"" + path + "\" file format");
}

void VersionedFile::Write(const void* source, uint32_t count)
{
    if (!file || mode != Mode::Write)
        ThrowWriteError(count);
    CheckInjectedFault(count);
    try {
        file->Write(source, count);
    } catch (...) {
        Discard();
        throw;
    }
    bytesWritten += count;
}

VantoranEngine::FileBinary& VersionedFile::ReadableFile()
{
    if (!file || mode != Mode::Read)
        throw FileError("Failed to read from \"" + path + "\" file");
    return *file;
}

uint32_t VersionedFile::ReadU32()
{
    return ReadableFile().ReadU32();
}

int32_t VersionedFile::ReadI32()
{
    return static_cast<int32_t>(ReadU32());
}

float VersionedFile::ReadF32()
{
    return ReadableFile().ReadF32();
}

uint8_t VersionedFile::ReadU8()
{
    return ReadableFile().ReadU8();
}

std::u16string VersionedFile::ReadWide()
{
    std::u16string text;
    ReadableFile().ReadWideString(text);
    return text;
}

void VersionedFile::WriteU32(uint32_t value)
{
    uint8_t bytes[4];
    PutU32(bytes, value);
    Write(bytes, 4);
}

void VersionedFile::WriteI32(int32_t value)
{
    WriteU32(static_cast<uint32_t>(value));
}

void VersionedFile::WriteF32(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    WriteU32(bits);
}

void VersionedFile::WriteU8(uint8_t value)
{
    Write(&value, 1);
}

void VersionedFile::WriteWide(const std::u16string& text)
{
    const uint32_t count = 1 + 2 * static_cast<uint32_t>(text.size() + 1);
    if (!file || mode != Mode::Write || text.size() > VantoranEngine::FileBinary::maxStringLength)
        ThrowWriteError(count);
    CheckInjectedFault(count);
    try {
        file->WriteWideString(text);
    } catch (...) {
        Discard();
        throw;
    }
    bytesWritten += count;
}

uint32_t VersionedFile::BytesLeft() const
{
    if (!file || mode != Mode::Read)
        return 0;
    return file->size - file->position;
}

void VersionedFile::CheckCount(uint32_t count, uint32_t recordSize) const
{
    if (static_cast<uint64_t>(count) * recordSize > BytesLeft())
        ThrowFormatError();
}

} // namespace GameFramework
