// The window's controls by name, the timers, and the gate where events enter the core.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/control.h"

namespace quorl {

class Ui {
 public:
  Ui() = default;
  Ui(const Ui&) = delete;
  Ui& operator=(const Ui&) = delete;

  // Creates a control; names are unique ("CDp(3)" for element 3 of an array).
  Control& add(const std::string& name, Kind kind);
  Control* find(const std::string& name);
  Control& at(const std::string& name);  // throws std::out_of_range for an unknown name
  const std::deque<Control>& all() const { return controls_; }
  std::deque<Control>& all() { return controls_; }

  // Runs a handler as an event. The outermost event catches a GameError and reports it, so the
  // program goes on; nested events (a press from inside a handler) let it travel up.
  void fire(const std::function<void()>& handler);
  std::function<void(const std::string&)> report;  // shows an error in the status line
  int depth() const { return depth_; }

  // Timers in virtual time (the Qt layer runs them on real timers instead).
  std::int64_t now() const { return nowMs_; }
  // Fires enabled timers in time order until `ms` more milliseconds have passed.
  void advance(std::int64_t ms);
  // Called when a timer is started, stopped or given a new interval.
  void timerChanged(Control& timer);
  std::function<void(Control&)> onTimerChanged;  // the Qt layer maps this to QTimer

 private:
  std::deque<Control> controls_;
  std::unordered_map<std::string, Control*> byName_;
  std::unordered_map<const Control*, std::int64_t> due_;
  int depth_ = 0;
  std::int64_t nowMs_ = 0;
};

}  // namespace quorl
