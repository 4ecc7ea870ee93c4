// Planet classes and the colour code.
#pragma once

namespace quorl {

class Game;

class ClassSort {
 public:
  explicit ClassSort(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
