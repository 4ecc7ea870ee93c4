// The hot loops of a pass: gravity sums and the fusion pre-filter, with runtime dispatch.
#include "sim/pass_kernels.h"

#include <cmath>

#if defined(__x86_64__) || defined(__i386__)
// GCC 12 warns about the undefined source operand inside _mm512_sqrt_pd itself.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#define QUORL_X86 1
#endif

namespace quorl::pass {

namespace {

// A relative margin far above the rounding of T·T, so that d² beyond it means r ≥ T for sure.
constexpr double kMargin = 1.0 + 1.0 / (1ull << 40);

}  // namespace

void Lanes::reset(int bodies) {
  n = bodies;
  padded = (bodies + kLanePad - 1) / kLanePad * kLanePad;
  for (auto* v : {&x, &y, &z, &r, &id}) v->assign(static_cast<std::size_t>(padded), 0.0);
  for (int k = bodies; k < padded; ++k) id[k] = -1;
}

void Pullers::reset(int bodies) {
  n = bodies;
  for (auto* v : {&x, &y, &z, &r, &gm, &id}) v->assign(static_cast<std::size_t>(bodies), 0.0);
}

const char* simdName(Simd s) {
  switch (s) {
    case Simd::Scalar: return "scalar";
    case Simd::Avx2: return "avx2";
    case Simd::Avx512: return "avx512";
  }
  return "?";
}

Simd bestSimd() {
#if QUORL_X86
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f")) return Simd::Avx512;
  if (__builtin_cpu_supports("avx2")) return Simd::Avx2;
#endif
  return Simd::Scalar;
}

// ---- scalar: the same arithmetic, one lane at a time ----

namespace {

bool gravityScalar(const Lanes& L, const Pullers& J, double p, double* sx, double* sy, double* sz) {
  bool any = false;
  for (int i = 0; i < L.padded; ++i) {
    double ax = 0, ay = 0, az = 0;
    const double id = L.id[i];
    if (id >= 0 && id != 2) {
      const double ix = L.x[i], iy = L.y[i], iz = L.z[i], ir = L.r[i];
      for (int j = 0; j < J.n; ++j) {
        if (J.id[j] == id) continue;
        const double dx = J.x[j] - ix, dy = J.y[j] - iy, dz = J.z[j] - iz;
        const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
        const double contact = (ir + J.r[j]) * p;
        if (r != 0 && r > 100 * contact) {
          const double a = J.gm[j] / (r * r);
          ax += a * dx / r;
          ay += a * dy / r;
          az += a * dz / r;
          any = true;
        }
      }
    }
    sx[i] = ax, sy[i] = ay, sz[i] = az;
  }
  return any;
}

int fusionScalar(const Lanes& L, const double* radius, double ax, double ay, double az, double ar, double p,
                 int* out) {
  int n = 0;
  for (int k = L.n - 1; k >= 0; --k) {
    const double dx = L.x[k] - ax, dy = L.y[k] - ay, dz = L.z[k] - az;
    const double d2 = dx * dx + dy * dy + dz * dz;
    const double contact = (radius[k] + ar) * p;
    const double t = 100 * contact;
    if (!(d2 > t * t * kMargin) || contact == 0) out[n++] = k;
  }
  return n;
}

#if QUORL_X86

// ---- AVX2: four lanes ----

__attribute__((target("avx2"))) bool gravityAvx2(const Lanes& L, const Pullers& J, double p, double* sx,
                                                  double* sy, double* sz) {
  const __m256d zero = _mm256_setzero_pd(), hundred = _mm256_set1_pd(100.0), two = _mm256_set1_pd(2.0);
  const __m256d prox = _mm256_set1_pd(p);
  __m256d anyLane = zero;
  for (int i = 0; i < L.padded; i += 4) {
    const __m256d ix = _mm256_loadu_pd(&L.x[i]), iy = _mm256_loadu_pd(&L.y[i]), iz = _mm256_loadu_pd(&L.z[i]);
    const __m256d ir = _mm256_loadu_pd(&L.r[i]), id = _mm256_loadu_pd(&L.id[i]);
    const __m256d live = _mm256_and_pd(_mm256_cmp_pd(id, zero, _CMP_GE_OQ), _mm256_cmp_pd(id, two, _CMP_NEQ_UQ));
    __m256d ax = zero, ay = zero, az = zero;
    for (int j = 0; j < J.n; ++j) {
      const __m256d dx = _mm256_sub_pd(_mm256_set1_pd(J.x[j]), ix);
      const __m256d dy = _mm256_sub_pd(_mm256_set1_pd(J.y[j]), iy);
      const __m256d dz = _mm256_sub_pd(_mm256_set1_pd(J.z[j]), iz);
      const __m256d d2 =
          _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(dx, dx), _mm256_mul_pd(dy, dy)), _mm256_mul_pd(dz, dz));
      const __m256d r = _mm256_sqrt_pd(d2);
      const __m256d contact = _mm256_mul_pd(_mm256_add_pd(ir, _mm256_set1_pd(J.r[j])), prox);
      __m256d m = _mm256_and_pd(live, _mm256_cmp_pd(id, _mm256_set1_pd(J.id[j]), _CMP_NEQ_UQ));
      m = _mm256_and_pd(m, _mm256_cmp_pd(r, zero, _CMP_NEQ_UQ));
      m = _mm256_and_pd(m, _mm256_cmp_pd(r, _mm256_mul_pd(hundred, contact), _CMP_GT_OQ));
      if (_mm256_movemask_pd(m) == 0) continue;
      const __m256d a = _mm256_div_pd(_mm256_set1_pd(J.gm[j]), _mm256_mul_pd(r, r));
      ax = _mm256_blendv_pd(ax, _mm256_add_pd(ax, _mm256_div_pd(_mm256_mul_pd(a, dx), r)), m);
      ay = _mm256_blendv_pd(ay, _mm256_add_pd(ay, _mm256_div_pd(_mm256_mul_pd(a, dy), r)), m);
      az = _mm256_blendv_pd(az, _mm256_add_pd(az, _mm256_div_pd(_mm256_mul_pd(a, dz), r)), m);
      anyLane = _mm256_or_pd(anyLane, m);
    }
    _mm256_storeu_pd(&sx[i], ax);
    _mm256_storeu_pd(&sy[i], ay);
    _mm256_storeu_pd(&sz[i], az);
  }
  return _mm256_movemask_pd(anyLane) != 0;
}

__attribute__((target("avx2"))) int fusionAvx2(const Lanes& L, const double* radius, double ax, double ay,
                                                double az, double ar, double p, int* out) {
  const __m256d zero = _mm256_setzero_pd(), hundred = _mm256_set1_pd(100.0), margin = _mm256_set1_pd(kMargin);
  const __m256d px = _mm256_set1_pd(ax), py = _mm256_set1_pd(ay), pz = _mm256_set1_pd(az);
  const __m256d pr = _mm256_set1_pd(ar), prox = _mm256_set1_pd(p);
  int n = 0;
  for (int c = L.padded - 4; c >= 0; c -= 4) {
    const __m256d dx = _mm256_sub_pd(_mm256_loadu_pd(&L.x[c]), px);
    const __m256d dy = _mm256_sub_pd(_mm256_loadu_pd(&L.y[c]), py);
    const __m256d dz = _mm256_sub_pd(_mm256_loadu_pd(&L.z[c]), pz);
    const __m256d d2 =
        _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(dx, dx), _mm256_mul_pd(dy, dy)), _mm256_mul_pd(dz, dz));
    const __m256d contact = _mm256_mul_pd(_mm256_add_pd(_mm256_loadu_pd(&radius[c]), pr), prox);
    const __m256d t = _mm256_mul_pd(hundred, contact);
    const __m256d bound = _mm256_mul_pd(_mm256_mul_pd(t, t), margin);
    __m256d m = _mm256_or_pd(_mm256_cmp_pd(d2, bound, _CMP_NGT_UQ), _mm256_cmp_pd(contact, zero, _CMP_EQ_OQ));
    m = _mm256_and_pd(m, _mm256_cmp_pd(_mm256_loadu_pd(&L.id[c]), zero, _CMP_GE_OQ));
    unsigned bits = static_cast<unsigned>(_mm256_movemask_pd(m));
    while (bits) {
      const int lane = 31 - __builtin_clz(bits);
      out[n++] = c + lane;
      bits &= ~(1u << lane);
    }
  }
  return n;
}

// ---- AVX-512: eight lanes ----

__attribute__((target("avx512f"))) bool gravityAvx512(const Lanes& L, const Pullers& J, double p, double* sx,
                                                       double* sy, double* sz) {
  const __m512d zero = _mm512_setzero_pd(), hundred = _mm512_set1_pd(100.0), two = _mm512_set1_pd(2.0);
  const __m512d prox = _mm512_set1_pd(p);
  __mmask8 anyLane = 0;
  for (int i = 0; i < L.padded; i += 8) {
    const __m512d ix = _mm512_loadu_pd(&L.x[i]), iy = _mm512_loadu_pd(&L.y[i]), iz = _mm512_loadu_pd(&L.z[i]);
    const __m512d ir = _mm512_loadu_pd(&L.r[i]), id = _mm512_loadu_pd(&L.id[i]);
    const __mmask8 live = _mm512_cmp_pd_mask(id, zero, _CMP_GE_OQ) & _mm512_cmp_pd_mask(id, two, _CMP_NEQ_UQ);
    if (!live) {
      _mm512_storeu_pd(&sx[i], zero);
      _mm512_storeu_pd(&sy[i], zero);
      _mm512_storeu_pd(&sz[i], zero);
      continue;
    }
    __m512d ax = zero, ay = zero, az = zero;
    for (int j = 0; j < J.n; ++j) {
      const __m512d dx = _mm512_sub_pd(_mm512_set1_pd(J.x[j]), ix);
      const __m512d dy = _mm512_sub_pd(_mm512_set1_pd(J.y[j]), iy);
      const __m512d dz = _mm512_sub_pd(_mm512_set1_pd(J.z[j]), iz);
      const __m512d d2 =
          _mm512_add_pd(_mm512_add_pd(_mm512_mul_pd(dx, dx), _mm512_mul_pd(dy, dy)), _mm512_mul_pd(dz, dz));
      const __m512d r = _mm512_sqrt_pd(d2);
      const __m512d contact = _mm512_mul_pd(_mm512_add_pd(ir, _mm512_set1_pd(J.r[j])), prox);
      __mmask8 m = live & _mm512_cmp_pd_mask(id, _mm512_set1_pd(J.id[j]), _CMP_NEQ_UQ);
      m &= _mm512_cmp_pd_mask(r, zero, _CMP_NEQ_UQ);
      m &= _mm512_cmp_pd_mask(r, _mm512_mul_pd(hundred, contact), _CMP_GT_OQ);
      if (!m) continue;
      const __m512d a = _mm512_div_pd(_mm512_set1_pd(J.gm[j]), _mm512_mul_pd(r, r));
      ax = _mm512_mask_add_pd(ax, m, ax, _mm512_div_pd(_mm512_mul_pd(a, dx), r));
      ay = _mm512_mask_add_pd(ay, m, ay, _mm512_div_pd(_mm512_mul_pd(a, dy), r));
      az = _mm512_mask_add_pd(az, m, az, _mm512_div_pd(_mm512_mul_pd(a, dz), r));
      anyLane |= m;
    }
    _mm512_storeu_pd(&sx[i], ax);
    _mm512_storeu_pd(&sy[i], ay);
    _mm512_storeu_pd(&sz[i], az);
  }
  return anyLane != 0;
}

__attribute__((target("avx512f"))) int fusionAvx512(const Lanes& L, const double* radius, double ax, double ay,
                                                     double az, double ar, double p, int* out) {
  const __m512d zero = _mm512_setzero_pd(), hundred = _mm512_set1_pd(100.0), margin = _mm512_set1_pd(kMargin);
  const __m512d px = _mm512_set1_pd(ax), py = _mm512_set1_pd(ay), pz = _mm512_set1_pd(az);
  const __m512d pr = _mm512_set1_pd(ar), prox = _mm512_set1_pd(p);
  int n = 0;
  for (int c = L.padded - 8; c >= 0; c -= 8) {
    const __m512d dx = _mm512_sub_pd(_mm512_loadu_pd(&L.x[c]), px);
    const __m512d dy = _mm512_sub_pd(_mm512_loadu_pd(&L.y[c]), py);
    const __m512d dz = _mm512_sub_pd(_mm512_loadu_pd(&L.z[c]), pz);
    const __m512d d2 =
        _mm512_add_pd(_mm512_add_pd(_mm512_mul_pd(dx, dx), _mm512_mul_pd(dy, dy)), _mm512_mul_pd(dz, dz));
    const __m512d contact = _mm512_mul_pd(_mm512_add_pd(_mm512_loadu_pd(&radius[c]), pr), prox);
    const __m512d t = _mm512_mul_pd(hundred, contact);
    const __m512d bound = _mm512_mul_pd(_mm512_mul_pd(t, t), margin);
    __mmask8 m = _mm512_cmp_pd_mask(d2, bound, _CMP_NGT_UQ) | _mm512_cmp_pd_mask(contact, zero, _CMP_EQ_OQ);
    m &= _mm512_cmp_pd_mask(_mm512_loadu_pd(&L.id[c]), zero, _CMP_GE_OQ);
    unsigned bits = m;
    while (bits) {
      const int lane = 31 - __builtin_clz(bits);
      out[n++] = c + lane;
      bits &= ~(1u << lane);
    }
  }
  return n;
}

#endif  // QUORL_X86

}  // namespace

bool gravitySums(Simd s, const Lanes& bodies, const Pullers& pullers, double proximity, double* sx, double* sy,
                 double* sz) {
#if QUORL_X86
  if (s == Simd::Avx512) return gravityAvx512(bodies, pullers, proximity, sx, sy, sz);
  if (s == Simd::Avx2) return gravityAvx2(bodies, pullers, proximity, sx, sy, sz);
#endif
  (void)s;
  return gravityScalar(bodies, pullers, proximity, sx, sy, sz);
}

int fusionCandidates(Simd s, const Lanes& bodies, const double* radius, double ax, double ay, double az, double ar,
                     double proximity, int* out) {
#if QUORL_X86
  if (s == Simd::Avx512) return fusionAvx512(bodies, radius, ax, ay, az, ar, proximity, out);
  if (s == Simd::Avx2) return fusionAvx2(bodies, radius, ax, ay, az, ar, proximity, out);
#endif
  (void)s;
  return fusionScalar(bodies, radius, ax, ay, az, ar, proximity, out);
}

}  // namespace quorl::pass
