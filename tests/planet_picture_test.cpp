// The planet picture strip: the roster, outlines, halos, craters that keep their place, craft pictograms.
#include "views/planet_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "tests/scenario.h"

namespace quorl {
namespace {

using Op = RecordingCanvas::Op;
using Entry = RecordingCanvas::Entry;
constexpr int kSlot1 = 656, kSlot2 = 1756;

struct Strip : ::testing::Test {
  testing::Scenario sc{true};
  Game& g = sc.g();
  RecordingCanvas& pic = dynamic_cast<RecordingCanvas&>(g.canvas("PicWorld"));

  // Bodies 2..count present, selected from `sel`; then every picture radius 500, body i coloured (i, 60, 20).
  void show(int count, int sel, std::set<int> gone = {}) {
    g.s.BodyCount = count;
    for (int i = 0; i < kRows; ++i) g.b.Gone[i] = i < 2 || i > count || gone.count(i);
    for (int i = 2; i <= count; ++i) g.b.BodyName[i] = "B" + std::to_string(i), g.b.Mass[i] = 0.0005;
    g.c("Hcelest").setRange(2, count);
    g.c("TimWo").setEnabled(true);
    g.c("Hcelest").setValue(sel);  // runs the class sort and sizes the world: colours and sizes follow
    for (int i = 2; i <= count; ++i)
      g.b.Radius[i] = 0.025, g.b.ColorR[i] = static_cast<float>(i), g.b.ColorG[i] = 60, g.b.ColorB[i] = 20;
  }
  std::vector<Entry> tick() {
    pic.entries.clear();
    g.c("TimWo").tick();
    return pic.sinceClear();
  }
  static int pointsAt(const std::vector<Entry>& drawn, double x, double r, Color c) {
    int n = 0;
    for (const Entry& e : drawn)
      n += e.op == Op::Point && e.color == c && std::fabs(std::hypot(e.x - x, e.y - 970) - r) < 1e-6;
    return n;
  }
};

// One tick drawn whole, compared with the dump committed beside this file: a world with three craters (one
// placed by the tick), air and water, a starship beside it, the star the roster wraps round to, and ten
// empty entries.
TEST_F(Strip, OneTickDrawsWhatTheCommittedDumpHolds) {
  const std::string dump = sc.run(R"(put BodyCount 4
put Gone(2) 0
put Gone(3) 0
put Gone(4) 0
put Mass(3) 0.0005
put Mass(4) 5e-21
press Command2
set Hcelest 3
put ColorR(3) 250
put ColorG(3) 60
put ColorB(3) 200
put Radius(3) 0.03
put AirLevel(3) 120
put WaterLevel(3) 40
put ImpactCount(3) 3
put ImpactMark(1,3) 250
put ImpactMark(2,3) 150
put ImpactMark(3,3) 12
put CraterDX(1,3) 200
put CraterDY(1,3) -150
put CraterDX(2,3) -260
put CraterDY(2,3) 90
put BodyName(3) Vessa
put CraftCode(4) 34
put BodyKind(4) 15
put BodyName(4) +FS Tius
put Radius(2) 0.02
put BodyName(2) Sol
tick TimWo
dump canvas PicWorld
)");
  const std::string expected =
      testing::fileText(std::string(std::getenv("QUORL_SOURCE_DIR")) + "/tests/planet_strip.expected");
  ASSERT_FALSE(expected.empty());
  if (dump == expected) return;
  // Where they part, to read beside the file.
  std::size_t at = 0;
  while (at < dump.size() && at < expected.size() && dump[at] == expected[at]) ++at;
  const std::size_t line = static_cast<std::size_t>(std::count(dump.begin(), dump.begin() + at, '\n'));
  const auto lineAt = [](const std::string& text, std::size_t from) {
    from = text.rfind('\n', from == 0 ? 0 : from - 1);
    from = from == std::string::npos ? 0 : from + 1;
    return text.substr(from, text.find('\n', from) - from);
  };
  ADD_FAILURE() << "line " << line + 1 << ": drawn '" << lineAt(dump, at) << "', expected '" << lineAt(expected, at)
                << "'";
}

TEST_F(Strip, RosterRunsFromTheSelectedWorldAndWrapsToTwelve) {
  struct Case {
    int count, sel;
    std::set<int> gone;
    std::vector<int> roster;
  };
  for (const Case& c : {Case{20, 5, {}, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
                        Case{20, 15, {}, {15, 16, 17, 18, 19, 20, 2, 3, 4, 5, 6, 7}},
                        Case{12, 10, {}, {10, 11, 12, 2, 3, 4, 5, 6, 7, 8, 9}},
                        Case{20, 5, {6, 8}, {5, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
                        Case{16, 5, {}, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}}}) {
    show(c.count, c.sel, c.gone);
    // The driver's dump: every name printed at its entry, "~" where the roster ran out.
    const std::string dump = sc.run("tick TimWo\ndump canvas PicWorld\n");
    for (int k = 1; k <= 13; ++k) {
      SCOPED_TRACE(::testing::Message() << "sel " << c.sel << " entry " << k);
      const std::size_t i = static_cast<std::size_t>(k - 1);
      const int want = i < c.roster.size() ? c.roster[i] : 0;
      EXPECT_EQ(g.s.RosterBody[k], want);
      const std::string name = want ? "B" + std::to_string(want) : "~";
      const std::string print = "print " + std::to_string(1100 * k - 888) + (k % 2 ? " 80 " : " 1620 ");
      EXPECT_NE(dump.find(print + "12 " + (want ? std::to_string(want) + ",60,20 " : "0,0,0 ") + name + "\n"),
                std::string::npos);
    }
  }
  EXPECT_EQ(g.s.RosterSize[1], 500);
}

TEST_F(Strip, OutlinePointsByMassAndTheSmallStar) {
  // The star, body 2, has a second arc beside its outline, and a glow.
  const std::tuple<int, double, int, int> cases[] = {
      {5, 0.001, 132, 0}, {5, 0.002, 264, 0}, {5, 0.004, 264, 0}, {5, 0.0041, 528, 0}, {2, 0.0005, 101 + 51, 4}};
  for (auto [sel, mass, outline, glow] : cases) {
    SCOPED_TRACE("body " + std::to_string(sel) + ", mass " + std::to_string(mass));
    show(20, sel);
    g.b.Mass[sel] = mass;
    const auto drawn = tick();
    EXPECT_EQ(pointsAt(drawn, kSlot1, 500, rgb(sel, 60, 20)), outline);
    EXPECT_EQ(pointsAt(drawn, kSlot1, 15, rgb(240, 240, 240)), glow);  // the glow's inner points
  }
}

TEST_F(Strip, AirAndWaterHalos) {
  const std::tuple<double, double, int, int> cases[] = {
      {0, 0, 0, 0}, {0, 1.5, 0, 0}, {0, 2, 0, 132}, {50, 30, 132, 132}};
  for (auto [air, waterLevel, airPoints, waterPoints] : cases) {
    SCOPED_TRACE(::testing::Message() << "air " << air << ", water " << waterLevel);
    show(20, 5);
    g.b.ColorR[5] = 100;
    g.b.AirLevel[5] = air;
    g.b.WaterLevel[5] = waterLevel;
    const auto drawn = tick();
    int water = 0;
    for (const Entry& e : drawn)
      if (std::fabs(std::hypot(e.x - kSlot1, e.y - 970) - 515) < 1e-6) {
        ++water;
        EXPECT_EQ(e.color.r, waterLevel > 20 ? 100 : 25);  // ten times the level, held within 50..200, halved
        EXPECT_GE(e.color.b, 100);
      }
    EXPECT_EQ(water, waterPoints);
    // Half way to the air level; the outer ring half that again, ties to even.
    EXPECT_EQ(pointsAt(drawn, kSlot1, 560, rgb(75, 55, 35)), airPoints);
    EXPECT_EQ(pointsAt(drawn, kSlot1, 590, rgb(38, 28, 18)), airPoints);
  }
}

TEST_F(Strip, CratersKeepTheirPlace) {
  show(20, 5);
  g.b.ImpactCount[5] = 3;
  g.b.ImpactMark[1][5] = 150;  // rings of 22 and 63 points
  g.b.ImpactMark[2][5] = 12;   // a light dot and eight points round it
  g.b.ImpactMark[3][5] = 10;   // four points round it, no dot
  auto craters = [&] {
    std::vector<std::pair<double, double>> at;
    for (const Entry& e : tick())
      if (e.op == Op::Point && e.x < 1200 && std::fabs(std::hypot(e.x - kSlot1, e.y - 970) - 500) > 1e-6)
        at.emplace_back(e.x, e.y);
    return at;
  };
  const auto first = craters();
  const int dx = g.b.CraterDX[1][5];
  EXPECT_NE(dx, 0);
  EXPECT_LE(std::abs(dx), 400);
  EXPECT_EQ(first.size(), 1u + 22 + 63 + 9 + 4);  // with the world's centre point
  EXPECT_EQ(craters(), first);
  EXPECT_EQ(g.b.CraterDX[1][5], dx);
}

TEST_F(Strip, AWorldTooLargeForItsSlotIsNotPictured) {
  // At entry 13 (x 13856) its craters could pass 32767 above a picture radius of 23638; in the first slot it fits.
  for (auto [sel, pictured] : {std::pair{5, false}, {17, true}}) {
    show(20, sel);
    g.b.Radius[17] = 1.5;
    g.b.ImpactCount[17] = 1;
    g.b.ImpactMark[1][17] = 150;
    tick();
    EXPECT_EQ(g.b.CraterDX[1][17] != 0, pictured) << sel;
    EXPECT_EQ(g.c("Labill").caption().find("Overflow"), std::string::npos) << sel;
  }
}

TEST_F(Strip, CraftPictograms) {
  struct Case {
    int code, lines, circles, arcs;
  };
  for (const Case& c :
       {Case{11, 7, 2, 0}, Case{21, 0, 2, 0}, Case{31, 15, 1, 0}, Case{32, 15, 2, 0}, Case{33, 7, 0, 1},
        Case{34, 14, 0, 1}, Case{35, 9, 0, 0}, Case{36, 14, 0, 1}, Case{37, 11, 0, 1}, Case{38, 19, 0, 1},
        Case{45, 0, 2, 0}, Case{55, 0, 1, 2}, Case{61, 0, 2, 0}, Case{39, 0, 0, 0}}) {
    show(20, 5);
    g.b.CraftCode[6] = static_cast<std::int16_t>(c.code);
    g.b.BodyKind[6] = 15;  // starships in light blue
    int lines = 0, blue = 0, circles = 0, arcs = 0;
    const auto drawn = tick();
    for (const Entry& e : drawn) {
      lines += e.op == Op::Line;
      blue += e.op == Op::Line && e.color == rgb(200, 200, 255);
      if (e.op == Op::Circle) (e.start == 0 && e.end > 6.28 ? circles : arcs)++;
    }
    EXPECT_EQ(std::vector<int>({lines, circles, arcs}), std::vector<int>({c.lines, c.circles, c.arcs})) << c.code;
    EXPECT_TRUE(c.code < 31 || c.code > 38 || blue == lines) << c.code;  // starships in the base colour
    // A craft has no outline; the world beside it keeps its own.
    EXPECT_EQ(pointsAt(drawn, kSlot2, 500, rgb(6, 60, 20)), 0) << c.code;
    EXPECT_EQ(pointsAt(drawn, kSlot1, 500, rgb(5, 60, 20)), 132) << c.code;
  }
}

TEST_F(Strip, CratersPlacedByTheZoomViewStayPutInBothViews) {
  show(20, 5);
  g.b.ImpactCount[5] = 1;
  g.b.ImpactMark[1][5] = 150;
  g.s.Proximity = 1;
  auto& moon = dynamic_cast<RecordingCanvas&>(g.canvas("PicMoon"));
  auto craterAt = [&] {  // the crater's centre point, in a third of the world's colour
    moon.entries.clear();
    g.c("TimZkrol").tick();
    for (const Entry& e : moon.entries)
      if (e.op == Op::Point && e.color == rgb(2, 20, 7)) return std::make_pair(e.x, e.y);
    return std::make_pair(-1.0, -1.0);
  };
  const auto placed = craterAt();
  const int dx = g.b.CraterDX[1][5];
  const auto later = craterAt();
  EXPECT_NEAR(later.first, placed.first, 1.0);
  EXPECT_NEAR(later.second, placed.second, 1.0);
  EXPECT_GT(std::hypot(later.first - 4380, later.second - 4000), 1.0) << "the crater fell to the centre";
  tick();
  EXPECT_EQ(g.b.CraterDX[1][5], dx);
}

}  // namespace
}  // namespace quorl
