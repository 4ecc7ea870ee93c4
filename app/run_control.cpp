// Starting, pausing and resuming, and the preset-button animation.
#include "app/run_control.h"

#include <string>

#include "app/game.h"
#include "sim/numbers.h"
#include "views/orbit_views.h"

namespace quorl {

namespace {

constexpr Color kGlow = rgb(111, 222, 255);

// Enables or disables a timer of another panel, when that panel has made it.
void setTimer(Game& g, const char* name, bool on) {
  if (Control* t = g.ui.find(name)) t->setEnabled(on);
}

}  // namespace

RunControl::RunControl(Game& g) : g_(g) {
  // The run buttons and the auto-clear controls share one frame, so the start can move the pause
  // button to the frame's left edge without leaving the column.
  Control& frame = g.ui.add("FraRun", Kind::Frame);
  frame.left = 15480, frame.top = 7000, frame.width = 4320, frame.height = 900;
  frame.back = rgb(16, 16, 40);
  auto place = [](Control& c, int left, int width) {
    c.parent = "FraRun";
    c.left = left, c.top = 60, c.width = width, c.height = 360;
  };

  Control& start = g.ui.add("Command2", Kind::Button);
  start.caption = "Start";
  start.toolTip = "Start the system";
  place(start, 360, 1200);
  start.onClick = [this] { this->start(); };

  Control& www = g.ui.add("Command3", Kind::Button);
  www.caption = "www";
  www.toolTip = "^ Go to the website ^";
  www.back = rgb(255, 204, 153);  // the reference colour of the status line and the resting presets
  place(www, 3000, 1200);
  www.onClick = [this] { webBit(); };
  reference_ = &www;

  Control& pause = g.ui.add("Command5", Kind::Button);
  pause.caption = "Pause";
  pause.back = rgb(255, 216, 128);
  place(pause, 1680, 1200);
  pause.onClick = [this] { pauseToggle(); };

  Control& tr = g.ui.add("Tr", Kind::Timer);
  tr.setInterval(15);
  tr.setEnabled(true);
  tr.onTick = [this] { animate(); };
}

void RunControl::start() {
  Game& g = g_;
  BodyTable& b = g.b;
  SharedState& s = g.s;
  g.views->bind();

  // 1. Auto clear.
  g.c("CHacs").visible = true;
  g.c("TXref").visible = true;

  // 2. Colours: the two stars, and a grey for every other body until the class sort runs.
  b.ColorR[1] = 255, b.ColorG[1] = 223, b.ColorB[1] = 0;
  b.ColorR[2] = 255, b.ColorG[2] = 223, b.ColorB[2] = 128;
  const int last = s.BodyCount < kRows ? static_cast<int>(s.BodyCount) : kRows - 1;
  for (int i = 3; i <= last; ++i) {
    const float grey = static_cast<float>(Int(g.Rnd() * 50) + 30);
    b.ColorR[i] = grey, b.ColorG[i] = grey, b.ColorB[i] = grey;
  }

  // 3. Buttons.
  g.c("Command4").visible = true;
  g.c("Command5").left = 360;
  if (Control* freeze = g.ui.find("CHran")) freeze->visible = false;
  g.c("Command2").visible = false;

  // 4. Start time "hh:mm:ss".
  s.StartTime = timeText(g.now());
  s.StartSecond = CInt(Val(s.StartTime.substr(6, 2)));
  s.StartMinute = CInt(Val(s.StartTime.substr(3, 2)));
  s.StartHour = CInt(Val(s.StartTime.substr(0, 2)));

  // 5. Clock and run tick.
  setTimer(g, "TimerJo", true);
  setTimer(g, "TiK", true);

  // 6. Proximity as typed.
  if (Control* box = g.ui.find("Text1")) s.Proximity = Val(box->text());

  // 7. Auto clear at the typed rate.
  if (g.c("CHacs").checked()) {
    Control& timer = g.c("Tiball");
    int ms = OrbitViews::clearIntervalMs(Val(g.c("TXref").text()));
    if (ms < 0) ms = 0;  // a time a timer cannot take: it does not fire
    timer.setInterval(ms);
    timer.setEnabled(true);
  }

  // 8. The selection panel runs its change for body 3, then body 2.
  if (Control* bar = g.ui.find("Hcelest")) {
    for (int v : {3, 2})
      if (v >= bar->min() && v <= bar->max()) bar->setValue(v);
  }

  // 9., 10. Status line and the planet picture.
  g.status("Nova" + plain(s.Preset));
  setTimer(g, "TimWo", true);
  if (s.Preset == 10) g.status(g.c("Labill").caption + "\r" + "Overide: Only 1 single planet to start.");

  // 11. Largest planet, then the loop.
  if (Control* largest = g.ui.find("Command66")) largest->press();
  g.superman();
}

void RunControl::pauseToggle() {
  Game& g = g_;
  if (g.s.PauseFlag.empty()) {
    // The running loop returns at the end of its current pass.
    g.s.PauseFlag = "bat";
    setTimer(g, "TiK", false);
    if (openEditor) openEditor();
    return;
  }
  if (closeEditor) closeEditor();
  setTimer(g, "TiK", true);
  g.s.PauseFlag.clear();
  g.superman();
}

void RunControl::bindPresets() {
  presetsBound_ = true;
  for (int k = 0; k < 12; ++k) presets_[k] = g_.ui.find("CDp(" + std::to_string(k) + ")");
}

void RunControl::animate() {
  Game& g = g_;
  SharedState& s = g.s;
  if (!presetsBound_) bindPresets();
  g.views->bind();

  // 1. Seed counter.
  s.SeedTick += 1;
  if (s.SeedTick > 32000) s.SeedTick = -32000;
  if (Control* seed = g.ui.find("TXran")) seed->setText(plain(s.SeedTick));
  s.SeedValue = s.SeedTick;

  // 2.-4. The lit preset walks from CDp(1) to CDp(10), one per 10 ticks, then rests.
  s.PresetGlow += 0.1;
  Control& status = g.c("Labill");
  if (s.PresetGlow <= 10 || s.PresetGlow >= 20) {
    status.fore = reference_->back;
    if (s.PresetGlow >= 20) s.PresetGlow = 0;
    const int lit = CInt(s.PresetGlow + 1), before = CInt(s.PresetGlow);
    if (lit >= 0 && lit < 12 && presets_[lit]) presets_[lit]->back = kGlow;
    if (before >= 0 && before < 12 && presets_[before]) presets_[before]->back = reference_->back;
  } else {
    status.fore = kGlow;
  }
}

void RunControl::webBit() {
  if (!openBrowser) return;
  try {
    openBrowser(kWebPage);
  } catch (...) {
    // A browser that cannot be started changes nothing.
  }
}

}  // namespace quorl
