// Counters of fixed width: arithmetic that leaves the range raises OverflowError instead of wrapping.
#pragma once
#include <compare>
#include <concepts>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "ui/errors.h"

namespace quorl {

template <std::signed_integral T>
class Checked {
 public:
  constexpr Checked() = default;
  constexpr Checked(T v) : v_(v) {}  // NOLINT: implicit from the exact type is safe

  // From any other integer: checked narrowing.
  template <std::integral U>
  requires(!std::same_as<U, T>) constexpr Checked(U v) : v_(narrow(v)) {}  // NOLINT

  constexpr T get() const { return v_; }
  constexpr operator T() const { return v_; }  // NOLINT: reads like the plain integer

  friend constexpr Checked operator+(Checked a, Checked b) { return Checked(op(a.v_, b.v_, '+')); }
  friend constexpr Checked operator-(Checked a, Checked b) { return Checked(op(a.v_, b.v_, '-')); }
  friend constexpr Checked operator*(Checked a, Checked b) { return Checked(op(a.v_, b.v_, '*')); }
  // Mixed with a plain integer: the integer must fit the width too.
  template <std::integral U>
  friend constexpr Checked operator+(Checked a, U b) {
    return a + Checked(b);
  }
  template <std::integral U>
  friend constexpr Checked operator+(U a, Checked b) {
    return Checked(a) + b;
  }
  template <std::integral U>
  friend constexpr Checked operator-(Checked a, U b) {
    return a - Checked(b);
  }
  template <std::integral U>
  friend constexpr Checked operator-(U a, Checked b) {
    return Checked(a) - b;
  }
  template <std::integral U>
  friend constexpr Checked operator*(Checked a, U b) {
    return a * Checked(b);
  }
  template <std::integral U>
  friend constexpr Checked operator*(U a, Checked b) {
    return Checked(a) * b;
  }
  constexpr Checked operator-() const { return Checked(op(T(0), v_, '-')); }
  constexpr Checked& operator+=(Checked o) { return *this = *this + o; }
  constexpr Checked& operator-=(Checked o) { return *this = *this - o; }
  constexpr Checked& operator*=(Checked o) { return *this = *this * o; }
  constexpr Checked& operator++() { return *this += Checked(T(1)); }
  constexpr Checked& operator--() { return *this -= Checked(T(1)); }

  template <std::integral U>
  static constexpr T narrow(U v) {
    if (!std::in_range<T>(v)) throw OverflowError(overflowText());
    return static_cast<T>(v);
  }

 private:
  static std::string overflowText() {
    return std::string("Overflow: a ") + std::to_string(sizeof(T) * 8) + "-bit counter left its range";
  }
  static constexpr T op(T a, T b, char o) {
    T r{};
    bool bad = o == '+'   ? __builtin_add_overflow(a, b, &r)
               : o == '-' ? __builtin_sub_overflow(a, b, &r)
                          : __builtin_mul_overflow(a, b, &r);
    if (bad) throw OverflowError(overflowText());
    return r;
  }

  T v_ = 0;
};

using i16 = Checked<std::int16_t>;
using i32 = Checked<std::int32_t>;

}  // namespace quorl
