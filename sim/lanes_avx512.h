// Eight lanes of AVX-512 with one mask bit a lane. Include after `#pragma GCC target("avx512f")`.
#pragma once

namespace quorl::pass {
namespace {

struct Avx512Lanes {
  using D = __m512d;
  using M = __mmask8;
  static constexpr int kWidth = 8;
  static D load(const double* p) { return _mm512_loadu_pd(p); }
  static void store(double* p, D v) { _mm512_storeu_pd(p, v); }
  static D set1(double v) { return _mm512_set1_pd(v); }
  static D add(D a, D b) { return _mm512_add_pd(a, b); }
  static D sub(D a, D b) { return _mm512_sub_pd(a, b); }
  static D mul(D a, D b) { return _mm512_mul_pd(a, b); }
  static D div(D a, D b) { return _mm512_div_pd(a, b); }
  static D sqrt(D a) { return _mm512_sqrt_pd(a); }
  static M ge(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_GE_OQ); }
  static M gt(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_GT_OQ); }
  static M eq(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_EQ_OQ); }
  static M ne(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_NEQ_UQ); }
  static M ngt(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_NGT_UQ); }
  static M none() { return 0; }
  static M both(M a, M b) { return static_cast<M>(a & b); }
  static M either(M a, M b) { return static_cast<M>(a | b); }
  static D addIf(M m, D sum, D v) { return _mm512_mask_add_pd(sum, m, sum, v); }
  static bool any(M m) { return m != 0; }
  static unsigned bits(M m) { return m; }
};

}  // namespace
}  // namespace quorl::pass
