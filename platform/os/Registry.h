#pragma once
// The registry calls of the installation-key look-up: open a key under a root, read one value with its
// type, close the key. Nothing is ever written.
//
// Rules:
// - Values come from a table that tests fill (InjectValue); with an empty table the key
//   "SOFTWARE\<company>\<title>" under LocalMachine reads the optional file of ReadRegistryValue
//   (Path.h), every value as a String. Any other key or root opens nothing.
// - Key paths and value names compare without regard to ASCII case; '\' separates key components.
// - Failures: RegistryOpenKey answers false and RegistryQueryValue false; nothing is logged.
// - Any thread may call these functions; the table is guarded.

#include <cstdint>
#include <string>
#include <string_view>

namespace Platform {

enum class RegistryRoot { ClassesRoot, CurrentConfig, CurrentUser, LocalMachine, Users };
enum class RegistryType { String, ExpandString, Binary, Number };

struct RegistryKey {
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::string path;
    bool open = false;
};

bool RegistryOpenKey(RegistryRoot root, std::string_view path, RegistryKey& key);
// The value's type and bytes (a String's bytes include its terminating NUL, as stored).
bool RegistryQueryValue(const RegistryKey& key, std::string_view name, RegistryType& type, std::string& data);
void RegistryCloseKey(RegistryKey& key);

namespace RegistryTest {
// Adds a value (creating its key); data is stored as given.
void InjectValue(RegistryRoot root, std::string_view path, std::string_view name, RegistryType type,
                 std::string data);
// Empties the table and the counts.
void Reset();
int OpenCount();  // successful opens since Reset
int CloseCount();
} // namespace RegistryTest

} // namespace Platform
