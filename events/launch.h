// Launching craft and comets.
#pragma once

namespace quorl {

class Game;

class LaunchPanel {
 public:
  explicit LaunchPanel(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
