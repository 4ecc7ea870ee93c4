// Launching craft and comets.
#include "events/launch.h"

#include <algorithm>
#include <cmath>

#include "events/biosphere.h"
#include "panels/box_input.h"
#include "panels/layout.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

using namespace layout;

// The direction display: its centre in the frame, and the reach of the elevation line above and below it.
constexpr int kDialX = 560, kDialY = 880, kDialReach = 400;
// Two columns beside the dial: what the selected world can launch; the launch's own bars take the rest.
constexpr int kInfoLeft = 1160, kInfoWidth = 1140;

constexpr Color kWhite = rgb(255, 255, 255), kBlack = rgb(0, 0, 0);

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
    {QUORL_CONTROL(Frame4), .kind = Kind::Frame},
    {QUORL_CONTROL(SCRpowER), .kind = Kind::HScroll, .bar = BarRange{1, 10000, 7000, 1, 1}},
    {QUORL_CONTROL(ScrAngle), .kind = Kind::HScroll, .bar = BarRange{0, 6284, 4200, 1, 1}},
    {QUORL_CONTROL(ScrStation), .kind = Kind::HScroll},
    {QUORL_CONTROL(ScrVert), .kind = Kind::HScroll, .bar = BarRange{0, 1000, 500, 1, 1}},
    // The boxes sit in the grid of the starting parameters.
    {QUORL_CONTROL(TXpower), .kind = Kind::TextBox, .place = paramBox(7, false), .toolTip = "Power of Thrust",
     .text = "7000", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(TXangle), .kind = Kind::TextBox, .place = paramBox(7, true),
     .toolTip = "Angle in Radians x 1000 (Full Circle = 6284)", .text = "4200", .fore = kBoxFore, .back = kBoxBack,
     .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(Text10), .kind = Kind::TextBox, .place = paramBox(8, false),
     .toolTip = "Elevation of Thrust on Z-Axis", .text = "0", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont,
     .fontSize = 8},
};

int component(double v) { return std::clamp<int>(CInt(v), 0, 255); }

}  // namespace

LaunchPanel::LaunchPanel(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  c.TXpower->onLostFocus = [this] { powerLeft(); };
  c.FraCosmo->onClick = [this] { toggle(); };
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

void LaunchPanel::powerLeft() {
  Control& box = c.TXpower;
  Control& bar = c.SCRpowER;
  const std::string keep = plain(bar.value());
  const double r = std::nearbyint(readBox(w_, box, "Thrust power"));
  if (!(r >= bar.min() && r <= bar.max()))
    return refuseBox(w_, box, keep,
                     "Thrust power (" + std::to_string(bar.min()) + ".." + std::to_string(bar.max()) + ")");
  bar.setValue(static_cast<int>(r));
}

}  // namespace quorl
