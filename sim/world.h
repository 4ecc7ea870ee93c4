// The world every rule acts on: the window's controls, the body table and shared values, the random
// sequence and the clock, with the main window's own surface and its status line.
#pragma once
#include <functional>
#include <string>

#include "sim/bodies.h"
#include "sim/clock.h"
#include "sim/outside.h"
#include "sim/random.h"
#include "sim/state.h"
#include "ui/control_table.h"
#include "ui/ui.h"

namespace quorl {

class World {
 public:
  explicit World(CanvasFactory canvases = {});
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  Ui ui;
  BodyTable b;
  SharedState s;
  Random random;
  Clock clock;
  Outside* outside = nullptr;  // a recording or a replay, when there is one

  // The main window: its surface is the main orbit view; Labill is the status line.
  struct Controls {
    Handle Quorl, Labill;
  } window;

  // What the timeline marks: a fusion of two bodies, a nova. Told as it happens; changes nothing.
  enum class Mark { Impact, Nova };
  std::function<void(Mark)> onMark;
  void mark(Mark m) {
    if (onMark) onMark(m);
  }

  double Rnd() { return random.rnd(); }
  // The wall clock as the rules read it (the driver may have set it).
  DateTime now();
  // Shows a text in the status line.
  void status(const std::string& text);
  Canvas& mainView() { return *window.Quorl->canvas; }
};

}  // namespace quorl
