// Novas: a world split in two.
#include "events/nova.h"

#include "app/game.h"

namespace quorl {

namespace {

// The five break-up modes, by option index.
constexpr const char* kModes[5] = {"Explode", "Spin", "Shatter", "Spiral", "Implode"};
constexpr const char* kModeTips[5] = {"Use Boom", "", "Use Spread", "", ""};

}  // namespace

NovaPanel::NovaPanel(Game& g) : g_(g) {
  g.addArray("OpExIm", Kind::Option, 0, 4);
  for (int i = 0; i < 5; ++i) {
    Control& option = g.c("OpExIm", i);
    option.caption = kModes[i];
    option.toolTip = kModeTips[i];
    option.onClick = [this, &option] { g_.s.NovaModeCaption = option.caption; };
  }
}

}  // namespace quorl
