// The main loop: one pass moves every body, applies gravity, draws, fuses close pairs and logs them.
#pragma once
#include <cstdint>
#include <memory>
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

  // The vector form of the gravity loop (the fastest here, see pass::engine), and the threads it runs
  // on for systems of kThreadedBodies present bodies or more. Every form and every thread count gives
  // the same table; a form the CPU cannot run falls back to the widest it can.
  static constexpr int kThreadedBodies = 64;
  pass::Simd simd() const { return simd_; }
  void setSimd(pass::Simd s);
  int threads() const { return threads_; }
  void setThreads(int n);
  // The threads a pass over this many present bodies uses.
  int threadsFor(int bodies) const { return bodies >= kThreadedBodies ? threads_ : 1; }

  // Seconds of one sweep of the bare gravity arithmetic over the bodies and pullers of the last pass,
  // on the threads that pass used: the floor of the pass. 0 when the last pass had no lanes.
  double floorSweep();

 private:
  void orbitCounter();
  void motion();
  void gravity(int attractors);
  void gravityPlain(int attractors);  // one pair at a time, when GravityFactor cannot be formed
  void slice(int pulling, int threads);
  void fusion(int attractors, int debris);
  // The exact fusion test of one pair (with the zero-radius rule), and the fusion when it holds.
  void examine(int a, int b, int debris);
  void fuse(int a, int b, int debris);
  // Squash(Mass)/1000, computed again only when the mass has changed since the last call.
  double radiusOf(int k);

  World& w_;
  PassReport& report_;
  pass::Simd widest_, simd_;
  int threads_;
  bool fused_ = false;

  // Radius cache by the bits of the mass it was computed from.
  std::vector<std::uint64_t> cachedMass_;
  std::vector<double> cachedRadius_;
  std::vector<std::uint8_t> cached_;

  // Bodies whose Gone flag is not 1, ascending, as lanes (filled by the gravity step).
  pass::Lanes live_;
  std::vector<int> liveIndex_;
  int liveCount_ = -1;  // BodyCount the lanes were gathered for
  pass::Pullers pullers_;
  std::vector<double> sx_, sy_, sz_;
  std::vector<double> oldRadius_;  // by lane: Radius before the gravity step refreshed it
  std::vector<pass::GravitySlice> slices_;
  std::vector<char> sliceAgree_;  // by slice: its radii allow the candidates
  int sliceThreads_ = 1;
  std::unique_ptr<std::uint32_t[]> keyRoom_;  // each slice's fusion candidates, uninitialised
  std::size_t keyCap_ = 0;
  // The fusion candidates of the pass, highest puller first, then highest lane: the order the fusion
  // step examines its pairs; valid for the radii and the proximity the gravity step saw.
  std::vector<std::uint32_t> fusionKeys_;
  double keysProximity_ = 0;
  bool radiiAgree_ = false;
};

}  // namespace quorl
