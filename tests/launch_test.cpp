// The launch: the craft's row, start, speed, kind and name, what it takes and writes, its refusals, the
// panel's bars and boxes.
#include "events/launch.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <set>

#include "names/names.h"
#include "sim/fields.h"
#include "sim/numbers.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

constexpr int S = 7;   // the launching world
constexpr int C = 60;  // the lowest free row from 51 up

// Worlds 3..120 far from the star; rows 40, 60 and 70 are free. World S (an Earth world) is selected.
struct Launch : ::testing::Test {
  testing::Scenario sc{true};
  Game& g = sc.g();
  BodyTable& b = g.b;
  SharedState& s = g.s;
  Launch() {
    testing::emptyTable(g, 120);
    g.names->Oobladioobladah();  // the craft words
    for (int i = 2; i <= 120; ++i) testing::place(g, i, 3000.0 + 10 * i, 0, 5, 0.01, 0.02, 0.03, 1e-6);
    b.Gone[40] = b.Gone[C] = b.Gone[70] = 1;
    b.PlanetClass[S] = 3, b.BodyName[S] = "Terranova";
    s.MasterScale = 31, s.Focus = S;
  }
  // World S carries life of one kind, seen by the tick, and row C is free again.
  void arm(int kind) {
    for (int k = 0; k <= 5; ++k) b.LifeCount[k][S] = k == kind ? 40 : 0;
    b.Gone[C] = 1;
    g.c("TimWheel").tick();
  }
  void launch() { g.c("Command12").press(); }
  std::string status() { return g.c("Labill").caption(); }
};

TEST_F(Launch, TheCraftStartsOutAlongTheDirectionWithItsWorldsSpeedAndMore) {
  const struct {
    int power, scale, angle, station, elevation;
    double dvx, dvy, dvz, dx, dy;
  } cases[] = {{7000, 31, 0, 80, 0, 0.28, 0, 0, 32, 0},        {7000, 31, 1571, 80, 0, 0, 0.28, 0, 0, 32},
               {7000, 124, 0, 80, 0, 0.56, 0, 0, 32, 0},       {7000, 31, 3142, 10, 500, -0.28, 0, 0.35, -4, 0},
               {10000, 31, 0, 100, -500, 0.4, 0, -0.5, 40, 0}, {1, 31, 0, 1, 0, 0.00004, 0, 0, 0.4, 0}};
  for (const auto& t : cases) {
    SCOPED_TRACE("row " + std::to_string(&t - cases));
    s.MasterScale = static_cast<std::int16_t>(t.scale);
    g.c("SCRpowER").setValue(t.power);
    g.c("ScrAngle").setValue(t.angle);
    g.c("ScrStation").setValue(t.station);
    g.c("ScrVert").setValue(t.elevation + 500);
    arm(3);
    launch();
    EXPECT_NEAR(b.VelX[C] - b.VelX[S], t.dvx, 3e-4);
    EXPECT_NEAR(b.VelY[C] - b.VelY[S], t.dvy, 3e-4);
    EXPECT_NEAR(b.VelZ[C] - b.VelZ[S], t.dvz, 1e-12);
    EXPECT_NEAR(b.PosX[C] - b.PosX[S], t.dx, 0.02);
    EXPECT_NEAR(b.PosY[C] - b.PosY[S], t.dy, 0.02);
    EXPECT_EQ(b.PosZ[C], b.PosZ[S]);
  }
}

TEST_F(Launch, EachLifeLaunchesItsKindTakesOneAlongAndIsListed) {
  const struct {
    int kind, fromCraft;
    const char* name;
    double fuel, massLow, massHigh;
    int codeLow, codeHigh, bodyKind;
  } cases[] = {
      {1, 0, R"(\*.+)", 0, 5e-22, 9e-22, 11, 18, 11},    {2, 0, R"(\+.+)", 1000, 5e-21, 5e-21, 21, 28, 12},
      {3, 0, R"(\+.+)", 1000, 5e-21, 5e-21, 31, 38, 13}, {4, 0, R"(\+.+)", 1000, 5e-21, 5e-21, 41, 48, 14},
      {5, 0, R"(\^.+)", 1333, 7e-20, 7e-20, 51, 58, 15}, {3, 35, "T #[a-z]{3,6}", 1000, 6e-23, 6e-23, 61, 61, 4}};
  for (const auto& t : cases) {
    SCOPED_TRACE("row " + std::to_string(&t - cases));
    g.launch->steering.collapse();
    b.CraftCode[S] = static_cast<std::int16_t>(t.fromCraft);
    b.BodyKind[C] = 4, b.LifeCount[4][C] = 9;  // a probe keeps the row's kind; life there is cleared
    arm(t.kind);
    const int listed = s.NewWorldCount + 1;
    launch();
    const std::string name = b.BodyName[C];
    EXPECT_TRUE(std::regex_match(name, std::regex(t.name))) << name;
    EXPECT_EQ(b.Fuel[C], t.fuel);
    EXPECT_TRUE(b.CraftCode[C] >= t.codeLow && b.CraftCode[C] <= t.codeHigh) << b.CraftCode[C];
    EXPECT_TRUE(b.Mass[C] >= t.massLow && b.Mass[C] <= t.massHigh) << b.Mass[C];
    EXPECT_EQ(b.BodyKind[C], t.bodyKind);
    EXPECT_EQ(b.PlanetClass[C].get() * 1000 + b.ColorR[C] + b.ColorG[C] + b.ColorB[C], 1000 + 3 * 255);
    for (int k = 0; k <= 5; ++k) EXPECT_EQ(b.LifeCount[k][C], k == t.kind ? 1 : 0) << "kind " << k;
    EXPECT_EQ(b.LifeCount[t.kind][S], 39);
    EXPECT_EQ(s.LaunchCooldown, 25);
    EXPECT_EQ(g.c("Frame4").height() == Steering::kOpenHeight, t.kind != 1);
    EXPECT_EQ(g.c("Text11").text(), name);
    const std::string what =
        "New " + g.c("Lalife", t.kind).caption() + " " + s.CraftTypeNames[std::size_t(t.kind)] + " 60";
    EXPECT_EQ(status(), what + "\rLaunched from Terranova\r" + name);
    EXPECT_EQ(s.LastEvent, what + ", launched from Terranova -> " + name);
    EXPECT_EQ(s.NewWorldCount, listed);
    EXPECT_EQ(s.NewWorldList[std::size_t(listed)], name + "   60");  // a probe by the name it keeps
    EXPECT_EQ(g.c("LaNu").caption().rfind(s.NewWorldList[1] + "\r", 0), 0u);
  }
  // Past ten entries the list shows the last eleven.
  s.NewWorldCount = 14;
  arm(2);
  launch();
  EXPECT_EQ(g.c("LaNu").caption(),
            s.NewWorldList[5] + "\r" + s.NewWorldList[6] + std::string(9, '\r') + s.NewWorldList[15] + "\r");
}

TEST_F(Launch, RefusalsChangeNothingButTheStatusLine) {
  const struct {
    std::function<void(Game&)> set;
    const char* message;
  } cases[] = {
      {[](Game& h) { h.b.LifeCount[3][S] = 0, h.c("TimWheel").tick(); }, "No lifeforms available for spacecraft."},
      {[](Game& h) { h.s.LifeCode = 99; }, "No lifeforms available for spacecraft."},
      {[](Game& h) { h.b.LifeCount[3][S] = 0; }, "No lifeforms available for Launch Crew?."},
      {[](Game& h) { h.s.Focus = 1, h.b.LifeCount[3][1] = 5; },
       "Not enough energy to split the sun. Select a planet or Supernova."},
      {[](Game& h) { h.s.Focus = 1, h.b.LifeCount[3][1] = 5, h.s.BodyCount = 0; },
       "Select ^ 1-9 Supernova, or choose 10 for a single body."},
      {[](Game& h) { h.b.Gone[C] = h.b.Gone[70] = 0; }, "Whew, Pell, we have a problem. No spare craft."},
      {[](Game& h) { h.b.Gone[C] = 0, h.s.Focus = 70, h.b.LifeCount[3][70] = 2; },
       "Whew, Pell, we have a problem. No spare craft."},
      {[](Game& h) { h.s.NewWorldCount = 9999; },
       "Universe depleted. The list of new worlds is full: no room to launch another craft."},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE("row " + std::to_string(&t - cases));
    arm(3);
    t.set(g);
    const std::uint64_t before = stateHash(b, s);
    launch();
    EXPECT_EQ(status(), t.message);
    EXPECT_EQ(stateHash(b, s), before);
    s.Focus = S, s.BodyCount = 120, s.NewWorldCount = 0, b.Gone[70] = 1;
  }
  // A kind run down since the tick is still taken, below zero.
  arm(3);
  b.LifeCount[3][S] = 0, b.LifeCount[1][S] = 2;
  launch();
  EXPECT_EQ(b.LifeCount[3][S], -1);
}

TEST_F(Launch, RowsBelowFiftyOneServeANovaButNoCraft) {
  arm(3);
  b.Gone[C] = b.Gone[70] = 0;  // only row 40 is free: the craft is refused as in the refusals
  launch();
  EXPECT_EQ(b.Gone[40], 1) << status();
  g.c("Command11").press();
  EXPECT_EQ(b.Gone[40], 0) << status();
  EXPECT_EQ(s.NewWorldCount, 1);
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
      {5, "Ab", 1, R"(\^(~!~|=!=|\^!\^|/!\\)? [A-Z][a-z]*)"},
      {3, "Ab", 2, R"(\+[A-Z]ab(ae|a|e|i|o|u|eau|oo|ar|es))"},
      {3, "Abcdefghij", 2, R"(\+[A-Z]abcdefgh(i|ij)?)"},
  };
  for (const auto& t : cases) {
    b.BodyName[S] = t.world;
    std::set<std::size_t> lengths;
    for (int seed = 1, found = 0; found < 30; ++seed) {
      g.random.seed(seed);
      if (Int(Random(g.random).rnd() * 3) != t.style) continue;
      ++found;
      arm(t.kind);
      launch();
      EXPECT_TRUE(std::regex_match(b.BodyName[C], std::regex(t.pattern))) << t.style << ": " << b.BodyName[C];
      lengths.insert(b.BodyName[C].size());
    }
    if (std::string(t.world).size() == 10 && t.style == 2) {
      EXPECT_EQ(lengths, (std::set<std::size_t>{10, 11, 12}));
    }
  }
}

// At a known seed each style gives one name, and the draws it took show in the code drawn after it.
TEST_F(Launch, AKnownSeedGivesOneNameAndCodeInEachStyle) {
  const struct {
    int seed, kind;
    const char* name;
    int code;
  } cases[] = {
      {5, 3, "+Teartr~FJ", 38},  {2, 3, "+FS Aesnesk", 34},  {1, 3, "+ Sesbyag", 38},    // style 0, 1, 1 (no word)
      {1, 2, "+U 719", 28},      {4, 3, "+Wterranovau", 32}, {2, 1, "*Meteor Aes", 14},  // 1 (Aquatiq), 2, a comet
      {2, 5, "^~!~ Aesnesk", 54}};
  for (const auto& t : cases) {
    arm(t.kind);
    g.random.seed(t.seed);
    launch();
    EXPECT_EQ(b.BodyName[C], t.name) << t.seed << " " << t.kind;
    EXPECT_EQ(b.CraftCode[C], t.code) << t.seed << " " << t.kind;
  }
}

TEST_F(Launch, BarsAndBoxesMirrorEachOther) {
  const struct {
    const char *box, *typed, *bar;
    int value;
    const char *text, *message;
  } cases[] = {
      {"Text10", "-200", "ScrVert", 300, "-200", ""},
      {"Text10", "12.6", "ScrVert", 513, "13", ""},
      {"Text10", "600", "ScrVert", 513, "13", "Elevation (-500..500): \"600\" cannot be used; kept 13"},
      {"Text12", "33", "ScrStation", 33, "33", ""},
      {"Text12", "0", "ScrStation", 33, "33", "Launch station (1..100): \"0\" cannot be used; kept 33"},
      {"TXangle", "777x", "ScrAngle", 777, "777", "Thrust angle: \"777x\" is not a number; read as 777"},
      {"TXangle", "7000", "ScrAngle", 777, "777", "Thrust angle (0..6284): \"7000\" cannot be used; kept 777"},
      {"TXpower", "0", "SCRpowER", 7000, "7000", "Thrust power (1..10000): \"0\" cannot be used; kept 7000"},
  };
  for (const auto& t : cases) {
    g.c("Labill").setCaption("");
    g.c(t.box).setText(t.typed);
    g.c(t.box).loseFocus();
    EXPECT_EQ(g.c(t.bar).value(), t.value) << t.box << " " << t.typed;
    EXPECT_EQ(g.c(t.box).text(), t.text) << t.box << " " << t.typed;
    EXPECT_EQ(status(), t.message);
  }
  g.c("Label12").press();
  EXPECT_EQ(g.c("Text10").text() + plain(g.c("ScrVert").value()), "0500");
}

}  // namespace
}  // namespace quorl
