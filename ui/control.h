// A control of the window as plain data, with the event behaviour the game's rules rely on:
// events run synchronously, before the call that caused them returns.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/color.h"

namespace quorl {

class Ui;

enum class Kind { Form, Label, TextBox, Button, CheckBox, Option, HScroll, VScroll, Frame, Picture, Shape, Line, Timer };

const char* kindName(Kind k);

class Control {
 public:
  Control(Ui& ui, std::string name, Kind kind);

  const std::string name;
  const Kind kind;

  // Plain properties: writing them runs nothing.
  std::string caption, toolTip;
  Color fore{0, 0, 0}, back{212, 208, 200};
  bool visible = true, enabled = true, readOnly = false;
  int left = 0, top = 0, width = 0, height = 0;  // window units, relative to `parent`
  std::string parent;                            // container frame, empty for the window
  std::string fontName = "Georgia";
  double fontSize = 9;
  bool fontBold = false;
  bool multiLine = false;
  int smallChange = 1, largeChange = 1;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line shape end points
  std::string group;                    // option buttons of one group exclude each other
  std::unique_ptr<Canvas> canvas;       // pictures and the window's own surface

  // Handlers, set by the subsystem that owns the control.
  std::function<void()> onClick, onChange, onGotFocus, onLostFocus, onTick;

  // Text box text: a change runs onChange.
  const std::string& text() const { return text_; }
  void setText(const std::string& t);

  // Scroll bars: a different value runs onChange; a value outside min..max is refused (InvalidValueError).
  // Check boxes: 0/1, a change runs onClick. Option buttons: 1 when chosen.
  int value() const { return value_; }
  void setValue(int v);
  int min() const { return min_; }
  int max() const { return max_; }
  void setRange(int lo, int hi);  // keeps the value inside; a moved value runs onChange
  bool checked() const { return value_ != 0; }
  void setChecked(bool on);

  // Option button: choose it (clears the others of its group, then runs onClick).
  void choose();
  // A mouse click or a press from code: buttons, labels, frames, pictures run onClick;
  // check boxes toggle; option buttons are chosen.
  void press();
  void gainFocus();
  void loseFocus();

  // Timers.
  int interval() const { return interval_; }
  void setInterval(int ms);
  void setEnabled(bool on);  // for timers, starts or stops the countdown
  bool timerRunning() const { return kind == Kind::Timer && enabled && interval_ > 0; }
  void tick();  // runs onTick as an event

 private:
  void fire(const std::function<void()>& handler);

  Ui& ui_;
  std::string text_;
  int value_ = 0, min_ = 0, max_ = 0;
  int interval_ = 0;
};

}  // namespace quorl
