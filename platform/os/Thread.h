#pragma once
// A worker thread standing in for the OS thread calls of the loading screens: start, poll whether it
// has finished (a wait with a zero time-out), and release.
//
// Rules:
// - Start returns false when no thread could be created (also when a test injects that failure); the
//   caller then does the work itself.
// - The destructor waits for a started thread to end: the loading worker ends right after its work.
// - One owner thread calls the member functions; the body runs on the new thread.

#include <atomic>
#include <functional>
#include <thread>

namespace Platform {

class Thread {
public:
    Thread() = default;
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    [[nodiscard]] bool Start(std::function<void()> body);
    // True once the body has returned (and when no thread was started).
    bool IsFinished() const;
    // Blocks until the body has returned.
    void Join();

    // Tests: make every Start fail until cleared.
    static void InjectStartFailure(bool fail);

private:
    std::thread thread;
    std::atomic<bool> finished{true};
};

} // namespace Platform
