// What both front ends take from the core: the widget events as inputs, the window's layout at a scale, the
// caption's size in its room.
#include <gtest/gtest.h>

#include <vector>

#include "app/pace.h"
#include "app/run_control.h"
#include "app/widget_input.h"
#include "app/window_layout.h"
#include "scenario.h"
#include "ui/ui.h"

namespace quorl {
namespace {

namespace wl = window_layout;
using K = WidgetEvent::Kind;

WidgetEvent ev(K kind, Control* c, std::string text = "", int value = 0, bool elsewhere = false, bool inBox = false) {
  WidgetEvent e;
  e.kind = kind;
  e.control = c;
  e.text = std::move(text);
  e.value = value;
  e.elsewhere = elsewhere;
  e.inTextBox = inBox;
  return e;
}

TEST(FrontEnd, WidgetEventsAreTheGamesInputs) {
  Ui ui;
  Control& box = ui.add("Lines", Kind::TextBox);
  box.multiLine = true;
  Control& field = ui.add("Field", Kind::TextBox);
  Control& bar = ui.add("Bar", Kind::HScroll);
  Control& timer = ui.add("Clock", Kind::Timer);
  struct Case {
    WidgetEvent e;
    std::optional<Input> expect;
  };
  const std::vector<Case> cases = {
      {ev(K::Click, &bar), Input::press(bar)},
      {ev(K::Click, nullptr), std::nullopt},
      // A box of lines keeps its line ends as CR LF; a one-line box takes the text as it is.
      {ev(K::Typed, &box, "a\nb\n"), Input::typed(box, "a\r\nb\r\n")},
      {ev(K::Typed, &field, "a\nb"), Input::typed(field, "a\nb")},
      {ev(K::FocusIn, &field), Input::focusIn(field)},
      {ev(K::FocusOut, &field), Input::focusOut(field)},
      {ev(K::FocusOut, &field, "", 0, true), std::nullopt},
      {ev(K::FocusIn, &field, "", 0, true), std::nullopt},
      {ev(K::Scrolled, &bar, "", -7), Input::scrolled(bar, -7)},
      {ev(K::Tick, &timer), Input::tick(timer)},
      {ev(K::Key, nullptr, "q"), Input::key('q')},
      {ev(K::Key, nullptr, " "), Input::key(' ')},
      {ev(K::Key, nullptr, "q", 0, false, true), std::nullopt},
      {ev(K::Key, nullptr, ""), std::nullopt},
      {ev(K::Key, nullptr, "\xc3\xa9"), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(c.e.kind) << " text '" << c.e.text << "'");
    const std::optional<Input> got = inputFor(c.e);
    ASSERT_EQ(got.has_value(), c.expect.has_value());
    if (!got) continue;
    EXPECT_EQ(got->kind, c.expect->kind);
    EXPECT_EQ(got->control, c.expect->control);
    EXPECT_EQ(got->text, c.expect->text);
    EXPECT_EQ(got->value, c.expect->value);
  }
}

TEST(FrontEnd, AReplayTakesOnlyThePaceAndTheHoldFromThePlayer) {
  testing::Scenario sc;
  Game& g = sc.g();
  EXPECT_EQ(duringReplay(g, Input::press(*g.run->c.Command5)), ReplayRoute::Hold);
  EXPECT_EQ(duringReplay(g, Input::key(' ')), ReplayRoute::Hold);
  EXPECT_EQ(duringReplay(g, Input::press(g.pace->c.OpPace[2])), ReplayRoute::Game);
  EXPECT_EQ(duringReplay(g, Input::key('q')), ReplayRoute::Ignore);
  EXPECT_EQ(duringReplay(g, Input::press(*g.run->c.Command2)), ReplayRoute::Ignore);
}

TEST(FrontEnd, TheLayoutAtAScale) {
  Ui ui;
  Control& form = ui.add("Main", Kind::Form);
  form.setPlace(0, 0, 9000, 6000);
  Control& frame = ui.add("Box", Kind::Frame);
  frame.setPlace(100, 100, 3000, 2000);
  Control& a = ui.add("A", Kind::Label);
  a.setPlace(10, 0, 17, 100);
  Control& b = ui.add("B", Kind::Label);
  b.setPlace(27, 0, 17, 100);
  b.setParent("Box");
  Control& line = ui.add("L", Kind::Line);
  Control& about = ui.add("About", Kind::Form);
  about.setPlace(0, 0, 20000, 20000);

  // Edges are rounded, not sizes: A ends where B begins although both are 17 units wide.
  const wl::Rect ra = wl::placeOf(a, false, 1.0), rb = wl::placeOf(b, false, 1.0);
  EXPECT_EQ(ra, (wl::Rect{1, 0, 1, 7}));
  EXPECT_EQ(rb, (wl::Rect{2, 0, 1, 7}));
  EXPECT_EQ(wl::placeOf(form, true, 1.5), (wl::Rect{0, 0, 900, 600}));
  EXPECT_EQ(wl::containerOf(ui, b), &frame);
  EXPECT_EQ(wl::containerOf(ui, a), nullptr);
  EXPECT_TRUE(wl::isMainForm(ui, form));
  EXPECT_TRUE(wl::isOtherForm(ui, about));

  // A line without end points is not placed and takes no room; placed, its box holds both ends.
  EXPECT_FALSE(wl::shown(line, false));
  EXPECT_EQ(wl::contentUnits(ui), (wl::Size{9000, 6000}));
  line.setLine(9300, 150, 9150, 6300);
  EXPECT_EQ(wl::placeOf(line, false, 1.0), (wl::Rect{609, 9, 13, 413}));
  EXPECT_EQ(wl::contentUnits(ui), (wl::Size{9300, 6300}));

  // The scale that fits: the tighter side, a pixel and the margin spared, within the limits.
  const wl::Size units{9300, 6300};
  EXPECT_DOUBLE_EQ(wl::fitScale({1366, 744}, units), (744 - 5) * 15.0 / 6300);
  EXPECT_DOUBLE_EQ(wl::fitScale({1000, 5000}, units), (1000 - 5) * 15.0 / 9300);
  EXPECT_DOUBLE_EQ(wl::fitScale({100, 100}, units), wl::kMinScale);
  EXPECT_DOUBLE_EQ(wl::fitScale({100000, 100000}, units), wl::kMaxScale);
  EXPECT_DOUBLE_EQ(wl::fitScale({800, 600}, {}), 1.0);
  EXPECT_LE(wl::px(units.width, wl::fitScale({1366, 744}, units)) + wl::kMargin, 1366);
  EXPECT_LE(wl::px(units.height, wl::fitScale({1366, 744}, units)) + wl::kMargin, 744);
}

TEST(FrontEnd, ACaptionShrinksToItsRoomWhileLegible) {
  // A caption that fits from `fitsBelow` points down.
  struct Case {
    double size, least, fitsBelow;
    double expect;
    bool fits;
  };
  const Case cases[] = {
      {10, 6, 10, 10, true},     // fits at its own size
      {10, 6, 9.5, 9, true},     // a tenth smaller
      {10, 5.9, 6.01, 6, true},  // the smallest step, 0.6 of it
      {10, 6, 5.9, 6, false},    // cut at 0.6
      {10, 7.5, 7, 7.5, false},  // cut at the least legible size, above 0.6
      {5, 7, 7, 7, true},        // never below the least legible size
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.size << " pt, least " << c.least << ", fits below " << c.fitsBelow);
    const wl::FittedCaption f = wl::fitCaption(c.size, c.least, false, [&](double pt) { return pt <= c.fitsBelow + 1e-9; });
    EXPECT_NEAR(f.pointSize, c.expect, 1e-9);
    EXPECT_EQ(f.fits, c.fits);
  }
  EXPECT_TRUE(wl::fitCaption(10, 6, true, [](double) { return false; }).fits);
  // The least legible size: the first quarter point whose line reaches the legible height.
  EXPECT_DOUBLE_EQ(wl::leastLegibleSize([](double pt) { return pt * 1.5; }), 6.0);
  EXPECT_DOUBLE_EQ(wl::leastLegibleSize([](double pt) { return pt * 1.45; }), 6.25);
  EXPECT_EQ(wl::canvasTextPx(6, 1.0, [](int px) { return px * 1.2; }), 8);
  EXPECT_EQ(wl::canvasTextPx(6, 2.0, [](int px) { return px * 1.2; }), 16);

  const std::pair<const char*, const char*> texts[] = {
      {"a\r\nb", "a\nb"}, {"a\rb", "a\nb"}, {"a\r\r\nb", "a\n\nb"}, {"a\nb\r", "a\nb\n"}};
  for (const auto& [in, out] : texts) EXPECT_EQ(wl::displayText(in), out);
}

}  // namespace
}  // namespace quorl
