// Fixed-width counters: overflow is an error at the limits, never a wrap.
#include "sim/checked.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace quorl;

TEST(Checked, SixteenBitLimits) {
  i16 top = 32767;
  EXPECT_THROW(top + 1, OverflowError);
  EXPECT_THROW(++top, OverflowError);
  EXPECT_EQ(top, 32767);  // a failed increment leaves the value
  i16 bottom = -32768;
  EXPECT_THROW(bottom - 1, OverflowError);
  EXPECT_THROW(-bottom, OverflowError);
  EXPECT_THROW(i16(200) * 200, OverflowError);
  EXPECT_EQ(i16(100) * 300, 30000);
  EXPECT_EQ(i16(-32767) - 1, -32768);
}

TEST(Checked, NarrowingFromWiderIntegersIsChecked) {
  EXPECT_THROW(i16(40000), OverflowError);
  EXPECT_THROW(i16(-32769), OverflowError);
  EXPECT_NO_THROW(i16(-32768));
  EXPECT_THROW(i32(std::int64_t(1) << 31), OverflowError);
  EXPECT_EQ(i32(std::int64_t(-2147483648LL)), INT32_MIN);
}

TEST(Checked, ThirtyTwoBitLimits) {
  i32 v = 2147483647;
  EXPECT_THROW(v += 1, OverflowError);
  EXPECT_EQ(v, 2147483647);
  EXPECT_EQ(i32(86400) * 24000, 2073600000);
  EXPECT_THROW(i32(86400) * 25000, OverflowError);
}

TEST(Checked, BehavesLikeTheIntegerInsideItsRange) {
  i16 n = 5;
  n += 3;
  n -= 10;
  EXPECT_EQ(n, -2);
  EXPECT_TRUE(n < 0);
  int plainSum = n + 100;  // mixes with plain integers
  EXPECT_EQ(plainSum, 98);
  ++n;
  EXPECT_EQ(n.get(), -1);
}
