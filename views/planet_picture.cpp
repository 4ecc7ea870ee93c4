// The picture of the selected world and those after it.
#include "views/planet_picture.h"

#include "app/game.h"

namespace quorl {

PlanetPicture::PlanetPicture(Game& g) : g_(g) {
  g.addPicture("PicWorld", Kind::Picture, 0, 0, 4000, 2000, rgb(0, 0, 0));
  {
    Control& t = g.ui.add("TimWo", Kind::Timer);
    t.setInterval(2000);
    t.setEnabled(false);
  }
}

}  // namespace quorl
