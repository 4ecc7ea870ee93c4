// Controls as data: the event behaviour the rules rely on, the timers in virtual time, the error gate,
// and every control of the real window walked as data.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/scenario.h"
#include "ui/errors.h"
#include "ui/ui.h"

using namespace quorl;

TEST(ControlEvents, ScrollBarRunsItsChangeOnlyWhenTheValueChanges) {
  Ui ui;
  Control& bar = ui.add("Bar", Kind::HScroll);
  bar.setRange(0, 100);
  int changes = 0;
  bar.onChange = [&] { ++changes; };
  bar.setValue(0);
  EXPECT_EQ(changes, 0);
  bar.setValue(40);
  bar.setValue(40);
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(bar.setValue(101), InvalidValueError);
  EXPECT_EQ(bar.value(), 40);
  bar.setRange(0, 10);  // the value moves inside the new range, and that is a change
  EXPECT_EQ(bar.value(), 10);
  EXPECT_EQ(changes, 2);
}

TEST(ControlEvents, OptionGroupKeepsOneChoice) {
  Ui ui;
  std::vector<Control*> opts;
  std::vector<int> clicks(3);
  for (int i = 0; i < 3; ++i) {
    Control& o = ui.add("Op(" + std::to_string(i) + ")", Kind::Option);
    o.group = "Op";
    o.onClick = [&clicks, i] { ++clicks[i]; };
    opts.push_back(&o);
  }
  Control& other = ui.add("Else", Kind::Option);
  other.group = "Else";
  other.choose();
  opts[0]->choose();
  opts[2]->press();
  EXPECT_EQ(opts[0]->value(), 0);
  EXPECT_EQ(opts[2]->value(), 1);
  EXPECT_EQ(other.value(), 1);  // another group is untouched
  EXPECT_EQ(clicks, (std::vector<int>{1, 0, 1}));
  opts[2]->choose();  // choosing the chosen one still clicks, as a mouse click does
  EXPECT_EQ(clicks[2], 2);
}

TEST(ControlEvents, CheckBoxClicksOnlyWhenItsValueChanges) {
  Ui ui;
  Control& box = ui.add("Box", Kind::CheckBox);
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setChecked(false);
  EXPECT_EQ(clicks, 0);
  box.press();
  EXPECT_TRUE(box.checked());
  box.setChecked(true);
  EXPECT_EQ(clicks, 1);
  box.press();
  EXPECT_FALSE(box.checked());
  EXPECT_EQ(clicks, 2);
}

TEST(ControlEvents, TextBoxChangesAndFocusEvents) {
  Ui ui;
  Control& box = ui.add("Box", Kind::TextBox);
  std::vector<std::string> seen;
  box.onChange = [&] { seen.push_back("change:" + box.text()); };
  box.onGotFocus = [&] { seen.push_back("got"); };
  box.onLostFocus = [&] { seen.push_back("lost"); };
  box.gainFocus();
  box.setText("12");
  box.setText("12");
  box.loseFocus();
  EXPECT_EQ(seen, (std::vector<std::string>{"got", "change:12", "lost"}));
}

TEST(ControlEvents, AnErrorIsReportedAtTheOutermostEventAndTheProgramGoesOn) {
  Ui ui;
  std::vector<std::string> reports;
  ui.report = [&](const std::string& m) { reports.push_back(m); };
  Control& inner = ui.add("Inner", Kind::Button);
  Control& outer = ui.add("Outer", Kind::Button);
  bool afterInner = false;
  inner.onClick = [] { throw OverflowError("Overflow: test"); };
  outer.onClick = [&] {
    inner.press();
    afterInner = true;  // never reached: the error leaves the whole event
  };
  outer.press();
  EXPECT_FALSE(afterInner);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], "Overflow: test");
  EXPECT_EQ(ui.depth(), 0);
  int clicks = 0;
  inner.onClick = [&] { ++clicks; };
  outer.press();
  EXPECT_EQ(clicks, 1);

  // A fault that is not a rule's error is reported too, instead of leaving the event.
  inner.onClick = [] { throw std::out_of_range("no control X"); };
  outer.press();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1], "Error: no control X");
  EXPECT_EQ(ui.depth(), 0);
}

TEST(ControlEvents, ChangesAreListedOnceUntilTaken) {
  Ui ui;
  Control& a = ui.add("A", Kind::Label);
  Control& b = ui.add("B", Kind::TextBox);
  ui.takeChanged();
  a.takeChanged();
  b.takeChanged();
  a.setCaption("x");
  a.setFore(rgb(1, 2, 3));
  b.setText("t");
  a.setCaption("x");  // the same value marks nothing
  b.setBack(b.back());
  EXPECT_EQ(ui.takeChanged(), (std::vector<Control*>{&a, &b}));
  EXPECT_EQ(a.takeChanged(), kCaption | kColors);
  EXPECT_EQ(b.takeChanged(), kText);
  EXPECT_TRUE(ui.takeChanged().empty());
  b.setText("t");
  EXPECT_TRUE(ui.takeChanged().empty());
}

TEST(Keys, TheDriverHandsAKeyToTheCore) {
  quorl::testing::Scenario sc;
  std::string keys;
  sc.g().onKey = [&](char ch) {
    keys += ch;
    if (ch == 'x') throw GameError("No fuel");
  };
  EXPECT_EQ(sc.run("key e\nkey q\nkey x\nkey  \n"), "");
  EXPECT_EQ(keys, "eqx ");
  EXPECT_EQ(sc.g().c("Labill").caption(), "No fuel");
  EXPECT_EQ(sc.run("key ab\n").rfind("!line 1: key takes one character", 0), 0u);
}

TEST(Timers, FireInTimeOrderOnlyWhileEnabled) {
  Ui ui;
  std::vector<std::string> log;
  Control& fast = ui.add("Fast", Kind::Timer);
  Control& slow = ui.add("Slow", Kind::Timer);
  fast.onTick = [&] { log.push_back("F" + std::to_string(ui.now())); };
  slow.onTick = [&] {
    log.push_back("S" + std::to_string(ui.now()));
    fast.setEnabled(false);
  };
  fast.setInterval(30);
  slow.setInterval(70);
  fast.setEnabled(true);
  slow.setEnabled(true);
  ui.advance(100);
  EXPECT_EQ(log, (std::vector<std::string>{"F30", "F60", "S70"}));
  EXPECT_EQ(ui.now(), 100);
  log.clear();
  fast.tick();  // a disabled timer does not tick, even by hand
  EXPECT_TRUE(log.empty());
  Control& zero = ui.add("Zero", Kind::Timer);
  zero.onTick = [&] { log.push_back("Z"); };
  zero.setInterval(0);
  zero.setEnabled(true);
  ui.advance(1000);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Z"), 0);  // interval 0 never fires
}

TEST(Timers, ANewIntervalRestartsTheCountdown) {
  Ui ui;
  std::vector<std::int64_t> at;
  Control& t = ui.add("T", Kind::Timer);
  t.onTick = [&] { at.push_back(ui.now()); };
  t.setInterval(100);
  t.setEnabled(true);
  ui.advance(50);
  t.setInterval(100);
  ui.advance(120);
  EXPECT_EQ(at, (std::vector<std::int64_t>{150}));
}

// Every control of the real window, as data.
TEST(Registry, EveryControlIsWellFormed) {
  quorl::testing::Scenario sc;
  std::set<std::string> names;
  for (const Control& c : sc.g().ui.all()) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(names.insert(c.name).second) << "duplicate name";
    EXPECT_FALSE(c.name.empty());
    if (c.kind == Kind::HScroll || c.kind == Kind::VScroll) {
      EXPECT_LE(c.min(), c.max());
      EXPECT_GE(c.value(), c.min());
      EXPECT_LE(c.value(), c.max());
    }
    if (c.kind == Kind::Timer) {
      EXPECT_TRUE(static_cast<bool>(c.onTick)) << "timer without tick work";
      EXPECT_GE(c.interval(), 0);
    }
    if (c.kind == Kind::Picture || c.kind == Kind::Form) {
      ASSERT_NE(c.canvas, nullptr);
      EXPECT_EQ(c.canvas->width(), c.width());
      EXPECT_EQ(c.canvas->height(), c.height());
    }
    if (!c.parent().empty()) {
      EXPECT_NE(sc.g().ui.find(c.parent()), nullptr) << "unknown parent " << c.parent();
    }
    EXPECT_GE(c.width(), 0);
    EXPECT_GE(c.height(), 0);
  }
}

TEST(Registry, EveryShownButtonDoesSomething) {
  quorl::testing::Scenario sc;
  for (const Control& c : sc.g().ui.all()) {
    if (c.kind != Kind::Button || !c.visible() || c.width() == 0) continue;
    EXPECT_TRUE(static_cast<bool>(c.onClick)) << c.name << " is shown but has no click handler";
  }
}
