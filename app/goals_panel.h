// The Goals panel: the milestones of a game over the sky of the main view, each ticked as the game reaches
// it, and the button beside Help that opens it. It only watches: every control here is the player's, not
// the game's, and nothing it does reaches the game's state, its random sequence, its files or a recording.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/goals.h"
#include "ui/control_table.h"
#include "ui/input.h"

namespace quorl {

class Game;

class GoalsPanel {
 public:
  explicit GoalsPanel(Game& g);

  struct Controls {
    Handle CmdGoals;  // beside Help: opens the panel, and shows how many are reached
    Handle FraGoals, LabGoalsIntro, LabGoalsCount, CmdGoalsReset, CmdGoalsClose;
    ControlArray LaGoalMark, LaGoal, LaGoalHint;  // a row a milestone: the tick, the milestone, its hint
  } c;

  const Goals& goals() const { return goals_; }
  void open();
  void close();

  // The per-user record, as the window keeps it. None yet is the very first run: the panel opens by itself.
  void load(const std::optional<std::string>& record);
  std::string record() const { return goals_.record(); }
  // Told when the record changed (a milestone reached, the goals reset), to keep it.
  std::function<void()> onChanged;
  // Milliseconds of play for the time a milestone is reached; unset, the timers' virtual time.
  std::function<std::int64_t()> clockMs;

  // The game tells the panel around each input it applies but a pass, and at each fusion of a pass (before
  // the survivor takes the absorbed body's life): a pass changes nothing watched here but by a fusion.
  void before(const Input& in);
  void after(const Input& in);
  void fused(int survivor, int absorbed);

  // One line a milestone: "id reached SECONDS s pass PASSES" or "id open", after a count line.
  std::string describe() const;

 private:
  void reach(int i);
  bool isWorld(int body) const;
  void show();
  void resetPressed();

  Game& g_;
  Goals goals_;
  // What the input in progress found before it ran.
  int focus_ = 0, newWorlds_ = 0, creations_ = 0, power_ = -1;
  bool launching_ = false;
  // The all-time best that stood when the current system was built; -1 before any system.
  std::int64_t bestBefore_ = -1;
  bool confirming_ = false;  // the reset asks for a second press
  bool news_ = false;        // reached while the panel was closed
};

}  // namespace quorl
