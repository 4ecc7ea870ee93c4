// quorl-cli's replay commands: a recorded game played headless, and a script's game kept as a replay.
#pragma once
#include <cstdint>
#include <optional>
#include <iosfwd>
#include <memory>
#include <string>

namespace quorl {

class Game;

// Plays FILE as fast as the game runs and prints "passes=N hash=H score=S checks=C" where it stopped.
// Returns 0 when it reached its end, 1 when it diverged, 2 when the file was refused and 3 when the
// recording was cut off (it is replayed as far as it goes).
// With `at`, it stops at that pass (and its state check) instead and prints the same line there; 0 when it got
// there as recorded.
int replayFile(const std::string& path, std::ostream& out, std::ostream& err,
               std::optional<std::uint64_t> at = std::nullopt);

// Ends a recording game and copies its current system's replay to `path`; 2, with the reason, when the
// game built no system or something not a player's input changed it.
int keepReplay(std::unique_ptr<Game> game, const std::string& path, std::ostream& err);

// A saved game (autosave.qs) put into a game fresh from its start, which plays on from there; false, with the
// reason on `err`, for a file that is damaged or no saved game of this program.
bool continueSaved(Game& g, const std::string& path, std::ostream& err);
// A whole number of decimal digits, as a count on the command line.
bool wholeCount(const char* text, unsigned long long& out);

}  // namespace quorl
