// The clock tick: running time across midnight and days, the score of the selected world, the best
// scores and the all-time best that the parameters file keeps.
#include "app/clock_score.h"

#include <gtest/gtest.h>

#include "io/folder.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

struct Clock : ::testing::Test {
  testing::Scenario sc;
  Game& g = sc.g();
  SharedState& s = g.s;

  // A system created and started at `start` whose selected body 5 is present, 20 bodies living; the clock
  // then reads `now`.
  void startedAt(const std::string& start, const std::string& now) {
    testing::emptyTable(g, 20);
    testing::place(g, 5, 100, 0, 0, 0, 0, 0, 0.001);
    s.Focus = 5;
    s.LiveCount = 20;
    DateTime t, n;
    ASSERT_TRUE(parseDateTime(start, t) && parseDateTime(now, n));
    s.CreatedAt = t;
    startClock(s, t);
    g.clock.set(n, g.ui.now());
    g.c("TimerJo").setEnabled(true);
  }
  void tick() { g.c("TimerJo").tick(); }
  std::string caption(const char* name) { return g.c(name).caption(); }
};

TEST_F(Clock, RunningTimeCountsAcrossMidnightAndDays) {
  struct Case {
    const char *start, *now;
    int elapsed, days, warmUp;
  } cases[] = {
      {"2024-03-01 10:00:00", "2024-03-01 10:00:01", 1, 0, 0},
      {"2024-03-01 10:00:00", "2024-03-01 10:00:02", 2, 0, 2},
      {"2024-03-01 23:59:50", "2024-03-02 00:00:10", 20, 1, 2},
      {"2024-03-01 10:00:00", "2024-03-04 09:00:00", 3 * 86400 - 3600, 3, 2},
      {"2024-02-28 12:00:00", "2024-03-01 12:00:05", 2 * 86400 + 5, 2, 2},  // a leap day between
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.now);
    startedAt(c.start, c.now);
    tick();
    EXPECT_EQ(s.ElapsedSeconds, c.elapsed);
    EXPECT_EQ(s.DaysRunning, c.days);
    EXPECT_EQ(s.WarmUpDone, c.warmUp);
    EXPECT_EQ(caption("LabvirT"), std::to_string(c.elapsed));
  }
  s.StartTime.clear();  // nothing is timed before a start
  g.clock.set(DateTime{2024, 3, 1, 13, 0, 0}, g.ui.now());
  tick();
  EXPECT_EQ(s.NowTime, "12:00:05");
}

TEST_F(Clock, ScoreOfTheSelectedWorld) {
  struct Case {
    const char* what;
    int focusClass, orbits, lifeTotal5, celestials, gone, score, celestialsAfter;
    const char* lalif;
  } cases[] = {
      // 20 bodies for 50 s give a base of 10; the classes 2, 3, 4 counted 3, 2, 1 give 8.
      {"no class factor", 0, 0, 0, 0, 0, 18, 0, "0.8"},
      {"class 2 triples", 2, 0, 0, 0, 0, 34, 0, "2.4"},
      {"class 4 seven times", 4, 0, 0, 0, 0, 66, 0, "5.6"},
      {"class 3 ten times, two orbits", 3, 2, 0, 0, 0, 250, 0, "8"},
      {"Celestials in the system", 0, 1, 40, 0, 0, 106, 0, "40.8"},
      {"Celestials on the world", 0, 0, 0, 7, 0, 70018, 7, "0.8"},
      {"at most 100 count", 0, 0, 0, 250, 0, 1000018, 100, "0.8"},
      {"a gone world scores 0", 0, 0, 0, 7, 1, 0, 7, "0.8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    startedAt("2024-03-01 10:00:00", "2024-03-01 10:00:50");
    s.ClassCount[2] = 3, s.ClassCount[3] = 2, s.ClassCount[4] = 1;
    s.FocusClass = c.focusClass;
    s.Orbits = c.orbits;
    s.LifeTotals[5] = c.lifeTotal5;
    g.b.LifeCount[5][5] = c.celestials;
    g.b.Gone[5] = static_cast<std::int16_t>(c.gone);
    s.Score = 0;
    s.HighScore = 2000000;
    tick();
    EXPECT_EQ(caption("Labrat"), std::to_string(c.score));
    EXPECT_EQ(s.Score, c.score);
    EXPECT_EQ(g.b.LifeCount[5][5], c.celestialsAfter);
    EXPECT_EQ(caption("Lalif"), c.lalif);
    EXPECT_EQ(g.c("Labrat").fore() == rgb(255, 0, 0), c.celestials > 0);
    EXPECT_EQ(caption("Laorb"), std::to_string(c.orbits));
    EXPECT_EQ(g.c("TxStable").text(), std::to_string(c.orbits));
  }
}

TEST_F(Clock, ANewBestRewritesTheFileAtOnceWithThePanelAsItIsNowAndSurvivesARestart) {
  const std::string path = sc.dir + "/tallyho.txt";
  std::string text;
  startedAt("2024-03-01 10:00:00", "2024-03-01 10:01:40");  // 20 bodies for 100 s: 20
  s.HighScore = 20;
  sc.run("type TXplanets 42\nleave TXplanets\n");
  tick();
  ASSERT_TRUE(readFile(path, text));
  EXPECT_EQ(text, "100,17,1,1000,1000,0,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n");  // equal: no new best
  EXPECT_EQ(caption("LabHi"), "20");
  s.LiveCount = 21;
  tick();
  ASSERT_TRUE(readFile(path, text));
  EXPECT_EQ(text, "100,42,1,1000,1000,21,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n");
  EXPECT_EQ(caption("LabAllhi"), "21");
  g.b.Gone[5] = 1;  // a world gone scores 0 and leaves the best scores
  tick();
  EXPECT_EQ(caption("Labrat"), "0");
  EXPECT_EQ(s.Score, 21);

  Game again(GameOptions{sc.dir, {}});
  EXPECT_EQ(again.s.HighScore, 21);
  EXPECT_EQ(again.c("LabAllhi").caption(), "21");
}

// The class bonus of a large system: 16 bits held it up to 1638 Super earths, 32 bits hold any table.
TEST_F(Clock, TheClassBonusOfALargeSystemFits) {
  const struct {
    int class2, class3, class4, focusClass, bonus;
  } cases[] = {{0, 1639, 0, 3, 32780}, {3300, 3300, 3398, 3, 132980}, {0, 9998, 0, 3, 199960}, {0, 0, 9998, 4, 69986}};
  for (const auto& c : cases) {
    startedAt("2024-03-01 10:00:00", "2024-03-01 10:00:00");
    s.ClassCount[2] = c.class2, s.ClassCount[3] = c.class3, s.ClassCount[4] = c.class4;
    s.FocusClass = c.focusClass;
    s.Score = 0;
    tick();
    EXPECT_EQ(s.ClassBonus, c.bonus);
    EXPECT_EQ(s.Score, c.bonus);
  }
}

// A value that leaves its 32-bit range stops the tick; nothing wraps, and the status line says so once
// for the system, not at every tick.
TEST_F(Clock, OverflowsAreReportedOnceASystem) {
  struct Case {
    const char* created;
    int liveCount, orbits;
  } cases[] = {
      {"2024-03-01 10:00:00", 30000, 0},       // live bodies times seconds
      {"2024-03-01 10:00:00", 0, 2147483647},  // orbits plus one
      {"1900-01-01 10:00:00", 0, 0},           // days of running in seconds
  };
  const std::string told = "Overflow: a 32-bit counter left its range\rThe score stands still while it does not fit";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.created);
    ASSERT_EQ(sc.run("press CDp(10)\n"), "");  // a new system, which is told again
    startedAt(c.created, "2024-03-02 10:00:00");
    s.LiveCount = c.liveCount;
    s.ClassCount[3] = 1;
    s.Orbits = c.orbits;
    s.Score = 7;
    g.status("");
    tick();
    EXPECT_EQ(caption("Labill"), told);
    EXPECT_EQ(s.Score, 7);
    g.status("Nova3");
    tick();
    EXPECT_EQ(caption("Labill"), "Nova3");
    EXPECT_EQ(s.Score, 7);
  }
}

}  // namespace
}  // namespace quorl
