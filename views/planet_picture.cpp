// The picture of the selected world and those after it.
#include "views/planet_picture.h"

namespace quorl {

namespace {

using Self = PlanetPicture::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(PicWorld), .kind = Kind::Picture, .place = {0, 11280, 15255, 2175}, .back = rgb(16, 16, 0)},
    // The start runs it; the strip it will draw is not built yet.
    {QUORL_CONTROL(TimWo), .kind = Kind::Timer, .interval = 2000},
};

}  // namespace

PlanetPicture::PlanetPicture(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  c.TimWo->onTick = [] {};
}

}  // namespace quorl
