// A small pool of worker threads that share a list of tasks with the calling thread. Workers are made
// once and sleep on a condition variable between jobs, after a spin of a few microseconds, or of at
// most 150 microseconds when told a job follows (warm); a paused game or an idle window costs no CPU.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quorl {

class WorkerPool {
 public:
  // `threads` counts the calling thread: a pool of 1 runs everything on the caller.
  explicit WorkerPool(int threads);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // One pool for each thread count, made on first use and kept for the run.
  static WorkerPool& shared(int threads);

  int threads() const { return static_cast<int>(workers_.size()) + 1; }

  // Runs task(t) for every t in 0..tasks-1, each exactly once, spread over the threads as they come
  // free. The caller first runs `first()` (work only it may do, while the workers start) and then
  // takes tasks too; run returns when every task is done. Neither may throw.
  template <class Task, class First>
  void run(int tasks, const Task& task, const First& first) {
    runErased(
        tasks, [](const void* f, int t) { (*static_cast<const Task*>(f))(t); }, &task,
        [](const void* f) { (*static_cast<const First*>(f))(); }, &first);
  }
  template <class Task>
  void run(int tasks, const Task& task) {
    run(tasks, task, [] {});
  }

  // Says a job follows shortly: sleeping workers wake now (waking takes tens of microseconds) and wait
  // for it spinning, 150 microseconds at most, so that they start with it; awake ones keep waiting.
  void warm();

 private:
  using TaskFn = void (*)(const void*, int);
  using FirstFn = void (*)(const void*);
  void runErased(int tasks, TaskFn task, const void* taskCtx, FirstFn first, const void* firstCtx);
  void work();
  void drain();

  // The job word: generation (high 32 bits), a closed flag, and how many workers are inside the job.
  static constexpr std::uint64_t kClosed = 1ull << 31;
  static constexpr std::uint64_t kActive = kClosed - 1;
  std::atomic<std::uint64_t> job_{kClosed};
  std::atomic<int> next_{0};
  int tasks_ = 0;
  TaskFn task_ = nullptr;
  const void* taskCtx_ = nullptr;

  std::mutex runLock_;  // one job at a time
  std::mutex sleep_;
  std::condition_variable wake_, done_;
  bool stop_ = false;
  unsigned warmth_ = 0;  // warm() calls, under sleep_
  std::vector<std::thread> workers_;
};

}  // namespace quorl
