// Launching craft and comets.
#pragma once
#include <string>

#include "events/steering.h"
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

// √(MasterScale / 31): launch power and thrust grow with the scale of time; a scale below 0 gives none.
double thrustScale(const SharedState& s);

class LaunchPanel {
 public:
  LaunchPanel(World& w, Peers& p);

  struct Controls {
    Handle FraCosmo;   // the launch panel; a click opens or collapses it
    Handle Command12;  // "Launch"
    Handle Text11, LaCosmo, LaThing;
    Handle ShpDial, LineAngle, LineZth;  // the direction display: the full circle, direction, elevation
    Handle Label9, LabAngle, LabStation, Label11;
    Handle SCRpowER, ScrAngle, ScrStation, ScrVert;
    Handle Text12;   // mirrors ScrStation
    Handle Label12;  // a click levels the elevation
    Handle TXpower;  // "Power of Thrust", mirrors SCRpowER
    Handle TXangle;  // "Angle in Radians x 1000 (Full Circle = 6284)"
    Handle Text10;   // "Elevation of Thrust on Z-Axis"
  } c;

  Steering steering;  // the thrust keys, opened by a launch

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
  void launch();
  // Why the selected world s cannot launch now, or empty; c is then the craft's row.
  std::string refusal(int s, int& c);
  std::string craftName(int s, int k, const std::string& marker);
  void craftKind(int s, int c, int k);
  // A box that mirrors a bar, left by the player: the bar moves to its whole number (less the offset).
  void boxLeft(Control& box, Control& bar, int offset, const char* what);

  World& w_;
  Peers& p_;
};

}  // namespace quorl
