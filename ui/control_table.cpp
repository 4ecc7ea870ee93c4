// Controls made from table rows.
#include "ui/control_table.h"

#include <stdexcept>

#include "ui/errors.h"

namespace quorl {

Control& Handle::get() const {
  // Only a row missing from a panel's table leaves a handle unbound.
  if (!c_) throw std::logic_error("a control handle was used before its control was declared");
  return *c_;
}

Control* ControlArray::find(int i) const {
  if (i < first_ || i > last()) return nullptr;
  return items_[static_cast<std::size_t>(i - first_)];
}

Control& ControlArray::operator[](int i) const {
  Control* c = find(i);
  if (!c) throw GameError("No control " + name_ + "(" + std::to_string(i) + ")");
  return *c;
}

void ControlArray::add(int index, Control& c) {
  if (items_.empty()) {
    first_ = index;
    name_ = c.name.substr(0, c.name.find('('));
  }
  if (index != last() + 1) throw std::logic_error("array elements of " + name_ + " out of order");
  items_.push_back(&c);
}

Control& declareControl(Ui& ui, const ControlSpec& spec, int index) {
  const std::string name = index < 0 ? spec.name : std::string(spec.name) + "(" + std::to_string(index) + ")";
  Control& c = ui.add(name, spec.kind);
  if (index >= 0 && spec.kind == Kind::Option) c.group = spec.name;
  c.setParent(spec.parent);
  c.setPlace(spec.place.left, spec.place.top, spec.place.width, spec.place.height);
  if (spec.caption) c.setCaption(spec.caption);
  if (spec.toolTip) c.setToolTip(spec.toolTip);
  if (spec.fore) c.setFore(*spec.fore);
  if (spec.back) c.setBack(*spec.back);
  if (spec.font) c.setFontName(spec.font);
  if (spec.fontSize > 0) c.setFontSize(spec.fontSize);
  c.setFontBold(spec.bold);
  c.setVisible(!spec.hidden);
  c.setReadOnly(spec.readOnly);
  c.multiLine = spec.multiLine;
  if (spec.text) c.setText(spec.text);
  if (spec.bar) {
    c.setRange(spec.bar->min, spec.bar->max);
    c.setSteps(spec.bar->small, spec.bar->large);
    c.setValue(spec.bar->value);
  }
  if (spec.kind == Kind::Form || spec.kind == Kind::Picture)
    c.canvas = ui.makeCanvas(spec.place.width, spec.place.height, c.back());
  if (spec.kind == Kind::Timer) {
    c.setInterval(spec.interval);
    c.setEnabled(spec.running);
  }
  return c;
}

}  // namespace quorl
