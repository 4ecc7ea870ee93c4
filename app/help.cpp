// Help texts and the about button.
#include "app/help.h"

#include "app/game.h"

namespace quorl {

HelpPanel::HelpPanel(Game& g) : g_(g) {
  g.ui.add("Command1", Kind::Button);
  g.ui.add("Label13", Kind::Label);
  g.addPicture("Image1", Kind::Picture, 0, 0, 0, 0, rgb(0, 0, 0));
}

}  // namespace quorl
