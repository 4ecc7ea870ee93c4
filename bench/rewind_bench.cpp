// What rewind costs: going back to any moment of a 10-minute game at preset 3 (17 planets, Watch: 3,000,000
// passes) and of a game of 3,333 planets (played for a while at full speed, with the budget scaled down to
// the same pressure as ten minutes would give), taking one snapshot at 3,333 planets, the pass rate with
// snapshots kept against without (side by side, in turns), and the snapshots' memory against the budget.
// Usage: rewind_bench [SECONDS at 3,333 planets, default 60]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/game_state.h"
#include "app/recorder.h"
#include "app/rewind.h"
#include "io/folder.h"

namespace {

using namespace quorl;
using Steady = std::chrono::steady_clock;

double msSince(Steady::time_point t) { return std::chrono::duration<double, std::milli>(Steady::now() - t).count(); }
std::int64_t realMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now().time_since_epoch()).count();
}

struct Played {
  TemporaryFolder folder{"quorl-rewind-bench"};
  std::unique_ptr<Game> game;
  Played(bool rewind, std::size_t budget, bool realClock) {
    GameOptions o;
    o.dir = folder.path();
    o.record.on = true;
    o.record.checkEvery = 4096;
    o.rewind.on = rewind;
    o.rewind.budget = budget;
    if (realClock) o.rewind.clockMs = realMs;
    game = std::make_unique<Game>(o);
  }
  Game& g() { return *game; }
  void build(int planets) {
    g().apply(Input::typed(g().c("TXran"), "33333"));
    g().apply(Input::typed(g().c("TXplanets"), std::to_string(planets)));
    g().apply(Input::press(g().c("CDp", 3)));
  }
  // Passes with the timers ticking in step (as at Watch, 5,000 passes a second of virtual time).
  void play(std::uint64_t passes) {
    for (std::uint64_t done = 0; done < passes; done += 500) {
      for (int i = 0; i < 500; ++i) g().apply(Input::pass());
      g().advance(100);
    }
  }
};

struct Spread {
  double median, p95, most;
};
Spread spread(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v[v.size() * 95 / 100], v.back()};
}

// Goes back to `n` moments spread at random over the game, each time back to the present after.
Spread rewinds(Game& g, int n) {
  Rewind& rw = *g.rewind();
  std::mt19937_64 pick(7);
  const std::uint64_t last = rw.lastPass();
  std::vector<double> ms;
  for (int k = 0; k < n; ++k) {
    const std::uint64_t pass = pick() % last;
    std::string why;
    const auto t = Steady::now();
    if (!rw.seek(pass, why)) std::fprintf(stderr, "rewind to %llu: %s\n", static_cast<unsigned long long>(pass), why.c_str());
    ms.push_back(msSince(t));
    rw.cancel();
  }
  return spread(ms);
}

void report(const char* what, Game& g, const Spread& s) {
  Rewind& rw = *g.rewind();
  std::printf("%s: %llu passes, %.1f s of play; %zu snapshots, %.1f MiB of a %.1f MiB budget\n", what,
              static_cast<unsigned long long>(rw.lastPass()), rw.playMs() / 1000.0, rw.count(),
              rw.bytes() / 1048576.0, rw.budget() / 1048576.0);
  std::printf("  rewind to a random moment: median %.1f ms, 95th %.1f ms, most %.1f ms (widest gap between snapshots: "
              "%.0f ms of pass time)\n", s.median, s.p95, s.most, rw.widestGapNs() / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  const double bigSeconds = argc > 1 ? std::atof(argv[1]) : 60;
  constexpr std::size_t kBudget = std::size_t{256} << 20;

  {  // Ten minutes of play at preset 3: 3,000,000 passes at Watch.
    Played p(true, kBudget, false);
    p.build(17);
    const auto t = Steady::now();
    p.play(3'000'000);
    std::printf("preset 3, 17 planets: played in %.1f s\n", msSince(t) / 1000);
    report("preset 3, 10 minutes", p.g(), rewinds(p.g(), 60));
  }

  {  // 3,333 planets at full speed for a while, the budget as ten minutes would press on it.
    const std::size_t budget = static_cast<std::size_t>(kBudget * std::min(1.0, bigSeconds / 600));
    Played p(true, budget, true);
    p.build(3333);
    const auto t = Steady::now();
    while (msSince(t) < bigSeconds * 1000) p.play(500);
    report("preset 3, 3,333 planets", p.g(), rewinds(p.g(), 20));

    // One snapshot, as rewind takes it (sharing what has not changed with the one before) and whole.
    std::vector<double> shared, whole;
    GameState before, now;
    before.take(p.g());
    for (int k = 0; k < 30; ++k) {
      p.play(500);
      auto s = Steady::now();
      now.take(p.g(), &before);
      shared.push_back(msSince(s));
      s = Steady::now();
      GameState alone;
      alone.take(p.g());
      whole.push_back(msSince(s));
      before = std::move(now);
    }
    const Spread a = spread(shared), b = spread(whole);
    std::printf("  one snapshot at 3,333 planets: median %.2f ms, most %.2f ms (whole: median %.2f ms, most %.2f ms, "
                "%.0f KB)\n", a.median, a.most, b.median, b.most, before.bytes() / 1024.0);
  }

  {  // The pass rate with snapshots kept (by the window's clock) and without, in turns.
    Played with(true, kBudget, true), without(false, kBudget, true);
    with.build(17);
    without.build(17);
    std::vector<double> on, off;
    double played = 0;
    for (int round = 0; round < 24; ++round)
      for (Played* p : {&with, &without}) {
        const auto t = Steady::now();
        p->play(100'000);
        const double ms = msSince(t);
        if (p == &with) played += ms;
        (p == &with ? on : off).push_back(100'000 / (ms / 1000));
      }
    const std::uint64_t taken = with.g().rewind()->taken();
    std::vector<double> take;
    GameState before;
    before.take(with.g());
    for (int k = 0; k < 30; ++k) {
      with.play(500);
      GameState now;
      const auto t = Steady::now();
      now.take(with.g(), &before);
      take.push_back(msSince(t));
      before = std::move(now);
    }
    std::printf("one snapshot at 17 planets: median %.3f ms\n", spread(take).median);
    const double a = spread(on).median, b = spread(off).median;
    std::printf("pass rate at preset 3, 17 planets, 24 turns of 100,000 passes: %.0f/s with snapshots, %.0f/s "
                "without (%+.2f%%); %llu snapshots taken, costing %.2f%% of the time played\n", a, b, (a / b - 1) * 100,
                static_cast<unsigned long long>(taken), taken * spread(take).median / played * 100);
  }
  return 0;
}
