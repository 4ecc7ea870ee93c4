// quorl-cli autoplay: a player that plays a whole game headless, on the schedule of the Watch pace, with the
// inputs a person gives the window, and says when it reached each milestone of the goals.
#pragma once
#include <iosfwd>
#include <string>

namespace quorl {

struct AutoplayOptions {
  int seed = 1;
  int preset = 3;
  int seconds = 900;   // of play
  std::string dir;     // the game's folder (its replay.qr stays there); empty: a temporary one
  bool trace = false;  // what the player does and why, second by second, on the error stream
};

// Plays one game; 0, or 2 after saying what was wrong with the options.
int runAutoplay(const AutoplayOptions& options, std::ostream& out, std::ostream& err);
// Reads "autoplay [--seed S] [--preset P] [--seconds N] [--dir DIR] [--trace]" from argv[first...].
int autoplayCommand(int argc, char** argv, int first, std::ostream& out, std::ostream& err);

}  // namespace quorl
