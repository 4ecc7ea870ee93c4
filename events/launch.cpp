// Launching craft and comets.
#include "events/launch.h"

#include "app/game.h"

namespace quorl {

LaunchPanel::LaunchPanel(Game& g) : g_(g) {
  g.ui.add("Frame4", Kind::Frame);
  g.ui.add("SCRpowER", Kind::HScroll);
  g.ui.add("ScrAngle", Kind::HScroll);
  g.ui.add("ScrStation", Kind::HScroll);
}

}  // namespace quorl
