// Planet classes and the colour code, through the button that runs the sort.
#include <gtest/gtest.h>

#include <random>

#include "tests/scenario.h"

using namespace quorl;

namespace {

// A table with only the stars and the listed planets present.
struct Sky {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  explicit Sky(int bodyCount) {
    g.s.BodyCount = bodyCount;
    for (int i = 0; i < kRows; ++i) g.b.Gone[i] = 1;
    g.b.Gone[2] = 0;
  }
  void planet(int i, double mass, double kind = 3) {
    g.b.Gone[i] = 0;
    g.b.Mass[i] = mass;
    g.b.BodyKind[i] = kind;
  }
  void sort() { g.c("Command6").press(); }
  std::string caption(int k) { return g.c("Lapl", k).caption(); }
  Color colour(int i) {
    return rgb(static_cast<int>(g.b.ColorR[i]), static_cast<int>(g.b.ColorG[i]), static_cast<int>(g.b.ColorB[i]));
  }
};

}  // namespace

TEST(ClassSort, ClassBoundsAndTheOverlapOfBrownDwarfsAndStars) {
  Sky sky(40);
  sky.planet(3, 6e-6);           // class 3, upper bound included
  sky.planet(4, 3e-5);           // 4
  sky.planet(5, 1e-4);           // 5
  sky.planet(6, 3e-4);           // 7
  sky.planet(7, 0.1);            // 8, counted in 7 as well
  sky.planet(8, 3.99e-7);        // 1
  sky.planet(9, 4e-7);           // 2
  sky.planet(10, 1.5e-6);        // 3
  sky.planet(11, 2.9999e-4);     // 6
  sky.planet(12, 6.0000001e-6);  // 4
  sky.sort();
  const int expected[] = {3, 4, 5, 7, 8, 1, 2, 3, 6, 4};
  for (int i = 3; i <= 12; ++i) EXPECT_EQ(sky.g.b.PlanetClass[i], expected[i - 3]) << "body " << i;
  const int counts[] = {0, 1, 1, 2, 2, 1, 1, 2, 1};
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(sky.g.s.ClassCount[k], counts[k]) << "class " << k;
  EXPECT_EQ(sky.g.s.LiveCount, 10);
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(sky.caption(k), std::to_string(counts[k]));
  EXPECT_EQ(sky.caption(0), "1");
  EXPECT_EQ(sky.caption(8), "10");
  EXPECT_EQ(sky.g.c("LaPlan").caption(), "10");
}

TEST(ClassSort, ColoursFollowClassAndBodyNumber) {
  Sky sky(60);
  sky.planet(33, 5e-5);      // class 5: 33 mod 11 = 0, mod 4 = 1, mod 7 = 5
  sky.planet(9, 4e-7);       // class 2: blue, then green, then red from the new green
  sky.planet(14, 1e-8);      // class 1, lighter than 3e-8
  sky.planet(15, 1e-8, 12);  // class 1 spacecraft
  sky.planet(16, 2e-7);      // class 1 grey
  sky.planet(22, 2e-4);      // class 6
  sky.planet(25, 0.5);       // class 8
  sky.sort();
  EXPECT_EQ(sky.colour(33), rgb(31, 113, 12));
  // 9: f11 = 9/11, f4 = 1/4, g7 = 5/7 -> B 50, G 32 + 40, R 14 + 72 + 20.
  EXPECT_EQ(sky.colour(9), rgb(106, 72, 50));
  // 14: g7 = 1, f4 = 1/2 -> B 75, G 25 + 75, R = B.
  EXPECT_EQ(sky.colour(14), rgb(75, 100, 75));
  EXPECT_EQ(sky.colour(15), rgb(255, 255, 255));
  // 16: f11 = 5/11 -> grey 18 + 50.
  EXPECT_EQ(sky.colour(16), rgb(68, 68, 68));
  // 22: g7 = 6/7, f11 = 0 -> 28 + 222, 100, 0.
  EXPECT_EQ(sky.colour(22), rgb(250, 100, 0));
  // 25: f11 = 3/11 -> 255, 27 + 120, 27 + 120.
  EXPECT_EQ(sky.colour(25), rgb(255, 147, 147));
}

TEST(ClassSort, EveryEarthWorldDrawsOneRandomNumber) {
  Sky sky(30);
  for (int i : {4, 9, 17}) sky.planet(i, 3e-6);
  sky.planet(5, 1e-5);  // not class 3: no draw
  sky.g.random.seed(4242);
  sky.sort();
  std::mt19937 mine(4242u);
  for (int k = 0; k < 3; ++k) mine();
  EXPECT_EQ(sky.g.Rnd(), mine() / 4294967296.0);
  for (int i : {4, 9, 17}) EXPECT_EQ(sky.g.b.ColorB[i], 200.0f);
}

TEST(ClassSort, GoneBodiesKeepTheirClassAndAreNotCounted) {
  Sky sky(20);
  sky.g.b.PlanetClass[5] = 6;
  sky.g.b.Mass[5] = 1e-8;
  sky.g.b.ColorR[5] = 1;
  sky.g.b.ColorG[5] = 2;
  sky.g.b.ColorB[5] = 3;
  sky.sort();
  EXPECT_EQ(sky.g.b.PlanetClass[5], 6);
  EXPECT_EQ(sky.colour(5), rgb(1, 2, 3));
  // With no planets at all.
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(sky.caption(k), "0");
  EXPECT_EQ(sky.caption(0), "1");
  EXPECT_EQ(sky.caption(8), "0");
  EXPECT_EQ(sky.g.s.LiveCount, 0);
}

TEST(ClassSort, LabelsCarryTheClassNames) {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  const char* names[] = {"Solar Star",      "Lunar world", "Mars world",
                         "Earth world",     "Super earth", "Uraniun world",
                         "Saturnine world", "Brown dwarf", ""};
  for (int k = 0; k <= 8; ++k) EXPECT_EQ(g.c("Lapl", k).toolTip(), names[k]);
  EXPECT_EQ(g.c("Lapl", 0).caption(), "sol");
  EXPECT_EQ(g.c("Lapl", 4).caption(), "0+");
  EXPECT_EQ(g.c("Lapl", 8).caption(), "=");
  EXPECT_EQ(g.c("Label7").caption(), "Planets:");
  for (const char* name : {"Lapl(0)", "Lapl(8)", "LaPlan", "Label7"}) {
    EXPECT_GE(g.c(name).top(), 7900) << name;
    EXPECT_LE(g.c(name).top() + g.c(name).height(), 8700) << name;
    EXPECT_GE(g.c(name).left(), 15480) << name;
    EXPECT_LE(g.c(name).left() + g.c(name).width(), 19800) << name;
  }
}
