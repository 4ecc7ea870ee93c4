// Steering the selected craft by keys, and its fuel.
#pragma once
#include <string>

#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class Steering {
 public:
  Steering(World& w, Peers& p);

  struct Controls {
    Handle Frame4;    // "Thrust Keys:"; a click opens or collapses it
    Handle Picture1;  // the key layout, drawn by the program
    Handle CapFuel, PFUel;
    Handle PFuelFine;  // under the fuel bar: the fuel within its last ten units, finely
    Handle CapThrust, txTHrust, Pthrust;
  } c;

  // The frame's two states (window units). Both keep the frame's top; the height tells them apart.
  static constexpr int kOpenHeight = 1500, kCollapsedHeight = 240;
  // The fine fuel bar runs across the room of the fuel bar for every ten units of fuel: a unit of fuel is
  // 150 window units of it, four device pixels or more at any scale of the window, so every spend shows.
  static constexpr double kFineFuel = 10, kFineUnitWidth = 150;
  void open();
  void collapse();

  // A key typed on the main window: thrust, brake or intensity for the selected body.
  void key(char k);
  // The fuel bar and its tool tip for a body's fuel.
  void showFuel(double fuel);

  // The thrust text in force (a replay restores it).
  const std::string& thrustInForce() const { return inForce_; }
  void setThrustInForce(const std::string& text) { inForce_ = text; }

 private:
  void toggle();
  void drawKeys();
  void thrustLeft();
  // The thrust box's number, or false (the box given back its value in force) when it cannot be used.
  bool thrust(double& v);
  void showThrust(double u);

  World& w_;
  Peers& p_;
  std::string inForce_ = "500";  // the thrust text the last key press or accepted entry left
};

}  // namespace quorl
