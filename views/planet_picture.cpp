// The picture of the selected world and those after it.
#include "views/planet_picture.h"

#include "app/game.h"

namespace quorl {

PlanetPicture::PlanetPicture(Game& g) : g_(g) {
  // A strip along the bottom of the main view; start-up gives it its top.
  g.addPicture("PicWorld", Kind::Picture, 0, 11280, 15255, 2175, rgb(16, 16, 0));
  {
    Control& t = g.ui.add("TimWo", Kind::Timer);
    t.setInterval(2000);
    t.setEnabled(false);
    t.onTick = [] {};  // the start runs it; the strip it will draw is not built yet
  }
}

}  // namespace quorl
