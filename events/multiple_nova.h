// A chosen number of novas fired one after another.
#pragma once
#include "panels/peers.h"
#include "sim/world.h"

namespace quorl {

class MultipleNova {
 public:
  MultipleNova(World& w, Peers& p);

  struct Controls {
    Handle Command10;          // "I*": starts or stops the event
    Handle TXbanana, TXgap;    // how many novas, and the milliseconds between them
    Handle CapBanana, CapGap;  // their captions
    Handle TimAfrica;          // one nova a tick
  } c;

 private:
  void startStop();  // Command10
  void tick();       // TimAfrica
  double novaCount();

  World& w_;
  Peers& p_;
};

}  // namespace quorl
