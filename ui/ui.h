// The window's controls: the registry that resolves names (for the window and the driver only), the
// list of changed controls, the timers, and the gate where events enter the core.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/control.h"

namespace quorl {

using CanvasFactory = std::function<std::unique_ptr<Canvas>(int widthUnits, int heightUnits, Color background)>;

class Ui {
 public:
  // Drawing areas get their canvas from `canvases`; empty: headless raster canvases.
  explicit Ui(CanvasFactory canvases = {});
  Ui(const Ui&) = delete;
  Ui& operator=(const Ui&) = delete;

  // Creates a control; names are unique ("CDp(3)" for element 3 of an array).
  Control& add(const std::string& name, Kind kind);
  // The registry: names from text, for the window and the driver. The core uses handles.
  Control* find(const std::string& name);
  const Control* find(const std::string& name) const;
  Control& at(const std::string& name);  // throws std::out_of_range for an unknown name
  const std::deque<Control>& all() const { return controls_; }
  std::deque<Control>& all() { return controls_; }
  // A new canvas for a drawing area of the given size.
  std::unique_ptr<Canvas> makeCanvas(int widthUnits, int heightUnits, Color background) const;

  // Controls whose properties changed since the last call, each once, in the order they first changed.
  std::vector<Control*> takeChanged();
  void markChanged(Control& c) { changed_.push_back(&c); }

  // Runs a handler as an event. The outermost event catches every error and reports it, so the program
  // goes on; nested events (a press from inside a handler) let it travel up.
  void fire(const std::function<void()>& handler);
  std::function<void(const std::string&)> report;  // shows an error in the status line
  int depth() const { return depth_; }

  // Timers in virtual time (the Qt layer runs them on real timers instead).
  std::int64_t now() const { return nowMs_; }
  // Fires enabled timers in time order until `ms` more milliseconds have passed; `tick` fires each one
  // (the game hands it on as an input), else the timer ticks itself.
  void advance(std::int64_t ms, const std::function<void(Control&)>& tick = {});
  // Where virtual time stands and when each timer is next due (-1: not running), by control in the order
  // they were made; put back, the timers fire as they would have from there.
  struct TimerPhases {
    std::int64_t now = 0;
    std::vector<std::int64_t> due;
    bool operator==(const TimerPhases&) const = default;
  };
  TimerPhases timerPhases() const;
  void setTimerPhases(const TimerPhases& p);
  // Called when a timer is started, stopped or given a new interval.
  void timerChanged(Control& timer);
  std::function<void(Control&)> onTimerChanged;  // the Qt layer maps this to QTimer

 private:
  CanvasFactory canvases_;
  std::deque<Control> controls_;
  std::unordered_map<std::string, Control*> byName_;
  std::vector<Control*> changed_;
  std::unordered_map<const Control*, std::int64_t> due_;
  int depth_ = 0;
  std::int64_t nowMs_ = 0;
};

}  // namespace quorl
