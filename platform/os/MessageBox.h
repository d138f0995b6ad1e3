#pragma once
// The message box of the top level's fatal-error and information paths.
// Shows a modal box when a display is available, else (and when the box fails) writes
// "<caption>: <text>" and a newline to stderr. Main thread only.
// Tests may hand every box to a hook instead (nothing is shown or written then).

#include <functional>
#include <string_view>

namespace Platform {

enum class MessageBoxIcon { Information, Error };

void ShowMessageBox(std::string_view caption, std::string_view text,
                    MessageBoxIcon icon = MessageBoxIcon::Information);

// Tests: every later box goes to the hook; an empty hook restores the real box.
using MessageBoxHook = std::function<void(std::string_view caption, std::string_view text)>;
void SetMessageBoxHook(MessageBoxHook hook);

} // namespace Platform
