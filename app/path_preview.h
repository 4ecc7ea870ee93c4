// The path preview: where the selected body will go (or the craft the launch panel would launch now), as
// the exact future of a copy of the world, with what it meets on the way: an impact, or the way out of
// the system. What the player sees of the future, not part of the game: its controls are the player's,
// and nothing it does reaches the game's state, its random sequence, events.txt or the replay.
//
// The panel decides when a new path is wanted and hands out the job; who runs it decides where: the
// window on a worker thread with a time budget, the driver and the tests at once and whole (refresh). A
// program that plays headless reads it as a player reads the screen: refresh(), then path() from next()
// on, impact(), and the text of LabPath; it aims by moving the launch panel's bars like anyone else.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "events/launch.h"
#include "sim/future.h"
#include "ui/control_table.h"
#include "views/orbit_views.h"

namespace quorl {

class Game;
struct Input;

class PathPreview {
 public:
  explicit PathPreview(Game& g);
  ~PathPreview();

  struct Controls {
    Handle ChPath;   // "Path": on for craft, comets and an aimed launch, off for worlds, until the player says
    Handle LabPath;  // what the path meets, at the right end of the status line
  } c;

  static constexpr int kLength = 30000;  // the longest path, in passes (one turn round the star ends it sooner)
  static constexpr int kBudgetMs = 250;  // a worker's time for one path in the window

  // A path to compute: the world as it is now, and what to ask of its copy. The world is kept on the heap
  // (its shared values alone are a third of a megabyte): a job moves cheaply to a worker.
  struct Job {
    std::unique_ptr<WorldState> state;
    FutureAsk ask;
    std::uint64_t from = 0;  // the game's passes when the world was taken
    bool aimed = false;      // the craft a launch would start, not the selected body
    std::uint64_t subject = 0;
  };

  // A new path is wanted: the box is on and something changed since the last one was taken, or the game
  // has run through a tenth of it. Urgent: for something else than the run (an input, a new selection,
  // a body that left the path): a window computes these at once and may space out the others.
  bool wanted() const { return (due_ || travelled_) && on(); }
  bool urgent() const { return due_ && on(); }
  // Takes the world now for a new path; the caller runs the job, here or elsewhere.
  Job job();
  // A computed path comes back (one for a selection since left is dropped).
  void deliver(const Job& job, Future future);
  // Computes a wanted path at once and in full (no time budget): the driver, the tests, a player program.
  void refresh();

  // From the game: after every input but a pass, and after every pass.
  void applied(const Input& in);
  void passed();

  bool on() const { return c.ChPath->checked(); }
  // The path shown: an aimed launch's from its start, the selected body's from where the game is now.
  const Future& path() const { return path_; }
  bool aimed() const { return aimed_; }
  // The game's passes when the world of the path shown was taken.
  std::uint64_t from() const { return from_; }
  // The entry of path().x/y/z the body reaches with the game's next pass: the passes the game has run
  // along the path (always 0 for an aimed launch, whose path starts when the launch is made).
  int next() const;
  // The first fusion still ahead, or null.
  const FutureFusion* impact() const;

  // The dots of the path in an orbit view (window units of the area), from where the game is now, with a
  // mark at the impact ahead and, for a path that leaves the system, where it leaves the area.
  struct Overlay {
    std::vector<float> u, v;
    bool escape = false, aimed = false;
    bool impact = false, exit = false;
    float impactU = 0, impactV = 0, exitU = 0, exitV = 0;
  };
  Overlay overlay(OrbitViews::Area area) const;
  // Changes whenever the overlay may show something else while the game stands still.
  std::uint64_t shown() const { return shown_; }
  // The driver's report: one "path.property=value" line each, then the label.
  std::string summary() const;

 private:
  struct Subject {
    int body = -1;
    bool aimed = false;
    int system = -1;  // the systems built so far: a new one is a new selection too
    bool operator==(const Subject&) const = default;
  };
  void follow();
  void setBox(bool on);
  void clear();
  void showText();
  std::string text() const;
  std::string inSeconds(int passes) const;
  // Tenths of a second at the pace to the impact or the leaving ahead (-1: none): the text follows it.
  long long countdown() const;

  Game& g_;
  bool due_ = true, travelled_ = false, settingBox_ = false;
  Subject subject_;
  std::uint64_t subjectSerial_ = 0;
  int aimRow_ = -1;
  LaunchAim aim_{};
  int worlds_ = -1;  // NewWorldCount: a nova or a launch

  Future path_;
  std::uint64_t from_ = 0;
  bool aimed_ = false;
  std::array<int, 3> exitAt_{};  // by area: the last entry inside it of a path that leaves the system
  std::uint64_t shown_ = 0;
  long long textKey_ = -2;
  std::unique_ptr<FutureRun> engine_;  // refresh's own, made at its first use
};

}  // namespace quorl
