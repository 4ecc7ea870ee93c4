// Choosing the selected world and reporting on it.
#include "panels/focus_panel.h"

#include "app/game.h"

namespace quorl {

FocusPanel::FocusPanel(Game& g) : g_(g) {
  g.ui.add("Hcelest", Kind::HScroll);
  g.ui.add("TXnewton", Kind::TextBox);
  g.ui.add("LabWorld", Kind::Label);
  g.ui.add("LabFoc", Kind::Label);
  g.ui.add("LaFocal", Kind::Label);
  g.ui.add("Laplace", Kind::Label);
  g.ui.add("Laorb", Kind::Label);
  g.ui.add("Label4", Kind::Label);
  g.ui.add("Text2", Kind::TextBox);
  g.ui.add("LaMass", Kind::Label);
  g.ui.add("Text6", Kind::TextBox);
  g.ui.add("Label8", Kind::Label);
  g.ui.add("Chon", Kind::CheckBox);
  g.ui.add("Command66", Kind::Button);
  g.ui.add("Command9", Kind::Button);
  g.ui.add("Command7", Kind::Button);
  g.ui.add("Command13", Kind::Button);
  {
    Control& t = g.ui.add("Tix", Kind::Timer);
    t.setInterval(250);
    t.setEnabled(false);
  }
}

}  // namespace quorl
