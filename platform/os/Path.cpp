#include "platform/os/Path.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <system_error>

namespace Platform {

namespace {

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool LExists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// The first entry of `folder` equal to `component` without case, in sorted order so the choice is
// stable when several differ only in case. Empty when none.
std::string FindNoCase(const std::string& folder, std::string_view component)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return {};
    std::string best;
    while (dirent* entry = ::readdir(dir)) {
        std::string_view name(entry->d_name);
        if (EqualNoCase(name, component) && (best.empty() || name < best))
            best = name;
    }
    ::closedir(dir);
    return best;
}

std::mutex g_overrideMutex;
std::string g_moduleOverride;
std::set<std::string> g_userDataRoots; // native folders handed out by GetUserDataDirectory

std::string GetEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string XdgFolder(const char* variable, const char* fallbackUnderHome)
{
    std::string base = GetEnv(variable);
    if (base.empty() || base[0] != '/') {
        const std::string home = GetEnv("HOME");
        if (home.empty())
            return {};
        base = home + fallbackUnderHome;
    }
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base;
}

std::string Canonical(const std::string& native)
{
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(native, ec);
    if (ec)
        p = std::filesystem::path(native).lexically_normal();
    std::string s = p.string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

// True when `path` is `protectedPath` or one of its parents.
bool IsSelfOrParent(const std::string& path, const std::string& protectedPath)
{
    if (protectedPath.empty())
        return false;
    if (path == protectedPath)
        return true;
    const std::string prefix = path == "/" ? path : path + "/";
    return protectedPath.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

bool IsAbsolutePath(std::string_view name)
{
    return (!name.empty() && name[0] == '/') || (name.size() >= 2 && name[1] == ':');
}

std::string ToNativePath(std::string_view name)
{
    if (name.empty())
        return {};
    bool absolute = false;
    if (name.size() >= 2 && name[1] == ':') {
        name.remove_prefix(2);
        absolute = true;
    }
    if (!name.empty() && IsSeparator(name[0]))
        absolute = true;

    std::string result = absolute ? "/" : "";
    bool resolving = true; // false once a component is missing: the rest cannot exist either
    size_t pos = 0;
    while (pos < name.size()) {
        while (pos < name.size() && IsSeparator(name[pos]))
            ++pos;
        size_t end = pos;
        while (end < name.size() && !IsSeparator(name[end]))
            ++end;
        if (end == pos)
            break;
        std::string_view component = name.substr(pos, end - pos);
        pos = end;

        std::string next = result;
        if (!next.empty() && next.back() != '/')
            next += '/';
        const size_t parentLength = next.size();
        next += component;
        if (resolving && component != "." && component != ".." && !LExists(next)) {
            std::string parent = result.empty() ? std::string(".") : result;
            std::string match = FindNoCase(parent, component);
            if (match.empty()) {
                resolving = false;
            } else {
                next.resize(parentLength);
                next += match;
            }
        }
        result = std::move(next);
    }
    if (result.empty())
        result = absolute ? "/" : ".";
    return result;
}

std::FILE* OpenFile(std::string_view name, const char* mode)
{
    const std::string native = ToNativePath(name);
    if (native.empty())
        return nullptr;
    return std::fopen(native.c_str(), mode);
}

bool FileExists(std::string_view name)
{
    const std::string native = ToNativePath(name);
    struct stat st;
    return !native.empty() && ::stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(std::string_view name)
{
    const std::string native = ToNativePath(name);
    struct stat st;
    return !native.empty() && ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDirectory(std::string_view name)
{
    const std::string native = ToNativePath(name);
    if (native.empty())
        return false;
    if (::mkdir(native.c_str(), 0777) != 0 && errno != EEXIST)
        return false;
    struct stat st;
    return ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDirectories(std::string_view name)
{
    const std::string native = ToNativePath(name);
    if (native.empty())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(native, ec);
    struct stat st;
    return ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteDirectory(std::string_view name)
{
    if (name.empty())
        return false;
    const std::string native = ToNativePath(name);
    struct stat st;
    if (native.empty() || ::lstat(native.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    const std::string target = Canonical(native);
    if (target.empty() || target == "/")
        return false;
    std::vector<std::string> protectedPaths{Canonical(GetProgramDirectory())};
    {
        std::lock_guard lock(g_overrideMutex);
        for (const std::string& root : g_userDataRoots)
            protectedPaths.push_back(Canonical(root));
    }
    for (const char* variable : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
        const std::string value = GetEnv(variable);
        if (!value.empty())
            protectedPaths.push_back(Canonical(value));
    }
    for (const std::string& p : protectedPaths)
        if (IsSelfOrParent(target, p))
            return false;
    std::error_code ec;
    std::filesystem::remove_all(native, ec); // removes symlinks themselves, never their targets
    return !ec;
}

bool DeleteFile(std::string_view name)
{
    const std::string native = ToNativePath(name);
    return !native.empty() && ::unlink(native.c_str()) == 0;
}

bool RenameFile(std::string_view from, std::string_view to)
{
    const std::string nativeFrom = ToNativePath(from);
    const std::string nativeTo = ToNativePath(to);
    return !nativeFrom.empty() && !nativeTo.empty() && std::rename(nativeFrom.c_str(), nativeTo.c_str()) == 0;
}

bool SyncFile(std::FILE* file)
{
    return file && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

bool MatchMask(std::string_view name, std::string_view mask)
{
    // Iterative wildcard match with one backtrack point: linear in practice, never recursive.
    size_t n = 0, m = 0;
    size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || FoldAscii(mask[m]) == FoldAscii(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

std::vector<FoundFile> FindFiles(std::string_view folder, std::string_view mask, FindKind kind)
{
    std::vector<FoundFile> found;
    const std::string native = folder.empty() ? std::string(".") : ToNativePath(folder);
    DIR* dir = ::opendir(native.c_str());
    if (!dir)
        return found;
    while (dirent* entry = ::readdir(dir)) {
        std::string_view name(entry->d_name);
        if (name == "." || name == ".." || !MatchMask(name, mask))
            continue;
        struct stat st;
        const std::string full = native + "/" + std::string(name);
        if (::stat(full.c_str(), &st) != 0)
            continue;
        const bool isDirectory = S_ISDIR(st.st_mode);
        if ((kind == FindKind::Files && isDirectory) || (kind == FindKind::Directories && !isDirectory))
            continue;
        found.push_back({std::string(name), isDirectory});
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) {
        const size_t count = std::min(a.name.size(), b.name.size());
        for (size_t i = 0; i < count; ++i) {
            const unsigned char ca = static_cast<unsigned char>(FoldAscii(a.name[i]));
            const unsigned char cb = static_cast<unsigned char>(FoldAscii(b.name[i]));
            if (ca != cb)
                return ca < cb;
        }
        if (a.name.size() != b.name.size())
            return a.name.size() < b.name.size();
        return a.name < b.name;
    });
    return found;
}

std::string GetModuleFileName()
{
    {
        std::lock_guard lock(g_overrideMutex);
        if (!g_moduleOverride.empty())
            return g_moduleOverride;
    }
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string GetProgramDirectory()
{
    std::string path = GetModuleFileName();
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return path;
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

void OverrideModuleFileName(std::string path)
{
    std::lock_guard lock(g_overrideMutex);
    g_moduleOverride = std::move(path);
}

std::string GetUserDataDirectory(std::string_view company, std::string_view title, bool create)
{
    const std::string base = XdgFolder("XDG_DATA_HOME", "/.local/share");
    if (base.empty())
        return {};
    std::string path = base;
    if (!company.empty())
        path += "/" + std::string(company);
    if (!title.empty())
        path += "/" + std::string(title);
    {
        std::lock_guard lock(g_overrideMutex);
        g_userDataRoots.insert(path);
    }
    if (create)
        CreateDirectories(path);
    return path;
}

bool ReadRegistryValue(std::string_view company, std::string_view title, std::string_view name,
                       std::string& value)
{
    const std::string base = XdgFolder("XDG_CONFIG_HOME", "/.config");
    if (base.empty())
        return false;
    const std::string file = base + "/" + std::string(company) + "/" + std::string(title) + "/registry.ini";
    std::ifstream in(ToNativePath(file), std::ios::binary);
    if (!in)
        return false;
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::string line;
    while (std::getline(in, line)) {
        size_t begin = 0;
        while (begin < line.size() && isBlank(line[begin]))
            ++begin;
        size_t nameEnd = begin;
        while (nameEnd < line.size() && !isBlank(line[nameEnd]))
            ++nameEnd;
        if (nameEnd == begin || !EqualNoCase(std::string_view(line).substr(begin, nameEnd - begin), name))
            continue;
        size_t valueBegin = nameEnd;
        while (valueBegin < line.size() && isBlank(line[valueBegin]))
            ++valueBegin;
        size_t valueEnd = line.size();
        while (valueEnd > valueBegin && isBlank(line[valueEnd - 1]))
            --valueEnd;
        value = line.substr(valueBegin, valueEnd - valueBegin);
        return true;
    }
    return false;
}

} // namespace Platform
