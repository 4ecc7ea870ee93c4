// A chosen number of novas fired one after another.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class MultipleNova {
 public:
  MultipleNova(World& w, Peers& p);

  struct Controls {
    Handle TimAfrica;  // one nova a tick
  } c;

 private:
  World& w_;
  Peers& p_;
};

}  // namespace quorl
