// Number rules: rounding, reading and the text forms the panels show.
#include "sim/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ui/errors.h"

using namespace quorl;

TEST(Numbers, IntIsTheFloor) {
  EXPECT_EQ(Int(2.7), 2);
  EXPECT_EQ(Int(-2.1), -3);
  EXPECT_EQ(Int(-0.0), 0);
  EXPECT_EQ(Int(5.0), 5);
}

TEST(Numbers, CIntRoundsTiesToEvenAndGuardsItsWidth) {
  struct Case {
    double in;
    int out;
  } cases[] = {{0.5, 0},   {1.5, 2},     {2.5, 2},       {-0.5, 0},        {-1.5, -2},
               {-2.5, -2}, {0.49999, 0}, {3.5000001, 4}, {32767.4, 32767}, {-32768.5, -32768}};
  for (auto c : cases) EXPECT_EQ(CInt(c.in), c.out) << c.in;
  EXPECT_THROW(CInt(32767.5), OverflowError);
  EXPECT_THROW(CInt(-32768.51), OverflowError);
  EXPECT_THROW(CInt(std::numeric_limits<double>::quiet_NaN()), OverflowError);
  EXPECT_THROW(CInt(std::numeric_limits<double>::infinity()), OverflowError);
}

TEST(Numbers, CLngHoldsThirtyTwoBits) {
  EXPECT_EQ(CLng(2147483647.0), 2147483647);
  EXPECT_EQ(CLng(-2147483648.0), -2147483647 - 1);
  EXPECT_EQ(CLng(40000.5), 40000);
  EXPECT_THROW(CLng(2147483647.5), OverflowError);
  EXPECT_THROW(CLng(-2147483649.0), OverflowError);
}

TEST(Numbers, ValReadsTheLeadingNumber) {
  struct Case {
    const char* in;
    double out;
  } cases[] = {
      {"", 0},       {"   ", 0},        {"abc", 0}, {"12abc", 12}, {"  42", 42}, {"-7", -7},         {"+3.5", 3.5},
      {"1e3", 1000}, {"2.5E-2", 0.025}, {"1e", 1},  {"1e+", 1},    {".5", 0.5},  {"-.25x", -0.25},   {"5.", 5},
      {"1d2", 100},  {"- 5", 0},        {"--5", 0}, {"3 4", 3},    {"\t9", 9},   {"0.000001", 1e-6},
  };
  for (auto c : cases) EXPECT_DOUBLE_EQ(Val(c.in), c.out) << '"' << c.in << '"';
  EXPECT_TRUE(std::isinf(Val("1e400")));
  EXPECT_EQ(Val("1e-400"), 0.0);
}

TEST(Numbers, StrictParsingWantsTheWholeText) {
  double v = -1;
  EXPECT_TRUE(parseStrict(" 1000 ", v));
  EXPECT_EQ(v, 1000);
  EXPECT_TRUE(parseStrict("-2.5e1", v));
  EXPECT_EQ(v, -25);
  EXPECT_FALSE(parseStrict("12abc", v));
  EXPECT_FALSE(parseStrict("", v));
  EXPECT_FALSE(parseStrict("1e400", v));
  EXPECT_EQ(v, -25);  // untouched on failure
}

TEST(Numbers, GeneralFormPutsABlankBeforeNonNegatives) {
  EXPECT_EQ(Str(12), " 12");
  EXPECT_EQ(Str(0), " 0");
  EXPECT_EQ(Str(-3), "-3");
  EXPECT_EQ(Str(0.5), " 0.5");
  EXPECT_EQ(Str(1.0 / 3.0), " 0.333333333333333");
  EXPECT_EQ(Str(1e-5), " 1E-05");
  EXPECT_EQ(Str(-2.5e20), "-2.5E+20");
  EXPECT_EQ(plain(12), "12");
  EXPECT_EQ(plain(30000), "30000");
  EXPECT_EQ(plain(0.1 + 0.2), "0.3");  // fifteen significant digits, as shown in boxes
}

TEST(Numbers, FixedFormatsRoundHalfAwayFromZero) {
  EXPECT_EQ(fixed(2.0, 2), "2.00");
  EXPECT_EQ(fixed(0.4, 6), "0.400000");
  EXPECT_EQ(fixed(5e-6, 15), "0.000005000000000");
  EXPECT_EQ(fixed(2.345, 1), "2.3");
  EXPECT_EQ(fixed(0.125, 2), "0.13");
  EXPECT_EQ(fixed(-0.001, 2), "0.00");
  EXPECT_EQ(padded(1.5, 3, 3), "001.500");
  EXPECT_EQ(padded(1234.5678, 3, 3), "1234.568");
}

TEST(Numbers, ShortestTextReadsBackExactly) {
  for (double v : {0.1, 1.0 / 3.0, -24000.001, 5e-324, 1e308, 0.0}) {
    std::string t = shortest(v);
    EXPECT_EQ(std::strtod(t.c_str(), nullptr), v) << t;
  }
  EXPECT_EQ(shortest(-1152), "-1152");
}

// Results must not depend on whether the compiler fuses a multiply and an add: the build forbids it.
TEST(Numbers, MultiplyAndAddAreNotFused) {
  volatile double a = 1.0 + std::ldexp(1.0, -30), b = 1.0 - std::ldexp(1.0, -30), c = -1.0;
  const double x = a, y = b, z = c;
  const double separate = x * y + z;  // the product rounds to 1 first
  EXPECT_EQ(separate, 0.0);
  EXPECT_NE(separate, std::fma(x, y, z));  // a fused result would keep -2^-60
}
