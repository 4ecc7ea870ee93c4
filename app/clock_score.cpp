// The once-a-second clock and the score.
#include "app/clock_score.h"

#include "app/game.h"

namespace quorl {

namespace {

using Self = ClockScore::Controls;
const ControlRow<Self> kControls[] = {
    // The start runs it; the clock and score it will drive are not built yet.
    {QUORL_CONTROL(TimerJo), .kind = Kind::Timer, .interval = 1000},
    {QUORL_CONTROL(LabvirT), .kind = Kind::Label},
    {QUORL_CONTROL(LabHi), .kind = Kind::Label},
    {QUORL_CONTROL(Labrat), .kind = Kind::Label},
    {QUORL_CONTROL(LabAllhi), .kind = Kind::Label},
    {QUORL_CONTROL(Lalif), .kind = Kind::Label},
    {QUORL_CONTROL(TxStable), .kind = Kind::TextBox},
    {QUORL_CONTROL(Labi), .kind = Kind::Label},
};

}  // namespace

ClockScore::ClockScore(Game& g) : g_(g) {
  declare(g.ui, c, kControls);
  c.TimerJo->onTick = [] {};
}

}  // namespace quorl
