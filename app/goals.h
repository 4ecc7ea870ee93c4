// The milestones of a game, and which of them the player has reached: a list of achievements kept for all
// time (reached once, kept until the player resets them), written as a small text for the per-user record.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quorl {

struct Milestone {
  const char* id;    // stable: the record and the autoplay name a milestone by it
  const char* text;  // what the player reaches
  const char* hint;  // one line: how to reach it
};

// The milestones, in the order of a game; milestones() lists them in this order.
enum Goal : int {
  kGoalSystem,
  kGoalSelected,
  kGoalAir,
  kGoalWater,
  kGoalLife,
  kGoalLaunch,
  kGoalCarried,
  kGoalCelestial,
  kGoalFabricate,
  kGoalSublimate,
  kGoalDecimate,
  kGoalNova,
  kGoalBest,
  kGoalCount
};

const std::vector<Milestone>& milestones();
// The index of a milestone by its id; -1 for none.
int milestoneIndex(const std::string& id);

class Goals {
 public:
  struct Mark {
    bool reached = false;
    double seconds = 0;        // of play, when reached
    std::uint64_t passes = 0;  // of the main loop, when reached
    bool earlier = false;      // reached in an earlier run of the program (read from the record)
  };

  Goals();
  const Mark& mark(int i) const { return marks_.at(i); }
  bool reached(int i) const { return marks_.at(i).reached; }
  int count() const;
  // Marks milestone i reached now; false when it already was.
  bool reach(int i, double seconds, std::uint64_t passes);
  void reset();

  // The record: one line "id seconds passes" a reached milestone. Lines for milestones this program does
  // not know (a newer one wrote them) are kept and written back as they were.
  std::string record() const;
  // Reads a record over a fresh list; lines that do not read are skipped. False when any was.
  bool restore(const std::string& text);

 private:
  std::vector<Mark> marks_;
  std::vector<std::string> foreign_;
};

}  // namespace quorl
