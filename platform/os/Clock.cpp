#include "platform/os/Clock.h"

#include <chrono>

namespace Platform {

uint32_t GetTickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace Platform
