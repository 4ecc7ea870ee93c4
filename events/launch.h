// Launching craft and comets.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class LaunchPanel {
 public:
  LaunchPanel(World& w, Peers& p);

  struct Controls {
    Handle Frame4;  // the thrust keys
    Handle SCRpowER, ScrAngle, ScrStation;
    Handle TXpower;  // "Power of Thrust", mirrors SCRpowER
    Handle TXangle;  // "Angle in Radians x 1000 (Full Circle = 6284)"
    Handle Text10;   // "Elevation of Thrust on Z-Axis"
  } c;

 private:
  void powerLeft();

  World& w_;
  Peers& p_;
};

}  // namespace quorl
