// A control of the window as plain data, with the event behaviour the game's rules rely on:
// events run synchronously, before the call that caused them returns. Every setter that changes a
// property marks it, so the window updates only what changed.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "ui/canvas.h"
#include "ui/color.h"

namespace quorl {

class Ui;

enum class Kind {
  Form,
  Label,
  TextBox,
  Button,
  CheckBox,
  Option,
  HScroll,
  VScroll,
  Frame,
  Picture,
  Shape,
  Line,
  Timer
};

const char* kindName(Kind k);

// What changed since the window last looked.
enum Aspect : unsigned {
  kCaption = 1u << 0,
  kText = 1u << 1,
  kToolTip = 1u << 2,
  kColors = 1u << 3,
  kGeometry = 1u << 4,
  kFont = 1u << 5,
  kVisible = 1u << 6,
  kEnabled = 1u << 7,
  kReadOnly = 1u << 8,
  kValue = 1u << 9,
  kRange = 1u << 10,
  kParent = 1u << 11,
  kAllAspects = (1u << 12) - 1,
};

class Control {
 public:
  Control(Ui& ui, std::string name, Kind kind);

  const std::string name;
  const Kind kind;

  // Plain properties: setting them runs nothing.
  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& s) { set(caption_, s, kCaption); }
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(const std::string& s) { set(toolTip_, s, kToolTip); }
  Color fore() const { return fore_; }
  void setFore(Color c) { set(fore_, c, kColors); }
  Color back() const { return back_; }
  void setBack(Color c) { set(back_, c, kColors); }
  bool visible() const { return visible_; }
  void setVisible(bool on) { set(visible_, on, kVisible); }
  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool on) { set(readOnly_, on, kReadOnly); }

  // Window units, relative to the parent frame.
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void setLeft(int v) { set(left_, v, kGeometry); }
  void setTop(int v) { set(top_, v, kGeometry); }
  void setWidth(int v) { set(width_, v, kGeometry); }
  void setHeight(int v) { set(height_, v, kGeometry); }
  void setPlace(int left, int top, int width, int height);
  // The container frame, by name (the window resolves it); empty for the window itself.
  const std::string& parent() const { return parent_; }
  void setParent(const std::string& frame) { set(parent_, frame, kParent); }

  const std::string& fontName() const { return fontName_; }
  double fontSize() const { return fontSize_; }
  bool fontBold() const { return fontBold_; }
  void setFontName(const std::string& f) { set(fontName_, f, kFont); }
  void setFontSize(double s) { set(fontSize_, s, kFont); }
  void setFontBold(bool b) { set(fontBold_, b, kFont); }

  // Line shapes: end points in window units.
  int x1() const { return x1_; }
  int y1() const { return y1_; }
  int x2() const { return x2_; }
  int y2() const { return y2_; }
  void setLine(int x1, int y1, int x2, int y2);

  // Scroll bars: the steps of an arrow click and of a click on the track.
  int smallChange() const { return smallChange_; }
  int largeChange() const { return largeChange_; }
  void setSteps(int small, int large);

  bool multiLine = false;          // text boxes: set once, when declared
  // The player's, not the game's (the pace, what the window shows of the future, the goals): set once,
  // when declared. Such a control is neither recorded nor replayed nor kept with a game's state.
  bool outsideGame = false;
  std::string group;               // option buttons of one group exclude each other
  std::unique_ptr<Canvas> canvas;  // pictures and the window's own surface

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

  // Enabled, for a timer: running.
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);

  // Timers.
  int interval() const { return interval_; }
  void setInterval(int ms);
  bool timerRunning() const { return kind == Kind::Timer && enabled_ && interval_ > 0; }
  void tick();  // runs onTick as an event

  // The aspects changed since the last call (the window's refresh reads them).
  unsigned takeChanged();

  // Every property a rule or the window can change, as plain data. A replay puts a recorded window back
  // with restore(), which runs no handler.
  struct Snapshot {
    std::string caption, toolTip, text, parent, fontName;
    Color fore, back;
    bool visible, enabled, readOnly, fontBold;
    int left, top, width, height, x1, y1, x2, y2, smallChange, largeChange, value, min, max, interval;
    double fontSize;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot snapshot() const;
  void restore(const Snapshot& s);

 private:
  template <typename T>
  void set(T& field, const T& v, unsigned aspect) {
    if (field == v) return;
    field = v;
    touch(aspect);
  }
  void touch(unsigned aspect);
  void fire(const std::function<void()>& handler);

  Ui& ui_;
  std::string caption_, toolTip_, text_, parent_;
  Color fore_{0, 0, 0}, back_{212, 208, 200};
  bool visible_ = true, enabled_ = true, readOnly_ = false;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::string fontName_ = "Georgia";
  double fontSize_ = 9;
  bool fontBold_ = false;
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  int smallChange_ = 1, largeChange_ = 1;
  int value_ = 0, min_ = 0, max_ = 0;
  int interval_ = 0;
  unsigned changed_ = 0;
};

// Sets a scroll bar to v, kept inside its range; a bar whose range was never given is left alone.
void setClamped(Control& bar, double v);

}  // namespace quorl
