// Novas: a world split in two. The selected body keeps its number and becomes one half; the other half
// takes the lowest free row, so a nova never raises the body count.
#include "events/nova.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

#include "events/multiple_nova.h"
#include "io/event_log.h"
#include "names/names.h"
#include "panels/class_sort.h"
#include "panels/focus_panel.h"
#include "panels/layout.h"
#include "sim/numbers.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

using namespace layout;

// The five break-up modes, by option index.
constexpr const char* kModes[5] = {"Explode", "Spin", "Shatter", "Spiral", "Implode"};
constexpr const char* kModeTips[5] = {"Use Boom", "", "Use Spread", "", ""};
enum Mode { kExplode, kSpin, kShatter, kSpiral, kImplode };

// Patterns beyond the four axis splits.
constexpr int kScatter = 5, kSpread = 6, kOrbit = 7;

// The axis splits 0..3: along X or Y, to which side the selected half moves, and the kick the new half
// gets across the split (the selected half gets the opposite one), so the pair turns about itself.
struct AxisSplit {
  bool alongX;
  int side;
  int kick;
};
constexpr AxisSplit kAxisSplits[4] = {{true, -1, -1}, {false, -1, 1}, {true, 1, 1}, {false, 1, -1}};

// Below this mass a half is a fragment and gets a designation instead of a name.
constexpr double kFragmentMass = 2e-8;

// The newest worlds shown in LaNu.
constexpr int kShownWorlds = 11;
constexpr int kLastNewWorld = 9999;
// Beyond this count the list would outgrow what a nova may add to it.
constexpr int kNovaWorldLimit = 3322;

// Column A, in the gap between the preset buttons and the run frame; two rows, so every caption fits.
constexpr int kFrameTop = 6390, kFrameHeight = 600;
constexpr int kOptionWidth = kColumnWidth / 3, kOptionTop = 30, kOptionHeight = 270;
constexpr Color kFrameBack = rgb(16, 16, 40);

using Self = NovaPanel::Controls;
const ControlRow<Self> kControls[] = {
    // The row under the grid's tip, shared with the multiple nova.
    {QUORL_CONTROL(Command11), .kind = Kind::Button, .place = {kColumnLeft, 5300, 960, 330}, .caption = "Nova",
     .toolTip = "Split the selected world in two", .font = kPanelFont, .fontSize = 8, .bold = true},
    {QUORL_CONTROL(FraSpiral), .kind = Kind::Frame, .place = {kColumnLeft, kFrameTop, kColumnWidth, kFrameHeight},
     .back = kFrameBack},
    {QUORL_CONTROLS(OpExIm), .kind = Kind::Option, .first = 0, .last = 4, .parent = "FraSpiral",
     .place = {0, kOptionTop, kOptionWidth, kOptionHeight}, .fore = rgb(224, 224, 224), .back = kFrameBack,
     .fontSize = 8},
    // The boxes sit in the grid of the starting parameters.
    {QUORL_CONTROL(TXmo), .kind = Kind::TextBox, .place = paramBox(1, true), .toolTip = "Torque Spin Power",
     .text = "1000", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(Txplod), .kind = Kind::TextBox, .place = paramBox(6, false), .toolTip = "Explosive randomness",
     .text = "1000", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(TxSpread), .kind = Kind::TextBox, .place = paramBox(6, true),
     .toolTip = "Pre-calculated dispersal volume", .text = "1000", .fore = kBoxFore, .back = kBoxBack,
     .font = kPanelFont, .fontSize = 8},
    // The top left of the main view, where trails seldom reach.
    {QUORL_CONTROL(LaNu), .kind = Kind::Label, .place = {60, 420, 2300, 2440}, .caption = "New Worlds",
     .fore = rgb(200, 210, 230), .back = rgb(0, 0, 0), .font = kPanelFont, .fontSize = 8},
};

std::string lower(std::string t) {
  for (char& ch : t) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return t;
}
std::string upper(std::string t) {
  for (char& ch : t) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return t;
}
std::string capitalised(const std::string& t) {
  std::string r = lower(t);
  if (!r.empty()) r[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(r[0])));
  return r;
}
std::string first(const std::string& t, int k) { return t.substr(0, std::min<std::size_t>(k, t.size())); }
std::string last(const std::string& t, int k) {
  return t.size() <= static_cast<std::size_t>(k) ? t : t.substr(t.size() - k);
}
int length(const std::string& t) { return static_cast<int>(t.size()); }

}  // namespace

double limitBox(World& w, Control& box, const char* what, double lo, double hi, bool rewrite) {
  const std::string typed = box.text();
  double v = Val(typed);
  double strict = 0;
  const bool number = parseStrict(typed, strict);
  const char* action = "read as ";
  if (!(v >= lo)) v = lo, action = "raised to ";
  else if (v > hi) v = hi, action = "lowered to ";
  else if (number) {
    if (rewrite) box.setText(plain(v));
    return v;
  }
  box.setText(plain(v));
  w.status(std::string(what) + ": \"" + typed + "\" " + (number ? "" : "is not a number; ") + action + plain(v));
  return v;
}

NovaPanel::NovaPanel(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  for (int i = 0; i < 5; ++i) {
    Control& option = c.OpExIm[i];
    option.setCaption(kModes[i]);
    option.setToolTip(kModeTips[i]);
    option.setLeft((i % 3) * kOptionWidth);
    option.setTop(kOptionTop + (i / 3) * kOptionHeight);
    option.onClick = [this, &option] { w_.s.NovaModeCaption = option.caption(); };
  }
  c.Command11->onClick = [this] { nova(); };
  c.TXmo->onLostFocus = [this] { torqueLeft(); };
  c.Txplod->onLostFocus = [this] { explodeLeft(); };
  c.TxSpread->onLostFocus = [this] { spreadLeft(); };
}

void NovaPanel::torqueLeft() {
  Control& box = c.TXmo;
  double v = 0;
  if (!parseStrict(box.text(), v)) {
    const std::string typed = box.text();
    const std::string keep = plain(w_.s.TorqueSpinPower);
    box.setText(keep);
    w_.status("Torque spin power: \"" + typed + "\" is not a number; kept " + keep);
    return;
  }
  w_.s.TorqueSpinPower = v;
}

void NovaPanel::explodeLeft() {
  w_.s.ExplodeRandomness = limitBox(w_, c.Txplod, "Explosive randomness", 0.001, 99999, true);
}

void NovaPanel::spreadLeft() { limitBox(w_, c.TxSpread, "Dispersal volume", 0.2, 29999); }

std::string NovaPanel::sunRefusal() const {
  return w_.s.BodyCount < 1 ? "Select ^ 1-9 Supernova, or choose 10 for a single body."
                            : "Not enough potential to split the sun. Select a planet or Supernova.";
}

bool NovaPanel::refused(int S, int& N) {
  SharedState& s = w_.s;
  const BodyTable& b = w_.b;
  if (S < 3) {
    w_.status(sunRefusal());
    return true;
  }
  // The lowest gone row other than the selected one.
  s.NewestFragment = -2;
  N = -2;
  const int top = std::min<int>(s.BodyCount, kRows - 1);
  for (int i = 3; i <= top; ++i)
    if (b.Gone[i] != 0 && i != S) {
      N = i;
      break;
    }
  s.NewestFragment = N;
  if (s.NewWorldCount > kNovaWorldLimit) {
    w_.status("Universe depleted. Entropy meltdown.");
    return true;
  }
  if (N == -2) {
    w_.status("Nyet. No new worlds have been formed.");
    return true;
  }
  // Halving a body that is not there, or has nothing to halve, would make a massless pair.
  if (!validBody(S) || b.Gone[S] != 0) {
    w_.status("Nyet. Body" + Str(S) + " is not a present world: select one to split.");
    return true;
  }
  if (!(b.Mass[S] > 0)) {
    w_.status("Nyet. Body" + Str(S) + " has no mass to split.");
    return true;
  }
  return false;
}

void NovaPanel::nova() {
  SharedState& s = w_.s;
  BodyTable& b = w_.b;
  const int S = s.Focus;
  int N = -2;
  if (refused(S, N)) return;

  p_.zoom->clearAreas();
  const std::string oldName = b.BodyName[S];

  b.Mass[S] = b.Mass[S] / 2;
  b.Mass[N] = b.Mass[S];

  for (const int i : {S, N}) {
    for (int k = 0; k < kImpacts; ++k) b.ImpactMark[k][i] = 0, b.CraterDX[k][i] = 0, b.CraterDY[k][i] = 0;
    b.ImpactCount[i] = 0;
    for (int kind = 0; kind < kLifeKinds; ++kind) b.LifeCount[kind][i] = 0;
    b.BodyKind[i] = 0;
    p_.zoom->forgetImpacts(i);
  }
  b.CraftCode[N] = 0;

  split(S, N);
  b.Gone[N] = 0;
  name(S, N);

  p_.classes->c.Command6->press();
  const MultipleNova& multi = *p_.multiNova;
  if (multi.c.TimAfrica->enabled() && s.MultiNovaCount == 1) s.MultiNovaTarget = N;

  Control& bar = p_.focus->c.Hcelest;
  for (const int v : {N, 2, S}) setClamped(bar, v);
  s.Focus = S;

  const std::string className = p_.classes->className(b.PlanetClass[N]);
  w_.status("New world" + Str(N) + "\r" + className + "\r" + b.BodyName[N]);
  s.LastEvent =
      s.NovaModeCaption + " " + oldName + " to form " + b.BodyName[S] + " + " + className + " " + b.BodyName[N];
  p_.log->AppendEvent();
  w_.mark(World::Mark::Nova);

  addNewWorld(N);
  s.FusionPair[2] = s.FusionPair[4] = N;
  s.FusionPair[3] = s.FusionPair[5] = S;
}

void NovaPanel::split(int S, int N) {
  SharedState& s = w_.s;
  BodyTable& b = w_.b;
  const double R = s.Proximity;

  double torque = 0;
  if (parseStrict(c.TXmo->text(), torque)) s.TorqueSpinPower = torque;
  const double K = (b.Mass[N] + b.Mass[S]) / (R * R) * (s.TorqueSpinPower / 7.7) * std::sqrt(s.MasterScale / 31.0);

  const ControlArray& options = c.OpExIm;
  const auto chosen = [&](Mode m) { return options[m].checked(); };
  if (chosen(kExplode)) s.NovaPattern = kScatter;
  if (chosen(kSpin)) s.NovaPattern = static_cast<int>(Int(w_.Rnd() * 4));
  if (chosen(kShatter)) s.NovaPattern = kSpread;
  if (chosen(kSpiral)) s.NovaPattern = static_cast<int>(Int(w_.Rnd() * 4));
  if (chosen(kImplode)) s.NovaPattern = kOrbit;

  b.PosZ[N] = b.PosZ[S];
  const AxisSplit* axis = s.NovaPattern >= 0 && s.NovaPattern <= 3 ? &kAxisSplits[s.NovaPattern] : nullptr;
  if (axis) {
    PerBody<double>& along = axis->alongX ? b.PosX : b.PosY;
    PerBody<double>& across = axis->alongX ? b.PosY : b.PosX;
    along[S] += axis->side * 20 * R;
    along[N] = along[S] - axis->side * 40 * R;
    across[N] = across[S];
  }
  // A spiral is an axis split of the selected half followed by a scatter of the new one.
  if (chosen(kSpiral)) {
    s.NovaPattern = kScatter;
    axis = nullptr;
  }

  // Both halves' X and then Y, the new one offset by the difference of two draws.
  const auto scatter = [&](double scale) {
    for (PerBody<double>* pos : {&b.PosX, &b.PosY}) {
      const double a = w_.Rnd(), r = w_.Rnd();
      (*pos)[N] = (*pos)[S] + scale * a - scale * r;
    }
  };
  const double E = 33000 / s.ExplodeRandomness;
  if (s.NovaPattern == kScatter) scatter(R * E);
  const double D = Val(c.TxSpread->text()) / 10;
  if (s.NovaPattern == kSpread) scatter(R * D);
  double dx = 0, dy = 0, dist = 0;
  if (s.NovaPattern == kOrbit) {
    scatter(0.5 * R * D);
    dx = b.PosX[N] - b.PosX[S];
    dy = b.PosY[N] - b.PosY[S];
    const double dz = b.PosZ[N] - b.PosZ[S];
    dist = std::sqrt(dx * dx + dy * dy + dz * dz);
  }
  b.PosZ[N] = b.PosZ[S];

  b.VelX[N] = b.VelX[S];
  b.VelY[N] = b.VelY[S];
  b.VelZ[N] = b.VelZ[S];
  if (axis) {
    PerBody<double>& across = axis->alongX ? b.VelY : b.VelX;
    across[N] += axis->kick * K;
    across[S] -= axis->kick * K;
  }
  if (s.NovaPattern == kScatter)
    for (PerBody<double>* vel : {&b.VelY, &b.VelX, &b.VelZ}) {
      const double a = w_.Rnd(), r = w_.Rnd();
      (*vel)[N] += K * a - K * r;
    }
  // Halves that landed on each other have no direction to orbit in: they part without the kick.
  if (s.NovaPattern == kOrbit && dist > 0) {
    const double W = std::sqrt(b.Mass[S] * 30000 / dist);
    b.VelY[N] = b.VelY[S] + W * std::cos(dx / dist);
    b.VelX[N] = b.VelX[S] + W * std::sin(dy / dist);
  }

  double J = Val(c.Txplod->text());
  if (J == 0) J = 1000;
  s.ExplodeRandomness = J;
  for (const int i : {N, S})
    for (PerBody<double>* vel : {&b.VelX, &b.VelY, &b.VelZ}) (*vel)[i] += (Int(w_.Rnd() * 50) - 25) / J;
}

void NovaPanel::name(int S, int N) {
  BodyTable& b = w_.b;
  const auto& V = NameGenerator::VowelParts;
  const auto& C = NameGenerator::ConsonantParts;
  const auto R = [this](int k) { return static_cast<int>(Int(w_.Rnd() * k)); };
  std::string sName = b.BodyName[S];
  std::string nName;

  if (length(sName) > 5) {
    const double u = w_.Rnd();
    const int c1 = R(26), v1 = R(10);
    nName = capitalised(std::string(C[c1]).append(V[v1]).append(last(sName, static_cast<int>(Int(u * 3)) + 3)));
  } else {
    const int v1 = R(10), c1 = R(26);
    nName = sName + std::string(V[v1]) + std::string(C[c1]);
  }
  {
    const int v1 = R(10), c1 = R(26);
    sName.append(V[v1]).append(C[c1]);
  }
  if (nName == sName) nName = upper(std::string(V[R(11)])) + lower(nName);
  if (b.Mass[N] >= kFragmentMass && length(nName) > 10) {
    const double u = w_.Rnd();
    const int c1 = R(26), v1 = R(10);
    nName = capitalised(std::string(C[c1]).append(V[v1]).append(first(nName, static_cast<int>(Int(u * 4)) + 2)));
  }
  if (b.Mass[S] >= kFragmentMass && length(sName) > 10) {
    const double u = w_.Rnd();
    const int v1 = R(10), c1 = R(26);
    sName = first(sName, static_cast<int>(Int(u * 4)) + 2).append(V[v1]).append(C[c1]);
  }

  // Fragments get a designation 100..998 instead of a name.
  const std::string designation = std::to_string(R(899) + 100);
  const auto fragmentName = [&](const std::string& name, int longConsonants, const char* shortHyphen) {
    if (length(name) > 5) return first(name, 4).append(C[R(longConsonants)]).append("-").append(designation);
    const int c1 = R(27), v1 = R(11), c2 = R(27);
    return first(name, 2).append(C[c1]).append(V[v1]).append(C[c2]).append(shortHyphen).append(designation);
  };
  if (b.Mass[S] < kFragmentMass) sName = fragmentName(sName, 27, "");
  if (b.Mass[N] < kFragmentMass) nName = fragmentName(nName, 26, "-");

  if (b.CraftCode[S] > 0) {
    constexpr const char* kWrecks[3][2] = {{"scrap", "debris"}, {"flotsam", "jetsom"}, {"junk", "garbage"}};
    const int k = R(3);
    nName = kWrecks[k][0];
    sName = kWrecks[k][1];
    b.BodyKind[S] = b.BodyKind[N] = 9;
    b.CraftCode[S] = -b.CraftCode[S];
    b.CraftCode[N] = -b.CraftCode[N];
    for (const int i : {S, N}) {
      b.ColorR[i] = static_cast<float>(R(99));
      b.ColorG[i] = static_cast<float>(R(99) + 50);
      b.ColorB[i] = static_cast<float>(R(99));
    }
  }
  b.BodyName[S] = sName;
  b.BodyName[N] = nName;
}

bool NovaPanel::newWorldsFull() const { return w_.s.NewWorldCount >= kLastNewWorld || w_.s.NewWorldCount < 0; }

bool NovaPanel::addNewWorld(int body) {
  SharedState& s = w_.s;
  if (newWorldsFull()) return false;
  s.NewWorldCount += 1;
  s.NewWorldList[s.NewWorldCount] = w_.b.BodyName[body] + "  " + Str(body);
  c.LaNu->setCaption(newWorldsText());
  return true;
}

std::string NovaPanel::newWorldsText() const {
  const SharedState& s = w_.s;
  const int count = s.NewWorldCount;
  const int from = count > kShownWorlds - 1 ? count - (kShownWorlds - 1) : 1;
  std::string text;
  for (int k = from; k < from + kShownWorlds; ++k) {
    if (k >= 0 && k <= kLastNewWorld) text += s.NewWorldList[k];
    text += '\r';
  }
  return text;
}

}  // namespace quorl
