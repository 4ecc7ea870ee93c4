// The zoom view that follows the selected world.
#include "views/zoom_view.h"

#include "app/game.h"

namespace quorl {

ZoomView::ZoomView(Game& g) : g_(g) {
  g.ui.add("FraMoon", Kind::Frame);
  g.addPicture("PicMoon", Kind::Picture, 0, 0, 8760, 8000, rgb(0, 0, 0));
  g.addPicture("PicSide", Kind::Picture, 0, 8000, 8760, 4695, rgb(0, 0, 0));
  g.ui.add("ScaleScroll", Kind::HScroll);
  g.addArray("OpZo", Kind::Option, 0, 3);
  g.ui.add("TXmoonzoom", Kind::TextBox);
  g.ui.add("txZZ", Kind::TextBox);
  g.ui.add("Hippo", Kind::HScroll);
  g.ui.add("ChNom", Kind::CheckBox);
  g.ui.add("ChGlob", Kind::CheckBox);
  g.ui.add("ZkrolHorz", Kind::HScroll);
  g.ui.add("ZkrolVert", Kind::VScroll);
  g.ui.add("LaVel", Kind::Label);
  g.ui.add("LaLocal", Kind::Label);
  g.ui.add("Text4", Kind::TextBox);
  {
    Control& t = g.ui.add("TimZkrol", Kind::Timer);
    t.setInterval(120);
    t.setEnabled(true);
  }
}

}  // namespace quorl
