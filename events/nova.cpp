// Novas: a world split in two.
#include "events/nova.h"

#include "app/game.h"

namespace quorl {

NovaPanel::NovaPanel(Game& g) : g_(g) {
  g.addArray("OpExIm", Kind::Option, 0, 4);
}

}  // namespace quorl
