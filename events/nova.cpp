// Novas: a world split in two.
#include "events/nova.h"

#include "app/game.h"

namespace quorl {

namespace {

// The five break-up modes, by option index.
constexpr const char* kModes[5] = {"Explode", "Spin", "Shatter", "Spiral", "Implode"};
constexpr const char* kModeTips[5] = {"Use Boom", "", "Use Spread", "", ""};

// Column A, in the gap between the preset buttons and the run frame (window units); two rows, so
// every caption fits.
constexpr int kFrameLeft = 15480, kFrameTop = 6390, kFrameWidth = 4320, kFrameHeight = 600;
constexpr int kOptionWidth = kFrameWidth / 3, kOptionTop = 30, kOptionHeight = 270;

}  // namespace

NovaPanel::NovaPanel(Game& g) : g_(g) {
  Control& frame = g.ui.add("FraSpiral", Kind::Frame);
  frame.left = kFrameLeft, frame.top = kFrameTop, frame.width = kFrameWidth, frame.height = kFrameHeight;
  frame.back = rgb(16, 16, 40);
  g.addArray("OpExIm", Kind::Option, 0, 4);
  for (int i = 0; i < 5; ++i) {
    Control& option = g.c("OpExIm", i);
    option.caption = kModes[i];
    option.toolTip = kModeTips[i];
    option.parent = "FraSpiral";
    option.left = (i % 3) * kOptionWidth, option.top = kOptionTop + (i / 3) * kOptionHeight;
    option.width = kOptionWidth, option.height = kOptionHeight;
    option.fontSize = 8;
    option.fore = rgb(224, 224, 224);
    option.back = frame.back;
    option.onClick = [this, &option] { g_.s.NovaModeCaption = option.caption; };
  }
}

}  // namespace quorl
