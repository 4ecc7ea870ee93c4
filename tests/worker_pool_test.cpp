// The worker pool: every task once, the workers really share the work, and idle workers cost no CPU.
#include "sim/worker_pool.h"

#include <gtest/gtest.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace quorl {
namespace {

TEST(WorkerPool, EveryTaskRunsOnceAndTheCallersWorkOnTheCaller) {
  for (int threads : {1, 2, 3, 5})
    for (int tasks : {0, 1, 2, 7, 1000}) {
      WorkerPool pool(threads);
      EXPECT_EQ(pool.threads(), threads);
      std::vector<std::atomic<int>> runs(static_cast<std::size_t>(tasks));
      const auto caller = std::this_thread::get_id();
      int firstRuns = 0;
      for (int round = 0; round < 3; ++round)
        pool.run(
            tasks, [&](int t) { runs[static_cast<std::size_t>(t)] += 1; },
            [&] { firstRuns += std::this_thread::get_id() == caller; });
      for (int t = 0; t < tasks; ++t) EXPECT_EQ(runs[static_cast<std::size_t>(t)], 3) << threads << "/" << tasks;
      EXPECT_EQ(firstRuns, 3);
    }
}

TEST(WorkerPool, WorkersTakeTasksWhileTheCallerIsBusy) {
  // The caller's own work waits until a task has run: only a worker can have taken it.
  WorkerPool pool(3);
  for (int round = 0; round < 20; ++round) {
    std::atomic<bool> taken{false};
    pool.run(
        64, [&](int) { taken = true; },
        [&] {
          const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
          while (!taken && std::chrono::steady_clock::now() < until) std::this_thread::yield();
        });
    ASSERT_TRUE(taken) << "round " << round;
  }
}

TEST(WorkerPool, ManyShortJobsInARowAndPoolsSharedByThreadCount) {
  WorkerPool& two = WorkerPool::shared(2);
  EXPECT_EQ(&two, &WorkerPool::shared(2));
  EXPECT_NE(&two, &WorkerPool::shared(3));
  EXPECT_EQ(WorkerPool::shared(3).threads(), 3);
  EXPECT_EQ(WorkerPool::shared(0).threads(), 1);
  long long sum = 0;
  for (int job = 0; job < 20000; ++job) {
    std::atomic<long long> part{0};
    if (job % 7 == 0) two.warm();
    two.run(3, [&](int t) { part += t + job; });
    sum += part;
  }
  EXPECT_EQ(sum, 20000LL * 3 + 3LL * (20000LL * 19999 / 2));
}

double processCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

TEST(WorkerPool, IdleAndWarnedWorkersSleep) {
  // A paused game: jobs stop, and a warning that no job follows does not keep the workers spinning.
  WorkerPool pool(3);
  pool.run(8, [](int) {});
  pool.warm();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const double before = processCpuSeconds();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_LT(processCpuSeconds() - before, 0.03);
}

}  // namespace
}  // namespace quorl
