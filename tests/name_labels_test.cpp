// Body name labels on the main view: the eight naming modes, sizes that carry over, placement.
#include "views/name_labels.h"

#include <gtest/gtest.h>

#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;
using Op = RecordingCanvas::Op;

struct Labels : ::testing::Test {
  Scenario sc{true};
  Game& g = sc.g();
  RecordingCanvas& view = dynamic_cast<RecordingCanvas&>(g.canvas("Quorl"));
  NameLabels& labels = *g.labels;

  void SetUp() override {
    for (int i = 0; i < 100; ++i) {
      g.b.Gone[i] = 0;
      g.b.BodyName[i] = "B" + std::to_string(i);
      g.b.PlanetClass[i] = 3;
      g.b.BodyKind[i] = 3;
    }
    g.s.Focus = 50;
    g.b.BodyName[50] = "Focusworld";  // 10 letters
    g.s.LiveCount = 10;
    view.entries.clear();
  }
  void mode(int i) { g.c("OptUp", i).choose(); }
  // Labels one body and returns what was printed, or nullptr.
  const RecordingCanvas::Entry* label(int body, int x = 100, int y = 200) {
    const std::size_t before = view.entries.size();
    labels.NamePlanet(x, y, body);
    return view.entries.size() > before ? &view.entries.back() : nullptr;
  }
};

TEST_F(Labels, OptionsAreOneGroupWithTipsAndModeSixChosen) {
  EXPECT_EQ(labels.mode(), 6);
  EXPECT_EQ(g.c("OptUp", 0).toolTip(), "Name size according to number of worlds. All worlds are named.");
  EXPECT_EQ(g.c("OptUp", 7).toolTip(), "Selected world only.");
  for (int i = 0; i < 8; ++i) EXPECT_EQ(g.c("OptUp", i).caption(), "");
  EXPECT_EQ(g.c("Label5").caption(), "Names");
  mode(2);
  EXPECT_EQ(labels.mode(), 2);
  EXPECT_FALSE(g.c("OptUp", 6).checked());
  EXPECT_NE(label(7), nullptr);
}

TEST_F(Labels, ModeSixNamesNobody) {
  EXPECT_EQ(label(7), nullptr);
  EXPECT_TRUE(view.entries.empty());
}

TEST_F(Labels, PlacementFollowsMotionAndFocus) {
  mode(0);
  const auto* e = label(7, 100, 200);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->text, "B7");
  EXPECT_EQ(e->x, 100 + 7680 + 150);  // others sit to the right
  EXPECT_EQ(e->y, 200 + 5768);
  g.b.VelY[7] = 0.1;  // moving down the screen: 300 higher
  EXPECT_EQ(label(7, 100, 200)->y, 200 + 5768 - 300);

  EXPECT_EQ(label(50, 100, 200)->x, 100 + 7680 - 150 * 10);  // the focus
  g.b.VelY[2] = 0.1;
  const auto* star = label(2, 100, 200);
  EXPECT_EQ(star->x, 100 + 7680 - 60 * 10);
  EXPECT_EQ(star->y, 200 + 5768);  // no lift for the star

  g.b.ColorR[7] = 254.5f, g.b.ColorG[7] = 3.5f, g.b.ColorB[7] = 9;
  EXPECT_EQ(label(7)->color, rgb(254, 4, 9));
}

TEST_F(Labels, NothingOutsideTheViewOrForGoneBodies) {
  mode(0);
  EXPECT_EQ(label(7, -7679, 0)->text, "B7");
  EXPECT_EQ(label(7, -7680, 0), nullptr);
  EXPECT_EQ(label(7, 7680, 0), nullptr);
  EXPECT_EQ(label(7, 7679, 5759)->text, "B7");
  EXPECT_EQ(label(7, 0, -5760), nullptr);
  EXPECT_EQ(label(7, 0, 5760), nullptr);
  g.b.Gone[7] = 1;
  EXPECT_EQ(label(7), nullptr);
  EXPECT_EQ(label(-1), nullptr);
  EXPECT_EQ(label(10000), nullptr);
}

TEST_F(Labels, ModeZeroAndFiveSizeByPlanetCount) {
  const int live[] = {4, 5, 15, 16, 20, 21, 30, 31, 40, 41, 50, 51};
  const double zero[] = {12, 11, 11, 10, 10, 9, 9, 8, 8, 7, 7, 6};
  const double five[] = {12, 11, 11, 10, 10, 9, 9, 8, 8, 7, 7, 7};
  g.b.PlanetClass[7] = 1;
  for (int i = 0; i < 12; ++i) {
    g.s.LiveCount = live[i];
    mode(0);
    EXPECT_EQ(label(7)->fontSize, zero[i]) << live[i];
    mode(5);
    const auto* e = label(7);
    EXPECT_EQ(e->fontSize, five[i]) << live[i];
    EXPECT_EQ(e->text, "B7 7");
  }
  g.b.PlanetClass[7] = 2;  // mode 5 names only class 1 and below
  EXPECT_EQ(label(7), nullptr);
}

TEST_F(Labels, ModesOneAndThreeSizeByClass) {
  const double one[] = {0, 7, 9, 10, 11, 12, 14, 16};
  const double three[] = {0, 8, 9, 10, 11, 12, 13, 14};
  for (int c = 2; c <= 8; ++c) {
    g.b.PlanetClass[7] = c;
    mode(1);
    auto* e = label(7);
    EXPECT_EQ(e->fontSize, one[c - 1]) << c;
    EXPECT_EQ(e->text, "B7");
    mode(3);
    e = label(7);
    EXPECT_EQ(e->fontSize, three[c - 1]) << c;
    EXPECT_EQ(e->text, "B7 7");
  }
  g.b.PlanetClass[7] = 1;
  mode(1);
  EXPECT_EQ(label(7), nullptr);
  mode(3);
  EXPECT_EQ(label(7), nullptr);
}

TEST_F(Labels, ModeTwoHidesMiddlePlanetsInACrowdButNotCraft) {
  mode(2);
  g.s.LiveCount = 61;
  g.b.PlanetClass[7] = 3;
  EXPECT_EQ(label(7), nullptr);  // size 2 is too small to print
  EXPECT_EQ(view.fontSize, 2);
  g.b.BodyKind[8] = 12;
  g.b.PlanetClass[8] = 3;
  const auto* craft = label(8);
  ASSERT_NE(craft, nullptr);
  EXPECT_EQ(craft->fontSize, 12);
  g.b.PlanetClass[9] = 1;
  g.b.BodyKind[9] = 14;
  EXPECT_EQ(label(9)->fontSize, 14);  // a class-1 craft too

  g.s.LiveCount = 60;
  EXPECT_EQ(label(7)->fontSize, 7);
  g.s.LiveCount = 20;
  EXPECT_EQ(label(7)->fontSize, 9);
  g.b.PlanetClass[7] = 5;
  g.s.LiveCount = 61;
  EXPECT_EQ(label(7)->fontSize, 10);
  g.b.PlanetClass[7] = 6;
  EXPECT_EQ(label(7)->fontSize, 12);
  g.b.PlanetClass[7] = 2;
  EXPECT_EQ(label(7)->fontSize, 7);
  // Class 1 planets are not named; the size in force decides for nobody else.
  g.b.PlanetClass[7] = 1;
  EXPECT_EQ(label(7), nullptr);
}

TEST_F(Labels, ModeFourKeepsThePreviousSizeForClassEight) {
  mode(4);
  g.b.PlanetClass[7] = 3;
  EXPECT_EQ(label(7)->fontSize, 14);
  g.b.PlanetClass[8] = 8;
  const auto* e = label(8);
  EXPECT_EQ(e->fontSize, 14);
  EXPECT_EQ(e->text, "B8 8");
  g.b.PlanetClass[7] = 6;
  EXPECT_EQ(label(7)->fontSize, 7);
  EXPECT_EQ(label(8)->fontSize, 7);
  const double four[] = {7, 12, 14, 12, 7, 7, 9};
  for (int c = 1; c <= 7; ++c) {
    g.b.PlanetClass[7] = c;
    EXPECT_EQ(label(7)->fontSize, four[c - 1]) << c;
  }
}

TEST_F(Labels, ModeSevenOnlyTheFocusAndItsClickClearsTheZoomOut) {
  auto& zoomOut = dynamic_cast<RecordingCanvas&>(g.canvas("LOxy"));
  zoomOut.pset(5, 5, rgb(1, 1, 1));
  mode(7);
  EXPECT_TRUE(zoomOut.sinceClear().empty());
  EXPECT_EQ(label(7), nullptr);
  const auto* e = label(50);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->text, "Focusworld");
  EXPECT_EQ(e->fontSize, 14);
}

}  // namespace
}  // namespace quorl
