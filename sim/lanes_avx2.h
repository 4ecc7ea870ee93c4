// Four lanes of AVX2; a mask is a vector whose lanes are all ones or all zeros. Include after
// `#pragma GCC target("avx2")`.
#pragma once

namespace quorl::pass {
namespace {

struct Avx2Lanes {
  using D = __m256d;
  using M = __m256d;
  static constexpr int kWidth = 4;
  static D load(const double* p) { return _mm256_loadu_pd(p); }
  static void store(double* p, D v) { _mm256_storeu_pd(p, v); }
  static D set1(double v) { return _mm256_set1_pd(v); }
  static D add(D a, D b) { return _mm256_add_pd(a, b); }
  static D sub(D a, D b) { return _mm256_sub_pd(a, b); }
  static D mul(D a, D b) { return _mm256_mul_pd(a, b); }
  static D div(D a, D b) { return _mm256_div_pd(a, b); }
  static D sqrt(D a) { return _mm256_sqrt_pd(a); }
  static M ge(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_GE_OQ); }
  static M gt(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
  static M eq(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_EQ_OQ); }
  static M ne(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_NEQ_UQ); }
  static M ngt(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_NGT_UQ); }
  static M none() { return _mm256_setzero_pd(); }
  static M both(M a, M b) { return _mm256_and_pd(a, b); }
  static M either(M a, M b) { return _mm256_or_pd(a, b); }
  static D addIf(M m, D sum, D v) { return _mm256_blendv_pd(sum, _mm256_add_pd(sum, v), m); }
  static bool any(M m) { return _mm256_movemask_pd(m) != 0; }
  static unsigned bits(M m) { return static_cast<unsigned>(_mm256_movemask_pd(m)); }
};

}  // namespace
}  // namespace quorl::pass
