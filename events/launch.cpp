// Launching craft and comets.
#include "events/launch.h"

#include "app/game.h"

namespace quorl {

LaunchPanel::LaunchPanel(Game& g) : g_(g) {
  g.ui.add("Frame4", Kind::Frame);
  Control& power = g.ui.add("SCRpowER", Kind::HScroll);
  power.setRange(1, 10000);
  power.setValue(7000);
  Control& angle = g.ui.add("ScrAngle", Kind::HScroll);
  angle.setRange(0, 6284);
  angle.setValue(4200);
  g.ui.add("ScrStation", Kind::HScroll);
}

}  // namespace quorl
