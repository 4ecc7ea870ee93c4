// The path preview: the copy's future is the game's, bit for bit, and looking at it changes nothing of the
// game; the Path box follows the selection until the player says otherwise.
#include "app/path_preview.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <sstream>

#include "app/game.h"
#include "app/recorder.h"
#include "cli/driver.h"
#include "sim/fields.h"
#include "sim/main_loop.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

bool same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// 120 planets of preset 3 after 300 passes: body 69 sweeps up its neighbours for thousands of passes.
constexpr const char* kCrowd =
    "clock 2026-01-01 10:00:00\ntype TXran 33333\ntype TXplanets 120\nleave TXplanets\npress CDp(3)\npasses 300\n";

TEST(PathPreview, TheCopysFutureIsTheGamesBitForBit) {
  for (const int threads : {1, 2}) {
    SCOPED_TRACE(threads);
    Scenario sc;
    Game& g = sc.g();
    g.loop->setThreads(threads);
    sc.run(kCrowd);
    constexpr int kBody = 69, kPasses = 5000;
    WorldState state;
    state.take(g.b, g.s, g.random);
    FutureRun copy;
    copy.setThreads(threads);
    FutureAsk ask;
    ask.body = kBody, ask.passes = kPasses, ask.oneTurn = false;
    const Future f = copy.run(state, ask);
    ASSERT_EQ(f.passes, kPasses);
    ASSERT_GE(f.fusions.size(), 10u);

    // The game's own passes, with a millisecond of its timers after every fifth as at Watch pace: the
    // class sort, the zoom view and the clock draw random numbers and write fields in between.
    std::size_t next = 0;
    for (int k = 0; k < kPasses; ++k) {
      const FutureFusion* due = next < f.fusions.size() && f.fusions[next].pass == k + 1 ? &f.fusions[next] : nullptr;
      if (due) {
        ASSERT_EQ(g.b.Gone[due->partner], 0) << "pass " << k + 1;
      }
      g.apply(Input::pass());
      if (k % 5 == 4) g.advance(1);
      ASSERT_TRUE(same(g.b.PosX[kBody], f.x[k]) && same(g.b.PosY[kBody], f.y[k]) && same(g.b.PosZ[kBody], f.z[k]))
          << "pass " << k + 1;
      if (due) {
        EXPECT_EQ(g.b.Gone[due->partner], 1) << "pass " << k + 1;
        ++next;
      }
    }
    EXPECT_EQ(next, f.fusions.size());
    EXPECT_GT(g.s.ElapsedSeconds, 0);  // the timers did run
  }
}

// Two games played alike, one looking at its path all along: the same state, sequence, log and replay.
TEST(PathPreview, LookingAheadLeavesTheGameAsItWas) {
  const auto play = [](bool look) {
    struct Result {
      std::uint64_t hash;
      Random random;
      std::string replay, events;
    } r;
    const std::string dir = testing::tempDir();
    {
      GameOptions o;
      o.dir = dir;
      o.record.on = true;
      auto game = std::make_unique<Game>(o);
      const auto run = [&](const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out, err;
        EXPECT_EQ(runScript(*game, in, out, err), 0) << err.str();
      };
      run(kCrowd);
      run(look ? "set Hcelest 69\npress ChPath\n" : "set Hcelest 69\n");
      for (const char* step : {"passes 700\n", "key e\n", "advance 400\n", "passes 900\n"}) {
        if (look) run("path\n");
        run(step);
      }
      if (look) {
        EXPECT_EQ(game->preview->path().body, 69);
      }
      r.hash = stateHash(game->b, game->s);
      r.random = game->random;
      game->recorder()->finish();
      r.replay = testing::fileText(game->recorder()->path());
      r.events = testing::fileText(game->folder.path("events.txt"));
    }
    std::filesystem::remove_all(dir);
    return r;
  };
  const auto looked = play(true), blind = play(false);
  EXPECT_EQ(looked.hash, blind.hash);
  EXPECT_TRUE(looked.random == blind.random);
  EXPECT_EQ(looked.events, blind.events);
  EXPECT_EQ(looked.replay, blind.replay);
  EXPECT_NE(blind.replay.find("Hcelest"), std::string::npos);  // the selection is in it
}

}  // namespace
}  // namespace quorl
