// Launching craft and comets.
#include "events/launch.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "events/biosphere.h"
#include "events/nova.h"
#include "io/event_log.h"
#include "names/names.h"
#include "panels/box_input.h"
#include "panels/layout.h"
#include "sim/numbers.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

using namespace layout;

// The direction display: its centre in the frame, and the reach of the elevation line above and below it.
constexpr int kDialX = 560, kDialY = 880, kDialReach = 400;
// Two columns beside the dial: what the selected world can launch; the launch's own bars take the rest.
constexpr int kInfoLeft = 1160, kInfoWidth = 1140;

constexpr Color kWhite = rgb(255, 255, 255), kBlack = rgb(0, 0, 0);

// The launch's bars on the right, one row each beside the rows of the info column.
constexpr int kRowTops[4] = {300, 585, 870, 1185};
constexpr int kCapLeft = 2360, kCapWidth = 720, kBarLeft = 3100, kLongBar = 1180, kShortBar = 640;
constexpr int kBoxLeft = 3780, kBoxWidth = 500, kBarHeight = 240;

constexpr Place caption(int row) { return {kCapLeft, kRowTops[row], kCapWidth, 255}; }
constexpr Place bar(int row, bool long_) {
  return {kBarLeft, kRowTops[row] + 8, long_ ? kLongBar : kShortBar, kBarHeight};
}
constexpr Place box(int row) { return {kBoxLeft, kRowTops[row], kBoxWidth, 270}; }

using Self = LaunchPanel::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(FraCosmo), .kind = Kind::Frame, .place = {19920, 12960, 4380, LaunchPanel::kOpenHeight},
     .caption = "Space Craft", .fore = kHeadingFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 8,
     .bold = true},
    {QUORL_CONTROL(LaCosmo), .kind = Kind::Label, .parent = "FraCosmo", .place = {kInfoLeft, 300, kInfoWidth, 255},
     .caption = "-", .fore = kBlack, .back = kWhite, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(LaThing), .kind = Kind::Label, .parent = "FraCosmo", .place = {kInfoLeft, 585, kInfoWidth, 255},
     .caption = "-", .fore = kWhite, .back = kWhite, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(Text11), .kind = Kind::TextBox, .parent = "FraCosmo", .place = {kInfoLeft, 870, kInfoWidth, 285},
     .toolTip = "Spare worlds beyond the start", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 8,
     .readOnly = true},
    // Shown by the biosphere tick for a world that carries life.
    {QUORL_CONTROL(Command12), .kind = Kind::Button, .parent = "FraCosmo", .place = {kInfoLeft, 1185, kInfoWidth, 285},
     .caption = "Launch", .font = kPanelFont, .fontSize = 8, .hidden = true},
    {QUORL_CONTROL(ShpDial), .kind = Kind::Shape, .parent = "FraCosmo",
     .place = {kDialX - kDialReach, kDialY - kDialReach, 2 * kDialReach, 2 * kDialReach}, .fore = rgb(60, 70, 95)},
    {QUORL_CONTROL(LineAngle), .kind = Kind::Line, .parent = "FraCosmo", .fore = rgb(255, 255, 255)},
    {QUORL_CONTROL(LineZth), .kind = Kind::Line, .parent = "FraCosmo"},
    {QUORL_CONTROL(Label9), .kind = Kind::Label, .parent = "FraCosmo", .place = caption(0), .caption = "Power",
     .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(SCRpowER), .kind = Kind::HScroll, .parent = "FraCosmo", .place = bar(0, true),
     .bar = BarRange{1, 10000, 7000, 10, 500}},
    {QUORL_CONTROL(LabAngle), .kind = Kind::Label, .parent = "FraCosmo", .place = caption(1), .caption = "Angle",
     .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(ScrAngle), .kind = Kind::HScroll, .parent = "FraCosmo", .place = bar(1, true),
     .bar = BarRange{0, 6284, 4200, 10, 262}},
    {QUORL_CONTROL(Label11), .kind = Kind::Label, .parent = "FraCosmo", .place = caption(2), .caption = "Z-Power",
     .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(ScrVert), .kind = Kind::HScroll, .parent = "FraCosmo", .place = bar(2, false),
     .bar = BarRange{0, 1000, 500, 10, 100}},
    {QUORL_CONTROL(Label12), .kind = Kind::Label, .parent = "FraCosmo", .place = box(2), .caption = "Level",
     .toolTip = "Level the thrust: no elevation", .fore = kBoxFore, .back = rgb(44, 52, 76), .font = kPanelFont,
     .fontSize = 8},
    {QUORL_CONTROL(LabStation), .kind = Kind::Label, .parent = "FraCosmo", .place = caption(3), .caption = "Station",
     .toolTip = "Launch distance from the world", .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont,
     .fontSize = 8},
    {QUORL_CONTROL(ScrStation), .kind = Kind::HScroll, .parent = "FraCosmo", .place = bar(3, false),
     .bar = BarRange{1, 100, 80, 1, 10}},
    {QUORL_CONTROL(Text12), .kind = Kind::TextBox, .parent = "FraCosmo", .place = box(3), .text = "80",
     .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 8},
    // The boxes of power, angle and elevation are starting parameters: they sit in that grid, and stay in
    // sight while the panel is collapsed.
    {QUORL_CONTROL(TXpower), .kind = Kind::TextBox, .place = paramBox(7, false), .toolTip = "Power of Thrust",
     .text = "7000", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(TXangle), .kind = Kind::TextBox, .place = paramBox(7, true),
     .toolTip = "Angle in Radians x 1000 (Full Circle = 6284)", .text = "4200", .fore = kBoxFore, .back = kBoxBack,
     .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(Text10), .kind = Kind::TextBox, .place = paramBox(8, false),
     .toolTip = "Elevation of Thrust on Z-Axis", .text = "0", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont,
     .fontSize = 8},
};

// The kinds of craft by the life carried (1..5): mark of the name, fuel, first code, mass.
struct CraftKind {
  const char* marker;
  double fuel;
  int code;
  double mass;  // comets draw theirs
};
constexpr CraftKind kCraft[6] = {
    {"", 0, 0, 0},          {"*", 0, 11, 0},        {"+", 1000, 21, 5e-21},
    {"+", 1000, 31, 5e-21}, {"+", 1000, 41, 5e-21}, {"^", 1333, 51, 7e-20},
};
constexpr int kFromCraftCode = 61;
constexpr double kFromCraftMass = 6e-23;
constexpr int kFirstCraftRow = 51;

std::string upper(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}
std::string lower(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

int component(double v) { return std::clamp<int>(CInt(v), 0, 255); }

}  // namespace

double thrustScale(const SharedState& s) {
  const double k = std::sqrt(s.MasterScale / 31.0);
  return std::isnan(k) ? 0 : k;
}

LaunchPanel::LaunchPanel(World& w, Peers& p) : c(declared(w.ui, kControls)), steering(w, p), w_(w), p_(p) {
  c.FraCosmo->onClick = [this] { toggle(); };
  c.Command12->onClick = [this] { launch(); };
  // Each bar writes its value into its box; leaving a box moves the bar.
  c.SCRpowER->onChange = [this] { c.TXpower->setText(plain(c.SCRpowER->value())); };
  c.ScrAngle->onChange = [this] { c.TXangle->setText(plain(c.ScrAngle->value())); };
  c.ScrStation->onChange = [this] { c.Text12->setText(plain(c.ScrStation->value())); };
  c.ScrVert->onChange = [this] { c.Text10->setText(plain(c.ScrVert->value() - 500)); };
  c.TXpower->onLostFocus = [this] { boxLeft(c.TXpower, c.SCRpowER, 0, "Thrust power"); };
  c.TXangle->onLostFocus = [this] { boxLeft(c.TXangle, c.ScrAngle, 0, "Thrust angle"); };
  c.Text12->onLostFocus = [this] { boxLeft(c.Text12, c.ScrStation, 0, "Launch station"); };
  c.Text10->onLostFocus = [this] { boxLeft(c.Text10, c.ScrVert, 500, "Elevation"); };
  c.Label12->onClick = [this] {
    c.Text10->setText("0");
    c.ScrVert->setValue(500);
  };
}

void LaunchPanel::open() { c.FraCosmo->setHeight(kOpenHeight); }
void LaunchPanel::collapse() { c.FraCosmo->setHeight(kCollapsedHeight); }

void LaunchPanel::toggle() {
  if (c.FraCosmo->height() == kCollapsedHeight) open();
  else collapse();
}

void LaunchPanel::showWorld(int s, int lifeCode) {
  const BodyTable& b = w_.b;
  Control& launch = c.Command12;
  Control& kind = c.LaCosmo;
  Control& craft = c.LaThing;
  Control& text = c.Text11;
  if (lifeCode > 10) {
    if (b.PlanetClass[s] > 1) {
      const int cooldown = w_.s.LaunchCooldown;
      if (cooldown >= 1 && cooldown <= 9) text.setText("+++");
      else if (cooldown == 0) text.setText("...");
      c.FraCosmo->setCaption("Launchpad");
      open();
      launch.setVisible(true);
      launch.setCaption("Launch");
    } else {
      c.FraCosmo->setCaption(b.CraftCode[s] > 0 ? "Spacecraft" : "Asteroid");
      text.setText(b.BodyName[s]);
      launch.setVisible(false);
      launch.setCaption("N/A");
    }
    const int k = lifeCode - 10;
    const Control& counter = p_.bio->c.LaMount[k];
    kind.setCaption(p_.bio->c.Lalife[k].caption());
    kind.setBack(counter.fore());
    craft.setCaption(w_.s.CraftTypeNames[static_cast<std::size_t>(k)]);
    craft.setBack(counter.back());
    return;
  }
  launch.setVisible(false);
  launch.setCaption("No Life");
  kind.setCaption("");
  craft.setCaption("");
  text.setText("");
  kind.setBack(kWhite);
  craft.setBack(kWhite);
}

void LaunchPanel::updateDirection() {
  SharedState& s = w_.s;
  const double a = Val(c.TXangle->text()) / 1000;
  // An angle too large to be a number ("1e999") has no direction: the last one stays.
  if (std::isfinite(a)) {
    s.LaunchDirX = 400 * std::cos(a);
    s.LaunchDirY = 400 * std::sin(a);
    c.LineAngle->setLine(kDialX, kDialY, kDialX + static_cast<int>(std::lround(s.LaunchDirX)),
                         kDialY + static_cast<int>(std::lround(s.LaunchDirY)));
  }
  Control& zth = c.LineZth;
  zth.setFore(rgb(component(c.SCRpowER->value() / 40.0), 40, 20));
  // The elevation bar's range 0..1000 spans the dial from top to bottom.
  const int y1 = kDialY - kDialReach + c.ScrVert->value() * 2 * kDialReach / 1000;
  zth.setLine(kDialX + kDialReach + 80, y1, kDialX, kDialY);
}

void LaunchPanel::boxLeft(Control& box, Control& bar, int offset, const char* what) {
  const std::string keep = plain(bar.value() - offset);
  const double r = std::nearbyint(readBox(w_, box, what)) + offset;
  if (!(r >= bar.min() && r <= bar.max()))
    return refuseBox(w_, box, keep,
                     std::string(what) + " (" + plain(bar.min() - offset) + ".." + plain(bar.max() - offset) + ")");
  bar.setValue(static_cast<int>(r));
}

std::string LaunchPanel::refusal(int s, int& craft) {
  const BodyTable& b = w_.b;
  const SharedState& st = w_.s;
  // A life code the tick cannot give (a script may put one) launches nothing either.
  if (st.LifeCode < 11 || st.LifeCode > 15) return "No lifeforms available for spacecraft.";
  const bool valid = validBody(s);
  bool alive = false;
  for (int k = 1; k <= 5 && valid; ++k) alive = alive || b.LifeCount[k][s] >= 1;
  if (valid && !alive) return "No lifeforms available for Launch Crew?.";
  if (s < 3 || !valid)
    return st.BodyCount < 1 ? "Select ^ 1-9 Supernova, or choose 10 for a single body."
                            : "Not enough energy to split the sun. Select a planet or Supernova.";
  craft = -1;
  for (int i = std::min<int>(st.BodyCount, kRows - 1); i >= kFirstCraftRow; --i)
    if (b.Gone[i] == 1 && i != s) craft = i;
  if (craft < 0) return "Whew, Pell, we have a problem. No spare craft.";
  if (p_.nova->newWorldsFull())
    return "Universe depleted. The list of new worlds is full: no room to launch another craft.";
  // Boxes typed into without leaving them: a number too large for a double launches nowhere.
  if (!std::isfinite(Val(c.TXpower->text()))) return "Thrust power: \"" + c.TXpower->text() + "\" cannot be used.";
  if (!std::isfinite(Val(c.Text10->text()))) return "Elevation: \"" + c.Text10->text() + "\" cannot be used.";
  return "";
}

LaunchAim LaunchPanel::aim() const {
  const SharedState& st = w_.s;
  return {Val(c.TXpower->text()) / 100000 * thrustScale(st), c.ScrStation->value() / 1000.0, Val(c.Text10->text()),
          st.LaunchDirX, st.LaunchDirY};
}

bool LaunchPanel::wouldLaunch(int& row, LaunchAim& a) {
  row = -1;
  if (!refusal(w_.s.Focus, row).empty()) return false;
  a = aim();
  return true;
}

void LaunchPanel::launch() {
  BodyTable& b = w_.b;
  SharedState& st = w_.s;
  const int s = st.Focus;
  int cr = -1;
  if (const std::string why = refusal(s, cr); !why.empty()) return w_.status(why);
  const int k = st.LifeCode - 10;

  p_.zoom->clearAreas();
  startCraft(b, st, w_.random, s, cr, aim());
  st.LaunchCooldown = 25;
  b.PlanetClass[cr] = 1;
  for (int i = 0; i < kLifeKinds; ++i) b.LifeCount[i][cr] = 0;
  b.LifeCount[k][cr] = 1;
  b.LifeCount[k][s] -= 1;
  b.ColorR[cr] = b.ColorG[cr] = b.ColorB[cr] = 255;
  if (k != 1) steering.open();
  // Listed after the kind settings, so that a craft launched from a craft is listed by the name it keeps.
  p_.nova->addNewWorld(cr);
  steering.showFuel(b.Fuel[cr]);

  const std::string what = "New " + c.LaCosmo->caption() + " " + c.LaThing->caption() + Str(cr);
  w_.status(what + "\r" + "Launched from " + b.BodyName[s] + "\r" + b.BodyName[cr]);
  st.LastEvent = what + ", launched from " + b.BodyName[s] + " -> " + b.BodyName[cr];
  p_.log->AppendEvent();
  c.Text11->setText(b.BodyName[cr]);
  open();
}

namespace {

std::string craftName(const BodyTable& b, const SharedState& st, Random& r, int s, int k, const std::string& marker) {
  const std::string& world = b.BodyName[s];
  const auto R = [&r](int n) { return static_cast<int>(Int(r.rnd() * n)); };
  const auto V = [](int i) { return std::string(NameGenerator::VowelParts[static_cast<std::size_t>(i)]); };
  const auto C = [](int i) { return std::string(NameGenerator::ConsonantParts[static_cast<std::size_t>(i)]); };
  const auto L = [](int i) { return std::string(1, NameGenerator::NameLetter(i)); };
  std::string name;
  switch (R(3)) {
    case 0: {
      const double u = r.rnd();
      const int a = R(10), bb = R(26);
      name = marker + world.substr(0, static_cast<std::size_t>(Int(2 * u) + 2)) + V(a) + C(bb) + "~";
      const int m1 = R(25) + 10, m2 = R(25) + 10;
      name += upper(L(m1)) + upper(L(m2));
      break;
    }
    case 1: {
      const int v = R(5) + 1;
      // Column 5 of the craft words is the empty word.
      name = marker + (v <= 4 ? st.CraftWords[static_cast<std::size_t>(k)][static_cast<std::size_t>(v)] : "");
      if (k == 2) {
        name = "+U" + Str(R(999));
      } else {
        const int m = R(25) + 10, a = R(10), bb = R(26), a2 = R(10), b2 = R(26);
        name += " " + upper(L(m)) + V(a) + C(bb) + V(a2) + C(b2);
      }
      break;
    }
    default: {
      const int m = R(25) + 10, a = R(10);
      name = marker + upper(L(m)) + lower(world) + V(a);
    }
  }
  if (name.size() > 12) name.resize(static_cast<std::size_t>(12 - Int(r.rnd() * 3)));
  return name;
}

void craftKind(BodyTable& b, const SharedState& st, Random& r, int s, int cr, int k) {
  const auto R = [&r](int n) { return static_cast<int>(Int(r.rnd() * n)); };
  if (b.CraftCode[s] <= 0) {
    b.BodyKind[cr] = st.LifeCode;
    b.CraftCode[cr] = static_cast<std::int16_t>(kCraft[k].code + R(8));
    b.Mass[cr] = k == 1 ? (R(5) + 5) * 1e-22 : kCraft[k].mass;
    return;
  }
  // A craft launched from a craft: a small probe named after its mother ship.
  b.CraftCode[cr] = kFromCraftCode;
  b.Mass[cr] = kFromCraftMass;
  const int m = R(25) + 10, a = R(10), bb = R(26);
  b.BodyName[cr] = b.BodyName[s].substr(0, 1) + " #" + std::string(1, NameGenerator::NameLetter(m)) +
                   std::string(NameGenerator::VowelParts[static_cast<std::size_t>(a)]) +
                   std::string(NameGenerator::ConsonantParts[static_cast<std::size_t>(bb)]);
}

}  // namespace

void startCraft(BodyTable& b, const SharedState& st, Random& r, int s, int cr, const LaunchAim& aim) {
  const int k = st.LifeCode - 10;
  b.PosZ[cr] = b.PosZ[s];
  b.PosY[cr] = b.PosY[s] + aim.dirY * aim.station;
  b.PosX[cr] = b.PosX[s] + aim.dirX * aim.station;
  b.VelX[cr] = b.VelX[s] + aim.power * aim.dirX / 100;
  b.VelY[cr] = b.VelY[s] + aim.power * aim.dirY / 100;
  b.VelZ[cr] = b.VelZ[s] + aim.power * aim.elevation / 100;
  b.Gone[cr] = 0;
  const CraftKind& kind = kCraft[k];
  b.Fuel[cr] = kind.fuel;
  b.BodyName[cr] = craftName(b, st, r, s, k, kind.marker);
  craftKind(b, st, r, s, cr, k);
}

}  // namespace quorl
