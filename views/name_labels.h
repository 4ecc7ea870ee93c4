// Body names printed on the main view.
#pragma once

namespace quorl {

class Game;

class NameLabels {
 public:
  explicit NameLabels(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
