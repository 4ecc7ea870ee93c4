// Number rules: rounding, reading and text forms.
#include <gtest/gtest.h>

#include "sim/numbers.h"
#include "ui/errors.h"

using namespace quorl;

TEST(Numbers, CIntRoundsTiesToEven) {
  EXPECT_EQ(CInt(0.5), 0);
  EXPECT_EQ(CInt(1.5), 2);
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(-0.5), 0);
  EXPECT_EQ(CInt(-1.5), -2);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(32767.4), 32767);
  EXPECT_THROW(CInt(32767.5), OverflowError);
  EXPECT_EQ(CInt(-32768.5), -32768);
  EXPECT_THROW(CInt(-32768.51), OverflowError);
  EXPECT_EQ(CLng(2147483647.0), 2147483647);
  EXPECT_THROW(CLng(2147483647.5), OverflowError);
}
