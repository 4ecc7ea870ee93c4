// The timeline under the main view: the system's seconds of play as a thin bar, its impacts and novas
// marked on it, the moment shown; dragging it shows the system as it was then, letting go plays on from
// there. "Back 10 s" does the same in one step, and "Continue" (shown when a saved game waits) resumes it.
// These controls are the player's, not the game's: rewinding is no input of the game.
#pragma once
#include <functional>
#include <string>

#include "ui/control_table.h"

namespace quorl {

class Game;

class TimelinePanel {
 public:
  explicit TimelinePanel(Game& g);

  struct Controls {
    Handle PicTimeline;  // the bar
    Handle LabPlay;      // the moment shown and the seconds of play, "3:05 of 10:00"
    Handle CmdBack;      // "Back 10 s"
    Handle CmdContinue;  // "Continue"
  } c;

  static constexpr std::int64_t kBackMs = 10'000;

  // Draws the bar and the readout afresh from rewind's timeline.
  void redraw();
  // The pointer at `x` window units along the bar (pressed or moved): the system as it was there.
  void drag(int x);
  // The pointer let go: play on from the moment shown.
  void release();
  // "Back 10 s" and Ctrl+Z.
  void back();

  // A saved game waits: "Continue" shows beside the preset buttons until it is used or another system
  // begins; pressing it runs `onContinue`.
  void offerContinue(const std::string& saved);
  void withdrawContinue();
  std::function<void()> onContinue;

 private:
  Game& g_;
};

}  // namespace quorl
