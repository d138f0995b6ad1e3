#include "platform/sound/SoundTest.h"

#include "platform/sound/SoundInternal.h"

namespace Platform::SoundInternal {

namespace {

struct Fault {
    int32_t result = DS_OK;
    int count = 0;
};

struct Globals {
    std::mutex mutex;
    Fault faults[static_cast<int>(SoundTest::Operation::Count)];
    bool manualClock = false;
    std::vector<uint32_t> createdFlags;
    int restores = 0;
    std::weak_ptr<Core> newest;
};

Globals& G()
{
    static Globals globals;
    return globals;
}

} // namespace

int32_t TakeFault(SoundTest::Operation operation)
{
    Globals& g = G();
    std::lock_guard lock(g.mutex);
    Fault& fault = g.faults[static_cast<int>(operation)];
    if (fault.count <= 0)
        return DS_OK;
    --fault.count;
    return fault.result;
}

bool ManualClock()
{
    std::lock_guard lock(G().mutex);
    return G().manualClock;
}

void RecordCreatedFlags(uint32_t flags)
{
    std::lock_guard lock(G().mutex);
    G().createdFlags.push_back(flags);
}

void RecordRestore()
{
    std::lock_guard lock(G().mutex);
    ++G().restores;
}

void SetNewest(const std::shared_ptr<Core>& core)
{
    std::lock_guard lock(G().mutex);
    G().newest = core;
}

std::shared_ptr<Core> Newest()
{
    std::lock_guard lock(G().mutex);
    return G().newest.lock();
}

} // namespace Platform::SoundInternal

namespace Platform::SoundTest {

using namespace SoundInternal;

void Reset()
{
    Globals& g = G();
    std::lock_guard lock(g.mutex);
    for (Fault& fault : g.faults)
        fault = {};
    g.manualClock = false;
    g.createdFlags.clear();
    g.restores = 0;
}

void FailNext(Operation operation, int32_t result, int count)
{
    std::lock_guard lock(G().mutex);
    G().faults[static_cast<int>(operation)] = {result, count};
}

void SetManualClock(bool on)
{
    std::lock_guard lock(G().mutex);
    G().manualClock = on;
}

bool IsManualClock() { return ManualClock(); }

std::vector<int16_t> AdvanceFrames(uint32_t frames)
{
    const std::shared_ptr<Core> core = Newest();
    if (!core)
        return {};
    std::lock_guard lock(core->mutex);
    if (core->audioDevice)
        return {}; // the audio thread owns this device's clock
    std::vector<int16_t> out(size_t(frames) * core->mixChannels);
    core->Mix(out.data(), frames);
    return out;
}

uint32_t MixRate()
{
    const std::shared_ptr<Core> core = Newest();
    if (!core)
        return 0;
    std::lock_guard lock(core->mutex);
    return core->mixRate;
}

uint32_t MixChannels()
{
    const std::shared_ptr<Core> core = Newest();
    if (!core)
        return 0;
    std::lock_guard lock(core->mutex);
    return core->mixChannels;
}

void LoseBuffers()
{
    if (const std::shared_ptr<Core> core = Newest()) {
        std::lock_guard lock(core->mutex);
        LoseBuffersLocked(*core);
    }
}

void SetPrimaryStatus(uint32_t status)
{
    if (const std::shared_ptr<Core> core = Newest()) {
        std::lock_guard lock(core->mutex);
        SetPrimaryStatusLocked(*core, status);
    }
}

std::vector<uint32_t> CreatedBufferFlags()
{
    std::lock_guard lock(G().mutex);
    return G().createdFlags;
}

int RestoreCount()
{
    std::lock_guard lock(G().mutex);
    return G().restores;
}

int LiveBufferCount()
{
    const std::shared_ptr<Core> core = Newest();
    if (!core)
        return 0;
    std::lock_guard lock(core->mutex);
    return static_cast<int>(core->buffers.size());
}

} // namespace Platform::SoundTest
