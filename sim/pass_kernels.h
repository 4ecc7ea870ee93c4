// The hot loops of a pass over bodies laid out as structure of arrays, in scalar, AVX2, AVX-512 and
// WebAssembly SIMD forms that return bit-identical results: each lane is one body i, each body's sum over the
// attractors j keeps its order, and a lane that does not qualify keeps its sum (never adds 0).
#pragma once
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace quorl::pass {

enum class Simd { Scalar, Avx2, Avx512, Wasm128 };
inline constexpr Simd kForms[] = {Simd::Scalar, Simd::Avx2, Simd::Avx512, Simd::Wasm128};

// Whether this build and this CPU (and its operating system) run the form.
bool runs(Simd s);
// The widest form that runs here.
Simd widestSimd();
const char* simdName(Simd s);

// CPUs this process may run on.
int coresAvailable();
// Threads a pass may use: a WebAssembly build without threads has only its own.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
inline constexpr int kMaxThreads = 1;
#else
inline constexpr int kMaxThreads = 64;
#endif

// How the pass runs: the vector form that measured fastest here and a thread for each core, unless
// QUORL_SIMD (scalar, avx2, avx512, wasm128) or QUORL_THREADS (1..kMaxThreads) says otherwise. Chosen once, at the
// first call, in a few milliseconds.
struct Engine {
  Simd simd = Simd::Scalar;
  int threads = 1;
  double nsPerPair[std::size(kForms)] = {};  // measured, by form; 0 for a form not measured
  std::string note;                 // why an override was set aside; empty when none was
};
const Engine& engine();
// The choice for the given environment values (null when unset), measuring if it must.
Engine chooseEngine(const char* simd, const char* threads);

inline constexpr int kLanePad = 8;
inline constexpr int kLaneBits = 14;  // a lane number below 2^14 (the table has 10,000 rows)

// Bodies as lanes, padded to a multiple of kLanePad; padding lanes have id -1.
struct Lanes {
  std::vector<double> x, y, z, r, id;
  int n = 0;       // bodies
  int padded = 0;  // lanes
  // Room for `bodies` lanes, which the caller fills, and the padding after them.
  void reset(int bodies);
};

// The attracting bodies j, in ascending order, with GravityFactor × Mass[j] precomputed.
struct Pullers {
  std::vector<double> x, y, z, r, gm, id;
  int n = 0;
  void reset(int bodies);  // room for `bodies`, which the caller fills
};

// Gravity over the lanes from..to (multiples of kLanePad). For every lane i the sums of a = gm / r²,
// a·dx/r ... over every puller j, where the pair counts when i ≠ j, i is not body 2, r ≠ 0 and
// r > 100 × (r_i + r_j) × proximity. Every other pair of distinct present bodies that is not that far
// apart (or whose contact distance is 0) is a fusion candidate: key j << kLaneBits | i.
struct GravitySlice {
  int from = 0, to = 0;
  double *sx = nullptr, *sy = nullptr, *sz = nullptr;  // indexed by lane
  std::uint32_t* keys = nullptr;                       // room for (to - from) × pullers keys
  int found = 0;                                       // keys written
  int firstPulled = -1;                                // lowest lane with a counted pair, or -1
};
void gravitySlice(Simd s, const Lanes& bodies, const Pullers& pullers, double proximity, GravitySlice& slice);

// The arithmetic of gravity for every pair of lanes from..to and pullers, with no test at all: the
// floor the pass is measured against.
void floorSlice(Simd s, const Lanes& bodies, const Pullers& pullers, int from, int to, double* sx, double* sy,
                double* sz);

}  // namespace quorl::pass
