// The once-a-second clock and the score.
#include "app/clock_score.h"

#include "app/game.h"

namespace quorl {

ClockScore::ClockScore(Game& g) : g_(g) {
  {
    Control& t = g.ui.add("TimerJo", Kind::Timer);
    t.setInterval(1000);
    t.setEnabled(false);
    t.onTick = [] {};  // the start runs it; the clock and score it will drive are not built yet
  }
  g.ui.add("LabvirT", Kind::Label);
  g.ui.add("LabHi", Kind::Label);
  g.ui.add("Labrat", Kind::Label);
  g.ui.add("LabAllhi", Kind::Label);
  g.ui.add("Lalif", Kind::Label);
  g.ui.add("TxStable", Kind::TextBox);
  g.ui.add("Labi", Kind::Label);
}

}  // namespace quorl
