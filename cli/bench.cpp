// quorl-cli bench: times the production pass against the reference pass on systems built by preset 1
// (seed 33333), checks that both leave the same table after 1000 passes, and times the plotting.
// At the default speed most bodies leave the field within a few hundred passes, so the rates are
// taken over the first 100 passes, while the system is still full; identity is checked after all 1000.
#include "cli/bench.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/game.h"
#include "bench/reference_pass.h"
#include "sim/main_loop.h"
#include "views/orbit_views.h"

namespace quorl {

namespace {

using Steady = std::chrono::steady_clock;

constexpr int kPasses = 1000;
constexpr int kTimed = 100;

struct Size {
  int bodies, planets, spare;
};

// BodyCount = planets + 2 + spare worlds. The planets box is typed but not left, so 6664 planets
// reach 9999 bodies (creation takes the typed value; the box is limited afterwards).
constexpr Size kSizes[] = {
    {152, 17, 133}, {1000, 865, 133}, {3500, 1750, 1748}, {6668, 3333, 3333}, {9999, 6664, 3333}};

// Builds the system with the panel and the preset button, as a player would.
bool build(Game& g, const Size& size) {
  g.c("TXran").setText("33333");
  g.c("TXplanets").setText(std::to_string(size.planets));
  Control& spare = g.c("TxTenner");
  spare.setText(std::to_string(size.spare));
  spare.loseFocus();
  g.c("CDp(1)").press();
  return g.s.BodyCount == size.bodies;
}

double seconds(Steady::time_point from) { return std::chrono::duration<double>(Steady::now() - from).count(); }

std::string fixed1(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  return buf;
}

int fusions(const Game& g) {
  int n = 0;
  for (int i = 0; i <= g.s.BodyCount; ++i) n += g.b.ImpactCount[i];
  return n;
}

int live(const Game& g) {
  int n = 0;
  for (int i = 0; i <= g.s.BodyCount; ++i) n += g.b.Gone[i] == 0;
  return n;
}

// Nanoseconds per BomBA call into the six views (raster canvases, as the window's pixels), for the
// present bodies of the 6668-body system after `passes` passes, in body order as the pass plots them.
double plotCost(int passes) {
  BenchGame bench;
  Game& g = *bench.game;
  if (!build(g, kSizes[3])) return 0;
  for (int k = 0; k < passes; ++k) g.pumpTurn();
  std::vector<std::int16_t> xs, ys, zs, ids;
  for (int i = 0; i <= g.s.BodyCount; ++i) {
    if (g.b.Gone[i] != 0) continue;
    xs.push_back(Int16(g.b.PosX[i])), ys.push_back(Int16(g.b.PosY[i])), zs.push_back(Int16(g.b.PosZ[i]));
    ids.push_back(static_cast<std::int16_t>(i));
  }
  OrbitViews& views = *g.views;
  const int rounds = 2000000 / static_cast<int>(ids.size() + 1) + 1;
  const auto start = Steady::now();
  for (int round = 0; round < rounds; ++round)
    for (std::size_t k = 0; k < ids.size(); ++k) views.BomBA(xs[k], ys[k], zs[k], ids[k]);
  return seconds(start) * 1e9 / (static_cast<double>(rounds) * static_cast<double>(ids.size()));
}

}  // namespace

BenchGame::BenchGame() {
  char tmpl[] = "/tmp/quorl-bench-XXXXXX";
  const char* d = mkdtemp(tmpl);
  dir = d ? d : "/tmp";
  game = std::make_unique<Game>(GameOptions{dir, {}});
}

BenchGame::~BenchGame() {
  game.reset();
  std::error_code ec;
  if (dir != "/tmp") std::filesystem::remove_all(dir, ec);
}

int runBench(std::ostream& out) {
  out << "pass: preset 1, seed 33333; rates over the first " << kTimed << " passes, identity after " << kPasses
      << "; vector form " << pass::simdName(pass::bestSimd()) << "\n";
  std::string fusionLine = "fusions in " + std::to_string(kPasses) + " passes:";
  std::string liveLine = "present bodies at the start -> after " + std::to_string(kPasses) + " passes:";
  bool allSame = true;
  for (const Size& size : kSizes) {
    BenchGame fast, plain;
    if (!build(*fast.game, size) || !build(*plain.game, size)) {
      out << "bodies=" << size.bodies << " could not be built: " << fast.game->c("Labill").caption() << "\n";
      allSame = false;
      continue;
    }
    Game& f = *fast.game;
    Game& p = *plain.game;
    const int loaded = live(f);
    auto start = Steady::now();
    for (int k = 0; k < kTimed; ++k) f.pumpTurn();
    const double fastRate = kTimed / seconds(start);
    start = Steady::now();
    for (int k = 0; k < kTimed; ++k) p.ui.fire([&] { referencePass(p); });
    const double plainRate = kTimed / seconds(start);
    for (int k = kTimed; k < kPasses; ++k) {
      f.pumpTurn();
      p.ui.fire([&] { referencePass(p); });
    }
    std::string why;
    const bool same = sameState(f, p, &why);
    allSame = allSame && same;
    out << "bodies=" << size.bodies << " reference=" << fixed1(plainRate) << "/s fast=" << fixed1(fastRate)
        << "/s speedup=" << fixed1(fastRate / plainRate) << " identical=" << (same ? "yes" : "no (" + why + ")")
        << "\n";
    out.flush();
    fusionLine += " " + std::to_string(size.bodies) + ":" + std::to_string(fusions(f));
    liveLine += " " + std::to_string(size.bodies) + ":" + std::to_string(loaded) + "->" + std::to_string(live(f));
  }
  out << fusionLine << "\n" << liveLine << "\n";
  out << "plot=" << fixed1(plotCost(0)) << " ns/body at the start, " << fixed1(plotCost(200))
      << " ns/body after 200 passes (BomBA into the six views, 6668-body system)\n";
  return allSame ? 0 : 1;
}

}  // namespace quorl
