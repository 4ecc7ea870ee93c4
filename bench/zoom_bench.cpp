// Cost of one zoom view tick in a full system: 3333 planets, detailed locals, names on.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/game.h"
#include "cli/bench.h"

namespace {

std::unique_ptr<quorl::BenchGame> fullSystem(int preset, int scale) {
  auto bench = std::make_unique<quorl::BenchGame>();
  quorl::Game* g = bench->game.get();
  g->c("TXran").setText("33333");
  g->c("TXplanets").setText("3333");
  g->c("TXplanets").loseFocus();
  g->c("CDp", preset).press();
  g->s.PauseFlag = "bench";  // no passes: the table stays as created
  g->c("ChGlob").setChecked(true);
  g->c("ChNom").setChecked(true);
  g->c("ScaleScroll").setValue(scale);
  return bench;
}

void tickOnce(benchmark::State& state, bool labels) {
  auto bench = fullSystem(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  quorl::Game* g = bench->game.get();
  quorl::Control& timer = g->c("TimZkrol");
  timer.setEnabled(true);
  for (auto _ : state) {
    if (labels) g->s.ZoomLabelRequest = 1;
    timer.tick();
    benchmark::DoNotOptimize(g->s.BlinkPhase);
  }
  state.counters["BodyCount"] = static_cast<int>(g->s.BodyCount);
  state.counters["locals"] = std::stoi(g->c("LaLocal").caption() == "~" ? "0" : g->c("LaLocal").caption());
}

// Every tick: outline, craters, locals as dotted circles.
void BM_ZoomTick(benchmark::State& state) { tickOnce(state, false); }
// The first tick after a clear also names every body on the main view and every local.
void BM_ZoomTickWithLabels(benchmark::State& state) { tickOnce(state, true); }

}  // namespace

// Arguments: preset, zoom scale (30 is the opening value, 500 the widest preset).
BENCHMARK(BM_ZoomTick)->Args({1, 30})->Args({5, 30})->Args({9, 30})->Args({1, 500})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ZoomTickWithLabels)->Args({1, 30})->Args({5, 30})->Args({1, 500})->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
