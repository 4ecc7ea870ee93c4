// The focus panel: every way of choosing the selected world, and what the panel then shows.
#include "panels/focus_panel.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sim/numbers.h"
#include "sim/squash.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

// A small table by hand: bodies 2..count present with the given mass, the rest gone.
struct Panel : ::testing::Test {
  Scenario sc{true};
  Game& g = sc.g();
  void table(int count, double mass = 0.00002) {
    g.s.BodyCount = count;
    for (int i = 0; i < kRows; ++i) {
      g.b.Gone[i] = 1;
      g.b.Mass[i] = 0;
      g.b.BodyName[i] = "World" + std::to_string(i);
    }
    for (int i = 2; i <= count; ++i) g.b.Gone[i] = 0, g.b.Mass[i] = mass;
    g.c("Hcelest").setRange(2, count);
  }
  Control& bar() { return g.c("Hcelest"); }
};

TEST_F(Panel, OpensOnBodyThreeWithoutSelecting) {
  EXPECT_EQ(bar().value(), 3);
  EXPECT_EQ(bar().min(), 2);
  EXPECT_EQ(bar().max(), 9999);
  EXPECT_EQ(bar().largeChange(), 10);
  EXPECT_EQ(g.s.Focus, 0);
  EXPECT_EQ(g.c("Text2").text(), "");
  // The switch belongs to the paused editor: hidden while the simulation runs.
  EXPECT_FALSE(g.c("Chon").visible());
}

TEST_F(Panel, GoneBodySearchesUpwardAndWraps) {
  table(10);
  g.b.Gone[5] = g.b.Gone[6] = 1;
  bar().setValue(5);
  EXPECT_EQ(g.s.Focus, 7);
  EXPECT_EQ(bar().value(), 7);
  EXPECT_EQ(g.c("Laplace").caption(), "7");
  EXPECT_EQ(g.c("TXnewton").text(), "7");

  // 9 and 10 gone: past the maximum the search goes on at 2.
  g.b.Gone[9] = g.b.Gone[10] = 1;
  bar().setValue(9);
  EXPECT_EQ(g.s.Focus, 2);
  EXPECT_EQ(bar().value(), 2);

  g.b.Gone[2] = 1;
  bar().setValue(10);
  EXPECT_EQ(g.s.Focus, 3);
}

TEST_F(Panel, SearchSortsOnceForEveryNumberItTries) {
  // Every sort draws one random number per present Earth world, so the number of sorts shows.
  table(10, 3e-6);
  g.b.Gone[5] = g.b.Gone[6] = g.b.Gone[7] = 1;
  Random copy = g.random;
  bar().setValue(5);  // tries 5, 6, 7 and 8: four sorts of the five Earth worlds 3, 4, 8, 9, 10
  ASSERT_EQ(g.s.Focus, 8);
  for (int k = 0; k < 4 * 5; ++k) copy.rnd();
  EXPECT_EQ(copy.rnd(), g.Rnd());
}

TEST_F(Panel, SearchEndsWhenNoBodyIsPresent) {
  table(10);
  bar().setValue(4);
  ASSERT_EQ(g.s.Focus, 4);
  for (int i = 2; i <= 10; ++i) g.b.Gone[i] = 1;
  bar().setValue(8);
  EXPECT_EQ(g.s.Focus, 4);  // the selection stays
  EXPECT_EQ(g.c("Laplace").caption(), "4");
}

TEST_F(Panel, FocusChangeFillsThePanel) {
  table(12);
  g.b.ImpactCount[12] = 3;
  g.b.ColorR[12] = 200, g.b.ColorG[12] = 100, g.b.ColorB[12] = 31;
  g.c("Command6").onClick = nullptr;  // keep the hand-made colours
  g.s.Orbits = 9;
  g.s.Quadrant = 2;
  g.b.PlanetClass[12] = 4;
  bar().setValue(12);
  EXPECT_EQ(g.s.Orbits, 0);
  EXPECT_EQ(g.s.Quadrant, 0);
  EXPECT_EQ(g.s.FocusClass, 4);
  EXPECT_EQ(g.c("LaFocal").caption(), " 12");
  EXPECT_EQ(g.c("LaFocal").toolTip(), " 3 impacts");
  EXPECT_EQ(g.c("LaMass").caption(), "Jupiter");
  // 200/3 = 66.7, 100/3 = 33.3, 31/3 = 10.3
  EXPECT_EQ(g.c("Text2").back(), rgb(67, 33, 10));
  EXPECT_EQ(g.c("TXnewton").back(), rgb(67, 33, 10));
  for (const char* name : {"Laorb", "Label4", "LaFocal", "LabWorld", "LabFoc"})
    EXPECT_EQ(g.c(name).fore(), rgb(200, 100, 31)) << name;
  EXPECT_EQ(g.c("LabWorld").caption(), "World12");
  EXPECT_EQ(g.c("LabFoc").caption(), "World12");
  EXPECT_DOUBLE_EQ(g.b.Radius[12], Squash(0.00002) / 1000);
}

TEST_F(Panel, MassTextInItsFourForms) {
  EXPECT_EQ(FocusPanel::massText(0.0025), "2.50");
  EXPECT_EQ(FocusPanel::massText(0.0005), "0.500000");
  EXPECT_EQ(FocusPanel::massText(1e-9), "0.00000100000000000000");
  EXPECT_EQ(FocusPanel::massText(0), " 0");
  EXPECT_EQ(FocusPanel::massText(1e-25), " 1E-22");

  table(5);
  g.b.Mass[4] = 0.0025;
  bar().setValue(4);
  EXPECT_EQ(g.c("Text2").text(), "2.50");
}

TEST_F(Panel, RadiusTexts) {
  EXPECT_EQ(FocusPanel::radiusText(Squash(0.001)), " 54 thousand km");
  EXPECT_EQ(FocusPanel::radiusText(Squash(0.000003)), " 6300 km");
  EXPECT_EQ(FocusPanel::radiusText(Squash(1e-9)), " 300 km");
  EXPECT_EQ(FocusPanel::radiusText(Squash(1e-12)), " 25 km");
  EXPECT_EQ(FocusPanel::radiusText(Squash(1e-15)), " 1949 meters");
  EXPECT_EQ(FocusPanel::radiusText(0), " 1 mm");
  // Exactly 10 thousand km is still shown in km; just above it in thousands.
  EXPECT_EQ(FocusPanel::radiusText(10.0), " 10000 km");
  EXPECT_EQ(FocusPanel::radiusText(std::nextafter(10.0, 11.0)), " 10 thousand km");

  table(5);
  g.b.Mass[4] = 1e-15;
  bar().setValue(4);
  EXPECT_EQ(g.c("Text6").text(), " 1949 meters");
}

TEST_F(Panel, StatusDescriptionOnlyAfterWarmUp) {
  table(8);
  g.b.Mass[7] = 3e-6;  // an Earth world
  g.status("before");
  g.s.WarmUpDone = 1;
  bar().setValue(7);
  EXPECT_EQ(g.c("Labill").caption(), "before");

  g.s.WarmUpDone = 2;
  bar().setValue(6);
  bar().setValue(7);
  EXPECT_EQ(g.c("Labill").caption(), "Selected body 7\rEarth world\rWorld7");

  // A craft of class 1 is described as such; of a higher class by its class name.
  g.b.BodyKind[5] = 12;
  g.b.Mass[5] = 1e-8;
  bar().setValue(5);
  EXPECT_EQ(g.c("Labill").caption(), "Selected body 5\rInterplanetary craft\rWorld5");
  g.b.BodyKind[6] = 12;
  g.b.Mass[6] = 3e-6;
  bar().setValue(6);
  EXPECT_EQ(g.c("Labill").caption(), "Selected body 6\rEarth world\rWorld6");
}

TEST_F(Panel, LargestAndSmallestBreakTies) {
  table(9);
  g.b.Mass[4] = g.b.Mass[7] = 0.003;
  g.b.Mass[5] = g.b.Mass[8] = 1e-9;
  g.b.Mass[2] = 1;  // the star is never a candidate
  g.c("Command66").press();
  EXPECT_EQ(g.s.Focus, 4);
  g.c("Command9").press();
  EXPECT_EQ(g.s.Focus, 8);
  EXPECT_EQ(g.c("Labill").caption(), "Smallest body selected");

  // Already selected: the change still runs (through 2).
  g.s.Orbits = 5;
  g.c("Command9").press();
  EXPECT_EQ(g.s.Focus, 8);
  EXPECT_EQ(g.s.Orbits, 0);
}

TEST_F(Panel, RandomBodyGivesUp) {
  // Draws lie in 0..2: 0 and 1 are below the bar, 2 is the current value; all count as failures.
  table(3);
  g.b.Gone[3] = 1;
  bar().setValue(2);
  g.c("Command7").press();
  EXPECT_EQ(g.c("Text2").text(), "nyet");
  EXPECT_EQ(bar().value(), 2);

  // Every other body gone: gives up after BodyCount - 1 failed draws and one more.
  table(40);
  for (int i = 3; i <= 40; ++i) g.b.Gone[i] = 1;
  bar().setValue(2);
  g.status("");
  Random copy = g.random;
  g.c("Command7").press();
  EXPECT_EQ(g.c("Text2").text(), "nyet");
  EXPECT_EQ(g.c("Labill").caption(), "");
  for (int k = 0; k < 40; ++k) copy.rnd();
  EXPECT_EQ(copy.rnd(), g.Rnd());  // exactly 40 draws were taken
}

TEST_F(Panel, RandomBodyPicksAnotherPresentBody) {
  table(30);
  for (int i = 3; i <= 30; i += 2) g.b.Gone[i] = 1;
  bar().setValue(4);
  for (int n = 0; n < 20; ++n) {
    const int before = bar().value();
    g.c("Command7").press();
    EXPECT_NE(bar().value(), before);
    EXPECT_EQ(g.b.Gone[g.s.Focus], 0);
    EXPECT_EQ(g.c("Labill").caption(), "Random world selected");
  }
}

TEST_F(Panel, PreviousPresentWorld) {
  table(10);
  g.b.Gone[6] = g.b.Gone[7] = 1;
  bar().setValue(8);
  g.c("Command13").press();
  EXPECT_EQ(g.s.Focus, 5);
  g.b.Gone[3] = g.b.Gone[4] = g.b.Gone[5] = 1;
  g.b.Gone[2] = 1;
  bar().setValue(8);
  g.c("Command13").press();  // none below: 2, which is gone, so the search moves up to 8
  EXPECT_EQ(g.s.Focus, 8);
}

TEST_F(Panel, NumberBoxSelectsOnLeaving) {
  table(20);
  Control& box = g.c("TXnewton");
  for (const char* good : {"15", "20"}) {
    box.setText(good);
    box.loseFocus();
    EXPECT_EQ(g.s.Focus, std::stoi(good));
  }
  for (const char* bad : {"abc", "1", "21", "-4"}) {
    box.setText(bad);
    box.loseFocus();
    EXPECT_EQ(box.text(), "2") << bad;
    EXPECT_EQ(g.s.Focus, 2) << bad;
    bar().setValue(15);
  }
  box.setText("7.4");
  box.loseFocus();
  EXPECT_EQ(g.s.Focus, 7);
}

TEST_F(Panel, KeeperMarksTheFocusOrMovesOn) {
  table(10);
  g.b.PosX[6] = 100, g.b.PosY[6] = -50.5, g.b.PosZ[6] = 3;
  g.b.ColorR[6] = 10, g.b.ColorG[6] = 20, g.b.ColorB[6] = 30;
  g.c("Command6").onClick = nullptr;
  bar().setValue(6);
  auto& view = dynamic_cast<RecordingCanvas&>(g.canvas("Quorl"));
  view.entries.clear();
  Control& tix = g.c("Tix");
  tix.setEnabled(true);
  tix.tick();
  // Nine points: Int(-50.5 + dy) rounds down.
  const double want[9][2] = {{100, -51}, {115, -36}, {85, -36}, {85, -66}, {115, -66},
                             {130, -51}, {100, -21}, {70, -51}, {100, -81}};
  ASSERT_EQ(view.entries.size(), 9u);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(view.entries[i].x, want[i][0] + 7680);
    EXPECT_EQ(view.entries[i].y, want[i][1] + 5760);
    EXPECT_EQ(view.entries[i].color, rgb(10, 20, 30));
  }
  EXPECT_EQ(g.c("Laplace").fore(), rgb(10, 20, 30));

  g.b.Gone[6] = g.b.Gone[7] = 1;
  tix.tick();
  EXPECT_EQ(g.s.Focus, 8);
  bar().setValue(10);
  g.b.Gone[10] = 1;
  tix.tick();  // at the maximum: back to 2
  EXPECT_EQ(g.s.Focus, 2);
}

TEST_F(Panel, SwitchingABodyOnAndOff) {
  table(10);
  Control& chon = g.c("Chon");
  Control& number = g.c("TXTOden");
  number.setText("7");
  chon.press();
  EXPECT_EQ(g.b.Gone[7], 1);
  EXPECT_EQ(chon.caption(), "Planet OFF");
  EXPECT_EQ(chon.fore(), rgb(191, 96, 0));
  chon.press();
  EXPECT_EQ(g.b.Gone[7], 0);
  EXPECT_EQ(chon.caption(), "Planet ON");
  EXPECT_EQ(chon.fore(), rgb(128, 255, 191));

  // Refused: nothing changes, the box keeps its state.
  for (const char* bad : {"abc", "10000", "-1", "3.5", ""}) {
    number.setText(bad);
    g.status("");
    chon.press();
    EXPECT_FALSE(chon.checked()) << bad;
    EXPECT_EQ(chon.caption(), "Planet ON") << bad;
    EXPECT_EQ(g.c("Labill").caption(), "Planet number must be a whole number from 0 to 9999") << bad;
  }
  EXPECT_EQ(g.b.Gone[7], 0);
  number.setText("0");
  chon.press();
  EXPECT_EQ(g.b.Gone[0], 1);
}

}  // namespace
}  // namespace quorl
