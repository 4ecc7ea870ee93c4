// The hot loops of a pass, written once over a lane type V. Each file that includes this header
// builds them for its own instruction set; the anonymous namespace keeps every instantiation inside
// its file, so code for one instruction set is never shared with another file. For the same reason
// the library headers come before a file's target pragma.
//
// Each lane is one body i; its sum over the pullers j keeps their order, and a lane that does not
// qualify keeps its sum through V::addIf (it never adds 0). V gives, on vectors D and masks M:
// load, store, set1, add, sub, mul, div, sqrt; ge, gt, eq (false when unordered), ne, ngt (true
// when unordered); both, either, addIf, any, and bits (lane k at bit k).
#pragma once
#include "sim/pass_kernels.h"

namespace quorl::pass {
namespace {

// A relative margin far above the rounding of T·T, so that d² beyond it means r ≥ T for sure.
constexpr double kMargin = 1.0 + 1.0 / (1ull << 40);

template <class V>
bool gravityKernel(const Lanes& L, const Pullers& J, double p, double* sx, double* sy, double* sz) {
  using D = typename V::D;
  using M = typename V::M;
  const D zero = V::set1(0.0), hundred = V::set1(100.0), two = V::set1(2.0), prox = V::set1(p);
  bool counted = false;
  for (int i = 0; i < L.padded; i += V::kWidth) {
    const D ix = V::load(&L.x[i]), iy = V::load(&L.y[i]), iz = V::load(&L.z[i]);
    const D ir = V::load(&L.r[i]), id = V::load(&L.id[i]);
    const M live = V::both(V::ge(id, zero), V::ne(id, two));
    D ax = zero, ay = zero, az = zero;
    const int pulling = V::any(live) ? J.n : 0;  // a block without a live lane keeps its zero sums
    for (int j = 0; j < pulling; ++j) {
      const D dx = V::sub(V::set1(J.x[j]), ix);
      const D dy = V::sub(V::set1(J.y[j]), iy);
      const D dz = V::sub(V::set1(J.z[j]), iz);
      const D r = V::sqrt(V::add(V::add(V::mul(dx, dx), V::mul(dy, dy)), V::mul(dz, dz)));
      const D contact = V::mul(V::add(ir, V::set1(J.r[j])), prox);
      M m = V::both(live, V::ne(id, V::set1(J.id[j])));
      m = V::both(m, V::ne(r, zero));
      m = V::both(m, V::gt(r, V::mul(hundred, contact)));
      if (!V::any(m)) continue;
      const D a = V::div(V::set1(J.gm[j]), V::mul(r, r));
      ax = V::addIf(m, ax, V::div(V::mul(a, dx), r));
      ay = V::addIf(m, ay, V::div(V::mul(a, dy), r));
      az = V::addIf(m, az, V::div(V::mul(a, dz), r));
      counted = true;
    }
    V::store(&sx[i], ax);
    V::store(&sy[i], ay);
    V::store(&sz[i], az);
  }
  return counted;
}

template <class V>
int fusionKernel(const Lanes& L, const double* radius, double ax, double ay, double az, double ar, double p, int* out) {
  using D = typename V::D;
  using M = typename V::M;
  const D zero = V::set1(0.0), hundred = V::set1(100.0), margin = V::set1(kMargin);
  const D px = V::set1(ax), py = V::set1(ay), pz = V::set1(az), pr = V::set1(ar), prox = V::set1(p);
  int n = 0;
  for (int c = L.padded - V::kWidth; c >= 0; c -= V::kWidth) {
    const D dx = V::sub(V::load(&L.x[c]), px);
    const D dy = V::sub(V::load(&L.y[c]), py);
    const D dz = V::sub(V::load(&L.z[c]), pz);
    const D d2 = V::add(V::add(V::mul(dx, dx), V::mul(dy, dy)), V::mul(dz, dz));
    const D contact = V::mul(V::add(V::load(&radius[c]), pr), prox);
    const D t = V::mul(hundred, contact);
    M m = V::either(V::ngt(d2, V::mul(V::mul(t, t), margin)), V::eq(contact, zero));
    m = V::both(m, V::ge(V::load(&L.id[c]), zero));
    for (unsigned bits = V::bits(m); bits != 0;) {
      const int lane = 31 - __builtin_clz(bits);
      out[n++] = c + lane;
      bits &= ~(1u << lane);
    }
  }
  return n;
}

}  // namespace
}  // namespace quorl::pass
