// What enters the game from outside: a click, typed text, a scroll, a focus change, a key, a timer's tick
// or a turn of the main loop's pump. The window, the driver and a replay hand every one of them to the game
// at one place (Game::apply), where a recording sees them all.
#pragma once
#include <string>

#include "ui/control.h"

namespace quorl {

struct Input {
  enum class Kind : unsigned char { Press, Text, Value, FocusIn, FocusOut, Key, Tick, Pass };

  Kind kind = Kind::Pass;
  Control* control = nullptr;  // every kind but Key and Pass
  std::string text;            // Text
  int value = 0;               // Value; Key: the character

  static Input press(Control& c) { return {Kind::Press, &c, {}, 0}; }
  static Input typed(Control& c, std::string t) { return {Kind::Text, &c, std::move(t), 0}; }
  static Input scrolled(Control& c, int v) { return {Kind::Value, &c, {}, v}; }
  static Input focusIn(Control& c) { return {Kind::FocusIn, &c, {}, 0}; }
  static Input focusOut(Control& c) { return {Kind::FocusOut, &c, {}, 0}; }
  static Input key(char ch) { return {Kind::Key, nullptr, {}, static_cast<unsigned char>(ch)}; }
  static Input tick(Control& timer) { return {Kind::Tick, &timer, {}, 0}; }
  static Input pass() { return {}; }
};

}  // namespace quorl
