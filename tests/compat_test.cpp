// The WebAssembly build's stand-ins for the library's to_chars, from_chars and bit_cast give what the
// native library gives, byte for byte and bit for bit, on a few million doubles and on awkward texts.
#include "sim/compat.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace quorl::compat {
namespace {

std::string native(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string ours(double v) {
  char buf[64];
  const auto r = toChars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// Both readings of a text: the same end, the same error and the same bits (v starts as a marker, so an
// untouched value shows).
::testing::AssertionResult readsAlike(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  double a = 12345.678, b = 12345.678;
  const auto ra = std::from_chars(first, last, a);
  const auto rb = fromChars(first, last, b);
  if (ra.ptr == rb.ptr && ra.ec == rb.ec && std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "'" << text << "': library read " << ra.ptr - first << " chars, error "
                                       << static_cast<int>(ra.ec) << ", " << native(a) << "; ours " << rb.ptr - first
                                       << ", " << static_cast<int>(rb.ec) << ", " << native(b);
}

// Writes v both ways and reads the text back both ways; counts the values that differ (the first few
// are reported).
int differences(double v, int& reported) {
  const std::string want = native(v), got = ours(v);
  bool same = want == got && bitCast<std::uint64_t>(v) == std::bit_cast<std::uint64_t>(v);
  const auto read = readsAlike(want);
  same = same && read;
  if (!same && reported++ < 10)
    ADD_FAILURE() << std::hexfloat << v << ": library '" << want << "', ours '" << got << "'; " << read.message();
  return same ? 0 : 1;
}

// The sanitizer build looks at a tenth of them: its checks are of memory, and it runs the C library's
// conversions at a fraction of their speed.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kShare = 10;
#else
constexpr int kShare = 1;
#endif

TEST(Compat, ShortestTextsAndTheirReadingsMatchTheLibrary) {
  std::mt19937_64 rng(20250101);
  int bad = 0, reported = 0, checked = 0;
  const auto check = [&](double v) {
    bad += differences(v, reported);
    ++checked;
  };
  // Every bit pattern alike: all exponents, subnormals, now and then a NaN.
  for (int k = 0; k < 1200000 / kShare; ++k) check(std::bit_cast<double>(rng()));
  // Short decimals, the values the game's files and scripts hold, around the fixed/scientific switch.
  std::uniform_int_distribution<int> digits(1, 17), exp10(-30, 30);
  for (int k = 0; k < 800000 / kShare; ++k) {
    const int n = digits(rng);
    std::string t = (k % 2 ? "-" : "") + std::to_string(rng() % 100000000000000000ull).substr(0, static_cast<std::size_t>(n));
    t += "e" + std::to_string(exp10(rng));
    double v = 0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    check(v);
  }
  // Powers of two (whose interval is twice as wide above) and their neighbours; whole numbers past 2^53,
  // where fixed texts end in zeros.
  for (int e = -1074; e <= 1023; ++e) {
    const double p = std::ldexp(1.0, e);
    for (double v : {p, -p, std::nextafter(p, 0.0), std::nextafter(p, 1e308), 3 * p, 5 * p}) check(v);
  }
  for (int k = 0; k < 100000 / kShare; ++k) check(std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 40)));
  for (double v : {0.0, -0.0, 1.0, 0.1, 1e22, 1e23, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 100000.0,
                   123456.0, 1e15, 1e16, 1e17, 0.0001, 0.00001, 9007199254740993.0,
                   std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()})
    check(v);
  EXPECT_EQ(bad, 0) << "of " << checked;
  EXPECT_GT(checked, 2000000 / kShare);
}

TEST(Compat, AwkwardTextsReadAlike) {
  const std::vector<std::string> texts = {
      "", "-", "+1", " 1", ".", "-.", ".5", "5.", "-0", "0.000", "1e", "1e+", "1e-", "1E5", "1e+05x", "1.5e-3.2",
      "0x1p3", "00012", "1..2", "inf", "-INF", "Infinity", "infinit", "infx", "nan", "-NaN", "nan(123_ab)", "nan(",
      "nan(1 2)", "nanx", "in", "1e308", "1.8e308", "-1e309", "1e-320", "4e-324", "2e-324", "3e-324", "1e-400",
      "-1e-400", "0e-400", "0e400", "2.4703282292062328e-324", "2.4703282292062327e-324",
      "179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017977587207096330286416692887910946555547851940402630657488671505820681908902000708383676273854845817711531764475730270069855571366959622842914819860834936475292719074168444365510704342711559699508093042880177904174497791.9",
      "1797693134862315807937289714053034150799341327100378269361737789804449682927647509466490179775872070963302864166928879109465555478519404026306574886715058206819089020007083836762738548458177115317644757302700698555713669596228429148198608349364752927190741684443655107043427115596995080930428801779041744977919",
      std::string(400, '0') + "1", "0." + std::string(330, '0') + "1", "1" + std::string(25, '0') + "e-25",
      "9007199254740993", "9007199254740993.000000000001", "0.1000000000000000055511151231257827"};
  for (const std::string& t : texts) EXPECT_TRUE(readsAlike(t));
}

TEST(Compat, ATextThatDoesNotFitIsRefused) {
  for (double v : {0.0, -1.5, 1e-300, 123456789.0}) {
    const std::string want = native(v);
    for (std::size_t room : {want.size() - 1, want.size()}) {
      std::vector<char> a(room + 1, '#'), b(room + 1, '#');
      const auto ra = std::to_chars(a.data(), a.data() + room, v);
      const auto rb = toChars(b.data(), b.data() + room, v);
      EXPECT_EQ(ra.ec, rb.ec) << want << " in " << room;
      EXPECT_EQ(ra.ptr - a.data(), rb.ptr - b.data()) << want << " in " << room;
      EXPECT_EQ(b[room], '#');  // nothing past the end
    }
  }
}

}  // namespace
}  // namespace quorl::compat
