// A chosen number of novas fired one after another.
#include "events/multiple_nova.h"

#include "app/game.h"

namespace quorl {

MultipleNova::MultipleNova(Game& g) : g_(g) {
  {
    Control& t = g.ui.add("TimAfrica", Kind::Timer);
    t.setInterval(200);
    t.setEnabled(false);
    t.onTick = [] {};  // the multiple nova is not built yet
  }
}

}  // namespace quorl
