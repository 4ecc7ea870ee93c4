// The hot loops of a pass over bodies laid out as structure of arrays, in scalar, AVX2 and AVX-512
// forms that return bit-identical results: each lane is one body i, each body's sum over the
// attractors j keeps its order, and a lane that does not qualify keeps its sum (never adds 0).
#pragma once
#include <vector>

namespace quorl::pass {

enum class Simd { Scalar, Avx2, Avx512 };

// The widest form this CPU (and its operating system) can run.
Simd bestSimd();
const char* simdName(Simd s);

inline constexpr int kLanePad = 8;

// Bodies as lanes, padded to a multiple of kLanePad; padding lanes have id -1.
struct Lanes {
  std::vector<double> x, y, z, r, id;
  int n = 0;       // bodies
  int padded = 0;  // lanes
  void reset(int bodies);
};

// The attracting bodies j, in ascending order, with GravityFactor × Mass[j] precomputed.
struct Pullers {
  std::vector<double> x, y, z, r, gm, id;
  int n = 0;
  void reset(int bodies);
};

// Sums of a = gm / r², a·dx/r ... over every puller j for every lane i, where the pair counts when
// i ≠ j, i is not body 2, r ≠ 0 and r > 100 × (r_i + r_j) × proximity. Returns whether any pair counted.
bool gravitySums(Simd s, const Lanes& bodies, const Pullers& pullers, double proximity, double* sx, double* sy,
                 double* sz);

// Lane positions, highest first, of the bodies that may lie within the fusion distance of body a
// (at ax, ay, az with radius ar): every pair the exact test could fuse is among them, and the caller
// decides each one exactly. `radius` holds the lanes' radii. Returns the count written to `out`.
int fusionCandidates(Simd s, const Lanes& bodies, const double* radius, double ax, double ay, double az, double ar,
                     double proximity, int* out);

}  // namespace quorl::pass
