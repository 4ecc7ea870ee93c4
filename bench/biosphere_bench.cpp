// Cost of one biosphere tick over a full table: 3333 planets and 3333 spare rows (6668 rows tallied).
#include <benchmark/benchmark.h>

#include <memory>

#include "app/game.h"
#include "cli/bench.h"

namespace {

std::unique_ptr<quorl::BenchGame> fullTable(bool living) {
  auto bench = std::make_unique<quorl::BenchGame>();
  quorl::Game* g = bench->game.get();
  g->c("TXran").setText("33333");
  g->c("TXplanets").setText("3333");
  g->c("TXplanets").loseFocus();
  g->c("TxTenner").setText("3333");
  g->c("TxTenner").loseFocus();
  g->c("CDp", 3).press();
  g->s.PauseFlag = "bench";  // no passes: the table stays as created
  g->s.Orbits = 40;
  if (living) {
    // A third of the planets carry two to four kinds, so the tally computes Celestials on every tick.
    const int last = g->s.BodyCount;
    for (int i = 3; i <= last; i += 3)
      for (int k = 1; k <= 2 + i % 3; ++k) g->b.LifeCount[k][i] = 10 + i % 7;
  }
  g->c("TimWheel").tick();  // the first tally writes the Celestial events; the timed ticks do not
  return bench;
}

void tick(benchmark::State& state) {
  auto bench = fullTable(state.range(0) != 0);
  quorl::Game* g = bench->game.get();
  quorl::Control& timer = g->c("TimWheel");
  for (auto _ : state) {
    timer.tick();
    benchmark::DoNotOptimize(g->s.LifeTotals[0]);
  }
  state.counters["rows"] = static_cast<int>(g->s.BodyCount);
  state.counters["Celestials"] = static_cast<int>(g->s.CelestialSum);
}

}  // namespace

BENCHMARK(tick)->Arg(0)->Arg(1)->ArgName("living")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
