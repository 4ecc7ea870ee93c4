// The body editor shown while paused.
#include "panels/body_editor.h"

namespace quorl {

namespace {

using Self = BodyEditor::Controls;
const ControlRow<Self> kControls[] = {
    // The editor's blinking marker is not built yet.
    {QUORL_CONTROL(TiF), .kind = Kind::Timer, .interval = 500},
    {QUORL_CONTROL(TXTOden), .kind = Kind::TextBox, .toolTip = "Planetary Body Number", .text = "0",
     .fore = rgb(255, 255, 255), .back = rgb(48, 48, 48), .hidden = true},
    {QUORL_CONTROL(TxTyp), .kind = Kind::TextBox, .toolTip = "1 = Large Star, 2 = Small Star, 3 = Planets", .text = "X",
     .fore = rgb(255, 192, 192), .back = rgb(48, 48, 48), .hidden = true},
};

}  // namespace

BodyEditor::BodyEditor(World& w, Peers& p) : w_(w), p_(p) {
  declare(w.ui, c, kControls);
  c.TiF->onTick = [] {};
}

}  // namespace quorl
