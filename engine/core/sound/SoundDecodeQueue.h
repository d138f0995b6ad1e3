#pragma once
// Decoding of static sounds off the main thread, so that registering a game's sound effects at start does
// not hold back its first frame.
//
// Rules:
// - Jobs run in the order they were submitted, on a few worker threads made on first use (at most four,
//   fewer on a small machine) and stopped when the process ends.
// - A job still queued when its result is needed runs at once on the thread that needs it (Finish), so
//   nobody waits behind the rest of the queue; a job cancelled before it began never runs.
// - Any thread may submit, finish or cancel. A job's work must not throw.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace VantoranEngine {

class SoundDecodeQueue {
public:
    class Job {
    public:
        explicit Job(std::function<void()> work) : work(std::move(work)) {}
        // Runs the work on this thread unless a worker has begun it; returns once it has run.
        void Finish();
        // Drops the work if nobody has begun it, else waits for it to end.
        void Cancel();
        // True once the work has run or was dropped; never blocks.
        bool Done();

    private:
        friend class SoundDecodeQueue;
        enum class State { Queued, Running, Done };
        // Claims the work for this thread: true when it was still queued.
        bool Claim();
        void Run();

        std::function<void()> work;
        std::mutex mutex;
        std::condition_variable ended;
        State state = State::Queued;
    };

    // Queues `work`; the answer finishes or cancels it.
    static std::shared_ptr<Job> Submit(std::function<void()> work);

    SoundDecodeQueue(const SoundDecodeQueue&) = delete;
    SoundDecodeQueue& operator=(const SoundDecodeQueue&) = delete;

private:
    SoundDecodeQueue();
    ~SoundDecodeQueue();
    static SoundDecodeQueue& Instance();
    void Work();

    std::mutex mutex;
    std::condition_variable queued;
    std::deque<std::shared_ptr<Job>> jobs;
    std::vector<std::thread> workers;
    bool stopping = false;
};

} // namespace VantoranEngine
