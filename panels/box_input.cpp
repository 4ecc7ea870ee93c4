// Reading a number typed into a box.
#include "panels/box_input.h"

#include <cmath>

#include "sim/numbers.h"

namespace quorl {

double readBox(World& w, Control& box, const char* what) {
  const std::string typed = box.text();
  const double v = Val(typed);
  double strict = 0;
  // A number too large for a double reads as infinite; the box's limits or refusal deal with it.
  if (!parseStrict(typed, strict) && std::isfinite(v)) {
    box.setText(plain(v));
    w.status(std::string(what) + ": \"" + typed + "\" is not a number; read as " + plain(v));
  }
  return v;
}

void refuseBox(World& w, Control& box, const std::string& keep, const std::string& why) {
  const std::string typed = box.text();
  box.setText(keep);
  w.status(why + ": \"" + typed + "\" cannot be used; kept " + keep);
}

}  // namespace quorl
