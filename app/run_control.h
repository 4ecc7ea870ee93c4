// Starting, pausing and resuming, and the preset-button animation.
#pragma once

namespace quorl {

class Game;

class RunControl {
 public:
  explicit RunControl(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
