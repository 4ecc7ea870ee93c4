// Cost of one planet picture tick: a full strip of thirteen heavy worlds (528 outline steps each) with air,
// water and 99 craters each, every crater of the largest size (three rings).
#include <benchmark/benchmark.h>

#include <memory>

#include "app/game.h"
#include "cli/bench.h"

namespace {

std::unique_ptr<quorl::BenchGame> heavyStrip() {
  auto bench = std::make_unique<quorl::BenchGame>();
  quorl::Game& g = *bench->game;
  g.c("TXran").setText("33333");
  g.c("CDp", 3).press();
  g.s.PauseFlag = "bench";  // no passes: the table stays as created
  quorl::BodyTable& b = g.b;
  for (int i = 2; i <= g.s.BodyCount; ++i) {
    b.Gone[i] = 0;
    b.Mass[i] = 0.01;
    b.Radius[i] = 0.04;  // a picture radius of 800
    b.AirLevel[i] = 200;
    b.WaterLevel[i] = 50;
    b.CraftCode[i] = 0;
    b.ImpactCount[i] = 99;
    for (int m = 1; m <= 99; ++m) b.ImpactMark[m][i] = 250;
  }
  g.c("Hcelest").setValue(5);
  return bench;
}

// Every tick after the first: the craters have their places.
void BM_PlanetPictureTick(benchmark::State& state) {
  auto bench = heavyStrip();
  quorl::Game& g = *bench->game;
  quorl::Control& timer = g.c("TimWo");
  timer.tick();
  for (auto _ : state) {
    timer.tick();
    benchmark::DoNotOptimize(g.s.RosterBody[13]);
  }
}

// The first tick places all 13 x 99 craters as well.
void BM_PlanetPictureFirstTick(benchmark::State& state) {
  auto bench = heavyStrip();
  quorl::Game& g = *bench->game;
  quorl::Control& timer = g.c("TimWo");
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 2; i <= g.s.BodyCount; ++i)
      for (int m = 1; m <= 99; ++m) g.b.CraterDX[m][i] = 0;
    state.ResumeTiming();
    timer.tick();
    benchmark::DoNotOptimize(g.b.CraterDX[99][5]);
  }
}

}  // namespace

BENCHMARK(BM_PlanetPictureTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlanetPictureFirstTick)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
