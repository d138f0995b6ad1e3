#pragma once
// Clocks standing in for the OS tick counters. Any thread may call them.

#include <cstdint>

namespace Platform {

// Milliseconds since an arbitrary start, truncated to 32 bits: wraps after about 49.7 days.
uint32_t GetTickCount();

} // namespace Platform
