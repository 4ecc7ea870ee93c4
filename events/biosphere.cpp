// Atmosphere, water and life.
#include "events/biosphere.h"

#include "app/game.h"

namespace quorl {

namespace {

// The payload labels: their two colours are also the blink colours of a craft carrying that life.
struct Payload {
  Color fore, back;
  const char* toolTip;
};
const Payload kPayloads[6] = {
    {rgb(255, 255, 255), rgb(0, 0, 0), ""},
    {rgb(202, 252, 15), rgb(0, 128, 0), "Microbial Variation on this world"},
    {rgb(192, 192, 255), rgb(0, 64, 144), "Aquatiq Variation on this world"},
    {rgb(255, 128, 128), rgb(112, 80, 0), "Terran  Variation on this world"},
    {rgb(204, 128, 255), rgb(96, 0, 96), "Fungoidal Variation on this world"},
    {rgb(255, 224, 128), rgb(96, 96, 0), ""},
};

}  // namespace

Biosphere::Biosphere(Game& g) : g_(g) {
  {
    Control& t = g.ui.add("TiK", Kind::Timer);
    t.setInterval(60);
    t.setEnabled(false);
    t.onTick = [] {};  // the start runs it; the live count and star marker it will drive come with life
  }
  {
    Control& t = g.ui.add("TimWheel", Kind::Timer);
    t.setInterval(150);
    t.setEnabled(true);
    t.onTick = [] {};  // atmosphere, water and life are not built yet
  }
  g.ui.add("FraLif", Kind::Frame);
  g.ui.add("txGG", Kind::TextBox);
  g.ui.add("FraCosmo", Kind::Frame);
  g.addArray("LaMount", Kind::Label, 0, 5);
  for (int k = 0; k < 6; ++k) {
    Control& label = g.c("LaMount", k);
    label.fore = kPayloads[k].fore;
    if (k > 0) label.back = kPayloads[k].back;  // label 0 keeps the label's default back colour
    label.toolTip = kPayloads[k].toolTip;
  }
  g.ui.add("LaNu", Kind::Label);
}

}  // namespace quorl
