// The powers Celestials grant over the selected world, and the probes.
#include "events/celestial_powers.h"

#include <algorithm>

#include "panels/class_sort.h"
#include "panels/focus_panel.h"
#include "panels/layout.h"
#include "sim/numbers.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

using namespace layout;

// The right-hand column of the biosphere panel.
constexpr int kLeft = 3080, kWidth = 1180, kProbeWidth = 370, kProbeGap = 35;
constexpr Color kUsable = rgb(0, 0, 0), kSpent = rgb(150, 150, 150);

using Self = CelestialPowers::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(CDfab), .kind = Kind::Button, .parent = "FraLif", .place = {kLeft, 290, kWidth, 300},
     .caption = "Fabricate", .toolTip = "Use Celestial to increase mass of planet by 50%", .font = kPanelFont,
     .fontSize = 8},
    {QUORL_CONTROL(CDsub), .kind = Kind::Button, .parent = "FraLif", .place = {kLeft, 620, kWidth, 300},
     .caption = "Sublimate", .toolTip = "Use Celestial to decrease mass of planet by 50%", .font = kPanelFont,
     .fontSize = 8},
    {QUORL_CONTROL(CDdec), .kind = Kind::Button, .parent = "FraLif", .place = {kLeft, 950, kWidth, 300},
     .caption = "Decimate", .toolTip = "3 Celestials to ionize this wretched world...", .font = kPanelFont,
     .fontSize = 8},
    {QUORL_CONTROLS(CmdMars), .kind = Kind::Button, .first = 0, .last = 2, .parent = "FraLif",
     .place = {kLeft, 1330, kProbeWidth, 300}, .font = kPanelFont, .fontSize = 8, .bold = true},
};

struct Probe {
  const char* caption;
  const char* toolTip;
  const char* found;
};
const Probe kProbes[3] = {
    {"m", "mars world", "Mars world selected"},
    {"e", "earth world", "Earth world selected"},
    {"w", "water/ice world", "Water world selected"},
};

}  // namespace

CelestialPowers::CelestialPowers(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  enableFor(0);
  for (int i = 0; i <= 2; ++i) {
    Control& probe = c.CmdMars[i];
    probe.setCaption(kProbes[i].caption);
    probe.setToolTip(kProbes[i].toolTip);
    probe.setLeft(kLeft + i * (kProbeWidth + kProbeGap));
    probe.onClick = [this, i] { this->probe(i); };
  }
  // A power pressed while disabled (only a script can) does nothing.
  c.CDfab->onClick = [this] {
    if (c.CDfab->enabled()) fabricate();
  };
  c.CDsub->onClick = [this] {
    if (c.CDsub->enabled()) sublimate();
  };
  c.CDdec->onClick = [this] {
    if (c.CDdec->enabled()) decimate();
  };
}

void CelestialPowers::enableFor(int sum) {
  const auto allow = [](Control& power, bool on) {
    power.setEnabled(on);
    power.setFore(on ? kUsable : kSpent);  // the window's own disabled look is too faint on these buttons
  };
  allow(c.CDfab, sum > 0);
  allow(c.CDdec, sum > 2);
  allow(c.CDsub, sum > 9);
}

void CelestialPowers::spend(int f) { w_.b.LifeCount[5][f] -= 1; }

void CelestialPowers::fabricate() {
  BodyTable& b = w_.b;
  const int f = w_.s.Focus;
  if (!validBody(f)) return;
  const double g = Int(w_.Rnd() * 100) / 100 + 0.1;
  if (b.Mass[f] < 5e-6) {
    w_.status(b.BodyName[f] + "; a world is born...");
    b.Mass[f] = (w_.Rnd() / 2 + 0.5) * 1.5e-6;
  } else {
    b.Mass[f] = b.Mass[f] * (1 + g);
    w_.status(b.BodyName[f] + " has grown...");
  }
  spend(f);
}

void CelestialPowers::sublimate() {
  BodyTable& b = w_.b;
  const int f = w_.s.Focus;
  if (!validBody(f)) return;
  b.Mass[f] = b.Mass[f] * 0.5;
  spend(f);
  w_.status(b.BodyName[f] + " is reduced...");
}

void CelestialPowers::decimate() {
  BodyTable& b = w_.b;
  const int f = w_.s.Focus;
  if (!validBody(f)) return;
  if (f == 2) {
    w_.status("Celestial consumed by " + b.BodyName[2]);
  } else {
    w_.status(b.BodyName[f] + " is no more...");
    b.Gone[f] = 1;
  }
  // The running seconds count again from 0 and the run is no longer settled, so the selection of body 2
  // below leaves this message in the status line.
  startClock(w_.s, w_.now());
  w_.s.ElapsedSeconds = 0;
  w_.s.WarmUpDone = 0;
  spend(f);
  setClamped(p_.focus->c.Hcelest, 2);
}

void CelestialPowers::probe(int i) {
  BodyTable& b = w_.b;
  const int wanted = i + 2;
  p_.zoom->clearAreas();
  p_.classes->c.Command6->press();
  const int f0 = p_.focus->c.Hcelest->value();
  const int count = std::min<int>(w_.s.BodyCount, kRows - 1);
  int found = -1;

  // Random search: a hit allows one more draw, so it ends at the first miss after a hit.
  for (int draw = 1; draw <= 999; ++draw) {
    const int r = static_cast<int>(Int(w_.Rnd() * static_cast<int>(w_.s.BodyCount))) + 1;
    if (validBody(r) && b.PlanetClass[r] == wanted) {
      found = r;
      draw = 998;
    }
  }
  // A world that is gone was not found: selecting it would land on whatever present body follows it.
  if (found != -1 && b.Gone[found] != 0) found = -1;
  // Scan: the highest present world of the class other than the one selected.
  int present = 0;
  for (int j = 1; j <= count; ++j)
    if (b.Gone[j] == 0 && b.PlanetClass[j] == wanted) {
      ++present;
      if (j != f0) found = j;
    }
  if (present == 1 && found == -1) found = f0;
  if (found == -1 || b.PlanetClass[found] != wanted) found = 2;

  setClamped(p_.focus->c.Hcelest, found);
  if (b.PlanetClass[found] == wanted) w_.status(kProbes[i].found);
  else w_.status("Probe has not found its quarry. Access Denied. Please try again shortly.");
}

}  // namespace quorl
