#pragma once
// The test interface of the AVI writer: failures it injects on demand. Reset() clears them all.
// The environment variable BRINDLE_AVI_FAULTS switches the same faults on for whole-program runs
// (a comma-separated list of fault names as in FaultName, e.g. "Open,Write").

namespace Platform::AviTest {

enum class Fault {
    Open,          // AVIFileOpenA answers AVIERR_FILEOPEN
    CreateStream,  // AVIFileCreateStreamA answers AVIERR_MEMORY
    SetFormat,     // AVIStreamSetFormat answers AVIERR_BADFORMAT
    Write,         // AVIStreamWrite answers AVIERR_FILEWRITE and writes nothing
    Count
};
const char* FaultName(Fault fault);

// The fault stays on until cleared; times > 0 limits it to that many failing calls.
void InjectFault(Fault fault, int times = -1);
void ClearFault(Fault fault);
void Reset();

// Lowers the size limit of a file (bytes; default 1 GiB), so tests can reach it.
void SetSizeLimit(unsigned long long bytes);

} // namespace Platform::AviTest
