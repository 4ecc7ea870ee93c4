// The parameter panel: the starting parameters, their limits, and how leaving a box applies them.
#include "app/params.h"

#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "app/run_control.h"
#include "events/launch.h"
#include "events/nova.h"
#include "panels/box_input.h"
#include "panels/layout.h"
#include "sim/numbers.h"
#include "ui/errors.h"
#include "views/orbit_views.h"

namespace quorl {

namespace {

using namespace layout;
using Self = ParamPanel::Controls;

constexpr int kOplankValue[3] = {1, 5, 50};
// The fresh-seed button sits between the caption "Seed" and its box.
constexpr int kSeedButtonWidth = 600, kSeedButtonLeft = kLeftBox - 45 - kSeedButtonWidth;

// A control in the panel's style (a label unless the row says otherwise); colours the row gives stay.
ControlRow<Self> panel(ControlRow<Self> row) {
  if (!row.fore) row.fore = kCaptionFore;
  if (!row.back) row.back = kPanelBack;
  row.font = kPanelFont;
  row.fontSize = 8;
  return row;
}

// A box of the grid.
ControlRow<Self> box(ControlRow<Self> row) {
  row.kind = Kind::TextBox;
  row.fore = kBoxFore;
  row.back = kBoxBack;
  return panel(row);
}

// Every control of the panel with its design text; the boxes of the nova and the launch share the grid.
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(CapHeading), .kind = Kind::Label, .place = {kColumnLeft, 45, kColumnWidth, 330},
     .caption = "Starting Parameters", .fore = kHeadingFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 10,
     .bold = true},
    box({QUORL_CONTROL(TXplanets), .place = paramBox(0, false), .toolTip = "Start with this number of planets",
         .text = "17"}),
    panel({QUORL_CONTROL(CapPlanets), .place = paramCaption(0, false), .caption = "Planets"}),
    box({QUORL_CONTROL(TxTenner), .place = paramBox(0, true), .toolTip = "Spare worlds beyond the start",
         .text = "133"}),
    panel({QUORL_CONTROL(CapSpare), .place = paramCaption(0, true), .caption = "Spare worlds"}),
    box({QUORL_CONTROL(TXmaster), .place = paramBox(1, false), .toolTip = "Master Scale for Starting Rate of Time.",
         .text = "10"}),
    panel({QUORL_CONTROL(CapMaster), .place = paramCaption(1, false), .caption = "Master scale"}),
    panel({QUORL_CONTROL(CapTorque), .place = paramCaption(1, true), .caption = "Torque spin"}),
    box({QUORL_CONTROL(TXspac), .place = paramBox(2, false),
         .toolTip = "The slower the algorithm, the more accurate it is.", .text = "100"}),
    panel({QUORL_CONTROL(CapSpeed), .place = paramCaption(2, false), .caption = "Speed/ Accuracy"}),
    box({QUORL_CONTROL(TXran), .place = paramBox(4, false), .toolTip = "Randomizer Seed", .text = "33333"}),
    panel({QUORL_CONTROL(CapSeed), .place = {kLeftCaption, rowTop(4) + 45, kSeedButtonLeft - kLeftCaption, 270},
           .caption = "Seed"}),
    {QUORL_CONTROL(NewSeed), .kind = Kind::Button, .place = {kSeedButtonLeft, rowTop(4), kSeedButtonWidth, kBoxHeight},
     .caption = "New", .toolTip = "A fresh seed: the next preset press builds a new system",
     .back = rgb(200, 214, 240), .font = kPanelFont, .fontSize = 7},
    box({QUORL_CONTROL(Text14), .place = paramBox(5, false),
         .toolTip = "Rate of Planet graphics (thousands of a second)", .text = "2000"}),
    panel({QUORL_CONTROL(CapPlanetRate), .place = paramCaption(5, false), .caption = "Planet gfx ms"}),
    box({QUORL_CONTROL(Text13), .place = paramBox(5, true), .toolTip = "Rate of Zoom graphics (thousands of a second)",
         .text = "60"}),
    panel({QUORL_CONTROL(CapZoomRate), .place = paramCaption(5, true), .caption = "Zoom gfx ms"}),
    panel({QUORL_CONTROL(CapExplode), .place = paramCaption(6, false), .caption = "Explosive"}),
    panel({QUORL_CONTROL(CapSpread), .place = paramCaption(6, true), .caption = "Dispersal"}),
    panel({QUORL_CONTROL(CapPower), .place = paramCaption(7, false), .caption = "Thrust power"}),
    panel({QUORL_CONTROL(CapAngle), .place = paramCaption(7, true), .caption = "Thrust angle"}),
    panel({QUORL_CONTROL(CapElevation), .place = paramCaption(8, false), .caption = "Elevation"}),
    box({QUORL_CONTROL(Text1), .place = paramBox(9, false), .toolTip = "Gravity or fuse bodies proximity radius.",
         .text = "1"}),
    panel({QUORL_CONTROL(CapProximity), .place = paramCaption(9, false), .caption = "Proximity"}),
    // Written by system creation, with room for its decimals.
    {QUORL_CONTROL(Text3), .kind = Kind::TextBox, .place = {kLeftBox, rowTop(10), kWideBox, kBoxHeight},
     .toolTip = "Total Mass of Supernova as a proportion of Jupiter, excluding stable Sun at center.", .text = "0.0",
     .fore = rgb(150, 160, 185), .back = kBoxBack, .font = kPanelFont, .fontSize = 8, .readOnly = true},
    panel({QUORL_CONTROL(CapNovaMass), .place = paramCaption(10, false), .caption = "Nova mass"}),
    {QUORL_CONTROL(Hspac), .kind = Kind::HScroll, .place = {kColumnLeft, rowTop(3) + 30, kColumnWidth - 15, 255},
     .toolTip = "Speed/ Accuracy", .bar = BarRange{0, 10000, 100, 10, 100}},
    panel({QUORL_CONTROLS(Oplank), .kind = Kind::Option, .first = 0, .last = 2,
           .place = {kRightCaption, rowTop(2), 650, kBoxHeight}}),
    panel({QUORL_CONTROL(CHran), .kind = Kind::CheckBox, .place = {kRightCaption, rowTop(4), 2000, kBoxHeight},
           .caption = "Random", .toolTip = "Freeze Seed for Predetermined Planetary Data"}),
    panel({QUORL_CONTROL(LabTab), .place = {kColumnLeft, rowTop(11) + 60, kColumnWidth, 540},
           .caption = "Tip: Hit TAB after making changes to the numbers in the textboxes", .fore = rgb(150, 160, 185)}),
};

}  // namespace

ParamPanel::ParamPanel(Game& g) : g_(g) {
  declare(g.ui, c, kControls);
  for (int i = 0; i < 3; ++i) {
    Control& o = c.Oplank[i];
    o.setCaption(std::to_string(kOplankValue[i]));
    o.setLeft(kRightCaption + i * 665);
  }

  c.TXplanets->onLostFocus = [this] { planetsLeft(); };
  c.TxTenner->onLostFocus = [this] { spareWorldsLeft(); };
  c.TXmaster->onChange = [this] { masterChanged(); };
  c.Text1->onLostFocus = [this] { proximityLeft(); };
  c.TXspac->onChange = [this] { speedTextChanged(); };
  c.TXspac->onLostFocus = [this] { Skill(); };
  c.Hspac->onChange = [this] { speedBarChanged(); };
  for (int i = 0; i < 3; ++i) c.Oplank[i].onClick = [this, i] { c.Hspac->setValue(kOplankValue[i]); };
  c.TXran->onGotFocus = [this] { seedEntered(); };
  c.TXran->onLostFocus = [this] { seedLeft(); };
  c.CHran->onClick = [this] { g_.run->c.Tr->setEnabled(!c.CHran->checked()); };
  c.NewSeed->onClick = [this] { g_.run->nextSeed(); };
  c.Text14->onLostFocus = [this] { graphicsRateLeft(c.Text14, "Planet graphics rate"); };
  c.Text13->onLostFocus = [this] { graphicsRateLeft(c.Text13, "Zoom graphics rate"); };

  // The shared values start as the panel shows them; tallyho.txt may replace both later.
  g.s.MasterScale = 10;
  g.s.SpareWorlds = 133;
  g.s.Proximity = 1;
  g.s.PlanetGraphicsRate = 2000;
  g.s.ZoomRate = 60;
}

// ---- the boxes ----

void ParamPanel::planetsLeft() {
  Control& box = c.TXplanets;
  const double v = readBox(g_, box, "Planets");
  if (v < 3) box.setText("3");
  if (v > 3333) box.setText("3333");
  colourPlanetsBox();
}

void ParamPanel::colourPlanetsBox() {
  Control& box = c.TXplanets;
  if (Val(box.text()) > 800) {
    box.setBack(rgb(128, 0, 0));
    box.setFore(rgb(255, 155, 55));
    return;
  }
  box.setBack(rgb(0, 0, 0));
  // The normal colours are those of the clear-time box; one left black would hide the number.
  const Color ref = g_.views->c.TXref->fore();
  box.setFore(ref == box.back() ? kBoxFore : ref);
}

void ParamPanel::spareWorldsLeft() {
  Control& box = c.TxTenner;
  const std::string keep = plain(g_.s.SpareWorlds);
  const double v = readBox(g_, box, "Spare worlds");
  const double planets = Val(c.TXplanets->text());
  std::int16_t spare = 0;
  try {
    spare = CInt(v);
    if (std::nearbyint(planets + spare) < 150) spare = CInt(150 - planets);
  } catch (const OverflowError&) {
    return refuseBox(g_, box, keep, "Spare worlds");
  }
  if (spare > 3333) spare = 3333;
  // A negative count of spare rows would leave planets outside the table's range in use.
  if (spare < 0) spare = 0;
  g_.s.SpareWorlds = spare;
  box.setText(plain(spare));
}

void ParamPanel::masterChanged() {
  Control& box = c.TXmaster;
  std::int16_t master = 0;
  try {
    master = CInt(Val(box.text()));
  } catch (const OverflowError&) {
    return refuseBox(g_, box, plain(g_.s.MasterScale), "Master scale");
  }
  if (master < 0) master = 0;
  g_.s.MasterScale = master;
  box.setText(plain(master));
}

void ParamPanel::proximityLeft() {
  Control& box = c.Text1;
  double p = readBox(g_, box, "Proximity");
  if (p < 1e-6) p = 1e-6;
  if (p > 99) p = 99;
  g_.s.Proximity = p;
  box.setWidth(p < 0.001 ? kWideBox : kBoxWidth);
  box.setText(plain(p));
  double torque = 0;
  if (parseStrict(g_.nova->c.TXmo->text(), torque)) g_.s.TorqueSpinPower = torque;
}

void ParamPanel::speedTextChanged() {
  Control& box = c.TXspac;
  const double v = Val(box.text());
  if (v < 1) box.setText("1");
  else if (v > 29999) box.setText("30000");
}

void ParamPanel::Skald() {
  SharedState& s = g_.s;
  s.Speed = c.Hspac->value();
  if (s.Speed == 0) s.Speed = 1.0;
  s.GravityFactor = CLng(s.MasterScale.get() * s.Speed);
  c.TXspac->setText(plain(s.Speed));
}

void ParamPanel::Skill() {
  SharedState& s = g_.s;
  Control& box = c.TXspac;
  s.Speed = Val(box.text());
  if (s.Speed == 0) s.Speed = 1.0;
  s.GravityFactor = CLng(s.MasterScale.get() * s.Speed);
  // The text is limited; Speed keeps the value read before the limit.
  double strict = 0;
  if (!parseStrict(box.text(), strict)) box.setText(plain(Val(box.text())));
  speedTextChanged();
  // The box allows up to 30000 but the bar ends at 10000: there the bar is pinned at its end and
  // Speed stays as read, instead of being cut back to the bar's value.
  Control& bar = c.Hspac;
  const double want = std::nearbyint(s.Speed);
  if (want > bar.max() || want < bar.min()) {
    pinningBar_ = true;
    struct Unpin {
      bool& f;
      ~Unpin() { f = false; }
    } unpin{pinningBar_};
    setClamped(bar, want);
    return;
  }
  bar.setValue(static_cast<int>(want));
}

void ParamPanel::speedBarChanged() {
  if (!pinningBar_) Skald();
  const int v = c.Hspac->value();
  for (int i = 0; i < 3; ++i)
    if (v != kOplankValue[i]) c.Oplank[i].setValue(0);
}

void ParamPanel::seedEntered() {
  Control& box = c.TXran;
  try {
    g_.s.SeedValue = CInt(Val(box.text()));
  } catch (const OverflowError&) {
    refuseBox(g_, box, plain(g_.s.SeedValue), "Seed");
  }
}

void ParamPanel::seedLeft() {
  Control& box = c.TXran;
  const double v = readBox(g_, box, "Seed");
  if (v < -32767) box.setText("-32767");
  if (v > 32767) box.setText("32767");
  g_.s.SeedValue = CInt(Val(box.text()));
}

void ParamPanel::graphicsRateLeft(Control& box, const char* what) {
  const double v = readBox(g_, box, what);
  if (v < 15) box.setText("15");
  if (v > 15000) box.setText("15000");
  const std::int16_t rate = CInt(Val(box.text()));
  if (&box == &*c.Text14) g_.s.PlanetGraphicsRate = rate;
  else g_.s.ZoomRate = rate;
}

}  // namespace quorl
