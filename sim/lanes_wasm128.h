// Two lanes of WebAssembly SIMD; a mask is a vector whose lanes are all ones or all zeros. For builds
// with -msimd128.
#pragma once
#include <wasm_simd128.h>

namespace quorl::pass {
namespace {

struct Wasm128Lanes {
  using D = v128_t;
  using M = v128_t;
  static constexpr int kWidth = 2;
  static D load(const double* p) { return wasm_v128_load(p); }
  static void store(double* p, D v) { wasm_v128_store(p, v); }
  static D set1(double v) { return wasm_f64x2_splat(v); }
  static D add(D a, D b) { return wasm_f64x2_add(a, b); }
  static D sub(D a, D b) { return wasm_f64x2_sub(a, b); }
  static D mul(D a, D b) { return wasm_f64x2_mul(a, b); }
  static D div(D a, D b) { return wasm_f64x2_div(a, b); }
  static D sqrt(D a) { return wasm_f64x2_sqrt(a); }
  static M ge(D a, D b) { return wasm_f64x2_ge(a, b); }
  static M gt(D a, D b) { return wasm_f64x2_gt(a, b); }
  static M eq(D a, D b) { return wasm_f64x2_eq(a, b); }
  static M ne(D a, D b) { return wasm_f64x2_ne(a, b); }
  static M ngt(D a, D b) { return wasm_v128_not(wasm_f64x2_gt(a, b)); }
  static M none() { return wasm_i64x2_splat(0); }
  static M both(M a, M b) { return wasm_v128_and(a, b); }
  static M either(M a, M b) { return wasm_v128_or(a, b); }
  static D addIf(M m, D sum, D v) { return wasm_v128_bitselect(wasm_f64x2_add(sum, v), sum, m); }
  static bool any(M m) { return wasm_v128_any_true(m); }
  static unsigned bits(M m) { return wasm_i64x2_bitmask(m); }
};

}  // namespace
}  // namespace quorl::pass
