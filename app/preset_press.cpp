// The preset buttons: a press reads the panel, resets the panels and the old system's data, names the
// bodies, has creation place them, and presses the start. Every draw of the random sequence happens
// exactly where the rules draw, so the same seed and panel build the same system.
#include "app/preset_press.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "app/clock_score.h"
#include "app/game.h"
#include "app/help.h"
#include "app/params.h"
#include "app/run_control.h"
#include "events/biosphere.h"
#include "events/nova.h"
#include "io/event_log.h"
#include "names/names.h"
#include "panels/class_sort.h"
#include "panels/focus_panel.h"
#include "sim/fields.h"
#include "sim/numbers.h"
#include "views/name_labels.h"
#include "views/orbit_views.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

constexpr int kPresets = 10;
constexpr int kMaxBodyCount = kRows - 1;

// Column A, the row of preset buttons (window units).
constexpr int kLeft = 15480, kTop = 6000, kButtonWidth = 432, kButtonHeight = 360;

using Self = PresetPress::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROLS(CDp), .kind = Kind::Button, .first = 0, .last = kPresets + 1,
     .place = {kLeft, kTop, kButtonWidth, kButtonHeight}, .toolTip = "Preset Parameters"},
};

// The seed box's numeric value as the 32-bit seed of the random sequence.
std::int32_t seedFrom(double v) {
  if (std::isnan(v)) return 0;
  v = std::nearbyint(v);
  if (v <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  if (v >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

}  // namespace

PresetPress::PresetPress(Game& g) : g_(g) {
  declare(g.ui, c, kControls);
  // The animation lights the buttons and returns them to this colour.
  const Color rest = g.run->c.Command3->back();
  for (Control* button : c.CDp) button->setBack(rest);
  for (int i : {0, kPresets + 1}) {
    c.CDp[i].setVisible(false);
    c.CDp[i].setToolTip("");
    c.CDp[i].setPlace(0, 0, 0, 0);
    c.CDp[i].onClick = [] {};  // not a preset: a click builds nothing
  }
  for (int i = 1; i <= kPresets; ++i) {
    c.CDp[i].setCaption(std::to_string(i));
    c.CDp[i].setLeft(kLeft + (i - 1) * kButtonWidth);
    c.CDp[i].onClick = [this, i] { create(i); };
  }
}

bool PresetPress::readInputs(int preset, Inputs& in) {
  in.preset = preset;
  in.seed = seedFrom(Val(g_.params->c.TXran->text()));
  in.planets = Val(g_.params->c.TXplanets->text());
  in.spareWorlds = preset == kPresets ? 100 : static_cast<int>(g_.s.SpareWorlds);
  in.explode = Val(g_.nova->c.Txplod->text());
  in.spread = Val(g_.nova->c.TxSpread->text());

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

// Boxes that would break the arithmetic are repaired as leaving them would.
void PresetPress::repairInputs(Inputs& in) {
  Control& explode = g_.nova->c.Txplod;
  if (!(in.explode >= 0.001)) {
    in.explode = 0.001;
    explode.setText("0.001");
    notes_.push_back("Explosive randomness raised to 0.001");
  } else if (!std::isfinite(in.explode)) {
    in.explode = 99999;
    explode.setText("99999");
    notes_.push_back("Explosive randomness lowered to 99999");
  }
  g_.s.ExplodeRandomness = in.explode;
  if (!std::isfinite(in.spread)) {
    in.spread = in.spread > 0 ? 29999 : 0.2;
    g_.nova->c.TxSpread->setText(plain(in.spread));
    notes_.push_back("Dispersal volume set to " + plain(in.spread));
  }
}

void PresetPress::create(int preset) {
  Inputs in;
  if (preset < 1 || preset > kPresets || !readInputs(preset, in)) return;
  Game& g = g_;
  SharedState& s = g.s;
  notes_.clear();
  ++creations_;

  // 1-3: the seed, the choices left to chance on the first creation, the log.
  g.random.seed(in.seed);
  g.help->c.Label13->setVisible(false);
  if (!s.FirstCreationDone) chooseFirstOptions();
  if (s.NovaModeCaption.empty()) g.nova->c.OpExIm[static_cast<int>(Int(g.Rnd() * 5))].choose();
  g.log->StartLog(preset, g.params->c.TXplanets->text());
  if (!g.log->lastError().empty()) notes_.push_back(g.log->lastError());
  s.FirstCreationDone = true;

  // 4-6: panels and the per-body data of the old system.
  resetPanels(preset);
  resetBodyData(preset);
  s.Focus = 2;
  if (preset == kPresets) {
    g.params->c.TxTenner->setText("100");
    s.SpareWorlds = 100;
  }

  // 7: sizes and inputs.
  s.BodyCount = in.bodyCount;
  s.LastInitialBody = in.lastInitialBody;
  s.CreatedAt = g.now();
  s.Orbits = 0;
  g.params->c.Text3->setText("");
  repairInputs(in);
  g.run->c.Tr->setEnabled(false);
  g.help->c.Image1->setVisible(false);

  // 8-11
  clearRows(g.b, in.bodyCount);
  g.names->Oobladioobladah();
  // Paused, with the editor open or before any system: leaving the pause lets the new system run.
  if (!s.PauseFlag.empty()) g.run->c.Command5->press();
  s.Score = 0;
  markStars(g.b);
  if (in.planets > 3333) g.params->c.TXplanets->setText("3333");
  g.focus->c.Hcelest->setRange(2, in.bodyCount);
  g.mainView().clear();
  const OrbitViews::Controls& views = g.views->c;
  for (const Handle* view : {&views.PiZY, &views.PiZX, &views.LOxy, &views.LoZY, &views.LoZX}) (*view)->canvas->clear();

  // 12-13
  s.GravityExponent = 2.0;
  g.params->Skald();
  in.kick = std::sqrt(std::max<int>(s.MasterScale, 0) / 31.0);
  placeBodies(g.b, g.random, in);

  // 14-15
  g.params->c.Text3->setText(totalMassText(totalPlanetMass(g.b, in.lastInitialBody)));
  g.focus->c.Tix->setEnabled(true);
  g.run->c.Command2->press();
  for (const std::string& note : notes_) g.status(g.window.Labill->caption() + "\r" + note);
}

void PresetPress::chooseFirstOptions() {
  const ControlArray& options = g_.labels->c.OptUp;
  if (options[6].checked()) options[static_cast<int>(Int(g_.Rnd() * 8))].choose();
}

void PresetPress::resetPanels(int preset) {
  Game& g = g_;
  SharedState& s = g.s;
  g.zoom->clearAreas();
  g.views->c.CHacs->setChecked(true);
  s.Preset = preset;
  s.NewWorldCount = 0;
  s.AttractorLimit = 100;
  s.FocusClass = 0;
  s.ElapsedSeconds = 0;
  s.LiveCount = 0;
  s.WarmUpDone = 0;
  g.clockScore->newSystem();
  const ClockScore::Controls& clock = g.clockScore->c;
  for (Control* label : {&*g.classes->c.LaPlan, &*clock.LabvirT, &*clock.LabHi, &*clock.Labrat})
    label->setCaption("~~");
  g.nova->c.LaNu->setCaption("New Worlds");
  g.window.Labill->setFore(g.run->c.Command3->back());
  g.views->c.Hacl->setVisible(true);
}

void PresetPress::resetBodyData(int preset) {
  SharedState& s = g_.s;
  resetForCreation(g_.b);
  g_.zoom->forgetImpacts();  // the zoom view's record of treated impacts belongs to the old system
  for (std::string& entry : s.NewWorldList) entry.assign("_");
  s.RosterName.fill("0");
  s.RosterBody.fill(0);
  s.RosterSize.fill(0);
  s.ClassCount.fill(0);
  const Color rest = c.CDp[0].back();
  for (int i = 1; i <= kPresets; ++i) c.CDp[i].setBack(rest);
  c.CDp[preset].setBack(rgb(255, 255, 255));
}

}  // namespace quorl
