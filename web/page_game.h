// The game as the page drives it: the core made with the page's canvases and files, its controls described
// for the page's elements at the window's scale, the page's events turned into inputs, and one display frame
// of timers and passes at a time. The page (web/quorl.js) holds only the elements and their events.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/game.h"
#include "app/path_preview.h"
#include "app/replay_session.h"
#include "app/replayer.h"
#include "app/widget_input.h"
#include "sim/future.h"

namespace quorl {

class PageGame {
 public:
  // The game with its files in `dir` (kept by the page), recorded when `record`.
  PageGame(const std::string& dir, bool record, double dpr);
  // A recording played as the window's --replay plays it: files in a folder of its own, nothing recorded.
  // `error` says why a file cannot be played (then nothing is made).
  static std::unique_ptr<PageGame> replay(const std::string& text, const std::string& dir, double dpr,
                                          std::string& error);
  ~PageGame();

  Game& game() { return *game_; }

  // Every control the page shows, as JSON, at the scale in force; then only those that changed.
  std::string controls();
  std::string changes();
  // The scale that fits the window's content into an area of the page (CSS pixels); fit() also takes it.
  double fitScale(int width, int height) const;
  void setScale(double scale, double dpr);
  double scale() const { return scale_; }

  // A widget event of the page: kind as WidgetEvent::Kind, the control by its index in the registry.
  void event(int kind, int control, const std::string& text, int value, bool elsewhere, bool inTextBox);
  // Whether Return in this box hands the keys to the main view.
  bool handsKeysToMainView(int control);

  // One display frame at `nowMs` (the page's monotonic clock): the timers due, then the passes the pace has
  // due within the frame's budget, then a path when one is wanted.
  void frame(double nowMs);
  // The RGBA pixels of a drawing area when they changed since the last call, else null.
  const std::uint8_t* canvasPixels(int control, int& width, int& height);
  // The path over an orbit view (0 main, 1 edge, 2 side) as JSON, and a count that changes when it may show
  // something new.
  std::string path(int area) const;
  std::uint64_t pathShown() const { return game_->preview->shown(); }

  // The timeline as the window drives it: the pointer at `x` CSS pixels along its bar (pressed or moved),
  // let go, and Ctrl+Z. Rewinding is no input of the game, and a replay's game has no timeline.
  void timelineDrag(double x);
  void timelineRelease();
  void timelineBack();
  // Saves the game to be continued (autosave.qs among the page's files); the page calls it as it goes away.
  void saveGame();

  // The window's title: its caption, and where a replay stands.
  std::string title() const;
  // The recording of this system up to now, as a file that replays to the state now; empty when nothing is
  // recorded (a replay's game).
  std::string recording();
  // The state hash now, and where a replay stopped ("" while one plays or without one).
  std::string hash() const;
  std::string replaySummary() const;
  bool replaying() const { return session_ != nullptr; }

 private:
  PageGame(GameOptions options, double dpr, std::unique_ptr<Replayer> replayer);
  void input(const Input& in);
  void wire();
  void handOver();
  void describe(std::string& out, Control& c, unsigned aspects);
  void runPath(double nowMs);

  double dpr_ = 1, scale_ = 1;
  std::unique_ptr<Replayer> replayer_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<ReplaySession> session_;
  std::string replayEnd_;
  double lastMs_ = -1;
  double pathRestMs_ = 0;
  std::unique_ptr<FutureRun> paths_;
  // What the caption fitting found for a control, kept until its caption, room or font change.
  struct Fit {
    std::string caption;
    double size = 0;
    int roomW = 0, roomH = 0;
    double shown = 0;
    bool fits = true;
  };
  std::unordered_map<const Control*, Fit> fits_;
  std::unordered_map<std::string, double> least_;
  std::unordered_map<const Control*, int> index_;  // the page names controls by their place in the registry
};

}  // namespace quorl
