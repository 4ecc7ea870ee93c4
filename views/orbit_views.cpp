// The orbit views: plotting bodies and debris, clearing and auto clear.
#include "views/orbit_views.h"

#include "app/game.h"

namespace quorl {

OrbitViews::OrbitViews(Game& g) : g_(g) {
  g.addPicture("PiZX", Kind::Picture, 2400, 8880, 10455, 2400, rgb(0, 0, 0));
  g.addPicture("PiZY", Kind::Picture, 12840, 2400, 2415, 6495, rgb(0, 0, 0));
  g.addPicture("LOxy", Kind::Picture, 12840, 8880, 2415, 2415, rgb(0, 0, 16));
  g.addPicture("LoZX", Kind::Picture, 0, 8880, 2415, 2415, rgb(0, 0, 16));
  g.addPicture("LoZY", Kind::Picture, 12840, 0, 2415, 2415, rgb(0, 0, 16));
  g.ui.add("Command4", Kind::Button);
  g.ui.add("CHacs", Kind::CheckBox);
  g.ui.add("Hacl", Kind::HScroll);
  g.ui.add("TXref", Kind::TextBox);
  {
    Control& t = g.ui.add("Tiball", Kind::Timer);
    t.setInterval(1000);
    t.setEnabled(false);
  }
}

}  // namespace quorl
