// The hot loops of a pass, written once over a lane type V. Each file that includes this header
// builds them for its own instruction set; the anonymous namespace keeps every instantiation inside
// its file, so code for one instruction set is never shared with another file. For the same reason
// the library headers come before a file's target pragma, and the kernels use no library templates.
//
// Each lane is one body i; its sum over the pullers j keeps their order, and a lane that does not
// qualify keeps its sum through V::addIf (it never adds 0). V gives, on vectors D and masks M:
// load, store, set1, add, sub, mul, div, sqrt; ge, gt, eq (false when unordered), ne, ngt (true
// when unordered); none, both, either, addIf, any, and bits (lane k at bit k).
#pragma once
#include "sim/pass_kernels.h"

namespace quorl::pass {
namespace {

template <class V>
void gravityKernel(const Lanes& L, const Pullers& J, double p, GravitySlice& s) {
  using D = typename V::D;
  using M = typename V::M;
  const D zero = V::set1(0.0), hundred = V::set1(100.0), two = V::set1(2.0), prox = V::set1(p);
  std::uint32_t* keys = s.keys;
  int found = 0, first = -1;
  for (int i = s.from; i < s.to; i += V::kWidth) {
    const D ix = V::load(&L.x[i]), iy = V::load(&L.y[i]), iz = V::load(&L.z[i]);
    const D ir = V::load(&L.r[i]), id = V::load(&L.id[i]);
    const M present = V::ge(id, zero);
    const M pulled = V::both(present, V::ne(id, two));  // body 2 is never pulled, but it may fuse
    D ax = zero, ay = zero, az = zero;
    M pulledAny = V::none();
    const int pulling = V::any(present) ? J.n : 0;  // a block of padding keeps its zero sums
    for (int j = 0; j < pulling; ++j) {
      const D dx = V::sub(V::set1(J.x[j]), ix);
      const D dy = V::sub(V::set1(J.y[j]), iy);
      const D dz = V::sub(V::set1(J.z[j]), iz);
      const D r = V::sqrt(V::add(V::add(V::mul(dx, dx), V::mul(dy, dy)), V::mul(dz, dz)));
      const D contact = V::mul(V::add(ir, V::set1(J.r[j])), prox);
      const D reach = V::mul(hundred, contact);
      const D jd = V::set1(J.id[j]);
      // The pairs gravity leaves out for nearness are the ones the fusion test may take (a contact of
      // 0 is replaced there by the proximity); it decides each of them exactly.
      const M close = V::both(V::both(present, V::ne(id, jd)), V::either(V::ngt(r, reach), V::eq(contact, zero)));
      if (V::any(close))
        for (unsigned bits = V::bits(close); bits != 0; bits &= bits - 1)
          keys[found++] =
              static_cast<std::uint32_t>(j) << kLaneBits | static_cast<std::uint32_t>(i + __builtin_ctz(bits));
      M m = V::both(pulled, V::ne(id, jd));
      m = V::both(m, V::ne(r, zero));
      m = V::both(m, V::gt(r, reach));
      if (!V::any(m)) continue;
      const D a = V::div(V::set1(J.gm[j]), V::mul(r, r));
      ax = V::addIf(m, ax, V::div(V::mul(a, dx), r));
      ay = V::addIf(m, ay, V::div(V::mul(a, dy), r));
      az = V::addIf(m, az, V::div(V::mul(a, dz), r));
      pulledAny = V::either(pulledAny, m);
    }
    if (first < 0 && V::any(pulledAny)) first = i + __builtin_ctz(V::bits(pulledAny));
    V::store(&s.sx[i], ax);
    V::store(&s.sy[i], ay);
    V::store(&s.sz[i], az);
  }
  s.found = found;
  s.firstPulled = first;
}

// The same arithmetic for every pair, without a test: what the machine can do at best.
template <class V>
void floorKernel(const Lanes& L, const Pullers& J, int from, int to, double* sx, double* sy, double* sz) {
  using D = typename V::D;
  for (int i = from; i < to; i += V::kWidth) {
    const D ix = V::load(&L.x[i]), iy = V::load(&L.y[i]), iz = V::load(&L.z[i]);
    D ax = V::set1(0.0), ay = ax, az = ax;
    for (int j = 0; j < J.n; ++j) {
      const D dx = V::sub(V::set1(J.x[j]), ix);
      const D dy = V::sub(V::set1(J.y[j]), iy);
      const D dz = V::sub(V::set1(J.z[j]), iz);
      const D r = V::sqrt(V::add(V::add(V::mul(dx, dx), V::mul(dy, dy)), V::mul(dz, dz)));
      const D a = V::div(V::set1(J.gm[j]), V::mul(r, r));
      ax = V::add(ax, V::div(V::mul(a, dx), r));
      ay = V::add(ay, V::div(V::mul(a, dy), r));
      az = V::add(az, V::div(V::mul(a, dz), r));
    }
    V::store(&sx[i], ax);
    V::store(&sy[i], ay);
    V::store(&sz[i], az);
  }
}

}  // namespace
}  // namespace quorl::pass
