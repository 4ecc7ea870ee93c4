// The hot loops of a pass: runtime dispatch to the form the caller asks for.
#include "sim/pass_kernels.h"

#include "sim/lanes_scalar.h"
#include "sim/pass_kernel.h"
#include "sim/pass_kernel_forms.h"

namespace quorl::pass {

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

namespace {

constexpr Kernels kScalarKernels{&gravityKernel<ScalarLanes>, &fusionKernel<ScalarLanes>};

const Kernels& kernels(Simd s) {
#if QUORL_X86
  if (s == Simd::Avx512) return kAvx512Kernels;
  if (s == Simd::Avx2) return kAvx2Kernels;
#endif
  (void)s;
  return kScalarKernels;
}

}  // namespace

bool gravitySums(Simd s, const Lanes& bodies, const Pullers& pullers, double proximity, double* sx, double* sy,
                 double* sz) {
  return kernels(s).gravity(bodies, pullers, proximity, sx, sy, sz);
}

int fusionCandidates(Simd s, const Lanes& bodies, const double* radius, double ax, double ay, double az, double ar,
                     double proximity, int* out) {
  return kernels(s).fusion(bodies, radius, ax, ay, az, ar, proximity, out);
}

}  // namespace quorl::pass
