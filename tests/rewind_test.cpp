// Rewind and the autosave through the game and the driver: a moment reached by going back is the recorded
// one and plays on to the recorded future; a branch keeps the abandoned future as a replay of its own; a
// saved game continues after a restart to the same state as never having stopped; a damaged saved game is
// refused; going back never touches the best score on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <sstream>

#include "app/autosave.h"
#include "app/recorder.h"
#include "app/replayer.h"
#include "app/rewind.h"
#include "app/timeline.h"
#include "cli/driver.h"
#include "io/folder.h"
#include "io/params_file.h"
#include "sim/fields.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

namespace fs = std::filesystem;
using testing::fileText;

// A recording game with rewind in a folder of its own (shared by a second game, for a restart).
struct Session {
  std::string dir;
  std::unique_ptr<Game> game;
  explicit Session(std::string folder = testing::tempDir(), std::int64_t mostWorkNs = RewindOptions{}.mostWorkNs)
      : dir(std::move(folder)) {
    GameOptions o;
    o.dir = dir;
    o.record.on = true;
    o.record.checkEvery = 4096;
    o.rewind.on = true;
    o.rewind.mostWorkNs = mostWorkNs;
    game = std::make_unique<Game>(o);
  }
  Game& g() { return *game; }
  std::string run(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    EXPECT_EQ(runScript(*game, in, out, err), 0) << err.str();
    return out.str();
  }
  std::uint64_t hash() { return stateHash(game->b, game->s); }
};

struct Folder {
  std::string dir = testing::tempDir();
  ~Folder() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

// The state a recording reaches at a pass, replayed from its start.
ReplayResult replayTo(const std::string& file, std::uint64_t pass) {
  Replayer r;
  std::string error;
  EXPECT_TRUE(r.loadFile(file, error)) << error;
  Folder f;
  GameOptions o;
  o.dir = f.dir;
  o.outside = &r;
  Game g(o);
  if (r.begin(g)) r.runTo(g, pass);
  return r.result();
}

ReplayResult replayAll(const std::string& file) { return replayTo(file, ~std::uint64_t{0} >> 2); }

// Inputs along the way: a press, the focus bar, a typed mass in a paused system, timers in virtual time.
const char* kStart = "clock 2024-03-01 23:59:40\ntype TXran 4242\ntype TXplanets 40\nleave TXplanets\npress CDp(3)\n";
const char* kPlay = R"(advance 1500
passes 15000
press Command66
set Hcelest 12
advance 700
passes 9000
press Command5
type TXTp(4) 0.0004
leave TXTp(4)
press Command5
passes 6000
)";

TEST(Rewind, AMomentGoneBackToIsTheRecordedOneAndPlaysOnToTheRecordedFuture) {
  Folder f;
  std::uint64_t end = 0;
  std::string recorded = f.dir + "/played.qr";
  {
    Session s(f.dir);
    s.run(std::string(kStart) + kPlay);
    end = s.hash();
    s.game.reset();
    fs::copy_file(f.dir + "/replay.qr", recorded);
  }
  // Passes where a snapshot lies, between two, at the system's start, and just before the end.
  for (const std::uint64_t pass : {0ull, 5000ull, 12345ull, 15000ull, 24000ull, 29999ull}) {
    Session s;
    s.run(std::string(kStart) + kPlay + "rewind " + std::to_string(pass) + "\n");
    const ReplayResult want = replayTo(recorded, pass);
    ASSERT_EQ(want.ending, ReplayResult::Ending::Playing) << pass << ": " << want.message;
    EXPECT_EQ(s.hash(), want.hash) << "at pass " << pass;
    EXPECT_EQ(s.g().s.Score.get(), want.score) << pass;
  }
  // Played on with the same inputs from a moment inside the first stretch, the game ends where it did.
  Session s;
  const std::string afterFirstStretch = std::string(kPlay).substr(std::string(kPlay).find("press Command66"));
  s.run(std::string(kStart) + kPlay + "rewind 9000\npasses 6000\n" + afterFirstStretch);
  EXPECT_EQ(s.hash(), end);
}

TEST(Rewind, ABranchKeepsTheAbandonedFutureAsAReplayOfItsOwn) {
  Session s;
  s.run(std::string(kStart) + kPlay);
  const std::uint64_t future = s.hash();
  s.run("rewind 20000\n");
  const ReplayResult first = replayAll(s.dir + "/replay-branch-1.qr");
  EXPECT_EQ(first.ending, ReplayResult::Ending::Finished) << first.message;
  EXPECT_EQ(first.passes, 30000u);
  EXPECT_EQ(first.hash, future);
  s.run("passes 3000\n");
  const std::uint64_t branched = s.hash();
  // Three rewinds more: three branches kept, the latest first, the first one gone.
  s.run("rewind 21000\nrewind 20500\nrewind 20000\n");
  const std::string dir = s.dir;
  s.game.reset();
  EXPECT_FALSE(fs::exists(dir + "/replay-branch-4.qr"));
  const ReplayResult old = replayAll(dir + "/replay-branch-3.qr");
  EXPECT_EQ(old.ending, ReplayResult::Ending::Finished) << old.message;
  EXPECT_EQ(old.passes, 23000u);
  EXPECT_EQ(old.hash, branched);
  EXPECT_EQ(replayAll(dir + "/replay-branch-1.qr").passes, 20500u);
  // replay.qr went on from the last branch point, the same system up to there, and ended there.
  const ReplayResult now = replayAll(dir + "/replay.qr");
  EXPECT_EQ(now.ending, ReplayResult::Ending::Finished) << now.message;
  EXPECT_EQ(now.passes, 20000u);
  EXPECT_EQ(now.hash, replayTo(dir + "/replay-branch-3.qr", 20000).hash);
  fs::remove_all(dir);
}

TEST(Rewind, BackTenSecondsAndTheTimelineFollowPlay) {
  // Snapshots by seconds of play alone, however long the passes take on this machine.
  Session s(testing::tempDir(), std::numeric_limits<std::int64_t>::max());
  s.run(std::string(kStart) + "passes 100000\n");  // 20 s of play at the pace's 5,000 a second
  Rewind& rw = *s.g().rewind();
  EXPECT_NEAR(rw.playMs(), 20000, 50);  // counted at each look, every 250 passes
  EXPECT_NEAR(static_cast<double>(rw.passAt(10000)), 50000, 250);
  EXPECT_EQ(s.g().timeline->c.LabPlay->caption(), "0:19");
  s.run("press CmdBack\n");
  EXPECT_NEAR(static_cast<double>(s.g().recorder()->position().pass), 50000, 500);
  EXPECT_NEAR(rw.playMs(), 10000, 100);
  // A snapshot a second of play up to the branch point; none of the abandoned future.
  EXPECT_GE(rw.count(), 10u);
  EXPECT_LE(rw.count(), 12u);
  fs::remove_all(s.dir);
}

TEST(Rewind, SnapshotsThinWithAgeAndBackCountsFromTheMomentShown) {
  Session s(testing::tempDir(), std::numeric_limits<std::int64_t>::max());
  s.run(std::string(kStart) + "passes 650000\n");  // 130 s of play
  Rewind& rw = *s.g().rewind();
  // One a second for the last minute, one every ten seconds for the seventy before it.
  EXPECT_GE(rw.count(), 64u);
  EXPECT_LE(rw.count(), 70u);
  // Back from a moment shown goes ten seconds before it, not before the end.
  std::string why;
  ASSERT_TRUE(rw.seek(rw.passAt(100'000), why)) << why;
  s.run("press CmdBack\n");
  EXPECT_NEAR(static_cast<double>(s.g().recorder()->position().pass), static_cast<double>(rw.passAt(90'000)), 500);
  fs::remove_all(s.dir);
}

TEST(Autosave, ARestartContinuesToTheSameStateAsPlayingOn) {
  Folder f;
  std::uint64_t straight = 0;
  {
    Session s(f.dir);
    s.run(std::string(kStart) + kPlay);
    std::string why;
    ASSERT_TRUE(writeAutosave(s.g(), why)) << why;
    s.run(kPlay);
    straight = s.hash();
  }
  Session again(f.dir);
  offerSavedGame(again.g());
  ASSERT_TRUE(again.g().timeline->c.CmdContinue->visible());
  again.run("clock 2024-03-01 23:59:40\npress CmdContinue\n");  // the same wall clock as the first run's
  EXPECT_TRUE(again.g().rewind()->holding());  // paused where it was left ...
  EXPECT_NE(again.g().window.Labill->caption().find("Continued: the game saved "), std::string::npos);
  again.run("passes 10\n");
  EXPECT_EQ(again.g().rewind()->shownPass(), 30000u);  // ... taking no input
  again.run("press PicTimeline\n");  // ... until the player lets go
  again.run(kPlay);
  EXPECT_EQ(again.hash(), straight);
  again.game.reset();
  const ReplayResult r = replayAll(f.dir + "/replay.qr");
  EXPECT_EQ(r.ending, ReplayResult::Ending::Finished) << r.message;
  EXPECT_EQ(r.hash, straight);
}

TEST(Autosave, ADamagedOrForeignFileIsRefusedAndKeptAside) {
  Folder f;
  std::string good;
  {
    Session s(f.dir);
    s.run(std::string(kStart) + "passes 2000\n");
    std::string why;
    ASSERT_TRUE(writeAutosave(s.g(), why)) << why;
    good = fileText(f.dir + "/autosave.qs");
  }
  std::string flipped = good, flippedText = good;
  flipped[flipped.size() / 2] ^= 0x10;
  // A byte of the recording it carries: text no later check reads, so only the file's checksum finds it.
  const std::size_t text = good.find(fileText(f.dir + "/replay.qr").substr(0, 40));
  ASSERT_NE(text, std::string::npos);
  flippedText[text + 20] ^= 0x01;
  const struct {
    const char* what;
    std::string bytes;
    const char* why;
  } cases[] = {
      {"cut", good.substr(0, good.size() - 9), "damaged"},
      {"cut to its first line", good.substr(0, 17), "cut short"},
      {"flipped byte", flipped, "damaged"},
      {"flipped byte in its recording", flippedText, "checksum"},
      {"a replay", fileText(f.dir + "/replay.qr"), "no saved game"},
      {"empty", "", "no saved game"},
  };
  for (const auto& c : cases) {
    std::string error;
    ASSERT_TRUE(writeFileWhole(f.dir + "/autosave.qs", c.bytes, error)) << error;
    Session s(f.dir);
    Autosave a;
    std::string why;
    EXPECT_FALSE(readAutosave(f.dir + "/autosave.qs", s.g(), a, why)) << c.what;
    EXPECT_NE(why.find(c.why), std::string::npos) << c.what << ": " << why;
    offerSavedGame(s.g());
    EXPECT_FALSE(s.g().timeline->c.CmdContinue->visible()) << c.what;
    EXPECT_NE(s.g().window.Labill->caption().find("The saved game cannot be continued"), std::string::npos);
    EXPECT_EQ(fileText(f.dir + "/autosave.qs.bad"), c.bytes) << c.what;
    EXPECT_FALSE(fs::exists(f.dir + "/autosave.qs"));
  }
}

TEST(Rewind, GoingBackNeverChangesTheBestOnDisk) {
  Session s;
  s.run(std::string(kStart) + "advance 30000\npasses 20000\nadvance 30000\n");
  std::int32_t best = 0;
  ASSERT_TRUE(parseParamsBest(fileText(s.dir + "/tallyho.txt"), best));
  ASSERT_GT(best, 0);
  const std::string before = fileText(s.dir + "/tallyho.txt");
  s.run("rewind 0\n");
  EXPECT_LT(s.g().s.Score.get(), best);
  EXPECT_EQ(fileText(s.dir + "/tallyho.txt"), before);
  // Played on, the first save finds the higher best on disk and keeps it.
  s.run("advance 30000\npasses 20000\nadvance 30000\npress CDsave\n");
  std::int32_t after = 0;
  ASSERT_TRUE(parseParamsBest(fileText(s.dir + "/tallyho.txt"), after));
  EXPECT_GE(after, best);
  EXPECT_GE(s.g().s.HighScore.get(), best);
  fs::remove_all(s.dir);
}

}  // namespace
}  // namespace quorl
