// The once-a-second clock and the score.
#pragma once

namespace quorl {

class Game;

class ClockScore {
 public:
  explicit ClockScore(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
