// Help texts and the about button.
#include "app/help.h"

#include "app/game.h"

namespace quorl {

HelpPanel::HelpPanel(Game& g) : g_(g) {
  Control& about = g.ui.add("Command1", Kind::Button);
  about.caption = "\u2609";  // the button's picture: a sun
  about.fontName = "DejaVu Sans";
  about.fontSize = 11;
  about.back = rgb(40, 48, 72);
  about.fore = rgb(255, 223, 128);
  // Sized, and given its click, together with the about window it opens.

  // The opening help lies on the sky of the main view until the first system is made.
  Control& aim = g.ui.add("Label13", Kind::Label);
  aim.caption =
      "The aim: build a stable solar system with as many living worlds as you can.\r"
      "Pick a preset [1-9] to blow a supernova into a cloud of young planets,\r"
      "or [10] to start with a single large world beside the star.\r"
      "Watch the worlds orbit, collide and fuse; select one to grow air, water and life,\r"
      "then send comets and spacecraft to carry that life to other worlds.";
  aim.fontName = "DejaVu Sans";
  aim.fontSize = 10;
  aim.fore = rgb(170, 200, 255);
  aim.back = rgb(0, 0, 0);
  aim.left = 600;
  aim.top = 600;
  aim.width = 11400;
  aim.height = 3600;

  g.addPicture("Image1", Kind::Picture, 0, 0, 0, 0, rgb(0, 0, 0));
}

}  // namespace quorl
