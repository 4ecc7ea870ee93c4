// The worker pool: a job word that workers join while it is open, tasks taken from a shared counter.
#include "sim/worker_pool.h"

#include <chrono>

namespace quorl {

namespace {

// Long enough to catch a job that follows at once, short enough that waiting costs nothing.
constexpr auto kSpin = std::chrono::microseconds(4);
// A warned worker waits this long for its job at most (a pass's set-up takes some tens of microseconds).
constexpr auto kWarmSpin = std::chrono::microseconds(150);
constexpr int kMaxThreads = 64;

inline void relax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// Spins until done() holds or `limit` has passed; returns done().
template <class Done>
bool spinFor(Done done, std::chrono::microseconds limit = kSpin) {
  const auto until = std::chrono::steady_clock::now() + limit;
  for (unsigned k = 1;; ++k) {
    if (done()) return true;
    relax();
    if (k % 16 == 0 && std::chrono::steady_clock::now() >= until) return done();
  }
}

}  // namespace

WorkerPool::WorkerPool(int threads) {
  for (int w = 1; w < threads; ++w) workers_.emplace_back([this] { work(); });
}

WorkerPool::~WorkerPool() {
  {
    std::lock_guard<std::mutex> lock(sleep_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : workers_) t.join();
}

WorkerPool& WorkerPool::shared(int threads) {
  static std::mutex made;
  static std::vector<std::unique_ptr<WorkerPool>> pools(kMaxThreads + 1);
  threads = threads < 1 ? 1 : threads > kMaxThreads ? kMaxThreads : threads;
  std::lock_guard<std::mutex> lock(made);
  auto& pool = pools[static_cast<std::size_t>(threads)];
  if (!pool) pool = std::make_unique<WorkerPool>(threads);
  return *pool;
}

void WorkerPool::drain() {
  for (int t; (t = next_.fetch_add(1, std::memory_order_relaxed)) < tasks_;) task_(taskCtx_, t);
}

void WorkerPool::runErased(int tasks, TaskFn task, const void* taskCtx, FirstFn first, const void* firstCtx) {
  std::lock_guard<std::mutex> one(runLock_);
  if (workers_.empty() || tasks <= 1) {
    first(firstCtx);
    for (int t = 0; t < tasks; ++t) task(taskCtx, t);
    return;
  }
  // No worker is inside the last job (it was closed and emptied), so the job's fields are free.
  tasks_ = tasks, task_ = task, taskCtx_ = taskCtx;
  next_.store(0, std::memory_order_relaxed);
  const std::uint64_t generation = (job_.load(std::memory_order_relaxed) >> 32) + 1;
  job_.store(generation << 32, std::memory_order_release);
  {
    // A worker between its test and its wait holds the lock: it sees the new job or gets the notice.
    std::lock_guard<std::mutex> lock(sleep_);
  }
  wake_.notify_all();

  first(firstCtx);
  drain();

  // Close the job: a worker that has not joined yet stays out; wait for those inside.
  const auto empty = [this] { return (job_.load(std::memory_order_acquire) & kActive) == 0; };
  job_.fetch_or(kClosed, std::memory_order_acq_rel);
  if (!spinFor(empty)) {
    std::unique_lock<std::mutex> lock(sleep_);
    done_.wait(lock, empty);
  }
}

void WorkerPool::warm() {
  if (workers_.empty()) return;
  {
    std::lock_guard<std::mutex> lock(sleep_);
    ++warmth_;
  }
  wake_.notify_all();
}

void WorkerPool::work() {
  std::uint64_t seen = 0;  // the generation of the closed job the pool starts with
  unsigned warmth = 0;
  const auto fresh = [&] { return (job_.load(std::memory_order_acquire) >> 32) != seen; };
  for (;;) {
    if (!spinFor(fresh)) {
      std::unique_lock<std::mutex> lock(sleep_);
      wake_.wait(lock, [&] { return stop_ || fresh() || warmth != warmth_; });
      if (stop_) return;
      const bool warned = warmth != warmth_;
      warmth = warmth_;
      lock.unlock();
      if (warned && !spinFor(fresh, kWarmSpin)) continue;  // no job came: sleep again
    }
    std::uint64_t job = job_.load(std::memory_order_acquire);
    seen = job >> 32;
    bool joined = false;
    while (!joined && !(job & kClosed) && (job >> 32) == seen)
      joined = job_.compare_exchange_weak(job, job + 1, std::memory_order_acq_rel, std::memory_order_acquire);
    if (!joined) continue;
    drain();
    const std::uint64_t left = job_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if ((left & kClosed) && (left & kActive) == 0) {
      std::lock_guard<std::mutex> lock(sleep_);
      done_.notify_one();
    }
  }
}

}  // namespace quorl
