// The zoom view that follows the selected world.
#pragma once

namespace quorl {

class Game;

class ZoomView {
 public:
  explicit ZoomView(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
