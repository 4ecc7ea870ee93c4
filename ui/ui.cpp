// Registry, change list, event gate and virtual-time timers.
#include "ui/ui.h"

#include <limits>
#include <stdexcept>

#include "ui/errors.h"

namespace quorl {

Ui::Ui(CanvasFactory canvases) : canvases_(std::move(canvases)) {
  if (!canvases_) canvases_ = [](int w, int h, Color bg) { return std::make_unique<RasterCanvas>(w, h, bg); };
}

std::unique_ptr<Canvas> Ui::makeCanvas(int widthUnits, int heightUnits, Color background) const {
  return canvases_(widthUnits, heightUnits, background);
}

Control& Ui::add(const std::string& name, Kind kind) {
  if (byName_.count(name)) throw std::logic_error("duplicate control " + name);
  Control& c = controls_.emplace_back(*this, name, kind);
  byName_[name] = &c;
  return c;
}

Control* Ui::find(const std::string& name) {
  return const_cast<Control*>(static_cast<const Ui&>(*this).find(name));
}

const Control* Ui::find(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

Control& Ui::at(const std::string& name) {
  Control* c = find(name);
  if (!c) throw std::out_of_range("no control named " + name);
  return *c;
}

std::vector<Control*> Ui::takeChanged() {
  std::vector<Control*> out;
  out.swap(changed_);
  return out;
}

void Ui::fire(const std::function<void()>& handler) {
  if (depth_ > 0) {
    ++depth_;
    struct Leave {
      int& d;
      ~Leave() { --d; }
    } leave{depth_};
    handler();
    return;
  }
  ++depth_;
  try {
    handler();
  } catch (const GameError& e) {
    depth_ = 0;
    if (report) report(e.what());
    return;
  } catch (const std::exception& e) {
    // Not a rule's error but a fault of ours: still shown, and the game goes on.
    depth_ = 0;
    if (report) report(std::string("Error: ") + e.what());
    return;
  } catch (...) {
    depth_ = 0;
    throw;
  }
  depth_ = 0;
}

void Ui::timerChanged(Control& timer) {
  if (timer.timerRunning()) due_[&timer] = nowMs_ + timer.interval();
  else due_.erase(&timer);
  if (onTimerChanged) onTimerChanged(timer);
}

Ui::TimerPhases Ui::timerPhases() const {
  TimerPhases p{nowMs_, {}};
  p.due.reserve(controls_.size());
  for (const Control& c : controls_) {
    const auto it = due_.find(&c);
    p.due.push_back(it == due_.end() ? -1 : it->second);
  }
  return p;
}

void Ui::setTimerPhases(const TimerPhases& p) {
  nowMs_ = p.now;
  due_.clear();
  std::size_t i = 0;
  for (const Control& c : controls_) {
    if (i < p.due.size() && p.due[i] >= 0 && c.timerRunning()) due_[&c] = p.due[i];
    ++i;
  }
}

void Ui::advance(std::int64_t ms, const std::function<void(Control&)>& tick) {
  const std::int64_t end = nowMs_ + ms;
  for (;;) {
    // The earliest due timer; ties go to the one created first.
    Control* next = nullptr;
    std::int64_t when = std::numeric_limits<std::int64_t>::max();
    for (Control& c : controls_) {
      if (c.kind != Kind::Timer || !c.timerRunning()) continue;
      auto it = due_.find(&c);
      if (it != due_.end() && it->second < when) when = it->second, next = &c;
    }
    if (!next || when > end) break;
    nowMs_ = when;
    due_[next] = when + next->interval();
    if (tick) tick(*next);
    else next->tick();
  }
  nowMs_ = end;
}

}  // namespace quorl
