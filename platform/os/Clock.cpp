#include "platform/os/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace Platform {

namespace {

std::atomic<bool> g_manual{false};
std::atomic<uint64_t> g_manualNanoseconds{0};

uint64_t Nanoseconds()
{
    if (g_manual.load())
        return g_manualNanoseconds.load();
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

uint32_t GetTickCount()
{
    return static_cast<uint32_t>(Nanoseconds() / 1000000u);
}

uint32_t TimeGetTime()
{
    return static_cast<uint32_t>(Nanoseconds() / 1000000u);
}

bool TimeGetDevCaps(uint32_t& minimumPeriod, uint32_t& maximumPeriod)
{
    minimumPeriod = 1;
    maximumPeriod = 1000000;
    return true;
}

bool TimeBeginPeriod(uint32_t)
{
    return true;
}

bool TimeEndPeriod(uint32_t)
{
    return true;
}

int64_t QueryPerformanceCounter()
{
    return static_cast<int64_t>(Nanoseconds());
}

int64_t QueryPerformanceFrequency()
{
    return 1000000000;
}

void Sleep(uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void UseManualClock(uint64_t nanoseconds)
{
    g_manualNanoseconds.store(nanoseconds);
    g_manual.store(true);
}

void AdvanceManualClock(uint64_t nanoseconds)
{
    g_manualNanoseconds.fetch_add(nanoseconds);
}

void UseRealClock()
{
    g_manual.store(false);
}

} // namespace Platform
