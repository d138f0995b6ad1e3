#include "platform/sound/Event.h"

#include "platform/sound/SoundInternal.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace Platform {

struct EventObject {
    std::mutex mutex;
    std::condition_variable changed;
    bool signalled = false;
    bool manualReset = false;
};

EventHandle CreateEventA(const void*, bool manualReset, bool initialState, const char*)
{
    if (SoundInternal::TakeFault(SoundTest::Operation::CreateEvent) != DS_OK)
        return nullptr;
    auto* event = new EventObject;
    event->manualReset = manualReset;
    event->signalled = initialState;
    return event;
}

bool SetEvent(EventHandle event)
{
    if (!event)
        return false;
    {
        std::lock_guard lock(event->mutex);
        event->signalled = true;
    }
    event->changed.notify_all();
    return true;
}

bool ResetEvent(EventHandle event)
{
    if (!event)
        return false;
    std::lock_guard lock(event->mutex);
    event->signalled = false;
    return true;
}

uint32_t WaitForSingleObject(EventHandle event, uint32_t milliseconds)
{
    if (!event)
        return WAIT_FAILED;
    std::unique_lock lock(event->mutex);
    const auto ready = [event] { return event->signalled; };
    if (milliseconds == 0) {
        if (!ready())
            return WAIT_TIMEOUT;
    } else if (milliseconds == INFINITE) {
        event->changed.wait(lock, ready);
    } else if (!event->changed.wait_for(lock, std::chrono::milliseconds(milliseconds), ready)) {
        return WAIT_TIMEOUT;
    }
    if (!event->manualReset)
        event->signalled = false;
    return WAIT_OBJECT_0;
}

bool CloseHandle(EventHandle event)
{
    if (!event)
        return false;
    delete event;
    return true;
}

} // namespace Platform
