// Body names printed on the main view.
#pragma once
#include <array>

namespace quorl {

class Game;
class Control;
class Canvas;

class NameLabels {
 public:
  explicit NameLabels(Game& g);

  // Labels body Pln, at its position (pX, pY) rounded down, on the main view as the chosen naming
  // mode asks. The main view's font size carries over from one label to the next.
  void NamePlanet(int pX, int pY, int Pln);
  // The chosen naming option 0..7, or -1 when none is chosen.
  int mode() const;

 private:
  Game& g_;
  Canvas& view_;
  std::array<Control*, 8> options_{};
};

}  // namespace quorl
