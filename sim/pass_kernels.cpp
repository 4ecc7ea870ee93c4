// The hot loops of a pass: runtime dispatch to the form the caller asks for, and the choice of form
// and thread count, measured once.
#include "sim/pass_kernels.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#if defined(__linux__)
#include <sched.h>
#endif

#include "sim/lanes_scalar.h"
#include "sim/pass_kernel.h"
#include "sim/pass_kernel_forms.h"

namespace quorl::pass {

void Lanes::reset(int bodies) {
  n = bodies;
  padded = (bodies + kLanePad - 1) / kLanePad * kLanePad;
  for (auto* v : {&x, &y, &z, &r, &id}) {
    v->resize(static_cast<std::size_t>(padded));
    std::fill(v->begin() + bodies, v->end(), v == &id ? -1.0 : 0.0);
  }
}

void Pullers::reset(int bodies) {
  n = bodies;
  for (auto* v : {&x, &y, &z, &r, &gm, &id}) v->resize(static_cast<std::size_t>(bodies));
}

const char* simdName(Simd s) {
  switch (s) {
    case Simd::Scalar: return "scalar";
    case Simd::Avx2: return "avx2";
    case Simd::Avx512: return "avx512";
    case Simd::Wasm128: return "wasm128";
  }
  return "?";
}

bool runs(Simd s) {
#if QUORL_X86
  __builtin_cpu_init();
#endif
  switch (s) {
    case Simd::Scalar: return true;
#if QUORL_X86
    case Simd::Avx2: return __builtin_cpu_supports("avx2");
    case Simd::Avx512: return __builtin_cpu_supports("avx512f");
#endif
#if QUORL_WASM128
    case Simd::Wasm128: return true;
#endif
    default: return false;
  }
}

Simd widestSimd() {
  for (Simd s : {Simd::Avx512, Simd::Avx2, Simd::Wasm128})
    if (runs(s)) return s;
  return Simd::Scalar;
}

int coresAvailable() {
#if defined(__linux__)
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
#endif
  return std::max(1u, std::thread::hardware_concurrency());
}

namespace {

constexpr Kernels kScalarKernels{&gravityKernel<ScalarLanes>, &floorKernel<ScalarLanes>};

const Kernels& kernels(Simd s) {
#if QUORL_X86
  if (s == Simd::Avx512) return kAvx512Kernels;
  if (s == Simd::Avx2) return kAvx2Kernels;
#endif
#if QUORL_WASM128
  if (s == Simd::Wasm128) return kWasm128Kernels;
#endif
  (void)s;
  return kScalarKernels;
}

// Nanoseconds a pair of the gravity kernel in each form the CPU runs, the best of a few rounds over a
// small cloud in which every pair counts (about a millisecond in all).
void measure(Engine& e) {
  constexpr int kBodies = 256, kPulling = 48, kRounds = 5;
  Lanes lanes;
  lanes.reset(kBodies);
  Pullers pullers;
  pullers.reset(kPulling);
  unsigned seed = 12345;
  const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) / 4294967296.0; };
  for (int k = 0; k < kBodies; ++k)
    lanes.x[k] = 1000 * next(), lanes.y[k] = 1000 * next(), lanes.z[k] = 100 * next(), lanes.r[k] = 1e-3,
    lanes.id[k] = k + 3;
  for (int j = 0; j < kPulling; ++j)
    pullers.x[j] = 1000 * next(), pullers.y[j] = 1000 * next(), pullers.z[j] = 100 * next(), pullers.r[j] = 1e-3,
    pullers.gm[j] = next(), pullers.id[j] = kBodies + 10 + j;
  std::vector<double> sums(3 * static_cast<std::size_t>(lanes.padded));
  std::vector<std::uint32_t> keys(static_cast<std::size_t>(lanes.padded) * kPulling);
  GravitySlice slice{0,          lanes.padded, sums.data(), sums.data() + lanes.padded, sums.data() + 2 * lanes.padded,
                     keys.data()};
  double best[std::size(kForms)];
  std::fill(std::begin(best), std::end(best), 1e30);
  for (int round = 0; round < kRounds + 1; ++round)
    for (Simd form : kForms) {
      if (!runs(form)) continue;
      const auto start = std::chrono::steady_clock::now();
      gravitySlice(form, lanes, pullers, 1.0, slice);
      const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
      const int f = static_cast<int>(form);
      if (round > 0) best[f] = std::min(best[f], ns / (kBodies * kPulling));  // round 0 warms the units up
    }
  for (Simd form : kForms) {
    if (!runs(form)) continue;
    const int f = static_cast<int>(form);
    e.nsPerPair[f] = best[f];
    if (best[f] < best[static_cast<int>(e.simd)]) e.simd = form;
  }
}

}  // namespace

Engine chooseEngine(const char* simd, const char* threads) {
  Engine e;
  e.simd = Simd::Scalar;
  bool forced = false;
  if (simd) {
    int asked = -1;
    for (Simd f : kForms)
      if (std::strcmp(simd, simdName(f)) == 0) asked = static_cast<int>(f);
    if (asked < 0)
      e.note = std::string("QUORL_SIMD=") + simd + " is not scalar, avx2, avx512 or wasm128; the fastest form is used";
    else if (!runs(static_cast<Simd>(asked)))
      e.note = std::string("QUORL_SIMD=") + simd + ": this CPU does not run it; the fastest form is used";
    else e.simd = static_cast<Simd>(asked), forced = true;
  }
  if (!forced) measure(e);

  e.threads = std::min(coresAvailable(), kMaxThreads);
  if (threads) {
    char* end = nullptr;
    const long n = std::strtol(threads, &end, 10);
    if (end != threads && *end == '\0' && n >= 1 && n <= kMaxThreads) {
      e.threads = static_cast<int>(n);
    } else {
      if (!e.note.empty()) e.note += "; ";
      e.note += std::string("QUORL_THREADS=") + threads + " is not a thread count (1.." + std::to_string(kMaxThreads) +
                "); " + std::to_string(e.threads) + " are used";
    }
  }
  return e;
}

const Engine& engine() {
  static const Engine e = chooseEngine(std::getenv("QUORL_SIMD"), std::getenv("QUORL_THREADS"));
  return e;
}

void gravitySlice(Simd s, const Lanes& bodies, const Pullers& pullers, double proximity, GravitySlice& slice) {
  kernels(s).gravity(bodies, pullers, proximity, slice);
}

void floorSlice(Simd s, const Lanes& bodies, const Pullers& pullers, int from, int to, double* sx, double* sy,
                double* sz) {
  kernels(s).floor(bodies, pullers, from, to, sx, sy, sz);
}

}  // namespace quorl::pass
