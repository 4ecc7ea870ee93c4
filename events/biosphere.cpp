// Atmosphere, water and life.
#include "events/biosphere.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "events/launch.h"
#include "io/event_log.h"
#include "panels/class_sort.h"
#include "panels/layout.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

using namespace layout;

// The kinds: names, tool tips and two colours, which the counters wear and a craft carrying that life blinks in.
struct LifeKind {
  const char* name;
  Color fore, back;
  const char* nameTip;
  const char* counterTip;
  const char* totalTip;
};
const LifeKind kKinds[6] = {
    {"None", rgb(255, 255, 255), rgb(0, 0, 0), "", "", "Total of all lifesigns in this system"},
    {"Microbial", rgb(202, 252, 15), rgb(0, 128, 0), "", "Microbial Variation on this world", "Total Microbes"},
    {"Aquatiq", rgb(192, 192, 255), rgb(0, 64, 144), "Aquatic  Variation on this world",
     "Aquatiq Variation on this world", "Total Aquatiq"},
    {"Terrestrial", rgb(255, 128, 128), rgb(112, 80, 0), "Terran  Variation on this world",
     "Terran  Variation on this world", "Total Terran"},
    {"Fungoid", rgb(204, 128, 255), rgb(96, 0, 96), "Fungoidal  Variation on this world",
     "Fungoidal Variation on this world", "Total Fungii"},
    {"Celestial", rgb(255, 224, 128), rgb(96, 96, 0), "Celestial here present", "", "All Celestials"},
};

constexpr ClassLife kClasses[9] = {
    {0, 0, 0, 0, 1}, {0, 0, 0, 0, 1}, {4, 45, 4, 19, 30}, {6, 150, 3, 33, 20}, {5, 200, 2, 4, 10},
    {2, 0, 0, 0, 1}, {1, 0, 0, 0, 1}, {3, 90, 1, -1, 1},  {0, 0, 0, 0, 1},
};

// Celestials of a world by the number of other kinds it carries (2, 3, 4), before the class multiplier.
constexpr int celestialsFor(int kinds) { return kinds == 2 ? 1 : kinds == 3 ? 5 : 30; }

constexpr Color kAirBack = rgb(255, 255, 0), kWaterBack = rgb(0, 255, 255), kDryBack = rgb(0, 0, 111);
constexpr Color kTotalLit = rgb(155, 77, 0), kTotalDim = rgb(77, 44, 0), kTotalNone = rgb(0, 63, 0);

// The panel (window units, in the frame): the bars stand on one baseline on the left, the table of kinds
// fills the middle, the powers the right (celestial_powers.cpp).
constexpr int kBarBase = 1700, kBarTallest = 1200;
constexpr int kTableTop = 290, kLifePitch = 280, kRowHeight = 255;
constexpr int kNameLeft = 1120, kCountLeft = 2040, kTotalLeft = 2500;

using Self = Biosphere::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(TiK), .kind = Kind::Timer, .interval = 60},
    {QUORL_CONTROL(TimWheel), .kind = Kind::Timer, .interval = 150, .running = true},
    {QUORL_CONTROL(FraLif), .kind = Kind::Frame, .place = {kColumnLeft, 12700, kColumnWidth, Biosphere::kOpenHeight},
     .caption = "Biosphere", .fore = kHeadingFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 8, .bold = true},
    // In the frame's top line, so that a collapsed panel still shows them.
    {QUORL_CONTROLS(LabTot), .kind = Kind::Label, .first = 0, .last = 5, .parent = "FraLif",
     .place = {1560, 0, 900, 240}, .caption = "00", .fore = rgb(255, 255, 255), .back = kPanelBack, .font = kPanelFont,
     .fontSize = 7},
    {QUORL_CONTROL(txGG), .kind = Kind::TextBox, .parent = "FraLif", .place = {3080, 0, 1180, 240}, .fore = kBoxFore,
     .back = kBoxBack, .font = kPanelFont, .fontSize = 7, .readOnly = true},
    {QUORL_CONTROL(LabAirWater), .kind = Kind::Label, .parent = "FraLif", .place = {60, 270, 1020, 225},
     .caption = "Air and Water", .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 7},
    {QUORL_CONTROL(Air), .kind = Kind::Picture, .parent = "FraLif", .place = {140, kBarBase - 45, 380, 45},
     .toolTip = "Air of the selected world", .back = kAirBack},
    {QUORL_CONTROL(Atlantiq), .kind = Kind::Picture, .parent = "FraLif", .place = {620, kBarBase - 30, 380, 30},
     .toolTip = "Water of the selected world", .back = kDryBack},
    {QUORL_CONTROLS(Lalife), .kind = Kind::Label, .first = 0, .last = 5, .parent = "FraLif",
     .place = {kNameLeft, 0, 900, kRowHeight}, .back = kPanelBack, .font = kPanelFont, .fontSize = 7},
    {QUORL_CONTROLS(LaMount), .kind = Kind::Label, .first = 0, .last = 5, .parent = "FraLif",
     .place = {kCountLeft, 0, 420, kRowHeight}, .caption = "00", .font = kPanelFont, .fontSize = 7, .bold = true},
};

constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();

std::int32_t saturate32(std::int64_t v) { return static_cast<std::int32_t>(std::clamp(v, kMin32, kMax32)); }

int component(double v) { return std::clamp<int>(CInt(v), 0, 255); }

// A bar of the given height in window units, standing on the panel's baseline.
void standBar(Control& bar, double height, Color back) {
  const int h = height > 0 ? static_cast<int>(std::min(height, double(kBarTallest))) : 0;
  bar.setHeight(h);
  bar.setTop(kBarBase - h);
  bar.setBack(back);
  Canvas& area = *bar.canvas;
  if (area.height() == h && area.background() == back) return;
  area.resize(bar.width(), h);
  area.setBackground(back);
}

}  // namespace

const ClassLife& classLife(int cls) { return kClasses[cls >= 0 && cls <= 8 ? cls : 0]; }

Biosphere::Biosphere(World& w, Peers& p) : c(declared(w.ui, kControls)), powers(w, p), w_(w), p_(p) {
  c.TiK->onTick = [this] { runTick(); };
  c.TimWheel->onTick = [this] { wheelTick(); };
  c.FraLif->onClick = [this] { toggle(); };
  for (int k = 0; k < 6; ++k) {
    const LifeKind& kind = kKinds[k];
    const int top = kTableTop + (k - 1) * kLifePitch;
    Control& name = c.Lalife[k];
    name.setCaption(kind.name);
    name.setToolTip(kind.nameTip);
    name.setFore(kind.fore);
    name.setTop(top);
    Control& counter = c.LaMount[k];
    counter.setFore(kind.fore);
    counter.setToolTip(kind.counterTip);
    counter.setTop(top);
    Control& total = c.LabTot[k];
    total.setToolTip(kind.totalTip);
    if (k == 0) {
      // "None" only names the lack of life; the label 0 gives the colours of a craft without it.
      name.setVisible(false);
      counter.setVisible(false);
      total.setBack(kTotalNone);
      continue;
    }
    counter.setBack(kind.back);
    total.setPlace(kTotalLeft, top, 560, kRowHeight);
  }
}

void Biosphere::collapse() { c.FraLif->setHeight(kCollapsedHeight); }

void Biosphere::toggle() { c.FraLif->setHeight(c.FraLif->height() == kOpenHeight ? kCollapsedHeight : kOpenHeight); }

void Biosphere::wheelTick() {
  SharedState& s = w_.s;
  if (s.LaunchCooldown > 0) s.LaunchCooldown -= 1;
  if (validBody(s.Focus)) focusWorld(s.Focus);
  p_.launch->updateDirection();
  tally();
  showTotals();
}

void Biosphere::focusWorld(int f) {
  BodyTable& b = w_.b;
  SharedState& s = w_.s;

  // Atmosphere: about two a full orbit while the world stays selected; it never falls here.
  const std::int32_t n = s.Orbits;
  double& air = b.AirLevel[f];
  if (n > 0 && n < 100 && air < 2.0 * n) air = 2.0 * n + Int(w_.Rnd() * 2);
  if (n > 99) air = 250;
  standBar(c.Air, air * 4 + 45, kAirBack);

  // Water: rises with the distance from the star up to 250, then falls off.
  const double dx = b.PosX[f] - b.PosX[2], dy = b.PosY[f] - b.PosY[2], dz = b.PosZ[f] - b.PosZ[2];
  double h = std::sqrt(dx * dx + dy * dy + dz * dz) - 100;
  if (h < 0) h = 0;
  if (h > 150) h = 150 * 150 / h;
  const ClassLife& life = classLife(b.PlanetClass[f]);
  double water = h * life.waterFactor;
  water = water >= 3 ? Int(water) : Int(water * 10) / 10;
  b.WaterLevel[f] = water;

  // Life of the class follows the atmosphere upwards.
  if (life.kind > 0 && (life.airNeeded < 0 || air > life.airNeeded)) {
    i32& count = b.LifeCount[life.kind][f];
    if (count < air) count = air >= double(kMax32) ? std::int32_t(kMax32) : CLng(air);
  }

  c.txGG->setText(Str(air) + "~" + fixed(water, water < 2 ? 1 : 0));
  if (water == 0) standBar(c.Atlantiq, 30, kDryBack);
  else standBar(c.Atlantiq, water < 900 ? life.waterBarBase + water : 900, kWaterBack);

  int code = 0;
  for (int k = 1; k <= 5; ++k) {
    c.LaMount[k].setCaption(plain(b.LifeCount[k][f]));
    if (b.LifeCount[k][f] > 0) code = 10 + k;
  }
  s.LifeCode = code;
  b.BodyKind[f] = code;

  p_.launch->showWorld(f, code);
}

void Biosphere::tally() {
  BodyTable& b = w_.b;
  SharedState& s = w_.s;
  std::int64_t totals[6] = {}, celestials = 0;
  const int last = std::min<int>(s.BodyCount, kRows - 1);
  for (int i = 1; i <= last; ++i) {
    int kinds = 0;
    for (int k = 1; k <= 4; ++k) {
      const std::int32_t v = b.LifeCount[k][i];
      totals[k] += v;
      kinds += v > 0;
    }
    if (kinds < 2) continue;
    const int count = celestialsFor(kinds) * classLife(b.PlanetClass[i]).multiplier;
    if (b.LifeCount[5][i] != count) {
      b.LifeCount[5][i] = count;
      celestialEvent(i, count);
    }
    totals[5] += count;
    celestials += count;
  }
  totals[0] = totals[1] + totals[2] + totals[3] + totals[4] + totals[5];
  // Sums past the counters' range stay at its end rather than wrapping or stopping the tick.
  for (int k = 0; k < 6; ++k) s.LifeTotals[static_cast<std::size_t>(k)] = saturate32(totals[k]);
  s.CelestialSum = static_cast<std::int16_t>(std::min<std::int64_t>(celestials, 32767));
}

void Biosphere::celestialEvent(int body, int count) {
  w_.s.LastEvent = "Celestial" + Str(count) + " Appearance at " + w_.b.BodyName[body] + Str(body);
  p_.log->AppendEvent();
}

void Biosphere::showTotals() {
  SharedState& s = w_.s;
  Control& all = c.LabTot[0];
  if (s.LifeTotals[5] > 0) all.setBack(s.BlinkPhase == 1 ? kTotalLit : kTotalDim);
  else all.setBack(kTotalNone);
  for (int k = 0; k < 6; ++k) {
    w_.b.LifeCount[k][2] = 0;
    c.LabTot[k].setCaption(plain(s.LifeTotals[static_cast<std::size_t>(k)]));
  }
  powers.enableFor(s.CelestialSum);
}

void Biosphere::runTick() {
  const BodyTable& b = w_.b;
  const SharedState& s = w_.s;
  const int last = std::min<int>(s.BodyCount, kRows - 1);
  int present = 0;
  for (int i = 3; i <= last; ++i) present += b.Gone[i] == 0;
  p_.classes->c.LaPlan->setCaption(Str(present));

  // Three rings of four points round body 2, each darker than the last.
  const double x = b.PosX[2] + 7680, y = b.PosY[2] + 5760;
  if (!(std::abs(x) < 1e7 && std::abs(y) < 1e7)) return;
  const double R = b.ColorR[2], G = b.ColorG[2], B = b.ColorB[2];
  const Color shades[3] = {rgb(component(0.7 * R), component(0.7 * G), component(0.7 * B)),
                           rgb(component(R / 2), component(G / 2), component(B / 2)),
                           rgb(component(R / 6), component(G / 6), component(B / 6))};
  Canvas& view = w_.mainView();
  for (int ring = 0; ring < 3; ++ring) {
    const double d = 15.0 * (ring + 1);
    const double marks[4][2] = {{d, 0}, {-d, 0}, {0, d}, {0, -d}};
    for (const auto& m : marks) view.pset(Int(x + m[0]), Int(y + m[1]), shades[ring]);
  }
}

void Biosphere::impactToll(int f, int size) {
  BodyTable& b = w_.b;
  i32& aquatiq = b.LifeCount[2][f];
  if (size >= 100) {
    if (Int(w_.Rnd() * 2) == 0) aquatiq = static_cast<std::int32_t>(Int(aquatiq / 2.0));
    if (Int(w_.Rnd() * 3) == 0) aquatiq = CLng(aquatiq / 3.0);
  }
  if (size >= 200) {
    if (Int(w_.Rnd() * 2) == 0) aquatiq = static_cast<std::int32_t>(Int(aquatiq / 2.0));
    aquatiq = static_cast<std::int32_t>(Int(aquatiq / 2.0));
    i32& terran = b.LifeCount[3][f];
    terran = CLng(terran / 3.0);
  }
}

void Biosphere::carryLife(int survivor, int absorbed) {
  BodyTable& b = w_.b;
  for (int kind = 1; kind <= 5; ++kind)
    if (b.LifeCount[kind][survivor] == 0 && b.LifeCount[kind][absorbed] > 0) b.LifeCount[kind][survivor] = 1;
}

}  // namespace quorl
