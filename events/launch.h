// Launching craft and comets.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class LaunchPanel {
 public:
  LaunchPanel(World& w, Peers& p);

  struct Controls {
    Handle FraCosmo;   // the launch panel; a click opens or collapses it
    Handle Command12;  // "Launch"
    Handle Text11, LaCosmo, LaThing;
    Handle ShpDial, LineAngle, LineZth;  // the direction display: the full circle, direction, elevation
    Handle Frame4;                       // the thrust keys
    Handle SCRpowER, ScrAngle, ScrStation, ScrVert;
    Handle TXpower;  // "Power of Thrust", mirrors SCRpowER
    Handle TXangle;  // "Angle in Radians x 1000 (Full Circle = 6284)"
    Handle Text10;   // "Elevation of Thrust on Z-Axis"
  } c;

  // The panel's two states (window units). Both keep the frame's top; the height tells them apart.
  static constexpr int kOpenHeight = 1500, kCollapsedHeight = 255;
  void open();
  void collapse();

  // What the biosphere tick shows for the selected world s with its life code (0 or 11..15).
  void showWorld(int s, int lifeCode);
  // The launch direction from the angle box, and the direction display.
  void updateDirection();

 private:
  void toggle();
  void powerLeft();

  World& w_;
  Peers& p_;
};

}  // namespace quorl
