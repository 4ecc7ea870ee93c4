// quorl-cli's replay commands: a recorded game played headless, and a script's game kept as a replay.
#pragma once
#include <iosfwd>
#include <memory>
#include <string>

namespace quorl {

class Game;

// Plays FILE as fast as the game runs and prints "passes=N hash=H score=S checks=C" where it stopped.
// Returns 0 when it reached its end, 1 when it diverged, 2 when the file was refused and 3 when the
// recording was cut off (it is replayed as far as it goes).
int replayFile(const std::string& path, std::ostream& out, std::ostream& err);

// Ends a recording game and copies its current system's replay to `path`; 2, with the reason, when the
// game built no system or something not a player's input changed it.
int keepReplay(std::unique_ptr<Game> game, const std::string& path, std::ostream& err);

}  // namespace quorl
