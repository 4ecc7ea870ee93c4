// The main loop: motion, gravity, fusion.
#include "sim/main_loop.h"

#include "app/game.h"

namespace quorl {

MainLoop::MainLoop(Game& g) : g_(g) {}

void MainLoop::pass() {}

}  // namespace quorl
