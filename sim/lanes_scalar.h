// One lane: the kernels' arithmetic on plain doubles, for CPUs without the vector forms.
#pragma once
#include <cmath>

namespace quorl::pass {
namespace {

struct ScalarLanes {
  using D = double;
  using M = bool;
  static constexpr int kWidth = 1;
  static D load(const double* p) { return *p; }
  static void store(double* p, D v) { *p = v; }
  static D set1(double v) { return v; }
  static D add(D a, D b) { return a + b; }
  static D sub(D a, D b) { return a - b; }
  static D mul(D a, D b) { return a * b; }
  static D div(D a, D b) { return a / b; }
  static D sqrt(D a) { return std::sqrt(a); }
  static M ge(D a, D b) { return a >= b; }
  static M gt(D a, D b) { return a > b; }
  static M eq(D a, D b) { return a == b; }
  static M ne(D a, D b) { return a != b; }
  static M ngt(D a, D b) { return !(a > b); }
  static M none() { return false; }
  static M both(M a, M b) { return a && b; }
  static M either(M a, M b) { return a || b; }
  static D addIf(M m, D sum, D v) { return m ? sum + v : sum; }
  static bool any(M m) { return m; }
  static unsigned bits(M m) { return m ? 1u : 0u; }
};

}  // namespace
}  // namespace quorl::pass
