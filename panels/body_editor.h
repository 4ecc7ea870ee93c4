// The body editor shown while paused.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class BodyEditor {
 public:
  BodyEditor(World& w, Peers& p);

  struct Controls {
    Handle TiF;  // the blinking marker
    // The editor's number and type boxes; hidden while the simulation runs (the auto clear and system
    // creation test whether they show).
    Handle TXTOden, TxTyp;
  } c;

 private:
  World& w_;
  Peers& p_;
};

}  // namespace quorl
