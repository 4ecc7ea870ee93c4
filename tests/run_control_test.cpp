// Starting, pausing and resuming, and the animation of the seed and the preset buttons.
#include "app/run_control.h"

#include <gtest/gtest.h>

#include "app/help.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

constexpr Color kGlow = rgb(111, 222, 255);

class Run : public ::testing::Test {
 protected:
  Game& g() { return sc.g(); }
  Control& c(const std::string& name) { return sc.g().c(name); }
  // A small hand-made system: stars 1 and 2, planet 3, absent rows 4..6.
  void smallSystem(int preset) {
    SharedState& s = g().s;
    s.BodyCount = 6;
    s.AttractorLimit = 100;
    s.Speed = 1;
    s.MasterScale = 10;
    s.GravityExponent = 2;
    s.Preset = preset;
    for (int i = 0; i <= 6; ++i) g().b.Gone[i] = i >= 4 || i == 0;
    g().b.Mass[1] = 0.01, g().b.Mass[2] = 1.0, g().b.Mass[3] = 1e-5;
    g().b.PosX[3] = 2000;
  }
  Scenario sc;
};

TEST_F(Run, SeedCounterWrapsAfter32000AndNewTakesItsNextValue) {
  ASSERT_TRUE(c("Tr").timerRunning());
  EXPECT_EQ(c("Tr").interval(), 15);
  g().s.SeedTick = 31999;
  c("Tr").tick();
  EXPECT_EQ(c("TXran").text(), "32000");
  const double glow = g().s.PresetGlow;
  c("NewSeed").press();  // the same counter, by hand, without moving the lit preset
  EXPECT_EQ(g().s.PresetGlow, glow);
  EXPECT_EQ(g().s.SeedTick, -32000);
  EXPECT_EQ(c("TXran").text(), "-32000");
  EXPECT_EQ(g().s.SeedValue, -32000);
  c("Tr").tick();
  EXPECT_EQ(c("TXran").text(), "-31999");

  // After a preset press the seed stays, and the same preset builds the same system, until New.
  const auto build = [&] {
    c("CDp(3)").press();
    return std::pair{c("TXran").text(), g().b.PosX[7]};
  };
  build();  // the first press also draws what the first creation leaves to chance
  const auto first = build(), again = build();
  EXPECT_FALSE(c("Tr").timerRunning());
  EXPECT_EQ(again, first);
  c("NewSeed").press();
  const auto fresh = build();
  EXPECT_EQ(fresh.first, std::to_string(g().s.SeedTick));
  EXPECT_EQ(std::stoi(fresh.first), std::stoi(first.first) + 1);
  EXPECT_NE(fresh.second, first.second);
  EXPECT_EQ(c("NewSeed").caption() + " / " + c("NewSeed").toolTip(),
            "New / A fresh seed: the next preset press builds a new system");
}

TEST_F(Run, LitPresetWalksThenRests) {
  const Color reference = c("Command3").back();
  EXPECT_EQ(reference, rgb(255, 204, 153));
  g().s.PresetGlow = 0;
  c("Tr").tick();  // 0.1: CDp(1) lit, CDp(0) back to rest
  EXPECT_EQ(c("CDp(1)").back(), kGlow);
  EXPECT_EQ(c("CDp(0)").back(), reference);
  EXPECT_EQ(c("Labill").fore(), reference);
  for (int k = 0; k < 10; ++k) c("Tr").tick();  // 1.1: the light has moved on to CDp(2)
  EXPECT_EQ(c("CDp(2)").back(), kGlow);
  EXPECT_EQ(c("CDp(1)").back(), reference);
  for (int k = 0; k < 90; ++k) c("Tr").tick();  // past 10: resting, the status line glows
  EXPECT_GT(g().s.PresetGlow, 10);
  EXPECT_EQ(c("Labill").fore(), kGlow);
  int restart = 0;
  for (int k = 0; k < 120 && !restart; ++k) {
    c("Tr").tick();
    if (g().s.PresetGlow < 1) restart = k;
  }
  EXPECT_GT(restart, 90);  // back to the first button after about 20 / 0.1 ticks in all
  EXPECT_EQ(c("Labill").fore(), reference);
  EXPECT_EQ(c("CDp(1)").back(), kGlow);
}

TEST_F(Run, StartSetsColoursTimersAndStatusThenRunsTheLoop) {
  smallSystem(10);
  g().clock.set(DateTime{2024, 5, 6, 13, 7, 9}, g().ui.now());
  c("Text1").setText("2.5 apart");
  c("TXref").setText("4");
  c("CHacs").setChecked(true);
  c("Tiball").setEnabled(false);
  int pumps = 0;
  g().onPumpStart = [&] { ++pumps; };
  c("Command2").press();

  const BodyTable& b = g().b;
  EXPECT_EQ(rgb(b.ColorR[1], b.ColorG[1], b.ColorB[1]), rgb(255, 223, 0));
  EXPECT_EQ(rgb(b.ColorR[2], b.ColorG[2], b.ColorB[2]), rgb(255, 223, 128));
  for (int i = 4; i <= 6; ++i) {  // absent rows keep the start's grey (the sort colours present ones)
    EXPECT_GE(g().b.ColorR[i], 30);
    EXPECT_LE(g().b.ColorR[i], 79);
    EXPECT_EQ(g().b.ColorR[i], g().b.ColorB[i]);
  }
  EXPECT_TRUE(c("CHacs").visible());
  EXPECT_TRUE(c("TXref").visible());
  EXPECT_TRUE(c("Command4").visible());
  EXPECT_EQ(c("Command5").left(), 360);
  EXPECT_FALSE(c("Command2").visible());
  EXPECT_FALSE(c("CHran").visible());
  EXPECT_EQ(g().s.StartTime, "13:07:09");
  EXPECT_EQ(g().s.StartHour, 13);
  EXPECT_EQ(g().s.StartMinute, 7);
  EXPECT_EQ(g().s.StartSecond, 9);
  EXPECT_TRUE(c("TimerJo").enabled());
  EXPECT_TRUE(c("TiK").enabled());
  EXPECT_TRUE(c("TimWo").enabled());
  EXPECT_EQ(g().s.Proximity, 2.5);
  EXPECT_TRUE(c("Tiball").timerRunning());
  EXPECT_EQ(c("Tiball").interval(), 4000);
  EXPECT_EQ(c("Labill").caption(), "Nova10\rOveride: Only 1 single planet to start.");
  EXPECT_TRUE(g().loopRunning());
  EXPECT_EQ(pumps, 1);

  c("Command2").press();  // a second start while running does not start a second pump
  EXPECT_EQ(pumps, 1);
  EXPECT_TRUE(g().pumpTurn());
}

TEST_F(Run, StatusNamesThePresetWithoutTheSinglePlanetNote) {
  smallSystem(4);
  c("Command2").press();
  EXPECT_EQ(c("Labill").caption(), "Nova4");
}

TEST_F(Run, PauseStopsTheLoopAtTheEndOfItsPassAndResumeStartsItAgain) {
  smallSystem(3);
  int opened = 0, closed = 0;
  g().run->openEditor = [&] { ++opened; };
  g().run->closeEditor = [&] { ++closed; };
  c("Command2").press();
  ASSERT_TRUE(g().pumpTurn());
  EXPECT_EQ(c("Command5").caption(), "Pause");

  // The pause button as it looks while running, and lit while paused.
  const auto looks = [&](Color back, Color fore, bool bold, const char* tip) {
    const Control& button = c("Command5");
    EXPECT_EQ(button.back(), back);
    EXPECT_EQ(button.fore(), fore);
    EXPECT_EQ(button.fontBold(), bold);
    EXPECT_EQ(button.toolTip(), tip);
  };
  looks(rgb(255, 216, 128), rgb(0, 0, 0), false, "");
  c("Command5").press();
  looks(rgb(255, 110, 40), rgb(255, 255, 255), true, "Paused: press again to resume");
  EXPECT_EQ(g().s.PauseFlag, "bat");
  EXPECT_FALSE(c("TiK").enabled());
  EXPECT_EQ(opened, 1);
  const double x = g().b.PosX[3];
  // Pressed during the yield of the last pass: the loop returns without another pass.
  EXPECT_FALSE(g().pumpTurn());
  EXPECT_EQ(g().b.PosX[3], x);
  EXPECT_FALSE(g().loopRunning());
  EXPECT_FALSE(g().pumpTurn());

  c("Command5").press();
  looks(rgb(255, 216, 128), rgb(0, 0, 0), false, "");
  EXPECT_EQ(g().s.PauseFlag, "");
  EXPECT_TRUE(c("TiK").enabled());
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(g().loopRunning());
  EXPECT_TRUE(g().pumpTurn());
}

TEST_F(Run, WebButtonAsksTheWindowForTheBrowserAndIgnoresFailures) {
  c("Command3").press();  // no browser headless: nothing happens
  std::string asked;
  g().run->openBrowser = [&](const std::string& url) {
    asked = url;
    throw std::runtime_error("no browser");
    return false;
  };
  const std::string before = c("Labill").caption();
  c("Command3").press();
  EXPECT_EQ(asked, productPage());
  EXPECT_EQ(c("Labill").caption(), before);
}

}  // namespace
}  // namespace quorl
