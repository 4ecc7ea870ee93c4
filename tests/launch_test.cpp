// The launch: which row becomes the craft, where it starts and how fast, its kind and name, what it takes
// from its world, the lists and lines it writes, its refusals, and the panel's bars and boxes.
#include "events/launch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <set>

#include "names/names.h"
#include "sim/fields.h"
#include "sim/numbers.h"
#include "tests/scenario.h"
#include "views/orbit_views.h"

namespace quorl {
namespace {

using testing::Scenario;

constexpr int S = 7;   // the launching world
constexpr int C = 60;  // the lowest free row from 51 up

// Worlds 3..120 far from the star; rows 40, 60 and 70 are free. World S (an Earth world) is selected.
struct Launch : ::testing::Test {
  Scenario sc{true};
  Game& g = sc.g();
  BodyTable& b = g.b;
  SharedState& s = g.s;
  Launch() {
    testing::emptyTable(g, 120);
    g.names->Oobladioobladah();  // the craft words
    for (int i = 2; i <= 120; ++i) testing::place(g, i, 3000.0 + 10 * i, 0, 5, 0.01, 0.02, 0.03, 1e-6);
    b.Gone[40] = b.Gone[C] = b.Gone[70] = 1;
    b.PlanetClass[S] = 3;
    b.BodyName[S] = "Terranova";
    s.MasterScale = 31;
    s.Focus = S;
  }
  // World S carries life of one kind, and the tick has seen it.
  void arm(int kind, int amount = 40) {
    for (int k = 0; k <= 5; ++k) b.LifeCount[k][S] = k == kind ? amount : 0;
    g.c("TimWheel").tick();
  }
  void launch() { g.c("Command12").press(); }
  void again() { b.Gone[C] = 1; }
  std::string status() { return g.c("Labill").caption(); }
};

TEST_F(Launch, TheCraftStartsOutAlongTheDirectionWithItsWorldsSpeedAndMore) {
  const struct {
    int power, scale, angle, station, elevation;
    double dvx, dvy, dvz, dx, dy;
  } cases[] = {
      {7000, 31, 0, 80, 0, 0.28, 0, 0, 32, 0},        {7000, 31, 1571, 80, 0, 0, 0.28, 0, 0, 32},
      {7000, 124, 0, 80, 0, 0.56, 0, 0, 32, 0},       {7000, 31, 3142, 10, 500, -0.28, 0, 0.35, -4, 0},
      {10000, 31, 0, 100, -500, 0.4, 0, -0.5, 40, 0}, {1, 31, 0, 1, 0, 0.00004, 0, 0, 0.4, 0},
  };
  for (const auto& t : cases) {
    again();
    arm(3);
    s.MasterScale = static_cast<std::int16_t>(t.scale);
    g.c("SCRpowER").setValue(t.power);
    g.c("ScrAngle").setValue(t.angle);
    g.c("ScrStation").setValue(t.station);
    g.c("ScrVert").setValue(t.elevation + 500);
    g.c("TimWheel").tick();  // the direction follows the angle box
    launch();
    ASSERT_EQ(b.Gone[C], 0) << status();
    EXPECT_NEAR(b.VelX[C] - b.VelX[S], t.dvx, 3e-4) << t.angle;
    EXPECT_NEAR(b.VelY[C] - b.VelY[S], t.dvy, 3e-4) << t.angle;
    EXPECT_NEAR(b.VelZ[C] - b.VelZ[S], t.dvz, 1e-12) << t.elevation;
    EXPECT_NEAR(b.PosX[C] - b.PosX[S], t.dx, 0.02) << t.station;
    EXPECT_NEAR(b.PosY[C] - b.PosY[S], t.dy, 0.02) << t.station;
    EXPECT_EQ(b.PosZ[C], b.PosZ[S]);
  }
}

TEST_F(Launch, EachLifeLaunchesItsKindOfCraftAndTakesOneAlong) {
  const struct {
    int kind;
    char marker;
    double fuel, massLow, massHigh;
    bool keysOpen;
  } cases[] = {{1, '*', 0, 5e-22, 9e-22, false},
               {2, '+', 1000, 5e-21, 5e-21, true},
               {3, '+', 1000, 5e-21, 5e-21, true},
               {4, '+', 1000, 5e-21, 5e-21, true},
               {5, '^', 1333, 7e-20, 7e-20, true}};
  for (const auto& t : cases) {
    again();
    b.LifeCount[4][C] = 9;  // what the row held before is cleared
    g.launch->steering.collapse();
    arm(t.kind);
    const int listed = s.NewWorldCount;
    launch();
    const std::string name = b.BodyName[C];
    ASSERT_EQ(b.Gone[C], 0) << status();
    EXPECT_EQ(name[0], t.marker) << name;
    EXPECT_LE(name.size(), 12u);
    EXPECT_EQ(b.Fuel[C], t.fuel);
    EXPECT_GE(b.CraftCode[C], 10 * t.kind + 1);
    EXPECT_LE(b.CraftCode[C], 10 * t.kind + 8);
    EXPECT_GE(b.Mass[C], t.massLow);
    EXPECT_LE(b.Mass[C], t.massHigh);
    EXPECT_NEAR(b.Mass[C] / 1e-22, std::round(b.Mass[C] / 1e-22), 1e-6);
    EXPECT_EQ(b.BodyKind[C], 10 + t.kind);
    EXPECT_EQ(b.PlanetClass[C], 1);
    EXPECT_EQ(b.ColorR[C] + b.ColorG[C] + b.ColorB[C], 3 * 255);
    for (int k = 0; k <= 5; ++k) EXPECT_EQ(b.LifeCount[k][C], k == t.kind ? 1 : 0) << "kind " << k;
    EXPECT_EQ(b.LifeCount[t.kind][S], 39);
    EXPECT_EQ(s.LaunchCooldown, 25);
    EXPECT_EQ(g.c("Frame4").height() == Steering::kOpenHeight, t.keysOpen);
    EXPECT_EQ(g.c("FraCosmo").height(), LaunchPanel::kOpenHeight);
    EXPECT_EQ(g.c("Text11").text(), name);

    const std::string what =
        "New " + g.c("Lalife", t.kind).caption() + " " + s.CraftTypeNames[static_cast<std::size_t>(t.kind)] + " 60";
    EXPECT_EQ(status(), what + "\rLaunched from Terranova\r" + name);
    EXPECT_EQ(s.LastEvent, what + ", launched from Terranova -> " + name);
    EXPECT_EQ(s.NewWorldCount, listed + 1);
    EXPECT_EQ(s.NewWorldList[static_cast<std::size_t>(listed + 1)], name + "   60");
    EXPECT_NE(g.c("LaNu").caption().find(name + "   60\r"), std::string::npos);
  }
}

TEST_F(Launch, ACraftLaunchedFromACraftIsAProbeNamedAfterIt) {
  b.CraftCode[S] = 35;
  b.BodyKind[C] = 4;  // the row's old kind stays
  arm(3);
  launch();
  EXPECT_EQ(b.CraftCode[C], 61);
  EXPECT_EQ(b.Mass[C], 6e-23);
  EXPECT_EQ(b.BodyKind[C], 4);
  EXPECT_EQ(b.Fuel[C], 1000);
  EXPECT_TRUE(std::regex_match(b.BodyName[C], std::regex("T #[a-z][a-z]+"))) << b.BodyName[C];
  EXPECT_EQ(s.NewWorldList[1], b.BodyName[C] + "   60");  // listed by the name it keeps
}

TEST_F(Launch, RefusalsChangeNothingButTheStatusLine) {
  const struct {
    const char* why;
    const char* message;
  } cases[] = {
      {"no life", "No lifeforms available for spacecraft."},
      {"life gone since the tick", "No lifeforms available for Launch Crew?."},
      {"the sun", "Not enough energy to split the sun. Select a planet or Supernova."},
      {"no system", "Select ^ 1-9 Supernova, or choose 10 for a single body."},
      {"only rows below 51", "Whew, Pell, we have a problem. No spare craft."},
      {"only the world's own row", "Whew, Pell, we have a problem. No spare craft."},
      {"list full", "Universe depleted. The list of new worlds is full: no room to launch another craft."},
      {"a code no tick gives", "No lifeforms available for spacecraft."},
  };
  for (const auto& t : cases) {
    Scenario fresh{true};
    Game& h = fresh.g();
    testing::emptyTable(h, 120);
    for (int i = 2; i <= 120; ++i) testing::place(h, i, 3000.0 + 10 * i, 0, 0, 0, 0, 0, 1e-6);
    h.b.Gone[40] = h.b.Gone[C] = 1;
    h.s.Focus = S;
    h.b.LifeCount[3][S] = 40;
    h.c("TimWheel").tick();
    const std::string why = t.why;
    if (why == "no life") h.b.LifeCount[3][S] = 0, h.c("TimWheel").tick();
    if (why == "life gone since the tick") h.b.LifeCount[3][S] = 0;
    if (why == "the sun" || why == "no system") h.s.Focus = 1, h.b.LifeCount[3][1] = 5;
    if (why == "no system") h.s.BodyCount = 0;
    if (why == "only rows below 51") h.b.Gone[C] = 0;
    if (why == "only the world's own row") h.b.Gone[C] = 0, h.s.Focus = 70, h.b.Gone[70] = 1, h.b.LifeCount[3][70] = 2;
    if (why == "list full") h.s.NewWorldCount = 3333;
    if (why == "a code no tick gives") h.s.LifeCode = 99;
    const std::uint64_t before = stateHash(h.b, h.s);
    h.c("Command12").press();
    EXPECT_EQ(h.c("Labill").caption(), t.message) << why;
    EXPECT_EQ(stateHash(h.b, h.s), before) << why;
  }
}

TEST_F(Launch, AKindRunDownSinceTheTickIsStillTakenBelowZero) {
  arm(3);
  b.LifeCount[3][S] = 0;
  b.LifeCount[1][S] = 2;
  launch();
  EXPECT_EQ(b.Gone[C], 0);
  EXPECT_EQ(b.LifeCount[3][S], -1);
  EXPECT_EQ(b.LifeCount[3][C], 1);
}

TEST_F(Launch, NamesFollowTheirStyleAndLongOnesAreCutToTenElevenOrTwelve) {
  const struct {
    int kind;
    const char* world;
    int style;
    const char* pattern;
  } cases[] = {
      {3, "Ab", 0, R"(\+Ab(ae|a|e|i|o|u|eau|oo|ar|es)[a-z]{1,2}~[A-Z]{2})"},
      {3, "Abcdefghij", 0, R"(\+Abc?[a-z]{1,5}~[A-Z]{2})"},
      {2, "Ab", 1, R"(\+U \d{1,3})"},
      {4, "Ab", 1, R"(\+(UFO|UAV|Saucer|Foo)? [A-Z][a-z]*)"},
      {5, "Ab", 1, R"(\^(~!~|=!=|\^!\^|/!\\)? [A-Z][a-z]*)"},
      {3, "Ab", 2, R"(\+[A-Z]ab(ae|a|e|i|o|u|eau|oo|ar|es))"},
      {3, "Abcdefghij", 2, R"(\+[A-Z]abcdefgh(i|ij)?)"},
  };
  for (const auto& t : cases) {
    b.BodyName[S] = t.world;
    std::set<std::size_t> lengths;
    for (int seed = 1, found = 0; found < 30; ++seed) {
      g.random.seed(seed);
      Random peek = g.random;
      if (static_cast<int>(Int(peek.rnd() * 3)) != t.style) continue;
      ++found;
      again();
      arm(t.kind);
      g.random.seed(seed);
      launch();
      const std::string& name = b.BodyName[C];
      EXPECT_TRUE(std::regex_match(name, std::regex(t.pattern))) << t.world << " style " << t.style << ": " << name;
      lengths.insert(name.size());
    }
    EXPECT_LE(*lengths.rbegin(), 12u);
    if (std::string(t.world).size() == 10 && t.style == 2) {
      EXPECT_EQ(lengths, (std::set<std::size_t>{10, 11, 12}));
    }
  }
}

TEST_F(Launch, TheNewWorldsListShowsItsLastElevenEntries) {
  const struct {
    int before;
    const char* first;
  } cases[] = {{14, "w5"}, {3, "w1"}};
  for (const auto& t : cases) {
    for (int i = 1; i <= 20; ++i) s.NewWorldList[static_cast<std::size_t>(i)] = "w" + std::to_string(i);
    s.NewWorldCount = static_cast<std::int16_t>(t.before);
    again();
    arm(2);
    launch();
    const std::string list = g.c("LaNu").caption();
    EXPECT_EQ(list.rfind(std::string(t.first) + "\r", 0), 0u) << list;
    EXPECT_EQ(std::count(list.begin(), list.end(), '\r'), 11);
  }
}

TEST_F(Launch, BarsAndBoxesMirrorEachOther) {
  const struct {
    const char *bar, *box;
    int value;
    const char* text;
  } moved[] = {{"SCRpowER", "TXpower", 1234, "1234"},
               {"ScrAngle", "TXangle", 1571, "1571"},
               {"ScrStation", "Text12", 5, "5"},
               {"ScrVert", "Text10", 800, "300"}};
  for (const auto& t : moved) {
    g.c(t.bar).setValue(t.value);
    EXPECT_EQ(g.c(t.box).text(), t.text) << t.bar;
  }
  const struct {
    const char *box, *typed, *bar;
    int value;
    const char *text, *message;
  } left[] = {
      {"Text10", "-200", "ScrVert", 300, "-200", ""},
      {"Text10", "12.6", "ScrVert", 513, "13", ""},
      {"Text10", "600", "ScrVert", 513, "13", "Elevation (-500..500): \"600\" cannot be used; kept 13"},
      {"Text12", "33", "ScrStation", 33, "33", ""},
      {"Text12", "0", "ScrStation", 33, "33", "Launch station (1..100): \"0\" cannot be used; kept 33"},
      {"TXangle", "777x", "ScrAngle", 777, "777", "Thrust angle: \"777x\" is not a number; read as 777"},
      {"TXangle", "7000", "ScrAngle", 777, "777", "Thrust angle (0..6284): \"7000\" cannot be used; kept 777"},
      {"TXpower", "0", "SCRpowER", 1234, "1234", "Thrust power (1..10000): \"0\" cannot be used; kept 1234"},
  };
  for (const auto& t : left) {
    g.c("Labill").setCaption("");
    g.c(t.box).setText(t.typed);
    g.c(t.box).loseFocus();
    EXPECT_EQ(g.c(t.bar).value(), t.value) << t.box << " " << t.typed;
    EXPECT_EQ(g.c(t.box).text(), t.text) << t.box << " " << t.typed;
    EXPECT_EQ(status(), t.message);
  }
  g.c("Label12").press();
  EXPECT_EQ(g.c("Text10").text(), "0");
  EXPECT_EQ(g.c("ScrVert").value(), 500);
}

TEST_F(Launch, TheCraftBlinksInItsLifesColoursAndTheZoomMarksItsDirection) {
  arm(4);
  launch();
  auto& view = dynamic_cast<RecordingCanvas&>(g.mainView());
  auto& moon = dynamic_cast<RecordingCanvas&>(g.canvas("PicMoon"));
  for (int phase = 1; phase <= 2; ++phase) {
    s.BlinkPhase = static_cast<std::int16_t>(phase);
    view.entries.clear();
    g.views->BomBA(static_cast<std::int16_t>(b.PosX[C]), 0, 0, C);
    ASSERT_EQ(view.entries.size(), 1u);
    const Control& colours = g.c("LaMount", 4);
    EXPECT_EQ(view.entries[0].color, phase == 1 ? colours.fore() : colours.back());
  }
  s.Focus = C;
  s.Proximity = 1, s.Magnification = 1, s.ZoomRate = 60;
  const struct {
    int angle;
    double sx, sy;  // the marker's side of the centre
  } cases[] = {{0, 1, 0}, {1571, 0, 1}, {3142, -1, 0}};
  for (const auto& t : cases) {
    g.c("ScrAngle").setValue(t.angle);
    g.c("TimWheel").tick();
    moon.entries.clear();
    s.ZoomFrame = 10;  // the marker shows red
    g.c("TimZkrol").tick();
    int marks = 0;
    for (const auto& e : moon.entries) {
      if (e.color != rgb(255, 0, 0)) continue;
      ++marks;
      EXPECT_NEAR((e.x - 4380) * (1 - std::abs(t.sx)), 0, 1) << t.angle;
      EXPECT_GT((e.x - 4380) * t.sx + (e.y - 4000) * t.sy, 0) << t.angle;
    }
    EXPECT_EQ(marks, 1) << t.angle;
  }
}

}  // namespace
}  // namespace quorl
