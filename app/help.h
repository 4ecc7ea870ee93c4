// Help texts and the about button.
#pragma once
#include "ui/control_table.h"

namespace quorl {

class Game;

class HelpPanel {
 public:
  explicit HelpPanel(Game& g);

  struct Controls {
    Handle Command1;  // the about button: a picture of a sun
    Handle Label13;   // the help text, on the sky of the main view until the first system is made
    Handle Image1;
  } c;

 private:
  Game& g_;
};

}  // namespace quorl
