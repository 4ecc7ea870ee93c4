// Building a new system from a preset.
#include "sim/creation.h"

#include "app/game.h"

namespace quorl {

Creation::Creation(Game& g) : g_(g) {
  g.addArray("CDp", Kind::Button, 0, 11);
}

}  // namespace quorl
