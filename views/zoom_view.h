// The zoom view that follows the selected world.
#pragma once
#include <array>
#include <vector>

#include "sim/bodies.h"
#include "ui/color.h"

namespace quorl {

class Game;
class Control;
class Canvas;

class ZoomView {
 public:
  explicit ZoomView(Game& g);

  // One tick of TimZkrol: the whole drawing of the two areas.
  void tick();
  // Forgets which impacts of a body (every body when -1) the view has already treated, for whoever
  // resets a body's impact tables. Without it the view notices a reset only when it sees the lower count.
  void forgetImpacts(int body = -1);

 private:
  // Unit vectors of a dotted circle of n steps, run from angle 0 to 2.3 pi as the loop adds its step.
  struct Dots {
    std::vector<double> cos, sin;
  };
  static Dots makeDots(int n);

  void clearAreas();
  void scaleChanged();
  void moonZoomLeft();
  void magnificationLeft();
  void hippoChanged();

  void impacts(int f, double unit, double drawnRadius);
  void crater(double x, double y, int size, double drawnRadius);
  void burst(int count, int spread, double x, double y, double z, Color c);
  void pairBurst(int count, int f, double x, double y, double z, double scale, Color c);
  void refreshImpactTip(int f);
  Color payloadColor(int j, Color fallback);
  bool numberedNames() const;

  Game& g_;
  Canvas& moon_;
  Canvas& side_;
  Control& timer_;
  Control& scale_;
  Control& moonZoom_;
  Control& txZZ_;
  Control& hippo_;
  Control& chNom_;
  Control& chGlob_;
  Control& laVel_;
  Control& laLocal_;
  Control& text4_;
  Control& laFocal_;
  std::array<Control*, 4> numberedModes_{};  // OptUp 3, 4, 5 and 7 put the number after a local's name
  std::array<Control*, 6> payloadLabels_{};  // LaMount(0..5), found when first needed

  Dots dots25_, dots50_, dots100_, dots200_, dots300_;
  std::array<Color, 5> shades_{};  // crater shades of the focus colour
  PerBody<std::int16_t> treated_{};  // impacts 1..treated_[b] of body b have been treated as new once
  bool keepTyped_ = false;       // a typed scale above the bar's maximum stays as typed
  bool hippoFromText_ = false;   // the text box moves the bar; the bar must not write back
};

}  // namespace quorl
