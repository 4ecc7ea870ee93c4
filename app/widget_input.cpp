// Widget events as inputs of the game.
#include "app/widget_input.h"

#include "app/game.h"
#include "app/replay_state.h"
#include "app/rewind.h"
#include "app/run_control.h"
#include "app/timeline.h"
#include "app/window_layout.h"
#include "panels/focus_panel.h"

namespace quorl {

std::optional<Input> inputFor(const WidgetEvent& e) {
  using K = WidgetEvent::Kind;
  if (e.kind != K::Key && !e.control) return std::nullopt;
  switch (e.kind) {
    case K::Click: return Input::press(*e.control);
    case K::Typed: return Input::typed(*e.control, window_layout::typedText(*e.control, e.text));
    case K::FocusIn: return e.elsewhere ? std::nullopt : std::optional(Input::focusIn(*e.control));
    case K::FocusOut: return e.elsewhere ? std::nullopt : std::optional(Input::focusOut(*e.control));
    case K::Scrolled: return Input::scrolled(*e.control, e.value);
    case K::Tick: return Input::tick(*e.control);
    case K::Key:
      // Only what types a character of its own steers: not a key held by a box, not a bare modifier.
      if (e.inTextBox || e.text.empty() || static_cast<unsigned char>(e.text[0]) >= 128) return std::nullopt;
      return Input::key(e.text[0]);
  }
  return std::nullopt;
}

bool handsKeysToMainView(Game& g, const Control& box) { return &box == &*g.focus->c.TXnewton; }

ReplayRoute duringReplay(Game& g, const Input& in) {
  if (in.kind == Input::Kind::Press && in.control == &*g.run->c.Command5) return ReplayRoute::Hold;
  if (in.kind == Input::Kind::Key && in.value == ' ') return ReplayRoute::Hold;
  if (in.control && isPaceControl(g, *in.control)) return ReplayRoute::Game;
  return ReplayRoute::Ignore;
}

void applyPlayerInput(Game& g, const Input& in) {
  const Rewind* rw = g.rewind();
  const bool playOn = in.kind == Input::Kind::Press ? in.control == &*g.run->c.Command5
                                                    : in.kind == Input::Kind::Key && in.value == ' ';
  if (rw && rw->holding() && playOn) g.timeline->release();
  else g.apply(in);
}

}  // namespace quorl
