// Starting, pausing and resuming, and the preset-button animation.
#include "app/run_control.h"

#include <string>

#include "app/clock_score.h"
#include "app/game.h"
#include "app/help.h"
#include "app/params.h"
#include "app/preset_press.h"
#include "events/biosphere.h"
#include "panels/body_editor.h"
#include "panels/focus_panel.h"
#include "sim/numbers.h"
#include "views/orbit_views.h"
#include "views/planet_picture.h"

namespace quorl {

namespace {

constexpr Color kGlow = rgb(111, 222, 255);
constexpr Color kFrame = rgb(16, 16, 40);
// The pause button while running, and lit while paused.
constexpr Color kPauseBack = rgb(255, 216, 128), kPausedBack = rgb(255, 110, 40);
constexpr Color kPauseFore = rgb(0, 0, 0), kPausedFore = rgb(255, 255, 255);

// The run buttons and the auto-clear controls share one frame, so the start can move the pause button to
// the frame's left edge without leaving the column.
using Self = RunControl::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(FraRun), .kind = Kind::Frame, .place = {15480, 7000, 4320, 900}, .back = kFrame},
    {QUORL_CONTROL(Command2), .kind = Kind::Button, .parent = "FraRun", .place = {360, 60, 1200, 360},
     .caption = "Start", .toolTip = "Start the system"},
    {QUORL_CONTROL(Command3), .kind = Kind::Button, .parent = "FraRun", .place = {3000, 60, 1200, 360},
     .caption = "www", .toolTip = "^ Go to the website ^", .back = rgb(255, 204, 153)},
    {QUORL_CONTROL(Command5), .kind = Kind::Button, .parent = "FraRun", .place = {1680, 60, 1200, 360},
     .caption = "Pause", .fore = kPauseFore, .back = kPauseBack},
    {QUORL_CONTROL(Tr), .kind = Kind::Timer, .interval = 15, .running = true},
};

}  // namespace

RunControl::RunControl(Game& g) : g_(g) {
  declare(g.ui, c, kControls);
  c.Command2->onClick = [this] { start(); };
  c.Command3->onClick = [this] { webBit(); };
  c.Command5->onClick = [this] { pauseToggle(); };
  c.Tr->onTick = [this] { animate(); };
  openEditor = [&g] { g.editor->open(); };
  closeEditor = [&g] { g.editor->close(); };
}

void RunControl::start() {
  Game& g = g_;
  BodyTable& b = g.b;
  SharedState& s = g.s;
  g.views->bind();
  OrbitViews::Controls& views = g.views->c;

  // 1. Auto clear.
  views.CHacs->setVisible(true);
  views.TXref->setVisible(true);

  // 2. Colours: the two stars, and a grey for every other body until the class sort runs.
  b.ColorR[1] = 255, b.ColorG[1] = 223, b.ColorB[1] = 0;
  b.ColorR[2] = 255, b.ColorG[2] = 223, b.ColorB[2] = 128;
  const int last = s.BodyCount < kRows ? static_cast<int>(s.BodyCount) : kRows - 1;
  for (int i = 3; i <= last; ++i) {
    const float grey = static_cast<float>(Int(g.Rnd() * 50) + 30);
    b.ColorR[i] = grey, b.ColorG[i] = grey, b.ColorB[i] = grey;
  }

  // 3. Buttons.
  views.Command4->setVisible(true);
  c.Command5->setLeft(360);
  g.params->c.CHran->setVisible(false);
  c.Command2->setVisible(false);

  // 4. Start time "hh:mm:ss".
  startClock(s, g.now());

  // 5. Clock and run tick.
  g.clockScore->c.TimerJo->setEnabled(true);
  g.bio->c.TiK->setEnabled(true);

  // 6. Proximity as typed.
  s.Proximity = Val(g.params->c.Text1->text());

  // 7. Auto clear at the typed rate.
  if (views.CHacs->checked()) {
    Control& timer = views.Tiball;
    int ms = OrbitViews::clearIntervalMs(Val(views.TXref->text()));
    if (ms < 0) ms = 0;  // a time a timer cannot take: it does not fire
    timer.setInterval(ms);
    timer.setEnabled(true);
  }

  // 8. The selection panel runs its change for body 3, then body 2.
  Control& bar = g.focus->c.Hcelest;
  for (int v : {3, 2})
    if (v >= bar.min() && v <= bar.max()) bar.setValue(v);

  // 9., 10. Status line and the planet picture.
  g.status("Nova" + plain(s.Preset));
  g.picture->c.TimWo->setEnabled(true);
  if (s.Preset == 10) g.status(g.window.Labill->caption() + "\r" + "Overide: Only 1 single planet to start.");

  // 11. Largest planet, then the loop.
  g.focus->c.Command66->press();
  g.superman();
}

void RunControl::pauseToggle() {
  Game& g = g_;
  if (g.s.PauseFlag.empty()) {
    // The running loop returns at the end of its current pass.
    g.s.PauseFlag = "bat";
    g.bio->c.TiK->setEnabled(false);
    showPaused(true);
    if (openEditor) openEditor();
    return;
  }
  if (closeEditor) closeEditor();
  showPaused(false);
  g.bio->c.TiK->setEnabled(true);
  g.s.PauseFlag.clear();
  g.superman();
}

void RunControl::animate() {
  Game& g = g_;
  SharedState& s = g.s;
  g.views->bind();

  nextSeed();

  // 2.-4. The lit preset walks from CDp(1) to CDp(10), one per 10 ticks, then rests.
  s.PresetGlow += 0.1;
  Control& status = g.window.Labill;
  const Color rest = c.Command3->back();
  const ControlArray& presets = g.presets->c.CDp;
  if (s.PresetGlow <= 10 || s.PresetGlow >= 20) {
    status.setFore(rest);
    if (s.PresetGlow >= 20) s.PresetGlow = 0;
    const int lit = CInt(s.PresetGlow + 1), before = CInt(s.PresetGlow);
    if (Control* button = presets.find(lit)) button->setBack(kGlow);
    if (Control* button = presets.find(before)) button->setBack(rest);
  } else {
    status.setFore(kGlow);
  }
}

void RunControl::nextSeed() {
  SharedState& s = g_.s;
  s.SeedTick += 1;
  if (s.SeedTick > 32000) s.SeedTick = -32000;
  g_.params->c.TXran->setText(plain(s.SeedTick));
  s.SeedValue = s.SeedTick;
}

void RunControl::showPaused(bool paused) {
  Control& button = c.Command5;
  button.setBack(paused ? kPausedBack : kPauseBack);
  button.setFore(paused ? kPausedFore : kPauseFore);
  button.setFontBold(paused);
  button.setToolTip(paused ? "Paused: press again to resume" : "");
}

void RunControl::webBit() { browse(productPage()); }

void RunControl::browse(const std::string& url) {
  if (!openBrowser) return;
  try {
    openBrowser(url);
  } catch (...) {
    // Nothing to report: the page is a convenience.
  }
}

}  // namespace quorl
