// replay.qr as text: a recorded game, one entry a line (docs/replay.md describes the format). The writer
// makes the text as the game runs; the reader takes it apart again line by line and refuses anything a
// recording never holds. Which control or value a name stands for is the game's business.
#pragma once
#include <cstdint>
#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/clock.h"

namespace quorl {

inline constexpr std::string_view kReplayMagic = "quorl-replay 1";
// A larger file is refused before it is read; an hour of play takes about a megabyte.
inline constexpr std::size_t kReplayMaxBytes = std::size_t{16} << 20;
// Stamps and reading counts beyond this are refused, so no sum of them can overflow.
inline constexpr std::uint64_t kReplayMaxCount = std::uint64_t{1} << 62;
// A recording writes a line (a state check, when nothing else happens) at most this many passes after the
// one before; a replay refuses a gap of more than kReplayMaxGap, which no recording writes.
inline constexpr std::uint64_t kReplayLineSpacing = std::uint64_t{1} << 20;
inline constexpr std::uint64_t kReplayMaxGap = kReplayLineSpacing * 16;

// A text as one token of a line: printable ASCII without blanks, "\e" when empty.
std::string replayToken(std::string_view text);
// Back again; false for a token that replayToken never makes.
bool replayUntoken(std::string_view token, std::string& out);

// A state hash as the file writes it: 16 hexadecimal digits.
std::string hashText(std::uint64_t hash);

// A read of a file: whether it could be read, and its bytes.
struct ReplayRead {
  bool ok = false;
  std::string bytes;
  bool operator==(const ReplayRead&) const = default;
};

// Everything before the first event: who recorded it, what the tick letters stand for, and the state the
// game starts from (values that differ from a fresh table, controls that differ from the window after
// program start, values panels keep to themselves).
struct ReplayHead {
  struct Value {
    std::string name, value;
    bool operator==(const Value&) const = default;
  };
  struct Rows {
    std::string name;  // "Mass", "LifeCount(2)"
    int first = 0;     // the row or entry of the first value
    std::vector<std::string> values;
    bool operator==(const Rows&) const = default;
  };
  struct Props {
    std::string control;
    std::vector<std::pair<std::string, std::string>> props;
    bool operator==(const Props&) const = default;
  };

  std::string program;              // "Quorl 0.2.0"
  std::vector<std::string> timers;  // what the tick letters A, B, ... stand for
  std::string startFile;            // the file program start read ("tallyho.txt")
  ReplayRead start;
  std::vector<Value> values;
  std::vector<Rows> rows;
  std::vector<Props> controls;
  std::vector<Value> keep;
  bool operator==(const ReplayHead&) const = default;
};

// One thing that entered the game, at the pass it came after.
struct ReplayEvent {
  enum class Kind : unsigned char { Press, Type, Set, Enter, Leave, Key, Tick, Turn, Check, End };
  Kind kind = Kind::Turn;
  std::uint64_t pass = 0;  // passes run since the file began, before the event
  std::string name{};      // the control, or the timer of a tick
  std::string text{};      // Type: the text; Key: the character
  std::int64_t value = 0;  // Set
  std::uint64_t hash = 0;  // Check, End: the state hash
  bool operator==(const ReplayEvent&) const = default;
};

// A place in a recording: the passes since the file began, the events before it (state checks and the end
// count), the clock readings and the file reads taken before it.
struct ReplayPosition {
  std::uint64_t pass = 0, events = 0, readings = 0, reads = 0;
  bool operator==(const ReplayPosition&) const = default;
};

// A tick line may repeat one of the last few: "^N" is the N-th tick line before it, 1 to kTickRepeats.
inline constexpr int kTickRepeats = 9;

// How far a tick lies from where its timer's rhythm puts it: both sides keep the same rhythm per letter.
struct TickRhythm {
  std::uint64_t last = 0;
  std::int64_t period = 0;
  bool seen = false;
};

class ReplayWriter {
 public:
  explicit ReplayWriter(const ReplayHead& head);
  // Events come in the order they happened; their passes never go back.
  void event(const ReplayEvent& e);
  // One reading of the clock; a line only when it reads other than the reading before.
  void clockReading(const DateTime& t);
  // From reading `at` on (counted from 0 at the file's start, later than the last change) the clock reads t.
  void clockChange(std::uint64_t at, const DateTime& t);
  void fileRead(const std::string& name, const ReplayRead& r);
  // The text written so far, in whole lines.
  std::string take();
  // The same, but a tick line still open stays for more ticks.
  std::string takeLines();
  std::size_t size() const { return out_.size(); }
  // Events, clock readings and file reads written so far.
  std::uint64_t events() const { return events_; }
  std::uint64_t readings() const { return readings_; }
  std::uint64_t reads() const { return reads_; }
  // The clock has been read this many times in all (at least as often as it has been noted).
  void readingsTaken(std::uint64_t n) { readings_ = std::max(readings_, n); }

 private:
  void closeTicks();
  void line(std::uint64_t pass, const std::string& rest);

  std::string out_;
  std::vector<std::string> timers_;
  std::vector<TickRhythm> rhythm_;
  std::uint64_t last_ = 0;
  int tokens_ = 0;                              // ticks on the open tick line
  std::size_t lineStart_ = 0;                   // where it begins
  std::deque<std::string> recent_;              // the last tick lines, the latest first
  std::uint64_t readings_ = 0, changedAt_ = 0;  // readings so far; the reading of the last change
  std::uint64_t events_ = 0, reads_ = 0;
  bool haveClock_ = false;
  DateTime clock_;
};

class ReplayReader {
 public:
  struct ClockChange {
    std::uint64_t reading;  // from this reading on (counted from 0 at the file's start) ...
    DateTime value;         // ... the clock reads this
  };

  // Reads the head; false, with the reason in error(), for a text that is no replay.
  bool open(std::string_view text);
  const ReplayHead& head() const { return head_; }
  // The next event; false at the end of the text, or at a line it cannot read (error() then says why).
  bool next(ReplayEvent& e);
  const std::string& error() const { return error_; }
  // The text ends inside a line (a recording cut off): that part line is not read.
  bool cutOff() const { return cutOff_; }
  // The line last read, from 1.
  int line() const { return line_; }

  // Clock changes and later file reads met so far; a replay takes them from the front as the game reads.
  std::deque<ClockChange> clock;
  std::deque<std::pair<std::string, ReplayRead>> reads;

 private:
  bool fail(const std::string& why);
  bool nextLine(std::string_view& out);
  bool headLine(const std::vector<std::string_view>& t);
  bool streamLine(const std::vector<std::string_view>& t, ReplayEvent& e, bool& isEvent);
  bool tickToken(ReplayEvent& e);
  bool stamp(std::uint64_t pass, ReplayEvent& e);

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 0;
  bool cutOff_ = false, inStream_ = false, ended_ = false;
  std::string error_;
  ReplayHead head_;
  std::vector<TickRhythm> rhythm_;
  std::uint64_t last_ = 0;
  std::string_view ticks_;               // what is left of the tick line being read
  std::deque<std::string_view> recent_;  // the last tick lines, the latest first
  std::uint64_t readingAt_ = 0;
  bool haveClock_ = false;
  DateTime clock_;
};

// The recording `text` up to `at` (its head, its first at.events events and the readings taken before `at`),
// written anew into `writer`, which goes on from there; false, with the reason, for a text that does not
// reach `at`.
bool replayPrefix(std::string_view text, const ReplayPosition& at, std::unique_ptr<ReplayWriter>& writer,
                  std::string& why);

}  // namespace quorl
