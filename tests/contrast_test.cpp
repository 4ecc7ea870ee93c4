// Readable text: a colour that stands 3:1 from its background stays; one that does not is mixed toward
// white on a dark background and toward black on a light one, no further than it takes.
#include "ui/contrast.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(Contrast, ColoursBelowThreeToOneAreMixedJustFarEnough) {
  EXPECT_DOUBLE_EQ(contrastRatio(rgb(255, 255, 255), rgb(0, 0, 0)), 21);
  EXPECT_DOUBLE_EQ(contrastRatio(rgb(0, 0, 0), rgb(255, 255, 255)), 21);
  const struct {
    Color text, back, shown;
  } cases[] = {
      {rgb(255, 255, 255), rgb(0, 0, 0), rgb(255, 255, 255)},
      {rgb(90, 90, 90), rgb(0, 0, 0), rgb(90, 90, 90)},          // 3.04:1 stays
      {rgb(89, 89, 89), rgb(0, 0, 0), rgb(90, 90, 90)},          // 2.998:1 goes one step
      {rgb(250, 60, 200), rgb(16, 16, 0), rgb(250, 60, 200)},    // a world's colour on the strip
      {rgb(0, 0, 128), rgb(0, 0, 0), rgb(79, 79, 167)},          // a dark class colour: lighter, still blue
      {rgb(128, 0, 0), rgb(0, 0, 0), rgb(156, 56, 56)},
      {rgb(48, 48, 48), rgb(48, 48, 48), rgb(121, 121, 121)},    // text in its own back colour
      {rgb(255, 255, 128), rgb(255, 255, 255), rgb(152, 152, 76)},  // on a light back: darker
      {rgb(200, 200, 200), rgb(200, 200, 200), rgb(111, 111, 111)},
      // Either side of the grey where white and black stand equally far: lighter below it, darker above.
      {rgb(120, 120, 120), rgb(110, 110, 110), rgb(199, 199, 199)},
      {rgb(120, 120, 120), rgb(128, 128, 128), rgb(55, 55, 55)},
  };
  for (const auto& c : cases) {
    const Color shown = legibleOn(c.text, c.back);
    EXPECT_EQ(shown, c.shown) << int(c.text.r) << "," << int(c.text.g) << "," << int(c.text.b);
    EXPECT_GE(contrastRatio(shown, c.back), 3.0);
  }
}

}  // namespace
}  // namespace quorl
