// Start-up and the parameter panel: the starting parameters, their limits, and the window's load.
#include "app/params.h"

#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "sim/numbers.h"
#include "ui/errors.h"

namespace quorl {

namespace {

// The panel's place: column A, top 0..6000, two pairs of caption and box per row.
constexpr int kColumnLeft = 15480, kColumnWidth = 4320;
constexpr int kLeftCaption = 15480, kRightCaption = 17790;
constexpr int kLeftCaptionWidth = 1480, kRightCaptionWidth = 1240;
constexpr int kLeftBox = 16980, kRightBox = 19050, kBoxWidth = 735, kWideBox = 1500;
constexpr int kFirstRow = 390, kRowPitch = 390, kBoxHeight = 315;

constexpr Color kPanelBack = rgb(18, 22, 34);
constexpr Color kCaptionFore = rgb(190, 205, 230);
constexpr Color kHeadingFore = rgb(255, 223, 128);
constexpr Color kBoxFore = rgb(230, 236, 255);
constexpr Color kBoxBack = rgb(0, 0, 0);
constexpr const char* kPanelFont = "DejaVu Sans";

int rowTop(int row) { return kFirstRow + row * kRowPitch; }

struct Box {
  const char* name;
  const char* caption;  // the label beside it
  const char* capName;
  const char* toolTip;
  const char* text;
  int row;
  bool right;
};

// Every box of the panel with its design text. Rows run top down; `right` puts it in the second pair.
const Box kBoxes[] = {
    {"TXplanets", "Planets", "CapPlanets", "Start with this number of planets", "17", 0, false},
    {"TxTenner", "Spare worlds", "CapSpare", "Spare worlds beyond the start", "133", 0, true},
    {"TXmaster", "Master scale", "CapMaster", "Master Scale for Starting Rate of Time.", "10", 1, false},
    {"TXmo", "Torque spin", "CapTorque", "Torque Spin Power", "1000", 1, true},
    {"TXspac", "Speed/ Accuracy", "CapSpeed", "The slower the algorithm, the more accurate it is.", "100", 2, false},
    {"TXran", "Seed", "CapSeed", "Randomizer Seed", "33333", 4, false},
    {"Text14", "Planet gfx ms", "CapPlanetRate", "Rate of Planet graphics (thousands of a second)", "2000", 5, false},
    {"Text13", "Zoom gfx ms", "CapZoomRate", "Rate of Zoom graphics (thousands of a second)", "60", 5, true},
    {"Txplod", "Explosive", "CapExplode", "Explosive randomness", "1000", 6, false},
    {"TxSpread", "Dispersal", "CapSpread", "Pre-calculated dispersal volume", "1000", 6, true},
    {"TXpower", "Thrust power", "CapPower", "Power of Thrust", "7000", 7, false},
    {"TXangle", "Thrust angle", "CapAngle", "Angle in Radians x 1000 (Full Circle = 6284)", "4200", 7, true},
    {"Text10", "Elevation", "CapElevation", "Elevation of Thrust on Z-Axis", "0", 8, false},
    {"Text1", "Proximity", "CapProximity", "Gravity or fuse bodies proximity radius.", "1", 9, false},
    {"Text3", "Nova mass", "CapNovaMass",
     "Total Mass of Supernova as a proportion of Jupiter, excluding stable Sun at center.", "0.0", 10, false},
};

constexpr int kOplankValue[3] = {1, 5, 50};

void stylePanel(Control& c) {
  c.fontName = kPanelFont;
  c.fontSize = 8;
  c.back = kPanelBack;
  c.fore = kCaptionFore;
}

// Sets a scroll bar to v, kept inside its range; a bar whose range was never given is left alone.
void setClamped(Control& bar, double v) {
  if (bar.max() <= bar.min()) return;
  const double lo = bar.min(), hi = bar.max();
  bar.setValue(static_cast<int>(std::clamp(v, lo, hi)));
}

}  // namespace

ParamPanel::ParamPanel(Game& g) : g_(g) {
  makeControls();
  placeControls();
  attachHandlers();
  // The shared values start as the panel shows them; tallyho.txt may replace both later.
  g.s.MasterScale = 10;
  g.s.SpareWorlds = 133;
  g.s.Proximity = 1;
  g.s.PlanetGraphicsRate = 2000;
  g.s.ZoomRate = 60;
}

void ParamPanel::makeControls() {
  Control& heading = g_.ui.add("CapHeading", Kind::Label);
  heading.caption = "Starting Parameters";
  for (const Box& b : kBoxes) {
    Control& box = g_.ui.find(b.name) ? g_.c(b.name) : g_.ui.add(b.name, Kind::TextBox);
    box.toolTip = b.toolTip;
    box.setText(b.text);
    Control& cap = g_.ui.add(b.capName, Kind::Label);
    cap.caption = b.caption;
  }
  g_.c("Text3").readOnly = true;

  Control& bar = g_.ui.add("Hspac", Kind::HScroll);
  bar.setRange(0, 10000);
  bar.smallChange = 10;
  bar.largeChange = 100;
  bar.setValue(100);
  g_.addArray("Oplank", Kind::Option, 0, 2);
  for (int i = 0; i < 3; ++i) g_.c("Oplank", i).caption = std::to_string(kOplankValue[i]);

  Control& random = g_.ui.add("CHran", Kind::CheckBox);
  random.caption = "Random";
  random.toolTip = "Freeze Seed for Predetermined Planetary Data";

  g_.ui.add("LabTab", Kind::Label).caption = "Tip: Hit TAB after making changes to the numbers in the textboxes";
}

void ParamPanel::placeControls() {
  Control& heading = g_.c("CapHeading");
  stylePanel(heading);
  heading.fore = kHeadingFore;
  heading.fontSize = 10;
  heading.fontBold = true;
  heading.left = kColumnLeft;
  heading.top = 45;
  heading.width = kColumnWidth;
  heading.height = 330;

  for (const Box& b : kBoxes) {
    Control& box = g_.c(b.name);
    box.fontName = kPanelFont;
    box.fontSize = 8;
    box.fore = kBoxFore;
    box.back = kBoxBack;
    box.left = b.right ? kRightBox : kLeftBox;
    box.top = rowTop(b.row);
    box.width = kBoxWidth;
    box.height = kBoxHeight;
    Control& cap = g_.c(b.capName);
    stylePanel(cap);
    cap.left = b.right ? kRightCaption : kLeftCaption;
    cap.top = rowTop(b.row) + 45;
    cap.width = b.right ? kRightCaptionWidth : kLeftCaptionWidth;
    cap.height = 270;
  }
  // Written by system creation, with room for its decimals.
  g_.c("Text3").fore = rgb(150, 160, 185);
  g_.c("Text3").width = kWideBox;

  for (int i = 0; i < 3; ++i) {
    Control& o = g_.c("Oplank", i);
    stylePanel(o);
    o.left = kRightCaption + i * 665;
    o.top = rowTop(2);
    o.width = 650;
    o.height = kBoxHeight;
  }
  Control& bar = g_.c("Hspac");
  bar.left = kColumnLeft;
  bar.top = rowTop(3) + 30;
  bar.width = kColumnWidth - 15;
  bar.height = 255;

  Control& random = g_.c("CHran");
  stylePanel(random);
  random.left = kRightCaption;
  random.top = rowTop(4);
  random.width = 2000;
  random.height = kBoxHeight;

  Control& tip = g_.c("LabTab");
  stylePanel(tip);
  tip.fore = rgb(150, 160, 185);
  tip.left = kColumnLeft;
  tip.top = rowTop(11) + 60;
  tip.width = kColumnWidth;
  tip.height = 540;

  // The status line: three lines under the planet picture strip.
  Control& status = g_.c("Labill");
  status.fontName = kPanelFont;
  status.fontSize = 10;
  status.fore = rgb(111, 222, 255);
  status.back = rgb(10, 12, 20);
  status.left = 0;
  status.top = 13500;
  status.width = 15360;
  status.height = 960;
}

void ParamPanel::attachHandlers() {
  g_.c("TXplanets").onLostFocus = [this] { planetsLeft(); };
  g_.c("TxTenner").onLostFocus = [this] { spareWorldsLeft(); };
  g_.c("TXmaster").onChange = [this] { masterChanged(); };
  g_.c("Text1").onLostFocus = [this] { proximityLeft(); };
  g_.c("TXspac").onChange = [this] { speedTextChanged(); };
  g_.c("TXspac").onLostFocus = [this] { Skill(); };
  g_.c("Hspac").onChange = [this] { speedBarChanged(); };
  for (int i = 0; i < 3; ++i)
    g_.c("Oplank", i).onClick = [this, i] { g_.c("Hspac").setValue(kOplankValue[i]); };
  g_.c("TXran").onGotFocus = [this] { seedEntered(); };
  g_.c("TXran").onLostFocus = [this] { seedLeft(); };
  g_.c("CHran").onClick = [this] { g_.c("Tr").setEnabled(!g_.c("CHran").checked()); };
  g_.c("TXmo").onLostFocus = [this] { torqueLeft(); };
  g_.c("Text14").onLostFocus = [this] { graphicsRateLeft("Text14", "Planet graphics rate"); };
  g_.c("Text13").onLostFocus = [this] { graphicsRateLeft("Text13", "Zoom graphics rate"); };
  g_.c("TXpower").onLostFocus = [this] { powerLeft(); };
}

void ParamPanel::programStart() {
  SharedState& s = g_.s;
  // 1. The zoom's magnification; an empty box means no magnification.
  const std::string zz = g_.c("txZZ").text();
  s.Magnification = zz.empty() ? 1.0 : Val(zz);

  // 2. Collapsed panels.
  Control& life = g_.c("FraLif");
  life.top = 8640;
  life.height = 240;
  g_.c("txGG").top = 8400;
  Control& cosmo = g_.c("FraCosmo");
  cosmo.top = 7680;
  cosmo.height = 255;
  Control& keys = g_.c("Frame4");
  keys.height = 240;
  keys.top = 6240;
  g_.c("PicWorld").top = 11280;

  // 3. Thrust power and angle bars from their boxes.
  setClamped(g_.c("SCRpowER"), Int(Val(g_.c("TXpower").text())));
  setClamped(g_.c("ScrAngle"), Int(Val(g_.c("TXangle").text())));

  // 4. Craft types.
  s.CraftTypeNames[1] = "Comet";
  s.CraftTypeNames[2] = "U-Boat";
  s.CraftTypeNames[3] = "Starship";
  s.CraftTypeNames[4] = "UFO";
  s.CraftTypeNames[5] = "Lightball";

  // 5. Fonts of the drawing areas.
  auto font = [this](const char* name, double size) {
    Control& c = g_.c(name);
    c.fontName = "Georgia";
    c.fontSize = size;
    if (c.canvas) {
      c.canvas->fontName = "Georgia";
      c.canvas->fontSize = size;
    }
  };
  font("Quorl", 12);
  font("PicWorld", 12);
  font("PicMoon", 10);
  font("PicSide", 10);

  // 6. Torque spin power (a box that does not hold a number leaves it as it is).
  double torque = 0;
  if (parseStrict(g_.c("TXmo").text(), torque)) s.TorqueSpinPower = torque;

  // 7. The about button in the top left corner.
  Control& about = g_.c("Command1");
  about.left = 0;
  about.top = 0;

  // 8. Zoom scroll bars at the zoom frame's place.
  Control& moon = g_.c("FraMoon");
  setClamped(g_.c("ZkrolHorz"), moon.left);
  setClamped(g_.c("ZkrolVert"), moon.top);

  // 9. Speed from its box; the bar follows.
  s.Speed = Val(g_.c("TXspac").text());
  setClamped(g_.c("Hspac"), std::nearbyint(s.Speed));

  colourPlanetsBox();
}

// ---- reading and refusing ----

double ParamPanel::readBox(Control& box, const char* what) {
  const std::string typed = box.text();
  const double v = Val(typed);
  double strict = 0;
  // A number too large for a double reads as infinite; the box's limits or refusal deal with it.
  if (!parseStrict(typed, strict) && std::isfinite(v)) {
    box.setText(plain(v));
    g_.status(std::string(what) + ": \"" + typed + "\" is not a number; read as " + plain(v));
  }
  return v;
}

void ParamPanel::refuse(Control& box, const std::string& keep, const std::string& why) {
  const std::string typed = box.text();
  box.setText(keep);
  g_.status(why + ": \"" + typed + "\" cannot be used; kept " + keep);
}

// ---- the boxes ----

void ParamPanel::planetsLeft() {
  Control& box = g_.c("TXplanets");
  const double v = readBox(box, "Planets");
  if (v < 3) box.setText("3");
  if (v > 3333) box.setText("3333");
  colourPlanetsBox();
}

void ParamPanel::colourPlanetsBox() {
  Control& box = g_.c("TXplanets");
  if (Val(box.text()) > 800) {
    box.back = rgb(128, 0, 0);
    box.fore = rgb(255, 155, 55);
    return;
  }
  box.back = rgb(0, 0, 0);
  // The normal colours are those of the clear-time box; one left black would hide the number.
  const Color ref = g_.c("TXref").fore;
  box.fore = ref == box.back ? kBoxFore : ref;
}

void ParamPanel::spareWorldsLeft() {
  Control& box = g_.c("TxTenner");
  const std::string keep = plain(g_.s.SpareWorlds);
  const double v = readBox(box, "Spare worlds");
  const double planets = Val(g_.c("TXplanets").text());
  std::int16_t spare = 0;
  try {
    spare = CInt(v);
    if (std::nearbyint(planets + spare) < 150) spare = CInt(150 - planets);
  } catch (const OverflowError&) {
    return refuse(box, keep, "Spare worlds");
  }
  if (spare > 3333) spare = 3333;
  // A negative count of spare rows would leave planets outside the table's range in use.
  if (spare < 0) spare = 0;
  g_.s.SpareWorlds = spare;
  box.setText(plain(spare));
}

void ParamPanel::masterChanged() {
  Control& box = g_.c("TXmaster");
  std::int16_t master = 0;
  try {
    master = CInt(Val(box.text()));
  } catch (const OverflowError&) {
    return refuse(box, plain(g_.s.MasterScale), "Master scale");
  }
  if (master < 0) master = 0;
  g_.s.MasterScale = master;
  box.setText(plain(master));
}

void ParamPanel::proximityLeft() {
  Control& box = g_.c("Text1");
  double p = readBox(box, "Proximity");
  if (p < 1e-6) p = 1e-6;
  if (p > 99) p = 99;
  g_.s.Proximity = p;
  box.width = p < 0.001 ? kWideBox : kBoxWidth;
  box.setText(plain(p));
  double torque = 0;
  if (parseStrict(g_.c("TXmo").text(), torque)) g_.s.TorqueSpinPower = torque;
}

void ParamPanel::speedTextChanged() {
  Control& box = g_.c("TXspac");
  const double v = Val(box.text());
  if (v < 1) box.setText("1");
  else if (v > 29999) box.setText("30000");
}

void ParamPanel::Skald() {
  SharedState& s = g_.s;
  s.Speed = g_.c("Hspac").value();
  if (s.Speed == 0) s.Speed = 1.0;
  s.GravityFactor = CLng(s.MasterScale.get() * s.Speed);
  g_.c("TXspac").setText(plain(s.Speed));
}

void ParamPanel::Skill() {
  SharedState& s = g_.s;
  Control& box = g_.c("TXspac");
  s.Speed = Val(box.text());
  if (s.Speed == 0) s.Speed = 1.0;
  s.GravityFactor = CLng(s.MasterScale.get() * s.Speed);
  // The text is limited; Speed keeps the value read before the limit.
  double strict = 0;
  if (!parseStrict(box.text(), strict)) box.setText(plain(Val(box.text())));
  speedTextChanged();
  // The box allows up to 30000 but the bar ends at 10000: there the bar is pinned at its end and
  // Speed stays as read, instead of being cut back to the bar's value.
  Control& bar = g_.c("Hspac");
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
  const int v = g_.c("Hspac").value();
  for (int i = 0; i < 3; ++i) {
    Control& o = g_.c("Oplank", i);
    if (v != kOplankValue[i]) o.setValue(0);
  }
}

void ParamPanel::seedEntered() {
  Control& box = g_.c("TXran");
  try {
    g_.s.SeedValue = CInt(Val(box.text()));
  } catch (const OverflowError&) {
    refuse(box, plain(g_.s.SeedValue), "Seed");
  }
}

void ParamPanel::seedLeft() {
  Control& box = g_.c("TXran");
  const double v = readBox(box, "Seed");
  if (v < -32767) box.setText("-32767");
  if (v > 32767) box.setText("32767");
  g_.s.SeedValue = CInt(Val(box.text()));
}

void ParamPanel::torqueLeft() {
  Control& box = g_.c("TXmo");
  double v = 0;
  if (!parseStrict(box.text(), v)) {
    const std::string typed = box.text();
    const std::string keep = plain(g_.s.TorqueSpinPower);
    box.setText(keep);
    g_.status("Torque spin power: \"" + typed + "\" is not a number; kept " + keep);
    return;
  }
  g_.s.TorqueSpinPower = v;
}

void ParamPanel::graphicsRateLeft(const std::string& name, const char* what) {
  Control& box = g_.c(name);
  const double v = readBox(box, what);
  if (v < 15) box.setText("15");
  if (v > 15000) box.setText("15000");
  const std::int16_t rate = CInt(Val(box.text()));
  if (name == "Text14") g_.s.PlanetGraphicsRate = rate;
  else g_.s.ZoomRate = rate;
}

void ParamPanel::powerLeft() {
  Control& box = g_.c("TXpower");
  Control& bar = g_.c("SCRpowER");
  const std::string keep = plain(bar.value());
  const double v = readBox(box, "Thrust power");
  const double r = std::nearbyint(v);
  if (!(r >= bar.min() && r <= bar.max()))
    return refuse(box, keep,
                  "Thrust power (" + std::to_string(bar.min()) + ".." + std::to_string(bar.max()) + ")");
  bar.setValue(static_cast<int>(r));
}

}  // namespace quorl
