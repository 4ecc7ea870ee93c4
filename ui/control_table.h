// Controls declared as data. Each panel lists its controls once, as rows of a table (name, kind, place,
// captions, colours, tool tips), and the rows fill the panel's typed handles; the core reaches a control
// through its handle, so a misspelt control is a compile error. Names are for the registry only.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "ui/ui.h"

namespace quorl {

// One control, as a panel holds it.
class Handle {
 public:
  Control* operator->() const { return &get(); }
  Control& operator*() const { return get(); }
  operator Control&() const { return get(); }  // NOLINT: a handle stands for its control
  Control& get() const;
  void bind(Control& c) { c_ = &c; }

 private:
  Control* c_ = nullptr;
};

// The elements first..last of a control array (CDp(1..10)), addressed by index as the rules address them.
class ControlArray {
 public:
  Control& operator[](int i) const;  // GameError outside first..last
  Control* find(int i) const;        // null outside first..last
  int first() const { return first_; }
  int last() const { return first_ + static_cast<int>(items_.size()) - 1; }
  std::vector<Control*>::const_iterator begin() const { return items_.begin(); }
  std::vector<Control*>::const_iterator end() const { return items_.end(); }
  void add(int index, Control& c);

 private:
  std::string name_;
  int first_ = 0;
  std::vector<Control*> items_;
};

struct Place {
  int left = 0, top = 0, width = 0, height = 0;
};

struct BarRange {
  int min = 0, max = 0, value = 0, small = 1, large = 1;
};

// A row of a panel's table: the handle it fills, then everything it says about its control(s).
template <class Handles>
struct ControlRow {
  Handle Handles::*one = nullptr;
  ControlArray Handles::*many = nullptr;
  const char* name = "";
  Kind kind = Kind::Label;
  int first = 0, last = 0;  // array elements (arrays only)
  const char* parent = "";  // container frame by name
  Place place{};
  const char* caption = nullptr;
  const char* toolTip = nullptr;
  const char* text = nullptr;
  std::optional<Color> fore{}, back{};
  const char* font = nullptr;
  double fontSize = 0;
  bool bold = false;
  bool hidden = false;
  bool readOnly = false;
  bool multiLine = false;
  bool outsideGame = false;
  std::optional<BarRange> bar{};
  int interval = 0;  // timers
  bool running = false;
};

// The handle and the registry name from one word, so the two cannot drift apart.
#define QUORL_CONTROL(h) .one = &Self::h, .name = #h
#define QUORL_CONTROLS(h) .many = &Self::h, .name = #h

// Gives a new control the properties a row sets.
template <class Handles>
void applyRow(Ui& ui, Control& c, const ControlRow<Handles>& row) {
  c.setParent(row.parent);
  c.setPlace(row.place.left, row.place.top, row.place.width, row.place.height);
  if (row.caption) c.setCaption(row.caption);
  if (row.toolTip) c.setToolTip(row.toolTip);
  if (row.fore) c.setFore(*row.fore);
  if (row.back) c.setBack(*row.back);
  if (row.font) c.setFontName(row.font);
  if (row.fontSize > 0) c.setFontSize(row.fontSize);
  c.setFontBold(row.bold);
  c.setVisible(!row.hidden);
  c.setReadOnly(row.readOnly);
  c.multiLine = row.multiLine;
  c.outsideGame = row.outsideGame;
  if (row.text) c.setText(row.text);
  if (row.bar) {
    c.setRange(row.bar->min, row.bar->max);
    c.setSteps(row.bar->small, row.bar->large);
    c.setValue(row.bar->value);
  }
  if (row.kind == Kind::Form || row.kind == Kind::Picture)
    c.canvas = ui.makeCanvas(row.place.width, row.place.height, c.back());
  if (row.kind == Kind::Timer) {
    c.setInterval(row.interval);
    c.setEnabled(row.running);
  }
}

// Creates every control of a table and binds the handles.
template <class Handles, std::size_t N>
void declare(Ui& ui, Handles& handles, const ControlRow<Handles> (&rows)[N]) {
  for (const ControlRow<Handles>& row : rows) {
    if (row.one) {
      Control& c = ui.add(row.name, row.kind);
      applyRow(ui, c, row);
      (handles.*row.one).bind(c);
      continue;
    }
    for (int i = row.first; i <= row.last; ++i) {
      Control& c = ui.add(std::string(row.name) + "(" + std::to_string(i) + ")", row.kind);
      if (row.kind == Kind::Option) c.group = row.name;
      applyRow(ui, c, row);
      (handles.*row.many).add(i, c);
    }
  }
}

// The same, for a panel that keeps references into its controls from its first line on.
template <class Handles, std::size_t N>
Handles declared(Ui& ui, const ControlRow<Handles> (&rows)[N]) {
  Handles handles{};
  declare(ui, handles, rows);
  return handles;
}

}  // namespace quorl
