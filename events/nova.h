// Novas: a world split in two.
#pragma once
#include <string>

#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class NovaPanel {
 public:
  NovaPanel(World& w, Peers& p);

  struct Controls {
    Handle Command11;     // "Nova"
    Handle FraSpiral;     // the break-up options' frame
    ControlArray OpExIm;  // 0..4: the break-up options
    Handle TXmo;          // "Torque Spin Power"
    Handle Txplod;        // "Explosive randomness", read by creation too
    Handle TxSpread;      // "Pre-calculated dispersal volume", read by creation too
    Handle LaNu;          // the newest worlds, on the sky of the main view
  } c;

  // The click of Command11: splits the selected world, or says why it cannot.
  void nova();
  // Counts a new world, lists it and shows the newest eleven in LaNu; false, with nothing changed, once
  // the list holds its last entry.
  bool addNewWorld(int body);
  // Whether the list of new worlds has no room for another entry.
  bool newWorldsFull() const;
  // Why a selection below body 3 cannot be split: no system yet, or a star.
  std::string sunRefusal() const;
  // The caption of LaNu for the current count: entries s..s+10, one a line.
  std::string newWorldsText() const;

 private:
  // The refusals before anything changes; true when the nova may go on with N.
  bool refused(int S, int& N);
  void split(int S, int N);  // positions and velocities
  void name(int S, int N);   // the names of both halves
  void torqueLeft();
  void explodeLeft();
  void spreadLeft();

  World& w_;
  Peers& p_;
};

// Reads a box's number (0 for text that is not one) and keeps it within lo..hi. A value outside, or text
// that is not wholly a number, is repaired in the box and said in the status line; `rewrite` puts the
// value read back into the box even when nothing needed repair.
double limitBox(World& w, Control& box, const char* what, double lo, double hi, bool rewrite = false);

}  // namespace quorl
