// Building a new system from a preset. The order of the random draws is part of the rules: the same
// seed and the same panel build the same system, so every draw below happens exactly where it is written.
#include "sim/creation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "app/game.h"
#include "app/params.h"
#include "io/event_log.h"
#include "names/names.h"
#include "sim/numbers.h"
#include "sim/squash.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

constexpr int kPresets = 10;
constexpr int kMaxBodyCount = kRows - 1;

// Column A, the row of preset buttons (window units).
constexpr int kLeft = 15480, kTop = 6000, kButtonWidth = 432, kButtonHeight = 360;

// The seed box's numeric value as the 32-bit seed of the random sequence.
std::int32_t seedFrom(double v) {
  if (std::isnan(v)) return 0;
  v = std::nearbyint(v);
  if (v <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  if (v >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

}  // namespace

Creation::Creation(Game& g) : g_(g) {
  g.addArray("CDp", Kind::Button, 0, 11);
  // The animation lights the buttons and returns them to this colour; 0 and 11 are its unseen ends.
  const Control* command3 = g.ui.find("Command3");
  const Color rest = command3 ? command3->back : g.c("CDp", 0).back;
  for (int i = 0; i <= kPresets + 1; ++i) {
    Control& button = g.c("CDp", i);
    button.back = rest;
    if (i == 0 || i > kPresets) {
      button.visible = false;
      button.onClick = [] {};  // not a preset: a click builds nothing
      continue;
    }
    button.caption = std::to_string(i);
    button.toolTip = "Preset Parameters";
    button.left = kLeft + (i - 1) * kButtonWidth;
    button.top = kTop;
    button.width = kButtonWidth;
    button.height = kButtonHeight;
    button.onClick = [this, i] { create(i); };
  }
}

std::string Creation::totalMassText(double totalMass) {
  const double v = totalMass * 1000;
  if (v < 1e-5) return fixed(v, 15);
  if (v < 1) return fixed(v, 6);
  return fixed(v, 2);
}

bool Creation::readInputs(int preset, Inputs& in) {
  in.preset = preset;
  in.seed = seedFrom(Val(g_.c("TXran").text()));
  in.planets = Val(g_.c("TXplanets").text());
  in.spareWorlds = preset == kPresets ? 100 : static_cast<int>(g_.s.SpareWorlds);
  in.explode = Val(g_.c("Txplod").text());
  in.spread = Val(g_.c("TxSpread").text());

  // Checked here, before anything changes, so a refused press leaves the running system as it was.
  const double count = std::nearbyint(in.planets + 2 + in.spareWorlds);
  const double last = std::nearbyint(in.planets + 2);
  const char* unchanged = ". The system was not changed.";
  if (!(count <= kMaxBodyCount) || !(last <= kMaxBodyCount)) {
    g_.status("Too many worlds: planets + 2 + spare worlds = " + plain(std::max(count, last)) + ", the most is " +
              std::to_string(kMaxBodyCount) + unchanged);
    return false;
  }
  if (!(count >= 2)) {
    g_.status("Too few worlds: planets + 2 + spare worlds = " + plain(count) + ", the two stars need 2" + unchanged);
    return false;
  }
  in.bodyCount = static_cast<int>(count);
  in.lastInitialBody = static_cast<int>(std::max(last, -1.0));
  return true;
}

void Creation::create(int preset) {
  Inputs in;
  if (preset < 1 || preset > kPresets || !readInputs(preset, in)) return;
  SharedState& s = g_.s;
  notes_.clear();

  // 1-3: the seed, the choices left to chance on the first creation, the log.
  g_.random.seed(in.seed);
  g_.c("Label13").visible = false;
  if (!s.FirstCreationDone) chooseFirstOptions();
  if (s.NovaModeCaption.empty()) g_.c("OpExIm", static_cast<int>(Int(g_.Rnd() * 5))).choose();
  g_.log->StartLog(preset, g_.c("TXplanets").text());
  if (!g_.log->lastError().empty()) notes_.push_back(g_.log->lastError());
  s.FirstCreationDone = true;

  // 4-6: panels and the per-body data of the old system.
  resetPanels(preset);
  resetBodyData(preset);
  s.Focus = 2;
  if (preset == kPresets) {
    g_.c("TxTenner").setText("100");
    s.SpareWorlds = 100;
  }

  // 7: sizes and inputs. Boxes that would break the arithmetic are repaired as leaving them would.
  s.BodyCount = in.bodyCount;
  s.LastInitialBody = in.lastInitialBody;
  s.CreatedAt = g_.now();
  s.Orbits = 0;
  g_.c("Text3").setText("");
  if (!(in.explode >= 0.001)) {
    in.explode = 0.001;
    g_.c("Txplod").setText("0.001");
    notes_.push_back("Explosive randomness raised to 0.001");
  } else if (!std::isfinite(in.explode)) {
    in.explode = 99999;
    g_.c("Txplod").setText("99999");
    notes_.push_back("Explosive randomness lowered to 99999");
  }
  s.ExplodeRandomness = in.explode;
  if (!std::isfinite(in.spread)) {
    in.spread = in.spread > 0 ? 29999 : 0.2;
    g_.c("TxSpread").setText(plain(in.spread));
    notes_.push_back("Dispersal volume set to " + plain(in.spread));
  }
  g_.c("Tr").setEnabled(false);
  g_.c("Image1").visible = false;

  // 8: every row of the new system starts absent.
  BodyTable& b = g_.b;
  const int n = in.bodyCount + 1;
  std::fill_n(b.BodyKind.begin(), n, 3.0);
  for (auto* field : {&b.PosX, &b.PosY, &b.PosZ, &b.VelX, &b.VelY, &b.VelZ}) std::fill_n(field->begin(), n, 0.0);
  std::fill_n(b.Mass.begin(), n, 1e-8);
  std::fill_n(b.Gone.begin(), n, std::int16_t{1});

  // 9-11
  g_.names->Oobladioobladah();
  if (g_.c("TxTyp").visible) g_.c("Command5").press();
  s.Score = 0;
  b.Gone[0] = 1;
  b.Gone[1] = 0;
  b.Gone[2] = 0;
  b.BodyKind[1] = 1;
  b.BodyKind[2] = 2;
  if (in.planets > 3333) g_.c("TXplanets").setText("3333");
  g_.c("Hcelest").setRange(2, in.bodyCount);
  for (const char* view : {"Quorl", "PiZY", "PiZX", "LOxy", "LoZY", "LoZX"}) g_.canvas(view).clear();

  // 12-13
  s.GravityExponent = 2.0;
  g_.params->Skald();
  const double K = std::sqrt(std::max<int>(s.MasterScale, 0) / 31.0);
  placeStars(preset);
  if (preset == kPresets) singlePlanet(in, K);
  else if (preset >= 5 && preset <= 8) cloudPlanets(in, K);
  else scatterPlanets(in, K);
  // The radius follows the mass; nothing of the old system's sizes survives.
  for (int i = 0; i < n; ++i) b.Radius[i] = Squash(b.Mass[i]) / 1000;

  // 14-15
  showTotalMass(in.lastInitialBody);
  g_.c("Tix").setEnabled(true);
  g_.c("Command2").press();
  for (const std::string& note : notes_) g_.status(g_.c("Labill").caption + "\r" + note);
}

void Creation::chooseFirstOptions() {
  if (g_.c("OptUp", 6).checked()) g_.c("OptUp", static_cast<int>(Int(g_.Rnd() * 8))).choose();
}

void Creation::resetPanels(int preset) {
  SharedState& s = g_.s;
  g_.canvas("PicSide").clear();
  g_.canvas("PicMoon").clear();
  g_.c("CHacs").setChecked(true);
  s.Preset = preset;
  s.NewWorldCount = 0;
  s.AttractorLimit = 100;
  s.FocusClass = 0;
  s.ElapsedSeconds = 0;
  s.LiveCount = 0;
  s.WarmUpDone = 0;
  for (const char* label : {"LaPlan", "LabvirT", "LabHi", "Labrat"}) g_.c(label).caption = "~~";
  g_.c("LaNu").caption = "New Worlds";
  g_.c("Labill").fore = g_.c("Command3").back;
  g_.c("Hacl").visible = true;
}

void Creation::resetBodyData(int preset) {
  BodyTable& b = g_.b;
  SharedState& s = g_.s;
  b.CraftCode.fill(0);
  b.ImpactCount.fill(0);
  g_.zoom->forgetImpacts();  // the zoom view's record of treated impacts belongs to the old system
  for (int kind = 1; kind < kLifeKinds; ++kind) b.LifeCount[kind].fill(0);
  for (auto* table : {&b.ImpactMark, &b.CraterDX, &b.CraterDY})
    for (auto& row : *table) row.fill(0);
  b.AirLevel.fill(0.0);
  b.WaterLevel.fill(0.0);
  for (std::string& entry : s.NewWorldList) entry.assign("_");
  s.RosterName.fill("0");
  s.RosterBody.fill(0);
  s.RosterSize.fill(0);
  s.ClassCount.fill(0);
  const Color rest = g_.c("CDp", 0).back;
  for (int i = 1; i <= kPresets; ++i) g_.c("CDp", i).back = rest;
  g_.c("CDp", preset).back = rgb(255, 255, 255);
}

void Creation::placeStars(int preset) {
  BodyTable& b = g_.b;
  const bool nearer = preset >= 5 && preset <= 8;
  b.PosX[1] = nearer ? -3000 : -3072;
  b.PosY[1] = -1152;
  b.PosZ[1] = 0;
  b.Mass[1] = 0.01;
  b.Gone[1] = 1;  // the exploded star only marks where the planets come from
  b.PosX[2] = 0;
  b.PosY[2] = -1152;
  b.PosZ[2] = 0;
  b.Mass[2] = 1.0;
  b.Gone[2] = 0;
  for (int i = 1; i <= 2; ++i) b.VelX[i] = b.VelY[i] = b.VelZ[i] = 0;
  b.Gone[0] = 1;
}

double Creation::m(int k, double d, double c) { return Int(g_.Rnd() * k) / d + c; }

void Creation::pullIn(int i, double size) {
  BodyTable& b = g_.b;
  if (std::fabs(size) < b.PosX[i] * b.PosX[i] + b.PosY[i] * b.PosY[i] + b.PosZ[i] * b.PosZ[i]) {
    b.PosX[i] = Int(g_.Rnd() * b.PosX[i]);
    b.PosY[i] = Int(g_.Rnd() * b.PosY[i]);
    b.PosZ[i] = Int(g_.Rnd() * b.PosZ[i]);
  }
}

void Creation::offsetFromBody1(int i, double K) {
  BodyTable& b = g_.b;
  b.PosX[i] += b.PosX[1];
  b.PosY[i] += b.PosY[1];
  b.PosZ[i] += b.PosZ[1];
  b.VelY[i] += K;
}

// Presets 1, 2, 3, 4 and 9: a box of planets around the exploded star.
void Creation::scatterPlanets(const Inputs& in, double K) {
  BodyTable& b = g_.b;
  const double S = in.spread, X = in.explode;
  const bool flat = in.preset == 2;
  const double a = flat ? 0.18 : 0.2, bb = flat ? 0.09 : 0.1;
  const double az = flat ? 0.08 : 0.2, bz = flat ? 0.04 : 0.1;
  for (int i = 3; i <= in.lastInitialBody; ++i) {
    b.PosY[i] = g_.Rnd() * S * a - S * bb;
    b.PosX[i] = g_.Rnd() * S * a - S * bb;
    b.PosZ[i] = g_.Rnd() * S * az - S * bz;
    b.VelX[i] = (Int(g_.Rnd() * 50) - 25) / X;
    b.VelY[i] = (Int(g_.Rnd() * 50) - 25) / X;
    b.VelZ[i] = (Int(g_.Rnd() * 50) - 25) / X;
    pullIn(i, S);
    offsetFromBody1(i, K);
    b.Gone[i] = 0;
    b.Mass[i] = scatterMass(in.preset, i);
  }
}

// Preset 10: one brown dwarf beside the star; the other rows are drawn but stay absent.
void Creation::singlePlanet(const Inputs& in, double K) {
  BodyTable& b = g_.b;
  const double S = in.spread, X = in.explode;
  for (int i = 3; i <= in.bodyCount; ++i) {
    b.PosY[i] = g_.Rnd() * S * 0.02 - S * 0.01;
    b.PosX[i] = g_.Rnd() * S * 0.02 - S * 0.01;
    b.PosZ[i] = g_.Rnd() * S * 0.02 - S * 0.01;
    b.VelX[i] = (Int(g_.Rnd() * 50) - 25) / X;
    b.VelY[i] = (Int(g_.Rnd() * 50) - 25) / X;
    b.VelZ[i] = (Int(g_.Rnd() * 50) - 25) / X;
    pullIn(i, S);
    offsetFromBody1(i, K);
    b.Gone[i] = i == 3 ? 0 : 1;
    b.Mass[i] = i == 3 ? 0.000913 : 3.3e-8;
  }
}

// Presets 5..8: a round cloud; heavy planets start slower and nearer the centre.
void Creation::cloudPlanets(const Inputs& in, double K) {
  BodyTable& b = g_.b;
  const double S = in.spread, X = in.explode;
  for (int i = 3; i <= in.lastInitialBody; ++i) {
    b.Gone[i] = 0;
    b.Mass[i] = 2e-8;
    b.Mass[i] = cloudMass(in.preset, i);
    const double D = X * std::max(4.0, b.Mass[i] * 2e7);
    b.VelX[i] = (Int(g_.Rnd() * 50) - 25) / D;
    b.VelY[i] = (Int(g_.Rnd() * 50) - 25) / D;
    b.VelZ[i] = (Int(g_.Rnd() * 50) - 25) / D;
    const double R = b.Mass[i] > 1e-5 ? S / 7 : S / 3;
    b.PosY[i] = Int(g_.Rnd() * R * 2) - R;
    b.PosX[i] = Int(g_.Rnd() * R * 2) - R;
    b.PosZ[i] = Int(g_.Rnd() * R * 2) - R;
    pullIn(i, R);
    offsetFromBody1(i, K);
    b.Gone[i] = 0;
  }
}

double Creation::scatterMass(int preset, int i) {
  switch (preset) {
    case 1: {
      const int q = static_cast<int>(Int(g_.Rnd() * 10));
      const double first = m(10, 1e9, 1e-8);
      switch (q) {
        case 0: return m(10, 1e8, 1e-7);
        case 1: return m(10, 1e8, 3e-7);
        case 2: return m(10, 1e7, 1e-6);
        case 3: return m(10, 1e7, 3e-6);
        case 4: return m(10, 1e6, 1e-5);
        case 5: return m(10, 1e6, 3e-5);
        case 6: return m(10, 1e5, 1e-4);
        default: return first;
      }
    }
    case 2: {
      const double first = m(10, 1e8, 1e-7);
      if (i < 11) return m(10, 1e7, 1e-6);
      if (i > 18) return m(10, 1e8, 1e-7);
      switch (i) {
        case 11:
        case 12: return m(10, 1e7, 3e-6);
        case 13:
        case 14: return m(10, 1e6, 1e-5);
        case 15: return m(10, 1e6, 2.5e-5);
        case 16: return m(10, 1e6, 5e-5);
        case 17: return m(10, 1e5, 1e-4);
        case 18: return m(10, 1e5, 4e-4);
      }
      return first;
    }
    case 3: {
      const int q = static_cast<int>(Int(g_.Rnd() * 100));
      if (q < 4) return m(10, 1e6, 1e-6);
      if (q > 10) return m(10, 1e7, 2e-7);
      switch (q) {
        case 4: return 4.44e-7;
        case 5: return m(10, 1e7, 1e-6);
        case 6: return m(10, 1e7, 3e-6);
        case 7: return m(10, 1e6, 1e-5);
        case 8: return m(10, 1e6, 3e-5);
        case 9: return m(10, 1e5, 1e-4);
        default: return m(10, 1e5, 3e-4);
      }
    }
    case 4: {
      const int q = static_cast<int>(Int(std::sqrt(g_.Rnd() * 51)));
      double mass = 1e-7;
      switch (q) {
        case 2: mass = m(10, 1e8, 2e-7); break;
        case 3: mass = m(10, 1e8, 3e-7); break;
        case 4: mass = m(10, 1e7, 3e-6); break;
        case 5: mass = m(10, 1e7, 1e-6); break;
        case 6: mass = m(10, 1e6, 1e-5); break;
        case 7: mass = m(10, 1e5, 1e-4); break;
        default: break;
      }
      if (i == 100) mass = m(99, 1e5, 0.0002);
      if (i == 200) mass = m(99, 1e5, 0.0004);
      return mass;
    }
    default: {  // 9
      double mass = 5e-5;
      if (i < 9) mass = m(99, 1e5, 0.0001);
      else if (i <= 49) mass = m(29, 1e5, 0.0001);
      else mass = (Int(g_.Rnd() * 99) + 10) / 1e6;
      if (i == 100) mass = m(99, 1e5, 0.0003);
      if (i == 101) mass = m(99, 1e5, 0.0002);
      return mass;
    }
  }
}

double Creation::cloudMass(int preset, int i) {
  switch (preset) {
    case 5:
      if (i <= 4) return m(30, 1e5, 0.0003);
      if (i <= 10) return m(20, 1e6, 1e-5);
      if (i <= 20) return m(10, 1e7, 1e-6);
      if (i <= 40) return m(10, 1e8, 1e-7);
      return m(10, 1e9, 1e-8);
    case 6:
      if (i == 3) return m(100, 1e5, 1.5e-5);
      if (i <= 20) return Int(std::sqrt(g_.Rnd() * 100)) / 400000 + 1e-5;
      return m(10, 1e8, 1e-6);
    case 7:
      if (i <= 10) return m(10, 1e5, 1e-4);
      if (i <= 100) return m(10, 1e7, 2e-6);
      return m(10, 1e8, 1e-6);
    default: {  // 8
      const double first = m(20, 1e7, 3e-8);
      if (i <= 4) return m(20, 1e5, 0.0003);
      if (i <= 8) return m(10, 1e5, 1e-4);
      if (i <= 16) return m(20, 1e6, 3e-5);
      if (i <= 20) return m(10, 1e6, 1e-5);
      if (i <= 25) return m(10, 1e7, 1e-6);
      if (i <= 32) return m(10, 1e8, 1e-7);
      if (i <= 40) return m(20, 1e7, 3e-7);
      if (i <= 64) return m(20, 1e8, 3e-8);
      if (i <= 128) return m(10, 1e7, 1e-7);
      if (i <= 190) return first;
      if (i <= 195) return m(10, 1e5, 1e-4);
      if (i <= 200) return m(20, 1e6, 3e-5);
      return first;
    }
  }
}

void Creation::showTotalMass(int lastInitialBody) {
  const BodyTable& b = g_.b;
  double total = 0;
  for (int i = 3; i <= lastInitialBody; ++i)
    if (b.Gone[i] == 0) total += b.Mass[i];
  g_.c("Text3").setText(totalMassText(total));
}

}  // namespace quorl
