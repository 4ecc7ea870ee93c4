// The picture of the selected world and those after it.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class PlanetPicture {
 public:
  PlanetPicture(World& w, Peers& p);

  struct Controls {
    Handle PicWorld;  // a strip along the bottom of the main view; start-up gives it its top
    Handle TimWo;
  } c;

  static constexpr int kSlots = 13;
  // Centre of roster entry k (1..13) on the strip.
  static constexpr int slotX(int k) { return 1100 * k - 444; }
  static constexpr int kMidY = 970;

  // TimWo: rebuilds the roster from the selected world on and draws the whole strip afresh.
  void tick();

 private:
  struct Tints;
  void buildRoster(int sel);
  void drawEntry(Canvas& pic, int k);
  void craftFigure(Canvas& pic, int x, int cc, Color& base);
  void craters(Canvas& pic, int b, int x, double S, const Tints& t);
  void outline(Canvas& pic, int b, int x, double S, const Tints& t);

  World& w_;
  Peers& p_;
  double fx_ = 0, fy_ = 0;  // foreshortening of the last crater drawn in this tick
};

}  // namespace quorl
