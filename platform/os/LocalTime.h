#pragma once
// Local date and time, and its text in the original run-time's asctime form.
// Any thread may call these; the override is for tests and is set before threads start.

#include <string>

namespace Platform {

struct LocalTime {
    int year = 1980;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..60
    int weekday = 2; // 0 Sunday .. 6 Saturday
};

// The current local time (or the override).
LocalTime GetLocalTime();

// "Www Mmm dd hh:mm:ss yyyy": 24 characters, English names, the day zero-padded, no newline
// ("Wed Jan 02 02:03:55 1980"). Out-of-range names print as "???".
std::string FormatAscTime(const LocalTime& time);

// The current local time in that form.
std::string GetLocalTimeText();

// Tests: make GetLocalTime return `time` from now on; null restores the real clock.
void OverrideLocalTime(const LocalTime* time);

} // namespace Platform
