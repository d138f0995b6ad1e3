#include "platform/os/MessageBox.h"
#include "platform/os/Thread.h"

#include <gtest/gtest.h>

#include <atomic>

TEST(Thread, RunsTheBodyAndReportsTheEnd)
{
    std::atomic<bool> release{false};
    std::atomic<int> runs{0};
    Platform::Thread worker;
    ASSERT_TRUE(worker.Start([&] {
        while (!release)
            std::this_thread::yield();
        ++runs;
    }));
    EXPECT_FALSE(worker.IsFinished());
    EXPECT_FALSE(worker.Start([] {})); // one body per thread object
    release = true;
    worker.Join();
    EXPECT_TRUE(worker.IsFinished());
    EXPECT_EQ(runs, 1);
}

TEST(Thread, InjectedStartFailure)
{
    Platform::Thread::InjectStartFailure(true);
    Platform::Thread worker;
    EXPECT_FALSE(worker.Start([] {}));
    EXPECT_TRUE(worker.IsFinished());
    Platform::Thread::InjectStartFailure(false);
}

TEST(MessageBox, FallsBackToStderrWithoutADisplay)
{
    // The tests run with SDL's offscreen driver: no box can be shown.
    testing::internal::CaptureStderr();
    Platform::ShowMessageBox("Brindlemoor", "Unhandled exception!");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Brindlemoor: Unhandled exception!\n");
}
