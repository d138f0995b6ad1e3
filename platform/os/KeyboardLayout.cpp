#include "platform/os/KeyboardLayout.h"

#include <cstdlib>
#include <mutex>

namespace Platform {

namespace {

constexpr uint32_t russianLayout = 0x04190419;

struct LayoutRecord {
    std::mutex mutex;
    uint32_t current = russianLayout;
    bool fail = false;
    int activates = 0;
    int loads = 0;
    int unloads = 0;
};

LayoutRecord& Record()
{
    static LayoutRecord record;
    return record;
}

} // namespace

uint32_t GetKeyboardLayout()
{
    LayoutRecord& r = Record();
    std::lock_guard lock(r.mutex);
    return r.current;
}

bool ActivateKeyboardLayout(uint32_t layout)
{
    LayoutRecord& r = Record();
    std::lock_guard lock(r.mutex);
    ++r.activates;
    if (r.fail)
        return false;
    r.current = layout;
    return true;
}

uint32_t LoadKeyboardLayout(const std::string& name)
{
    LayoutRecord& r = Record();
    std::lock_guard lock(r.mutex);
    ++r.loads;
    if (r.fail)
        return 0;
    const uint32_t language = static_cast<uint32_t>(std::strtoul(name.c_str(), nullptr, 16)) & 0xFFFF;
    r.current = (language << 16) | language;
    return r.current;
}

bool UnloadKeyboardLayout(uint32_t layout)
{
    LayoutRecord& r = Record();
    std::lock_guard lock(r.mutex);
    ++r.unloads;
    if (layout == r.current)
        r.current = russianLayout;
    return true;
}

namespace KeyboardLayoutTest {

void Reset(uint32_t current)
{
    LayoutRecord& r = Record();
    std::lock_guard lock(r.mutex);
    r.current = current;
    r.fail = false;
    r.activates = r.loads = r.unloads = 0;
}

void FailActivateAndLoad(bool fail)
{
    LayoutRecord& r = Record();
    std::lock_guard lock(r.mutex);
    r.fail = fail;
}

int ActivateCount() { std::lock_guard lock(Record().mutex); return Record().activates; }
int LoadCount() { std::lock_guard lock(Record().mutex); return Record().loads; }
int UnloadCount() { std::lock_guard lock(Record().mutex); return Record().unloads; }

} // namespace KeyboardLayoutTest

} // namespace Platform
