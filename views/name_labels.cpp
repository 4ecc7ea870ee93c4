// Body names printed on the main view.
#include "views/name_labels.h"

#include <algorithm>
#include <string>

#include "sim/numbers.h"
#include "views/orbit_views.h"

namespace quorl {

namespace {

// Modes 0 and 5 size the names by the number of present planets.
double sizeByCount(int live, bool mode5) {
  if (live < 5) return 12;
  if (live <= 15) return 11;
  if (live <= 20) return 10;
  if (live <= 30) return 9;
  if (live <= 40) return 8;
  if (mode5 || live <= 50) return 7;
  return 6;
}

constexpr const char* kTips[8] = {
    "Name size according to number of worlds. All worlds are named.",
    "Emphasis on Planet Size",
    "Focus on Spacecraft Names",
    "Planets only, by size",
    "Planets, by life",
    "Non planets by Number",
    "Bigger planets only, by size",
    "Selected world only.",
};

using Self = NameLabels::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROLS(OptUp), .kind = Kind::Option, .first = 0, .last = 7, .place = {16240, 10800, 300, 255},
     .back = rgb(0, 0, 0)},
    {QUORL_CONTROL(Label5), .kind = Kind::Label, .place = {15480, 10800, 700, 255}, .caption = "Names",
     .fore = rgb(224, 224, 224)},
};

}  // namespace

NameLabels::NameLabels(World& w, Peers& p) : w_(w), p_(p), view_(w.mainView()) {
  declare(w.ui, c, kControls);
  for (int i = 0; i < 8; ++i) {
    Control& o = c.OptUp[i];
    o.setToolTip(kTips[i]);
    o.setLeft(16240 + 330 * i);
  }
  c.OptUp[7].onClick = [this] { p_.views->c.LOxy->canvas->clear(); };
  c.OptUp[6].choose();
}

int NameLabels::mode() const {
  for (int i = 0; i < 8; ++i)
    if (c.OptUp[i].checked()) return i;
  return -1;
}

void NameLabels::NamePlanet(int pX, int pY, int Pln) {
  if (!validBody(Pln)) return;
  const BodyTable& b = w_.b;
  if (b.Gone[Pln] == 1) return;
  const int x = pX + 7680, y = pY + 5760;
  if (x < 1 || y < 1 || x >= 15360 || y >= 11520) return;

  const int focus = w_.s.Focus;
  const double focusLength = validBody(focus) ? static_cast<double>(b.BodyName[focus].size()) : 0;
  double dy = 0, w = 60 * focusLength;
  if (Pln != 2) {
    dy = b.VelY[Pln] > 0 ? -300 : 0;
    w = Pln == focus ? 150 * focusLength : -150;
  }
  Canvas& v = view_;
  v.currentX = x - w;
  v.currentY = pY + 5768 + dy;
  v.foreColor = p_.views->bodyColor(Pln);

  const int live = w_.s.LiveCount, cls = b.PlanetClass[Pln];
  const std::string& name = b.BodyName[Pln];
  // The name and the number with its leading blank, as Str writes a non-negative whole number.
  auto withNumber = [&] { return name + ' ' + std::to_string(Pln); };
  switch (mode()) {
    case 0:
      v.fontSize = sizeByCount(live, false);
      v.print(name);
      break;
    case 1:
      if (cls > 7) v.fontSize = 16;
      else if (cls == 7) v.fontSize = 14;
      else if (cls == 6) v.fontSize = 12;
      else if (cls == 5) v.fontSize = 11;
      else if (cls == 4) v.fontSize = 10;
      else if (cls == 3) v.fontSize = 9;
      else if (cls == 2) v.fontSize = 7;
      if (cls > 1) v.print(name);
      break;
    case 2:
      if (cls > 2 && cls < 7) {
        if (live < 21) v.fontSize = 9;
        else if (live < 41) v.fontSize = 8;
        else v.fontSize = 7;
        if (live > 60) v.fontSize = 2;
      }
      if (cls == 2) v.fontSize = 7;
      if (cls == 5) v.fontSize = 10;
      if (cls > 5) v.fontSize = 12;
      if (b.BodyKind[Pln] > 10) v.fontSize = b.BodyKind[Pln];
      if ((cls >= 2 || b.BodyKind[Pln] > 10) && v.fontSize > 6) v.print(name);
      break;
    case 3:
      if (cls > 7) v.fontSize = 14;
      else if (cls == 7) v.fontSize = 13;
      else if (cls == 6) v.fontSize = 12;
      else if (cls == 5) v.fontSize = 11;
      else if (cls == 4) v.fontSize = 10;
      else if (cls == 3) v.fontSize = 9;
      else if (cls == 2) v.fontSize = 8;
      if (cls > 1) v.print(withNumber());
      break;
    case 4:
      // Class 8 has no size of its own here: it keeps the size the previous label left.
      if (cls == 7) v.fontSize = 9;
      else if (cls == 5 || cls == 6) v.fontSize = 7;
      else if (cls == 4) v.fontSize = 12;
      else if (cls == 3) v.fontSize = 14;
      else if (cls == 2) v.fontSize = 12;
      else if (cls == 1) v.fontSize = 7;
      v.print(withNumber());
      break;
    case 5:
      v.fontSize = sizeByCount(live, true);
      if (cls < 2) v.print(withNumber());
      break;
    case 7:
      v.fontSize = 14;
      if (Pln == focus) v.print(name);
      break;
    default:  // mode 6 names nobody
      break;
  }
}

}  // namespace quorl
