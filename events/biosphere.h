// Atmosphere, water and life.
#pragma once

namespace quorl {

class Game;

class Biosphere {
 public:
  explicit Biosphere(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
