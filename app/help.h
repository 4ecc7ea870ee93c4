// Help texts and the about button.
#pragma once

namespace quorl {

class Game;

class HelpPanel {
 public:
  explicit HelpPanel(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
