// The zoom view that follows the selected world: its controls and their handlers (the tick that draws it
// is in zoom_tick.cpp).
#include "views/zoom_view.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "sim/numbers.h"

namespace quorl {

namespace {

constexpr int kPresets[4] = {2, 10, 100, 500};
constexpr double kPi = 3.14159265358979;
constexpr Color kLight = rgb(224, 224, 224), kDark = rgb(48, 48, 48), kWhite = rgb(255, 255, 255);

using Self = ZoomView::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(PicMoon), .kind = Kind::Picture, .parent = "FraMoon", .place = {0, 240, 8760, 8000},
     .back = rgb(0, 0, 0)},
    {QUORL_CONTROL(PicSide), .kind = Kind::Picture, .parent = "FraMoon", .place = {0, 8240, 8760, 4695},
     .back = rgb(0, 0, 0)},
    {QUORL_CONTROL(TimZkrol), .kind = Kind::Timer, .interval = 120, .running = true},
    // Column A, under the focus panel.
    {QUORL_CONTROL(ScaleScroll), .kind = Kind::HScroll, .place = {16100, 11100, 2100, 255}, .toolTip = "Zoom scale",
     .bar = BarRange{1, 5000, 30, 1, 10}},
    {QUORL_CONTROL(TXmoonzoom), .kind = Kind::TextBox, .place = {18260, 11100, 700, 285}, .toolTip = "Zoom scale",
     .text = "30", .fore = kWhite, .back = kDark},
    {QUORL_CONTROL(txZZ), .kind = Kind::TextBox, .place = {15480, 11740, 600, 285}, .toolTip = "Magnification.",
     .text = "1", .fore = kWhite, .back = kDark},
    {QUORL_CONTROL(Hippo), .kind = Kind::HScroll, .place = {16140, 11740, 2400, 255}, .toolTip = "Magnification.",
     .bar = BarRange{1, 100, 1, 1, 10}},
    {QUORL_CONTROL(ChNom), .kind = Kind::CheckBox, .place = {15480, 12060, 4000, 255},
     .caption = "Name Locals on Zoom graphic", .fore = kLight, .back = rgb(0, 0, 0)},
    {QUORL_CONTROL(ChGlob), .kind = Kind::CheckBox, .place = {18600, 11740, 800, 255},
     .toolTip = "CLick off for faster evolution", .fore = kLight, .back = rgb(0, 0, 0)},
    // The speed needs room for fifteen digits: it sits in the zoom frame's caption row. Its text turns
    // black or dark red.
    {QUORL_CONTROL(LaVel), .kind = Kind::Label, .parent = "FraMoon", .place = {5900, 0, 2700, 240},
     .toolTip = "Velocity", .back = rgb(192, 192, 192)},
    {QUORL_CONTROL(LaLocal), .kind = Kind::Label, .place = {18900, 10800, 900, 255},
     .toolTip = "Locals: bodies near the selected world", .fore = kLight},
    {QUORL_CONTROL(Text4), .kind = Kind::TextBox, .place = {18900, 11420, 900, 285},
     .toolTip = "Distance to the newest nova fragment", .fore = kWhite, .back = kDark, .readOnly = true},
    {QUORL_CONTROL(FraMoon), .kind = Kind::Frame, .place = {19920, 0, 8760, 12935}, .caption = "Focus", .fore = kLight},
    {QUORL_CONTROLS(OpZo), .kind = Kind::Option, .first = 0, .last = 3, .place = {16700, 11420, 300, 255}},
    {QUORL_CONTROLS(Txlab), .kind = Kind::Label, .first = 0, .last = 2, .fore = kLight},
    {QUORL_CONTROL(ZkrolHorz), .kind = Kind::HScroll, .place = {15480, 12380, 3900, 255},
     .toolTip = "Moves the zoom view across", .bar = BarRange{0, 20000, 19920, 200, 1000}},
    {QUORL_CONTROL(ZkrolVert), .kind = Kind::VScroll, .place = {19540, 11740, 255, 900},
     .toolTip = "Moves the zoom view up and down", .bar = BarRange{0, 8200, 0, 200, 1000}},
};

}  // namespace

ZoomView::Dots ZoomView::makeDots(int n) {
  // The loop variable is summed step by step, as the drawing loop does, so the count and the
  // angles are exactly those of a loop that calls cos and sin at each step.
  Dots d;
  const double step = 2 * kPi / n, limit = 2.3 * kPi;
  for (double a = 0; a <= limit; a += step) {
    d.cos.push_back(std::cos(a));
    d.sin.push_back(std::sin(a));
  }
  return d;
}

ZoomView::ZoomView(World& w, Peers& p)
    : c(declared(w.ui, kControls)),
      w_(w),
      p_(p),
      moon_(*c.PicMoon->canvas),
      side_(*c.PicSide->canvas),
      dots25_(makeDots(25)),
      dots50_(makeDots(50)),
      dots100_(makeDots(100)),
      dots200_(makeDots(200)),
      dots300_(makeDots(300)) {
  // First values before any handler is wired, so opening the window runs nothing.
  c.ChNom->setChecked(true);
  c.ChGlob->setChecked(true);
  for (int i = 0; i < 4; ++i) {
    c.OpZo[i].setLeft(16700 + 330 * i);
    c.OpZo[i].setToolTip("Zoom scale " + std::to_string(kPresets[i]));
  }
  const char* captions[3] = {"Locals", "Planet Detail", "Zoom"};
  const Place places[3] = {{18050, 11420, 800, 255}, {15480, 11420, 1200, 255}, {15480, 11100, 600, 255}};
  for (int i = 0; i < 3; ++i) {
    c.Txlab[i].setCaption(captions[i]);
    c.Txlab[i].setPlace(places[i].left, places[i].top, places[i].width, places[i].height);
  }

  c.ScaleScroll->onChange = [this] { scaleChanged(); };
  for (int i = 0; i < 4; ++i) c.OpZo[i].onClick = [this, i] { c.ScaleScroll->setValue(kPresets[i]); };
  c.TXmoonzoom->onLostFocus = [this] { moonZoomLeft(); };
  c.txZZ->onLostFocus = [this] { magnificationLeft(); };
  c.Hippo->onChange = [this] { hippoChanged(); };
  c.ZkrolHorz->onChange = [this] { c.FraMoon->setLeft(c.ZkrolHorz->value()); };
  c.ZkrolVert->onChange = [this] { c.FraMoon->setTop(c.ZkrolVert->value()); };
  c.PicMoon->onClick = [this] {
    moon_.clear();
    w_.s.ZoomLabelRequest = 1;
  };
  c.PicSide->onClick = [this] { side_.clear(); };
  c.TimZkrol->onTick = [this] { tick(); };
}

void ZoomView::forgetImpacts(int body) {
  if (body < 0) treated_.fill(0);
  else if (validBody(body)) treated_[body] = 0;
}

void ZoomView::clearAreas() {
  side_.clear();
  moon_.clear();
}

void ZoomView::scaleChanged() {
  clearAreas();
  const int v = c.ScaleScroll->value();
  if (!keepTyped_) {
    w_.s.ZoomScale = v;
    c.TXmoonzoom->setText(std::to_string(v));
  }
  for (int i = 0; i < 4; ++i)
    if (kPresets[i] != v) c.OpZo[i].setValue(0);
}

void ZoomView::moonZoomLeft() {
  double v = Val(c.TXmoonzoom->text());
  if (v < 1) c.TXmoonzoom->setText("1");
  else if (v > 20000) c.TXmoonzoom->setText("20000");
  const int typed = CInt(Val(c.TXmoonzoom->text()));
  w_.s.ZoomScale = typed;
  // The bar stops at 5000: a larger typed scale stays in the box and in ZoomScale, the bar shows its maximum.
  keepTyped_ = typed > c.ScaleScroll->max();
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{keepTyped_};
  c.ScaleScroll->setValue(std::clamp(typed, c.ScaleScroll->min(), c.ScaleScroll->max()));
}

void ZoomView::magnificationLeft() {
  double v = Val(c.txZZ->text());
  if (v == 0 || !std::isfinite(v)) {
    v = 1;
    c.txZZ->setText("1");
  }
  w_.s.Magnification = v;
  hippoFromText_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{hippoFromText_};
  c.Hippo->setValue(CInt(std::clamp(v, 1.0, 100.0)));
}

void ZoomView::hippoChanged() {
  if (hippoFromText_) return;
  w_.s.Magnification = c.Hippo->value();
  c.txZZ->setText(std::to_string(c.Hippo->value()));
}

}  // namespace quorl
