// The event loop run from a test: until something holds, or for a while.
#pragma once
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>
#include <functional>

namespace quorl::testing {

// Runs the event loop until `done` holds; false when `ms` milliseconds pass first.
inline bool waitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

inline void runFor(int ms) {
  waitFor([] { return false; }, ms);
}

// Waits until a window is on the screen; false after ten seconds.
inline bool shown(QWidget& window) {
  return waitFor([&] { return window.windowHandle() && window.windowHandle()->isExposed(); }, 10000);
}

}  // namespace quorl::testing
