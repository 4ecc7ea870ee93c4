// Plays a recorded game back: the recorded starting state, then every input at the pass it came after,
// with the clock and file readings handed back as the rules take them. The recorded state checks prove the
// replay as it goes; the first that does not match stops it and says at which pass.
#pragma once
#include <cstdint>
#include <set>
#include <string>

#include "io/replay_file.h"
#include "sim/outside.h"

namespace quorl {

class Game;

struct ReplayResult {
  enum class Ending { Playing, Finished, CutOff, Diverged, Refused };
  Ending ending = Ending::Playing;
  std::string message;       // what went wrong, or how the file ends
  std::uint64_t passes = 0;  // passes replayed
  std::uint64_t hash = 0;    // the state hash where the replay stopped
  std::int32_t score = 0;    // the system's best score there
  int checks = 0;            // recorded state checks met and matched
};

// "passes=N hash=H score=S checks=C": where a replay stopped, as both programs print it.
std::string replaySummary(const ReplayResult& r);
// The exit status that says how a replay ended: 0 at its end, 1 diverged, 2 refused, 3 cut off.
int replayStatus(const ReplayResult& r);
// What the status line says when a replay that ended hands the game to the player.
std::string handOverText(const ReplayResult& r);

class Replayer : public Outside {
 public:
  // Reads a replay and checks every line of it; false, with the reason, for a file no game can play.
  bool load(std::string text, std::string& error);
  bool loadFile(const std::string& path, std::string& error);
  // A recording this game is making (rewind's): read as it goes, without looking it over first.
  bool open(std::string text, std::string& error);
  const ReplayHead& head() const { return reader_.head(); }
  // The passes the recording spans (up to its end line, or as far as it goes when it was cut off).
  std::uint64_t length() const { return length_; }

  // Puts the recorded starting state into a game made with this replayer as its outside (GameOptions);
  // false when the game cannot take it (result() says why).
  bool begin(Game& g);
  // One turn: the events due before the next pass (at most `budget` of them), or else that pass.
  // False once the replay is over.
  bool step(Game& g, int budget = 256);
  // All of it, as fast as the game runs.
  const ReplayResult& run(Game& g);
  // Goes on from place `at` of the recording, where the game was just put back into the state it had there.
  bool resume(Game& g, const ReplayPosition& at);
  // Up to pass `pass` (counted from the file's start) and its state check: the moment before any input that
  // came after that pass. Past the last event, the passes run on without one. False once the replay is over.
  bool runTo(Game& g, std::uint64_t pass);
  // Where the replay stands in the recording.
  ReplayPosition position(Game& g) const;
  const ReplayResult& result() const { return result_; }
  // Passes replayed so far.
  std::uint64_t passes() const { return result_.passes; }

  // The replay is over and the game is the player's from here: the status line says where the recording
  // ended (or how it went astray), the clock goes on from the recorded one at the wall clock's pace, and
  // files are read as they are.
  void handOver(Game& g);
  bool handedOver() const { return handedOver_; }

  void clockRead(DateTime& t) override;
  void fileRead(const std::string& name, bool& ok, std::string& bytes) override;

 private:
  bool stop(Game& g, ReplayResult::Ending ending, const std::string& message);
  bool diverged(Game& g, const std::string& what);
  // One pass toward the next recorded event; false, diverged, when the loop would not run one.
  bool passToward(Game& g);
  bool apply(Game& g, const ReplayEvent& e);
  bool fetch(Game& g);

  std::string text_;
  ReplayReader reader_;
  std::set<std::string> names_;  // every control and timer the events name
  std::uint64_t length_ = 0;
  bool ended_ = false, cutOff_ = false;

  bool begun_ = false, pending_ = false, fromStart_ = false;
  ReplayEvent next_;
  std::uint64_t base_ = 0;
  std::uint64_t readings_ = 0;
  std::uint64_t applied_ = 0, readsTaken_ = 0;  // events applied and file reads handed back
  bool haveClock_ = false;
  DateTime clock_;
  std::string problem_;  // a reading the recording does not have, met inside a handler
  ReplayResult result_;
  bool handedOver_ = false;
  std::int64_t clockShift_ = 0;  // seconds from the wall clock to the recorded clock, once handed over
};

}  // namespace quorl
