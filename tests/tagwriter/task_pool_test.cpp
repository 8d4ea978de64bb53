// The writer's task pool: every task of a call runs once, the call returns when all are done, and
// threads calling at once each get their own tasks done.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "player/tagwriter/TaskPool.h"

namespace {

using player::tagwriter::TaskPool;

TEST(TaskPool, EveryTaskRunsOnceAndTheCallReturnsWhenAllAreDone) {
    TaskPool pool(7);
    for (int round = 0; round < 50; ++round) {
        const std::size_t count = 1 + static_cast<std::size_t>(round) * 3;
        std::vector<std::atomic<int>> runs(count);
        pool.for_each(count, [&](std::size_t k) {
            if (k % 5 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
            ++runs[k];
        });
        for (std::size_t k = 0; k < count; ++k) ASSERT_EQ(runs[k].load(), 1) << "round " << round << ", task " << k;
    }
}

TEST(TaskPool, TasksRunSideBySide) {
    TaskPool pool(3);
    std::atomic<int> running{0}, most{0};
    pool.for_each(4, [&](std::size_t) {
        int now = ++running;
        for (int seen = most.load(); now > seen && !most.compare_exchange_weak(seen, now);) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        --running;
    });
    EXPECT_GT(most.load(), 1);
}

TEST(TaskPool, CallersOnSeveralThreadsEachGetTheirOwnTasksDone) {
    TaskPool pool(2);
    std::vector<std::atomic<int>> runs(4 * 100);
    std::vector<std::thread> callers;
    for (int c = 0; c < 4; ++c) {
        callers.emplace_back([&, c] {
            for (int round = 0; round < 10; ++round)
                pool.for_each(10, [&](std::size_t k) { ++runs[static_cast<std::size_t>(c * 100 + round * 10) + k]; });
        });
    }
    for (auto& caller : callers) caller.join();
    for (std::size_t k = 0; k < runs.size(); ++k) EXPECT_EQ(runs[k].load(), 1) << k;
}

}  // namespace
