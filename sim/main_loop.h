// The main loop: motion, gravity, fusion.
#pragma once

namespace quorl {

class Game;

class MainLoop {
 public:
  explicit MainLoop(Game& g);
  // One pass of the loop, without its yield.
  void pass();

 private:
  Game& g_;
};

}  // namespace quorl
