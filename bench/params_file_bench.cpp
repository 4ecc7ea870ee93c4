// Time to write tallyho.txt as the clock does at a new best: the panel's values taken, the line formatted,
// written whole to disk and renamed over the old file. Also the reading side at start and on Load.
#include <benchmark/benchmark.h>

#include "app/clock_score.h"
#include "app/game.h"
#include "cli/bench.h"
#include "io/params_file.h"

namespace {

void BM_Outfile(benchmark::State& state) {
  quorl::BenchGame bench;
  quorl::Game& g = *bench.game;
  for (auto _ : state) {
    g.s.HighScore = g.s.HighScore + 1;
    benchmark::DoNotOptimize(g.clockScore->file.Outfile());
  }
}

void BM_Remfile(benchmark::State& state) {
  quorl::BenchGame bench;
  quorl::Game& g = *bench.game;
  for (auto _ : state) g.clockScore->file.Remfile();
  benchmark::DoNotOptimize(g.s.HighScore);
}

void BM_FormatAndParse(benchmark::State& state) {
  quorl::ParamsRecord r;
  r.speed = 0.1 + 0.2;
  r.thrustAngle = 6283.185307179586;
  for (auto _ : state) {
    quorl::ParamsRecord back;
    benchmark::DoNotOptimize(quorl::parseParams(quorl::formatParams(r), back));
  }
}

}  // namespace

BENCHMARK(BM_Outfile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Remfile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatAndParse)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
