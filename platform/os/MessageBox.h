#pragma once
// The message box of the top level's fatal-error and information paths.
// Shows a modal box when a display is available, else (and when the box fails) writes
// "<caption>: <text>" and a newline to stderr. Main thread only.

#include <string_view>

namespace Platform {

void ShowMessageBox(std::string_view caption, std::string_view text);

} // namespace Platform
