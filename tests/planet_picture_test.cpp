// The planet picture strip: the roster from the selected world, outlines, halos, craters that keep their
// place, craft pictograms, and the 16-bit limit of crater centres.
#include "views/planet_picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "cli/driver.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;
using Op = RecordingCanvas::Op;
using Entry = RecordingCanvas::Entry;

constexpr double kMid = 970;
constexpr int kSlot1 = 656;

struct Strip : ::testing::Test {
  Scenario sc{true};
  Game& g = sc.g();
  RecordingCanvas& pic = dynamic_cast<RecordingCanvas&>(g.canvas("PicWorld"));

  // Bodies 2..count present, every one with a picture radius of 500 unless a test changes it.
  void table(int count, std::set<int> gone = {}) {
    g.s.BodyCount = count;
    for (int i = 0; i < kRows; ++i) g.b.Gone[i] = 1;
    for (int i = 2; i <= count; ++i) {
      g.b.Gone[i] = gone.count(i) ? 1 : 0;
      g.b.BodyName[i] = "B" + std::to_string(i);
      g.b.Mass[i] = 0.0005;
    }
    g.c("Hcelest").setRange(2, count);
    g.c("TimWo").setEnabled(true);
  }
  // Selecting runs the class sort and sizes the world, so colours and sizes are set afterwards.
  void select(int sel) {
    g.c("Hcelest").setValue(sel);
    for (int i = 2; i <= g.s.BodyCount; ++i) {
      g.b.Radius[i] = 0.025;
      g.b.ColorR[i] = static_cast<float>(i), g.b.ColorG[i] = 60, g.b.ColorB[i] = 20;
    }
  }
  std::vector<Entry> tick() {
    pic.entries.clear();
    g.c("TimWo").tick();
    return pic.sinceClear();
  }
  // Points of a colour at a distance from an entry's centre.
  static int pointsAt(const std::vector<Entry>& drawn, double x, double r, Color c) {
    int n = 0;
    for (const Entry& e : drawn)
      n += e.op == Op::Point && e.color == c && std::fabs(std::hypot(e.x - x, e.y - kMid) - r) < 1e-6;
    return n;
  }
  static int count(const std::vector<Entry>& drawn, Op op) {
    int n = 0;
    for (const Entry& e : drawn) n += e.op == op;
    return n;
  }
};

TEST_F(Strip, RosterRunsFromTheSelectedWorldAndWrapsToTwelve) {
  struct Case {
    int count, sel;
    std::set<int> gone;
    std::vector<int> roster;
  };
  const Case cases[] = {
      {20, 5, {}, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
      {20, 15, {}, {15, 16, 17, 18, 19, 20, 2, 3, 4, 5, 6, 7}},
      {12, 10, {}, {10, 11, 12, 2, 3, 4, 5, 6, 7, 8, 9}},
      {20, 5, {6, 8}, {5, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
      // Twelve found before the end: wrapping round adds none.
      {16, 5, {}, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
  };
  for (const Case& c : cases) {
    table(c.count, c.gone);
    select(c.sel);
    const auto drawn = tick();
    std::vector<std::string> printed;
    for (const Entry& e : drawn)
      if (e.op == Op::Print) {
        const int k = static_cast<int>(printed.size()) + 1;
        EXPECT_EQ(e.x, 1100 * k - 888);
        EXPECT_EQ(e.y, k % 2 ? 80 : 1620);
        printed.push_back(e.text);
      }
    ASSERT_EQ(printed.size(), 13u) << "sel " << c.sel;
    for (int k = 1; k <= 13; ++k) {
      const std::size_t i = static_cast<std::size_t>(k - 1);
      const int want = i < c.roster.size() ? c.roster[i] : 0;
      EXPECT_EQ(g.s.RosterBody[k], want) << "sel " << c.sel << " entry " << k;
      EXPECT_EQ(printed[i], want ? "B" + std::to_string(want) : "~") << "sel " << c.sel << " entry " << k;
    }
    EXPECT_EQ(g.s.RosterSize[1], 500);
  }
}

TEST_F(Strip, ASelectionBelowTwoLeavesTheStripAlone) {
  table(20);
  g.c("Hcelest").setRange(0, 20);
  g.b.Gone[1] = 0;
  select(1);
  pic.entries.clear();
  pic.pset(5, 5, rgb(1, 2, 3));
  g.c("TimWo").tick();
  ASSERT_EQ(pic.entries.size(), 1u);
  EXPECT_EQ(g.s.RosterName[1], "~");
}

TEST_F(Strip, HeavierWorldsGetMoreOutlinePoints) {
  struct Case {
    double mass;
    int points;
  };
  for (const Case& c : {Case{0.001, 132}, Case{0.002, 264}, Case{0.004, 264}, Case{0.0041, 528}}) {
    table(20);
    select(5);
    g.b.Mass[5] = c.mass;
    EXPECT_EQ(pointsAt(tick(), kSlot1, 500, rgb(5, 60, 20)), c.points) << c.mass;
  }
  // The small star: its outline and second arc, and a glow of grey points round its centre.
  table(20);
  select(2);
  const auto drawn = tick();
  EXPECT_EQ(pointsAt(drawn, kSlot1, 500, rgb(2, 60, 20)), 101 + 51);
  EXPECT_EQ(pointsAt(drawn, kSlot1, 15, rgb(240, 240, 240)), 4);
  EXPECT_EQ(pointsAt(drawn, kSlot1, 255, rgb(0, 0, 0)), 4);
}

TEST_F(Strip, AirAndWaterHalos) {
  struct Case {
    double air, water;
    bool airDrawn, waterDrawn;
  };
  for (const Case& c :
       {Case{0, 0, false, false}, Case{0, 1.5, false, false}, Case{0, 2, false, true}, Case{50, 30, true, true}}) {
    table(20);
    select(5);
    g.b.ColorR[5] = 100;
    g.b.Mass[5] = 0.0005;
    g.b.AirLevel[5] = c.air;
    g.b.WaterLevel[5] = c.water;
    const auto drawn = tick();
    int water15 = 0, water45 = 0;
    for (const Entry& e : drawn) {
      const double d = std::hypot(e.x - kSlot1, e.y - kMid);
      if (e.op != Op::Point) continue;
      if (std::fabs(d - 515) < 1e-6) {
        ++water15;
        // Ten times the level is held between 50 and 200; the blue is random, from 100 up.
        const int w = c.water * 10 > 200 ? 200 : 50;
        EXPECT_EQ(e.color.r, w / 2);
        EXPECT_GE(e.color.b, 100);
      }
      water45 += std::fabs(d - 545) < 1e-6;
    }
    EXPECT_EQ(water15, c.waterDrawn ? 132 : 0) << c.water;
    EXPECT_EQ(water45, c.waterDrawn ? 132 : 0) << c.water;
    // Air: half way between the world's colour and the level; the outer ring half that, ties to even.
    EXPECT_EQ(pointsAt(drawn, kSlot1, 560, rgb(75, 55, 35)), c.airDrawn ? 132 : 0);
    EXPECT_EQ(pointsAt(drawn, kSlot1, 590, rgb(38, 28, 18)), c.airDrawn ? 132 : 0);
  }
}

TEST_F(Strip, CratersKeepTheirPlace) {
  table(20);
  select(5);
  g.b.ImpactCount[5] = 2;
  g.b.ImpactMark[1][5] = 150;  // rings of 22 and 63 points
  g.b.ImpactMark[2][5] = 12;   // a light dot and eight points round it
  auto craterPoints = [&](const std::vector<Entry>& drawn) {
    std::vector<std::pair<double, double>> at;
    for (const Entry& e : drawn)
      if (e.op == Op::Point && std::fabs(std::hypot(e.x - kSlot1, e.y - kMid) - 500) > 1e-6 && e.x > 100 && e.x < 1200)
        at.emplace_back(e.x, e.y);
    return at;
  };
  const auto first = craterPoints(tick());
  const int dx = g.b.CraterDX[1][5], dy = g.b.CraterDY[1][5];
  ASSERT_NE(dx, 0);
  EXPECT_LE(std::abs(dx), 400);
  EXPECT_LE(std::abs(dy), 400);
  EXPECT_EQ(first.size(), 1u + 22 + 63 + 9);  // the centre point, the rings, the small crater
  // Two more ticks draw every crater point where the first did.
  tick();
  EXPECT_EQ(craterPoints(tick()), first);
  EXPECT_EQ(g.b.CraterDX[1][5], dx);
  EXPECT_EQ(g.b.CraterDY[1][5], dy);
  // The half-colour ring lies round the stored place, foreshortened towards the rim.
  const double fx = 0.9 - std::abs(dx) / 500.0;
  bool found = false;
  for (const Entry& e : pic.sinceClear())
    found = found || (e.color == rgb(2, 30, 10) &&
                      std::fabs(e.x - (kSlot1 + dx + std::sin(1 / 3.5) * 500 * (150 / 2000.0) * fx)) < 1e-9);
  EXPECT_TRUE(found);
}

TEST_F(Strip, AWorldTooLargeForItsSlotIsNotPictured) {
  table(20);
  select(5);
  // Entry 13 is body 17: at x 13856 its craters could leave the 16-bit range above a radius of 23638.
  g.b.Radius[17] = 1.5;
  g.b.ImpactCount[17] = 1;
  g.b.ImpactMark[1][17] = 150;
  const std::string before = g.c("Labill").caption();
  const auto drawn = tick();
  EXPECT_EQ(g.c("Labill").caption(), before);
  EXPECT_EQ(g.b.CraterDX[1][17], 0);
  EXPECT_EQ(count(drawn, Op::Print), 13);
  // In the first slot the same world fits, and its crater is placed.
  table(20);
  select(17);
  g.b.Radius[17] = 1.5;
  tick();
  EXPECT_NE(g.b.CraterDX[1][17], 0);
}

TEST_F(Strip, CraftPictograms) {
  struct Case {
    int code;
    int lines, circles, arcs;
  };
  const Case cases[] = {
      {11, 7, 2, 0},  {21, 0, 2, 0},  {31, 15, 1, 0}, {32, 15, 2, 0}, {33, 7, 0, 1}, {34, 14, 0, 1}, {35, 9, 0, 0},
      {36, 14, 0, 1}, {37, 11, 0, 1}, {38, 19, 0, 1}, {45, 0, 2, 0},  {55, 0, 1, 2}, {61, 0, 2, 0},  {39, 0, 0, 0},
  };
  for (const Case& c : cases) {
    table(20);
    select(5);
    g.b.CraftCode[6] = static_cast<std::int16_t>(c.code);
    const auto drawn = tick();
    int circles = 0, arcs = 0;
    for (const Entry& e : drawn)
      if (e.op == Op::Circle) (e.start == 0 && e.end > 6.28 ? circles : arcs)++;
    EXPECT_EQ(count(drawn, Op::Line), c.lines) << c.code;
    EXPECT_EQ(circles, c.circles) << c.code;
    EXPECT_EQ(arcs, c.arcs) << c.code;
    // A craft has no outline; the worlds beside it keep theirs.
    EXPECT_EQ(pointsAt(drawn, 1756, 500, rgb(6, 60, 20)), 0) << c.code;
    EXPECT_EQ(pointsAt(drawn, kSlot1, 500, rgb(5, 60, 20)), 132) << c.code;
  }
  // Starships in the base colour, light blue for body kind 15; the first stroke of figure 33.
  table(20);
  select(5);
  g.b.CraftCode[6] = 33;
  g.b.BodyKind[6] = 15;
  const auto drawn = tick();
  const Entry* first = nullptr;
  for (const Entry& e : drawn)
    if (e.op == Op::Line && !first) first = &e;
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->color, rgb(200, 200, 255));
  EXPECT_EQ(std::vector<double>({first->x, first->y, first->x2, first->y2}),
            std::vector<double>({1756 + 500, 970, 1756, 620}));
  // A comet's tail is drawn afresh at every tick.
  g.b.CraftCode[6] = 15;
  auto tail = [&] {
    std::vector<double> ends;
    for (const Entry& e : tick())
      if (e.op == Op::Line) ends.push_back(e.x2 * 10000 + e.y2);
    return ends;
  };
  EXPECT_NE(tail(), tail());
}

TEST_F(Strip, CratersPlacedByTheZoomViewStayPutInBothViews) {
  table(20);
  select(5);
  g.b.Mass[5] = 0.0005;
  g.b.ImpactCount[5] = 1;
  g.b.ImpactMark[1][5] = 150;
  g.s.Focus = 5;
  g.s.Proximity = 1;
  g.s.ZoomLabelRequest = 2;
  auto& moon = dynamic_cast<RecordingCanvas&>(g.canvas("PicMoon"));
  const Color centre = rgb(2, 20, 7);  // a third of the world's colour: the crater's centre point
  auto craterAt = [&] {
    moon.entries.clear();
    g.c("TimZkrol").tick();
    for (const Entry& e : moon.entries)
      if (e.op == Op::Point && e.color == centre) return std::make_pair(e.x, e.y);
    return std::make_pair(-1.0, -1.0);
  };
  const auto placed = craterAt();
  ASSERT_NE(g.b.CraterDX[1][5], 0);
  const auto later = craterAt();
  EXPECT_NEAR(later.first, placed.first, 1.0);
  EXPECT_NEAR(later.second, placed.second, 1.0);
  EXPECT_GT(std::hypot(later.first - 4380, later.second - 4000), 1.0) << "the crater fell to the centre";
  // The strip draws it at the offset the zoom view stored.
  const int dx = g.b.CraterDX[1][5];
  tick();
  EXPECT_EQ(g.b.CraterDX[1][5], dx);
}

TEST_F(Strip, TheDriverDumpsWhatWasDrawn) {
  table(20);
  select(5);
  g.b.CraftCode[6] = 61;
  const std::string dump = sc.run("tick TimWo\ndump canvas PicWorld\nget RosterBody(2)\n");
  EXPECT_NE(dump.find("print 212 80 12 5,60,20 B5\n"), std::string::npos) << dump.substr(0, 200);
  EXPECT_NE(dump.find("circle 1756 970 250 0 6.283185307179586 1 100,100,100\n"), std::string::npos);
  EXPECT_NE(dump.find("RosterBody(2)=6\n"), std::string::npos);
  std::string text;
  RasterCanvas raster(100, 100, rgb(0, 0, 0));
  EXPECT_FALSE(dumpCanvas(raster, text));
}

}  // namespace
}  // namespace quorl
