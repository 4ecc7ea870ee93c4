// The zoom view: what one tick draws and counts, its marks for events, and its controls.
#include "views/zoom_view.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sim/numbers.h"
#include "sim/squash.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;
using Op = RecordingCanvas::Op;

constexpr int F = 10;  // the focus body, at the origin

struct Zoom : ::testing::Test {
  Scenario sc{true};
  Game& g = sc.g();
  RecordingCanvas& moon = dynamic_cast<RecordingCanvas&>(g.canvas("PicMoon"));
  RecordingCanvas& side = dynamic_cast<RecordingCanvas&>(g.canvas("PicSide"));
  Control& timer = g.c("TimZkrol");

  void SetUp() override {
    g.s.BodyCount = 20;
    for (int i = 0; i < kRows; ++i) g.b.Gone[i] = 1;
    for (int i = 2; i <= 20; ++i) {
      g.b.Gone[i] = 0;
      g.b.PosX[i] = 100000;  // far away unless a test moves it
      g.b.Mass[i] = 1e-7;    // 25 dots when drawn as a circle
      g.b.BodyName[i] = "B" + std::to_string(i);
      g.b.ColorR[i] = static_cast<float>(i), g.b.ColorG[i] = 100, g.b.ColorB[i] = 200;
    }
    g.b.PosX[F] = 0;
    g.b.Mass[F] = 0.00005;  // 50 dots
    g.b.ColorR[F] = 250, g.b.ColorG[F] = 250, g.b.ColorB[F] = 0;
    g.s.Focus = F;
    g.s.Proximity = 1;
    g.s.Magnification = 1;
    g.s.ZoomRate = 60;
    g.s.ZoomLabelRequest = 2;
  }
  void tick() {
    moon.entries.clear();
    side.entries.clear();
    timer.tick();
  }
  std::size_t points(const RecordingCanvas& c, Color col) const {
    std::size_t n = 0;
    for (const auto& e : c.entries) n += e.op == Op::Point && e.color == col;
    return n;
  }
  std::string locals() { return g.c("LaLocal").caption(); }
};

TEST_F(Zoom, LocalsLieStrictlyInsideTenTimesTheScale) {
  // TXmoonzoom 30: locals within 300 units.
  g.b.PosX[3] = 300;      // exactly 10 x L: not a local
  g.b.PosX[4] = -299.99;  // just inside
  g.b.PosY[5] = 0;        // same place as the focus: never a local
  g.b.PosX[5] = 0;
  tick();
  EXPECT_EQ(locals(), "1");
  EXPECT_EQ(points(moon, rgb(4, 100, 200)), 29u);  // 25 steps run to 2.3 pi
  EXPECT_EQ(points(moon, rgb(3, 100, 200)), 0u);
  EXPECT_EQ(points(moon, rgb(250, 250, 0)), 58u);  // the focus outline, 50 steps
  EXPECT_EQ(g.c("LaVel").caption(), " 0");
  EXPECT_EQ(timer.interval(), 60);

  g.b.PosX[3] = 299.9999999;
  tick();
  EXPECT_EQ(locals(), "2");
}

TEST_F(Zoom, ScreenMappingAndDrawnRadius) {
  g.b.PosX[4] = -30;  // dx = 30
  g.b.PosY[4] = 15;   // dy = -15
  g.b.PosZ[4] = 6;    // dz = -6
  g.b.Mass[4] = 1e-7;
  g.c("ChGlob").setChecked(false);
  tick();
  const double k = 1000.0 / 30;
  const auto& pts = moon.entries;
  bool found = false;
  for (const auto& e : pts)
    if (e.color == rgb(4, 100, 200)) {
      found = true;
      EXPECT_DOUBLE_EQ(e.x, 4380 - 30 * k);
      EXPECT_DOUBLE_EQ(e.y, 4000 + 15 * k);
    }
  EXPECT_TRUE(found);
  for (const auto& e : side.entries)
    if (e.color == rgb(4, 100, 200)) {
      EXPECT_DOUBLE_EQ(e.y, 2500 + 6 * k);
    }
  // Centre cross in the focus colour when ChGlob is clear: 5 points plus the outline.
  EXPECT_EQ(points(moon, rgb(250, 250, 0)), 5u + 58u);
  EXPECT_DOUBLE_EQ(g.b.Radius[4], Squash(1e-7) / 1000);

  // The focus outline: radius Proximity / z x r with z = 30 / 100000.
  const double R = 1 / (30 / 100000.0) * (Squash(0.00005) / 1000);
  bool onCircle = false;
  for (const auto& e : moon.entries)
    if (e.color == rgb(250, 250, 0) && std::abs(e.y - 4000) < 1e-9 && e.x > 4400) {
      onCircle = true;
      EXPECT_NEAR(e.x, 4380 + R, 1e-6);
    }
  EXPECT_TRUE(onCircle);
}

TEST_F(Zoom, GoneFocusEmptiesTheView) {
  g.b.PosX[4] = 10;
  tick();
  ASSERT_EQ(locals(), "1");
  g.b.Gone[F] = 1;
  moon.pset(1, 1, rgb(9, 9, 9));
  timer.tick();
  EXPECT_EQ(locals(), "~");
  EXPECT_EQ(g.c("LaFocal").caption(), "0");
  EXPECT_TRUE(moon.sinceClear().empty());
  EXPECT_TRUE(side.sinceClear().empty());
  EXPECT_EQ(moon.entries.back().op, Op::Clear);
}

TEST_F(Zoom, ProximityZeroDrawsNothing) {
  g.b.PosX[4] = 10;
  tick();
  ASSERT_EQ(locals(), "1");
  g.b.PosX[5] = 10;
  g.s.Proximity = 0;
  const auto blink = g.s.BlinkPhase;
  tick();
  EXPECT_EQ(locals(), "1");
  EXPECT_TRUE(moon.entries.empty());
  EXPECT_TRUE(side.entries.empty());
  EXPECT_EQ(g.s.BlinkPhase, blink);
}

TEST_F(Zoom, SpeedBlinkAndFrameCounter) {
  g.b.VelX[F] = 3, g.b.VelY[F] = 4;
  tick();
  EXPECT_EQ(g.c("LaVel").caption(), " 5");
  EXPECT_EQ(g.c("LaVel").fore(), rgb(127, 0, 0));
  EXPECT_EQ(g.s.BlinkPhase, 2);
  tick();
  EXPECT_EQ(g.s.BlinkPhase, 1);
  g.b.VelX[F] = 2, g.b.VelY[F] = 0;
  tick();
  EXPECT_EQ(g.c("LaVel").fore(), rgb(0, 0, 0));
  EXPECT_EQ(g.s.BlinkPhase, 2);
  EXPECT_EQ(g.s.ZoomFrame, 3);
  for (int i = 0; i < 26; ++i) timer.tick();
  EXPECT_EQ(g.s.ZoomFrame, 29);
  timer.tick();
  EXPECT_EQ(g.s.ZoomFrame, 0);
}

TEST_F(Zoom, ZoomAtMax) {
  g.s.Proximity = 99;
  g.b.Mass[F] = 0.5;
  tick();
  EXPECT_EQ(g.c("Labill").caption(), "Zoom at max.");
  for (const auto& e : moon.entries)
    if (e.color == rgb(250, 250, 0) && e.y == 4000 && e.x > 4380) {
      EXPECT_DOUBLE_EQ(e.x, 4380 + 35000);
    }
}

TEST_F(Zoom, BurstsAreShownOnceAndCleared) {
  g.b.PosX[4] = 10;
  tick();
  const std::size_t plain = moon.entries.size();

  g.s.FusionPair = {i16(4), i16(17), 0, i16(F), 0, 0};  // 4 absorbed 17, which is far away
  tick();
  // Entry 3 is the focus (16 points); entry 0 is a local (CInt(55 / 2) = 28 points).
  EXPECT_EQ(moon.entries.size(), plain + 16 + 28);
  EXPECT_EQ(g.s.FusionPair[0], 0);
  EXPECT_EQ(g.s.FusionPair[3], 0);
  EXPECT_EQ(g.s.FusionPair[1], 17);  // not near the focus: kept for later
  for (const auto& e : moon.entries)
    if (e.color == rgb(4, 100, 200)) {
      EXPECT_LE(std::abs(e.x - (4380 + 10 * 1000.0 / 30)), 111);
    }
  tick();
  EXPECT_EQ(moon.entries.size(), plain);

  g.s.FusionPair = {i16(F), i16(4), i16(4), 0, 0, 0};
  g.b.ImpactCount[F] = 2;
  tick();
  // Two small crater dots, 33 points round the focus, then 28 + 55 round the local.
  EXPECT_EQ(moon.entries.size(), plain + 2 + 33 + 28 + 55);
  EXPECT_EQ(g.s.FusionPair[0] + g.s.FusionPair[1] + g.s.FusionPair[2], 0);
  EXPECT_EQ(g.c("LaFocal").toolTip(), " 2 impacts");
}

TEST_F(Zoom, GoneBodiesCountWhileAFusionIsPending) {
  g.b.PosX[4] = 10;
  g.b.PosX[5] = 20;
  g.b.Gone[5] = 1;
  tick();
  EXPECT_EQ(locals(), "1");
  g.s.FusionPair[1] = 17;
  tick();
  EXPECT_EQ(locals(), "2");
  EXPECT_EQ(points(moon, rgb(5, 100, 200)), 0u);  // counted, not drawn
}

TEST_F(Zoom, ImpactLossesHappenOncePerImpact) {
  g.b.ImpactCount[F] = 1;
  g.b.ImpactMark[1][F] = 250;
  g.b.LifeCount[2][F] = 1000;
  g.b.LifeCount[3][F] = 900;
  tick();
  EXPECT_EQ(g.b.LifeCount[3][F], 300);
  const int aquatiq = g.b.LifeCount[2][F];
  EXPECT_LE(aquatiq, 500);  // halved at least once
  tick();
  tick();
  EXPECT_EQ(g.b.LifeCount[3][F], 300);
  EXPECT_EQ(g.b.LifeCount[2][F], aquatiq);

  // A second impact is new once.
  g.b.ImpactCount[F] = 2;
  g.b.ImpactMark[2][F] = 210;
  tick();
  EXPECT_EQ(g.b.LifeCount[3][F], 100);
  tick();
  EXPECT_EQ(g.b.LifeCount[3][F], 100);

  // A reset of the table (a new system) makes impacts new again; it clears the crater places too.
  auto unplace = [&] { g.b.CraterDX[1][F] = g.b.CraterDY[1][F] = 0; };
  g.b.ImpactCount[F] = 0;
  unplace();
  tick();
  g.b.ImpactCount[F] = 1;
  tick();
  EXPECT_EQ(g.b.LifeCount[3][F], 33);
  g.zoom->forgetImpacts(F);
  unplace();
  tick();
  EXPECT_EQ(g.b.LifeCount[3][F], 11);

  // Small impacts cost nothing; a crater placed by the planet picture is not new.
  g.zoom->forgetImpacts();
  unplace();
  g.b.ImpactMark[1][F] = 50;
  tick();
  EXPECT_EQ(g.b.LifeCount[3][F], 11);
  g.zoom->forgetImpacts();
  g.b.ImpactMark[1][F] = 250;
  g.b.CraterDX[1][F] = 40;
  tick();
  EXPECT_EQ(g.b.LifeCount[3][F], 11);
}

// A placed crater in shades of the focus colour (250, 250, 0): a light dot below 16, then a ring of eight
// in a third, a second ring in 0.7 from 100, a third in the full colour from 200.
TEST_F(Zoom, CraterRingsFromSixteenAHundredAndTwoHundred) {
  const Color light = rgb(252, 252, 128), third = rgb(83, 83, 0), half = rgb(125, 125, 0), bright = rgb(175, 175, 0);
  const Color full = rgb(250, 250, 0);
  const struct {
    int size;
    std::size_t light, centre, ring1, ring2, ring3;
  } cases[] = {{15, 1, 0, 0, 0, 0},  {16, 0, 1, 8, 0, 0},  {99, 0, 1, 8, 0, 0},
               {100, 0, 1, 8, 8, 0}, {199, 0, 1, 8, 8, 0}, {200, 0, 1, 8, 8, 8}};
  g.b.ImpactCount[F] = 1;
  g.b.CraterDX[1][F] = 40;  // placed before: no draws, no losses
  std::size_t outline = 0;
  for (const auto& t : cases) {
    g.b.ImpactMark[1][F] = t.size;
    tick();
    if (t.size == 15) outline = points(moon, full);
    EXPECT_EQ(points(moon, light), t.light) << t.size;
    EXPECT_EQ(points(moon, third), t.centre) << t.size;
    EXPECT_EQ(points(moon, half), t.ring1) << t.size;
    EXPECT_EQ(points(moon, bright), t.ring2) << t.size;
    EXPECT_EQ(points(moon, full), outline + t.ring3) << t.size;
  }
}

TEST_F(Zoom, NamesOnceAfterARequest) {
  g.b.PosX[4] = 10;
  g.b.VelX[4] = 1;  // moving right of the focus: label pulled back left
  g.c("OptUp", 0).choose();
  auto& view = dynamic_cast<RecordingCanvas&>(g.canvas("Quorl"));
  view.entries.clear();
  g.c("PicMoon").press();
  EXPECT_EQ(g.s.ZoomLabelRequest, 1);
  tick();
  EXPECT_EQ(g.s.ZoomLabelRequest, 2);
  std::vector<std::string> printed;
  for (const auto& e : moon.entries)
    if (e.op == Op::Print) printed.push_back(e.text);
  ASSERT_EQ(printed.size(), 2u);
  EXPECT_EQ(printed[0], "B10");
  EXPECT_EQ(printed[1], "B4");
  for (const auto& e : moon.entries)
    if (e.op == Op::Print && e.text == "B10") {
      EXPECT_EQ(e.fontSize, 12);
    }
  EXPECT_EQ(moon.fontSize, 10);
  EXPECT_EQ(side.count(Op::Print), 1u);
  // Every present body is named once on the main view (those inside it).
  // On the main view only 4 and the focus lie inside; the others are far off to the right.
  std::size_t mainLabels = view.count(Op::Print);
  EXPECT_EQ(mainLabels, 2u);

  tick();
  EXPECT_EQ(moon.count(Op::Print), 0u);
  EXPECT_EQ(view.count(Op::Print), mainLabels);

  // Numbered names in modes 3, 4, 5 and 7.
  g.c("OptUp", 4).choose();
  g.s.ZoomLabelRequest = 1;
  tick();
  bool numbered = false;
  for (const auto& e : moon.entries) numbered |= e.op == Op::Print && e.text == "B4 4";
  EXPECT_TRUE(numbered);

  g.c("ChNom").setChecked(false);
  g.s.ZoomLabelRequest = 1;
  tick();
  EXPECT_EQ(moon.count(Op::Print), 0u);
}

TEST_F(Zoom, NovaFragmentDistance) {
  g.c("TXmoonzoom").setText("20000");
  g.b.PosX[6] = 150000;
  g.s.NewestFragment = 6;
  tick();
  EXPECT_EQ(g.c("Text4").text(), "000.150");
  g.s.NewestFragment = -2;
  g.b.PosX[6] = 1000;
  tick();
  EXPECT_EQ(g.c("Text4").text(), "000.150");
}

TEST_F(Zoom, SmallScaleTextDrawsWithATenth) {
  g.b.PosX[4] = 0.9;
  g.c("TXmoonzoom").setText("0");
  tick();
  EXPECT_EQ(locals(), "1");  // within 10 x 0.1
  EXPECT_EQ(g.c("TXmoonzoom").text(), "0");
  g.c("TXmoonzoom").loseFocus();
  EXPECT_EQ(g.c("TXmoonzoom").text(), "1");
}

TEST_F(Zoom, ThrustMarkerOfACraft) {
  g.b.BodyKind[F] = 12;
  tick();
  EXPECT_EQ(points(moon, rgb(255, 0, 0)) + points(moon, rgb(255, 255, 255)), 1u);
  g.b.BodyKind[F] = 10;
  tick();
  EXPECT_EQ(points(moon, rgb(255, 0, 0)) + points(moon, rgb(255, 255, 255)), 0u);
}

TEST_F(Zoom, ScaleControls) {
  Control& bar = g.c("ScaleScroll");
  EXPECT_EQ(bar.value(), 30);
  EXPECT_EQ(bar.min(), 1);
  EXPECT_EQ(bar.max(), 5000);
  g.c("OpZo", 2).press();
  EXPECT_EQ(bar.value(), 100);
  EXPECT_EQ(g.s.ZoomScale, 100);
  EXPECT_EQ(g.c("TXmoonzoom").text(), "100");
  EXPECT_TRUE(g.c("OpZo", 2).checked());
  moon.pset(1, 1, rgb(1, 1, 1));
  bar.setValue(101);
  EXPECT_FALSE(g.c("OpZo", 2).checked());
  EXPECT_TRUE(moon.sinceClear().empty());

  // Typed above the bar's maximum (the driver script types 12000): kept as typed, up to 20000.
  Control& box = g.c("TXmoonzoom");
  box.setText("25000");
  box.loseFocus();
  EXPECT_EQ(box.text(), "20000");
  EXPECT_EQ(g.s.ZoomScale, 20000);
  EXPECT_EQ(bar.value(), 5000);
  box.setText("x");
  box.loseFocus();
  EXPECT_EQ(box.text(), "1");
  EXPECT_EQ(bar.value(), 1);
}

TEST_F(Zoom, MagnificationControls) {
  Control& box = g.c("txZZ");
  Control& hippo = g.c("Hippo");
  box.setText("2.5");
  box.loseFocus();
  EXPECT_EQ(g.s.Magnification, 2.5);
  EXPECT_EQ(hippo.value(), 2);
  EXPECT_EQ(box.text(), "2.5");
  box.setText("500");
  box.loseFocus();
  EXPECT_EQ(g.s.Magnification, 500);
  EXPECT_EQ(hippo.value(), 100);
  hippo.setValue(7);
  EXPECT_EQ(g.s.Magnification, 7);
  EXPECT_EQ(box.text(), "7");
}

}  // namespace
}  // namespace quorl
