// The orbit views: plotting bodies and debris, clearing and auto clear.
#pragma once

namespace quorl {

class Game;

class OrbitViews {
 public:
  explicit OrbitViews(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
