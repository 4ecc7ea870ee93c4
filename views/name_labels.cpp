// Body names printed on the main view.
#include "views/name_labels.h"

#include "app/game.h"

namespace quorl {

NameLabels::NameLabels(Game& g) : g_(g) {
  g.addArray("OptUp", Kind::Option, 0, 7);
  g.ui.add("Label5", Kind::Label);
}

}  // namespace quorl
