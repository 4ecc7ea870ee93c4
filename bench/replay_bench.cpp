// What the recording costs the pass rate: preset 3 with 17 planets as the window runs it at Max (about
// 300,000 passes a second), its timers ticking in step, unrecorded (0) and recorded as the window records
// (1: a state check every 2 seconds of play, the file written every 5). One iteration is 4096 passes and
// the ticks of the 14 ms they take; compare the two rates (--benchmark_enable_random_interleaving lets the
// machine's load fall on both alike). And the time of one state check.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/game.h"
#include "app/recorder.h"
#include "cli/bench.h"
#include "sim/fields.h"

namespace {

void BM_Play(benchmark::State& state) {
  quorl::BenchGame bench;
  quorl::Game* game = nullptr;
  quorl::GameOptions o;
  o.dir = bench.dir;
  if (state.range(0)) {
    o.record.on = true;
    o.record.checkEvery = 4096;
    o.record.checkMs = 2000;
    o.record.flushMs = 5000;
    o.record.clockMs = [&game] { return game ? game->ui.now() : 0; };  // the game's own virtual time
  }
  bench.game = std::make_unique<quorl::Game>(o);
  quorl::Game& g = *(game = bench.game.get());
  g.apply(quorl::Input::typed(g.c("TXran"), "33333"));
  g.apply(quorl::Input::press(g.c("CDp", 3)));
  std::uint64_t passes = 0;
  for (auto _ : state) {
    for (int i = 0; i < 4096; ++i) g.apply(quorl::Input::pass());
    g.advance(14);
    passes += 4096;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(passes));
  state.counters["recorded"] = g.recorder() && g.recorder()->recording();
}

// One state check: the hash of every field and shared value, as a recording takes it every 2 seconds.
void BM_StateCheck(benchmark::State& state) {
  quorl::BenchGame bench;
  quorl::Game& g = *bench.game;
  g.apply(quorl::Input::press(g.c("CDp", 3)));
  for (int i = 0; i < 20000; ++i) g.apply(quorl::Input::pass());
  for (auto _ : state) benchmark::DoNotOptimize(quorl::stateHash(g.b, g.s));
}

}  // namespace

BENCHMARK(BM_StateCheck)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Play)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
