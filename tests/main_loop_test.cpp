// One pass of the main loop on hand-made tables: the field boundary, gravity, fusion and its traces.
#include "sim/main_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "bench/reference_pass.h"
#include "io/folder.h"
#include "sim/fields.h"
#include "sim/squash.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

class Loop : public ::testing::Test {
 protected:
  Loop() : sc(true) {
    Game& g = sc.g();
    testing::emptyTable(g, 120);
    g.s.LiveCount = 600;  // no end-of-pass sort unless a test asks for one
    Control& sort = g.c("Command6");
    auto previous = sort.onClick;
    sort.onClick = [this, previous] {
      ++sorts;
      if (previous) previous();
    };
  }
  Game& g() { return sc.g(); }
  BodyTable& b() { return sc.g().b; }
  void place(int i, double x, double y, double z, double mass, double vx = 0, double vy = 0, double vz = 0) {
    testing::place(sc.g(), i, x, y, z, vx, vy, vz, mass);
  }
  void pass() {
    g().ui.fire([&] { g().loop->pass(); });
  }
  // Points drawn since the area was last cleared.
  std::size_t points(const char* area) {
    auto entries = static_cast<RecordingCanvas&>(g().canvas(area)).sinceClear();
    return static_cast<std::size_t>(std::count_if(entries.begin(), entries.end(),
                                                  [](const auto& e) { return e.op == RecordingCanvas::Op::Point; }));
  }

  Scenario sc;
  int sorts = 0;
};

TEST_F(Loop, BoundsHoldExactlyAndEachExceededBoundSortsOnce) {
  place(3, -24000, 24000, -24000, 1e-6);             // exactly on the bounds: stays
  place(4, -24000.001, 0, 0, 1e-6);                  // one bound
  place(5, -24000.001, 24000.001, 24000.001, 1e-6);  // three bounds
  g().s.BodyCount = 5;
  pass();
  EXPECT_EQ(b().Gone[3], 0);
  EXPECT_EQ(b().Gone[4], 1);
  EXPECT_EQ(b().Gone[5], 1);
  EXPECT_EQ(sorts, 4);
  // Each body that left is told once, whatever the bounds it crossed; the later number first.
  EXPECT_EQ(g().c("Labill").caption(), "W4 left the system");
  EXPECT_EQ(g().s.LastEvent, "W4 left the system");
  const std::string log = testing::fileText(g().folder.path("events.txt"));
  ASSERT_GE(log.size(), 56u);
  EXPECT_EQ(log.substr(log.size() - 48),
            "W5 left the system\r\n" + log.substr(log.size() - 28, 8) + "W4 left the system\r\n");
  EXPECT_EQ(log[log.size() - 54], ':');  // each after its time of day
}

// The selected body leaves: the keeper's next tick moves the selection on and says where.
TEST_F(Loop, TheSelectionLeavingTheFieldIsToldWhereItMovedTo) {
  place(3, 0, 0, 0, 1e-6);
  place(4, 23999, 0, 0, 1e-6, 200);
  place(5, 100, 0, 0, 1e-6);
  g().s.BodyCount = 5;
  g().c("Tix").setEnabled(true);
  g().c("Hcelest").setValue(4);
  pass();
  ASSERT_EQ(b().Gone[4], 1);
  EXPECT_EQ(g().c("Labill").caption(), "W4 left the system");
  EXPECT_EQ(g().s.Focus, 4);
  g().c("Tix").tick();
  EXPECT_EQ(g().s.Focus, 5);
  EXPECT_EQ(g().c("Labill").caption(), "W4 left the system\rSelection moved to body 5: W5");
  EXPECT_EQ(g().s.LastEvent, "W4 left the system");
  // A body gone inside the field (fused, switched off) is left silently.
  b().Gone[5] = 1;
  g().status("");
  g().c("Tix").tick();
  EXPECT_EQ(g().s.Focus, 3);
  EXPECT_EQ(g().c("Labill").caption(), "");
}

TEST_F(Loop, MotionUsesSpeedOverAHundredAndBodyZeroNeverMoves) {
  place(0, 10, 10, 10, 1e-6, 5, 5, 5);
  place(3, 100, 200, 300, 1e-6, 2, -4, 8);
  g().s.Speed = 50;
  g().s.BodyCount = 3;
  pass();
  EXPECT_EQ(b().PosX[0], 10);
  EXPECT_EQ(b().PosX[3], 101);
  EXPECT_EQ(b().PosY[3], 198);
  EXPECT_EQ(b().PosZ[3], 304);
}

TEST_F(Loop, BodiesAtOnePositionNeitherPullNorFuse) {
  place(3, 500, 500, 0, 1e-4);
  place(4, 500, 500, 0, 1e-4);
  g().s.BodyCount = 4;
  pass();
  EXPECT_EQ(b().Gone[3] + b().Gone[4], 0);
  EXPECT_EQ(b().VelX[3], 0);
  EXPECT_EQ(b().VelX[4], 0);
}

TEST_F(Loop, GravityFactorRoundsTiesToEven) {
  // A planet 1000 units right of a heavy attractor on the x axis: its pull is GravityFactor x M / d^2.
  struct Case {
    int master;
    double speed;
    int factor;
  } cases[] = {{1, 0.4, 0}, {1, 0.5, 0}, {3, 0.5, 2}, {5, 0.5, 2}, {7, 0.5, 4}};
  for (const Case& c : cases) {
    place(3, 0, 0, 0, 0.001);
    place(4, 1000, 0, 0, 1e-6);
    g().s.BodyCount = 4;
    g().s.MasterScale = c.master;
    g().s.Speed = c.speed;
    g().s.GravityFactor = 99;
    pass();
    EXPECT_EQ(g().s.GravityFactor, c.factor) << c.master << " x " << c.speed;
    EXPECT_DOUBLE_EQ(b().VelX[4], -c.factor * 0.001 / 1e6) << c.master << " x " << c.speed;
    EXPECT_EQ(b().VelY[4], 0);
  }
}

TEST_F(Loop, BodyTwoDriftsButIsNeverPulled) {
  place(2, 0, 0, 0, 1.0, 0.5, 0, 0);
  place(3, 300, 0, 0, 0.01);
  g().s.BodyCount = 3;
  g().s.Speed = 100;
  pass();
  EXPECT_EQ(b().VelX[2], 0.5);
  EXPECT_EQ(b().PosX[2], 0.5);
  EXPECT_LT(b().VelX[3], 0);  // the planet is pulled towards the star
}

TEST_F(Loop, OnlyAttractorsPullAndLeadTheFusionTest) {
  g().s.AttractorLimit = 10;
  place(50, 0, 0, 0, 0.001);
  place(51, 0.1, 0, 0, 0.001);  // close, but neither is an attractor
  place(60, 1000, 0, 0, 1e-6);
  g().s.BodyCount = 60;
  pass();
  EXPECT_EQ(b().Gone[50] + b().Gone[51], 0);
  EXPECT_EQ(b().VelX[60], 0);
}

TEST_F(Loop, OrbitCounterCountsTheStepFromQuadrantFourToOne) {
  place(2, 0, 0, 0, 1.0);
  place(5, -1000, -1000, 0, 1e-8);  // left of and above body 2: quadrant 1
  g().s.BodyCount = 5;
  g().s.Focus = 5;
  g().s.PrevQuadrant = 4;
  g().s.Orbits = 6;
  pass();
  EXPECT_EQ(g().s.Quadrant, 1);
  EXPECT_EQ(g().s.PrevQuadrant, 1);
  EXPECT_EQ(g().s.Orbits, 7);
  b().PosY[5] = 0;  // level with body 2: unchanged
  pass();
  EXPECT_EQ(g().s.Quadrant, 1);
  EXPECT_EQ(g().s.Orbits, 7);
}

TEST_F(Loop, FocusOfTheStarsLeavesTheOrbitCounterAlone) {
  place(2, 0, 0, 0, 1.0);
  place(1, -1000, -1000, 0, 0.01);
  g().s.BodyCount = 3;
  for (int focus : {0, 1, 2}) {
    g().s.Focus = focus;
    g().s.Quadrant = 3, g().s.PrevQuadrant = 4, g().s.Orbits = 2;
    pass();
    EXPECT_EQ(g().s.Quadrant, 3);
    EXPECT_EQ(g().s.PrevQuadrant, 4);
    EXPECT_EQ(g().s.Orbits, 2);
  }
}

TEST_F(Loop, FusionMergesMassAndFlatVelocityAndLeavesTraces) {
  place(3, 100, 100, 0, 1e-4, 1, 2, 3);
  place(4, 100.5, 100, 0, 1e-6, -1, -2, -3);
  b().LifeCount[2][4] = 17;
  b().LifeCount[1][3] = 5;
  b().LifeCount[1][4] = 9;
  g().s.BodyCount = 4;
  pass();
  EXPECT_EQ(b().Gone[3], 0);  // the heavier survives
  EXPECT_EQ(b().Gone[4], 1);
  EXPECT_DOUBLE_EQ(b().Mass[3], 1.01e-4);
  EXPECT_DOUBLE_EQ(b().VelX[3], (1e-6 * -1 + 1e-4 * 1) / 1.01e-4);
  EXPECT_DOUBLE_EQ(b().VelY[3], (1e-6 * -2 + 1e-4 * 2) / 1.01e-4);
  EXPECT_EQ(b().VelX[4], b().VelX[3]);
  EXPECT_EQ(b().VelZ[3], 3);  // depth velocities are not merged
  EXPECT_EQ(b().VelZ[4], -3);
  EXPECT_EQ(b().ImpactCount[3], 1);
  EXPECT_EQ(b().ImpactMark[1][3], static_cast<int>(std::floor(2000 * std::sqrt(1e-6 / 1e-4))));  // about 200
  EXPECT_EQ(b().LifeCount[2][3], 1);  // life carried over as a seed of one
  EXPECT_EQ(b().LifeCount[1][3], 5);  // already there: unchanged
  EXPECT_EQ(g().c("Labill").caption(), "W4 impacts W3");
  EXPECT_EQ(g().s.LastEvent, "W4 impacts W3");
  EXPECT_EQ(g().s.FusionPair[0], 3);
  EXPECT_EQ(g().s.FusionPair[1], 4);
  std::string log;
  ASSERT_TRUE(readFile(g().folder.path("events.txt"), log));
  ASSERT_GE(log.size(), 23u);
  EXPECT_EQ(log.substr(log.size() - 15), "W4 impacts W3\r\n");
  EXPECT_EQ(log[2], ':');
  EXPECT_EQ(sorts, 0);  // LiveCount 600 and no time elapsed: no end-of-pass sort
}

TEST_F(Loop, EqualMassesLetTheInnerLoopBodySurvive) {
  place(3, 0, 0, 0, 1e-6);
  place(10, 0.5, 0, 0, 1e-6);
  g().s.BodyCount = 10;
  pass();  // both attract: the first pair examined is a = 10, b = 3
  EXPECT_EQ(b().Gone[3], 0);
  EXPECT_EQ(b().Gone[10], 1);

  place(3, 0, 0, 0, 1e-6);
  place(10, 0.5, 0, 0, 1e-6);
  g().s.AttractorLimit = 5;  // now only 3 leads: a = 3, b = 10
  pass();
  EXPECT_EQ(b().Gone[3], 1);
  EXPECT_EQ(b().Gone[10], 0);
}

TEST_F(Loop, CraterSizesAndTheHundredthAbsorption) {
  // 1 / 40000: 2000 x 0.005 = 10, not raised.
  place(3, 0, 0, 0, 0.04);
  place(4, 1, 0, 0, 1e-6);
  // 3.6e-5: 2000 x 0.006 = 12, raised to 22; 6.25e-5: 15.8, raised to 25; 6.6e-5: 16.2, not raised.
  place(5, 5000, 0, 0, 1.0);
  place(6, 5001, 0, 0, 3.6e-5);
  place(9, 0, 5000, 0, 1.0);
  place(10, 1, 5000, 0, 6.25e-5);
  place(11, 0, -5000, 0, 1.0);
  place(12, 1, -5000, 0, 6.6e-5);
  // A body with 99 impacts keeps 99 and overwrites its last crater.
  place(7, -5000, 0, 0, 0.01);
  place(8, -5000.5, 0, 0, 0.01);  // equal-sized: crater 2000, capped at 222
  b().ImpactCount[7] = 99;
  b().ImpactMark[99][7] = 5;
  g().s.BodyCount = 12;
  pass();
  EXPECT_EQ(b().ImpactMark[1][3], 10);
  EXPECT_EQ(b().ImpactMark[1][5], 22);
  EXPECT_EQ(b().ImpactMark[1][9], 25);
  EXPECT_EQ(b().ImpactMark[1][11], 16);
  EXPECT_EQ(b().Gone[8], 1);  // a = 8 leads, b = 7 survives equal masses
  EXPECT_EQ(b().ImpactCount[7], 99);
  EXPECT_EQ(b().ImpactMark[99][7], 222);
}

TEST_F(Loop, AbsorbedCraftLeavesItsKindAsTheMark) {
  place(3, 0, 0, 0, 1e-5);
  place(4, 0.2, 0, 0, 1e-8);
  b().CraftCode[4] = 21;
  b().BodyKind[4] = 12.5;  // rounded to even: 12
  g().s.BodyCount = 4;
  pass();
  EXPECT_EQ(b().Gone[4], 1);
  EXPECT_EQ(b().ImpactMark[1][3], 12);
}

TEST_F(Loop, MasslessBodiesFuseWithinTheProximityAndLeaveNoCrater) {
  place(3, 0, 0, 0, 0);
  place(4, 90, 0, 0, 0);  // 100 x Proximity = 100: fuses
  place(5, 2000, 0, 0, 0);
  place(6, 2150, 0, 0, 0);  // 150 apart: stays
  g().s.BodyCount = 6;
  pass();
  EXPECT_EQ(b().Gone[3] + b().Gone[4], 1);
  EXPECT_EQ(b().Gone[5] + b().Gone[6], 0);
  EXPECT_EQ(b().ImpactMark[1][3] + b().ImpactMark[1][4], 0);
  EXPECT_EQ(b().Radius[3], 0);
}

TEST_F(Loop, RadiusFollowsTheMassOfEveryExaminedBody) {
  place(3, 0, 0, 0, 1e-6);
  place(4, 3000, 0, 0, 0.001);
  b().Radius[3] = 7;  // stale
  g().s.BodyCount = 4;
  pass();
  EXPECT_EQ(b().Radius[3], Squash(1e-6) / 1000);
  EXPECT_EQ(b().Radius[4], Squash(0.001) / 1000);
  b().Mass[4] = 0.002;  // a handler changed it between passes
  pass();
  EXPECT_EQ(b().Radius[4], Squash(0.002) / 1000);
}

TEST_F(Loop, DebrisCountFollowsTheRunningTime) {
  struct Case {
    int elapsed, debris;
  } cases[] = {{0, 10}, {4, 10}, {5, 33}, {14, 33}, {15, 99}};
  for (const Case& c : cases) {
    g().canvas("LOxy").clear();
    place(3, 0, 0, 0, 1e-5);
    place(4, 0.2, 0, 0, 1e-6);
    g().s.BodyCount = 4;
    g().s.ElapsedSeconds = c.elapsed;
    Random before = g().random;
    pass();
    // Bodies 3 and 4 drawn once each, then the debris around both.
    EXPECT_EQ(points("LOxy"), 2u + 2 * c.debris) << c.elapsed;
    for (int k = 0; k < 6 * c.debris; ++k) before.rnd();
    EXPECT_EQ(before.rnd(), g().random.rnd()) << "three draws per debris point";
  }
}

TEST_F(Loop, DebrisLiesWithinItsSpreadOfEachBody) {
  place(3, 0, 0, 0, 1e-5);
  place(4, 0.2, 0, 0, 1e-6);
  g().s.BodyCount = 4;
  auto& main = static_cast<RecordingCanvas&>(g().canvas("Quorl"));
  main.entries.clear();
  pass();
  ASSERT_EQ(main.entries.size(), 22u);
  for (std::size_t k = 2; k < main.entries.size(); ++k) {
    const auto& e = main.entries[k];
    const double spread = k < 12 ? 149 : 99;
    EXPECT_LE(std::fabs(e.x - 7680), spread);
    EXPECT_LE(std::fabs(e.y - 5760), spread);
  }
}

TEST_F(Loop, EndOfPassSortsOnlyAfterAFusionOnceSettledOrSmall) {
  struct Case {
    int elapsed, live, sorts;
  } cases[] = {{9, 500, 0}, {10, 500, 1}, {0, 499, 1}};
  for (const Case& c : cases) {
    sorts = 0;
    place(3, 0, 0, 0, 1e-5);
    place(4, 0.2, 0, 0, 1e-6);
    g().s.BodyCount = 4;
    g().s.ElapsedSeconds = c.elapsed;
    g().s.LiveCount = c.live;
    pass();
    EXPECT_EQ(sorts, c.sorts) << c.elapsed << "s, " << c.live << " live";
  }
  sorts = 0;
  g().s.LiveCount = 0;
  pass();  // no fusion: no sort
  EXPECT_EQ(sorts, 0);
}

TEST_F(Loop, PauseEndsTheLoopAfterItsPassNotBeforeIt) {
  place(3, 100, 0, 0, 1e-6, 1, 0, 0);
  g().s.BodyCount = 3;
  g().s.Speed = 100;
  // Entered with the flag already set: the loop still runs its one pass, then returns.
  g().s.PauseFlag = "bat";
  g().superman();
  EXPECT_FALSE(g().pumpTurn());
  EXPECT_EQ(b().PosX[3], 101);
  // Running, then paused during the yield after a pass: no further pass.
  g().s.PauseFlag.clear();
  g().superman();
  EXPECT_TRUE(g().pumpTurn());
  EXPECT_EQ(b().PosX[3], 102);
  g().s.PauseFlag = "bat";
  EXPECT_FALSE(g().pumpTurn());
  EXPECT_EQ(b().PosX[3], 102);
}

TEST_F(Loop, BodyCountBeyondTheTableIsRefused) {
  g().s.BodyCount = 10000;
  pass();
  EXPECT_NE(g().c("Labill").caption().find("outside the body table"), std::string::npos);
}

TEST_F(Loop, AFailingPassIsReportedAndAPauseStillEndsTheLoop) {
  g().s.BodyCount = 10000;
  g().superman();
  EXPECT_TRUE(g().pumpTurn());  // the error is shown and the loop goes on
  EXPECT_NE(g().c("Labill").caption().find("outside the body table"), std::string::npos);
  g().s.PauseFlag = "bat";
  EXPECT_FALSE(g().pumpTurn());
  EXPECT_FALSE(g().loopRunning());
}

TEST(Int16, FloorsIntoSixteenBits) {
  EXPECT_EQ(Int16(2.5), 2);
  EXPECT_EQ(Int16(-2.5), -3);
  EXPECT_EQ(Int16(-3.0), -3);
  EXPECT_EQ(Int16(-0.0), 0);
  EXPECT_EQ(Int16(32767.9), 32767);
  EXPECT_EQ(Int16(-32768.0), -32768);
  EXPECT_THROW(Int16(32768.0), OverflowError);
  EXPECT_THROW(Int16(-32768.5), OverflowError);
  EXPECT_THROW(Int16(std::nan("")), OverflowError);
}

}  // namespace
}  // namespace quorl

namespace quorl {
namespace {

// Golden value: every field of the table and every shared value after preset 3 at seed 33333 and 2000 passes. Every
// build type (Release, Debug, sanitizers), every vector form and every thread count must give it; it changes only on
// purpose (creation, names, the class sort, the pass itself, or a shared value added to the fields).
constexpr std::uint64_t kGoldenPreset3 = 0x24527d9f93ad3244ull;

TEST(Golden, Preset3Seed33333After2000Passes) {
  for (pass::Simd form : pass::kForms)
    for (int threads : {1, 2, 3}) {
      if (!pass::runs(form)) continue;
      testing::Scenario sc;
      sc.g().loop->setSimd(form);
      sc.g().loop->setThreads(threads);
      EXPECT_EQ(sc.run("clock 2026-01-01 10:00:00\ntype TXran 33333\npress CDp(3)\npasses 2000\n"), "");
      EXPECT_TRUE(sc.g().loopRunning());
      const std::uint64_t h = stateHash(sc.g().b, sc.g().s);
      EXPECT_EQ(h, kGoldenPreset3) << pass::simdName(form) << " " << threads << " threads: " << std::hex << h;
    }
}

}  // namespace
}  // namespace quorl
