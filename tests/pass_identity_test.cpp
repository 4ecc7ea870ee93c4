// The production pass leaves the same table as the plain reference pass, bit for bit, on awkward tables,
// in every vector form the CPU runs and on 1, 2 and 3 threads.
#include <gtest/gtest.h>

#include <random>

#include "bench/reference_pass.h"
#include "sim/main_loop.h"
#include "sim/squash.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

struct Twin {
  Scenario fast, plain;
  Game& f() { return fast.g(); }
  Game& p() { return plain.g(); }
  // Applies the same setup to both games.
  template <typename F>
  void both(F setup) {
    setup(f());
    setup(p());
  }
  void passes(int n) {
    for (int k = 0; k < n; ++k) {
      f().ui.fire([&] { f().loop->pass(); });
      p().ui.fire([&] { referencePass(p()); });
    }
  }
  void expectSame(const std::string& when) {
    std::string why;
    EXPECT_TRUE(sameState(f(), p(), &why)) << when << ": " << why;
  }
};

using quorl::testing::emptyTable;
using quorl::testing::place;

// A dense cloud around a star with every awkward case mixed in: gone attractors, shared positions,
// a craft with life, bodies leaving the field, more bodies than AttractorLimit, and on request
// massless bodies (radius 0, which the fusion step fills in as it goes).
void awkwardCloud(Game& g, unsigned seed, int bodyCount, bool starGone, bool massless = false) {
  emptyTable(g, bodyCount);
  g.s.Proximity = 10;  // large contact distances: many fusions
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(0, 1);
  place(g, 1, -3072, -1152, 0, 0, 0, 0, 0.01);
  g.b.Gone[1] = 1;
  place(g, 2, 0, -1152, 0, 0.01, -0.02, 0, 1.0);
  if (starGone) g.b.Gone[2] = 1;
  for (int i = 3; i <= bodyCount; ++i) {
    const double mass = std::pow(10.0, -8 + 4 * u(rng));
    place(g, i, -3072 - 150 + 300 * u(rng), -1152 - 150 + 300 * u(rng), -30 + 60 * u(rng), -1 + 2 * u(rng),
          -1 + 2 * u(rng), -0.2 + 0.4 * u(rng), mass);
    if (u(rng) < 0.12) g.b.Gone[i] = 1;
  }
  if (massless) {
    g.b.Mass[7] = 0, g.b.Mass[8] = 0;
    g.b.PosX[8] = g.b.PosX[7] + 0.5;  // two massless bodies close together
    g.b.PosY[8] = g.b.PosY[7], g.b.PosZ[8] = g.b.PosZ[7];
    g.b.Gone[7] = 0, g.b.Gone[8] = 0;
  }
  g.b.PosX[12] = g.b.PosX[11], g.b.PosY[12] = g.b.PosY[11], g.b.PosZ[12] = g.b.PosZ[11];  // one position
  g.b.PosX[20] = 23990, g.b.VelX[20] = 50;                                                // leaves the field
  g.b.PosY[21] = -23999, g.b.PosZ[21] = 23999, g.b.VelY[21] = -50, g.b.VelZ[21] = 50;
  g.b.CraftCode[30] = 3, g.b.BodyKind[30] = 13, g.b.LifeCount[3][30] = 40;
  g.b.LifeCount[1][31] = 7;
  g.b.ImpactCount[40] = 99;
  for (int i = 41; i <= 44; ++i) {  // forced fusions: four bodies on top of body 40
    place(g, i, g.b.PosX[40] + 0.25 * (i - 40), g.b.PosY[40], g.b.PosZ[40], 0, 0, 0, 1e-6);
  }
}

class PassIdentity : public ::testing::TestWithParam<std::tuple<pass::Simd, int>> {
 protected:
  void SetUp() override {
    const auto [form, threads] = GetParam();
    if (!pass::runs(form)) GTEST_SKIP() << "CPU lacks this form";
    twin.f().loop->setSimd(form);
    twin.f().loop->setThreads(threads);
    ASSERT_EQ(twin.f().loop->simd(), form);
    ASSERT_EQ(twin.f().loop->threads(), threads);
  }
  Twin twin;
};

TEST_P(PassIdentity, AwkwardCloudStaysIdenticalWithFusionsAndExits) {
  twin.both([](Game& g) { awkwardCloud(g, 7, 160, false); });
  auto impacts = [&] {
    int n = 0;
    for (int i = 0; i <= 160; ++i) n += twin.f().b.ImpactCount[i];
    return n;
  };
  const int before = impacts();
  for (int round = 0; round < 12; ++round) {
    // Later rounds pass the time limits of the debris count and the end-of-pass sort.
    twin.both([&](Game& g) { g.s.ElapsedSeconds = round * 2; });
    twin.passes(40);
    twin.expectSame("round " + std::to_string(round));
  }
  EXPECT_GE(impacts() - before, 20);  // fusions along the way
  EXPECT_EQ(twin.f().b.Gone[20], 1);
  EXPECT_EQ(twin.f().b.ImpactCount[40], 99);
}

TEST_P(PassIdentity, MasslessBodiesInTheCloud) {
  twin.both([](Game& g) { awkwardCloud(g, 5, 130, false, true); });
  twin.passes(1);
  EXPECT_EQ(twin.f().b.Gone[7] + twin.f().b.Gone[8], 1);  // fused by the proximity alone
  twin.passes(199);
  twin.expectSame("after 200 passes");
}

TEST_P(PassIdentity, StarGoneAndFewAttractors) {
  twin.both([](Game& g) {
    awkwardCloud(g, 11, 240, true);
    g.s.AttractorLimit = 37;
  });
  twin.passes(150);
  twin.expectSame("after 150 passes");
}

TEST_P(PassIdentity, MasslessBodiesFuseByProximityAlone) {
  twin.both([](Game& g) {
    emptyTable(g, 6);
    place(g, 2, 0, 0, 0, 0, 0, 0, 1.0);
    place(g, 3, 500, 0, 0, 0, 0, 0, 0);
    place(g, 4, 500.5, 0, 0, 0, 0, 0, 0);  // within 100 x Proximity of body 3
    place(g, 5, -700, 0, 0, 0, 1, 0, 0);
  });
  twin.passes(3);
  twin.expectSame("massless");
  EXPECT_EQ(twin.f().b.Gone[3] + twin.f().b.Gone[4], 1);
}

TEST_P(PassIdentity, GravityFactorThatCannotBeFormedFailsAtTheSamePlace) {
  twin.both([](Game& g) {
    awkwardCloud(g, 3, 50, false);
    g.s.Speed = 1e300;  // MasterScale x Speed leaves 32 bits
    for (int i = 0; i <= 50; ++i) g.b.VelX[i] = g.b.VelY[i] = g.b.VelZ[i] = 0;
  });
  twin.passes(1);
  twin.expectSame("overflow");
  EXPECT_NE(twin.f().c("Labill").caption().find("Overflow"), std::string::npos);
}

TEST_P(PassIdentity, BodiesWithoutPullersAndASingleBody) {
  twin.both([](Game& g) {
    emptyTable(g, 120);
    g.s.AttractorLimit = 0;  // only body 0 may pull, and it is gone
    place(g, 2, 0, 0, 0, -0.0, 0, 0, 1.0);
    place(g, 110, 100, 100, 0, 0, 0, 0, 1e-6);
    g.b.Radius[110] = 0;
  });
  twin.passes(5);
  twin.expectSame("no pullers");
}

TEST_P(PassIdentity, TheStarFusesWithABodyWhenItDoesNotPull) {
  // With AttractorLimit 1 body 2 neither pulls nor is pulled: gravity examines no pair of it, and
  // the fusion step still finds body 1 beside it.
  twin.both([](Game& g) {
    awkwardCloud(g, 13, 150, false);
    g.s.AttractorLimit = 1;
    place(g, 1, g.b.PosX[2] + 0.5, g.b.PosY[2], g.b.PosZ[2], 0, 0, 0, 0.2);
    for (int i = 0; i <= 150; ++i) g.b.Radius[i] = Squash(g.b.Mass[i]) / 1000;  // as creation leaves them
  });
  twin.passes(4);
  twin.expectSame("star");
  EXPECT_EQ(twin.f().b.Gone[1], 1);
  EXPECT_EQ(twin.f().s.FusionPair[0], 2);
}

TEST_P(PassIdentity, ADrawingThatFailsEndsTheGravityStepWhereThePlainLoopDoes) {
  // A body at a position that is not a number cannot be drawn: the pass fails there, the bodies
  // before it have their pull and the later ones do not, on every thread count.
  twin.both([](Game& g) {
    awkwardCloud(g, 17, 200, false);
    g.b.Gone[90] = 0;
    g.b.PosX[90] = std::nan("");
  });
  twin.passes(1);
  twin.expectSame("failed drawing");
  EXPECT_NE(twin.f().c("Labill").caption().find("Overflow"), std::string::npos);
}

// A whole system from a preset, past its first nine seconds (so fusions press the class sort): every
// form and thread count leaves the table the plain pass leaves.
TEST(PassIdentityOfASystem, EveryFormAndThreadCountLeavesTheSameTable) {
  const auto build = [](Game& g) {
    g.c("TXran").setText("4242");
    g.c("TXplanets").setText("300");
    g.c("CDp(1)").press();
    g.s.ElapsedSeconds = 10;
  };
  Scenario plain;
  build(plain.g());
  ASSERT_GE(plain.g().s.BodyCount, 300);
  constexpr int kPasses = 60;
  for (int k = 0; k < kPasses; ++k) plain.g().ui.fire([&] { referencePass(plain.g()); });
  int fusions = 0;
  for (int i = 0; i <= plain.g().s.BodyCount; ++i) fusions += plain.g().b.ImpactCount[i];
  EXPECT_GT(fusions, 0);
  for (pass::Simd form : pass::kForms)
    for (int threads : {1, 2, 3}) {
      if (!pass::runs(form)) continue;
      Scenario fast;
      build(fast.g());
      fast.g().loop->setSimd(form);
      fast.g().loop->setThreads(threads);
      for (int k = 0; k < kPasses; ++k) fast.g().ui.fire([&] { fast.g().loop->pass(); });
      std::string why;
      EXPECT_TRUE(sameState(fast.g(), plain.g(), &why)) << pass::simdName(form) << " " << threads << ": " << why;
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, PassIdentity,
                         ::testing::Combine(::testing::ValuesIn(pass::kForms), ::testing::Values(1, 2, 3)),
                         [](const auto& info) {
                           return std::string(pass::simdName(std::get<0>(info.param))) + "_" +
                                  std::to_string(std::get<1>(info.param)) + "threads";
                         });

}  // namespace
}  // namespace quorl
