// The parameter panel: the starting parameters, their limits, and how leaving a box applies them.
#pragma once
#include <string>

#include "ui/control_table.h"

namespace quorl {

class Game;
class Control;

class ParamPanel {
 public:
  explicit ParamPanel(Game& g);

  struct Controls {
    Handle CapHeading;
    Handle TXplanets, CapPlanets, TxTenner, CapSpare, TXmaster, CapMaster, CapTorque, TXspac, CapSpeed;
    Handle TXran, CapSeed, Text14, CapPlanetRate, Text13, CapZoomRate, CapExplode, CapSpread;
    Handle CapPower, CapAngle, CapElevation, Text1, CapProximity, Text3, CapNovaMass;
    Handle Hspac;
    ControlArray Oplank;  // 0..2: speed 1, 5, 50
    Handle CHran;         // "Random": freezes the seed
    Handle NewSeed;       // puts the seed counter's next value in TXran
    Handle LabTab;
  } c;

  // Speed from the scroll bar Hspac.
  void Skald();
  // Speed from the text of TXspac; the bar follows.
  void Skill();
  // The planets box turns red above 800.
  void colourPlanetsBox();

 private:
  void planetsLeft();
  void spareWorldsLeft();
  void masterChanged();
  void proximityLeft();
  void speedTextChanged();
  void speedBarChanged();
  void seedEntered();
  void seedLeft();
  void graphicsRateLeft(Control& box, const char* what);

  Game& g_;
  bool pinningBar_ = false;  // Skill pins Hspac at its end without letting Skald overwrite Speed
};

}  // namespace quorl
