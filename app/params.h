// Start-up and the parameter panel: the starting parameters, their limits, and the window's load.
#pragma once
#include <string>

namespace quorl {

class Game;
class Control;

class ParamPanel {
 public:
  explicit ParamPanel(Game& g);
  // The window's load: runs once every subsystem has made its controls.
  void programStart();

  // Speed from the scroll bar Hspac.
  void Skald();
  // Speed from the text of TXspac; the bar follows.
  void Skill();

 private:
  void makeControls();
  void placeControls();
  void attachHandlers();

  // Leaving or changing the boxes.
  void planetsLeft();
  void spareWorldsLeft();
  void masterChanged();
  void proximityLeft();
  void speedTextChanged();
  void speedBarChanged();
  void seedEntered();
  void seedLeft();
  void torqueLeft();
  void graphicsRateLeft(const std::string& box, const char* what);
  void powerLeft();
  void colourPlanetsBox();

  // Reads a box's number (its leading numeric part); a text that is not wholly a number is
  // rewritten as that number and reported, so the box shows what the game uses.
  double readBox(Control& box, const char* what);
  // Puts the value in force back into a box whose input could not be held, and says why.
  void refuse(Control& box, const std::string& keep, const std::string& why);

  Game& g_;
  bool pinningBar_ = false;  // Skill pins Hspac at its end without letting Skald overwrite Speed
};

}  // namespace quorl
