// Building a new system from a preset.
#pragma once

namespace quorl {

class Game;

class Creation {
 public:
  explicit Creation(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
