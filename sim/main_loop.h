// The main loop: one pass moves every body, applies gravity, draws, fuses close pairs and logs them.
#pragma once
#include <cstdint>
#include <vector>

#include "sim/pass_kernels.h"
#include "sim/pass_report.h"
#include "sim/world.h"
#include "ui/errors.h"

namespace quorl {

// ⌊v⌋ as a signed 16-bit plot coordinate; an OverflowError when it does not fit (or is not a number).
inline std::int16_t Int16(double v) {
  if (!(v >= -32768.0 && v < 32768.0)) throw OverflowError("Overflow: a position does not fit 16 bits");
  int t = static_cast<int>(v);  // truncation, then one step down for negative fractions
  return static_cast<std::int16_t>(t - (t > v));
}

class MainLoop {
 public:
  MainLoop(World& w, PassReport& report);
  // One pass of the loop, without its yield.
  void pass();

  // The vector form the gravity and fusion loops use (the widest the CPU runs, unless narrowed).
  pass::Simd simd() const { return simd_; }
  // Narrows (or widens up to what the CPU runs) the vector form; every form gives the same table.
  void setSimd(pass::Simd s);

 private:
  void orbitCounter();
  void motion();
  void gravity(int attractors);
  void gravityPlain(int attractors);  // one pair at a time, when GravityFactor cannot be formed
  void fusion(int attractors, int debris);
  // The exact fusion test of one pair (with the zero-radius rule), and the fusion when it holds.
  void examine(int a, int b, int debris);
  void fuse(int a, int b, int debris);
  // Squash(Mass)/1000, computed again only when the mass has changed since the last call.
  double radiusOf(int k);
  void gatherLive(int count);

  World& w_;
  PassReport& report_;
  pass::Simd best_, simd_;
  bool fused_ = false;

  // Radius cache by the bits of the mass it was computed from.
  std::vector<std::uint64_t> cachedMass_;
  std::vector<double> cachedRadius_;
  std::vector<std::uint8_t> cached_;

  // Bodies whose Gone flag is not 1, ascending, as lanes.
  pass::Lanes live_;
  std::vector<int> liveIndex_;
  int liveCount_ = -1;  // BodyCount the lanes were gathered for
  pass::Pullers pullers_;
  std::vector<double> sx_, sy_, sz_, fusionRadius_;
  std::vector<int> candidates_;
};

}  // namespace quorl
