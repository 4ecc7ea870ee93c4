// The pace: the cap's bookkeeping driven by a pump on virtual time, the readout, and the control.
#include "app/pace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>

#include "tests/scenario.h"
#include "ui/errors.h"

namespace quorl {
namespace {

constexpr std::int64_t kMs = 1'000'000;

// A pump as the window runs one: a pass when none must wait, else a sleep on a timer that counts whole
// milliseconds and wakes `late` after it is due. It counts the passes and keeps the longest sleep.
struct Pump {
  Pacer pacer;
  std::int64_t now = 0;
  long passes = 0;
  std::int64_t longestSleep = 0;
  void run(double seconds, std::int64_t passCost, std::int64_t late = 0) {
    for (const std::int64_t end = now + static_cast<std::int64_t>(seconds * 1e9); now < end;) {
      const std::int64_t wait = pacer.waitAt(now), sleep = (wait + kMs - 1) / kMs * kMs;
      longestSleep = std::max(longestSleep, sleep);
      if (wait > 0) now += sleep + late;
      else pacer.passRan(), ++passes, now += passCost;
    }
  }
};

TEST(Pacer, HoldsTheCapWheneverTheMachineCanReachIt) {
  struct Case {
    int cap;
    std::int64_t passCost, late;
    double expect;  // passes a second
  };
  const Case cases[] = {
      {5000, 3'000, 0, 5000},           // a small system: the cap holds
      {5000, 3'000, 300'000, 5000},     // late wake-ups are made up for
      {30000, 10'000, 100'000, 30000},  // passes of 10 us, three to a millisecond
      {5000, 1'000'000, 0, 1000},       // a pass slower than the cap: as fast as it goes
      {0, 10'000, 0, 100000},           // Max: no cap at all
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << "cap " << k.cap << ", pass " << k.passCost << " ns");
    Pump p;
    p.now = 123 * kMs;
    p.pacer.setCap(k.cap);
    p.run(2.0, k.passCost, k.late);
    EXPECT_NEAR(p.passes / 2.0, k.expect, k.expect * 0.01);
    // The pump never sleeps through more than a pass's share of time (rounded up to the timer's millisecond),
    // so an event waits no longer than that.
    if (k.cap) EXPECT_LE(p.longestSleep, std::max<std::int64_t>(kMs, 1'000'000'000 / k.cap));
    else EXPECT_EQ(p.longestSleep, 0);
  }
}

TEST(Pacer, AStallIsNotCaughtUpAndANewCapStartsAfresh) {
  Pump p;
  p.pacer.setCap(5000);
  p.run(0.5, 2'000);
  p.now += 5'000 * kMs;  // paused five seconds
  const std::int64_t resumed = p.now;
  long burst = 0;
  while (p.pacer.waitAt(p.now) == 0) p.pacer.passRan(), ++burst, p.now += 2'000;
  EXPECT_LE(burst, 5000 * Pacer::kCatchUpNs / 1'000'000'000 + 2);
  EXPECT_LT(p.now - resumed, 2 * Pacer::kCatchUpNs);

  // A cap chosen while the schedule is ahead of the clock runs its first pass at once.
  p.pacer.setCap(50);
  EXPECT_EQ(p.pacer.waitAt(p.now), 0);
  p.pacer.passRan();
  EXPECT_EQ(p.pacer.waitAt(p.now), 20 * kMs);
}

TEST(Pacer, AFramePumpHoldsTheCapWithinTheFramesBudget) {
  struct Case {
    int cap;
    std::int64_t frame, passCost;
    double expect;  // passes a second
  };
  const Case cases[] = {
      {5000, 16'666'667, 20'000, 5000},    // 60 frames a second: 83 or 84 passes each
      {5000, 33'333'333, 20'000, 5000},    // 30 frames a second still hold it
      {30000, 16'666'667, 1'000, 30000},   // Fast
      {5000, 16'666'667, 400'000, 1500},   // slow passes: the budget, 25 a frame
      {0, 16'666'667, 100'000, 6000},      // Max: the budget alone, 100 a frame
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << "cap " << k.cap << ", frame " << k.frame << " ns, pass " << k.passCost);
    Pacer pacer(Pacer::kFrameCatchUpNs);
    pacer.setCap(k.cap);
    std::int64_t now = 7 * kMs, longest = 0;
    long passes = 0;
    const int frames = 2 * 1'000'000'000 / k.frame;
    for (int f = 0; f < frames; ++f) {
      const std::int64_t start = 7 * kMs + f * k.frame;
      now = std::max(now, start);
      const long before = passes;
      const FrameRun run = runFrame(
          pacer, kFrameBudgetNs, [&] { return now; }, [&] { return now += k.passCost, ++passes, true; });
      EXPECT_EQ(run.turns, passes - before);
      longest = std::max(longest, now - start);
      if (f == 0) passes = 0;  // the first frame starts the clock of the cap
    }
    EXPECT_NEAR(passes * 1e9 / ((frames - 1) * static_cast<double>(k.frame)), k.expect, k.expect * 0.01);
    EXPECT_LE(longest, kFrameBudgetNs + k.passCost);
  }
  // A turn that stops the pump ends the frame.
  Pacer pacer(Pacer::kFrameCatchUpNs);
  std::int64_t now = 0;
  int turns = 0;
  const FrameRun run = runFrame(pacer, kFrameBudgetNs, [&] { return now += 1000; }, [&] { return ++turns < 3; });
  EXPECT_EQ(run.turns, 3);
  EXPECT_TRUE(run.stopped);
}

TEST(Pace, ReadoutText) {
  const std::pair<double, const char*> cases[] = {{-3, "0/s"},        {0, "0/s"},         {12.4, "12/s"},
                                                  {4998, "4998/s"},   {9999.4, "9999/s"}, {9999.6, "10.0k/s"},
                                                  {31234, "31.2k/s"}, {103456, "103k/s"}, {2.46e6, "2.5M/s"}};
  for (const auto& [rate, text] : cases) EXPECT_EQ(rateText(rate), text) << rate;
}

TEST(Pace, TheOptionsSetTheCapAndTheReadoutCountsPassesOfTheLastSecond) {
  testing::Scenario sc;
  Game& g = sc.g();
  PacePanel& pace = *g.pace;
  // At start, then after a click on each option in turn (-1: none yet).
  for (const auto& [option, setting, cap] :
       {std::tuple{-1, PacePanel::kWatch, 5000}, {2, 2, 0}, {1, 1, 30000}, {0, 0, 5000}}) {
    SCOPED_TRACE(::testing::Message() << "option " << option);
    if (option >= 0) sc.run("press OpPace(" + std::to_string(option) + ")");
    EXPECT_EQ(pace.setting(), setting);
    EXPECT_TRUE(g.c("OpPace", setting).checked());
    EXPECT_EQ(pace.pacer.cap(), cap);
  }
  EXPECT_THROW(pace.choose(3), GameError);
  EXPECT_EQ(pace.setting(), PacePanel::kWatch);

  // Headless passes ignore the cap; the readout divides the passes by the time between its ticks.
  sc.run("press CDp(3)\nadvance 1000\npasses 7000\nadvance 1000");
  EXPECT_EQ(g.c("LabRate").caption(), "7000/s");
  sc.run("passes 300\nadvance 1000");
  EXPECT_EQ(g.c("LabRate").caption(), "300/s");
  sc.run("advance 1000");
  EXPECT_EQ(g.c("LabRate").caption(), "0/s");
}

}  // namespace
}  // namespace quorl
