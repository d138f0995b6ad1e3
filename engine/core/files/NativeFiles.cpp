#include "engine/core/files/NativeFiles.h"

#include "platform/os/Path.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace VantoranEngine::NativeFiles {

uint64_t Length(FILE* stream)
{
    struct stat status;
    if (::fstat(::fileno(stream), &status) != 0 || !S_ISREG(status.st_mode))
        return UINT64_MAX; // a folder or a device is no file to read
    if (fseeko(stream, 0, SEEK_END) != 0)
        return 0;
    const off_t length = ftello(stream);
    fseeko(stream, 0, SEEK_SET);
    return length < 0 ? 0 : static_cast<uint64_t>(length);
}

void SeekTo(FILE* stream, uint32_t position)
{
    fseeko(stream, static_cast<off_t>(position), SEEK_SET);
}

FILE* CreateTemporary(const std::string& nativeTarget, std::string& temporaryPath)
{
    static std::atomic<unsigned> serial{0};
    mode_t mode = 0666; // narrowed by the umask
    struct stat existing;
    if (::stat(nativeTarget.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        mode = existing.st_mode & 07777;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            nativeTarget + ".~" + std::to_string(::getpid()) + "-" + std::to_string(serial++) + ".tmp";
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return nullptr;
        }
        FILE* stream = ::fdopen(fd, "wb");
        if (!stream) {
            ::close(fd);
            ::unlink(candidate.c_str());
            return nullptr;
        }
        temporaryPath = candidate;
        return stream;
    }
    return nullptr;
}

bool FlushAndClose(FILE* stream)
{
    bool ok = std::fflush(stream) == 0 && !std::ferror(stream);
    ok = ::fsync(::fileno(stream)) == 0 && ok;
    ok = std::fclose(stream) == 0 && ok;
    return ok;
}

bool ReplaceFile(const std::string& nativeTemporary, const std::string& nativeTarget)
{
    struct stat existing;
    // rename() would happily replace an empty folder; a save never should.
    if (::lstat(nativeTarget.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
        return false;
    return std::rename(nativeTemporary.c_str(), nativeTarget.c_str()) == 0;
}

void RemoveFile(const std::string& nativePath) noexcept
{
    ::unlink(nativePath.c_str());
}

bool Exists(const std::string& name)
{
    return Platform::FileExists(name) || Platform::DirectoryExists(name);
}

bool RemoveTree(const std::string& name)
{
    if (Platform::DirectoryExists(name))
        return Platform::DeleteDirectory(name);
    return Platform::DeleteFile(name);
}

} // namespace VantoranEngine::NativeFiles
