// The powers Celestials grant over the selected world, and the probes that look for a world of a class.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class CelestialPowers {
 public:
  CelestialPowers(World& w, Peers& p);

  struct Controls {
    Handle CDfab, CDsub, CDdec;  // Fabricate, Sublimate, Decimate
    ControlArray CmdMars;        // 0..2: probes for a Mars world, an Earth world, a Super earth
  } c;

  // The biosphere tick's verdict: each power is usable while the system holds enough Celestials.
  void enableFor(int celestialSum);

 private:
  void fabricate();
  void sublimate();
  void decimate();
  void probe(int i);
  void spend(int f);  // one Celestial from the world's own counter

  World& w_;
  Peers& p_;
};

}  // namespace quorl
