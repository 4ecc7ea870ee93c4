// Steering the selected craft by keys, and its fuel.
#include "events/steering.h"

#include <algorithm>
#include <cmath>

#include "events/biosphere.h"
#include "events/launch.h"
#include "panels/box_input.h"
#include "panels/layout.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

using namespace layout;

// The frame (window units, 144 x 100 pixels): the fuel bar, the thrust box and bar, then the picture of the keys.
constexpr int kCapWidth = 540, kBarLeft = 600, kFuelTop = 285, kFuelHeight = 100;
constexpr int kFineTop = 395, kFineHeight = 40;
constexpr int kThrustTop = 450, kThrustHeight = 255, kThrustBarLeft = 1160;
constexpr int kFuelRoom = 2100 - kBarLeft;  // a fuel that was put above a lightball's stays inside the frame
static_assert(Steering::kFineFuel * Steering::kFineUnitWidth == kFuelRoom, "the fine bar spans the fuel bar's room");
constexpr int kPictureTop = 725, kPictureWidth = 2040, kPictureHeight = 760;

constexpr Color kFuelBack = rgb(60, 200, 90), kFineBack = rgb(170, 245, 190);
constexpr Color kPictureBack = rgb(8, 10, 18);

constexpr const char* kKeysTip = "W + X thrust on the Z-axis ... A + D change the intensity of thrust";

using Self = Steering::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(Frame4), .kind = Kind::Frame, .place = {24340, 12960, 2160, Steering::kOpenHeight},
     .caption = "Thrust Keys:", .fore = kHeadingFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 8,
     .bold = true},
    {QUORL_CONTROL(CapFuel), .kind = Kind::Label, .parent = "Frame4", .place = {45, kFuelTop - 45, kCapWidth, 240},
     .caption = "Fuel", .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 7},
    {QUORL_CONTROL(PFUel), .kind = Kind::Picture, .parent = "Frame4", .place = {kBarLeft, kFuelTop, 0, kFuelHeight},
     .back = kFuelBack},
    {QUORL_CONTROL(PFuelFine), .kind = Kind::Picture, .parent = "Frame4", .place = {kBarLeft, kFineTop, 0, kFineHeight},
     .toolTip = "Fuel within its last ten units: the bar empties every ten units spent", .back = kFineBack},
    {QUORL_CONTROL(CapThrust), .kind = Kind::Label, .parent = "Frame4", .place = {45, kThrustTop, kCapWidth, 240},
     .caption = "Thrust", .fore = kCaptionFore, .back = kPanelBack, .font = kPanelFont, .fontSize = 7},
    {QUORL_CONTROL(txTHrust), .kind = Kind::TextBox, .parent = "Frame4",
     .place = {kBarLeft, kThrustTop, 520, kThrustHeight}, .toolTip = "Spacecraft Thrust", .text = "500",
     .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 7},
    {QUORL_CONTROL(Pthrust), .kind = Kind::Picture, .parent = "Frame4",
     .place = {kThrustBarLeft, kThrustTop + 30, 0, kThrustHeight - 60}, .toolTip = "Spacecraft Thrust"},
    {QUORL_CONTROL(Picture1), .kind = Kind::Picture, .parent = "Frame4",
     .place = {60, kPictureTop, kPictureWidth, kPictureHeight}, .toolTip = kKeysTip, .back = kPictureBack},
};

// A bar drawn as a picture of a width and a colour.
void setBar(Control& bar, int width, Color back) {
  bar.setWidth(width);
  bar.setBack(back);
  Canvas& area = *bar.canvas;
  if (area.width() == width && area.background() == back) return;
  area.resize(width, bar.height());
  area.setBackground(back);
}

// The picture: the nine keys as they lie on the keyboard, each in the colour of what it does, and a legend.
struct KeyCap {
  char letter;
  int row, column, group;
};
constexpr KeyCap kCaps[9] = {{'q', 0, 0, 0}, {'w', 0, 1, 1}, {'e', 0, 2, 0}, {'a', 1, 0, 3}, {'s', 1, 1, 2},
                             {'d', 1, 2, 3}, {'z', 2, 0, 0}, {'x', 2, 1, 1}, {'c', 2, 2, 0}};
constexpr Color kGroupColor[4] = {rgb(120, 200, 255), rgb(255, 200, 90), rgb(255, 120, 120), rgb(160, 255, 140)};
constexpr const char* kLegend[4] = {"q e z c steer", "w x depth", "s brake", "a d thrust"};
constexpr int kKeyWidth = 280, kKeyHeight = 225, kKeyPitchX = 300, kKeyPitchY = 245, kKeyLeft = 20, kKeyTop = 15;
constexpr int kLegendLeft = 960, kLegendPitch = 190;

// A short arrow from the middle of a key's symbol half, in a direction (dx, dy) of length 1.
void arrow(Canvas& p, double x, double y, double dx, double dy, Color c) {
  const double len = 45, head = 25;
  const double tx = x + dx * len, ty = y + dy * len;
  p.line(x - dx * len, y - dy * len, tx, ty, c);
  // The head's two strokes, turned 135 degrees either way from the shaft.
  const double r = std::sqrt(0.5);
  p.line(tx, ty, tx + head * (-dx * r - dy * r), ty + head * (dx * r - dy * r), c);
  p.line(tx, ty, tx + head * (-dx * r + dy * r), ty + head * (-dx * r - dy * r), c);
}

}  // namespace

Steering::Steering(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  c.Frame4->onClick = [this] { toggle(); };
  c.txTHrust->onLostFocus = [this] { thrustLeft(); };
  setBar(c.PFUel, 0, kFuelBack);
  setBar(c.PFuelFine, 0, kFineBack);
  showThrust(Val(inForce_));
  drawKeys();
}

void Steering::open() { c.Frame4->setHeight(kOpenHeight); }
void Steering::collapse() { c.Frame4->setHeight(kCollapsedHeight); }

void Steering::toggle() {
  if (c.Frame4->height() == kOpenHeight) collapse();
  else open();
}

void Steering::drawKeys() {
  Canvas& p = *c.Picture1->canvas;
  p.clear();
  p.fontName = kPanelFont;
  p.fontBold = true;
  p.fontSize = 7;
  for (const KeyCap& k : kCaps) {
    const double x = kKeyLeft + k.column * kKeyPitchX, y = kKeyTop + k.row * kKeyPitchY;
    const Color col = kGroupColor[k.group];
    p.box(x, y, x + kKeyWidth, y + kKeyHeight, col);
    p.currentX = x + 30;
    p.currentY = y + 35;
    p.foreColor = rgb(255, 255, 255);
    p.print(std::string(1, k.letter));
    // The symbol half: where the key pushes (the depth keys as the edge view shows depth), or what it does.
    const double sx = x + 195, sy = y + kKeyHeight / 2.0, d = std::sqrt(0.5);
    switch (k.letter) {
      case 'q': arrow(p, sx, sy, -d, -d, col); break;
      case 'e': arrow(p, sx, sy, d, -d, col); break;
      case 'z': arrow(p, sx, sy, -d, d, col); break;
      case 'c': arrow(p, sx, sy, d, d, col); break;
      case 'w': arrow(p, sx, sy, 0, -1, col); break;
      case 'x': arrow(p, sx, sy, 0, 1, col); break;
      case 's':
        p.line(sx - 40, sy - 25, sx + 40, sy - 25, col);
        p.line(sx - 40, sy + 25, sx + 40, sy + 25, col);
        break;
      case 'a': p.line(sx - 40, sy, sx + 40, sy, col); break;
      default: p.line(sx - 40, sy, sx + 40, sy, col); p.line(sx, sy - 40, sx, sy + 40, col);
    }
  }
  p.fontBold = false;
  for (int i = 0; i < 4; ++i) {
    p.currentX = kLegendLeft;
    p.currentY = kKeyTop + i * kLegendPitch;
    p.foreColor = kGroupColor[i];
    p.print(kLegend[i]);
  }
}

bool Steering::thrust(double& v) {
  Control& box = c.txTHrust;
  v = Val(box.text());
  // A negative thrust would fill the tank while it pushed; one too large for a number pushes nowhere.
  if (std::isfinite(v) && v >= 0) return true;
  refuseBox(w_, box, inForce_, "Spacecraft thrust (0 or more)");
  return false;
}

void Steering::thrustLeft() {
  readBox(w_, c.txTHrust, "Spacecraft thrust");
  double v = 0;
  if (thrust(v)) inForce_ = c.txTHrust->text();
}

void Steering::key(char ch) {
  BodyTable& b = w_.b;
  const SharedState& s = w_.s;
  const int f = s.Focus;
  if (!validBody(f)) return;
  const double k = thrustScale(s);
  double typed = 0;
  if (!thrust(typed)) return;
  const double t = typed * 0.001 * k;

  // The stars hold the system together: no wisdom or fuel moves them.
  if (f <= 2) return w_.status("A star cannot be steered: " + b.BodyName[f]);
  // A world that is not a craft needs as many Celestials in the system as its class number.
  if (b.CraftCode[f] <= 0 && Val(p_.bio->c.LabTot[5].caption()) < b.PlanetClass[f])
    return w_.status("You require more Celestial wisdom to navigate " + b.BodyName[f]);
  if (b.BodyKind[f] == 11)
    return w_.status(p_.launch->c.LaCosmo->caption() + " " + p_.launch->c.LaThing->caption() + "\r" + b.BodyName[f] +
                     "\r" + "No Thrust available.");
  double& fuel = b.Fuel[f];
  if (fuel <= 0) {
    fuel = 0;
    return w_.status(w_.window.Labill->caption() == "No fuel" ? "NO FUEL !!" : "No fuel");
  }

  // Screen y grows downwards: q and e push up.
  double &vx = b.VelX[f], &vy = b.VelY[f], &vz = b.VelZ[f];
  switch (ch) {
    case 'q': vx -= t, vy -= t; break;
    case 'e': vx += t, vy -= t; break;
    case 'z': vx -= t, vy += t; break;
    case 'c': vx += t, vy += t; break;
    case 'w': vz -= t; break;
    case 'x': vz += t; break;
    default: break;
  }
  fuel -= t;
  if (ch == 's') vx *= 0.9, vy *= 0.9, vz *= 0.9;

  // The new intensity takes effect from the next press.
  const double u = ch == 'a' ? std::pow(t, 1.1) : ch == 'd' ? std::pow(t, 0.9) : t;
  double shown = u * 1000 / k;
  // Scaled down and back up, a whole number can come back a hair below itself; Int would then lose one
  // at every press.
  const double whole = std::nearbyint(shown);
  if (std::abs(shown - whole) <= 1e-9 * whole) shown = whole;
  if (shown >= 7) shown = Int(shown);
  if (!(shown >= 1)) shown = 1;  // also a scale of 0, which leaves no number
  if (shown > 1024) shown = 1024;
  inForce_ = plain(shown);
  c.txTHrust->setText(inForce_);
  showThrust(shown);

  // A lightball refills itself.
  if (fuel <= 0) fuel = b.BodyKind[f] == 15 ? 1333 : 0;
  showFuel(fuel);
}

void Steering::showThrust(double u) {
  setBar(c.Pthrust, static_cast<int>(std::nearbyint(u * 600 / 1204)), rgb(255, CInt(255 - u / 4.2), 0));
}

void Steering::showFuel(double fuel) {
  const double width = std::clamp(fuel, 0.0, double(kFuelRoom));
  setBar(c.PFUel, static_cast<int>(std::nearbyint(width)), kFuelBack);
  const double fine = std::isfinite(fuel) && fuel > 0 ? std::fmod(fuel, kFineFuel) : 0;
  setBar(c.PFuelFine, static_cast<int>(std::nearbyint(fine * kFineUnitWidth)), kFineBack);
  c.PFUel->setToolTip("Fuel:=  " + Str(Int(fuel * 100) / 100));
}

}  // namespace quorl
