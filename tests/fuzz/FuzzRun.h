#pragma once
// FuzzRun: feeds a loader the original files and then seeded mutations of them, and checks that each
// one is either loaded or refused with the engine's own Error. Anything else thrown fails the test with
// the case named; a case that runs too long aborts the program, naming it (a hang would otherwise only
// show as a time-out). Crashes, reads out of bounds and huge allocations are the sanitizers' to report
// (the fuzz program caps one allocation, see CMakeLists.txt).
//
// Reproducing: BRINDLE_FUZZ_CASE=<n> runs only case n of every test; BRINDLE_FUZZ_TRACE=1 prints each case
// before it runs, so the last line before a sanitizer report names the culprit.

#include "FileMutator.h"
#include "engine/core/Error.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace Fuzz {

enum class Outcome { Loaded, Refused };

struct Plan {
    uint32_t cases = 0;
    uint32_t seed = 0;
    // The format starts with its own total size (packs, save files, boards): every other case stores
    // the damaged file's real size there, so the damage reaches past the size check.
    bool sizeAtStart = false;
};

struct Tally {
    uint32_t loaded = 0;
    uint32_t refused = 0;
};

// Aborts the program when one case runs longer than the limit.
class CaseWatchdog {
public:
    static constexpr std::chrono::seconds limit{30};

    explicit CaseWatchdog(std::string what) : what(std::move(what)), thread([this] { Watch(); }) {}
    ~CaseWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
        }
        wake.notify_all();
        thread.join();
    }
    CaseWatchdog(const CaseWatchdog&) = delete;
    CaseWatchdog& operator=(const CaseWatchdog&) = delete;

    void Start(int64_t caseNumber)
    {
        std::lock_guard<std::mutex> lock(mutex);
        current = caseNumber;
        started = std::chrono::steady_clock::now();
    }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (!stopping) {
            wake.wait_for(lock, std::chrono::milliseconds(200));
            if (!stopping && std::chrono::steady_clock::now() - started > limit) {
                std::fprintf(stderr, "%s: case %lld still runs after %lld s\n", what.c_str(),
                             static_cast<long long>(current), static_cast<long long>(limit.count()));
                std::abort();
            }
        }
    }

    std::string what;
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    int64_t current = -1;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    std::thread thread;
};

inline std::optional<uint32_t> OnlyCase()
{
    if (const char* only = std::getenv("BRINDLE_FUZZ_CASE"))
        return static_cast<uint32_t>(std::strtoul(only, nullptr, 10));
    return std::nullopt;
}

// `load(bytes)` or `load(bytes, original index)` answers what became of one file's bytes; an Error it
// throws counts as refused. Every original must load. Case n damages original n % originals.size()
// with seed plan.seed + n.
template <class Load>
Tally RunCases(const std::string& what, const std::vector<std::vector<uint8_t>>& originals, const Plan& plan,
               Load&& load)
{
    Tally tally;
    const bool trace = std::getenv("BRINDLE_FUZZ_TRACE") != nullptr;
    CaseWatchdog watchdog(what);
    auto runOne = [&](const std::vector<uint8_t>& bytes, size_t original,
                      int64_t caseNumber) -> std::optional<Outcome> {
        watchdog.Start(caseNumber);
        SCOPED_TRACE(what + ": case " + std::to_string(caseNumber));
        if (trace)
            std::fprintf(stderr, "%s: case %lld\n", what.c_str(), static_cast<long long>(caseNumber));
        try {
            if constexpr (std::is_invocable_v<Load, const std::vector<uint8_t>&, size_t>)
                return load(bytes, original);
            else
                return load(bytes);
        } catch (const VantoranEngine::Error&) {
            return Outcome::Refused;
        } catch (const std::exception& e) {
            ADD_FAILURE() << what << ": case " << caseNumber << " threw " << e.what();
        } catch (...) {
            ADD_FAILURE() << what << ": case " << caseNumber << " threw something unknown";
        }
        return std::nullopt;
    };

    const std::optional<uint32_t> only = OnlyCase();
    if (!only) {
        for (size_t i = 0; i < originals.size(); ++i)
            EXPECT_EQ(runOne(originals[i], i, -1 - static_cast<int64_t>(i)), Outcome::Loaded)
                << what << ": original " << i << " does not load";
    }
    for (uint32_t n = 0; n < plan.cases; ++n) {
        if (only && *only != n)
            continue;
        FileMutator mutator(plan.seed + n);
        std::vector<uint8_t> bytes = mutator.Mutate(originals[n % originals.size()]);
        if (plan.sizeAtStart && n % 2 == 1 && bytes.size() >= 4) {
            const uint32_t size = static_cast<uint32_t>(bytes.size());
            for (int i = 0; i < 4; ++i)
                bytes[i] = static_cast<uint8_t>(size >> (8 * i));
        }
        const std::optional<Outcome> outcome = runOne(bytes, n % originals.size(), n);
        if (outcome == Outcome::Loaded)
            ++tally.loaded;
        else if (outcome == Outcome::Refused)
            ++tally.refused;
    }
    ::testing::Test::RecordProperty("loaded", static_cast<int>(tally.loaded));
    ::testing::Test::RecordProperty("refused", static_cast<int>(tally.refused));
    return tally;
}

} // namespace Fuzz
