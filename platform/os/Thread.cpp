#include "platform/os/Thread.h"

#include <system_error>

namespace Platform {

namespace {

std::atomic<bool> g_failStart{false};

} // namespace

Thread::~Thread()
{
    Join();
}

bool Thread::Start(std::function<void()> body)
{
    if (thread.joinable() || g_failStart.load())
        return false;
    finished = false;
    try {
        thread = std::thread([this, body = std::move(body)] {
            body();
            finished = true;
        });
    } catch (const std::system_error&) {
        finished = true;
        return false;
    }
    return true;
}

bool Thread::IsFinished() const
{
    return finished.load();
}

void Thread::Join()
{
    if (thread.joinable())
        thread.join();
}

void Thread::InjectStartFailure(bool fail)
{
    g_failStart = fail;
}

} // namespace Platform
