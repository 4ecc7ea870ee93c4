// The path preview's worker thread.
#include "app/qt/path_worker.h"

#include <QMetaObject>
#include <QPointer>
#include <chrono>
#include <memory>
#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace quorl {

PathWorker::PathWorker(PathPreview& preview, QObject* parent)
    : QObject(parent), preview_(preview), thread_([this] { work(); }) {}

PathWorker::~PathWorker() {
  {
    const std::lock_guard<std::mutex> hold(lock_);
    stop_ = true;  // a running job ends at its next look at the clock
  }
  wake_.notify_one();
  thread_.join();
}

void PathWorker::poll() {
  if (busy_ || !preview_.wanted()) return;
  if (!preview_.urgent() && std::chrono::steady_clock::now() - rested_ < kRest) return;
  PathPreview::Job job = preview_.job();
  job.ask.deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(PathPreview::kBudgetMs);
  job.ask.stop = &stop_;
  busy_ = true;
  {
    const std::lock_guard<std::mutex> hold(lock_);
    job_ = std::move(job);
  }
  wake_.notify_one();
}

void PathWorker::work() {
#if defined(__linux__)
  // Below the window's thread: on a busy machine the game's passes come first, the path waits.
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 5);
#endif
  // One gravity thread: the game's own passes keep the shared workers.
  FutureRun copy;
  copy.setThreads(1);
  for (;;) {
    std::unique_lock<std::mutex> hold(lock_);
    wake_.wait(hold, [this] { return stop_ || job_; });
    if (stop_) return;
    auto job = std::make_shared<PathPreview::Job>(std::move(*job_));
    job_.reset();
    hold.unlock();
    auto path = std::make_shared<Future>(copy.run(*job->state, job->ask));
    QMetaObject::invokeMethod(
        this,
        [this, job, path] {
          busy_ = false;
          rested_ = std::chrono::steady_clock::now();
          preview_.deliver(*job, std::move(*path));
          poll();
        },
        Qt::QueuedConnection);
  }
}

}  // namespace quorl
