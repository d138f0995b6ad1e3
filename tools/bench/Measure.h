#pragma once
// What both benchmark programs measure with: clocks, processor time, resident memory, the machine's load,
// a run of this program in a fresh process, and the spread (median, minimum, maximum) of the runs.
//
// Rules:
// - Times on the steady clock are comparable between processes (it is the system's monotonic clock), so a
//   parent can hand its start time to a child that reports the time from its own start.
// - A run's figures travel as one "name value" pair per line of the child's standard output.

#include <map>
#include <string>
#include <vector>

namespace BenchMeasure {

// The steady clock now, in milliseconds.
double NowMs();
// Processor time of this process so far, every thread, in milliseconds.
double ProcessCpuMs();
// Processor time of the calling thread so far, in milliseconds.
double ThreadCpuMs();
// Peak resident memory of this process so far, in MiB.
double PeakResidentMiB();
// The 1, 5 and 15 minute load averages, as /proc/loadavg gives them.
std::string LoadAverage();

// Runs this program again with `arguments` (after argv[0]) and answers its standard output; throws when it
// cannot start or does not exit with 0.
std::string RunSelf(const std::vector<std::string>& arguments);

// One run's figures, read from its "name value" lines; lines of any other shape are skipped.
std::map<std::string, double> ParseFigures(const std::string& output);

struct Spread {
    double median = 0;
    double min = 0;
    double max = 0;
};
// The spread of some runs' values; all zero when there are none.
Spread SpreadOf(std::vector<double> values);

} // namespace BenchMeasure
