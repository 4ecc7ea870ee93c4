// The zoom view that follows the selected world.
#pragma once
#include <array>
#include <vector>

#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class ZoomView {
 public:
  ZoomView(World& w, Peers& p);

  struct Controls {
    Handle PicMoon, PicSide;  // front and side pictures
    Handle TimZkrol;
    Handle ScaleScroll, TXmoonzoom;  // zoom
    Handle txZZ, Hippo;              // magnification
    Handle ChNom, ChGlob;            // name the locals; draw true sizes
    Handle LaVel, LaLocal, Text4;
    Handle FraMoon;
    ControlArray OpZo;            // 0..3: quick zoom options
    ControlArray Txlab;           // 0..2: captions
    Handle ZkrolHorz, ZkrolVert;  // move the frame
  } c;

  // One tick of TimZkrol: the whole drawing of the two areas.
  void tick();
  // Forgets which impacts of a body (every body when -1) the view has already treated, for whoever
  // resets a body's impact tables. Without it the view notices a reset only when it sees the lower count.
  void forgetImpacts(int body = -1);
  // Which impacts of each body the view has treated as new (a snapshot keeps them).
  const PerBody<std::int16_t>& treated() const { return treated_; }
  void setTreated(const PerBody<std::int16_t>& t) { treated_ = t; }
  // Clears both pictures.
  void clearAreas();

 private:
  // Unit vectors of a dotted circle of n steps, run from angle 0 to 2.3 pi as the loop adds its step.
  struct Dots {
    std::vector<double> cos, sin;
  };
  static Dots makeDots(int n);

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

  World& w_;
  Peers& p_;
  Canvas& moon_;
  Canvas& side_;

  Dots dots25_, dots50_, dots100_, dots200_, dots300_;
  std::array<Color, 5> shades_{};    // crater shades of the focus colour
  PerBody<std::int16_t> treated_{};  // impacts 1..treated_[b] of body b have been treated as new once
  bool keepTyped_ = false;           // a typed scale above the bar's maximum stays as typed
  bool hippoFromText_ = false;       // the text box moves the bar; the bar must not write back
};

}  // namespace quorl
