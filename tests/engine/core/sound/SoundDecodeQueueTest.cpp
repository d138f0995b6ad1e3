#include "engine/core/sound/SoundDecodeQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace VantoranEngine;

namespace {

// Holds every worker of the queue in a job until Open: more blockers than the queue has workers.
class Gate {
public:
    void Wait()
    {
        std::unique_lock lock(mutex);
        opened.wait(lock, [this] { return open; });
    }
    void Open()
    {
        {
            std::lock_guard lock(mutex);
            open = true;
        }
        opened.notify_all();
    }

private:
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
};

constexpr int kBlockers = 8; // the queue has at most four workers

} // namespace

// While the workers are busy, a job that is needed runs at once on the thread that needs it, a cancelled
// one never runs, and the queued rest still runs in the background afterwards.
TEST(SoundDecodeQueue, NeededJobsRunAtOnceAndCancelledOnesNever)
{
    Gate gate;
    std::atomic<int> blockersRun{0};
    std::vector<std::shared_ptr<SoundDecodeQueue::Job>> blockers;
    for (int i = 0; i < kBlockers; ++i)
        blockers.push_back(SoundDecodeQueue::Submit([&] {
            gate.Wait();
            ++blockersRun;
        }));

    std::thread::id ranOn;
    auto needed = SoundDecodeQueue::Submit([&] { ranOn = std::this_thread::get_id(); });
    bool cancelledRan = false;
    auto cancelled = SoundDecodeQueue::Submit([&] { cancelledRan = true; });
    EXPECT_FALSE(needed->Done());

    needed->Finish();
    EXPECT_TRUE(needed->Done());
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    cancelled->Cancel();
    EXPECT_TRUE(cancelled->Done());

    gate.Open();
    for (const auto& blocker : blockers)
        blocker->Finish();
    EXPECT_EQ(blockersRun.load(), kBlockers);
    EXPECT_FALSE(cancelledRan);
    cancelled->Finish(); // a dropped job counts as finished
    EXPECT_FALSE(cancelledRan);
}
