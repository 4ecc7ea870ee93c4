// The nova and the multiple nova: refusals, the free row, the break-up geometry, names, the reports.
#include "events/nova.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <set>
#include <sstream>

#include "io/folder.h"
#include "sim/fields.h"
#include "sim/numbers.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

enum Mode { kExplode, kSpin, kShatter, kSpiral, kImplode };
constexpr int S = 7, N = 13;  // the selected world and the first free row
constexpr double kMass = 0.02, kJitter = 1e-9;

// Bodies 2..12 present, 13..20 free; R = 10, E = 1, D = 10, K = mass / R², a jitter too small to see.
void setUp(Game& g) {
  testing::emptyTable(g, 20);
  for (int i = 2; i <= 12; ++i) testing::place(g, i, 100.0 * i, 0, 0, 0, 0, 0, 0.001);
  g.s.MasterScale = 31, g.s.Proximity = 10, g.s.Focus = S, g.s.ExplodeRandomness = 33000;
  g.c("TXmo").setText("7.7");
  g.c("Txplod").setText("1e12");
  g.c("TxSpread").setText("100");
  g.c("OpExIm", kSpin).choose();
}

struct Nova : ::testing::Test {
  Scenario sc{true};
  Game& g = sc.g();
  BodyTable& b = g.b;
  const double K = kMass / 100;
  void SetUp() override { setUp(g); }
  // The selected world afresh at (1000, 500, 70) moving (1, 2, 3), row 13 free, the sequence at `seed`.
  void nova(int mode, int seed = 1, double mass = kMass) {
    testing::place(g, S, 1000, 500, 70, 1, 2, 3, mass);
    b.Gone[N] = 1;
    g.s.ExplodeRandomness = 33000;
    g.random.seed(seed);
    g.c("OpExIm", mode).choose();
    g.c("Command11").press();
  }
  std::string status() { return g.window.Labill->caption(); }
};

TEST(NovaRefusals, LeaveEveryBodyAsItWas) {
  const std::string sun = "Not enough potential to split the sun. Select a planet or Supernova.";
  const struct {
    std::function<void(Game&)> scene;
    std::string status;
    int fragment;
  } cases[] = {
      {[](Game& g) { g.s.BodyCount = 0, g.s.Focus = 0; }, "Select ^ 1-9 Supernova, or choose 10 for a single body.", 0},
      {[](Game& g) { g.s.Focus = 2; }, sun, 0},
      {[](Game& g) { g.s.Focus = 1; }, sun, 0},
      {[](Game& g) { g.s.NewWorldCount = 3323; }, "Universe depleted. Entropy meltdown.", N},
      {[](Game& g) { g.s.BodyCount = 12; }, "Nyet. No new worlds have been formed.", -2},
      {[](Game& g) { g.b.Gone[S] = 1; }, "Nyet. Body 7 is not a present world: select one to split.", N},
      {[](Game& g) { g.b.Mass[S] = 0; }, "Nyet. Body 7 has no mass to split.", N},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("row " + std::to_string(&c - cases));
    Scenario sc{true};
    Game& g = sc.g();
    setUp(g);
    c.scene(g);
    const std::uint64_t before = tableHash(g.b, g.s);
    const int count = g.s.NewWorldCount;
    g.c("Command11").press();
    EXPECT_EQ(g.window.Labill->caption(), c.status);
    EXPECT_EQ(tableHash(g.b, g.s), before);
    EXPECT_EQ(g.s.NewWorldCount, count);
    EXPECT_EQ(g.s.NewestFragment, c.fragment);
  }
}

TEST_F(Nova, NewHalfTakesTheLowestFreeRowOtherThanTheSelected) {
  g.s.BodyCount = 12;
  b.Gone[5] = b.Gone[9] = 1;
  g.s.NewWorldCount = 3322;  // the last nova the list allows
  g.c("Command11").press();
  EXPECT_EQ(g.s.NewestFragment, 5);
  EXPECT_EQ(b.Gone[5], 0);
  EXPECT_EQ(b.Mass[5], b.Mass[S]);
  EXPECT_EQ(g.s.NewWorldCount, 3323);
}

TEST_F(Nova, AxisSplitsPlaceTheHalvesFortyRadiiApartAndTurnThem) {
  // Positions of S and N, then velocities in K added to S's old (1, 2).
  const double cases[4][8] = {{800, 500, 1200, 500, 0, 1, 0, -1},
                              {1000, 300, 1000, 700, -1, 0, 1, 0},
                              {1200, 500, 800, 500, 0, -1, 0, 1},
                              {1000, 700, 1000, 300, 1, 0, -1, 0}};
  for (int p = 0; p < 4; ++p) {
    int seed = 0;
    for (Random r; static_cast<int>(r.rnd() * 4) != p;) r.seed(++seed);
    nova(kSpin, seed);  // the spin's draw is the nova's first
    ASSERT_EQ(g.s.NovaPattern, p);
    const double got[8] = {b.PosX[S],           b.PosY[S],           b.PosX[N],           b.PosY[N],
                           (b.VelX[S] - 1) / K, (b.VelY[S] - 2) / K, (b.VelX[N] - 1) / K, (b.VelY[N] - 2) / K};
    for (int k = 0; k < 8; ++k) EXPECT_NEAR(got[k], cases[p][k], 1e-6) << "pattern " << p << ", value " << k;
    EXPECT_EQ(b.PosZ[N], 70);
  }
}

TEST_F(Nova, OtherModesScatterTheNewHalfWithinReachAndKeepTheMass) {
  const struct {
    Mode mode;
    int pattern;
    double reach, moved;  // of N from S; of S along an axis
  } cases[] = {{kExplode, 5, 10, 0}, {kShatter, 6, 100, 0}, {kImplode, 7, 50, 0}, {kSpiral, 5, 10, 200}};
  for (const auto& c : cases)
    for (int seed = 1; seed <= 10; ++seed) {
      SCOPED_TRACE(::testing::Message() << "mode " << c.mode << ", seed " << seed);
      nova(c.mode, seed);
      ASSERT_EQ(g.s.NovaPattern, c.pattern);
      EXPECT_EQ(b.Mass[S] + b.Mass[N], kMass);
      EXPECT_EQ(std::fabs(b.PosX[S] - 1000) + std::fabs(b.PosY[S] - 500), c.moved);
      const double dx = b.PosX[N] - b.PosX[S], dy = b.PosY[N] - b.PosY[S];
      EXPECT_LT(std::fabs(dx), c.reach);
      EXPECT_LT(std::fabs(dy), c.reach);
      EXPECT_EQ(b.PosZ[N], 70);
      EXPECT_NEAR(b.VelX[S], 1, kJitter);
      EXPECT_NEAR(b.VelY[S], 2, kJitter);
      const double dvx = b.VelX[N] - 1, dvy = b.VelY[N] - 2, dvz = b.VelZ[N] - 3;
      if (c.pattern == 5) {
        EXPECT_LT(std::fabs(dvx) + std::fabs(dvy) + std::fabs(dvz), 3 * K);
        EXPECT_GT(std::fabs(dvx), 0);
      } else if (c.pattern == 6) {
        EXPECT_LT(std::fabs(dvx) + std::fabs(dvy) + std::fabs(dvz), kJitter);
      } else {
        const double dist = std::hypot(dx, dy), W = std::sqrt(kMass / 2 * 30000 / dist);
        EXPECT_NEAR(dvy, W * std::cos(dx / dist), 1e-6);
        EXPECT_NEAR(dvx, W * std::sin(dy / dist), 1e-6);
      }
    }
  // Halves on each other have no direction to orbit in: no kick, and nothing undefined.
  g.c("TxSpread").setText("0");
  nova(kImplode);
  EXPECT_EQ(b.PosX[N], b.PosX[S]);
  EXPECT_NEAR(b.VelX[N] + b.VelY[N], 3, kJitter);
}

TEST_F(Nova, ResetsBothHalvesAndReportsTheNewWorldEverywhere) {
  b.ImpactCount[S] = 4, b.ImpactMark[3][S] = 50, b.CraterDX[3][S] = 9, b.ImpactMark[2][N] = 7;
  b.LifeCount[0][S] = 5, b.LifeCount[3][S] = 100, b.LifeCount[5][N] = 2, b.BodyKind[S] = 13, b.CraftCode[N] = 4;
  b.BodyName[S] = "Tesar";
  g.c("TXmo").setText("77");  // typed, not left: read all the same
  g.clock.set(DateTime{2024, 5, 6, 7, 8, 9}, g.ui.now());
  g.c("OpExIm", kExplode).choose();
  g.c("Command11").press();
  for (const int i : {S, N}) {
    EXPECT_EQ(b.ImpactCount[i] + b.ImpactMark[3][i] + b.ImpactMark[2][i] + b.CraterDX[3][i], 0);
    for (int kind = 0; kind <= 5; ++kind) EXPECT_EQ(b.LifeCount[kind][i], 0) << kind;
    EXPECT_EQ(b.BodyKind[i], 0);
  }
  EXPECT_EQ(b.CraftCode[N], 0);
  EXPECT_EQ(g.s.TorqueSpinPower, 77);
  ASSERT_EQ(b.PlanetClass[N], 7);  // sorted: 0.01 is a brown dwarf
  EXPECT_EQ(status(), "New world 13\rBrown dwarf\r" + b.BodyName[N]);
  EXPECT_EQ(g.s.LastEvent, "Explode Tesar to form " + b.BodyName[S] + " + Brown dwarf " + b.BodyName[N]);
  std::string log;
  ASSERT_TRUE(readFile(g.folder.path("events.txt"), log));
  EXPECT_EQ(log, "07:08:09" + g.s.LastEvent + "\r\n");
  EXPECT_EQ(g.s.NewWorldList[1], b.BodyName[N] + "   13");
  EXPECT_EQ(g.s.Focus, S);
  EXPECT_EQ(g.c("Hcelest").value(), S);
  EXPECT_EQ(g.s.FusionPair, (std::array<i16, 6>{0, 0, N, S, N, S}));
}

TEST_F(Nova, NamesFollowTheOldNameTheMassAndTheCraft) {
  const std::set<std::pair<std::string, std::string>> wrecks = {
      {"scrap", "debris"}, {"flotsam", "jetsom"}, {"junk", "garbage"}};
  std::set<std::pair<std::string, std::string>> seen;
  const std::regex capitalised("[A-Z][a-z]+"), fragment("Abcd[a-z]{1,2}-([1-9][0-9]{2})"),
      newHalf(".+-([1-9][0-9]{2})");
  for (int seed = 1; seed <= 40; ++seed) {
    b.BodyName[S] = "Abcde";  // exactly 5: the short rule keeps it whole, case and all
    nova(kSpin, seed);
    EXPECT_EQ(b.BodyName[S].rfind("Abcde", 0), 0u) << b.BodyName[S];
    EXPECT_NE(b.BodyName[N].find("bcde"), std::string::npos) << b.BodyName[N];
    EXPECT_LE(b.BodyName[N].size(), 10u);

    b.BodyName[S] = "AbcDefGhij";  // longer: a new capitalised name; both cut to 10 at most
    nova(kSpin, seed);
    EXPECT_TRUE(std::regex_match(b.BodyName[N], capitalised)) << b.BodyName[N];
    EXPECT_LE(b.BodyName[N].size(), 10u);
    EXPECT_LE(b.BodyName[S].size(), 10u);

    b.BodyName[S] = "Abcdefgh";  // halves below 2e-8 are fragments with one designation
    nova(kSpin, seed, 3e-8);
    std::smatch ms, mn;
    ASSERT_TRUE(std::regex_match(b.BodyName[S], ms, fragment)) << b.BodyName[S];
    ASSERT_TRUE(std::regex_match(b.BodyName[N], mn, newHalf)) << b.BodyName[N];
    EXPECT_EQ(ms[1], mn[1]);

    b.CraftCode[S] = 3;  // a craft breaks into wreckage
    nova(kSpin, seed);
    seen.insert({b.BodyName[N], b.BodyName[S]});
    EXPECT_EQ(b.BodyKind[S] + b.BodyKind[N], 18);
    EXPECT_EQ(b.CraftCode[S], -3);
    EXPECT_EQ(b.CraftCode[N], 0);
    b.CraftCode[S] = 0;
  }
  EXPECT_EQ(seen, wrecks);
}

TEST_F(Nova, NewWorldsShowsTheNewestEleven) {
  g.s.BodyCount = 40;
  for (int novas = 1; novas <= 15; ++novas) {
    g.c("Command11").press();
    std::vector<std::string> lines;
    std::stringstream caption(g.c("LaNu").caption());
    for (std::string line; std::getline(caption, line, '\r');) lines.push_back(line);
    ASSERT_EQ(lines.size(), 11u) << novas << " novas";
    const int first = novas > 10 ? novas - 10 : 1;
    for (int k = 0; k < 11; ++k) {
      EXPECT_EQ(lines[k], g.s.NewWorldList[first + k]) << novas << " novas, line " << k;
      EXPECT_EQ(lines[k].empty(), first + k > novas) << novas << " novas, line " << k;
    }
  }
}

TEST_F(Nova, BoxesAreRepairedOnLeaving) {
  const struct {
    const char *box, *typed, *shown;
    bool said;
  } cases[] = {{"Txplod", "0", "0.001", true},       {"Txplod", "100000", "99999", true},
               {"Txplod", "250x", "250", true},      {"Txplod", "500", "500", false},
               {"TxSpread", "50000", "29999", true}, {"TxSpread", "abc", "0.2", true},
               {"TxSpread", "29999", "29999", false}};
  for (const auto& c : cases) {
    g.status("before");
    g.c(c.box).setText(c.typed);
    g.c(c.box).loseFocus();
    EXPECT_EQ(g.c(c.box).text(), c.shown) << c.typed;
    EXPECT_EQ(status() != "before", c.said) << c.typed;
  }
  EXPECT_EQ(g.s.ExplodeRandomness, 500);
}

// ---- the multiple nova ----

struct Multiple : Nova {
  Control& timer = g.c("TimAfrica");
  void start(const char* count) {
    g.c("TXbanana").setText(count);
    g.c("Command10").press();
  }
  void ticks(int n) {
    for (int k = 0; k < n; ++k) timer.tick();
  }
};

TEST_F(Multiple, SplitsTheWorldNTimesThenAnnouncesTheFirstFragment) {
  g.c("TXgap").setText("300");
  start("3");
  EXPECT_EQ(timer.interval(), 300);
  ticks(3);
  EXPECT_EQ(g.s.NewWorldCount, 3);
  EXPECT_EQ(g.s.Focus, S);
  ASSERT_TRUE(timer.enabled());
  ticks(1);
  EXPECT_FALSE(timer.enabled());
  EXPECT_EQ(g.s.NewWorldCount, 3);
  EXPECT_EQ(g.s.Focus, N);  // the first nova's fragment
  EXPECT_EQ(status(), "Dominant planet 13\r" + g.c("Lapl", b.PlanetClass[N]).toolTip() + "\r" + b.BodyName[N]);

  // None asked: the first tick ends the event on the old target.
  start("0");
  ticks(1);
  EXPECT_FALSE(timer.enabled());
  EXPECT_EQ(g.s.NewWorldCount, 3);
  EXPECT_EQ(status().rfind("Dominant planet 13\r", 0), 0u);
}

TEST_F(Multiple, RefusedNovasCountAndARestartCountsFromOne) {
  g.s.BodyCount = 12;  // no free row
  start("5");
  ticks(2);
  EXPECT_EQ(status(), "Nyet. No new worlds have been formed.");
  g.c("Command10").press();
  EXPECT_FALSE(timer.enabled());
  EXPECT_EQ(g.s.MultiNovaCount, 3);
  g.s.BodyCount = 20;
  g.c("Command10").press();
  EXPECT_EQ(g.s.MultiNovaCount, 1);
  ticks(1);
  EXPECT_EQ(g.s.MultiNovaTarget, N);

  g.s.Focus = 2;  // a star is never split, and a gap of 0 would never tick
  g.c("TXgap").setText("0");
  g.c("Command10").press();
  EXPECT_EQ(status(), "Not enough potential to split the sun. Select a planet or Supernova.");
  EXPECT_EQ(timer.interval(), 1);
  EXPECT_TRUE(timer.enabled());  // the running event goes on
}

}  // namespace
}  // namespace quorl
