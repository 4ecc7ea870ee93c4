// Time of one nova in a full system (3333 planets and 3333 spare worlds, 6668 rows): the split, the
// names, the class sort it presses and the focus changes that sort again, the log line.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/game.h"
#include "cli/bench.h"

namespace {

void BM_Nova(benchmark::State& state) {
  quorl::BenchGame bench;
  quorl::Game* g = bench.game.get();
  g->c("TXran").setText("33333");
  g->c("TXplanets").setText("3333");
  g->c("TxTenner").setText("3333");
  g->s.SpareWorlds = 3333;
  g->c("CDp", 1).press();
  g->s.PauseFlag = "bench";  // no passes: the table stays as created
  g->s.WarmUpDone = 2;       // focus changes report in the status line, as in a settled run
  g->c("OpExIm", static_cast<int>(state.range(0))).choose();
  g->c("Command66").press();  // the largest planet
  const int S = g->s.Focus;
  const double mass = g->b.Mass[S];
  for (auto _ : state) {
    g->c("Command11").press();
    // Undone at once, so that every nova finds the same table.
    const int N = g->s.NewestFragment;
    g->b.Gone[N] = 1;
    g->b.Mass[S] = mass;
    g->s.NewWorldCount = 0;
    benchmark::DoNotOptimize(g->b.VelX[N]);
  }
  state.counters["BodyCount"] = static_cast<int>(g->s.BodyCount);
  state.counters["LiveCount"] = static_cast<int>(g->s.LiveCount);
}

}  // namespace

// Argument: the break-up option, 0 Explode .. 4 Implode.
BENCHMARK(BM_Nova)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
