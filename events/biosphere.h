// Atmosphere, water and life.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class Biosphere {
 public:
  Biosphere(World& w, Peers& p);

  struct Controls {
    Handle TiK, TimWheel;  // the run tick and the biosphere tick
    Handle FraLif, txGG, FraCosmo;
    ControlArray LaMount;  // 0..5: the life labels; their colours are the blink colours of a craft's payload
  } c;

  // What a new crater of the given size does to the life of the body it struck (Aquatiq, Terrestrial).
  void impactToll(int body, int craterSize);

 private:
  World& w_;
  Peers& p_;
};

}  // namespace quorl
