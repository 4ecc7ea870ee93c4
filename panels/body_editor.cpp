// The body editor shown while paused.
#include "panels/body_editor.h"

#include "app/game.h"

namespace quorl {

BodyEditor::BodyEditor(Game& g) : g_(g) {
  {
    Control& t = g.ui.add("TiF", Kind::Timer);
    t.setInterval(500);
    t.setEnabled(false);
  }
  g.ui.add("TXTOden", Kind::TextBox);
  g.ui.add("TxTyp", Kind::TextBox);
}

}  // namespace quorl
