// What a front end's widget did, in the toolkit's own terms, and the input it is for the game: the Qt window
// and the browser page hand the game their clicks, typing, focus changes, scroll bars, keys and timer ticks
// through the same mapping, and a recording played in either takes from the player only the pace and the hold.
#pragma once
#include <optional>
#include <string>

#include "ui/input.h"

namespace quorl {

class Game;

struct WidgetEvent {
  enum class Kind { Click, Typed, FocusIn, FocusOut, Scrolled, Key, Tick };
  Kind kind = Kind::Click;
  Control* control = nullptr;  // every kind but Key
  std::string text = {};       // Typed: the box's text as the widget holds it (lines by LF); Key: the key's text
  int value = 0;               // Scrolled
  // Focus: another application or a menu took the focus, or gave it back; the player did not leave the box.
  bool elsewhere = false;
  // Key: a text box holds the focus; what it lets through (Return, Escape, keys of a read-only box) was
  // typed into it.
  bool inTextBox = false;
};

// The input a widget event is for, or none (a key that steers nothing, a focus that went elsewhere).
std::optional<Input> inputFor(const WidgetEvent& e);

// Return or Tab in this box hands the keys to the main view (the focus box picks the craft to steer);
// Return in any other box takes what was typed as Tab does.
bool handsKeysToMainView(Game& g, const Control& box);

// A recording playing in a front end: the player's inputs go to the game only for the pace; "Pause" and the
// space bar hold and release the replay; everything else is ignored.
enum class ReplayRoute { Game, Hold, Ignore };
ReplayRoute duringReplay(Game& g, const Input& in);

// An input of the player's game: while rewind shows a past moment, Pause or the space bar plays on from it
// (as letting go of the timeline does) rather than reaching the game.
void applyPlayerInput(Game& g, const Input& in);

}  // namespace quorl
