// Launching craft and comets.
#include "events/launch.h"

#include <cmath>

#include "panels/box_input.h"
#include "panels/layout.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

using namespace layout;

using Self = LaunchPanel::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(Frame4), .kind = Kind::Frame},
    {QUORL_CONTROL(SCRpowER), .kind = Kind::HScroll, .bar = BarRange{1, 10000, 7000, 1, 1}},
    {QUORL_CONTROL(ScrAngle), .kind = Kind::HScroll, .bar = BarRange{0, 6284, 4200, 1, 1}},
    {QUORL_CONTROL(ScrStation), .kind = Kind::HScroll},
    // The boxes sit in the grid of the starting parameters.
    {QUORL_CONTROL(TXpower), .kind = Kind::TextBox, .place = paramBox(7, false), .toolTip = "Power of Thrust",
     .text = "7000", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(TXangle), .kind = Kind::TextBox, .place = paramBox(7, true),
     .toolTip = "Angle in Radians x 1000 (Full Circle = 6284)", .text = "4200", .fore = kBoxFore, .back = kBoxBack,
     .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(Text10), .kind = Kind::TextBox, .place = paramBox(8, false),
     .toolTip = "Elevation of Thrust on Z-Axis", .text = "0", .fore = kBoxFore, .back = kBoxBack, .font = kPanelFont,
     .fontSize = 8},
};

}  // namespace

LaunchPanel::LaunchPanel(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  c.TXpower->onLostFocus = [this] { powerLeft(); };
}

void LaunchPanel::powerLeft() {
  Control& box = c.TXpower;
  Control& bar = c.SCRpowER;
  const std::string keep = plain(bar.value());
  const double r = std::nearbyint(readBox(w_, box, "Thrust power"));
  if (!(r >= bar.min() && r <= bar.max()))
    return refuseBox(w_, box, keep,
                     "Thrust power (" + std::to_string(bar.min()) + ".." + std::to_string(bar.max()) + ")");
  bar.setValue(static_cast<int>(r));
}

}  // namespace quorl
