// What the C++ library of the WebAssembly build (libc++ 13, Debian's emscripten 3.1.6) lacks and the
// core uses: std::bit_cast, and std::to_chars / std::from_chars for doubles. The forms here are plain
// functions that every build compiles, so that tests/compat_test.cpp can hold them against the native
// library; only that build puts them into std (cmake/Wasm.cmake includes this header first in every
// file). They lean on the C library's snprintf and strtod, which are correctly rounded in glibc and in
// musl, and on a C numeric locale, the only one the WebAssembly build has.
#pragma once
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>
#include <version>

namespace quorl::compat {

template <class To, class From>
constexpr To bitCast(const From& from) noexcept {
  static_assert(sizeof(To) == sizeof(From));
  return __builtin_bit_cast(To, from);
}

namespace detail {

// m × 10^k when both are exact doubles: one correctly rounded operation gives what strtod gives, many
// times faster than the WebAssembly build's strtod, which works in software quadruple precision.
inline bool exactly(std::uint64_t m, int k, double& out) {
  static constexpr double kTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (m >= (1ull << 53) || k < -22 || k > 22) return false;
  out = k >= 0 ? static_cast<double>(m) * kTens[k] : static_cast<double>(m) / kTens[-k];
  return true;
}

// A decimal d.ddd × 10^exp with `count` significant digits, and its value read back.
struct Decimal {
  char digits[24];
  int count;
  int exp;
  double read;
};

inline void readBack(Decimal& d) {
  std::uint64_t m = 0;
  for (int k = 0; k < d.count; ++k) m = m * 10 + static_cast<unsigned>(d.digits[k] - '0');
  if (exactly(m, d.exp - d.count + 1, d.read)) return;
  char text[40];
  std::snprintf(text, sizeof text, "%c.%.*se%d", d.digits[0], d.count - 1, d.digits + 1, d.exp);
  d.read = std::strtod(text, nullptr);
}

// a rounded to `count` significant digits, to nearest; read back unless told it need not be.
inline Decimal rounded(double a, int count, bool read = true) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*e", count - 1, a);
  Decimal d{{}, 0, 0, 0};
  const char* p = text;
  for (; *p != 'e'; ++p)
    if (*p != '.') d.digits[d.count++] = *p;
  d.exp = std::atoi(p + 1);
  if (read) readBack(d);
  return d;
}

// The next decimal of as many digits above d.
inline Decimal up(Decimal d) {
  int k = d.count - 1;
  while (k >= 0 && d.digits[k] == '9') d.digits[k--] = '0';
  if (k >= 0) {
    ++d.digits[k];
  } else {
    d.digits[0] = '1';
    ++d.exp;
  }
  readBack(d);
  return d;
}

// A decimal of `count` digits that reads back as a, the nearest such when there are several; false when
// there is none. The nearest fails only where a is a power of two, whose interval reaches twice as far
// up as down; then the next one up may still read back.
inline bool readsBack(double a, int count, Decimal& out) {
  out = rounded(a, count);
  if (out.read == a) return true;
  int exp2 = 0;
  if (out.read > a || std::frexp(a, &exp2) != 0.5) return false;
  out = up(out);
  return out.read == a;
}

// The shortest decimal that reads back as a (positive, finite): as few digits as will do, and of
// those the nearest to a. Most doubles need 16 or 17 digits, so those are tried first.
inline Decimal shortest(double a) {
  Decimal best;
  int lo = 1, hi = 15;
  if (!readsBack(a, 15, best)) {
    if (!readsBack(a, 16, best)) best = rounded(a, 17, false);  // 17 digits always read back
    lo = hi;
  }
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    Decimal d;
    if (readsBack(a, mid, d)) hi = mid, best = d;
    else lo = mid + 1;
  }
  while (best.count > 1 && best.digits[best.count - 1] == '0') --best.count;
  return best;
}

inline bool digit(char c) { return c >= '0' && c <= '9'; }

// Case-insensitive: [p, last) starts with the lower-case word.
inline bool startsWith(const char* p, const char* last, const char* word) {
  for (; *word; ++word, ++p)
    if (p == last || (*p | 0x20) != *word) return false;
  return true;
}

}  // namespace detail

// std::to_chars(first, last, v): the shortest text that reads back as v, fixed or scientific, whichever
// is shorter (fixed on a tie), as printf would write it: a whole number in fixed form has all its digits.
inline std::to_chars_result toChars(char* first, char* last, double v) {
  std::string s = std::signbit(v) ? "-" : "";
  if (std::isnan(v)) {
    s += "nan";
  } else if (std::isinf(v)) {
    s += "inf";
  } else if (v == 0) {
    s += "0";
  } else {
    const detail::Decimal d = detail::shortest(std::fabs(v));
    const std::string digits(d.digits, static_cast<std::size_t>(d.count));
    std::string sci = digits.substr(0, 1);
    if (d.count > 1) sci += "." + digits.substr(1);
    char exp[16];
    std::snprintf(exp, sizeof exp, "e%c%02d", d.exp < 0 ? '-' : '+', std::abs(d.exp));
    sci += exp;
    std::string fixed;
    if (d.exp < 0) {
      fixed = "0." + std::string(static_cast<std::size_t>(-d.exp - 1), '0') + digits;
    } else if (d.count <= d.exp + 1) {
      // A whole number: printf's fixed form writes its every digit, which may not end in zeros.
      fixed = std::string(static_cast<std::size_t>(d.exp + 1), '0');
      if (fixed.size() <= sci.size()) {
        char whole[320];
        std::snprintf(whole, sizeof whole, "%.0f", std::fabs(v));
        fixed = whole;
      }
    } else {
      fixed = digits.substr(0, static_cast<std::size_t>(d.exp + 1)) + "." + digits.substr(static_cast<std::size_t>(d.exp + 1));
    }
    s += fixed.size() <= sci.size() ? fixed : sci;
  }
  if (last - first < static_cast<std::ptrdiff_t>(s.size())) return {last, std::errc::value_too_large};
  std::memcpy(first, s.data(), s.size());
  return {first + s.size(), std::errc()};
}

// std::from_chars(first, last, v) in its general form: an optional minus, then inf, infinity, nan,
// nan(chars) in any case, or decimal digits with an optional point and exponent. Nothing is skipped
// before it. A value too large or too small for a double leaves v as it was.
inline std::from_chars_result fromChars(const char* first, const char* last, double& v) {
  using detail::digit;
  const char* p = first;
  const bool negative = p != last && *p == '-';
  if (negative) ++p;
  const double sign = negative ? -1.0 : 1.0;
  if (detail::startsWith(p, last, "inf")) {
    p += detail::startsWith(p + 3, last, "inity") ? 8 : 3;
    v = sign * std::numeric_limits<double>::infinity();
    return {p, std::errc()};
  }
  if (detail::startsWith(p, last, "nan")) {
    p += 3;
    if (p != last && *p == '(') {
      const char* q = p + 1;
      while (q != last && (digit(*q) || ((*q | 0x20) >= 'a' && (*q | 0x20) <= 'z') || *q == '_')) ++q;
      if (q != last && *q == ')') p = q + 1;
    }
    v = std::copysign(std::numeric_limits<double>::quiet_NaN(), sign);
    return {p, std::errc()};
  }
  // The digits as m × 10^k for the exact shortcut; m stops growing past 2^53, where it does not apply.
  constexpr std::uint64_t kMany = 1ull << 60;
  const char* start = p;
  int digits = 0, k = 0;
  std::uint64_t m = 0;
  bool nonzero = false;
  const auto take = [&](char c, bool fraction) {
    ++digits;
    nonzero = nonzero || c != '0';
    m = m < (1ull << 53) ? m * 10 + static_cast<unsigned>(c - '0') : kMany;
    k -= fraction;
  };
  for (; p != last && digit(*p); ++p) take(*p, false);
  if (p != last && *p == '.')
    for (++p; p != last && digit(*p); ++p) take(*p, true);
  if (digits == 0) return {first, std::errc::invalid_argument};
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    const bool down = q != last && *q == '-';
    if (q != last && (*q == '+' || *q == '-')) ++q;
    if (q != last && digit(*q)) {
      int e = 0;
      for (; q != last && digit(*q); ++q) e = e < 100000 ? e * 10 + (*q - '0') : e;
      k += down ? -e : e;
      p = q;
    }
  }
  double read = 0;
  if (detail::exactly(m, k, read)) {
    v = sign * read;
    return {p, std::errc()};
  }
  const std::string text = (negative ? "-" : "") + std::string(start, p);
  read = std::strtod(text.c_str(), nullptr);
  if (std::isinf(read) || (read == 0 && nonzero)) return {p, std::errc::result_out_of_range};
  v = read;
  return {p, std::errc()};
}

}  // namespace quorl::compat

#if defined(__EMSCRIPTEN__)
namespace std {
#if !defined(__cpp_lib_bit_cast)
template <class To, class From>
constexpr To bit_cast(const From& from) noexcept {
  return quorl::compat::bitCast<To>(from);
}
#endif
#if !defined(__cpp_lib_to_chars)
inline to_chars_result to_chars(char* first, char* last, double v) { return quorl::compat::toChars(first, last, v); }
inline from_chars_result from_chars(const char* first, const char* last, double& v) {
  return quorl::compat::fromChars(first, last, v);
}
#endif
}  // namespace std
#endif
