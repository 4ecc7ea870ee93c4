// The once-a-second clock and the score.
#pragma once
#include "ui/control_table.h"

namespace quorl {

class Game;

class ClockScore {
 public:
  explicit ClockScore(Game& g);

  struct Controls {
    Handle TimerJo;
    Handle LabvirT, LabHi, Labrat, LabAllhi, Lalif, TxStable, Labi;
  } c;

 private:
  Game& g_;
};

}  // namespace quorl
