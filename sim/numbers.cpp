// Number rules shared by all Parts.
#include "sim/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "ui/errors.h"

namespace quorl {

double Int(double x) { return std::floor(x); }

namespace {

double roundEven(double x) {
  if (!std::isfinite(x)) throw OverflowError("Overflow: not a finite number");
  return std::nearbyint(x);  // default rounding mode: to nearest, ties to even
}

}  // namespace

std::int16_t CInt(double x) {
  double r = roundEven(x);
  if (r < -32768.0 || r > 32767.0) throw OverflowError("Overflow: a number does not fit 16 bits");
  return static_cast<std::int16_t>(r);
}

std::int32_t CLng(double x) {
  double r = roundEven(x);
  if (r < -2147483648.0 || r > 2147483647.0) throw OverflowError("Overflow: a number does not fit 32 bits");
  return static_cast<std::int32_t>(r);
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the numeric prefix starting at i (sign, digits, point, exponent); 0 when none.
std::size_t numberLength(std::string_view t, std::size_t i) {
  std::size_t j = i;
  if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
  std::size_t digits = 0;
  while (j < t.size() && isDigit(t[j])) ++j, ++digits;
  if (j < t.size() && t[j] == '.') {
    ++j;
    while (j < t.size() && isDigit(t[j])) ++j, ++digits;
  }
  if (digits == 0) return 0;
  if (j < t.size() && (t[j] == 'e' || t[j] == 'E' || t[j] == 'd' || t[j] == 'D')) {
    std::size_t k = j + 1;
    if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
    if (k < t.size() && isDigit(t[k])) {
      while (k < t.size() && isDigit(t[k])) ++k;
      j = k;
    }
  }
  return j - i;
}

double toDouble(std::string_view t) {
  std::string s(t);
  for (char& c : s)
    if (c == 'd' || c == 'D') c = 'e';
  std::size_t start = (!s.empty() && s[0] == '+') ? 1 : 0;
  double v = 0;
  auto res = std::from_chars(s.data() + start, s.data() + s.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // from_chars leaves v untouched on out-of-range: decide by the exponent's sign.
    bool tiny = s.find("e-") != std::string::npos;
    bool neg = s[start] == '-';
    v = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    if (neg) v = -v;
  }
  return v;
}

}  // namespace

double Val(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  std::size_t n = numberLength(text, i);
  if (n == 0) return 0.0;
  return toDouble(text.substr(i, n));
}

bool parseStrict(std::string_view text, double& out) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  std::size_t n = numberLength(text, i);
  if (n == 0) return false;
  std::size_t j = i + n;
  while (j < text.size() && isBlank(text[j])) ++j;
  if (j != text.size()) return false;
  double v = toDouble(text.substr(i, n));
  if (!std::isfinite(v)) return false;
  out = v;
  return true;
}

std::string plain(double x) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "Infinity" : "-Infinity";
  if (x == 0) return "0";
  char buf[64];
  double a = std::fabs(x);
  if (a >= 1e15 || a < 1e-4) {
    std::snprintf(buf, sizeof buf, "%.14E", x);
    // Trim the mantissa's trailing zeros and the exponent's leading zeros: 1.5E-05 -> 1.5E-05, 1E+20.
    std::string s(buf);
    auto e = s.find('E');
    std::string mant = s.substr(0, e), exp = s.substr(e + 1);
    while (mant.back() == '0') mant.pop_back();
    if (mant.back() == '.') mant.pop_back();
    char sign = exp[0];
    std::string digits = exp.substr(1);
    while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
    return mant + "E" + sign + digits;
  }
  std::snprintf(buf, sizeof buf, "%.15G", x);
  std::string s(buf);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s;
}

std::string Str(double x) {
  std::string s = plain(x);
  return (x >= 0 || std::isnan(x)) ? " " + s : s;
}

std::string fixed(double x, int decimals) {
  // Round half away from zero on the decimal value, as a format pattern does.
  double scale = std::pow(10.0, decimals);
  double r = std::round(x * scale) / scale;
  if (!std::isfinite(r)) r = x;
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, r);
  std::string s(buf);
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);  // no "-0.00"
  return s;
}

std::string padded(double x, int intDigits, int decimals) {
  std::string s = fixed(x, decimals);
  bool neg = !s.empty() && s[0] == '-';
  if (neg) s.erase(0, 1);
  std::size_t point = s.find('.');
  std::size_t whole = point == std::string::npos ? s.size() : point;
  if (whole < std::size_t(intDigits)) s.insert(0, std::size_t(intDigits) - whole, '0');
  return neg ? "-" + s : s;
}

std::string shortest(double x) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, x);
  return std::string(buf, res.ptr);
}

}  // namespace quorl
