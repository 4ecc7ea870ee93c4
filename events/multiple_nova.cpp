// A chosen number of novas fired one after another.
#include "events/multiple_nova.h"

namespace quorl {

namespace {

using Self = MultipleNova::Controls;
const ControlRow<Self> kControls[] = {
    // The multiple nova is not built yet.
    {QUORL_CONTROL(TimAfrica), .kind = Kind::Timer, .interval = 200},
};

}  // namespace

MultipleNova::MultipleNova(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  c.TimAfrica->onTick = [] {};
}

}  // namespace quorl
