// Event semantics of the controls.
#include "ui/control.h"

#include "ui/errors.h"
#include "ui/ui.h"

namespace quorl {

const char* kindName(Kind k) {
  switch (k) {
    case Kind::Form: return "form";
    case Kind::Label: return "label";
    case Kind::TextBox: return "textbox";
    case Kind::Button: return "button";
    case Kind::CheckBox: return "checkbox";
    case Kind::Option: return "option";
    case Kind::HScroll: return "hscroll";
    case Kind::VScroll: return "vscroll";
    case Kind::Frame: return "frame";
    case Kind::Picture: return "picture";
    case Kind::Shape: return "shape";
    case Kind::Line: return "line";
    case Kind::Timer: return "timer";
  }
  return "?";
}

Control::Control(Ui& ui, std::string n, Kind k) : name(std::move(n)), kind(k), ui_(ui) {
  if (kind == Kind::Form || kind == Kind::Picture || kind == Kind::Label || kind == Kind::Frame) back = rgb(0, 0, 0);
  if (kind == Kind::TextBox) back = rgb(255, 255, 255);
}

void Control::fire(const std::function<void()>& handler) {
  if (handler) ui_.fire(handler);
}

void Control::setText(const std::string& t) {
  if (t == text_) return;
  text_ = t;
  fire(onChange);
}

void Control::setValue(int v) {
  if (kind == Kind::CheckBox) return setChecked(v != 0);
  if (kind == Kind::Option) {
    if (v) choose();
    else value_ = 0;
    return;
  }
  if (v < min_ || v > max_)
    throw InvalidValueError("Invalid value " + std::to_string(v) + " for " + name + " (" + std::to_string(min_) +
                            ".." + std::to_string(max_) + ")");
  if (v == value_) return;
  value_ = v;
  fire(onChange);
}

void Control::setRange(int lo, int hi) {
  min_ = lo;
  max_ = hi;
  int v = value_ < lo ? lo : value_ > hi ? hi : value_;
  if (v != value_) {
    value_ = v;
    fire(onChange);
  }
}

void Control::setChecked(bool on) {
  int v = on ? 1 : 0;
  if (v == value_) return;
  value_ = v;
  fire(onClick);
}

void Control::choose() {
  for (Control& other : ui_.all())
    if (&other != this && other.kind == Kind::Option && other.group == group) other.value_ = 0;
  value_ = 1;
  fire(onClick);
}

void Control::press() {
  switch (kind) {
    case Kind::CheckBox: setChecked(!checked()); break;
    case Kind::Option: choose(); break;
    default: fire(onClick); break;
  }
}

void Control::gainFocus() { fire(onGotFocus); }
void Control::loseFocus() { fire(onLostFocus); }

void Control::setInterval(int ms) {
  interval_ = ms < 0 ? 0 : ms;
  if (kind == Kind::Timer) ui_.timerChanged(*this);
}

void Control::setEnabled(bool on) {
  if (kind != Kind::Timer) {
    enabled = on;
    return;
  }
  if (on == enabled) return;
  enabled = on;
  ui_.timerChanged(*this);
}

void Control::tick() {
  if (timerRunning()) fire(onTick);
}

}  // namespace quorl
