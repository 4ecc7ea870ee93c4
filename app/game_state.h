// One snapshot of a game: the world (every field, the random sequence), every control of the game's own,
// what panels keep to themselves, the timers' phases and the pass count. The replay's head, rewind and the
// autosave all take and put back a game through this one type; the path preview uses its world part.
// Put back into the same game, playing on gives the same game as never having left.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "io/params_file.h"
#include "sim/world_state.h"
#include "ui/control.h"
#include "ui/ui.h"

namespace quorl {

class Game;

class GameState {
 public:
  // What panels keep outside the fields and the controls, and which steers the game's future.
  struct Keeps {
    ParamsRecord params;                  // the last parameters line read or written
    std::string thrust;                   // the thrust text in force
    bool loopRunning = false;             // the main loop runs ...
    bool passDone = false;                // ... and a pass of this run lies behind it
    bool overflowTold = false;            // the score's overflow has been said once
    std::vector<std::int16_t> treated;    // the zoom view's treated impacts, by body, up to the last not 0
    bool operator==(const Keeps&) const = default;
  };

  // `like`: an earlier snapshot whose unchanged parts this one shares.
  void take(Game& g, const GameState* like = nullptr);
  // Puts everything back and runs no handler. `show`: the trail views are cleared and what the state can
  // draw is drawn again (a replay's head, put into a game fresh from its start, leaves them be).
  void restore(Game& g, bool show = true) const;

  WorldState world;
  // The game's controls in the order the game made them; one that has not changed since the snapshot this
  // was taken like is shared with it.
  std::vector<std::shared_ptr<const Control::Snapshot>> controls;
  Keeps keeps;
  Ui::TimerPhases timers;
  std::uint64_t passes = 0;
  int rows = kRows;  // the rows in play (BodyCount + 1) here and in the snapshots this one was taken like

  // Memory held, and the part no other snapshot shares.
  std::size_t bytes() const;
  std::size_t ownBytes() const;
  // A binary form; `read` refuses what `write` did not produce for a game with these controls.
  void write(std::string& out, Game& g) const;
  bool read(std::string_view in, std::size_t& pos, Game& g, std::string& why);
};

// FNV-1a over bytes, for the checksums of files that hold a snapshot.
std::uint64_t checksum(std::string_view bytes);

}  // namespace quorl
