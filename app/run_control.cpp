// Starting, pausing and resuming, and the preset-button animation.
#include "app/run_control.h"

#include "app/game.h"

namespace quorl {

RunControl::RunControl(Game& g) : g_(g) {
  g.ui.add("Command2", Kind::Button);
  g.ui.add("Command3", Kind::Button);
  g.ui.add("Command5", Kind::Button);
  {
    Control& t = g.ui.add("Tr", Kind::Timer);
    t.setInterval(15);
    t.setEnabled(true);
  }
}

}  // namespace quorl
