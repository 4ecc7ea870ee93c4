// The orbit views: where a body lands in each area, its colour, and clearing by hand and by timer.
#include "views/orbit_views.h"

#include <gtest/gtest.h>

#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;
using Op = RecordingCanvas::Op;

constexpr const char* kAreas[] = {"Quorl", "PiZX", "PiZY", "LOxy", "LoZY", "LoZX"};

class Views : public ::testing::Test {
 protected:
  Views() : sc(true) {
    for (const char* a : kAreas) rec(a).entries.clear();
    // Payload colours as the life panel sets them; read from the labels at each call.
    g().c("LaMount(2)").setFore(rgb(192, 192, 255));
    g().c("LaMount(2)").setBack(rgb(0, 64, 144));
    body(5, 30.5f, 31.5f, 200.4f);  // CInt: 30, 32, 200
  }
  Game& g() { return sc.g(); }
  RecordingCanvas& rec(const char* area) { return static_cast<RecordingCanvas&>(g().canvas(area)); }
  void body(int i, float r, float gr, float bl) { g().b.ColorR[i] = r, g().b.ColorG[i] = gr, g().b.ColorB[i] = bl; }
  std::vector<RecordingCanvas::Entry> points(const char* area) {
    std::vector<RecordingCanvas::Entry> out;
    for (const auto& e : rec(area).entries)
      if (e.op == Op::Point) out.push_back(e);
    return out;
  }
  int clears(const char* area) { return static_cast<int>(rec(area).count(Op::Clear)); }
  void expectPoint(const char* area, double x, double y, Color c) {
    auto p = points(area);
    ASSERT_EQ(p.size(), 1u) << area;
    EXPECT_EQ(p[0].x, x) << area;
    EXPECT_EQ(p[0].y, y) << area;
    EXPECT_EQ(p[0].color, c) << area;
  }
  void forget() {
    for (const char* a : kAreas) rec(a).entries.clear();
  }
  OrbitViews& views() { return *g().views; }

  Scenario sc;
};

TEST_F(Views, OriginLandsAtEachAreasCentre) {
  views().BomBA(0, 0, 0, 5);
  const Color c = rgb(30, 32, 200);
  expectPoint("Quorl", 7680, 5760, c);
  expectPoint("PiZX", 5280, 1200, c);
  expectPoint("PiZY", 1200, 3360, c);
  expectPoint("LOxy", 1207.5, 1207.5, c);
  expectPoint("LoZY", 1200, 1207.5, c);
  expectPoint("LoZX", 1207.5, 1200, c);
}

TEST_F(Views, PointsOnAnEdgeAreNotDrawn) {
  for (int x : {-7680, 7680}) views().BomBA(x, 0, 0, 5);  // u = 0 and u = 15360
  for (int y : {-5760, 5760}) views().BomBA(0, y, 0, 5);  // v = 0 and v = 11520
  EXPECT_TRUE(points("Quorl").empty());
  forget();
  views().BomBA(0, 0, -1200, 5);  // Z on the top edge of the edge view and the left edge of the side view
  EXPECT_TRUE(points("PiZX").empty());
  EXPECT_TRUE(points("PiZY").empty());
  EXPECT_EQ(points("Quorl").size(), 1u);
  forget();
  views().BomBA(-5280, 0, 0, 5);  // left edge of the edge view
  EXPECT_TRUE(points("PiZX").empty());
  forget();
  views().BomBA(7679, 5759, 0, 5);  // one unit inside
  EXPECT_EQ(points("Quorl").size(), 1u);
  forget();
  views().BomBA(0, 0, 1199, 5);
  EXPECT_EQ(points("PiZX").size(), 1u);
  EXPECT_EQ(points("PiZY").size(), 1u);
  forget();
  views().BomBA(-24150, 0, 0, 5);  // xx = 0 exactly in the zoom-out views
  EXPECT_TRUE(points("LOxy").empty());
  EXPECT_TRUE(points("LoZX").empty());
  EXPECT_EQ(points("LoZY").size(), 1u);
}

TEST_F(Views, FarRightIsOffTheMainViewButInTheZoomOut) {
  views().BomBA(24000, 0, 0, 5);
  EXPECT_TRUE(points("Quorl").empty());
  EXPECT_TRUE(points("PiZX").empty());
  expectPoint("LOxy", 2407.5, 1207.5, rgb(30, 32, 200));
}

TEST_F(Views, SpacecraftBlinkInThePayloadColours) {
  g().b.BodyKind[6] = 12, g().b.CraftCode[6] = 4;
  g().s.BlinkPhase = 0;
  views().BomBA(0, 0, 0, 6);
  for (const char* a : kAreas) EXPECT_TRUE(points(a).empty()) << a << ": not shown before the zoom timer ticks";
  g().s.BlinkPhase = 1;
  views().BomBA(0, 0, 0, 6);
  for (const char* a : kAreas) EXPECT_EQ(points(a).back().color, rgb(192, 192, 255)) << a;
  g().s.BlinkPhase = 2;
  views().BomBA(0, 0, 0, 6);
  for (const char* a : kAreas) EXPECT_EQ(points(a).back().color, rgb(0, 64, 144)) << a;
  forget();
  views().BomBB(0, 0, 0, 6);  // debris and markers keep the body's own colour
  g().s.BlinkPhase = 0;
  views().BomBB(0, 0, 0, 6);
  for (const char* a : kAreas) EXPECT_EQ(points(a).size(), 2u) << a;
  EXPECT_EQ(points("Quorl")[0].color, rgb(0, 0, 0));
}

TEST_F(Views, HighKindWithoutCraftCodeIsAnOrdinaryBody) {
  g().b.BodyKind[5] = 14, g().b.CraftCode[5] = 0;
  g().s.BlinkPhase = 0;
  views().BomBA(0, 0, 0, 5);
  EXPECT_EQ(points("Quorl").at(0).color, rgb(30, 32, 200));
}

TEST_F(Views, SelectedWorldOnlyGreysTheZoomOutButLetsCraftBlinkElsewhere) {
  g().c("OptUp(7)").choose();
  g().s.Focus = 9;
  body(9, 10, 20, 30);
  g().b.BodyKind[6] = 12, g().b.CraftCode[6] = 4;
  g().s.BlinkPhase = 1;
  views().BomBA(0, 0, 0, 6);
  EXPECT_EQ(points("LOxy").back().color, rgb(77, 77, 77));
  EXPECT_EQ(points("Quorl").back().color, rgb(192, 192, 255));
  EXPECT_EQ(points("LoZX").back().color, rgb(192, 192, 255));
  views().BomBA(0, 0, 0, 9);
  EXPECT_EQ(points("LOxy").back().color, rgb(255, 255, 255));
  EXPECT_EQ(points("Quorl").back().color, rgb(10, 20, 30));
  g().s.BlinkPhase = 0;  // the grey does not wait for the blink
  views().BomBA(0, 0, 0, 6);
  EXPECT_EQ(points("LOxy").size(), 3u);
  EXPECT_EQ(points("Quorl").size(), 2u);
  views().BomBB(0, 0, 0, 6);
  EXPECT_EQ(points("LOxy").back().color, rgb(0, 0, 0));
}

TEST_F(Views, ClearButtonLeavesTheZoomOutsAndClickingOneClearsAllThree) {
  g().c("Label13").setVisible(true);
  g().c("Command4").press();
  for (const char* a : {"Quorl", "PiZX", "PiZY"}) EXPECT_EQ(clears(a), 1) << a;
  for (const char* a : {"LOxy", "LoZY", "LoZX"}) EXPECT_EQ(clears(a), 0) << a;
  EXPECT_FALSE(g().c("Label13").visible());
  EXPECT_EQ(g().c("Command4").caption(), "Clear");
  EXPECT_EQ(g().c("Command4").toolTip(), "Clear Screen");
  forget();
  g().c("LoZY").press();
  for (const char* a : {"LOxy", "LoZY", "LoZX"}) EXPECT_EQ(clears(a), 1) << a;
  EXPECT_EQ(clears("Quorl"), 0);
}

TEST_F(Views, ChoosingSelectedWorldOnlyClearsTheZoomOutXY) {
  g().c("OptUp(3)").choose();
  EXPECT_EQ(clears("LOxy"), 0);
  g().c("OptUp(7)").choose();
  EXPECT_EQ(clears("LOxy"), 1);
  EXPECT_EQ(clears("LoZX"), 0);
}

class AutoClear : public Views {
 protected:
  Control& box() { return g().c("CHacs"); }
  Control& bar() { return g().c("Hacl"); }
  Control& text() { return g().c("TXref"); }
  Control& timer() { return g().c("Tiball"); }
};

TEST_F(AutoClear, TickingTheBoxRunsTheTimerAtTheTypedRate) {
  text().setText("7");
  box().press();
  EXPECT_TRUE(text().visible());
  EXPECT_TRUE(timer().timerRunning());
  EXPECT_EQ(timer().interval(), 7000);
  g().ui.advance(6999);
  EXPECT_EQ(clears("Quorl"), 0);
  g().ui.advance(1);
  EXPECT_EQ(clears("Quorl"), 1);
  box().press();
  EXPECT_FALSE(text().visible());
  EXPECT_FALSE(timer().timerRunning());
}

TEST_F(AutoClear, ScrollBarSetsTheTextAndIntervalButNotTheRunningState) {
  bar().setValue(12);
  EXPECT_EQ(text().text(), "12");
  EXPECT_EQ(timer().interval(), 12000);
  EXPECT_FALSE(timer().timerRunning());
}

TEST_F(AutoClear, LeavingTheBoxMovesTheBarAndRestartsARunningTimer) {
  box().press();
  text().setText("9");
  text().loseFocus();
  EXPECT_EQ(bar().value(), 9);
  EXPECT_EQ(timer().interval(), 9000);
  EXPECT_TRUE(timer().timerRunning());
}

TEST_F(AutoClear, TimesTheBarCannotHoldAreRefusedInTheBox) {
  for (const char* bad : {"0", "31", "", "abc", "-4", "1e10"}) {
    g().status("");
    text().setText(bad);
    text().loseFocus();
    EXPECT_EQ(bar().value(), 5) << bad;
    EXPECT_EQ(text().text(), "5") << bad;
    EXPECT_EQ(g().c("Labill").caption(), "Clear Screen Time must be 1 to 30 seconds.") << bad;
  }
  text().setText("30.4");  // rounds into range
  text().loseFocus();
  EXPECT_EQ(bar().value(), 30);
}

TEST_F(AutoClear, AnIntervalNoTimerCanTakeDoesNotFire) {
  text().setText("1e12");  // typed, box not left
  box().press();
  EXPECT_EQ(timer().interval(), 0);
  EXPECT_FALSE(timer().timerRunning());
  EXPECT_NE(g().c("Labill").caption().find("cannot be used"), std::string::npos);
}

TEST_F(AutoClear, TickClearsTheViewsUnlessTheEditorIsOpen) {
  box().press();
  g().c("TXTOden").setVisible(true);
  g().s.ZoomLabelRequest = 2;
  timer().tick();
  for (const char* a : kAreas) EXPECT_EQ(clears(a), 0) << a;
  EXPECT_EQ(g().s.ZoomLabelRequest, 2);

  g().c("TXTOden").setVisible(false);
  rec("PicMoon").entries.clear();
  rec("PicSide").entries.clear();
  timer().tick();
  for (const char* a : {"Quorl", "PiZX", "PiZY", "PicMoon", "PicSide"}) EXPECT_EQ(clears(a), 1) << a;
  for (const char* a : {"LOxy", "LoZY", "LoZX"}) EXPECT_EQ(clears(a), 0) << a;
  EXPECT_EQ(g().s.ZoomLabelRequest, 1);
}

}  // namespace
}  // namespace quorl
