#include "engine/core/sound/SoundDecodeQueue.h"

#include <algorithm>

namespace VantoranEngine {

namespace {

// Decoding is short work in many small pieces: a few threads use the spare cores without crowding the
// main thread and the renderer's own threads.
constexpr unsigned kMaxWorkers = 4;

} // namespace

bool SoundDecodeQueue::Job::Claim()
{
    std::lock_guard lock(mutex);
    if (state != State::Queued)
        return false;
    state = State::Running;
    return true;
}

void SoundDecodeQueue::Job::Run()
{
    work();
    work = nullptr; // what the work captured goes now, on the thread that ran it
    std::lock_guard lock(mutex);
    state = State::Done;
    ended.notify_all();
}

void SoundDecodeQueue::Job::Finish()
{
    if (Claim()) {
        Run();
        return;
    }
    std::unique_lock lock(mutex);
    ended.wait(lock, [this] { return state == State::Done; });
}

void SoundDecodeQueue::Job::Cancel()
{
    std::unique_lock lock(mutex);
    if (state == State::Queued) {
        state = State::Done;
        lock.unlock();
        work = nullptr;
        return;
    }
    ended.wait(lock, [this] { return state == State::Done; });
}

bool SoundDecodeQueue::Job::Done()
{
    std::lock_guard lock(mutex);
    return state == State::Done;
}

SoundDecodeQueue::SoundDecodeQueue()
{
    const unsigned cores = std::thread::hardware_concurrency();
    const unsigned count = std::clamp(cores > 1 ? cores - 1 : 1u, 1u, kMaxWorkers);
    for (unsigned i = 0; i < count; ++i)
        workers.emplace_back([this] { Work(); });
}

SoundDecodeQueue::~SoundDecodeQueue()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    queued.notify_all();
    for (std::thread& worker : workers)
        worker.join();
}

SoundDecodeQueue& SoundDecodeQueue::Instance()
{
    static SoundDecodeQueue queue;
    return queue;
}

std::shared_ptr<SoundDecodeQueue::Job> SoundDecodeQueue::Submit(std::function<void()> work)
{
    auto job = std::make_shared<Job>(std::move(work));
    SoundDecodeQueue& queue = Instance();
    {
        std::lock_guard lock(queue.mutex);
        queue.jobs.push_back(job);
    }
    queue.queued.notify_one();
    return job;
}

void SoundDecodeQueue::Work()
{
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock lock(mutex);
            queued.wait(lock, [this] { return stopping || !jobs.empty(); });
            if (stopping)
                return;
            job = std::move(jobs.front());
            jobs.pop_front();
        }
        if (job->Claim())
            job->Run();
    }
}

} // namespace VantoranEngine
