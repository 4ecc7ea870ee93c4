// Choosing the selected world and reporting on it.
#pragma once
#include <string>

namespace quorl {

class Game;
class Control;

class FocusPanel {
 public:
  explicit FocusPanel(Game& g);

  // The texts of the panel, from a mass in the game's unit and from a radius in thousands of km.
  static std::string massText(double mass);
  static std::string radiusText(double r);

 private:
  void focusChange();         // Hcelest changed
  void select(int body);      // steps 3..12 for a present body
  void runSort();
  void clearZoomAreas();
  void setBar(int value);     // Hcelest, kept inside its range
  void largest();             // Command66
  void smallest();            // Command9
  void randomBody();          // Command7
  void previous();            // Command13
  void keeperTick();          // Tix
  void newtonLeft();          // TXnewton lost focus
  void switchBody();          // Chon
  void layout();

  Game& g_;
  Control& bar_;
  bool searching_ = false;    // the search of a present body moves the bar itself
  bool chonReverting_ = false;
};

}  // namespace quorl
