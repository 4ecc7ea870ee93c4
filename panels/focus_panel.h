// Choosing the selected world and reporting on it.
#pragma once
#include <string>

#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class FocusPanel {
 public:
  FocusPanel(World& w, Peers& p);

  struct Controls {
    Handle Hcelest;  // the selection; every way of selecting ends by setting it
    Handle TXnewton, LabWorld, LabFoc, LaFocal, Laplace, Laorb, Label4, Text2, LaMass, Text6, Label8;
    Handle Chon;                                      // "Planet off", shown with the editor
    Handle Command66, Command9, Command7, Command13;  // largest, smallest, random, previous
    Handle LabSelect;
    Handle Tix;  // the selection keeper
  } c;

  // The texts of the panel, from a mass in the game's unit and from a radius in thousands of km.
  static std::string massText(double mass);
  static std::string radiusText(double r);

 private:
  void focusChange();     // Hcelest changed
  void select(int body);  // steps 3..12 for a present body
  void runSort();
  void clearZoomAreas();
  void setBar(int value);  // Hcelest, kept inside its range
  void largest();          // Command66
  void smallest();         // Command9
  void randomBody();       // Command7
  void previous();         // Command13
  void keeperTick();       // Tix
  void newtonLeft();       // TXnewton lost focus
  void switchBody();       // Chon

  World& w_;
  Peers& p_;
  bool searching_ = false;  // the search of a present body moves the bar itself
  bool chonReverting_ = false;
};

}  // namespace quorl
