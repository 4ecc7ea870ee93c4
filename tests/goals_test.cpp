// Goals: the record reads back what it wrote and keeps what it cannot place; the very first run opens the
// panel; a craft, not a world, carries life to a second world; and watching changes nothing of the game.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "app/goals_panel.h"
#include "cli/driver.h"
#include "sim/fields.h"
#include "sim/main_loop.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

TEST(Goals, TheRecordReadsBackAndKeepsWhatItCannotPlace) {
  struct Case {
    const char* text;
    bool whole;
    const char* record;  // as written back
  };
  const Case cases[] = {
      {"", true, ""},
      {"system 1.5 300\r\nnova 0 7\n", true, "system 1.5 300\nnova 0 7\n"},
      // A milestone of a newer program is kept as it was, after the known ones.
      {"wormhole 2 40\nair 3.25 9000\n", true, "air 3.25 9000\nwormhole 2 40\n"},
      // Lines that do not read are dropped: a negative time, a signed count, a word too many, no count.
      {"air -1 5\nwater 1 -5\nlife 1 5 x\nbest 1\nAir 1 5\nselected 0.001 18446744073709551615\n", false,
       "selected 0.001 18446744073709551615\n"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    Goals goals;
    goals.reach(kGoalBest, 9, 9);  // a restore starts from a fresh list
    EXPECT_EQ(goals.restore(k.text), k.whole);
    EXPECT_EQ(goals.record(), k.record);
  }
  Goals goals;
  goals.restore("air 3.25 9000\n");
  EXPECT_TRUE(goals.mark(kGoalAir).earlier);
  EXPECT_EQ(goals.mark(kGoalAir).passes, 9000u);
  EXPECT_FALSE(goals.reach(kGoalAir, 5, 5));  // reached once, kept
  EXPECT_EQ(goals.mark(kGoalAir).seconds, 3.25);
  EXPECT_EQ(goals.count(), 1);
  for (int i = 0; i < kGoalCount; ++i) EXPECT_EQ(milestoneIndex(milestones()[i].id), i);
}

TEST(Goals, OnlyTheFirstRunOpensThePanel) {
  for (const std::optional<std::string>& record : {std::optional<std::string>(), std::optional<std::string>("")}) {
    testing::Scenario sc;
    sc.g().goals->load(record);
    EXPECT_EQ(sc.g().c("FraGoals").visible(), !record);
  }
}

TEST(Goals, ACraftCarriesLifeToASecondWorldAWorldDoesNot) {
  // Bodies fuse into world 3, one a pass: a world with life it has not, a craft with life it has already,
  // then a craft with a kind it has not.
  struct Case {
    int body, craftCode, kind;
    bool carried;
  };
  const Case cases[] = {{4, 0, 2, false}, {5, 31, 2, false}, {6, 41, 4, true}};
  testing::Scenario sc;
  Game& g = sc.g();
  testing::emptyTable(g, 6);
  testing::place(g, 3, 100, 0, 0, 0, 0, 0, 1e-4);
  for (const Case& k : cases) {
    testing::place(g, k.body, g.b.PosX[3] + 0.01, g.b.PosY[3], g.b.PosZ[3], 0, 0, 0, 1e-21);
    g.b.CraftCode[k.body] = k.craftCode;
    g.b.LifeCount[k.kind][k.body] = 1;
    g.ui.fire([&] { g.loop->pass(); });
    EXPECT_EQ(g.b.Gone[k.body], 1) << k.body;
    EXPECT_EQ(g.goals->goals().reached(kGoalCarried), k.carried) << k.body;
  }
}

// A game played with the goals watched and pressed, and the same game without them.
struct Played {
  std::string dir = testing::tempDir();
  std::unique_ptr<Game> game;
  explicit Played(const std::string& script) {
    GameOptions o;
    o.dir = dir;
    o.record.on = true;
    game = std::make_unique<Game>(o);
    std::istringstream in(script);
    std::ostringstream out, err;
    EXPECT_EQ(runScript(*game, in, out, err), 0) << err.str();
  }
  ~Played() {
    game.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

TEST(Goals, WatchingChangesNothingOfTheGame) {
  const std::string play = "type TXran 777\npress CDp(3)\npasses 3000\nadvance 4000\npress CmdMars(1)\n";
  const std::string goals =
      "press CmdGoals\npress CmdGoalsReset\npress CmdGoalsReset\npress CmdGoalsClose\npress CmdGoals\n";
  const std::string clock = "clock 2026-01-01 10:00:00\n";  // the same times of day in both
  Played plain(clock + play + play), watched(clock + goals + play + goals + play + "press CmdGoalsClose\n");
  EXPECT_GE(watched.game->goals->goals().count(), 3);
  EXPECT_EQ(stateHash(plain.game->b, plain.game->s), stateHash(watched.game->b, watched.game->s));
  EXPECT_EQ(plain.game->random, watched.game->random);
  EXPECT_EQ(plain.game->c("Labill").caption(), watched.game->c("Labill").caption());
  plain.game.reset();
  watched.game.reset();
  for (const char* file : {"events.txt", "tallyho.txt", "replay.qr", "replay-1.qr"})
    EXPECT_EQ(testing::fileText(plain.dir + "/" + file), testing::fileText(watched.dir + "/" + file)) << file;
}

}  // namespace
}  // namespace quorl
