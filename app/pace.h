// The pace: how many passes of the main loop may run in a second of real time, chosen by the player,
// and the readout of the passes that did run. It decides only when a pass runs, never what it does.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "ui/control_table.h"

namespace quorl {

class Game;

// The cap's bookkeeping, in nanoseconds of whatever clock the caller keeps (real or virtual).
class Pacer {
 public:
  // A pump that wakes late makes up at most this much lost time; a longer stall is not caught up. A pump on
  // a fine timer needs little; one that turns once a display frame needs a few frames.
  static constexpr std::int64_t kCatchUpNs = 10'000'000, kFrameCatchUpNs = 50'000'000;
  explicit Pacer(std::int64_t catchUpNs = kCatchUpNs) : catchUp_(catchUpNs) {}
  void setCatchUp(std::int64_t ns) { catchUp_ = ns; }

  // 0: no cap.
  void setCap(int passesPerSecond);
  int cap() const { return cap_; }
  // How long the pump must wait at `nowNs` before its next pass; 0: run it now.
  std::int64_t waitAt(std::int64_t nowNs);
  // A pass ran (after a wait of 0).
  void passRan() { due_ += period_; }

 private:
  std::int64_t catchUp_;
  int cap_ = 0;
  std::int64_t period_ = 0;
  std::int64_t due_ = 0;
  bool started_ = false;
};

// A pump that turns on the display's frames (the page, on requestAnimationFrame): in one frame it turns
// while the pace has a pass due (every turn at Max) and the frame's budget of time lasts, so the display
// and the player's events keep their share of the frame. `turn` runs one turn of the pump and says whether
// it goes on. The pacer wants kFrameCatchUpNs.
struct FrameRun {
  int turns = 0;
  bool stopped = false;  // the pump stopped (a pause)
};
inline constexpr std::int64_t kFrameBudgetNs = 10'000'000;
FrameRun runFrame(Pacer& pacer, std::int64_t budgetNs, const std::function<std::int64_t()>& clockNs,
                  const std::function<bool()>& turn);

// "12/s", "4998/s", "31.2k/s", "103k/s": the readout's text for a rate of passes a second.
std::string rateText(double passesPerSecond);

class PacePanel {
 public:
  // The settings, in the order of the options: passes a second at most, 0 for as many as the machine runs.
  static constexpr int kWatch = 0, kFast = 1, kMax = 2;
  static constexpr int kCaps[3] = {5000, 30000, 0};

  explicit PacePanel(Game& g);

  struct Controls {
    Handle CapPace;       // "Pace"
    ControlArray OpPace;  // 0..2: Watch, Fast, Max
    Handle LabRate;       // the passes of the last second
    Handle TimRate;       // refreshes the readout once a second
  } c;

  Pacer pacer;
  int setting() const { return setting_; }
  // Passes a second at the pace in force: the cap, or at Max the rate of the last second (0 before one).
  double rate() const { return kCaps[setting_] > 0 ? kCaps[setting_] : measured_; }
  // Chooses a setting as a click on its option does (0..2; anything else is refused).
  void choose(int setting);

  // Monotonic nanoseconds for the readout; unset, the timers' virtual time. The window gives it real time.
  std::function<std::int64_t()> clockNs;
  // Told of every choice, to remember it (the window keeps it in the per-user settings).
  std::function<void(int setting)> onChosen;

 private:
  void chosen(int setting);
  void refreshRate();

  Game& g_;
  int setting_ = kWatch;
  std::uint64_t lastPasses_ = 0;
  double measured_ = 0;
  std::int64_t lastNs_ = 0;
};

}  // namespace quorl
