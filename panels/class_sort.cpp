// Planet classes and the colour code.
#include "panels/class_sort.h"

#include "app/game.h"

namespace quorl {

ClassSort::ClassSort(Game& g) : g_(g) {
  g.ui.add("Command6", Kind::Button);
  g.addArray("Lapl", Kind::Label, 0, 8);
  g.ui.add("LaPlan", Kind::Label);
  g.ui.add("Label7", Kind::Label);
}

}  // namespace quorl
