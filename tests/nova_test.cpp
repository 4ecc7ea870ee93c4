// The nova and the multiple nova: refusals, the free row, the break-up geometry, names, the reports.
#include "events/nova.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <set>
#include <sstream>
#include <vector>

#include "io/folder.h"
#include "sim/fields.h"
#include "sim/numbers.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

enum Mode { kExplode, kSpin, kShatter, kSpiral, kImplode };

constexpr int S = 7;  // the selected world
constexpr double kMass = 0.02;

// Bodies 2..12 present, 13..20 free; K = mass / R² (torque 7.7, scale 31) and a jitter too small to see.
struct Nova : ::testing::Test {
  Scenario sc{true};
  Game& g = sc.g();
  BodyTable& b = g.b;

  void SetUp() override {
    testing::emptyTable(g, 20);
    for (int i = 2; i <= 12; ++i) testing::place(g, i, 100.0 * i, 0, 0, 0, 0, 0, 0.001);
    testing::place(g, S, 1000, 500, 70, 1, 2, 3, kMass);
    g.c("Hcelest").setRange(2, 20);
    g.s.MasterScale = 31;
    g.s.Proximity = 10;
    g.s.ExplodeRandomness = 33000;  // E = 1
    g.c("TXmo").setText("7.7");
    g.c("Txplod").setText("1e12");
    g.c("TxSpread").setText("100");  // D = 10
    g.s.Focus = S;
    choose(kSpin);
  }
  void choose(int mode) { g.c("OpExIm", mode).choose(); }
  void nova() { g.c("Command11").press(); }
  std::string status() { return g.window.Labill->caption(); }
  double K() const { return kMass / (g.s.Proximity * g.s.Proximity); }
  // Seeds the sequence so that the nova's first draw, the spin's pattern, picks p.
  void seedForPattern(int p) {
    for (int seed = 0;; ++seed) {
      Random r;
      r.seed(seed);
      if (static_cast<int>(r.rnd() * 4) == p) return g.random.seed(seed);
    }
  }
};

constexpr double kJitter = 1e-9;

TEST_F(Nova, RefusalsLeaveEveryBodyAsItWas) {
  struct Case {
    const char* what;
    std::function<void(Game&)> setUp;
    const char* status;
    int fragment;
  };
  const Case cases[] = {
      {"no system", [](Game& g) { g.s.BodyCount = 0, g.s.Focus = 0; },
       "Select ^ 1-9 Supernova, or choose 10 for a single body.", 0},
      {"the small star", [](Game& g) { g.s.Focus = 2; },
       "Not enough potential to split the sun. Select a planet or Supernova.", 0},
      {"the large star", [](Game& g) { g.s.Focus = 1; },
       "Not enough potential to split the sun. Select a planet or Supernova.", 0},
      {"list full", [](Game& g) { g.s.NewWorldCount = 3323; }, "Universe depleted. Entropy meltdown.", 13},
      {"no free row", [](Game& g) { g.s.BodyCount = 12; }, "Nyet. No new worlds have been formed.", -2},
      {"selected body gone", [](Game& g) { g.b.Gone[S] = 1; },
       "Nyet. Body 7 is not a present world: select one to split.", 13},
      {"massless", [](Game& g) { g.b.Mass[S] = 0; }, "Nyet. Body 7 has no mass to split.", 13},
  };
  for (const Case& c : cases) {
    Scenario fresh{true};
    Game& h = fresh.g();
    testing::emptyTable(h, 20);
    for (int i = 2; i <= 12; ++i) testing::place(h, i, 100.0 * i, 0, 0, 0, 0, 0, 0.001);
    h.s.Focus = S;
    c.setUp(h);
    const std::uint64_t before = tableHash(h.b, h.s);
    const int count = h.s.NewWorldCount;
    h.c("Command11").press();
    EXPECT_EQ(h.window.Labill->caption(), c.status) << c.what;
    EXPECT_EQ(tableHash(h.b, h.s), before) << c.what;
    EXPECT_EQ(h.s.NewWorldCount, count) << c.what;
    EXPECT_EQ(h.s.NewestFragment, c.fragment) << c.what;
  }
}

TEST_F(Nova, NewHalfTakesTheLowestFreeRowOtherThanTheSelected) {
  g.s.BodyCount = 12;
  b.Gone[5] = b.Gone[9] = 1;
  nova();
  EXPECT_EQ(g.s.NewestFragment, 5);
  EXPECT_EQ(b.Gone[5], 0);
  EXPECT_EQ(b.Mass[5], kMass / 2);

  // The last free row below the selected one is not taken twice; row 9 is next.
  nova();
  EXPECT_EQ(g.s.NewestFragment, 9);
  EXPECT_EQ(g.s.BodyCount, 12);
}

TEST_F(Nova, ListAtItsLastNovaProceeds) {
  g.s.NewWorldCount = 3322;
  nova();
  EXPECT_EQ(g.s.NewWorldCount, 3323);
  EXPECT_EQ(b.Gone[13], 0);
}

TEST_F(Nova, AxisSplitsPlaceTheHalvesFortyRadiiApartAndTurnThem) {
  struct Case {
    int pattern;
    double sx, sy, nx, ny;
    double svx, svy, nvx, nvy;  // in units of K, added to S's old velocity (1, 2)
  };
  const Case cases[] = {
      {0, 800, 500, 1200, 500, 0, 1, 0, -1},
      {1, 1000, 300, 1000, 700, -1, 0, 1, 0},
      {2, 1200, 500, 800, 500, 0, -1, 0, 1},
      {3, 1000, 700, 1000, 300, 1, 0, -1, 0},
  };
  for (const Case& c : cases) {
    testing::place(g, S, 1000, 500, 70, 1, 2, 3, kMass);
    b.Gone[13] = 1;
    seedForPattern(c.pattern);
    nova();
    ASSERT_EQ(g.s.NovaPattern, c.pattern);
    const int N = 13;
    EXPECT_DOUBLE_EQ(b.PosX[S], c.sx) << c.pattern;
    EXPECT_DOUBLE_EQ(b.PosY[S], c.sy) << c.pattern;
    EXPECT_DOUBLE_EQ(b.PosX[N], c.nx) << c.pattern;
    EXPECT_DOUBLE_EQ(b.PosY[N], c.ny) << c.pattern;
    EXPECT_EQ(b.PosZ[N], 70);
    EXPECT_NEAR(b.VelX[S], 1 + c.svx * K(), kJitter) << c.pattern;
    EXPECT_NEAR(b.VelY[S], 2 + c.svy * K(), kJitter) << c.pattern;
    EXPECT_NEAR(b.VelX[N], 1 + c.nvx * K(), kJitter) << c.pattern;
    EXPECT_NEAR(b.VelY[N], 2 + c.nvy * K(), kJitter) << c.pattern;
    EXPECT_NEAR(b.VelZ[N], 3, kJitter);
  }
}

TEST_F(Nova, ScatterSpreadAndOrbitStayWithinTheirReach) {
  const double R = 10, E = 1, D = 10;
  struct Case {
    Mode mode;
    int pattern;
    double reach;
  };
  const Case cases[] = {{kExplode, 5, R * E}, {kShatter, 6, R * D}, {kImplode, 7, 0.5 * R * D}};
  for (const Case& c : cases) {
    for (int seed = 1; seed <= 20; ++seed) {
      testing::place(g, S, 1000, 500, 70, 1, 2, 3, kMass);
      b.Gone[13] = 1;
      g.s.ExplodeRandomness = 33000;
      g.random.seed(seed);
      choose(c.mode);
      nova();
      ASSERT_EQ(g.s.NovaPattern, c.pattern);
      const int N = 13;
      EXPECT_EQ(b.PosX[S], 1000);
      EXPECT_EQ(b.PosY[S], 500);
      EXPECT_LT(std::fabs(b.PosX[N] - 1000), c.reach) << c.pattern;
      EXPECT_LT(std::fabs(b.PosY[N] - 500), c.reach) << c.pattern;
      EXPECT_EQ(b.PosZ[N], 70);
      EXPECT_NEAR(b.VelX[S], 1, kJitter);
      EXPECT_NEAR(b.VelY[S], 2, kJitter);
      EXPECT_NEAR(b.VelZ[S], 3, kJitter);
      const double dvx = b.VelX[N] - b.VelX[S], dvy = b.VelY[N] - b.VelY[S], dvz = b.VelZ[N] - b.VelZ[S];
      if (c.pattern == 5) {
        EXPECT_LT(std::fabs(dvx), K());
        EXPECT_LT(std::fabs(dvy), K());
        EXPECT_LT(std::fabs(dvz), K());
        EXPECT_GT(std::fabs(dvx) + std::fabs(dvy), 0);
      } else if (c.pattern == 6) {
        EXPECT_NEAR(dvx, 0, kJitter);
        EXPECT_NEAR(dvy, 0, kJitter);
      } else {
        const double dx = b.PosX[N] - 1000, dy = b.PosY[N] - 500, dist = std::hypot(dx, dy);
        const double W = std::sqrt(kMass / 2 * 30000 / dist);
        EXPECT_NEAR(dvy, W * std::cos(dx / dist), 1e-6);
        EXPECT_NEAR(dvx, W * std::sin(dy / dist), 1e-6);
        EXPECT_NEAR(dvz, 0, kJitter);
      }
    }
  }
}

TEST_F(Nova, SpiralSplitsAlongAnAxisThenScattersTheNewHalf) {
  choose(kSpiral);
  nova();
  EXPECT_EQ(g.s.NovaPattern, 5);
  const int N = 13;
  const double sdx = b.PosX[S] - 1000, sdy = b.PosY[S] - 500;
  EXPECT_DOUBLE_EQ(std::fabs(sdx) + std::fabs(sdy), 200);  // 20 R along one axis
  EXPECT_TRUE(sdx == 0 || sdy == 0);
  EXPECT_LT(std::fabs(b.PosX[N] - b.PosX[S]), 10);
  EXPECT_LT(std::fabs(b.PosY[N] - b.PosY[S]), 10);
  EXPECT_NEAR(b.VelX[S], 1, kJitter);  // no turning kick on the selected half
  EXPECT_NEAR(b.VelY[S], 2, kJitter);
}

TEST_F(Nova, ImplodeWithHalvesOnEachOtherSkipsTheOrbitKick) {
  choose(kImplode);
  g.c("TxSpread").setText("0");  // typed, not left: D = 0
  nova();
  const int N = 13;
  EXPECT_EQ(b.PosX[N], b.PosX[S]);
  EXPECT_TRUE(std::isfinite(b.VelX[N]) && std::isfinite(b.VelY[N]));
  EXPECT_NEAR(b.VelX[N], 1, kJitter);
  EXPECT_NEAR(b.VelY[N], 2, kJitter);
}

TEST_F(Nova, EveryModeKeepsTheMassAndResetsBothHalves) {
  for (int mode = kExplode; mode <= kImplode; ++mode) {
    testing::place(g, S, 1000, 500, 70, 1, 2, 3, kMass);
    b.Gone[13] = 1;
    b.ImpactCount[S] = 4, b.ImpactMark[3][S] = 50, b.CraterDX[3][S] = 9, b.CraterDY[3][S] = 8;
    b.ImpactMark[2][13] = 7;
    b.LifeCount[0][S] = 5, b.LifeCount[3][S] = 100, b.LifeCount[5][13] = 2;
    b.BodyKind[S] = 13, b.CraftCode[13] = 4;
    double total = 0;
    for (int i = 0; i <= 20; ++i) total += b.Gone[i] ? 0 : b.Mass[i];
    choose(mode);
    nova();
    double after = 0;
    for (int i = 0; i <= 20; ++i) after += b.Gone[i] ? 0 : b.Mass[i];
    EXPECT_DOUBLE_EQ(after, total) << mode;
    EXPECT_EQ(b.Mass[S], b.Mass[13]);
    for (const int i : {S, 13}) {
      EXPECT_EQ(b.ImpactCount[i], 0);
      EXPECT_EQ(b.ImpactMark[3][i] + b.ImpactMark[2][i] + b.CraterDX[3][i] + b.CraterDY[3][i], 0);
      for (int kind = 0; kind <= 5; ++kind) EXPECT_EQ(b.LifeCount[kind][i], 0) << kind;
      EXPECT_EQ(b.BodyKind[i], 0);
    }
    EXPECT_EQ(b.CraftCode[13], 0);
  }
}

TEST_F(Nova, ReportsTheNewWorldEverywhere) {
  b.BodyName[S] = "Tesar";
  choose(kExplode);
  g.clock.set(DateTime{2024, 5, 6, 7, 8, 9}, g.ui.now());
  nova();
  const int N = 13;
  const std::string cls = g.c("Lapl", b.PlanetClass[N]).toolTip();
  EXPECT_EQ(b.PlanetClass[N], 7);  // a sort ran: 0.01 is a brown dwarf
  EXPECT_EQ(status(), "New world 13\r" + cls + "\r" + b.BodyName[N]);
  EXPECT_EQ(g.s.LastEvent, "Explode Tesar to form " + b.BodyName[S] + " + Brown dwarf " + b.BodyName[N]);
  std::string log;
  ASSERT_TRUE(readFile(g.folder.path("events.txt"), log));
  EXPECT_EQ(log, "07:08:09" + g.s.LastEvent + "\r\n");
  EXPECT_EQ(g.s.NewWorldCount, 1);
  EXPECT_EQ(g.s.NewWorldList[1], b.BodyName[N] + "   13");
  EXPECT_EQ(g.s.Focus, S);
  EXPECT_EQ(g.c("Hcelest").value(), S);
  EXPECT_EQ(g.s.FusionPair[2], N);
  EXPECT_EQ(g.s.FusionPair[4], N);
  EXPECT_EQ(g.s.FusionPair[3], S);
  EXPECT_EQ(g.s.FusionPair[5], S);
}

TEST_F(Nova, TorqueIsReadAgainAtEveryNova) {
  seedForPattern(0);
  g.c("TXmo").setText("77");  // typed, not left
  nova();
  EXPECT_EQ(g.s.TorqueSpinPower, 77);
  EXPECT_NEAR(b.VelY[13], 2 - 10 * K(), kJitter);
}

// Names: the draws decide the syllables; the rules decide their shape.
TEST_F(Nova, NamesFollowTheLengthOfTheOldName) {
  for (int seed = 1; seed <= 30; ++seed) {
    testing::place(g, S, 1000, 500, 70, 1, 2, 3, kMass);
    b.Gone[13] = 1;
    g.random.seed(seed);
    b.BodyName[S] = "Abcde";  // exactly 5: the short rule keeps it whole, case and all
    nova();
    EXPECT_EQ(b.BodyName[S].rfind("Abcde", 0), 0u) << b.BodyName[S];
    std::string lowered = b.BodyName[13];
    for (char& ch : lowered) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_NE(lowered.find("abcde"), std::string::npos) << b.BodyName[13];
    EXPECT_LE(b.BodyName[13].size(), 10u);

    testing::place(g, S, 1000, 500, 70, 1, 2, 3, kMass);
    b.Gone[13] = 1;
    b.BodyName[S] = "AbcDefGhij";  // longer: a new capitalised name ending like the old one
    nova();
    const std::string& n = b.BodyName[13];
    EXPECT_TRUE(std::regex_match(n, std::regex("[A-Z][a-z]+"))) << n;
    EXPECT_LE(n.size(), 10u) << n;
    EXPECT_LE(b.BodyName[S].size(), 10u) << b.BodyName[S];
    EXPECT_NE(n, b.BodyName[S]);
  }
}

TEST_F(Nova, FragmentsGetOneDesignation) {
  const std::regex longS("Abcd[a-z]{1,2}-([1-9][0-9][0-9])"), newHalf(".+-([1-9][0-9][0-9])");
  for (int seed = 1; seed <= 30; ++seed) {
    testing::place(g, S, 1000, 500, 70, 1, 2, 3, 3e-8);  // halves of 1.5e-8 are fragments
    b.Gone[13] = 1;
    b.BodyName[S] = "Abcdefgh";
    g.random.seed(seed);
    nova();
    std::smatch ms, mn;
    const std::string sName = b.BodyName[S], nName = b.BodyName[13];
    ASSERT_TRUE(std::regex_match(sName, ms, longS)) << sName;
    ASSERT_TRUE(std::regex_match(nName, mn, newHalf)) << nName;
    EXPECT_EQ(ms[1], mn[1]);

    // A short name keeps its first two letters and takes the designation without a hyphen.
    testing::place(g, S, 1000, 500, 70, 1, 2, 3, 3e-8);
    b.Gone[13] = 1;
    b.BodyName[S] = "Ab";
    nova();
    const std::string shortS = b.BodyName[S];
    EXPECT_TRUE(std::regex_match(shortS, std::regex("Ab[a-z]+[1-9][0-9][0-9]|Ab..[a-z]{1,2}-[1-9][0-9][0-9]")))
        << shortS;
  }
}

TEST_F(Nova, ACraftBreaksIntoWreckage) {
  const std::set<std::pair<std::string, std::string>> pairs = {
      {"scrap", "debris"}, {"flotsam", "jetsom"}, {"junk", "garbage"}};
  std::set<std::pair<std::string, std::string>> seen;
  for (int seed = 1; seed <= 40; ++seed) {
    testing::place(g, S, 1000, 500, 70, 1, 2, 3, kMass);
    b.Gone[13] = 1;
    b.CraftCode[S] = 3;
    b.BodyKind[S] = 12;
    g.random.seed(seed);
    nova();
    const std::pair<std::string, std::string> names{b.BodyName[13], b.BodyName[S]};
    EXPECT_TRUE(pairs.count(names)) << names.first << "/" << names.second;
    seen.insert(names);
    EXPECT_EQ(b.BodyKind[S], 9);
    EXPECT_EQ(b.BodyKind[13], 9);
    EXPECT_EQ(b.CraftCode[S], -3);
    EXPECT_EQ(b.CraftCode[13], 0);
  }
  EXPECT_EQ(seen, pairs);
}

TEST_F(Nova, NewWorldsShowsTheNewestEleven) {
  struct Case {
    int novas, first;
  };
  for (const Case c : {Case{4, 1}, Case{15, 5}}) {
    Scenario fresh{true};
    Game& h = fresh.g();
    testing::emptyTable(h, 40);
    for (int i = 2; i <= 12; ++i) testing::place(h, i, 100.0 * i, 0, 0, 0, 0, 0, 0.001);
    h.b.Mass[S] = 1;
    h.s.Focus = S;
    h.c("OpExIm", kShatter).choose();
    for (int k = 0; k < c.novas; ++k) h.c("Command11").press();
    ASSERT_EQ(h.s.NewWorldCount, c.novas);
    std::vector<std::string> lines;
    std::stringstream caption(h.c("LaNu").caption());
    for (std::string line; std::getline(caption, line, '\r');) lines.push_back(line);
    ASSERT_EQ(lines.size(), 11u) << c.novas;
    for (int k = 0; k < 11; ++k) {
      const int entry = c.first + k;
      EXPECT_EQ(lines[k], h.s.NewWorldList[entry]) << entry;
      EXPECT_EQ(lines[k].empty(), entry > c.novas) << entry;
    }
    // The newest is the fragment of the last nova, its number after its name and two blanks.
    const int newest = h.s.NewestFragment;
    EXPECT_EQ(h.s.NewWorldList[c.novas], h.b.BodyName[newest] + "  " + Str(newest));
  }
}

TEST_F(Nova, BoxesAreRepairedOnLeaving) {
  struct Case {
    const char* box;
    const char* typed;
    const char* shown;
    bool message;
  };
  const Case cases[] = {
      {"Txplod", "0", "0.001", true},        {"Txplod", "100000", "99999", true}, {"Txplod", "abc", "0.001", true},
      {"Txplod", "250x", "250", true},       {"Txplod", "500", "500", false},     {"TxSpread", "50000", "29999", true},
      {"TxSpread", "0.1", "0.2", true},      {"TxSpread", "abc", "0.2", true},    {"TxSpread", "700", "700", false},
      {"TxSpread", "29999", "29999", false},
  };
  for (const Case& c : cases) {
    g.status("before");
    Control& box = g.c(c.box);
    box.setText(c.typed);
    box.loseFocus();
    EXPECT_EQ(box.text(), c.shown) << c.box << " " << c.typed;
    EXPECT_EQ(status() != "before", c.message) << c.box << " " << c.typed << ": " << status();
    if (std::string(c.box) == "Txplod") {
      EXPECT_EQ(g.s.ExplodeRandomness, Val(c.shown)) << c.typed;
    }
  }
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
  EXPECT_TRUE(timer.enabled());
  EXPECT_EQ(timer.interval(), 300);
  EXPECT_EQ(g.s.MultiNovaCount, 1);
  ticks(3);
  EXPECT_EQ(g.s.NewWorldCount, 3);
  EXPECT_EQ(g.s.MultiNovaTarget, 13);  // the first nova's fragment
  EXPECT_EQ(g.s.Focus, S);
  EXPECT_TRUE(timer.enabled());
  timer.tick();
  EXPECT_FALSE(timer.enabled());
  EXPECT_EQ(g.s.NewWorldCount, 3);
  EXPECT_EQ(g.s.Focus, 13);
  EXPECT_EQ(status(), "Dominant planet 13\r" + g.c("Lapl", b.PlanetClass[13]).toolTip() + "\r" + b.BodyName[13]);
}

TEST_F(Multiple, NoneAskedEndsAtOnceOnTheOldTarget) {
  g.s.MultiNovaTarget = 9;
  start("0");
  timer.tick();
  EXPECT_FALSE(timer.enabled());
  EXPECT_EQ(g.s.NewWorldCount, 0);
  EXPECT_EQ(g.s.Focus, 9);
  EXPECT_EQ(status().rfind("Dominant planet 9\r", 0), 0u) << status();
}

TEST_F(Multiple, RefusedNovasStillCount) {
  g.s.BodyCount = 12;  // no free row
  start("2");
  ticks(2);
  EXPECT_EQ(g.s.MultiNovaCount, 3);
  EXPECT_EQ(status(), "Nyet. No new worlds have been formed.");
  timer.tick();
  EXPECT_FALSE(timer.enabled());
}

TEST_F(Multiple, StoppingAndStartingAgainCountsFromOne) {
  start("5");
  ticks(2);
  g.c("Command10").press();
  EXPECT_FALSE(timer.enabled());
  EXPECT_EQ(g.s.MultiNovaCount, 3);
  g.c("Command10").press();
  EXPECT_EQ(g.s.MultiNovaCount, 1);
  EXPECT_EQ(g.s.MultiNovaTarget, 13);  // until the first nova of this event
  timer.tick();
  EXPECT_EQ(g.s.MultiNovaTarget, 15);
}

TEST_F(Multiple, NeedsAPlanetSelectedAndAUsableGap) {
  g.s.Focus = 2;
  start("3");
  EXPECT_FALSE(timer.enabled());
  EXPECT_EQ(status(), "Not enough potential to split the sun. Select a planet or Supernova.");

  g.s.Focus = S;
  g.c("TXgap").setText("0");
  start("3");
  EXPECT_TRUE(timer.enabled());
  EXPECT_EQ(timer.interval(), 1);
  EXPECT_EQ(g.c("TXgap").text(), "1");
}

}  // namespace
}  // namespace quorl
