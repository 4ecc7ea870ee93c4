// The biosphere tick: atmosphere, water and life of the selected world, the tally of the system, the
// launch panel it keeps, and the run tick.
#include "events/biosphere.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "io/folder.h"
#include "sim/numbers.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;
using Op = RecordingCanvas::Op;

constexpr int S = 7;  // the selected world

// A star at the origin and lifeless worlds 3..60, nowhere near it; world S is selected.
struct Life : ::testing::Test {
  Scenario sc{true};
  Game& g = sc.g();
  BodyTable& b = g.b;
  Life() {
    testing::emptyTable(g, 60);
    for (int i = 2; i <= 60; ++i) testing::place(g, i, 5000.0 * (i != 2), 0, 0, 0, 0, 0, 1e-6);
    g.s.Focus = S;
  }
  void world(int i, int cls, double distance = 5000) {
    b.PlanetClass[i] = static_cast<std::int16_t>(cls);
    b.PosX[i] = distance;
  }
  void kinds(int i, std::vector<int> ks, int amount = 5) {
    for (int k : ks) b.LifeCount[k][i] = amount;
  }
  void tick() { g.c("TimWheel").tick(); }
  std::string caption(const std::string& name) { return g.c(name).caption(); }
};

TEST_F(Life, AirGrowsWithOrbitsNeverFallsAndEachClassGrowsItsKindAboveIt) {
  const struct {
    int cls, orbits;
    double air, low, high;    // before the tick, and the range it may reach by a random step
    int kind, before, count;  // a counter already above the atmosphere keeps its value
  } cases[] = {
      {0, 10, 0, 20, 21, 0, 0, 0},    {0, 1, 0, 2, 3, 0, 0, 0},       {0, 99, 0, 198, 199, 0, 0, 0},
      {0, 100, 0, 250, 250, 0, 0, 0}, {0, 10, 30, 30, 30, 0, 0, 0},   {0, 0, 5, 5, 5, 0, 0, 0},
      {7, 0, 1, 1, 1, 1, 0, 1},       {7, 0, 0, 0, 0, 1, 0, 0},       {2, 0, 19, 19, 19, 4, 0, 0},
      {2, 0, 20, 20, 20, 4, 0, 20},   {3, 0, 33, 33, 33, 3, 0, 0},    {3, 0, 34, 34, 34, 3, 0, 34},
      {4, 0, 4, 4, 4, 2, 0, 0},       {4, 0, 5, 5, 5, 2, 0, 5},       {1, 0, 250, 250, 250, 0, 0, 0},
      {5, 0, 250, 250, 250, 0, 0, 0}, {6, 0, 250, 250, 250, 0, 0, 0}, {8, 0, 250, 250, 250, 0, 0, 0},
      {0, 0, 250, 250, 250, 0, 0, 0}, {2, 0, 20, 20, 20, 4, 40, 40},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(::testing::Message() << "class " << t.cls << " orbits " << t.orbits << " air " << t.air);
    for (int k = 1; k <= 5; ++k) b.LifeCount[k][S] = k == t.kind ? t.before : 0;
    world(S, t.cls);
    b.AirLevel[S] = t.air;
    g.s.Orbits = t.orbits;
    tick();
    EXPECT_GE(b.AirLevel[S], t.low);
    EXPECT_LE(b.AirLevel[S], t.high);
    EXPECT_EQ(b.AirLevel[S], Int(b.AirLevel[S]));
    EXPECT_EQ(g.c("Air").height(), b.AirLevel[S] * 4 + 45);
    int grown = 0;
    for (int k = 1; k <= 4; ++k) grown += b.LifeCount[k][S] != 0;
    EXPECT_EQ(grown, t.count > 0);
    const int code = t.count > 0 ? 10 + t.kind : 0;
    EXPECT_EQ(g.s.LifeCode, code);
    EXPECT_EQ(b.BodyKind[S], code);
    if (t.kind) {
      EXPECT_EQ(b.LifeCount[t.kind][S], t.count);
      EXPECT_EQ(caption("LaMount(" + std::to_string(t.kind) + ")"), std::to_string(t.count));
    }
  }
}

// Ten orbits give 20 or 21 by one draw, at a known seed.
TEST_F(Life, TheAirOfAnOrbitTakesOneDraw) {
  const struct {
    std::int32_t seed;
    double air;
  } cases[] = {{1, 20}, {3, 21}};
  world(S, 3);
  g.s.Orbits = 10;
  for (const auto& t : cases) {
    b.AirLevel[S] = 0;
    g.random.seed(t.seed);
    Random fresh;
    fresh.seed(t.seed);
    fresh.rnd();
    tick();
    EXPECT_EQ(b.AirLevel[S], t.air) << t.seed;
    EXPECT_EQ(g.Rnd(), fresh.rnd()) << t.seed;
  }
}

TEST_F(Life, WaterFollowsDistanceAndClassAndIsCut) {
  const Color wet = rgb(0, 255, 255), dry = rgb(0, 0, 111);
  const struct {
    int cls;
    double x, z, water;  // the distance is taken in three dimensions
    const char* text;
    int bar;
    Color back;
  } cases[] = {
      {3, 250, 0, 900, " 0~900", 900, wet},   {3, 100, 0, 0, " 0~0.0", 30, dry},
      {3, 60, 0, 0, " 0~0.0", 30, dry},       {3, 400, 0, 450, " 0~450", 600, wet},
      {2, 100.6425, 0, 2.5, " 0~3", 47, wet}, {2, 100.4925, 0, 1.9, " 0~1.9", 46, wet},
      {2, 100.5125, 0, 2, " 0~2", 47, wet},  // one decimal only below 2
      {5, 103.95, 0, 7, " 0~7", 7, wet},      {1, 250, 0, 0, " 0~0.0", 30, dry},
      {3, 0, 250, 900, " 0~900", 900, wet},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(::testing::Message() << "class " << t.cls << " at " << t.x << ", 0, " << t.z);
    world(S, t.cls, t.x);
    b.PosZ[S] = t.z;
    tick();
    EXPECT_EQ(b.WaterLevel[S], t.water);
    EXPECT_EQ(g.c("txGG").text(), t.text);
    EXPECT_EQ(g.c("Atlantiq").height(), t.bar);
    EXPECT_EQ(g.c("Atlantiq").back(), t.back);
  }
}

TEST_F(Life, CelestialsComeFromKindsTimesTheClass) {
  const struct {
    int body, cls;
    std::vector<int> ks;
    int celestials;
  } cases[] = {{10, 4, {1, 2}, 10}, {11, 4, {1, 2, 3}, 50},    {12, 2, {1, 2, 3, 4}, 900},
               {13, 3, {3, 4}, 20}, {14, 1, {1, 2, 3, 4}, 30}, {15, 6, {1, 2, 3}, 5}};
  int sum = 0;
  for (const auto& t : cases) {
    world(t.body, t.cls);
    kinds(t.body, t.ks);
    sum += t.celestials;
  }
  world(16, 4);
  kinds(16, {2});
  b.LifeCount[5][16] = 7;  // one kind: its Celestials stay, but do not count
  b.Gone[12] = 1;          // every row counts, present or not
  tick();
  for (const auto& t : cases) EXPECT_EQ(b.LifeCount[5][t.body], t.celestials) << t.body;
  EXPECT_EQ(b.LifeCount[5][16], 7);
  EXPECT_EQ(g.s.CelestialSum, sum);
  EXPECT_EQ(g.s.LifeTotals[5], sum);
  EXPECT_EQ(g.s.LifeTotals[1], 5 * 5);
  EXPECT_EQ(g.s.LifeTotals[2], 6 * 5);
  EXPECT_EQ(g.s.LifeTotals[0], 5 * 19 + sum);
  EXPECT_EQ(caption("LabTot(0)"), std::to_string(5 * 19 + sum));
  EXPECT_EQ(caption("LabTot(5)"), std::to_string(sum));
}

TEST_F(Life, ANewCelestialCountIsLoggedOnce) {
  sc.run("clock 2026-01-01 10:00:00");
  world(6, 2);
  b.BodyName[6] = "Vulcan";
  kinds(6, {1, 2, 3, 4});
  tick();
  EXPECT_EQ(g.s.LastEvent, "Celestial 900 Appearance at Vulcan 6");
  std::string log;
  const auto lines = [&] {
    EXPECT_TRUE(readFile(g.folder.path("events.txt"), log));
    return std::count(log.begin(), log.end(), '\n');
  };
  const auto once = lines();
  EXPECT_NE(log.find("10:00:00Celestial 900 Appearance at Vulcan 6"), std::string::npos);
  tick();
  EXPECT_EQ(lines(), once);
  // A Celestial spent is given back by the next tally, which logs the count again.
  b.LifeCount[5][6] = 899;
  tick();
  EXPECT_EQ(lines(), once + 1);
  EXPECT_EQ(b.LifeCount[5][6], 900);
}

TEST_F(Life, TotalsSaturateInsteadOfOverflowing) {
  b.LifeCount[1][3] = INT_MAX, b.LifeCount[1][4] = INT_MAX;
  b.LifeCount[2][5] = INT_MIN, b.LifeCount[2][6] = INT_MIN;
  for (int i = 20; i <= 59; ++i) world(i, 2), kinds(i, {1, 2, 3, 4}, 1);  // 40 worlds of 900
  tick();
  EXPECT_EQ(g.s.LifeTotals[1], INT_MAX);
  EXPECT_EQ(g.s.LifeTotals[2], INT_MIN);
  EXPECT_EQ(g.s.LifeTotals[5], 36000);
  EXPECT_EQ(g.s.CelestialSum, 32767);
}

TEST_F(Life, PowersOpenAtOneThreeAndTenCelestialsAndTheTotalBlinks) {
  const struct {
    int cls;
    std::vector<int> ks;
    int phase;
    bool fab, dec, sub;
    Color total;
  } cases[] = {{1, {1}, 1, false, false, false, rgb(0, 63, 0)},
               {1, {1, 2}, 1, true, false, false, rgb(155, 77, 0)},
               {1, {1, 2, 3}, 2, true, true, false, rgb(77, 44, 0)},
               {4, {1, 2}, 1, true, true, true, rgb(155, 77, 0)}};
  for (const auto& t : cases) {
    for (int k = 1; k <= 5; ++k) b.LifeCount[k][10] = 0;
    world(10, t.cls);
    kinds(10, t.ks);
    g.s.BlinkPhase = static_cast<std::int16_t>(t.phase);
    tick();
    const std::string sum = std::to_string(g.s.CelestialSum);
    EXPECT_EQ(g.c("CDfab").enabled(), t.fab) << sum;
    EXPECT_EQ(g.c("CDdec").enabled(), t.dec) << sum;
    EXPECT_EQ(g.c("CDsub").enabled(), t.sub) << sum;
    EXPECT_EQ(g.c("LabTot(0)").back(), t.total) << sum;
  }
}

// The launch direction comes from the angle box in milliradians; one that is no number keeps the last.
TEST_F(Life, TheLaunchPanelFollowsTheSelectedWorldAndTheAngleBox) {
  const struct {
    int cls, kind, cooldown, craft;
    const char *frame, *text;
    bool shown;
    const char *button, *angle;
    double x, y;
  } cases[] = {{3, 3, 5, 0, "Launchpad", "+++", true, "Launch", "0", 400, 0},
               {3, 3, 1, 0, "Launchpad", "...", true, "Launch", "1571", 0, 400},
               {3, 3, 2, 0, "Launchpad", "+++", true, "Launch", "1571", 0, 400},  // the tick leaves 1..9: "+++"
               {3, 3, 10, 0, "Launchpad", "+++", true, "Launch", "1571", 0, 400},
               {3, 3, 11, 0, "Launchpad", "kept", true, "Launch", "1571", 0, 400},
               {3, 3, 12, 0, "Launchpad", "kept", true, "Launch", "3142 rad", -400, 0},
               {1, 1, 0, 0, "Asteroid", "Rock", false, "N/A", "1e999", -400, 0},
               {1, 5, 0, 31, "Spacecraft", "Rock", false, "N/A", "1571", 0, 400},
               {3, 0, 0, 0, "Spacecraft", "", false, "No Life", "0", 400, 0}};
  b.BodyName[S] = "Rock";
  for (const auto& t : cases) {
    SCOPED_TRACE(::testing::Message() << "class " << t.cls << " kind " << t.kind << " angle " << t.angle);
    for (int k = 1; k <= 5; ++k) b.LifeCount[k][S] = k == t.kind ? 1 : 0;
    world(S, t.cls);
    b.CraftCode[S] = static_cast<std::int16_t>(t.craft);
    g.s.LaunchCooldown = static_cast<std::int16_t>(t.cooldown);
    g.c("Text11").setText("kept");
    g.c("TXangle").setText(t.angle);
    tick();
    EXPECT_NEAR(g.s.LaunchDirX, t.x, 0.2);
    EXPECT_NEAR(g.s.LaunchDirY, t.y, 0.2);
    const Control& line = g.c("LineAngle");
    EXPECT_NEAR(line.x2() - line.x1(), t.x, 1);
    EXPECT_NEAR(line.y2() - line.y1(), t.y, 1);
    EXPECT_EQ(g.s.LaunchCooldown, t.cooldown - 1 < 0 ? 0 : t.cooldown - 1);
    EXPECT_EQ(caption("FraCosmo"), t.frame);
    EXPECT_EQ(g.c("Text11").text(), t.text);
    EXPECT_EQ(g.c("Command12").visible(), t.shown);
    EXPECT_EQ(caption("Command12"), t.button);
    if (t.kind == 0) {
      EXPECT_EQ(caption("LaCosmo") + caption("LaThing"), "");
      EXPECT_EQ(g.c("LaThing").back(), rgb(255, 255, 255));
      continue;
    }
    const Control& colours = g.c("LaMount", t.kind);
    EXPECT_EQ(caption("LaCosmo"), caption("Lalife(" + std::to_string(t.kind) + ")"));
    EXPECT_EQ(g.c("LaCosmo").back(), colours.fore());
    EXPECT_EQ(caption("LaThing"), g.s.CraftTypeNames[static_cast<std::size_t>(t.kind)]);
    EXPECT_EQ(g.c("LaThing").back(), colours.back());
  }
  EXPECT_EQ(g.c("LineZth").fore(), rgb(175, 40, 20));  // thrust power 7000
}

TEST_F(Life, FramesOpenAndCollapseByAClick) {
  for (const char* frame : {"FraLif", "FraCosmo"}) {
    Control& f = g.c(frame);
    const int top = f.top(), collapsed = f.height();
    f.press();
    EXPECT_GT(f.height(), collapsed) << frame;
    EXPECT_EQ(f.top(), top);
    f.press();
    EXPECT_EQ(f.height(), collapsed) << frame;
  }
}

TEST_F(Life, TheStarKeepsNoLifeAndTheRunTickCountsPlanetsAndMarksIt) {
  for (int k = 0; k <= 5; ++k) b.LifeCount[k][2] = 9;
  tick();
  for (int k = 0; k <= 5; ++k) EXPECT_EQ(b.LifeCount[k][2], 0) << k;
  auto& view = dynamic_cast<RecordingCanvas&>(g.mainView());
  for (int i = 9; i <= 60; ++i) b.Gone[i] = 1;  // planets 3..8 present
  testing::place(g, 2, 100, -50, 0, 0, 0, 0, 1);
  b.ColorR[2] = 200, b.ColorG[2] = 100, b.ColorB[2] = 60;
  g.c("TiK").setEnabled(true);
  view.entries.clear();
  g.c("TiK").tick();
  EXPECT_EQ(caption("LaPlan"), " 6");
  const int d[12][2] = {{15, 0}, {-15, 0}, {0, 15}, {0, -15}, {30, 0}, {-30, 0},
                        {0, 30}, {0, -30}, {45, 0}, {-45, 0}, {0, 45}, {0, -45}};
  const Color shade[3] = {rgb(140, 70, 42), rgb(100, 50, 30), rgb(33, 17, 10)};
  ASSERT_EQ(view.count(Op::Point), 12u);
  for (int k = 0; k < 12; ++k) {
    EXPECT_EQ(view.entries[k].x, 7780 + d[k][0]) << k;
    EXPECT_EQ(view.entries[k].y, 5710 + d[k][1]) << k;
    EXPECT_EQ(view.entries[k].color, shade[k / 4]) << k;
  }
}

}  // namespace
}  // namespace quorl
