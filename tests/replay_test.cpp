// Recorded games: the file reads back as it was written and refuses what no recording holds; a game driven
// through every kind of input replays to the very state it ended in, and the recording changes nothing in
// it; an edited value is caught at the next state check; earlier systems are kept; a cut-off file replays
// as far as it goes; a scene set by hand cannot become a replay.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "app/recorder.h"
#include "app/replayer.h"
#include "cli/driver.h"
#include "cli/replay_command.h"
#include "io/folder.h"
#include "sim/fields.h"
#include "tests/fuzz/replay_fuzz_check.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

namespace fs = std::filesystem;
using testing::fileText;

// A game in a folder of its own, recording itself (or not) with a state check every `every` passes, or
// replaying what `outside` hands it.
struct Played {
  std::string dir = testing::tempDir();
  std::unique_ptr<Game> game;
  std::uint64_t hash = 0;  // the state when it ended
  explicit Played(bool record = true, std::uint64_t every = 8192, Outside* outside = nullptr) {
    GameOptions o;
    o.dir = dir;
    o.record.on = record;
    o.record.checkEvery = every;
    o.outside = outside;
    game = std::make_unique<Game>(o);
  }
  ~Played() {
    game.reset();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  void run(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    EXPECT_EQ(runScript(*game, in, out, err), 0) << err.str();
  }
  // Ends the game (the recording writes its last state) and gives the current system's file.
  std::string end() {
    hash = stateHash(game->b, game->s);
    game.reset();
    return fileText(dir + "/replay.qr");
  }
};

ReplayResult replay(const std::string& text) {
  Replayer r;
  std::string error;
  if (!r.load(text, error)) return {ReplayResult::Ending::Refused, error};
  Played played(false, 8192, &r);
  if (r.begin(*played.game)) r.run(*played.game);
  return r.result();
}

// Every kind of input the driver gives, in two halves: between them tallyho.txt is changed by someone else,
// so that Load reads what the game never wrote. The clock runs over midnight.
const char* kFirstHalf = R"(clock 2024-03-01 23:59:40
press CHran
type TXran 4242
enter TXplanets
type TXplanets 40
leave TXplanets
press CDp(3)
advance 1500
passes 20000
press Command66
set Hcelest 12
advance 700
press Command11
passes 5000
press Command5
enter TXTp(4)
type TXTp(4) 0.0004
leave TXTp(4)
advance 800
press Command5
passes 10000
key q
key s
press CDsave
)";
const char* kSecondHalf = R"(press Command8
advance 25000
passes 30000
)";
const char* kOtherParams = "120,40,1,1000,1000,9,4242,31,900,133,12,0,6000,3000,0,1500,45,1\r\n";

std::string playBothHalves(Played& p) {
  p.run(kFirstHalf);
  std::ofstream(p.dir + "/tallyho.txt", std::ios::binary) << kOtherParams;
  p.run(kSecondHalf);
  return p.end();
}

TEST(Replay, EveryInputReplaysToTheStateTheGameEndedIn) {
  Played recorded;
  const std::string file = playBothHalves(recorded);
  for (const char* entry : {"\n0 press CDp(3)\n", " press Command11\n", " set Hcelest 12\n", " type TXTp(4) 0.0004\n",
                            " enter TXTp(4)\n", " leave TXTp(4)\n", " key q\n", "\nread tallyho.txt 1 120,40,",
                            "\nclock 0 2024-03-01 23:59:40\n", "\ncontrol TXplanets text=40", " check "})
    EXPECT_NE(file.find(entry), std::string::npos) << entry;

  const ReplayResult r = replay(file);
  EXPECT_EQ(r.ending, ReplayResult::Ending::Finished) << r.message;
  EXPECT_EQ(r.hash, recorded.hash);
  EXPECT_EQ(r.passes, 65000u);
  EXPECT_GE(r.checks, 8);

  // Turn by turn as the window plays it, a few events a turn, to the same end.
  Replayer stepped;
  std::string error;
  ASSERT_TRUE(stepped.load(file, error)) << error;
  Played turns(false, 8192, &stepped);
  ASSERT_TRUE(stepped.begin(*turns.game));
  while (stepped.step(*turns.game, 3)) {
  }
  EXPECT_EQ(stepped.result().ending, ReplayResult::Ending::Finished) << stepped.result().message;
  EXPECT_EQ(stepped.result().hash, recorded.hash);
  EXPECT_EQ(stepped.result().passes, 65000u);

  // Recording takes nothing from the game and adds nothing to it.
  Played plain(false);
  playBothHalves(plain);
  EXPECT_EQ(plain.hash, recorded.hash);
}

// What the page hands on while the game goes on: a whole file that ends in the state of that moment; the
// recording itself goes on as if nothing had been taken.
TEST(Replay, TheRecordingSoFarReplaysToTheStateNowAndTheGameGoesOn) {
  Played p;
  p.run(kFirstHalf);
  const std::string sofar = p.game->recorder()->sofar();
  const ReplayResult r = replay(sofar);
  EXPECT_EQ(r.ending, ReplayResult::Ending::Finished) << r.message;
  EXPECT_EQ(r.hash, stateHash(p.game->b, p.game->s));
  EXPECT_EQ(r.passes, 35000u);
  std::ofstream(p.dir + "/tallyho.txt", std::ios::binary) << kOtherParams;
  p.run(kSecondHalf);
  const ReplayResult whole = replay(p.end());
  EXPECT_EQ(whole.ending, ReplayResult::Ending::Finished) << whole.message;
  EXPECT_EQ(whole.hash, p.hash);
}

// One bit of a recorded value flipped: the replay stops at the first state check after it.
TEST(Replay, AnEditedValueIsCaughtAtTheNextCheck) {
  Played recorded;
  const std::string file = playBothHalves(recorded);
  const std::size_t built = file.find("0 press CDp(3)");  // a starting value shows once the system is built
  const struct {
    const char* what;
    const char* find;  // the value's last character is the one edited
  } edits[] = {
      {"a typed mass", " type TXTp(4) 0.0004"},
      {"a scrolled selection", " set Hcelest 12"},
      {"the seed in the starting state", "control TXran text=4242"},
      {"a clock reading", "\nclock 1 +1"},
      {"the parameters file as Load read it", "read tallyho.txt 1 120"},
  };
  for (const auto& edit : edits) {
    SCOPED_TRACE(edit.what);
    std::string edited = file;
    const std::string find = edit.find;
    std::size_t at = edited.find(find, find[0] == '\n' ? built : 0);
    ASSERT_NE(at, std::string::npos);
    at += find.size() - 1;
    ASSERT_TRUE(edited[at] >= '0' && edited[at] <= '9');
    edited[at] ^= 1;
    const auto upTo = edited.begin() + static_cast<long>(std::max(at, built));
    const int line = static_cast<int>(std::count(edited.begin(), upTo, '\n')) + 1;

    std::uint64_t nextCheck = 0;
    ReplayReader reader;
    ASSERT_TRUE(reader.open(edited));
    for (ReplayEvent e; reader.next(e);)
      if ((e.kind == ReplayEvent::Kind::Check || e.kind == ReplayEvent::Kind::End) && reader.line() > line) {
        nextCheck = e.pass;
        break;
      }
    const ReplayResult r = replay(edited);
    EXPECT_EQ(r.ending, ReplayResult::Ending::Diverged);
    EXPECT_EQ(r.message.rfind("diverged at pass " + std::to_string(nextCheck) + ": the state hash", 0), 0u)
        << r.message;
  }
}

// At its end a replay hands the game over: the status line says so, the clock runs on from the recorded
// one across midnight whatever the player's clock says, and files are read as they are.
TEST(Replay, AnEndedReplayHandsTheGameToThePlayer) {
  Played recorded;
  recorded.run("clock 2024-03-01 23:59:55\npress CDp(3)\nadvance 3000\npasses 4000\n");
  const std::string file = recorded.end();
  Replayer r;
  std::string error;
  ASSERT_TRUE(r.load(file, error)) << error;
  Played played(false, 8192, &r);
  Game& g = *played.game;
  ASSERT_TRUE(r.begin(g));
  ASSERT_EQ(r.run(g).ending, ReplayResult::Ending::Finished) << r.result().message;
  EXPECT_EQ(g.s.ElapsedSeconds, 3);
  g.clock.set(DateTime{2031, 7, 9, 8, 0, 0}, g.ui.now());
  r.handOver(g);
  EXPECT_EQ(g.c("Labill").caption(), "Replay ended at pass 4000, as recorded \u2014 the game is yours");
  played.run("advance 5000\n");
  EXPECT_EQ(g.s.ElapsedSeconds, 8);
  std::ofstream(played.dir + "/tallyho.txt", std::ios::binary) << kOtherParams;
  played.run("press Command8\n");
  EXPECT_EQ(g.c("TXplanets").text(), "40");
  EXPECT_EQ(g.c("TXspac").text(), "120");

  ReplayResult astray{ReplayResult::Ending::Diverged, "diverged at pass 7: the state hash is 1 where the recording has 2"};
  EXPECT_EQ(handOverText(astray),
            "Replay diverged at pass 7: the state hash is 1 where the recording has 2 \u2014 the game is yours");
  astray.ending = ReplayResult::Ending::CutOff, astray.message = "cut off";
  EXPECT_EQ(handOverText(astray), "Replay stopped: cut off \u2014 the game is yours");
}

// A save that finds a higher best in the file (another copy of the game wrote it) takes it; the recording
// notes that one read, so the replay takes it too. Saves that found none higher note nothing.
TEST(Replay, ABestTakenFromTheFileAtASaveReplays) {
  Played recorded;
  recorded.run("press CHran\npress CDp(3)\npasses 2000\npress CDsave\n");
  std::ofstream(recorded.dir + "/tallyho.txt", std::ios::binary)
      << "100,17,1,1000,1000,99999,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n";
  recorded.run("press CDsave\npasses 2000\npress CDsave\n");
  EXPECT_EQ(recorded.game->s.HighScore, 99999);
  const std::string file = recorded.end();
  const std::size_t at = file.find("\nread tallyho.txt:best 1 99999\n");
  ASSERT_NE(at, std::string::npos) << file;
  EXPECT_EQ(file.find("tallyho.txt:best", at + 10), std::string::npos);
  const ReplayResult r = replay(file);
  EXPECT_EQ(r.ending, ReplayResult::Ending::Finished) << r.message;
  EXPECT_EQ(r.hash, recorded.hash);
}

TEST(Replay, EarlierSystemsAreKeptAndEachReplays) {
  Played p;
  std::string script = "press CHran\n";
  for (int preset = 1; preset <= 6; ++preset) script += "press CDp(" + std::to_string(preset) + ")\npasses 300\n";
  p.run(script);
  const std::string last = p.end();
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(fs::exists(p.dir + "/replay-" + std::to_string(k) + ".qr"), k <= 4) << k;
  EXPECT_EQ(replay(last).ending, ReplayResult::Ending::Finished);
  EXPECT_EQ(replay(last).hash, p.hash);
  // The fifth system ended where the sixth began, with its end line.
  const ReplayResult fifth = replay(fileText(p.dir + "/replay-1.qr"));
  EXPECT_EQ(fifth.ending, ReplayResult::Ending::Finished) << fifth.message;
  EXPECT_EQ(fifth.passes, 300u);
}

TEST(Replay, ACutOffRecordingReplaysAsFarAsItGoes) {
  Played recorded(true, 2048);
  recorded.run("press CDp(2)\nadvance 2000\npasses 6000\npress Command5\nadvance 500\npress Command5\npasses 6000\n");
  const std::string file = recorded.end();
  const std::size_t events = file.find("\n0 check ");
  ASSERT_NE(events, std::string::npos);
  for (std::size_t cut = 0; cut < file.size(); cut += file.size() / 23) {
    const ReplayResult r = replay(file.substr(0, cut));
    if (cut <= events + 1) {
      // Within the head, which is written whole: no recording ever ends there, and nothing is replayed.
      EXPECT_NE(r.ending, ReplayResult::Ending::Finished) << cut;
      EXPECT_EQ(r.passes, 0u);
    } else {
      EXPECT_EQ(r.ending, ReplayResult::Ending::CutOff) << cut << ": " << r.message;
      EXPECT_LE(r.passes, 12000u);
    }
    EXPECT_FALSE(r.message.empty());
  }
}

TEST(Replay, AGameChangedByPutCannotBecomeAReplay) {
  const struct {
    const char* script;
    const char* complaint;  // empty: the replay is kept
  } cases[] = {
      {"press CDp(3)\npasses 10\nput Mass(5) 0.5\npasses 10\n", "'put Mass(5) 0.5'"},
      {"put Mass(5) 0.5\npress CDp(3)\npasses 10\n", ""},  // the new system starts from whatever state
      {"type TXplanets 20\n", "builds no system"},
  };
  for (const auto& c : cases) {
    Played p;
    p.run(c.script);
    const std::string kept = p.dir + "/kept.qr";
    std::ostringstream err;
    const int status = keepReplay(std::move(p.game), kept, err);
    if (*c.complaint) {
      EXPECT_EQ(status, 2) << c.script;
      EXPECT_NE(err.str().find(c.complaint), std::string::npos) << err.str();
      EXPECT_FALSE(fs::exists(kept));
    } else {
      EXPECT_EQ(status, 0) << err.str();
      EXPECT_EQ(replay(fileText(kept)).ending, ReplayResult::Ending::Finished);
    }
  }
}

// The writer's text reads back as the same head, events, clock changes and reads.
TEST(ReplayFile, ReadsBackWhatWasWritten) {
  ReplayHead head;
  head.program = "Quorl 9.9";
  head.timers = {"Tr", "TiK", "TimWheel"};
  head.startFile = "tallyho.txt";
  head.start = {true, "1,2\r\n"};
  head.values = {{"LastEvent", "a b\\c*=\x01"}, {"Focus", "7"}};
  head.rows = {{"Mass", 3, {"0.5", "0.5", "0.5", "", "1e-08"}}, {"LifeCount(2)", 9998, {"1", "2"}}};
  head.controls = {{"Labill", {{"caption", "Nova3\r"}, {"fore", "1,2,3"}}}};
  head.keep = {{"thrust", "500"}};
  ReplayWriter w(head);
  using K = ReplayEvent::Kind;
  std::vector<ReplayEvent> events;
  const auto write = [&](std::initializer_list<ReplayEvent> more) {
    for (const ReplayEvent& e : more) w.event(events.emplace_back(e));
  };
  const std::vector<ReplayReader::ClockChange> clock = {
      {0, {2024, 2, 29, 23, 59, 59}}, {3, {2024, 3, 1, 0, 0, 0}}, {4, {1999, 1, 1, 0, 0, 0}}};
  for (int i = 0; i < 3; ++i) w.clockReading(clock[0].value);
  write({{K::Check, 0, "", "", 0, 0xfedcba9876543210ull}, {K::Press, 0, "CDp(3)"}});
  w.clockReading(clock[1].value), w.clockReading(clock[2].value);
  write({{K::Tick, 5, "TiK"}, {K::Tick, 5, "Tr"}, {K::Tick, 9, "TiK"}});
  w.fileRead("tallyho.txt", {false, ""});
  write({{K::Tick, 13, "TiK"}, {K::Tick, 12000, "TiK"}, {K::Tick, 12000, "TimAfrica"}});
  write({{K::Type, 12000, "TXTp(4)", " 1 "}, {K::Set, 12001, "Hcelest", "", -3}, {K::Enter, 12001, "Text1"}});
  write({{K::Leave, 12001, "Text1"}, {K::Key, 12002, "", " "}, {K::Turn, 12002}});
  for (int i = 0; i < 4; ++i) {
    if (i) w.fileRead("tallyho.txt", {true, ""});
    write({{K::Tick, 12002, "Tr"}, {K::Tick, 12002, "TiK"}});
  }
  write({{K::End, 40000, "", "", 0, 1}});
  const std::string text = w.take();
  fuzz::ReadReplay read;
  std::string error;
  ASSERT_TRUE(fuzz::readAll(text, read, error)) << error << "\n" << text;
  EXPECT_EQ(read.head, head);
  EXPECT_EQ(read.events, events);
  ASSERT_EQ(read.clock.size(), clock.size());
  for (std::size_t i = 0; i < clock.size(); ++i) {
    EXPECT_EQ(read.clock[i].reading, clock[i].reading);
    EXPECT_EQ(read.clock[i].value, clock[i].value);
  }
  ASSERT_EQ(read.reads.size(), 4u);
  EXPECT_FALSE(read.reads[0].second.ok);
  EXPECT_NE(text.find("rows Mass 3 0.5*3 \\e 1e-08\n"), std::string::npos) << text;
  // A tick costs its letter and how far it lies from its timer's rhythm: nothing when on it.
  EXPECT_NE(text.find("\nB5AB4\nread tallyho.txt 0\nBB11983\n0 tick TimAfrica\n"), std::string::npos) << text;
  // A tick line like one of the last few costs a reference to it.
  EXPECT_NE(text.find("\nAB\nread tallyho.txt 1 \\e\n^1\n"), std::string::npos) << text;
}

TEST(ReplayFile, RefusesWhatNoRecordingHolds) {
  const std::string head = "quorl-replay 1\nprogram Quorl\ntimers A=Tr\nstart tallyho.txt 0\n";
  const struct {
    std::string text, why;
  } cases[] = {
      {"", "not a Quorl replay"},
      {"quorl-replay 2\n", "not a Quorl replay"},
      {"\177ELF\x02\x01", "not a Quorl replay"},
      {"quorl-replay 1\nprogram Quorl\ntimers\n0 turn\n", "lacks its 'start' line"},
      {head + "0 jump\n", "no event called 'jump'"},
      {head + "frobnicate 1\n", "no entry a replay holds"},
      {head + "B\n", "'B' stands for no timer"},
      {head + "5 turn\nA-3\n", "before the one ahead of it"},
      {head + "5 turn\nA-9\n", "beyond any count"},
      {head + "0 check 12345\n", "'check' with a value"},
      {head + "0 end 0000000000000000\n0 turn\n", "entries after the end"},
      {head + "clock 1 +1\n", "needs a clock before it"},
      {head + "clock 0 0000-12-31 23:59:59\n", "beyond the calendar"},
      {head + "0 turn\nvalue Focus 2\n", "belongs before the first event"},
      {head + "rows Mass 9999 1 2\n", "rows beyond 9999"},
      {head + "value LastEvent a\\q\n", "VALUE"},
      {head + "0 key ab\n", "'key' with a value"},
      {head + "99999999999999999999 turn\n", "no entry a replay holds"},
      {head + "4611686018427387904 turn\n1 turn\n", "line 5: 4611686018427387904 passes after the line before"},
      {std::string(kReplayMaxBytes + 1, '#'), "too large"},
      {head + "0 turn\n16777217 turn\n", "line 6: 16777217 passes after the line before, more than any recording"},
      {head + "A16777217\n", "line 5: 16777217 passes after the line before"},
  };
  for (const auto& c : cases) {
    ReplayReader r;
    bool ok = r.open(c.text);
    for (ReplayEvent e; ok && r.next(e);) {
    }
    EXPECT_NE(r.error().find(c.why), std::string::npos) << c.text.substr(0, 80) << " -> " << r.error();
    EXPECT_EQ(fuzz::checkReplayInput(c.text), "") << c.why;
  }
}

TEST(ReplayFile, TheLargestGapBetweenTwoLinesIsRead) {
  ReplayReader r;
  ASSERT_TRUE(r.open("quorl-replay 1\nprogram Quorl\ntimers A=Tr\nstart tallyho.txt 0\n16777216 turn\nA16777216\n"));
  ReplayEvent e;
  ASSERT_TRUE(r.next(e)) << r.error();
  ASSERT_TRUE(r.next(e)) << r.error();
  EXPECT_EQ(e.pass, 2 * kReplayMaxGap);
}

// The fuzzer's seed corpus, and a recording cut, spliced and bit-flipped a few thousand ways.
TEST(ReplayFile, SurvivesTheCorpusAndGeneratedInputs) {
  int seeds = 0;
  for (const auto& entry :
       fs::directory_iterator(fs::path(std::getenv("QUORL_SOURCE_DIR")) / "tests/fuzz/replay_corpus")) {
    EXPECT_EQ(fuzz::checkReplayInput(fileText(entry.path().string())), "") << entry.path();
    ++seeds;
  }
  EXPECT_GE(seeds, 5);
  Played recorded;
  recorded.run("press CDp(4)\nadvance 1200\npasses 9000\npress Command5\ntype TXTp(1) 12\npress Command5\n");
  const std::string file = recorded.end();
  std::mt19937 rng(17);
  int whole = 0;
  for (int n = 0; n < 3000; ++n) {
    std::string text = file;
    for (int e = 0; e < 1 + static_cast<int>(rng() % 3); ++e) {
      const std::size_t at = rng() % text.size();
      switch (rng() % 3) {
        case 0: text[at] = static_cast<char>(text[at] ^ (1 << (rng() % 8))); break;
        case 1: text.erase(at, rng() % 40); break;
        default: text.insert(at, file.substr(rng() % file.size(), rng() % 30)); break;
      }
    }
    ASSERT_EQ(fuzz::checkReplayInput(text), "") << text;
    fuzz::ReadReplay read;
    std::string error;
    whole += fuzz::readAll(text, read, error);
  }
  EXPECT_GT(whole, 100);  // the generator reaches both sides of the reader
  EXPECT_LT(whole, 2900);
}

}  // namespace
}  // namespace quorl
