// Atmosphere, water and life.
#include "events/biosphere.h"

#include "app/game.h"

namespace quorl {

Biosphere::Biosphere(Game& g) : g_(g) {
  {
    Control& t = g.ui.add("TiK", Kind::Timer);
    t.setInterval(60);
    t.setEnabled(false);
  }
  {
    Control& t = g.ui.add("TimWheel", Kind::Timer);
    t.setInterval(150);
    t.setEnabled(true);
  }
  g.ui.add("FraLif", Kind::Frame);
  g.ui.add("txGG", Kind::TextBox);
  g.ui.add("FraCosmo", Kind::Frame);
  g.addArray("LaMount", Kind::Label, 0, 5);
  g.ui.add("LaNu", Kind::Label);
}

}  // namespace quorl
