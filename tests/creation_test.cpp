// Building a new system from a preset: draws in their order, the three recipes, the ten mass tables,
// the panels it resets, refusals, and golden table hashes.
#include "sim/creation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "io/folder.h"
#include "names/names.h"
#include "sim/fields.h"
#include "sim/squash.h"
#include "tests/scenario.h"

using namespace quorl;

namespace {

std::uint64_t tableHash(Game& g) { return quorl::tableHash(g.b, g.s); }

// A fresh game whose start button only counts its presses, so the table is creation's alone.
struct Sky {
  quorl::testing::Scenario sc;
  Game& g;
  int starts = 0;
  explicit Sky(bool recording = false) : sc(recording), g(sc.g()) {
    g.c("Command2").onClick = [this] { ++starts; };
    if (!g.c("OptUp", 6).checked()) g.c("OptUp", 6).choose();  // the naming option the window opens with
    panel(33333, "17");
  }
  void panel(int seed, const std::string& planets, int spare = 133) {
    g.c("TXran").setText(std::to_string(seed));
    g.c("TXplanets").setText(planets);
    g.c("TxSpread").setText("1000");
    g.c("Txplod").setText("1000");
    g.s.SpareWorlds = spare;
    g.s.MasterScale = 10;
  }
  void press(int preset) { g.c("CDp", preset).press(); }
};

// The shared sequence as naming leaves it, for a seed: where the planets' draws begin on a creation
// that spends nothing on first-creation choices.
Random afterNames(int seed) {
  quorl::testing::Scenario other;
  other.g().random.seed(seed);
  other.g().names->Oobladioobladah();
  return other.g().random;
}

double Int(double x) { return std::floor(x); }

}  // namespace

// Golden values: the hash of every per-body field after pressing CDp(P) in a fresh game, seed 33333, 17 planets,
// 133 spare worlds, spread 1000, explosive randomness 1000, master scale 10. Recorded from this
// build; a change means creation's results changed.
TEST(CreationGolden, EveryPresetAtSeed33333) {
  const std::uint64_t golden[11] = {0,
                                    0xa4b28db9e5a11e20ull,
                                    0xf2abb879f6baa392ull,
                                    0xd8b457782ef3653full,
                                    0x9c47b4ecf142caf3ull,
                                    0x4f8b3a19488f60c9ull,
                                    0xe0ac1c4a60339a76ull,
                                    0x6df99fe4e82432b4ull,
                                    0xef065f34409fd08aull,
                                    0x1299d6508750533eull,
                                    0x7771c936c17244ccull};
  for (int p = 1; p <= 10; ++p) {
    Sky w;
    w.press(p);
    EXPECT_EQ(tableHash(w.g), golden[p]) << "preset " << p << " hash 0x" << std::hex << tableHash(w.g);
    EXPECT_EQ(w.starts, 1);
  }
}

TEST(Creation, SameSeedAndPanelBuildTheSameSystem) {
  Sky a, b, c;
  a.press(3);
  b.press(3);
  EXPECT_EQ(tableHash(a.g), tableHash(b.g));
  c.panel(33334, "17");
  c.press(3);
  EXPECT_NE(tableHash(a.g), tableHash(c.g));

  // From the second creation on, whatever system came before.
  Sky d, e;
  d.press(3);
  d.press(3);
  e.panel(33333, "400");
  e.press(5);
  e.panel(33333, "17");
  e.press(3);
  EXPECT_EQ(tableHash(d.g), tableHash(e.g));
}

TEST(Creation, BoxPresetFollowsItsDrawsAndPullsFarPlanetsIn) {
  Sky w;
  w.press(1);  // the first creation also draws the options left to chance
  w.panel(777, "100");
  w.g.c("TxSpread").setText("300");
  w.g.c("Txplod").setText("7");
  w.press(1);

  Random r = afterNames(777);
  const double S = 300, X = 7, K = std::sqrt(10 / 31.0);
  const double classes[7][2] = {{1e8, 1e-7}, {1e8, 3e-7}, {1e7, 1e-6}, {1e7, 3e-6},
                                {1e6, 1e-5}, {1e6, 3e-5}, {1e5, 1e-4}};
  int kept = 0, pulled = 0;
  const BodyTable& b = w.g.b;
  for (int i = 3; i <= 102; ++i) {
    double y = r.rnd() * S * 0.2 - S * 0.1;
    double x = r.rnd() * S * 0.2 - S * 0.1;
    double z = r.rnd() * S * 0.2 - S * 0.1;
    double vx = (Int(r.rnd() * 50) - 25) / X;
    double vy = (Int(r.rnd() * 50) - 25) / X;
    double vz = (Int(r.rnd() * 50) - 25) / X;
    if (S < x * x + y * y + z * z) {
      x = Int(r.rnd() * x);
      y = Int(r.rnd() * y);
      z = Int(r.rnd() * z);
      ++pulled;
    } else {
      ++kept;
    }
    const int q = static_cast<int>(Int(r.rnd() * 10));
    double mass = Int(r.rnd() * 10) / 1e9 + 1e-8;
    if (q < 7) mass = Int(r.rnd() * 10) / classes[q][0] + classes[q][1];
    ASSERT_EQ(b.PosX[i], x + -3072) << i;
    ASSERT_EQ(b.PosY[i], y + -1152) << i;
    ASSERT_EQ(b.PosZ[i], z + 0) << i;
    ASSERT_EQ(b.VelX[i], vx) << i;
    ASSERT_EQ(b.VelY[i], vy + K) << i;
    ASSERT_EQ(b.VelZ[i], vz) << i;
    ASSERT_EQ(b.Mass[i], mass) << i;
    ASSERT_EQ(b.Gone[i], 0) << i;
  }
  EXPECT_GT(kept, 0);
  EXPECT_GT(pulled, 0);
  EXPECT_EQ(w.g.Rnd(), r.rnd());  // no draw more, none less
  // Spare rows above the planets stay as the reset left them.
  for (int i = 103; i <= 235; ++i) {
    ASSERT_EQ(b.Gone[i], 1);
    ASSERT_EQ(b.Mass[i], 1e-8);
    ASSERT_EQ(b.BodyKind[i], 3);
    ASSERT_EQ(b.PosX[i], 0);
  }
}

TEST(Creation, CloudPresetSlowsHeavyPlanetsAndKeepsThemNear) {
  Sky w;
  w.press(7);
  w.panel(4321, "120");
  w.g.c("Txplod").setText("3");
  w.press(7);

  Random r = afterNames(4321);
  const double S = 1000, X = 3, K = std::sqrt(10 / 31.0);
  const BodyTable& b = w.g.b;
  int pulled = 0;
  for (int i = 3; i <= 122; ++i) {
    double mass = i <= 10    ? Int(r.rnd() * 10) / 1e5 + 1e-4
                  : i <= 100 ? Int(r.rnd() * 10) / 1e7 + 2e-6
                             : Int(r.rnd() * 10) / 1e8 + 1e-6;
    const double D = X * std::max(4.0, mass * 2e7);
    double vx = (Int(r.rnd() * 50) - 25) / D;
    double vy = (Int(r.rnd() * 50) - 25) / D;
    double vz = (Int(r.rnd() * 50) - 25) / D;
    const double R = mass > 1e-5 ? S / 7 : S / 3;
    double y = Int(r.rnd() * R * 2) - R;
    double x = Int(r.rnd() * R * 2) - R;
    double z = Int(r.rnd() * R * 2) - R;
    if (R < x * x + y * y + z * z) {
      x = Int(r.rnd() * x);
      y = Int(r.rnd() * y);
      z = Int(r.rnd() * z);
      ++pulled;
    }
    ASSERT_EQ(b.Mass[i], mass) << i;
    ASSERT_EQ(b.PosX[i], x + -3000) << i;
    ASSERT_EQ(b.PosY[i], y + -1152) << i;
    ASSERT_EQ(b.PosZ[i], z) << i;
    ASSERT_EQ(b.VelX[i], vx) << i;
    ASSERT_EQ(b.VelY[i], vy + K) << i;
    ASSERT_EQ(b.VelZ[i], vz) << i;
  }
  EXPECT_GT(pulled, 0);
  EXPECT_EQ(w.g.Rnd(), r.rnd());
  EXPECT_EQ(b.PosX[1], -3000);
}

TEST(Creation, SingleBodyPresetWithFivePlanets) {
  Sky w;
  w.panel(33333, "5");
  w.press(10);
  Game& g = w.g;
  EXPECT_EQ(g.s.SpareWorlds, 100);
  EXPECT_EQ(g.c("TxTenner").text(), "100");
  EXPECT_EQ(g.s.BodyCount, 107);
  EXPECT_EQ(g.s.LastInitialBody, 7);
  for (int i = 0; i <= 107; ++i) EXPECT_EQ(g.b.Gone[i], (i == 2 || i == 3) ? 0 : 1) << i;
  EXPECT_EQ(g.b.Mass[2], 1.0);
  EXPECT_EQ(g.b.Mass[3], 0.000913);
  for (int i = 4; i <= 107; ++i) EXPECT_EQ(g.b.Mass[i], 3.3e-8) << i;
  EXPECT_EQ(g.b.BodyKind[1], 1);
  EXPECT_EQ(g.b.BodyKind[2], 2);
  EXPECT_EQ(g.b.BodyKind[3], 3);
  EXPECT_EQ(g.c("Text3").text(), "0.913000");
  EXPECT_EQ(g.s.Preset, 10);

  // Every row, drawn or not, was placed within the small cloud: 0.02 x 1000 around body 1, pulled in.
  for (int i = 3; i <= 107; ++i) {
    EXPECT_LE(std::fabs(g.b.PosX[i] - -3072), 10) << i;
    EXPECT_LE(std::fabs(g.b.PosY[i] - -1152), 10) << i;
  }
  // The radius follows the mass.
  EXPECT_EQ(g.b.Radius[3], Squash(0.000913) / 1000);
  EXPECT_EQ(g.b.Radius[2], Squash(1.0) / 1000);
}

namespace {

// One entry of a mass table: values (j + add) / d + c for j in 0..k-1.
struct Grid {
  int k;
  double d, c;
  int add = 0;
};

std::vector<Grid> massTable(int p, int i) {
  switch (p) {
    case 1:
      return {{10, 1e9, 1e-8}, {10, 1e8, 1e-7}, {10, 1e8, 3e-7}, {10, 1e7, 1e-6},
              {10, 1e7, 3e-6}, {10, 1e6, 1e-5}, {10, 1e6, 3e-5}, {10, 1e5, 1e-4}};
    case 2:
      if (i < 11) return {{10, 1e7, 1e-6}};
      if (i > 18) return {{10, 1e8, 1e-7}};
      if (i <= 12) return {{10, 1e7, 3e-6}};
      if (i <= 14) return {{10, 1e6, 1e-5}};
      if (i == 15) return {{10, 1e6, 2.5e-5}};
      if (i == 16) return {{10, 1e6, 5e-5}};
      if (i == 17) return {{10, 1e5, 1e-4}};
      return {{10, 1e5, 4e-4}};
    case 3:
      return {{10, 1e6, 1e-6}, {10, 1e7, 2e-7}, {1, 1, 4.44e-7}, {10, 1e7, 1e-6}, {10, 1e7, 3e-6},
              {10, 1e6, 1e-5}, {10, 1e6, 3e-5}, {10, 1e5, 1e-4}, {10, 1e5, 3e-4}};
    case 4:
      if (i == 100) return {{99, 1e5, 0.0002}};
      if (i == 200) return {{99, 1e5, 0.0004}};
      return {{1, 1, 1e-7},    {10, 1e8, 2e-7}, {10, 1e8, 3e-7}, {10, 1e7, 3e-6},
              {10, 1e7, 1e-6}, {10, 1e6, 1e-5}, {10, 1e5, 1e-4}};
    case 5:
      if (i <= 4) return {{30, 1e5, 0.0003}};
      if (i <= 10) return {{20, 1e6, 1e-5}};
      if (i <= 20) return {{10, 1e7, 1e-6}};
      if (i <= 40) return {{10, 1e8, 1e-7}};
      return {{10, 1e9, 1e-8}};
    case 6:
      if (i == 3) return {{100, 1e5, 1.5e-5}};
      if (i <= 20) return {{10, 400000, 1e-5}};
      return {{10, 1e8, 1e-6}};
    case 7:
      if (i <= 10) return {{10, 1e5, 1e-4}};
      if (i <= 100) return {{10, 1e7, 2e-6}};
      return {{10, 1e8, 1e-6}};
    case 8:
      if (i <= 4) return {{20, 1e5, 0.0003}};
      if (i <= 8) return {{10, 1e5, 1e-4}};
      if (i <= 16) return {{20, 1e6, 3e-5}};
      if (i <= 20) return {{10, 1e6, 1e-5}};
      if (i <= 25) return {{10, 1e7, 1e-6}};
      if (i <= 32) return {{10, 1e8, 1e-7}};
      if (i <= 40) return {{20, 1e7, 3e-7}};
      if (i <= 64) return {{20, 1e8, 3e-8}};
      if (i <= 128) return {{10, 1e7, 1e-7}};
      if (i >= 191 && i <= 195) return {{10, 1e5, 1e-4}};
      if (i >= 196 && i <= 200) return {{20, 1e6, 3e-5}};
      return {{20, 1e7, 3e-8}};
    default:  // 9
      if (i == 100) return {{99, 1e5, 0.0003}};
      if (i == 101) return {{99, 1e5, 0.0002}};
      if (i < 9) return {{99, 1e5, 0.0001}};
      if (i <= 49) return {{29, 1e5, 0.0001}};
      return {{99, 1e6, 0, 10}};
  }
}

bool inTable(int p, int i, double mass) {
  for (const Grid& grid : massTable(p, i))
    for (int j = 0; j < grid.k; ++j)
      if (mass == (j + grid.add) / grid.d + grid.c) return true;
  return false;
}

}  // namespace

TEST(Creation, EveryPlanetMassComesFromItsPresetsTable) {
  for (int p = 1; p <= 9; ++p) {
    Sky w;
    w.panel(90 + p, "250");
    w.press(p);
    for (int i = 3; i <= 252; ++i)
      ASSERT_TRUE(inTable(p, i, w.g.b.Mass[i])) << "preset " << p << " body " << i << " mass " << w.g.b.Mass[i];
    // A mass outside every table is told apart.
    EXPECT_FALSE(inTable(p, 3, 0.5));
  }
}

TEST(Creation, TotalMassFormats) {
  EXPECT_EQ(totalMassText(0.0004), "0.400000");
  EXPECT_EQ(totalMassText(0.002), "2.00");
  EXPECT_EQ(totalMassText(0.000000005), "0.000005000000000");
  EXPECT_EQ(totalMassText(0.001), "1.00");
  EXPECT_EQ(totalMassText(0), "0.000000000000000");
}

TEST(Creation, FirstCreationLeavesTheOptionsToChance) {
  Sky w;
  w.press(4);
  std::mt19937 mine(33333u);
  const int name = static_cast<int>(mine() / 4294967296.0 * 8);
  const int mode = static_cast<int>(mine() / 4294967296.0 * 5);
  const char* modes[] = {"Explode", "Spin", "Shatter", "Spiral", "Implode"};
  EXPECT_TRUE(w.g.c("OptUp", name).checked());
  EXPECT_TRUE(w.g.c("OpExIm", mode).checked());
  EXPECT_EQ(w.g.s.NovaModeCaption, modes[mode]);
  EXPECT_TRUE(w.g.s.FirstCreationDone);

  // Later creations leave both choices alone.
  w.g.c("OptUp", 6).choose();
  w.g.c("OpExIm", (mode + 1) % 5).choose();
  w.press(4);
  EXPECT_TRUE(w.g.c("OptUp", 6).checked());
  EXPECT_EQ(w.g.s.NovaModeCaption, modes[(mode + 1) % 5]);
}

// The break-up modes creation chooses from must be choosable in the window too: one group in FraSpiral.
TEST(Creation, BreakUpOptionsSitInTheirFrame) {
  Sky w;
  const Control* frame = w.g.ui.find("FraSpiral");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->kind, Kind::Frame);
  EXPECT_TRUE(frame->visible());
  for (int i = 0; i < 5; ++i) {
    const Control& o = w.g.c("OpExIm", i);
    EXPECT_EQ(o.parent(), "FraSpiral") << i;
    EXPECT_GT(o.width(), 0) << i;
    EXPECT_GT(o.height(), 0) << i;
    EXPECT_GE(o.left(), 0) << i;
    EXPECT_LE(o.left() + o.width(), frame->width()) << i;
    EXPECT_LE(o.top() + o.height(), frame->height()) << i;
    for (int j = 0; j < i; ++j) {  // none hides another
      const Control& p = w.g.c("OpExIm", j);
      const bool apart = o.left() >= p.left() + p.width() || p.left() >= o.left() + o.width() ||
                         o.top() >= p.top() + p.height() || p.top() >= o.top() + o.height();
      EXPECT_TRUE(apart) << i << " overlaps " << j;
    }
  }
  // Between the preset buttons and the run frame, in column A.
  EXPECT_GE(frame->top(), w.g.c("CDp", 1).top() + w.g.c("CDp", 1).height());
  EXPECT_LE(frame->top() + frame->height(), w.g.c("FraRun").top());
  EXPECT_GE(frame->left(), 15480);
  EXPECT_LE(frame->left() + frame->width(), 19800);
}

TEST(Creation, ChoicesAlreadyMadeSpendNoDraws) {
  Sky w;
  w.g.c("OptUp", 2).choose();
  w.g.c("OpExIm", 3).choose();
  EXPECT_EQ(w.g.s.NovaModeCaption, "Spiral");
  w.press(1);
  EXPECT_TRUE(w.g.c("OptUp", 2).checked());
  EXPECT_TRUE(w.g.c("OpExIm", 3).checked());
  // Naming began straight after the reseed.
  quorl::testing::Scenario other;
  other.g().random.seed(33333);
  other.g().names->Oobladioobladah();
  for (int i : {0, 1, 2, 500, 3333}) EXPECT_EQ(w.g.b.BodyName[i], other.g().b.BodyName[i]);
}

TEST(Creation, ResetsTheOldSystemAndThePanels) {
  Sky w(true);
  Game& g = w.g;
  BodyTable& b = g.b;
  b.CraftCode[5000] = 3;
  b.ImpactCount[9999] = 7;
  b.LifeCount[0][4] = 9;  // kind 0 is not reset
  b.LifeCount[5][4] = 9;
  b.ImpactMark[99][9999] = 5;
  b.CraterDX[0][0] = 1;
  b.CraterDY[50][70] = -1;
  b.AirLevel[9000] = 3;
  b.WaterLevel[1] = 2;
  g.s.ClassCount[20] = 4;
  g.s.NewWorldList[3333] = "old";
  g.s.RosterName[30] = "x";
  g.s.RosterBody[30] = 9;
  g.s.ElapsedSeconds = 77;
  g.s.Orbits = 5;
  g.s.Score = 40;
  g.canvas("Quorl").pset(100, 100, rgb(1, 2, 3));
  g.canvas("PicMoon").pset(100, 100, rgb(1, 2, 3));
  g.clock.set(DateTime{2031, 7, 4, 23, 59, 58}, g.ui.now());
  w.press(6);

  EXPECT_EQ(b.CraftCode[5000], 0);
  EXPECT_EQ(b.ImpactCount[9999], 0);
  EXPECT_EQ(b.LifeCount[0][4], 9);
  EXPECT_EQ(b.LifeCount[5][4], 0);
  EXPECT_EQ(b.ImpactMark[99][9999], 0);
  EXPECT_EQ(b.CraterDX[0][0], 0);
  EXPECT_EQ(b.CraterDY[50][70], 0);
  EXPECT_EQ(b.AirLevel[9000], 0);
  EXPECT_EQ(b.WaterLevel[1], 0);
  EXPECT_EQ(g.s.ClassCount[20], 0);
  EXPECT_EQ(g.s.NewWorldList[3333], "_");
  EXPECT_EQ(g.s.NewWorldList[0], "_");
  EXPECT_EQ(g.s.RosterName[30], "0");
  EXPECT_EQ(g.s.RosterBody[30], 0);
  EXPECT_EQ(g.s.ElapsedSeconds, 0);
  EXPECT_EQ(g.s.Orbits, 0);
  EXPECT_EQ(g.s.Score, 0);
  EXPECT_EQ(g.s.AttractorLimit, 100);
  EXPECT_EQ(g.s.GravityExponent, 2.0);
  EXPECT_EQ(g.s.Focus, 2);
  EXPECT_EQ(g.s.Preset, 6);
  EXPECT_EQ(g.s.CreatedAt, (DateTime{2031, 7, 4, 23, 59, 58}));
  EXPECT_EQ(g.s.Speed, g.c("Hspac").value() == 0 ? 1.0 : g.c("Hspac").value());

  for (const char* label : {"LaPlan", "LabvirT", "LabHi", "Labrat"}) EXPECT_EQ(g.c(label).caption(), "~~") << label;
  EXPECT_EQ(g.c("LaNu").caption(), "New Worlds");
  EXPECT_EQ(g.c("Labill").fore(), g.c("Command3").back());
  EXPECT_TRUE(g.c("Hacl").visible());
  EXPECT_TRUE(g.c("CHacs").checked());
  EXPECT_FALSE(g.c("Label13").visible());
  EXPECT_FALSE(g.c("Image1").visible());
  EXPECT_FALSE(g.c("Tr").timerRunning());
  EXPECT_TRUE(g.c("Tix").enabled());
  EXPECT_EQ(g.c("Hcelest").min(), 2);
  EXPECT_EQ(g.c("Hcelest").max(), 152);
  EXPECT_EQ(g.c("CDp", 6).back(), rgb(255, 255, 255));
  for (int i : {1, 5, 7, 10}) EXPECT_EQ(g.c("CDp", i).back(), g.c("CDp", 0).back()) << i;
  EXPECT_EQ(w.starts, 1);
  for (const char* view : {"Quorl", "PiZY", "PiZX", "LOxy", "LoZY", "LoZX", "PicSide", "PicMoon"}) {
    auto& canvas = dynamic_cast<RecordingCanvas&>(g.canvas(view));
    EXPECT_TRUE(canvas.sinceClear().empty()) << view;
    EXPECT_GE(canvas.count(RecordingCanvas::Op::Clear), 1u) << view;
  }
}

TEST(Creation, TheWholeTableCanBeFilled) {
  Sky w;
  w.panel(1, "9897");
  w.press(10);  // 9897 + 2 + 100 = 9999
  EXPECT_EQ(w.g.s.BodyCount, 9999);
  EXPECT_EQ(w.g.c("TXplanets").text(), "3333");  // for the next creation
  EXPECT_EQ(w.g.c("Hcelest").max(), 9999);
  EXPECT_EQ(w.g.b.Gone[9999], 1);
  EXPECT_EQ(w.g.b.Mass[9999], 3.3e-8);
  EXPECT_EQ(w.starts, 1);
}

TEST(Creation, TooManyWorldsAreRefusedBeforeAnythingChanges) {
  Sky w;
  w.press(2);
  const std::uint64_t before = tableHash(w.g);
  std::string logBefore;
  ASSERT_TRUE(readFile(w.g.folder.path("events.txt"), logBefore));
  Random sequence = w.g.random;

  w.panel(99, "9865");  // 9865 + 2 + 133 = 10000
  w.press(4);
  EXPECT_NE(w.g.c("Labill").caption().find("Too many worlds"), std::string::npos) << w.g.c("Labill").caption();
  EXPECT_NE(w.g.c("Labill").caption().find("10000"), std::string::npos);
  w.panel(99, "9898");  // with the single body's 100 spare worlds
  w.press(10);
  EXPECT_NE(w.g.c("Labill").caption().find("10000"), std::string::npos) << w.g.c("Labill").caption();

  EXPECT_EQ(tableHash(w.g), before);
  EXPECT_EQ(w.g.s.Preset, 2);
  EXPECT_EQ(w.g.s.BodyCount, 152);
  EXPECT_EQ(w.g.s.SpareWorlds, 133);
  EXPECT_EQ(w.g.c("TxTenner").text(), "133");
  EXPECT_EQ(w.g.c("TXplanets").text(), "9898");
  EXPECT_EQ(w.starts, 1);
  std::string logAfter;
  ASSERT_TRUE(readFile(w.g.folder.path("events.txt"), logAfter));
  EXPECT_EQ(logAfter, logBefore);
  EXPECT_EQ(w.g.Rnd(), sequence.rnd());  // not even reseeded
  EXPECT_EQ(w.g.c("CDp", 2).back(), rgb(255, 255, 255));
}

TEST(Creation, AbsurdInputsNeverBreakTheTable) {
  {
    Sky w;
    w.panel(1, "abc");  // no number: no planets
    w.press(1);
    EXPECT_EQ(w.g.s.BodyCount, 135);
    for (int i = 3; i <= 135; ++i) ASSERT_EQ(w.g.b.Gone[i], 1);
    EXPECT_EQ(w.g.c("Text3").text(), "0.000000000000000");
    EXPECT_EQ(w.starts, 1);
  }
  {
    Sky w;
    w.panel(1, "-5");
    w.press(3);
    EXPECT_EQ(w.g.s.BodyCount, 130);
    EXPECT_EQ(w.g.b.Gone[2], 0);
  }
  for (const char* planets : {"-500", "1e999", "-1e999"}) {
    Sky w;
    w.panel(1, planets);
    w.press(3);
    EXPECT_EQ(w.g.s.BodyCount, 0) << planets;
    EXPECT_EQ(w.starts, 0) << planets;
    EXPECT_FALSE(w.g.c("Labill").caption().empty());
  }
  {
    Sky w;
    w.panel(1, "50");
    w.g.c("Txplod").setText("0");
    w.g.c("TxSpread").setText("1e999");
    w.press(1);
    EXPECT_EQ(w.g.c("Txplod").text(), "0.001");
    EXPECT_EQ(w.g.s.ExplodeRandomness, 0.001);
    EXPECT_EQ(w.g.c("TxSpread").text(), "29999");
    for (int i = 3; i <= 52; ++i) {
      ASSERT_TRUE(std::isfinite(w.g.b.VelX[i]) && std::isfinite(w.g.b.PosX[i])) << i;
      ASSERT_NEAR(w.g.b.VelX[i] * 0.001, std::round(w.g.b.VelX[i] * 0.001), 1e-9) << i;  // (whole - 25) / 0.001
    }
    EXPECT_NE(w.g.c("Labill").caption().find("0.001"), std::string::npos);
  }
  {
    Sky a, b;
    a.panel(0, "17");
    b.panel(0, "17");
    b.g.c("TXran").setText("abc");  // reads as 0
    a.press(8);
    b.press(8);
    EXPECT_EQ(tableHash(a.g), tableHash(b.g));
    Sky c;
    c.g.c("TXran").setText("1e30");
    c.press(8);
    EXPECT_EQ(c.starts, 1);
  }
}

TEST(Creation, PresetButtonsAreLaidOutInColumnA) {
  Sky w;
  for (int i = 1; i <= 10; ++i) {
    const Control& b = w.g.c("CDp", i);
    EXPECT_EQ(b.caption(), std::to_string(i));
    EXPECT_EQ(b.toolTip(), "Preset Parameters");
    EXPECT_TRUE(b.visible());
    EXPECT_GE(b.left(), 15480);
    EXPECT_LE(b.left() + b.width(), 19800);
    EXPECT_GE(b.top(), 6000);
    EXPECT_LE(b.top() + b.height(), 7900);
  }
  EXPECT_FALSE(w.g.c("CDp", 0).visible());
  EXPECT_FALSE(w.g.c("CDp", 11).visible());
  w.press(0);
  w.g.c("CDp", 11).press();
  EXPECT_EQ(w.starts, 0);
  EXPECT_EQ(w.g.s.BodyCount, 0);
}

TEST(Creation, TheDriverBuildsAndDumpsASystem) {
  quorl::testing::Scenario sc;
  const std::string out = sc.run("type TXran 33333\npress CDp(3)\ndump bodies\n");
  Game& g = sc.g();
  ASSERT_EQ(out.find('!'), std::string::npos) << out;
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < out.size(); start = end + 1) {
    end = out.find('\n', start);
    lines.push_back(out.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(g.s.BodyCount) + 2);  // header and rows 0..BodyCount
  // Every per-body field by its declared name; two-index fields one column per kind.
  EXPECT_EQ(lines[0].rfind("body,PosX,PosY,PosZ,VelX,VelY,VelZ,Mass,BodyKind,ColorR,ColorG,ColorB,Gone,", 0), 0u);
  for (const char* column : {",ImpactMark(99),", ",LifeCount(0),", ",LifeCount(5),", ",BodyName,", ",CraftCode"})
    EXPECT_NE(lines[0].find(column), std::string::npos) << column;
  auto columns = [](const std::string& line) { return std::count(line.begin(), line.end(), ','); };
  for (std::size_t k = 1; k < lines.size(); ++k) ASSERT_EQ(columns(lines[k]), columns(lines[0])) << lines[k];
  EXPECT_EQ(lines[3].rfind("2,0,-1152,0,0,0,0,1,2,255,223,128,0,", 0), 0u) << lines[3];
  EXPECT_EQ(g.s.Preset, 3);
}

// The zoom view takes an impact's life toll once; a new system's impacts must take it again,
// even when no zoom tick falls between the creation and the new impact.
TEST(Creation, ImpactsOfANewSystemTakeTheirTollAgain) {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  auto impactOnFocus = [&g] {
    const int f = g.s.Focus;
    g.b.ImpactCount[f] = 1;
    g.b.ImpactMark[1][f] = 250;
    g.b.LifeCount[3][f] = 90;
    g.c("TimZkrol").tick();
    return g.b.LifeCount[3][f].get();
  };
  g.c("CDp", 3).press();
  ASSERT_GT(g.s.Focus, 2);
  EXPECT_EQ(impactOnFocus(), 30);
  g.c("CDp", 3).press();
  EXPECT_EQ(impactOnFocus(), 30);
}
// A cloud planet of exactly 1e-5 is not a heavy one: at this seed it starts 293 out in y, beyond the seventh
// of the spread a heavy planet keeps within.
TEST(Creation, ACloudPlanetOfExactly1e5StartsAsALightOne) {
  Sky w;
  w.panel(6, "17");
  w.press(5);
  const BodyTable& b = w.g.b;
  ASSERT_EQ(b.Mass[8], 1e-5);
  EXPECT_EQ(b.PosX[8] - b.PosX[1], 29);
  EXPECT_EQ(b.PosY[8] - b.PosY[1], -293);
  EXPECT_EQ(b.PosZ[8], 1);
}
