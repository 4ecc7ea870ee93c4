// The path preview's worker: one thread with a copy of the world of its own, which runs the preview's jobs
// one at a time within their time budget and hands each path back on the event loop, so the game's passes
// never wait for it.
#pragma once
#include <QObject>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "app/path_preview.h"

namespace quorl {

class PathWorker : public QObject {
 public:
  // Paths go to `preview`, on the thread that made the worker.
  explicit PathWorker(PathPreview& preview, QObject* parent = nullptr);
  ~PathWorker() override;

  // A path wanted only because the game ran on waits this long after the last one: at Max the game runs
  // through a path in a fraction of a second, and the worker would never rest.
  static constexpr std::chrono::milliseconds kRest{100};

  bool busy() const { return busy_; }
  // Starts the preview's job when it wants one and nothing runs; call it as often as you like.
  void poll();

 private:
  void work();

  PathPreview& preview_;
  bool busy_ = false;                               // on the window's thread: a job is out
  std::chrono::steady_clock::time_point rested_{};  // when the last path came back
  std::mutex lock_;
  std::condition_variable wake_;
  std::optional<PathPreview::Job> job_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace quorl
