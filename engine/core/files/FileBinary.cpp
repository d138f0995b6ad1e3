#include "engine/core/files/FileBinary.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/NativeFiles.h"
#include "platform/os/Path.h"

#include <atomic>
#include <bit>
#include <cstring>
#include <exception>
#include <limits>

namespace VantoranEngine {

namespace {

// Tests only (see InjectWriteFault); the fault is off while faultStep is negative.
std::atomic<int64_t> faultStep{-1};
std::atomic<uint32_t> stepsTaken{0};

// Counts one write step; true when it is the one that must fail.
bool TakeWriteStep()
{
    const uint32_t step = stepsTaken++;
    return faultStep.load() == static_cast<int64_t>(step);
}

std::string ResolveName(const std::string& name)
{
    if (Platform::IsAbsolutePath(name))
        return name;
    return GetApplicationDirectory() + "\\" + name;
}

} // namespace

FileBinary::FileBinary(MemoryManager* memoryManager_, const std::string& name_, bool writing_,
                       bool wholeIntoMemory, bool pooled, bool fromMemory, const void* data, uint32_t dataSize)
    : memoryManager(memoryManager_), name(name_), writing(writing_)
{
    if (writing) {
        targetPath = Platform::ToNativePath(ResolveName(name));
        stream = NativeFiles::CreateTemporary(targetPath, temporaryPath);
        if (!stream)
            throw FileError("Failed to open \"" + name + "\" file");
        exceptionsAtOpen = std::uncaught_exceptions();
        return;
    }

    if (fromMemory) {
        if (dataSize > 0) {
            block = MemoryBlock(memoryManager, dataSize, true);
            std::memcpy(block.Get(), data, dataSize);
        }
        size = dataSize;
        return;
    }

    stream = Platform::OpenFile(ResolveName(name), "rb");
    if (!stream)
        throw FileError("Failed to open \"" + name + "\" file");
    const uint64_t length = NativeFiles::Length(stream);
    if (length > std::numeric_limits<uint32_t>::max()) {
        std::fclose(stream);
        stream = nullptr;
        throw FileError("Failed to open \"" + name + "\" file");
    }
    size = static_cast<uint32_t>(length);

    if (wholeIntoMemory || size <= wholeReadLimit) {
        if (size > 0) {
            try {
                block = MemoryBlock(memoryManager, size, pooled);
            } catch (...) {
                std::fclose(stream);
                stream = nullptr;
                throw;
            }
            // The file may have shrunk since it was measured: whatever was not read is an error.
            const size_t got = std::fread(block.Get(), 1, size, stream);
            if (got != size) {
                std::fclose(stream);
                stream = nullptr;
                block.Reset();
                ThrowReadError(size);
            }
        }
        std::fclose(stream);
        stream = nullptr;
    }
}

FileBinary::~FileBinary()
{
    if (writing && stream) {
        // A plain end commits what was written, as an explicit Close would; an end while an exception
        // unwinds, or after a failed write, keeps the old file.
        if (!writeFailed && std::uncaught_exceptions() <= exceptionsAtOpen) {
            try {
                CommitWrite();
            } catch (...) {
            }
        }
        DiscardTemporary();
    }
    if (stream)
        std::fclose(stream);
}

void FileBinary::Close()
{
    if (writing) {
        if (!stream)
            return;
        if (writeFailed) {
            DiscardTemporary();
            ThrowWriteError(size);
        }
        CommitWrite();
        return;
    }
    if (stream) {
        std::fclose(stream);
        stream = nullptr;
    }
    block.Reset();
    size = 0;
    position = 0;
}

void FileBinary::Discard() noexcept
{
    if (!writing)
        return;
    writeFailed = true;
    DiscardTemporary();
}

void FileBinary::InjectWriteFault(std::optional<uint32_t> step)
{
    stepsTaken = 0;
    faultStep = step ? static_cast<int64_t>(*step) : -1;
}

uint32_t FileBinary::WriteStepsTaken()
{
    return stepsTaken;
}

void FileBinary::CommitWrite()
{
    FILE* file = stream;
    stream = nullptr;
    const bool flushFault = TakeWriteStep();
    const bool written = NativeFiles::FlushAndClose(file) && !flushFault;
    if (!written || TakeWriteStep() || !NativeFiles::ReplaceFile(temporaryPath, targetPath)) {
        writeFailed = true;
        NativeFiles::RemoveFile(temporaryPath);
        temporaryPath.clear();
        ThrowWriteError(size);
    }
    temporaryPath.clear();
}

void FileBinary::DiscardTemporary() noexcept
{
    if (stream) {
        std::fclose(stream);
        stream = nullptr;
    }
    if (!temporaryPath.empty()) {
        NativeFiles::RemoveFile(temporaryPath);
        temporaryPath.clear();
    }
}

void FileBinary::ThrowReadError(uint64_t count) const
{
    throw FileError("Failed to read " + std::to_string(count) + " bytes from \"" + name + "\" file");
}

void FileBinary::ThrowWriteError(uint64_t count) const
{
    throw FileError("Failed to write " + std::to_string(count) + " bytes from \"" + name + "\" file");
}

void FileBinary::Read(uint32_t count, void* destination, uint32_t* countRead)
{
    if (count == 0) {
        if (countRead)
            *countRead = 0;
        return;
    }
    if (writing)
        ThrowReadError(count);

    // Compared as a remainder so that a huge count cannot wrap past the end.
    const uint32_t available = size - position;
    uint32_t n = count > available ? available : count;
    if (n > 0) {
        if (stream) {
            const size_t got = std::fread(destination, 1, n, stream);
            n = static_cast<uint32_t>(got);
        } else {
            std::memcpy(destination, block.Get() + position, n);
        }
    }
    position += n;

    if (countRead) {
        *countRead = n;
        return;
    }
    if (n < count)
        ThrowReadError(count);
}

void FileBinary::Write(const void* source, uint32_t count)
{
    if (count == 0)
        return;
    if (!writing || !stream || count > std::numeric_limits<uint32_t>::max() - position) {
        writeFailed = writing;
        ThrowWriteError(count);
    }
    if (TakeWriteStep()) {
        writeFailed = true;
        ThrowWriteError(count);
    }
    const size_t written = std::fwrite(source, 1, count, stream);
    position += static_cast<uint32_t>(written);
    if (position > size)
        size = position;
    if (written < count) {
        writeFailed = true;
        ThrowWriteError(count);
    }
}

bool FileBinary::Seek(int32_t offset, int origin)
{
    bool result = true;
    int64_t target = position;
    switch (origin) {
    case 0:
        // An offset is taken as unsigned from the start, so archives past 2 GiB stay reachable.
        target = static_cast<uint32_t>(offset);
        break;
    case 1:
        if (offset > static_cast<int64_t>(size)) {
            target = 0;
            result = false;
        } else {
            target = static_cast<int64_t>(size) - offset;
        }
        break;
    case 2:
        target = static_cast<int64_t>(position) + offset;
        break;
    default:
        break;
    }
    // A position before the start counts as beyond the end.
    if (target < 0 || target > static_cast<int64_t>(size)) {
        target = size;
        result = false;
    }
    position = static_cast<uint32_t>(target);
    if (stream)
        NativeFiles::SeekTo(stream, position);
    return result;
}

uint8_t FileBinary::ReadU8()
{
    uint8_t value = 0;
    Read(1, &value);
    return value;
}

uint16_t FileBinary::ReadU16()
{
    uint8_t b[2];
    Read(2, b);
    return static_cast<uint16_t>(b[0] | b[1] << 8);
}

uint32_t FileBinary::ReadU32()
{
    uint8_t b[4];
    Read(4, b);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
           static_cast<uint32_t>(b[3]) << 24;
}

float FileBinary::ReadF32()
{
    return std::bit_cast<float>(ReadU32());
}

void FileBinary::ReadString(std::string& out)
{
    uint8_t count = 0;
    Read(1, &count);
    char buffer[256] = {};
    Read(count, buffer);
    out.assign(buffer, strnlen(buffer, count));
}

void FileBinary::ReadWideString(std::u16string& out)
{
    uint8_t count = 0;
    Read(1, &count);
    uint8_t bytes[512] = {};
    Read(2u * count, bytes);
    out.clear();
    for (unsigned i = 0; i < count; ++i) {
        const char16_t unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (unit == 0)
            break;
        out.push_back(unit);
    }
}

void FileBinary::WriteWideString(const std::u16string& text)
{
    if (text.size() > maxStringLength) {
        writeFailed = writing;
        ThrowWriteError(1 + 2 * (text.size() + 1));
    }
    const uint8_t count = static_cast<uint8_t>(text.size() + 1);
    uint8_t units[2 * 256];
    for (size_t i = 0; i < count; ++i) {
        const char16_t unit = i < text.size() ? text[i] : u'\0';
        units[2 * i] = static_cast<uint8_t>(unit & 0xFF);
        units[2 * i + 1] = static_cast<uint8_t>(unit >> 8);
    }
    Write(&count, 1);
    Write(units, 2u * count);
}

} // namespace VantoranEngine
