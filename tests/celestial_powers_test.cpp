// The Celestial powers over the selected world, and the probes that look for a world of a class.
#include "events/celestial_powers.h"

#include <gtest/gtest.h>

#include <vector>

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
  const struct {
    std::vector<int> earths;
    int selected, button, expect;
    const char* says;
  } cases[] = {{{5, 9}, 9, 1, 5, "Earth world selected"},
               {{5, 9}, 5, 1, 9, "Earth world selected"},
               {{9}, 9, 1, 9, "Earth world selected"},
               {{5, 9}, 9, 0, 2, "Probe has not found its quarry. Access Denied. Please try again shortly."},
               {{5, 9}, 9, 2, 2, "Probe has not found its quarry. Access Denied. Please try again shortly."}};
  for (const auto& t : cases) {
    for (int i = 3; i <= 12; ++i) b.Mass[i] = 1e-8;
    for (int i : t.earths) b.Mass[i] = 3e-6;  // the class sort the probe runs makes them Earth worlds
    g.c("Hcelest").setValue(t.selected);
    g.c("CmdMars", t.button).press();
    EXPECT_EQ(g.s.Focus, t.expect) << "probe " << t.button << " from " << t.selected;
    EXPECT_EQ(status(), t.says);
  }
}

}  // namespace
}  // namespace quorl
