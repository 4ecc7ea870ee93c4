// The class sort of a full table (sorted in slices on the worker threads) against the rule written out
// body by body: classes, colours, counts, and one random draw per class-3 body, in body order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "sim/numbers.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

struct Expected {
  int classes[2] = {0, 0};  // a star is counted as a brown dwarf too
  float r = -1, g = -1, b = -1;
};

// The rule as written: independent tests in order, each overwriting the colour.
Expected rule(int i, double M, double kind, Random& random) {
  const double f11 = (i % 11) / 11.0, f4 = (i % 4) / 4.0, g7 = 1 - (i % 7) / 7.0;
  Expected e;
  int n = 0;
  const auto set = [&](int cls, double r, double g, double b) {
    e.classes[n++] = cls;
    e.r = static_cast<float>(r), e.g = static_cast<float>(g), e.b = static_cast<float>(b);
  };
  if (M < 4e-7) {
    const double grey = Int(f11 * 40) + 50;
    set(1, grey, grey, grey);
    if (M < 3e-8) {
      e.b = static_cast<float>(Int(g7 * 25) + 50);
      e.g = static_cast<float>(Int(f4 * 50) + e.b);
      e.r = e.b;
    }
    if (kind > 10) e.r = e.g = e.b = 255;
  }
  if (M >= 4e-7 && M < 1.5e-6) {
    const float g = static_cast<float>(Int(f11 * 40) + 40);
    set(2, Int(g7 * 20) + g + 20, g, Int(f4 * 40) + 40);
  }
  if (M >= 1.5e-6 && M <= 6e-6) set(3, Int(f4 * 60), Int(f11 * 100) + 160, Int(random.rnd() * g7) + 200);
  if (M > 6e-6 && M <= 3e-5) set(4, Int(f4 * 99) + 40, 120 - Int(g7 * 99), Int(f11 * 77) + 150);
  if (M > 3e-5 && M <= 1e-4) set(5, Int(g7 * 110), Int(f11 * 100) + 100 + Int(f4 * 55), Int(f4 * 50));
  if (M > 1e-4 && M < 3e-4) set(6, Int(g7 * 33) + 222, Int(f11 * 100) + 100, 0);
  if (M >= 3e-4) set(7, Int(f11 * 99) + 155, Int(f4 * 40), Int(g7 * 80));
  if (M >= 0.1) set(8, 255, Int(f11 * 100) + 120, Int(f11 * 100) + 120);
  return e;
}

bool sameFloat(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(ClassSortTable, AFullTableSortsAsTheRuleSaysBodyByBody) {
  for (int count : {9999, 2500, 700}) {  // sliced on the workers, sliced unevenly, in one piece
    testing::Scenario sc;
    Game& g = sc.g();
    BodyTable& b = g.b;
    g.s.BodyCount = count;
    std::mt19937 rng(static_cast<unsigned>(count));
    std::uniform_real_distribution<double> u(0, 1);
    const double bounds[] = {3e-8, 4e-7, 1.5e-6, 6e-6, 3e-5, 1e-4, 3e-4, 0.1};
    for (int i = 0; i < kRows; ++i) {
      b.Gone[i] = u(rng) < 0.3 ? 1 : 0;
      b.BodyKind[i] = u(rng) < 0.1 ? 13 : 3;
      b.Mass[i] = u(rng) < 0.2 ? bounds[rng() % 8] : std::pow(10.0, -9 + 9 * u(rng));
      if (i % 97 == 0) b.Mass[i] = std::nan("");
      b.ColorR[i] = b.ColorG[i] = b.ColorB[i] = -1;
      b.PlanetClass[i] = -1;
    }
    Random expectedDraws = g.random;
    g.c("Command6").press();

    int counts[9] = {}, live = 0, wrong = 0;
    for (int i = 3; i <= count; ++i) {
      if (b.Gone[i] != 0) {
        EXPECT_EQ(b.PlanetClass[i], -1) << i;
        continue;
      }
      ++live;
      const Expected e = rule(i, b.Mass[i], b.BodyKind[i], expectedDraws);
      for (int cls : e.classes) counts[cls] += cls > 0;
      const int last = e.classes[1] ? e.classes[1] : e.classes[0] ? e.classes[0] : -1;
      if (b.PlanetClass[i] != last || !sameFloat(b.ColorR[i], e.r) || !sameFloat(b.ColorG[i], e.g) ||
          !sameFloat(b.ColorB[i], e.b))
        ADD_FAILURE() << "body " << i << " mass " << b.Mass[i] << ": class " << b.PlanetClass[i] << " colour "
                      << b.ColorR[i] << "," << b.ColorG[i] << "," << b.ColorB[i] << " (" << ++wrong << ")";
      if (wrong > 5) break;
    }
    EXPECT_EQ(g.s.LiveCount, live);
    for (int k = 1; k <= 8; ++k) EXPECT_EQ(g.s.ClassCount[k], counts[k]) << "class " << k;
    EXPECT_GT(counts[3], 50);
    EXPECT_EQ(g.random.rnd(), expectedDraws.rnd()) << "the sort drew another count of numbers";
  }
}

}  // namespace
}  // namespace quorl
