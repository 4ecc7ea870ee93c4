// The future of one body: a copy of the whole world run ahead, pass by pass, in a world of its own. The
// core is deterministic, so with no input between, the live game's passes put the body exactly where the
// copy did.
#pragma once
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "sim/world_state.h"

namespace quorl {

class World;
class MainLoop;

// What a run is asked.
struct FutureAsk {
  int body = 0;         // the body followed
  int passes = 30000;   // at most this many passes ahead
  bool oneTurn = true;  // end once the body has gone once round body 2
  // A change made to the copy before its first pass, as an input would make it now (an aimed launch).
  std::function<void(World&)> change;
  // The run ends at this moment (or when `stop` is set) and says how far it got.
  std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
  const std::atomic<bool>* stop = nullptr;
};

// One fusion of the followed body. Passes count from 1, the first pass ahead.
struct FutureFusion {
  int pass = 0;
  int partner = 0;
  bool absorbed = false;  // true: the body was absorbed by its partner; false: it absorbed the partner
};

struct Future {
  // Absent: no such body to follow; Failed: the game's own pass fails there too (an overflow).
  enum class End { Absent, Length, Turn, Absorbed, Left, Deadline, Failed };
  int body = -1;
  int passes = 0;  // passes run
  End end = End::Absent;
  // The body's position after each pass (entry k after pass k + 1), exactly as the game will have it.
  std::vector<double> x, y, z;
  std::vector<FutureFusion> fusions;  // in order; after one that absorbed the body there is none
  int leavesAt = 0;                   // the pass that takes it out of the field; 0: none within the run
  // At the last pass: unbound from body 2 and moving away from it (the course leaves the system later).
  bool unbound = false;

  bool escapes() const { return leavesAt > 0 || unbound; }
};

class FutureRun {
 public:
  FutureRun();
  ~FutureRun();
  FutureRun(const FutureRun&) = delete;
  FutureRun& operator=(const FutureRun&) = delete;

  // The gravity threads of the copy's passes (1 on a worker beside the game's own passes).
  void setThreads(int n);
  // Puts `state` into the copy, makes the asked change, and runs passes until the body is absorbed,
  // leaves the field, completes its turn, or the length or the deadline is reached.
  Future run(const WorldState& state, const FutureAsk& ask);

 private:
  class Watch;
  std::unique_ptr<World> world_;
  std::unique_ptr<Watch> watch_;
  std::unique_ptr<MainLoop> loop_;
};

}  // namespace quorl
