#pragma once
// The keyboard-layout calls of the language set-up. Typed text reaches the game as Unicode from SDL's
// text input whatever the layout, so the stand-in keeps only a record: the thread's layout handle reads
// as Russian (0x04190419) unless a test sets another, activation and loading switch the record, and an
// unload of the record's handle gives back the start value.
//
// Rules:
// - A layout handle is a 32-bit number whose high word is the language id, as on Windows.
// - ActivateKeyboardLayout answers false and LoadKeyboardLayout 0 while a test injects failure.
// - Any thread may call these functions; the record is guarded.

#include <cstdint>
#include <string>

namespace Platform {

uint32_t GetKeyboardLayout();
// Makes the handle current; false on injected failure.
bool ActivateKeyboardLayout(uint32_t layout);
// name: eight hexadecimal digits ("00000419"); the loaded handle (language id in both words), or 0.
uint32_t LoadKeyboardLayout(const std::string& name);
bool UnloadKeyboardLayout(uint32_t layout);

namespace KeyboardLayoutTest {
// Sets the current handle, clears the failure and the call counts.
void Reset(uint32_t current);
void FailActivateAndLoad(bool fail);
int ActivateCount();
int LoadCount();
int UnloadCount();
} // namespace KeyboardLayoutTest

} // namespace Platform
