// The size of a body from its mass.
#include "sim/squash.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorl;

TEST(Squash, GivesTheQuotedSizes) {
  EXPECT_NEAR(Squash(0.001), 54.2157, 5e-4);
  EXPECT_NEAR(Squash(0.000003), 6.30558, 5e-5);
  EXPECT_NEAR(Squash(1), 700.22, 5e-3);
}

TEST(Squash, NoMassNoSize) {
  EXPECT_EQ(Squash(0.0), 0.0);
  EXPECT_EQ(Squash(-0.0), 0.0);
  EXPECT_EQ(Squash(-1e-6), 0.0);  // never produced; kept harmless
}

TEST(Squash, AHeavierBodyIsNeverSmaller) {
  double previous = Squash(0);
  for (double m = 1e-12; m < 10; m *= 1.01) {
    double r = Squash(m);
    ASSERT_GE(r, previous) << "mass " << m;
    previous = r;
  }
  // Neighbouring doubles, too.
  const double m = 3e-5;
  EXPECT_LE(Squash(m), Squash(std::nextafter(m, 1.0)));
}
