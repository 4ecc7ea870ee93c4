// Choosing the selected world and reporting on it.
#include "panels/focus_panel.h"

#include <algorithm>
#include <array>

#include "app/game.h"
#include "sim/numbers.h"
#include "sim/squash.h"
#include "views/orbit_views.h"

namespace quorl {

namespace {

int component(float c) { return std::clamp<int>(CInt(c), 0, 255); }

// The nine points round the selected body that the keeper plots at every tick.
constexpr std::array<std::array<int, 2>, 9> kKeeperMarks{
    {{0, 0}, {15, 15}, {-15, 15}, {-15, -15}, {15, -15}, {30, 0}, {0, 30}, {-30, 0}, {0, -30}}};

}  // namespace

FocusPanel::FocusPanel(Game& g) : g_(g), bar_(g.ui.add("Hcelest", Kind::HScroll)) {
  g.ui.add("TXnewton", Kind::TextBox);
  g.ui.add("LabWorld", Kind::Label);
  g.ui.add("LabFoc", Kind::Label);
  g.ui.add("LaFocal", Kind::Label);
  g.ui.add("Laplace", Kind::Label);
  g.ui.add("Laorb", Kind::Label);
  g.ui.add("Label4", Kind::Label);
  g.ui.add("Text2", Kind::TextBox);
  g.ui.add("LaMass", Kind::Label);
  g.ui.add("Text6", Kind::TextBox);
  g.ui.add("Label8", Kind::Label);
  g.ui.add("Chon", Kind::CheckBox);
  g.ui.add("Command66", Kind::Button);
  g.ui.add("Command9", Kind::Button);
  g.ui.add("Command7", Kind::Button);
  g.ui.add("Command13", Kind::Button);
  g.ui.add("LabSelect", Kind::Label);
  {
    Control& t = g.ui.add("Tix", Kind::Timer);
    t.setInterval(250);
    t.setEnabled(false);
  }

  // The bar shows body 3 before any handler is wired, so opening the window selects nothing.
  bar_.setRange(2, 9999);
  bar_.largeChange = 10;
  bar_.setValue(3);
  layout();

  bar_.onChange = [this] { focusChange(); };
  g.c("TXnewton").onLostFocus = [this] { newtonLeft(); };
  g.c("Command66").onClick = [this] { largest(); };
  g.c("Command9").onClick = [this] { smallest(); };
  g.c("Command7").onClick = [this] { randomBody(); };
  g.c("Command13").onClick = [this] { previous(); };
  g.c("Tix").onTick = [this] { keeperTick(); };
  g.c("Chon").onClick = [this] { switchBody(); };
}

void FocusPanel::layout() {
  auto place = [&](const char* name, int left, int top, int width, int height) -> Control& {
    Control& c = g_.c(name);
    c.left = left, c.top = top, c.width = width, c.height = height;
    return c;
  };
  const Color light = rgb(224, 224, 224), dark = rgb(48, 48, 48);

  Control& world = place("LabWorld", 15480, 8700, 2880, 330);
  world.caption = "Planet Name";
  world.fontSize = 12;
  world.fontBold = true;
  world.fore = light;
  Control& focal = place("LaFocal", 18400, 8700, 600, 330);
  focal.caption = "Planet #";
  focal.fore = light;
  place("Laplace", 19040, 8700, 760, 330).fore = light;

  bar_.left = 15480, bar_.top = 9060, bar_.width = 2640, bar_.height = 255;
  Control& select = place("LabSelect", 18160, 9060, 1640, 255);
  select.caption = "< Select world";
  select.fore = light;

  place("Command13", 15480, 9360, 360, 300).caption.assign(1, '<');  // (a false -Wrestrict in GCC 12)
  Control& newton = place("TXnewton", 15900, 9360, 700, 300);
  newton.fore = rgb(255, 255, 255);
  newton.back = dark;
  place("Command66", 16660, 9360, 1540, 300).caption = "largest planet";
  place("Command9", 18260, 9360, 1540, 300).caption = "smallest planet";

  place("Command7", 15480, 9720, 1500, 300).caption = "random body";
  Control& chon = place("Chon", 17040, 9720, 1300, 300);
  chon.caption = "Planet off";
  chon.fore = light;
  chon.back = rgb(0, 0, 0);
  chon.visible = false;  // shown with the editor while paused
  Control& foc = place("LabFoc", 18400, 9720, 1400, 300);
  foc.caption = "Planet Name";
  foc.fore = light;

  Control& mass = place("Text2", 15480, 10080, 2300, 285);
  mass.toolTip = "Mass of selected body";
  mass.fore = rgb(255, 255, 255);
  mass.back = dark;
  Control& unit = place("LaMass", 17840, 10080, 800, 285);
  unit.caption = "Jupiter";
  unit.fore = light;
  Control& orbits = place("Label4", 18700, 10080, 600, 285);
  orbits.caption = "Orbits:";
  orbits.fore = light;
  place("Laorb", 19300, 10080, 500, 285).fore = light;

  Control& radius = place("Label8", 15480, 10420, 700, 285);
  radius.caption = "Radius";
  radius.fore = light;
  Control& rtext = place("Text6", 16240, 10420, 2300, 285);
  rtext.fore = rgb(255, 255, 255);
  rtext.back = dark;
}

std::string FocusPanel::massText(double mass) {
  const double m = mass * 1000;  // in Jupiter masses
  if (m <= 1e-20) return Str(m);
  if (m < 1e-5) return fixed(m, 20);
  return m >= 1 ? fixed(m, 2) : fixed(m, 6);
}

std::string FocusPanel::radiusText(double r) {
  // Sequential tests: each one sees r as the earlier ones left it.
  std::string text;
  if (r > 10) {
    r = Int(r);
    text = Str(r) + " thousand km";
  } else if (r >= 0.3) {
    r = Int(r * 10) * 100;
    text = Str(r) + " km";
  }
  if (r < 0.3 && r >= 0.003) {
    r = Int(r * 1000);
    text = Str(r) + " km";
  }
  if (r < 0.003 && r >= 0.00003) {
    r = Int(r * 1e6) + 1;
    text = Str(r) + " meters";
  }
  if (r < 0.00003) {
    r = Int(r * 1e9) + 1;
    text = Str(r) + " mm";
  }
  return text;
}

void FocusPanel::runSort() { g_.c("Command6").press(); }

void FocusPanel::clearZoomAreas() {
  g_.canvas("PicSide").clear();
  g_.canvas("PicMoon").clear();
}

void FocusPanel::setBar(int value) { bar_.setValue(std::clamp(value, bar_.min(), bar_.max())); }

void FocusPanel::focusChange() {
  // A gone body moves the bar on to the next number, which would run this handler again for it.
  // The loop below does the same steps without nesting: the sort, then the test, for each number.
  if (searching_) return;
  const BodyTable& b = g_.b;
  int v = bar_.value();
  bool checkedForAny = false;
  for (;;) {
    runSort();
    if (b.Gone[v] == 0) break;
    if (!checkedForAny) {
      // No present body in 2..maximum: the search would never end; leave the selection as it is.
      checkedForAny = true;
      bool any = false;
      for (int i = 2; i <= bar_.max() && !any; ++i) any = b.Gone[i] == 0;
      if (!any) return;
    }
    v = v < bar_.max() ? v + 1 : 2;
    searching_ = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{searching_};
    bar_.setValue(v);
  }
  select(v);
}

void FocusPanel::select(int f) {
  BodyTable& b = g_.b;
  SharedState& s = g_.s;
  s.Orbits = 0;
  s.Quadrant = 0;
  s.Focus = f;

  Control& mass = g_.c("Text2");
  mass.setText(massText(b.Mass[f]));
  mass.back = rgb(component(b.ColorR[f] / 3), component(b.ColorG[f] / 3), component(b.ColorB[f] / 3));

  g_.c("LaMass").caption = "Jupiter";
  g_.c("Laplace").caption = plain(f);
  Control& newton = g_.c("TXnewton");
  newton.setText(plain(f));
  newton.back = mass.back;

  Control& focal = g_.c("LaFocal");
  focal.caption = Str(f);
  focal.toolTip = Str(b.ImpactCount[f]) + " impacts";

  s.FocusClass = b.PlanetClass[f];

  const Color c = g_.views->bodyColor(f);
  Control& orb = g_.c("Laorb");
  orb.fore = c;
  g_.c("Label4").fore = orb.fore;
  focal.fore = c;
  for (const char* name : {"LabWorld", "LabFoc"}) {
    Control& l = g_.c(name);
    l.caption = b.BodyName[f];
    l.fore = c;
  }

  clearZoomAreas();

  if (s.WarmUpDone > 1) {
    std::string kind;
    const int cls = b.PlanetClass[f];
    if (b.BodyKind[f] >= 11 && cls <= 1) kind = "Interplanetary craft";
    else if (Control* label = cls >= 0 && cls <= 8 ? g_.ui.find("Lapl(" + std::to_string(cls) + ")") : nullptr)
      kind = label->toolTip;
    g_.status("Selected body" + Str(f) + "\r" + kind + "\r" + b.BodyName[f]);
  }

  const double r = Squash(b.Mass[f]);
  b.Radius[f] = r / 1000;
  g_.c("Text6").setText(radiusText(r));
}

void FocusPanel::largest() {
  clearZoomAreas();
  runSort();
  const BodyTable& b = g_.b;
  double best = 0;
  int pick = -1;
  const int last = std::min<int>(g_.s.BodyCount, kRows - 1);
  for (int i = 3; i <= last; ++i)
    if (b.Gone[i] == 0 && b.Mass[i] > best) best = b.Mass[i], pick = i;
  setBar(pick < 0 ? 2 : pick);
}

void FocusPanel::smallest() {
  clearZoomAreas();
  runSort();
  const BodyTable& b = g_.b;
  int pick = 3;
  double best = b.Mass[3];
  const int last = std::min<int>(g_.s.BodyCount, kRows - 1);
  for (int i = 3; i <= last; ++i)
    if (b.Gone[i] == 0 && b.Mass[i] <= best) best = b.Mass[i], pick = i;
  // Through 2, so that the change runs even when the smallest body is already selected.
  setBar(2);
  setBar(pick);
  g_.status("Smallest body selected");
}

void FocusPanel::randomBody() {
  clearZoomAreas();
  runSort();
  const int current = bar_.value();
  const int count = g_.s.BodyCount;
  int pick = 0;
  for (int k = 1;; ++k) {
    pick = static_cast<int>(Int(g_.Rnd() * count));
    if (k >= count) {
      g_.c("Text2").setText("nyet");
      return;
    }
    // 0 and 1 lie below the bar's minimum: they count as a failed draw like a gone body.
    if (pick < bar_.min() || pick > bar_.max() || g_.b.Gone[pick] != 0 || pick == current) continue;
    break;
  }
  setBar(pick);
  g_.status("Random world selected");
}

void FocusPanel::previous() {
  int target = 2;
  for (int i = g_.s.Focus - 1; i >= 2; --i)
    if (g_.b.Gone[i] == 0) {
      target = i;
      break;
    }
  setBar(target);
}

void FocusPanel::keeperTick() {
  BodyTable& b = g_.b;
  const int f = g_.s.Focus;
  if (b.Gone[f] == 0) {
    for (const auto& d : kKeeperMarks) {
      const i16 x = CInt(Int(b.PosX[f] + d[0])), y = CInt(Int(b.PosY[f] + d[1])), z = CInt(Int(b.PosZ[f]));
      g_.views->BomBB(x, y, z, i16(f));
    }
    Control& place = g_.c("Laplace");
    place.fore = g_.views->bodyColor(f);
    g_.c("TXnewton").back = place.fore;
    return;
  }
  setBar(bar_.value() < bar_.max() ? bar_.value() + 1 : 2);
}

void FocusPanel::newtonLeft() {
  Control& box = g_.c("TXnewton");
  const double v = Val(box.text());
  if (v < 2 || v > bar_.max()) box.setText("2");
  setBar(CInt(Val(box.text())));
}

void FocusPanel::switchBody() {
  if (chonReverting_) return;
  Control& chon = g_.c("Chon");
  const std::string& text = g_.c("TXTOden").text();
  double v = 0;
  if (!parseStrict(text, v) || v != Int(v) || v < 0 || v >= kRows) {
    // Nothing changes: the box goes back to how it was and the body keeps its state.
    chonReverting_ = true;
    chon.setChecked(!chon.checked());
    chonReverting_ = false;
    g_.status("Planet number must be a whole number from 0 to 9999");
    return;
  }
  const int body = static_cast<int>(v);
  if (chon.checked()) {
    g_.b.Gone[body] = 1;
    chon.caption = "Planet OFF";
    chon.fore = rgb(191, 96, 0);
  } else {
    g_.b.Gone[body] = 0;
    chon.caption = "Planet ON";
    chon.fore = rgb(128, 255, 191);
  }
}

}  // namespace quorl
