// Time to build a full system: 3333 planets and 3333 spare worlds, from one preset press.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/game.h"
#include "cli/bench.h"

namespace {

std::unique_ptr<quorl::BenchGame> fullPanel(bool creationOnly) {
  auto bench = std::make_unique<quorl::BenchGame>();
  quorl::Game* g = bench->game.get();
  g->c("TXran").setText("33333");
  g->c("TXplanets").setText("3333");
  g->c("TxTenner").setText("3333");
  g->s.SpareWorlds = 3333;
  // Without the start, the figure is creation's own; with it, what a player waits for.
  if (creationOnly) g->c("Command2").onClick = [] {};
  return bench;
}

void run(benchmark::State& state, int preset, bool creationOnly) {
  auto bench = fullPanel(creationOnly);
  quorl::Game* g = bench->game.get();
  for (auto _ : state) {
    g->c("CDp", preset).press();
    g->s.PauseFlag = "bench";  // keep a started loop from running passes between presses
    benchmark::DoNotOptimize(g->b.Mass[3]);
  }
  state.counters["BodyCount"] = static_cast<int>(g->s.BodyCount);
}

void BM_CreateFullSystem(benchmark::State& state) { run(state, static_cast<int>(state.range(0)), true); }
void BM_CreateAndStartFullSystem(benchmark::State& state) { run(state, static_cast<int>(state.range(0)), false); }

}  // namespace

BENCHMARK(BM_CreateFullSystem)->Arg(1)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreateAndStartFullSystem)->Arg(1)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
