#include "platform/os/LocalTime.h"

#include <cstdio>
#include <ctime>
#include <mutex>
#include <optional>

namespace Platform {

namespace {

std::mutex g_mutex;
std::optional<LocalTime> g_override;

} // namespace

LocalTime GetLocalTime()
{
    {
        std::lock_guard lock(g_mutex);
        if (g_override)
            return *g_override;
    }
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    LocalTime result;
    result.year = tm.tm_year + 1900;
    result.month = tm.tm_mon + 1;
    result.day = tm.tm_mday;
    result.hour = tm.tm_hour;
    result.minute = tm.tm_min;
    result.second = tm.tm_sec;
    result.weekday = tm.tm_wday;
    return result;
}

std::string FormatAscTime(const LocalTime& time)
{
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* day = (time.weekday >= 0 && time.weekday < 7) ? kDays[time.weekday] : "???";
    const char* month = (time.month >= 1 && time.month <= 12) ? kMonths[time.month - 1] : "???";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s %s %02d %02d:%02d:%02d %04d", day, month, time.day, time.hour,
                  time.minute, time.second, time.year);
    return buffer;
}

std::string GetLocalTimeText()
{
    return FormatAscTime(GetLocalTime());
}

void OverrideLocalTime(const LocalTime* time)
{
    std::lock_guard lock(g_mutex);
    if (time)
        g_override = *time;
    else
        g_override.reset();
}

} // namespace Platform
