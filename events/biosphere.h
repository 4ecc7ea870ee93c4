// Atmosphere, water and life.
#pragma once
#include "events/celestial_powers.h"
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

// What a class of world does with water and life. A class outside the table is treated as class 0.
struct ClassLife {
  double waterFactor;
  int waterBarBase;
  int kind;          // the life it grows, 0 none
  double airNeeded;  // the atmosphere must be above this; negative: any atmosphere
  int multiplier;    // of its Celestials
};
const ClassLife& classLife(int cls);

class Biosphere {
 public:
  Biosphere(World& w, Peers& p);

  struct Controls {
    Handle TiK, TimWheel;  // the run tick and the biosphere tick
    Handle FraLif;         // the panel; a click opens or collapses it
    Handle Air, Atlantiq;  // the atmosphere and water bars
    Handle LabAirWater, txGG;
    ControlArray Lalife;   // 0..5: the names of the kinds
    ControlArray LaMount;  // 0..5: the selected world's counters; their colours are the kinds' colours
    ControlArray LabTot;   // 0..5: the system's totals, 0 all lifesigns
  } c;

  CelestialPowers powers;

  // The panel's two states (window units). Both keep the frame's top; the height tells them apart.
  static constexpr int kOpenHeight = 1740, kCollapsedHeight = 240;
  void collapse();

  // The biosphere tick: atmosphere, water and life of the selected world, the launch panel, the tally.
  void wheelTick();
  // The run tick: the count of present planets and the marker round body 2.
  void runTick();

  // What a new crater of the given size does to the life of the body it struck (Aquatiq, Terrestrial).
  void impactToll(int body, int craterSize);
  // Life carried by a fusion: each kind the absorbed body had and the survivor lacks starts there at 1.
  void carryLife(int survivor, int absorbed);

 private:
  void toggle();
  void focusWorld(int s);  // the steps of the tick that concern the selected world
  void tally();
  void showTotals();
  void celestialEvent(int body, int count);

  World& w_;
  Peers& p_;
};

}  // namespace quorl
