#pragma once
// The engine's log: an HTML file for a browser plus the current frame's entries for the console.
//
// Rules:
// - Texts are narrow and written byte for byte; each newline becomes "<BR>" and nothing is escaped, so
//   the whole log is one line of HTML. Warnings and errors get "!" added, so texts end without a stop.
// - The log never reports its own failures and never throws, except LogFatalError, which always throws
//   FatalError after writing. A file that cannot be created simply receives nothing.
// - The log folder is created before the file is opened, so the first run has a log too.
// - In keep-open mode every entry is flushed at once, so a crash keeps the lines that explain it.
// - Any thread may log: one mutex guards the file and the entries. The console copies the entries with
//   GetEntries (or TakeEntries), and the engine empties them with ClearEntries once per frame.

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace VantoranEngine {

struct LogEntry {
    enum Kind : int32_t { Message = 0, Warning = 1, Error = 2, Fatal = 3 };

    int32_t kind = Message;
    std::string text; // as written: prefixes and real newlines included
};

class MessageManager {
public:
    // logDirectory: empty for the program folder, absolute, or relative to the program folder.
    // logName: the file's stem; empty uses `title`.
    MessageManager(const std::string& logDirectory, const std::string& logName, const std::string& title,
                   bool logEnabled, bool logReopen);
    virtual ~MessageManager();

    MessageManager(const MessageManager&) = delete;
    MessageManager& operator=(const MessageManager&) = delete;

    void LogMessage(const std::string& text);
    void LogWarning(const std::string& text);
    void LogError(const std::string& text);
    [[noreturn]] void LogFatalError(const std::string& text);

    std::vector<LogEntry> GetEntries() const;
    std::vector<LogEntry> TakeEntries(); // the entries so far, leaving the list empty
    void ClearEntries();

    // The log file's path in engine form (see BuildPath).
    const std::string& GetPath() const { return path; }

    // "<dir>\<stem>.html" with the rules of the constructor's arguments.
    static std::string BuildPath(const std::string& logDirectory, const std::string& logName,
                                 const std::string& title);
    // "#RRGGBB" from components in 0..1, each times 255 and truncated (out-of-range values clamp).
    static std::string FormatColor(float red, float green, float blue);

    const std::string title;
    const bool logEnabled;
    const bool logReopen;
    // Cleared only around one log call that must continue the previous line: warnings and errors then
    // add no newline before and one after.
    std::atomic<bool> lineBreaks{true};

private:
    void WriteEntry(int32_t kind, const std::string& text);
    void WriteHtml(const std::string& text);
    bool Open(const char* mode);
    void Close();

    mutable std::mutex mutex;
    std::string path;
    std::FILE* file = nullptr;
    std::vector<LogEntry> entries;
};

} // namespace VantoranEngine
