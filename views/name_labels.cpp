// Body names printed on the main view.
#include "views/name_labels.h"

#include <algorithm>
#include <string>

#include "app/game.h"
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

}  // namespace

NameLabels::NameLabels(Game& g) : g_(g), view_(g.canvas("Quorl")) {
  g.addArray("OptUp", Kind::Option, 0, 7);
  Control& heading = g.ui.add("Label5", Kind::Label);
  heading.caption = "Names";
  heading.fore = rgb(224, 224, 224);
  heading.left = 15480, heading.top = 10800, heading.width = 700, heading.height = 255;

  static const char* const tips[8] = {
      "Name size according to number of worlds. All worlds are named.",
      "Emphasis on Planet Size",
      "Focus on Spacecraft Names",
      "Planets only, by size",
      "Planets, by life",
      "Non planets by Number",
      "Bigger planets only, by size",
      "Selected world only.",
  };
  for (int i = 0; i < 8; ++i) {
    Control& o = g.c("OptUp", i);
    o.toolTip = tips[i];
    o.left = 16240 + 330 * i, o.top = 10800, o.width = 300, o.height = 255;
    o.back = rgb(0, 0, 0);
    options_[i] = &o;
  }
  options_[7]->onClick = [this] { g_.canvas("LOxy").clear(); };
  options_[6]->choose();
}

int NameLabels::mode() const {
  for (int i = 0; i < 8; ++i)
    if (options_[i]->checked()) return i;
  return -1;
}

void NameLabels::NamePlanet(int pX, int pY, int Pln) {
  if (!validBody(Pln)) return;
  const BodyTable& b = g_.b;
  if (b.Gone[Pln] == 1) return;
  const int x = pX + 7680, y = pY + 5760;
  if (x < 1 || y < 1 || x >= 15360 || y >= 11520) return;

  const int focus = g_.s.Focus;
  const double focusLength = validBody(focus) ? static_cast<double>(b.BodyName[focus].size()) : 0;
  double dy = 0, w = 60 * focusLength;
  if (Pln != 2) {
    dy = b.VelY[Pln] > 0 ? -300 : 0;
    w = Pln == focus ? 150 * focusLength : -150;
  }
  Canvas& c = view_;
  c.currentX = x - w;
  c.currentY = pY + 5768 + dy;
  c.foreColor = g_.views->bodyColor(Pln);

  const int live = g_.s.LiveCount, cls = b.PlanetClass[Pln];
  const std::string& name = b.BodyName[Pln];
  // The name and the number with its leading blank, as Str writes a non-negative whole number.
  auto withNumber = [&] { return name + ' ' + std::to_string(Pln); };
  switch (mode()) {
    case 0:
      c.fontSize = sizeByCount(live, false);
      c.print(name);
      break;
    case 1:
      if (cls > 7) c.fontSize = 16;
      else if (cls == 7) c.fontSize = 14;
      else if (cls == 6) c.fontSize = 12;
      else if (cls == 5) c.fontSize = 11;
      else if (cls == 4) c.fontSize = 10;
      else if (cls == 3) c.fontSize = 9;
      else if (cls == 2) c.fontSize = 7;
      if (cls > 1) c.print(name);
      break;
    case 2:
      if (cls > 2 && cls < 7) {
        if (live < 21) c.fontSize = 9;
        else if (live < 41) c.fontSize = 8;
        else c.fontSize = 7;
        if (live > 60) c.fontSize = 2;
      }
      if (cls == 2) c.fontSize = 7;
      if (cls == 5) c.fontSize = 10;
      if (cls > 5) c.fontSize = 12;
      if (b.BodyKind[Pln] > 10) c.fontSize = b.BodyKind[Pln];
      if ((cls >= 2 || b.BodyKind[Pln] > 10) && c.fontSize > 6) c.print(name);
      break;
    case 3:
      if (cls > 7) c.fontSize = 14;
      else if (cls == 7) c.fontSize = 13;
      else if (cls == 6) c.fontSize = 12;
      else if (cls == 5) c.fontSize = 11;
      else if (cls == 4) c.fontSize = 10;
      else if (cls == 3) c.fontSize = 9;
      else if (cls == 2) c.fontSize = 8;
      if (cls > 1) c.print(withNumber());
      break;
    case 4:
      // Class 8 has no size of its own here: it keeps the size the previous label left.
      if (cls == 7) c.fontSize = 9;
      else if (cls == 5 || cls == 6) c.fontSize = 7;
      else if (cls == 4) c.fontSize = 12;
      else if (cls == 3) c.fontSize = 14;
      else if (cls == 2) c.fontSize = 12;
      else if (cls == 1) c.fontSize = 7;
      c.print(withNumber());
      break;
    case 5:
      c.fontSize = sizeByCount(live, true);
      if (cls < 2) c.print(withNumber());
      break;
    case 7:
      c.fontSize = 14;
      if (Pln == focus) c.print(name);
      break;
    default:  // mode 6 names nobody
      break;
  }
}

}  // namespace quorl
