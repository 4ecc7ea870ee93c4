// Novas: a world split in two.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class NovaPanel {
 public:
  NovaPanel(World& w, Peers& p);

  struct Controls {
    Handle FraSpiral;     // the break-up options' frame
    ControlArray OpExIm;  // 0..4: the break-up options
    Handle TXmo;          // "Torque Spin Power"
    Handle Txplod;        // "Explosive randomness", read by creation too
    Handle TxSpread;      // "Pre-calculated dispersal volume", read by creation too
    Handle LaNu;          // the newest worlds, on the sky of the main view
  } c;

 private:
  void torqueLeft();

  World& w_;
  Peers& p_;
};

}  // namespace quorl
