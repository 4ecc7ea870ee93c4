// The picture of the selected world and those after it.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class PlanetPicture {
 public:
  PlanetPicture(World& w, Peers& p);

  struct Controls {
    Handle PicWorld;  // a strip along the bottom of the main view; start-up gives it its top
    Handle TimWo;
  } c;

 private:
  World& w_;
  Peers& p_;
};

}  // namespace quorl
