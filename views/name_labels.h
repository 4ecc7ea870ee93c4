// Body names printed on the main view.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class NameLabels {
 public:
  NameLabels(World& w, Peers& p);

  struct Controls {
    ControlArray OptUp;  // 0..7: the naming modes, told apart by their tool tips
    Handle Label5;       // "Names"
  } c;

  // Labels body Pln, at its position (pX, pY) rounded down, on the main view as the chosen naming
  // mode asks. The main view's font size carries over from one label to the next.
  void NamePlanet(int pX, int pY, int Pln);
  // The chosen naming option 0..7, or -1 when none is chosen.
  int mode() const;

 private:
  World& w_;
  Peers& p_;
  Canvas& view_;
};

}  // namespace quorl
