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

}  // namespace quorl
