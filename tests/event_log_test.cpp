// events.txt: headers of a new system, appended events, and failures that never stop the game.
#include "io/event_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "io/folder.h"
#include "tests/scenario.h"

using namespace quorl;

namespace {

std::string logText(Game& g) { return quorl::testing::fileText(g.folder.path("events.txt")); }

}  // namespace

TEST(EventLog, TwoCreationsLeaveOnlyTheSecondsHeader) {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  g.c("TXplanets").setText("9");
  g.clock.set(DateTime{2024, 3, 5, 14, 5, 9}, g.ui.now());
  g.c("CDp", 3).press();
  g.clock.set(DateTime{2024, 12, 31, 9, 0, 1}, g.ui.now());
  g.c("TXplanets").setText("21");
  g.c("CDp", 5).press();
  EXPECT_EQ(logText(g), "Nova5... Planets=21\r\n09:00:012024-12-31\r\n");
}

TEST(EventLog, EventsAreAppendedWithTheTimeOfDay) {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  g.clock.set(DateTime{2024, 3, 5, 14, 5, 9}, g.ui.now());
  g.log->StartLog(3, "9");
  g.s.LastEvent = "Mars impacts Venus";
  g.log->AppendEvent();
  g.clock.set(DateTime{2024, 3, 6, 0, 0, 0}, g.ui.now());
  g.s.LastEvent = "Big Rock impacts Sol ar";
  g.log->AppendEvent();
  EXPECT_EQ(
      logText(g),
      "Nova3... Planets=9\r\n14:05:092024-03-05\r\n14:05:09Mars impacts Venus\r\n00:00:00Big Rock impacts Sol ar\r\n");
  EXPECT_TRUE(g.log->lastError().empty());
}

TEST(EventLog, AFileRemovedOrReplacedDuringTheGameIsWrittenAgainByItsName) {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  g.clock.set(DateTime{2024, 3, 5, 7, 8, 9}, g.ui.now());
  const std::string path = g.folder.path("events.txt");
  g.s.LastEvent = "first";
  g.log->AppendEvent();
  std::filesystem::remove(path);
  g.s.LastEvent = "second";
  g.log->AppendEvent();
  EXPECT_EQ(logText(g), "07:08:09second\r\n");
  std::string err;
  ASSERT_TRUE(writeFileWhole(path, "kept\r\n", err)) << err;  // a rename over the open file
  g.s.LastEvent = "third";
  g.log->AppendEvent();
  EXPECT_EQ(logText(g), "kept\r\n07:08:09third\r\n");
  EXPECT_TRUE(g.log->lastError().empty());
}

TEST(EventLog, AnEventBeforeAnySystemStartsTheFile) {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  g.clock.set(DateTime{2024, 3, 5, 7, 8, 9}, g.ui.now());
  g.s.LastEvent = "first";
  g.log->AppendEvent();
  EXPECT_EQ(logText(g), "07:08:09first\r\n");
}

// A system whose file cannot be started has no history: the status line says so once, and none of its lines
// go anywhere until the next system's file starts.
TEST(EventLog, AFileThatCannotBeStartedTurnsTheHistoryOffForThatSystemAndTheGameGoesOn) {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  const std::string path = g.folder.path("events.txt");
  std::filesystem::create_directory(path);  // a folder where the file should be

  g.c("CDp", 3).press();
  EXPECT_EQ(g.s.Preset, 3);  // the system was built all the same
  EXPECT_GT(g.s.BodyCount, 2);
  EXPECT_EQ(g.log->lastError(),
            "Could not create " + path + ": Is a directory; the history of this system is not kept");
  EXPECT_NE(g.c("Labill").caption().find(g.log->lastError()), std::string::npos) << g.c("Labill").caption();

  g.status("Mars impacts Venus");
  g.s.LastEvent = "Mars impacts Venus";
  g.log->AppendEvent();
  g.log->hold();
  g.log->AppendEvent();
  g.log->release();
  EXPECT_EQ(g.c("Labill").caption(), "Mars impacts Venus");  // said once, at the start
  EXPECT_TRUE(std::filesystem::is_empty(path));

  std::filesystem::remove(path);
  g.clock.set(DateTime{2024, 3, 5, 7, 8, 9}, g.ui.now());
  g.c("TXplanets").setText("9");
  g.c("CDp", 4).press();
  g.log->AppendEvent();
  EXPECT_EQ(logText(g), "Nova4... Planets=9\r\n07:08:092024-03-05\r\n07:08:09Mars impacts Venus\r\n");
}

TEST(EventLog, HeldLinesGoOutTogetherAtTheLastReleaseAndANewSystemDropsThem) {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  g.clock.set(DateTime{2024, 3, 5, 7, 8, 9}, g.ui.now());
  g.log->hold();
  g.log->hold();
  for (const char* e : {"one", "two"}) g.s.LastEvent = e, g.log->AppendEvent();
  g.log->release();
  EXPECT_EQ(logText(g), "");  // still held once
  g.log->release();
  EXPECT_EQ(logText(g), "07:08:09one\r\n07:08:09two\r\n");

  g.log->hold();
  g.s.LastEvent = "old system";
  g.log->AppendEvent();
  g.log->StartLog(4, "9");
  g.log->release();
  EXPECT_EQ(logText(g), "Nova4... Planets=9\r\n07:08:092024-03-05\r\n");
}

TEST(EventLog, EveryImpactOfAPassIsInTheFileWhenThePassReturns) {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  g.c("TXplanets").setText("400");
  g.c("CDp", 3).press();
  int impacts = 0;
  for (int pass = 0; pass < 400 && impacts < 20; ++pass) {
    g.pumpTurn();
    impacts = 0;
    for (int i = 0; i <= g.s.BodyCount; ++i) impacts += g.b.ImpactCount[i];
    const std::string text = logText(g);
    int lines = 0;
    for (std::size_t at = 0; (at = text.find(" impacts ", at)) != std::string::npos; ++at) ++lines;
    ASSERT_EQ(lines, impacts) << "after pass " << pass;
  }
  EXPECT_GE(impacts, 20);
}
