// Launching craft and comets.
#pragma once
#include <string>

#include "events/steering.h"
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

// √(MasterScale / 31): launch power and thrust grow with the scale of time; a scale below 0 gives none.
double thrustScale(const SharedState& s);

// How a launch now pushes its craft: the power with the scale of time, the station's share of the launch
// direction, the elevation's number, and the direction of the last biosphere tick.
struct LaunchAim {
  double power = 0, station = 0, elevation = 0;
  double dirX = 0, dirY = 0;
  bool operator==(const LaunchAim&) const = default;
};

// The craft's start, one rule for the real launch and for the aimed path: row c is placed beside world s
// and given its velocity, fuel, name, kind, code and mass, drawing on r as a launch does (the name, then
// the kind). The world's life code (11..15) chooses the kind.
void startCraft(BodyTable& b, const SharedState& st, Random& r, int s, int c, const LaunchAim& aim);

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
  // The row and the aim of the craft a launch would start now from the selected world; false when the
  // launch would be refused.
  bool wouldLaunch(int& row, LaunchAim& aim);

 private:
  void toggle();
  void launch();
  // Why the selected world s cannot launch now, or empty; c is then the craft's row.
  std::string refusal(int s, int& c);
  LaunchAim aim() const;
  // A box that mirrors a bar, left by the player: the bar moves to its whole number (less the offset).
  void boxLeft(Control& box, Control& bar, int offset, const char* what);

  World& w_;
  Peers& p_;
};

}  // namespace quorl
