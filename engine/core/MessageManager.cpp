#include "engine/core/MessageManager.h"

#include "engine/core/Error.h"
#include "engine/core/StringUtils.h"
#include "platform/os/LocalTime.h"
#include "platform/os/Path.h"

#include <algorithm>
#include <cstdio>

namespace VantoranEngine {

namespace {

// Functions rather than constants, so a log built during static initialisation still has them.
std::string White() { return MessageManager::FormatColor(1.0f, 1.0f, 1.0f); }
std::string Grey() { return MessageManager::FormatColor(0.5f, 0.5f, 0.5f); }
std::string Red() { return MessageManager::FormatColor(1.0f, 0.0f, 0.0f); }
std::string Green() { return MessageManager::FormatColor(0.0f, 1.0f, 0.0f); }
std::string Black() { return MessageManager::FormatColor(0.0f, 0.0f, 0.0f); }

std::string FontTag(const std::string& color)
{
    return "<FONT color=\"" + color + "\">";
}

} // namespace

std::string MessageManager::BuildPath(const std::string& logDirectory, const std::string& logName,
                                      const std::string& title)
{
    const std::string stem = logName.empty() ? title : logName;
    if (logDirectory.empty())
        return GetApplicationDirectory() + "\\" + stem + ".html";
    if (Platform::IsAbsolutePath(logDirectory))
        return logDirectory + "\\" + stem + ".html";
    return GetApplicationDirectory() + "\\" + logDirectory + "\\" + stem + ".html";
}

std::string MessageManager::FormatColor(float red, float green, float blue)
{
    auto component = [](float value) {
        return static_cast<unsigned>(std::clamp(static_cast<int>(value * 255.0f), 0, 255));
    };
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", component(red), component(green), component(blue));
    return buffer;
}

MessageManager::MessageManager(const std::string& logDirectory, const std::string& logName,
                               const std::string& title, bool logEnabled, bool logReopen)
    : title(title), logEnabled(logEnabled), logReopen(logReopen),
      path(BuildPath(logDirectory, logName, title))
{
    if (!logEnabled)
        return;
    const size_t separator = path.find_last_of("\\/");
    if (separator != std::string::npos && separator > 0)
        Platform::CreateDirectories(path.substr(0, separator));
    if (!Open("wb"))
        return;
    WriteHtml("<HTML>");
    WriteHtml("<HEAD>");
    WriteHtml("<TITLE>" + title + " Log</TITLE>");
    WriteHtml("</HEAD>");
    WriteHtml("<BODY bgcolor=\"" + Black() + "\">");
    WriteHtml(FontTag(White())); // stays open until the footer
    WriteHtml(FontTag(White()));
    WriteHtml("======== ");
    WriteHtml("</FONT>");
    WriteHtml(FontTag(Green()));
    WriteHtml(title + " Log: " + Platform::GetLocalTimeText());
    WriteHtml("</FONT>");
    WriteHtml(FontTag(White()));
    WriteHtml(" ========\n\n");
    WriteHtml("</FONT>");
    if (logReopen)
        Close();
    else
        std::fflush(file);
}

MessageManager::~MessageManager()
{
    if (!logEnabled)
        return;
    std::lock_guard lock(mutex);
    if (logReopen)
        Open("ab");
    if (!file)
        return;
    WriteHtml(FontTag(White()));
    WriteHtml("\n======== ");
    WriteHtml("</FONT>");
    WriteHtml(FontTag(Green()));
    WriteHtml(title + " Log end: " + Platform::GetLocalTimeText());
    WriteHtml("</FONT>");
    WriteHtml(FontTag(White()));
    WriteHtml(" ========\n");
    WriteHtml("</FONT>");
    WriteHtml("</FONT>");
    WriteHtml("</BODY>");
    WriteHtml("</HTML>");
    Close();
}

void MessageManager::LogMessage(const std::string& text)
{
    WriteEntry(LogEntry::Message, lineBreaks ? text + "\n" : text);
}

void MessageManager::LogWarning(const std::string& text)
{
    WriteEntry(LogEntry::Warning, lineBreaks ? "\nWarning: " + text + "!\n\n" : "Warning: " + text + "!\n");
}

void MessageManager::LogError(const std::string& text)
{
    WriteEntry(LogEntry::Error, lineBreaks ? "\nError: " + text + "!\n\n" : "Error: " + text + "!\n");
}

void MessageManager::LogFatalError(const std::string& text)
{
    WriteEntry(LogEntry::Fatal, "PROGRAM ABORTING: " + text + "\n");
    throw FatalError(text);
}

std::vector<LogEntry> MessageManager::GetEntries() const
{
    std::lock_guard lock(mutex);
    return entries;
}

std::vector<LogEntry> MessageManager::TakeEntries()
{
    std::vector<LogEntry> taken;
    std::lock_guard lock(mutex);
    taken.swap(entries);
    return taken;
}

void MessageManager::ClearEntries()
{
    std::lock_guard lock(mutex);
    entries.clear();
}

void MessageManager::WriteEntry(int32_t kind, const std::string& text)
{
    std::lock_guard lock(mutex);
    if (logEnabled) {
        if (logReopen)
            Open("ab");
        if (file) {
            if (kind == LogEntry::Message) {
                WriteHtml(text);
            } else {
                WriteHtml(FontTag(kind == LogEntry::Warning ? Grey() : Red()));
                WriteHtml(text);
                WriteHtml("</FONT>");
            }
            if (logReopen)
                Close();
            else
                std::fflush(file);
        }
    }
    entries.push_back({kind, text});
}

void MessageManager::WriteHtml(const std::string& text)
{
    if (!file)
        return;
    size_t start = 0;
    for (size_t newline = text.find('\n'); newline != std::string::npos; newline = text.find('\n', start)) {
        std::fwrite(text.data() + start, 1, newline - start, file);
        std::fputs("<BR>", file);
        start = newline + 1;
    }
    std::fwrite(text.data() + start, 1, text.size() - start, file);
}

bool MessageManager::Open(const char* mode)
{
    if (!file)
        file = Platform::OpenFile(path, mode);
    return file != nullptr;
}

void MessageManager::Close()
{
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
}

} // namespace VantoranEngine
