#include "engine/core/MemoryManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"

#include <gtest/gtest.h>

#include <thread>

using namespace VantoranEngine;

namespace {

class MemoryManagerTest : public ::testing::Test {
protected:
    MessageManager log{"", "", "Test", false, false};
    MemoryManager pool{&log};
};

} // namespace

TEST_F(MemoryManagerTest, BestFitThenSeparateBlocks)
{
    // Three requests of 3000000 bytes take the 4 MiB blocks in address order; the fourth gets its own.
    void* a = pool.Alloc(3000000, true);
    void* b = pool.Alloc(3000000, true);
    void* c = pool.Alloc(3000000, true);
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    void* d = pool.Alloc(3000000, true);
    pool.Free(d);
    EXPECT_THROW(pool.Free(d), FatalError); // a separate block freed twice

    // 100 bytes: the 32 KiB block, then the 128 KiB one while the first is lent.
    void* small = pool.Alloc(100, true);
    void* next = pool.Alloc(100, true);
    void* big = pool.Alloc(600000, true); // the 1 MiB block: 512 KiB is too small
    pool.Free(small);
    EXPECT_EQ(pool.Alloc(100, true), small);
    pool.Free(next);
    EXPECT_EQ(pool.Alloc(32769, true), next);
    pool.Free(a);
    pool.Free(a); // a pooled block twice is harmless
    EXPECT_EQ(pool.Alloc(4194304, true), a);
    for (void* p : {b, c, big, small, next, a})
        pool.Free(p);
}

TEST_F(MemoryManagerTest, SeparateBlocksWhenAsked)
{
    // Too large for the pool, or reusable clear while pooled blocks are free: separate blocks, which go
    // away when handed back (a second Free is then unknown memory).
    for (auto [size, reusable] : {std::pair{5000000u, true}, std::pair{10u, false}, std::pair{0u, false}}) {
        void* own = pool.Alloc(size, reusable);
        ASSERT_NE(own, nullptr);
        pool.Free(own);
        EXPECT_THROW(pool.Free(own), FatalError) << size;
    }
    pool.Free(nullptr);
}

TEST_F(MemoryManagerTest, UnknownPointersAreFatal)
{
    char local = 0;
    uint8_t* pooled = static_cast<uint8_t*>(pool.Alloc(100, true));
    for (void* p : {static_cast<void*>(&local), static_cast<void*>(pooled + 1)}) {
        try {
            pool.Free(p);
            FAIL() << "Free returned";
        } catch (const FatalError& e) {
            EXPECT_EQ(e.message, "Memory Manager: Failed to free unknown memory");
        }
    }
    const std::vector<LogEntry> entries = log.GetEntries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back().text, "PROGRAM ABORTING: Memory Manager: Failed to free unknown memory\n");
}

TEST_F(MemoryManagerTest, BlockHandleReturnsOnEveryPath)
{
    void* first = nullptr;
    try {
        MemoryBlock block(&pool, 100, true);
        first = block.Get();
        throw FileError("read failed");
    } catch (const FileError&) {
    }
    MemoryBlock again(&pool, 100, true);
    EXPECT_EQ(again.Get(), first);
}

TEST_F(MemoryManagerTest, ThreadsShareThePool)
{
    auto worker = [this] {
        for (int i = 0; i < 2000; ++i)
            pool.Free(pool.Alloc(static_cast<uint32_t>(i * 37), (i % 3) != 0));
    };
    std::thread other(worker);
    worker();
    other.join();
}
