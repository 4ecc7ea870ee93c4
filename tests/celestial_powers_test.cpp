// The Celestial powers over the selected world, and the probes that look for a world of a class.
#include "events/celestial_powers.h"

#include <gtest/gtest.h>

#include <vector>

#include "events/biosphere.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

constexpr int F = 5;

// A star and Lunar worlds 3..12; world F is selected and carries 3 Celestials.
struct Powers : ::testing::Test {
  Scenario sc{true};
  Game& g = sc.g();
  BodyTable& b = g.b;
  Powers() {
    testing::emptyTable(g, 12);
    for (int i = 2; i <= 12; ++i) testing::place(g, i, 1000.0 * i, 0, 0, 0, 0, 0, i == 2 ? 1.0 : 1e-8);
    b.BodyName[2] = "Sun";
    b.BodyName[F] = "Rock";
    b.LifeCount[5][F] = 3;
    g.s.Focus = F;
  }
  // Ten Celestials elsewhere open every power (a Super earth with two kinds).
  void celestials() {
    b.PlanetClass[12] = 4;
    b.LifeCount[1][12] = b.LifeCount[2][12] = 1;
    g.c("TimWheel").tick();
    ASSERT_EQ(g.s.CelestialSum, 10);
  }
  std::string status() { return g.c("Labill").caption(); }
};

TEST_F(Powers, EachPowerOpensAboveItsThreshold) {
  const struct {
    int sum;
    bool fabricate, decimate, sublimate;
  } cases[] = {{0, false, false, false}, {1, true, false, false}, {2, true, false, false},
               {3, true, true, false},   {9, true, true, false},  {10, true, true, true}};
  for (const auto& t : cases) {
    g.bio->powers.enableFor(t.sum);
    EXPECT_EQ(g.c("CDfab").enabled(), t.fabricate) << t.sum;
    EXPECT_EQ(g.c("CDdec").enabled(), t.decimate) << t.sum;
    EXPECT_EQ(g.c("CDsub").enabled(), t.sublimate) << t.sum;
  }
}

// At a known seed: the exact mass, and the draws taken (two for a birth, one for a growth).
TEST_F(Powers, FabricateDrawsOnceToGrowAndTwiceToGiveBirth) {
  const struct {
    std::int32_t seed;
    double before, after;
    int draws;
  } cases[] = {{7, 1e-6, 9.2050430621020496e-07, 2},
               {7, 1e-4, 1.17e-4, 1},  // a growth of 0.17
               {7, 5e-6, 5.8499999999999999e-06, 1},
               {99, 1e-4, 1.7700000000000002e-4, 1},
               {99, 4.99e-6, 1.2919047535979189e-06, 2}};
  celestials();
  for (const auto& t : cases) {
    g.random.seed(t.seed);
    Random fresh;
    fresh.seed(t.seed);
    for (int k = 0; k < t.draws; ++k) fresh.rnd();
    b.Mass[F] = t.before;
    g.c("CDfab").press();
    EXPECT_EQ(b.Mass[F], t.after) << t.seed << " " << t.before;
    EXPECT_EQ(g.Rnd(), fresh.rnd()) << t.seed << " " << t.before;
  }
}

TEST_F(Powers, FabricateAndSublimateChangeTheMassForACelestial) {
  const struct {
    const char* power;
    double mass, low, high;
    const char* says;
  } cases[] = {{"CDfab", 1e-6, 7.5e-7, 1.5e-6, "Rock; a world is born..."},
               {"CDfab", 4.99e-6, 7.5e-7, 1.5e-6, "Rock; a world is born..."},
               {"CDfab", 1e-4, 1.1e-4, 2.09e-4, "Rock has grown..."},
               {"CDsub", 3e-5, 1.5e-5, 1.5e-5, "Rock is reduced..."}};
  celestials();
  int left = 3;
  for (const auto& t : cases) {
    b.Mass[F] = t.mass;
    g.c(t.power).press();
    EXPECT_GE(b.Mass[F], t.low) << t.mass;
    EXPECT_LE(b.Mass[F], t.high) << t.mass;
    EXPECT_EQ(status(), t.says);
    EXPECT_EQ(b.LifeCount[5][F], --left);
  }
}

TEST_F(Powers, DecimateRemovesTheWorldButNeverTheStar) {
  sc.run("clock 2026-01-01 10:00:00");
  celestials();
  g.c("CDdec").press();
  EXPECT_EQ(b.Gone[F], 1);
  EXPECT_EQ(status(), "Rock is no more...");
  EXPECT_EQ(b.LifeCount[5][F], 2);
  EXPECT_EQ(g.s.Focus, 2);
  EXPECT_EQ(g.s.StartTime, "10:00:00");

  sc.run("clock 2026-01-01 11:30:00");
  g.c("CDdec").press();
  EXPECT_EQ(b.Gone[2], 0);
  EXPECT_EQ(status(), "Celestial consumed by Sun");
  EXPECT_EQ(g.s.Focus, 2);
  EXPECT_EQ(g.s.StartTime, "11:30:00");
}

// A system created just before midnight and decimated two days later: ten seconds on, the clock reads ten.
TEST(Decimate, RestartsTheRunningSecondsFromZero) {
  for (const bool star : {false, true}) {
    SCOPED_TRACE(star ? "body 2 selected" : "a world selected");
    Scenario sc;
    Game& g = sc.g();
    ASSERT_EQ(sc.run("clock 2024-03-01 23:59:58\ntype TXran 5\nleave TXran\npress CDp(3)\nadvance 5000\n"
                     "clock 2024-03-03 12:00:00\nadvance 2000\n"),
              "");
    if (star) g.c("Hcelest").setValue(2);
    const int f = g.s.Focus;
    ASSERT_EQ(g.s.WarmUpDone, 2);
    ASSERT_EQ(g.s.ElapsedSeconds, 86400 + 12 * 3600 + 4);
    g.bio->powers.enableFor(3);
    g.c("CDdec").press();
    EXPECT_EQ(g.s.ElapsedSeconds, 0);
    EXPECT_EQ(g.s.WarmUpDone, 0);
    // Settled no more, the selection of body 2 leaves the message in place.
    EXPECT_EQ(g.c("Labill").caption(),
              star ? "Celestial consumed by " + g.b.BodyName[2] : g.b.BodyName[f] + " is no more...");
    EXPECT_EQ(g.s.Focus, 2);
    sc.run("advance 1000\n");
    EXPECT_EQ(g.s.WarmUpDone, 0);
    sc.run("advance 9000\n");
    EXPECT_EQ(g.s.ElapsedSeconds, 10);
    EXPECT_EQ(g.s.DaysRunning, 0);
    EXPECT_EQ(g.s.WarmUpDone, 2);
    EXPECT_EQ(g.c("LabvirT").caption(), "10");
  }
}

TEST_F(Powers, APowerPressedWhileDisabledDoesNothing) {
  b.Mass[F] = 1e-4;
  const std::string said = status();
  const double next = Random(g.random).rnd();
  for (const char* power : {"CDfab", "CDsub", "CDdec"}) {
    ASSERT_FALSE(g.c(power).enabled()) << power;
    g.c(power).press();
  }
  EXPECT_EQ(b.Mass[F], 1e-4);
  EXPECT_EQ(b.Gone[F], 0);
  EXPECT_EQ(b.LifeCount[5][F], 3);
  EXPECT_EQ(status(), said);
  EXPECT_EQ(g.Rnd(), next);
}

TEST_F(Powers, ProbesFindAnotherWorldOfTheirClass) {
  const char* none = "Probe has not found its quarry. Access Denied. Please try again shortly.";
  // Gone worlds were Earth worlds when they went: the class sort leaves a gone body's class as it was.
  const struct {
    std::vector<int> earths, gone;
    int selected, button, expect;
    const char* says;
  } cases[] = {{{5, 9}, {}, 9, 1, 5, "Earth world selected"},
               {{5, 9}, {}, 5, 1, 9, "Earth world selected"},
               {{9}, {}, 9, 1, 9, "Earth world selected"},
               {{5, 9}, {}, 9, 0, 2, none},
               {{5, 9}, {}, 9, 2, 2, none},
               {{5, 9, 11}, {11}, 9, 1, 5, "Earth world selected"},
               {{7}, {7}, 9, 1, 2, none},
               {{7, 9}, {7}, 9, 1, 9, "Earth world selected"}};
  for (const auto& t : cases) {
    for (int i = 3; i <= 12; ++i) b.Gone[i] = 0, b.Mass[i] = 1e-8;
    for (int i : t.earths) b.Mass[i] = 3e-6;  // the class sort the probe runs makes them Earth worlds
    g.c("Command6").press();
    for (int i : t.gone) b.Gone[i] = 1;
    g.c("Hcelest").setValue(t.selected);
    g.c("CmdMars", t.button).press();
    EXPECT_EQ(g.s.Focus, t.expect) << "probe " << t.button << " from " << t.selected;
    EXPECT_EQ(status(), t.says);
  }
}

// The search ends at the first miss after a hit, or after 999 misses: the draws it took, at a known seed.
TEST_F(Powers, AProbeDrawsUntilTheFirstMissAfterAHit) {
  b.Mass[5] = b.Mass[9] = 1e-6;  // Mars worlds (the class sort draws for Earth worlds only)
  const struct {
    int button, draws;
  } cases[] = {{2, 999}, {0, 8}};  // r = 12 11 7 3 12 11 9, then a miss
  for (const auto& t : cases) {
    g.random.seed(4);
    g.c("CmdMars", t.button).press();
    const double next = g.Rnd();
    Random fresh;
    fresh.seed(4);
    int k = 0;
    while (k < 2000 && fresh.rnd() != next) ++k;
    EXPECT_EQ(k, t.draws) << "probe " << t.button;
  }
}

}  // namespace
}  // namespace quorl
