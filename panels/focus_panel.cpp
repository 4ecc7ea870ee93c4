// Choosing the selected world and reporting on it.
#include "panels/focus_panel.h"

#include <algorithm>
#include <array>

#include "panels/body_editor.h"
#include "panels/class_sort.h"
#include "sim/numbers.h"
#include "sim/pass_report.h"
#include "sim/squash.h"
#include "views/orbit_views.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

int component(float c) { return std::clamp<int>(CInt(c), 0, 255); }

// The nine points round the selected body that the keeper plots at every tick.
constexpr std::array<std::array<int, 2>, 9> kKeeperMarks{
    {{0, 0}, {15, 15}, {-15, 15}, {-15, -15}, {15, -15}, {30, 0}, {0, 30}, {-30, 0}, {0, -30}}};

constexpr Color kLight = rgb(224, 224, 224), kDark = rgb(48, 48, 48), kWhite = rgb(255, 255, 255);

using Self = FocusPanel::Controls;
const ControlRow<Self> kControls[] = {
    // The bar shows body 3 before any handler is wired, so opening the window selects nothing.
    {QUORL_CONTROL(Hcelest), .kind = Kind::HScroll, .place = {15480, 9060, 2640, 255},
     .bar = BarRange{2, 9999, 3, 1, 10}},
    {QUORL_CONTROL(TXnewton), .kind = Kind::TextBox, .place = {15900, 9360, 700, 300}, .fore = kWhite, .back = kDark},
    {QUORL_CONTROL(LabWorld), .kind = Kind::Label, .place = {15480, 8700, 2880, 330}, .caption = "Planet Name",
     .fore = kLight, .fontSize = 12, .bold = true},
    {QUORL_CONTROL(LabFoc), .kind = Kind::Label, .place = {18400, 9720, 1400, 300}, .caption = "Planet Name",
     .fore = kLight},
    {QUORL_CONTROL(LaFocal), .kind = Kind::Label, .place = {18400, 8700, 600, 330}, .caption = "Planet #",
     .fore = kLight},
    {QUORL_CONTROL(Laplace), .kind = Kind::Label, .place = {19040, 8700, 760, 330}, .fore = kLight},
    {QUORL_CONTROL(Laorb), .kind = Kind::Label, .place = {19200, 10080, 600, 285}, .fore = kLight},
    {QUORL_CONTROL(Label4), .kind = Kind::Label, .place = {18400, 10080, 780, 285},
     .caption = "Orbits:", .fore = kLight},
    {QUORL_CONTROL(Text2), .kind = Kind::TextBox, .place = {15480, 10080, 2000, 285},
     .toolTip = "Mass of selected body", .fore = kWhite, .back = kDark, .readOnly = true},
    {QUORL_CONTROL(LaMass), .kind = Kind::Label, .place = {17540, 10080, 800, 285}, .caption = "Jupiter",
     .fore = kLight},
    {QUORL_CONTROL(Text6), .kind = Kind::TextBox, .place = {16240, 10420, 2300, 285}, .fore = kWhite, .back = kDark,
     .readOnly = true},
    {QUORL_CONTROL(Label8), .kind = Kind::Label, .place = {15480, 10420, 700, 285}, .caption = "Radius",
     .fore = kLight},
    // Shown with the editor while paused.
    {QUORL_CONTROL(Chon), .kind = Kind::CheckBox, .place = {17040, 9720, 1300, 300}, .caption = "Planet off",
     .fore = kLight, .back = rgb(0, 0, 0), .hidden = true},
    {QUORL_CONTROL(Command66), .kind = Kind::Button, .place = {16660, 9360, 1540, 300}, .caption = "largest planet"},
    {QUORL_CONTROL(Command9), .kind = Kind::Button, .place = {18260, 9360, 1540, 300}, .caption = "smallest planet"},
    {QUORL_CONTROL(Command7), .kind = Kind::Button, .place = {15480, 9720, 1500, 300}, .caption = "random body"},
    {QUORL_CONTROL(Command13), .kind = Kind::Button, .place = {15480, 9360, 360, 300}, .caption = "<"},
    {QUORL_CONTROL(LabSelect), .kind = Kind::Label, .place = {18160, 9060, 1640, 255}, .caption = "< Select world",
     .fore = kLight},
    {QUORL_CONTROL(Tix), .kind = Kind::Timer, .interval = 250},
};

}  // namespace

FocusPanel::FocusPanel(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  c.Hcelest->onChange = [this] { focusChange(); };
  c.TXnewton->onLostFocus = [this] { newtonLeft(); };
  c.Command66->onClick = [this] { largest(); };
  c.Command9->onClick = [this] { smallest(); };
  c.Command7->onClick = [this] { randomBody(); };
  c.Command13->onClick = [this] { previous(); };
  c.Tix->onTick = [this] { keeperTick(); };
  c.Chon->onClick = [this] { switchBody(); };
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

void FocusPanel::runSort() { p_.classes->c.Command6->press(); }

void FocusPanel::clearZoomAreas() { p_.zoom->clearAreas(); }

void FocusPanel::setBar(int value) { c.Hcelest->setValue(std::clamp(value, c.Hcelest->min(), c.Hcelest->max())); }

void FocusPanel::focusChange() {
  // A gone body moves the bar on to the next number, which would run this handler again for it.
  // The loop below does the same steps without nesting: the sort, then the test, for each number.
  if (searching_) return;
  const BodyTable& b = w_.b;
  int v = c.Hcelest->value();
  bool checkedForAny = false;
  for (;;) {
    runSort();
    if (b.Gone[v] == 0) break;
    if (!checkedForAny) {
      // No present body in 2..maximum: the search would never end; leave the selection as it is.
      checkedForAny = true;
      bool any = false;
      for (int i = 2; i <= c.Hcelest->max() && !any; ++i) any = b.Gone[i] == 0;
      if (!any) return;
    }
    v = v < c.Hcelest->max() ? v + 1 : 2;
    searching_ = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{searching_};
    c.Hcelest->setValue(v);
  }
  select(v);
}

void FocusPanel::select(int f) {
  BodyTable& b = w_.b;
  SharedState& s = w_.s;
  s.Orbits = 0;
  s.Quadrant = 0;
  s.Focus = f;

  Control& mass = c.Text2;
  mass.setText(massText(b.Mass[f]));
  mass.setBack(rgb(component(b.ColorR[f] / 3), component(b.ColorG[f] / 3), component(b.ColorB[f] / 3)));

  c.LaMass->setCaption("Jupiter");
  c.Laplace->setCaption(plain(f));
  c.TXnewton->setText(plain(f));
  c.TXnewton->setBack(mass.back());

  Control& focal = c.LaFocal;
  focal.setCaption(Str(f));
  focal.setToolTip(Str(b.ImpactCount[f]) + " impacts");

  s.FocusClass = b.PlanetClass[f];

  const Color colour = p_.views->bodyColor(f);
  c.Laorb->setFore(colour);
  c.Label4->setFore(c.Laorb->fore());
  focal.setFore(colour);
  for (Control* l : {&*c.LabWorld, &*c.LabFoc}) {
    l->setCaption(b.BodyName[f]);
    l->setFore(colour);
  }

  clearZoomAreas();

  if (s.WarmUpDone > 1) {
    std::string kind;
    const int cls = b.PlanetClass[f];
    if (b.BodyKind[f] >= 11 && cls <= 1) kind = "Interplanetary craft";
    else kind = p_.classes->className(cls);
    w_.status("Selected body" + Str(f) + "\r" + kind + "\r" + b.BodyName[f]);
  }

  const double r = Squash(b.Mass[f]);
  b.Radius[f] = r / 1000;
  c.Text6->setText(radiusText(r));
}

void FocusPanel::largest() {
  clearZoomAreas();
  runSort();
  const BodyTable& b = w_.b;
  double best = 0;
  int pick = -1;
  const int last = std::min<int>(w_.s.BodyCount, kRows - 1);
  for (int i = 3; i <= last; ++i)
    if (b.Gone[i] == 0 && b.Mass[i] > best) best = b.Mass[i], pick = i;
  setBar(pick < 0 ? 2 : pick);
}

void FocusPanel::smallest() {
  clearZoomAreas();
  runSort();
  const BodyTable& b = w_.b;
  int pick = 3;
  double best = b.Mass[3];
  const int last = std::min<int>(w_.s.BodyCount, kRows - 1);
  for (int i = 3; i <= last; ++i)
    if (b.Gone[i] == 0 && b.Mass[i] <= best) best = b.Mass[i], pick = i;
  // Through 2, so that the change runs even when the smallest body is already selected.
  setBar(2);
  setBar(pick);
  w_.status("Smallest body selected");
}

void FocusPanel::randomBody() {
  clearZoomAreas();
  runSort();
  const int current = c.Hcelest->value();
  const int count = w_.s.BodyCount;
  int pick = 0;
  for (int k = 1;; ++k) {
    pick = static_cast<int>(Int(w_.Rnd() * count));
    if (k >= count) {
      c.Text2->setText("nyet");
      return;
    }
    // 0 and 1 lie below the bar's minimum: they count as a failed draw like a gone body.
    if (pick < c.Hcelest->min() || pick > c.Hcelest->max() || w_.b.Gone[pick] != 0 || pick == current) continue;
    break;
  }
  setBar(pick);
  w_.status("Random world selected");
}

void FocusPanel::previous() {
  int target = 2;
  for (int i = w_.s.Focus - 1; i >= 2; --i)
    if (w_.b.Gone[i] == 0) {
      target = i;
      break;
    }
  setBar(target);
}

void FocusPanel::keeperTick() {
  BodyTable& b = w_.b;
  const int f = w_.s.Focus;
  if (validBody(f) && b.Gone[f] == 0) {
    for (const auto& d : kKeeperMarks) {
      const i16 x = CInt(Int(b.PosX[f] + d[0])), y = CInt(Int(b.PosY[f] + d[1])), z = CInt(Int(b.PosZ[f]));
      p_.views->BomBB(x, y, z, i16(f));
    }
    c.Laplace->setFore(p_.views->bodyColor(f));
    c.TXnewton->setBack(c.Laplace->fore());
    return;
  }
  setBar(c.Hcelest->value() < c.Hcelest->max() ? c.Hcelest->value() + 1 : 2);
  // A selected body that left the field: say so, and where the selection went.
  if (!validBody(f) || !outsideField(b.PosX[f], b.PosY[f], b.PosZ[f])) return;
  const int now = w_.s.Focus;
  w_.status(leftSystemText(b.BodyName[f]) + "\r" +
            (now == f ? std::string("No world is left to select")
                      : "Selection moved to body" + Str(now) + ": " + b.BodyName[now]));
}

void FocusPanel::newtonLeft() {
  Control& box = c.TXnewton;
  const double v = Val(box.text());
  if (v < 2 || v > c.Hcelest->max()) box.setText("2");
  setBar(CInt(Val(box.text())));
}

void FocusPanel::switchBody() {
  if (chonReverting_) return;
  Control& chon = c.Chon;
  const std::string& text = p_.editor->c.TXTOden->text();
  double v = 0;
  if (!parseStrict(text, v) || v != Int(v) || v < 0 || v >= kRows) {
    // Nothing changes: the box goes back to how it was and the body keeps its state.
    chonReverting_ = true;
    chon.setChecked(!chon.checked());
    chonReverting_ = false;
    w_.status("Planet number must be a whole number from 0 to 9999");
    return;
  }
  const int body = static_cast<int>(v);
  if (chon.checked()) {
    w_.b.Gone[body] = 1;
    chon.setCaption("Planet OFF");
    chon.setFore(rgb(191, 96, 0));
  } else {
    w_.b.Gone[body] = 0;
    chon.setCaption("Planet ON");
    chon.setFore(rgb(128, 255, 191));
  }
}

}  // namespace quorl
