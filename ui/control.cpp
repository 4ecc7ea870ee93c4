// Event semantics of the controls.
#include "ui/control.h"

#include <algorithm>

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
  if (kind == Kind::Form || kind == Kind::Picture || kind == Kind::Label || kind == Kind::Frame) back_ = rgb(0, 0, 0);
  if (kind == Kind::TextBox) back_ = rgb(255, 255, 255);
  if (kind == Kind::Timer) enabled_ = false;
  touch(kAllAspects);
}

void Control::touch(unsigned aspect) {
  if (changed_ == 0) ui_.markChanged(*this);
  changed_ |= aspect;
}

unsigned Control::takeChanged() {
  const unsigned c = changed_;
  changed_ = 0;
  return c;
}

void Control::fire(const std::function<void()>& handler) {
  if (handler) ui_.fire(handler);
}

void Control::setPlace(int left, int top, int width, int height) {
  setLeft(left);
  setTop(top);
  setWidth(width);
  setHeight(height);
}

void Control::setLine(int x1, int y1, int x2, int y2) {
  if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_) return;
  x1_ = x1, y1_ = y1, x2_ = x2, y2_ = y2;
  touch(kGeometry);
}

void Control::setSteps(int small, int large) {
  if (small == smallChange_ && large == largeChange_) return;
  smallChange_ = small, largeChange_ = large;
  touch(kRange);
}

void Control::setText(const std::string& t) {
  if (t == text_) return;
  text_ = t;
  touch(kText);
  fire(onChange);
}

void Control::setValue(int v) {
  if (kind == Kind::CheckBox) return setChecked(v != 0);
  if (kind == Kind::Option) {
    if (v) choose();
    else if (value_ != 0) value_ = 0, touch(kValue);
    return;
  }
  if (v < min_ || v > max_)
    throw InvalidValueError("Invalid value " + std::to_string(v) + " for " + name + " (" + std::to_string(min_) + ".." +
                            std::to_string(max_) + ")");
  if (v == value_) return;
  value_ = v;
  touch(kValue);
  fire(onChange);
}

void Control::setRange(int lo, int hi) {
  if (lo != min_ || hi != max_) touch(kRange);
  min_ = lo;
  max_ = hi;
  int v = value_ < lo ? lo : value_ > hi ? hi : value_;
  if (v != value_) {
    value_ = v;
    touch(kValue);
    fire(onChange);
  }
}

void Control::setChecked(bool on) {
  int v = on ? 1 : 0;
  if (v == value_) return;
  value_ = v;
  touch(kValue);
  fire(onClick);
}

void Control::choose() {
  for (Control& other : ui_.all())
    if (&other != this && other.kind == Kind::Option && other.group == group && other.value_ != 0) {
      other.value_ = 0;
      other.touch(kValue);
    }
  if (value_ != 1) value_ = 1, touch(kValue);
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
  if (on == enabled_) return;
  enabled_ = on;
  if (kind == Kind::Timer) ui_.timerChanged(*this);
  else touch(kEnabled);
}

void Control::tick() {
  if (timerRunning()) fire(onTick);
}

Control::Snapshot Control::snapshot() const {
  return {caption_,  toolTip_,     text_,        parent_, fontName_, fore_,   back_,     visible_, enabled_,
          readOnly_, fontBold_,    left_,        top_,    width_,    height_, x1_,       y1_,      x2_,
          y2_,       smallChange_, largeChange_, value_,  min_,      max_,    interval_, fontSize_};
}

void Control::restore(const Snapshot& s) {
  caption_ = s.caption, toolTip_ = s.toolTip, text_ = s.text, parent_ = s.parent, fontName_ = s.fontName;
  fore_ = s.fore, back_ = s.back;
  visible_ = s.visible, enabled_ = s.enabled, readOnly_ = s.readOnly, fontBold_ = s.fontBold;
  left_ = s.left, top_ = s.top, width_ = s.width, height_ = s.height;
  x1_ = s.x1, y1_ = s.y1, x2_ = s.x2, y2_ = s.y2;
  smallChange_ = s.smallChange, largeChange_ = s.largeChange;
  value_ = s.value, min_ = s.min, max_ = s.max, interval_ = s.interval;
  fontSize_ = s.fontSize;
  touch(kAllAspects);
  if (kind == Kind::Timer) ui_.timerChanged(*this);
}

void setClamped(Control& bar, double v) {
  if (bar.max() <= bar.min()) return;
  const double lo = bar.min(), hi = bar.max();
  bar.setValue(static_cast<int>(std::clamp(v, lo, hi)));
}

}  // namespace quorl
