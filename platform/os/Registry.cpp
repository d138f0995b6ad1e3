#include "platform/os/Registry.h"

#include "platform/os/Path.h"

#include <map>
#include <mutex>
#include <tuple>

namespace Platform {

namespace {

std::string Folded(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

struct StoredValue {
    RegistryType type;
    std::string data;
};

struct RegistryTable {
    std::mutex mutex;
    // (root, folded key path) -> folded value name -> value
    std::map<std::tuple<int, std::string>, std::map<std::string, StoredValue>> keys;
    int opens = 0;
    int closes = 0;
};

RegistryTable& Table()
{
    static RegistryTable table;
    return table;
}

// "SOFTWARE\<company>\<title>" split into its two names; false for any other shape.
bool SplitInstallationKey(std::string_view path, std::string& company, std::string& title)
{
    const std::string prefix = "software\\";
    if (Folded(path.substr(0, prefix.size())) != prefix)
        return false;
    const std::string_view rest = path.substr(prefix.size());
    const size_t separator = rest.find('\\');
    if (separator == std::string_view::npos || separator == 0 || separator + 1 >= rest.size() ||
        rest.find('\\', separator + 1) != std::string_view::npos)
        return false;
    company = rest.substr(0, separator);
    title = rest.substr(separator + 1);
    return true;
}

} // namespace

bool RegistryOpenKey(RegistryRoot root, std::string_view path, RegistryKey& key)
{
    RegistryTable& t = Table();
    std::lock_guard lock(t.mutex);
    bool found = false;
    if (!t.keys.empty()) {
        found = t.keys.count({static_cast<int>(root), Folded(path)}) != 0;
    } else {
        std::string company, title;
        found = root == RegistryRoot::LocalMachine && SplitInstallationKey(path, company, title);
    }
    if (!found)
        return false;
    key.root = root;
    key.path = std::string(path);
    key.open = true;
    ++t.opens;
    return true;
}

bool RegistryQueryValue(const RegistryKey& key, std::string_view name, RegistryType& type, std::string& data)
{
    if (!key.open)
        return false;
    RegistryTable& t = Table();
    {
        std::lock_guard lock(t.mutex);
        if (!t.keys.empty()) {
            auto found = t.keys.find({static_cast<int>(key.root), Folded(key.path)});
            if (found == t.keys.end())
                return false;
            auto value = found->second.find(Folded(name));
            if (value == found->second.end())
                return false;
            type = value->second.type;
            data = value->second.data;
            return true;
        }
    }
    std::string company, title, text;
    if (!SplitInstallationKey(key.path, company, title) || !ReadRegistryValue(company, title, name, text))
        return false;
    type = RegistryType::String;
    data = text + '\0';
    return true;
}

void RegistryCloseKey(RegistryKey& key)
{
    if (!key.open)
        return;
    key.open = false;
    RegistryTable& t = Table();
    std::lock_guard lock(t.mutex);
    ++t.closes;
}

namespace RegistryTest {

void InjectValue(RegistryRoot root, std::string_view path, std::string_view name, RegistryType type,
                 std::string data)
{
    RegistryTable& t = Table();
    std::lock_guard lock(t.mutex);
    t.keys[{static_cast<int>(root), Folded(path)}][Folded(name)] = StoredValue{type, std::move(data)};
}

void Reset()
{
    RegistryTable& t = Table();
    std::lock_guard lock(t.mutex);
    t.keys.clear();
    t.opens = t.closes = 0;
}

int OpenCount() { std::lock_guard lock(Table().mutex); return Table().opens; }
int CloseCount() { std::lock_guard lock(Table().mutex); return Table().closes; }

} // namespace RegistryTest

} // namespace Platform
