// Rewind: snapshots of the system being recorded, kept at intervals that thin out with age, and the way
// back to any moment of it: the snapshot before, then the recorded inputs up to that moment. Playing on
// from a past moment branches the recording (Recorder::branch).
//
// Seconds of play: the time the main loop ran, by the clock the game is given (the window's monotonic
// clock; headless, passes at the pace's cap, 5,000 a second at Max). A paused system's time does not move.
// A moment is a pass: the state right after that pass (and its state check), before any input after it.
// Going back costs the passes from the snapshot before: besides the spacing by age, snapshots lie at most
// RewindOptions::mostWorkNs of pass time apart (a pass before each look is timed), as far as the memory budget allows.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/game_state.h"
#include "io/replay_file.h"
#include "sim/world.h"

namespace quorl {

class Game;

class Rewind {
 public:
  Rewind(Game& g, RewindOptions options);

  struct Mark {
    std::uint64_t pass;
    World::Mark kind;
  };

  // The game's hooks: a look after a pass (returns the pass at which to look again), the main loop starting,
  // a new file of the recording (a new system: everything before it goes).
  std::uint64_t passed();
  // The pass just run took this long (the one before each look is timed). The least of the last few is what
  // a pass costs: a pass that took longer was held up by something else.
  void passTook(std::int64_t ns);
  void loopStarted();
  void newFile();
  void afterInput();

  // The timeline of this system: the passes it spans, its seconds of play, and what happened where.
  std::uint64_t lastPass() const;
  std::int64_t playMs() const { return playMs_; }
  std::int64_t playAt(std::uint64_t pass) const;
  std::uint64_t passAt(std::int64_t playMs) const;
  const std::vector<Mark>& marks() const { return marks_; }

  // Shows the system as it was at `pass` (of this file): views, panels, score. The game is held (takes no
  // input) until letGo(). False, with the reason, when there is nothing to go back to.
  bool seek(std::uint64_t pass, std::string& why);
  // Plays on from the moment shown: from a past one the recording branches.
  void letGo();
  // Back `ms` milliseconds of play, and on from there.
  bool back(std::int64_t ms, std::string& why);
  bool holding() const { return holding_; }
  // The pass shown while holding.
  std::uint64_t shownPass() const { return shown_.pass; }
  // Holds the game at the moment it is in (a continued game waits for the player this way).
  void holdHere();
  // Back to the present it left, without branching (the window closes while a moment is shown).
  void cancel();

  // Snapshots kept, and the memory they take.
  std::size_t count() const { return kept_.size(); }
  std::uint64_t taken() const { return taken_; }  // since the game began
  std::size_t bytes() const { return bytes_; }
  std::size_t budget() const { return options_.budget; }
  // The most pass time between two kept snapshots (or the last and now): what going back costs at most.
  std::int64_t widestGapNs() const;
  // Takes one now, at a pass boundary (tests and the bench; passed() does it as play goes on).
  void keepNow();

  std::function<void()> onChanged;      // the timeline has something new to show
  std::function<void()> onMinuteOfPlay;  // every minute of play (the window saves the game)

 private:
  struct Kept {
    GameState state;
    ReplayPosition at;
    std::int64_t playMs = 0;
    std::int64_t workNs = 0;  // pass time run since the system began
  };
  void keep();
  void thin();
  void enter();
  void show();
  std::int64_t nowMs();
  void changed() {
    if (onChanged) onChanged();
  }

  Game& g_;
  RewindOptions options_;
  std::deque<Kept> kept_;  // by pass, the first one where the system began
  std::size_t bytes_ = 0;
  std::vector<Mark> marks_;
  void drop(std::size_t i);
  std::int64_t playMs_ = 0, lastMs_ = 0, lastKeptMs_ = 0;
  std::int64_t workNs_ = 0, lastKeptWork_ = 0, passNs_ = 0;
  std::int64_t lastMinuteMs_ = 0;
  std::array<std::int64_t, 8> timedNs_{};
  std::size_t timed_ = 0;
  std::uint64_t lastLook_ = 0;
  bool clockRunning_ = false;
  bool firstDue_ = false;
  std::uint64_t taken_ = 0;

  // While holding: the present it left, and where the recording stood.
  bool holding_ = false;
  std::unique_ptr<Kept> present_;
  std::uint64_t presentHash_ = 0;
  ReplayPosition shown_;
};

}  // namespace quorl
