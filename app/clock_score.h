// The once-a-second clock and the score, and the parameters file that keeps the best score ever.
#pragma once
#include "app/parameters_file.h"
#include "ui/control_table.h"

namespace quorl {

class Game;

class ClockScore {
 public:
  explicit ClockScore(Game& g);

  struct Controls {
    Handle TimerJo;
    Handle CapVirt, LabvirT, TxStable;  // running time and the selected world's orbits
    Handle Labi, Labrat;                // the selected world's score; Labi's colour is its usual one
    Handle CapScore, LabHi;             // best of this system
    Handle CapAllhi, LabAllhi;          // best ever
    Handle CapLife, Lalif;              // class and Celestial part
  } c;

  ParametersFile file;

  // One tick of TimerJo.
  void tick();
  // A new system: an overflow of the score is told again.
  void newSystem() { overflowTold_ = false; }
  bool overflowTold() const { return overflowTold_; }
  void setOverflowTold(bool on) { overflowTold_ = on; }

 private:
  // Seconds since the start, by the time of day and the calendar days since the start's day.
  void clock();
  // The selected world's score this tick.
  std::int32_t score();

  Game& g_;
  bool overflowTold_ = false;
};

}  // namespace quorl
