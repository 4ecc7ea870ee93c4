// The body editor shown while paused.
#include "panels/body_editor.h"

#include "app/game.h"

namespace quorl {

BodyEditor::BodyEditor(Game& g) : g_(g) {
  {
    Control& t = g.ui.add("TiF", Kind::Timer);
    t.setInterval(500);
    t.setEnabled(false);
    t.onTick = [] {};  // the editor's blinking marker is not built yet
  }
  // The editor's number and type boxes; hidden while the simulation runs (the auto clear and
  // system creation test whether they show).
  Control& number = g.ui.add("TXTOden", Kind::TextBox);
  number.setText("0");
  number.toolTip = "Planetary Body Number";
  number.fore = rgb(255, 255, 255);
  number.back = rgb(48, 48, 48);
  number.visible = false;
  Control& type = g.ui.add("TxTyp", Kind::TextBox);
  type.setText("X");
  type.toolTip = "1 = Large Star, 2 = Small Star, 3 = Planets";
  type.fore = rgb(255, 192, 192);
  type.back = rgb(48, 48, 48);
  type.visible = false;
}

}  // namespace quorl
