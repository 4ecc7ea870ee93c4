// quorl-cli bench: times the production pass against the reference pass on systems built by preset 1
// (seed 33333), checks that both leave the same table after 1000 passes, and measures in the same run
// the floor: the bare gravity arithmetic of every pair on the pass's threads. The games are past their
// first nine seconds, so a pass with fusions presses the class sort as it does in play. At the default
// speed most bodies leave the field within a few hundred passes, so the rates are taken over the first
// 100 passes after a short warm-up, while the system is still full; identity is checked after all 1000.
#include "cli/bench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/path_preview.h"
#include "bench/reference_pass.h"
#include "sim/future.h"
#include "sim/main_loop.h"
#include "views/orbit_views.h"

namespace quorl {

namespace {

using Steady = std::chrono::steady_clock;

constexpr int kPasses = 1000;
constexpr int kWarm = 5;
constexpr int kTimed = 100;
constexpr int kPlayedSeconds = 10;  // past the first nine: fusions press the class sort

struct Size {
  int bodies, planets, spare;
};

// BodyCount = planets + 2 + spare worlds. The planets box is typed but not left, so 6664 planets
// reach 9999 bodies (creation takes the typed value; the box is limited afterwards).
constexpr Size kSizes[] = {
    {152, 17, 133}, {1000, 865, 133}, {3500, 1750, 1748}, {6668, 3333, 3333}, {9999, 6664, 3333}};

// Builds the system with the panel and the preset button, as a player would.
bool build(Game& g, const Size& size, int preset = 1) {
  g.c("TXran").setText("33333");
  g.c("TXplanets").setText(std::to_string(size.planets));
  Control& spare = g.c("TxTenner");
  spare.setText(std::to_string(size.spare));
  spare.loseFocus();
  g.c("CDp(" + std::to_string(preset) + ")").press();
  g.s.ElapsedSeconds = kPlayedSeconds;
  return g.s.BodyCount == size.bodies;
}

double seconds(Steady::time_point from) { return std::chrono::duration<double>(Steady::now() - from).count(); }

std::string fixed(double v, int digits = 1) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", digits, v);
  return buf;
}

std::string cpuModel() {
  std::ifstream info("/proc/cpuinfo");
  for (std::string line; std::getline(info, line);)
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  return "unknown CPU";
}

std::string loadAverage() {
  std::ifstream load("/proc/loadavg");
  std::string one;
  return load >> one ? one : "?";
}

int fusions(const Game& g) {
  int n = 0;
  for (int i = 0; i <= g.s.BodyCount; ++i) n += g.b.ImpactCount[i];
  return n;
}

int present(const Game& g) {
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

// Microseconds of one class sort on the 6668-body system after `passes` passes, and of one pass there.
std::pair<double, double> sortCost(int passes) {
  BenchGame bench;
  Game& g = *bench.game;
  if (!build(g, kSizes[3])) return {0, 0};
  for (int k = 0; k < passes; ++k) g.pumpTurn();
  Control& sort = g.c("Command6");
  constexpr int kSorts = 200;
  auto start = Steady::now();
  for (int k = 0; k < kSorts; ++k) sort.press();
  const double sortUs = seconds(start) * 1e6 / kSorts;
  start = Steady::now();
  for (int k = 0; k < 20; ++k) g.pumpTurn();
  return {sortUs, seconds(start) * 1e6 / 20};
}

// Passes a second of preset 3 with 3333 planets as the headless driver runs it (its clock stands still).
double preset3Rate(int passes) {
  BenchGame bench;
  Game& g = *bench.game;
  build(g, {0, 3333, 0}, 3);  // the preset decides BodyCount
  g.s.ElapsedSeconds = 0;
  const auto start = Steady::now();
  for (int k = 0; k < passes; ++k) g.pumpTurn();
  return passes / seconds(start);
}

}  // namespace

namespace {

// Never a shared folder in its place: the bench would leave its files there for anyone.
const std::string& made(const TemporaryFolder& folder) {
  if (folder.path().empty()) throw std::runtime_error("cannot make a temporary folder for the bench");
  return folder.path();
}

}  // namespace

BenchGame::BenchGame() : folder("quorl-bench"), dir(made(folder)), game(std::make_unique<Game>(GameOptions{dir, {}})) {}

BenchGame::~BenchGame() = default;

int runBench(const std::vector<std::string>& sizes, std::ostream& out, std::ostream& err) {
  std::vector<Size> chosen;
  for (const std::string& a : sizes) {
    const auto it = std::find_if(std::begin(kSizes), std::end(kSizes),
                                 [&](const Size& s) { return std::to_string(s.bodies) == a; });
    if (it == std::end(kSizes)) {
      err << "bench: no system of '" << a << "' bodies; the sizes are";
      for (const Size& s : kSizes) err << " " << s.bodies;
      err << "\n";
      return 2;
    }
    chosen.push_back(*it);
  }
  if (chosen.empty()) chosen.assign(std::begin(kSizes), std::end(kSizes));
  const pass::Engine& engine = pass::engine();
  out << "cpu: " << cpuModel() << ", " << pass::coresAvailable() << " cores for this process, load " << loadAverage()
      << "\nengine: threads=" << engine.threads << " simd=" << pass::simdName(engine.simd)
      << " (ns a pair measured at start:";
  for (pass::Simd form : pass::kForms)
    if (engine.nsPerPair[static_cast<int>(form)] > 0)
      out << " " << pass::simdName(form) << "=" << fixed(engine.nsPerPair[static_cast<int>(form)], 2);
  out << (engine.note.empty() ? "" : "; " + engine.note) << ")\n";
  out << "pass: preset 1, seed 33333, ElapsedSeconds " << kPlayedSeconds << "; rates over " << kTimed
      << " passes after " << kWarm << " warm-up passes, identity after " << kPasses
      << "; floor = the bare pair arithmetic on the same bodies and threads\n";
  std::string fusionLine = "fusions in " + std::to_string(kPasses) + " passes:";
  std::string liveLine = "present bodies at the start -> after " + std::to_string(kPasses) + " passes:";
  bool allSame = true;
  for (const Size& size : chosen) {
    BenchGame fast, plain;
    if (!build(*fast.game, size) || !build(*plain.game, size)) {
      out << "bodies=" << size.bodies << " could not be built: " << fast.game->c("Labill").caption() << "\n";
      allSame = false;
      continue;
    }
    Game& f = *fast.game;
    Game& p = *plain.game;
    const int loaded = present(f);
    for (int k = 0; k < kWarm; ++k) {
      f.pumpTurn();
      p.ui.fire([&] { referencePass(p); });
    }
    const int threads = f.loop->threadsFor(present(f));
    // The class sort inside the timed passes: how often it runs and what it costs.
    Control& sortButton = f.c("Command6");
    const std::function<void()> sort = sortButton.onClick;
    int sorts = 0;
    double sortTime = 0;
    sortButton.onClick = [&] {
      const auto from = Steady::now();
      sort();
      sortTime += seconds(from);
      ++sorts;
    };
    double fastTime = 0, floorTime = 0;
    for (int k = 0; k < kTimed; ++k) {
      const auto start = Steady::now();
      f.pumpTurn();
      fastTime += seconds(start);
      floorTime += f.loop->floorSweep();  // the same bodies, after each pass
    }
    sortButton.onClick = sort;
    auto start = Steady::now();
    for (int k = 0; k < kTimed; ++k) p.ui.fire([&] { referencePass(p); });
    const double plainRate = kTimed / seconds(start);
    for (int k = kWarm + kTimed; k < kPasses; ++k) {
      f.pumpTurn();
      p.ui.fire([&] { referencePass(p); });
    }
    std::string why;
    const bool same = sameState(f, p, &why);
    allSame = allSame && same;
    const double fastRate = kTimed / fastTime, floorRate = floorTime > 0 ? kTimed / floorTime : 0;
    out << "bodies=" << size.bodies << " reference=" << fixed(plainRate) << "/s fast=" << fixed(fastRate)
        << "/s speedup=" << fixed(fastRate / plainRate) << " floor=" << fixed(floorRate)
        << "/s of_floor=" << fixed(floorRate > 0 ? fastRate / floorRate : 0, 2) << " threads=" << threads
        << " simd=" << pass::simdName(f.loop->simd()) << " identical=" << (same ? "yes" : "no (" + why + ")")
        << " sorts=" << fixed(static_cast<double>(sorts) / kTimed)
        << "/pass sort_time=" << fixed(sortTime / fastTime, 2) << " of the pass\n";
    out.flush();
    fusionLine += " " + std::to_string(size.bodies) + ":" + std::to_string(fusions(f));
    liveLine += " " + std::to_string(size.bodies) + ":" + std::to_string(loaded) + "->" + std::to_string(present(f));
  }
  out << fusionLine << "\n" << liveLine << "\n";
  if (!sizes.empty()) return allSame ? 0 : 1;
  const auto [sortUs, passUs] = sortCost(kWarm);
  out << "sort=" << fixed(sortUs) << " us a press (Command6, 6668-body system after " << kWarm
      << " passes), pass=" << fixed(passUs) << " us there, sort/pass=" << fixed(sortUs / passUs, 2) << "\n";
  out << "preset3=" << fixed(preset3Rate(300)) << "/s (3333 planets, seed 33333, first 300 passes, clock standing)\n";
  out << "plot=" << fixed(plotCost(0)) << " ns/body at the start, " << fixed(plotCost(200))
      << " ns/body after 200 passes (BomBA into the six views, 6668-body system)\n";
  return allSame ? 0 : 1;
}

namespace {

// Preset 3 at seed 33333 with so many planets, 100 passes on, its largest planet selected.
bool preset3(Game& g, int planets) {
  build(g, {0, planets, 0}, 3);
  for (int k = 0; k < 100; ++k) g.pumpTurn();
  g.c("Command66").press();
  return g.s.Focus > 2 && g.b.Gone[g.s.Focus] == 0;
}

// Processor time of the calling thread: what a copy costs whatever else the machine runs.
double threadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int runPreviewBench(std::ostream& out) {
  out << "cpu: " << cpuModel() << ", " << pass::coresAvailable() << " cores for this process, load " << loadAverage()
      << "\npreview: preset 3, seed 33333, 100 passes on, the largest planet; the copy on one thread\n";
  int status = 0;
  for (const int planets : {17, 3333}) {
    BenchGame bench;
    Game& g = *bench.game;
    if (!preset3(g, planets)) {
      out << "planets=" << planets << " could not be built\n";
      status = 1;
      continue;
    }
    // Taking the world, as the window's thread does for every path.
    std::vector<double> takes;
    WorldState state;
    for (int k = 0; k < 50; ++k) {
      const auto start = Steady::now();
      state.take(g.b, g.s, g.random, g.s.BodyCount.get() + 1);
      takes.push_back(seconds(start) * 1e6);
    }
    FutureRun copy;
    copy.setThreads(1);
    FutureAsk ask;
    ask.body = g.s.Focus;
    std::vector<double> ms, cpu, passes;
    for (int k = 0; k < 5; ++k) {
      ask.oneTurn = false;
      ask.passes = PathPreview::kLength;
      if (planets > 17) ask.deadline = Steady::now() + std::chrono::milliseconds(PathPreview::kBudgetMs);
      const double cpu0 = threadSeconds();
      const auto start = Steady::now();
      const Future f = copy.run(state, ask);
      ms.push_back(seconds(start) * 1e3);
      cpu.push_back((threadSeconds() - cpu0) * 1e3);
      passes.push_back(f.passes);
    }
    ask.oneTurn = true;
    ask.deadline = Steady::time_point::max();
    const int turn = planets > 17 ? 0 : copy.run(state, ask).passes;
    out << "planets=" << planets << " bodies=" << g.s.BodyCount << " take=" << fixed(median(takes)) << " us ("
        << state.bytes() / 1024 << " KB)";
    if (planets > 17)
      out << " budget=" << PathPreview::kBudgetMs << " ms passes=" << fixed(median(passes), 0) << " of "
          << PathPreview::kLength << " (" << fixed(median(passes) / median(ms) * 1e3, 0) << "/s)\n";
    else
      out << " copy of " << PathPreview::kLength << " passes=" << fixed(median(ms)) << " ms (best "
          << fixed(*std::min_element(ms.begin(), ms.end())) << ", processor " << fixed(median(cpu))
          << " ms) one turn=" << turn << " passes\n";
    out.flush();
  }
  return status;
}

}  // namespace quorl
