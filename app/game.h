// The game: the world (controls, body table, shared values, random sequence, clock) with every panel that
// acts on it, wired together, and the main loop's pump.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "io/folder.h"
#include "panels/peers.h"
#include "sim/world.h"
#include "ui/input.h"

namespace quorl {

class ParamPanel;
class HelpPanel;
class RunControl;
class ClockScore;
class PresetPress;
class MainLoop;
class GamePassReport;
class PacePanel;
class GoalsPanel;
class PathPreview;
class Recorder;
class Rewind;
class TimelinePanel;

// How the game records itself into replay.qr beside events.txt (docs/replay.md).
struct RecordOptions {
  bool on = false;
  int keep = 4;                           // earlier systems kept as replay-1.qr ... replay-4.qr
  std::uint64_t checkEvery = 16384;       // passes between state checks, at least
  std::int64_t checkMs = 0;               // and at least this much time, when `clockMs` is given
  std::int64_t flushMs = 0;               // the file is written at least this often, when `clockMs` is given
  std::function<std::int64_t()> clockMs;  // a monotonic clock (the window's); empty: passes alone decide
};

// Rewind (app/rewind.h): snapshots of the recorded system, within a memory budget.
struct RewindOptions {
  bool on = false;                              // only with a recording
  std::size_t budget = std::size_t{256} << 20;  // memory the snapshots may take
  std::function<std::int64_t()> clockMs;        // a monotonic clock; empty: passes at the pace
  std::int64_t mostWorkNs = 30'000'000;         // the most pass time between two snapshots
};

struct GameOptions {
  std::string dir;             // preferred program folder; empty: the executable's folder
  CanvasFactory canvases;      // empty: headless raster canvases
  RecordOptions record{};      // off unless asked
  Outside* outside = nullptr;  // a replay that hands the recorded clock and file reads back
  RewindOptions rewind{};
};

class Game : public World {
 public:
  explicit Game(GameOptions options = {});
  ~Game();

  ProgramFolder folder;

  // A control by its registry name, for tests and the driver; the game itself uses handles.
  Control& c(const std::string& name) { return ui.at(name); }
  Control& c(const std::string& array, int index) { return ui.at(array + "(" + std::to_string(index) + ")"); }
  Canvas& canvas(const std::string& name) { return *ui.at(name).canvas; }

  // The main loop runs as a pump: superman() starts it (a second call while it runs does nothing),
  // each turn runs one pass, and the pump stops at the end of a pass whose PauseFlag is not empty.
  void superman();
  bool loopRunning() const { return loopRunning_; }
  // One pass and its yield; false once the pump has stopped.
  bool pumpTurn();
  std::function<void()> onPumpStart;  // the Qt layer starts its zero-interval timer here
  // Passes run since the game was made (the pace's readout counts them).
  std::uint64_t passesRun() const { return passesRun_; }

  // A key press with character ch on the main window.
  void keyPress(char ch);
  std::function<void(char)> onKey;  // the steering sets this

  // Where everything from outside enters the game: the window, the driver and a replay all come here, so a
  // recording sees every input in order. An error is shown in the status line and the game goes on.
  // A pass input is one turn of the pump (false once it has stopped); a tick of a stopped timer is nothing.
  bool apply(const Input& in);
  // Virtual time moves on `ms` milliseconds; each due timer's tick is an input.
  void advance(std::int64_t ms);
  // The main loop's pump state, for a replay's starting state.
  bool passDone() const { return passDone_; }
  void restoreLoop(bool running, bool passDone) { loopRunning_ = running, passDone_ = passDone; }
  void setPassesRun(std::uint64_t n) { passesRun_ = n; }
  // The recording, when the game keeps one.
  Recorder* recorder() { return recorder_.get(); }
  Rewind* rewind() { return rewind_.get(); }
  // Held, the game takes no input and runs no pass (rewind shows a moment this way).
  void hold(bool on) { held_ = on; }
  bool held() const { return held_; }
  // Inputs replayed into the game to reach a moment of its own recording are not recorded again, and the
  // passes on the way draw nothing (the views are drawn afresh at the moment).
  void pauseRecording(bool on) { recordingPaused_ = on; }
  bool recordingPaused() const { return recordingPaused_; }
  // The pass count moved under the recording (a rewind): it and the snapshots look again from here.
  void lookAgain();

  // Subsystems, in the order they make their controls.
  std::unique_ptr<EventLog> log;
  std::unique_ptr<NameGenerator> names;
  std::unique_ptr<ParamPanel> params;
  std::unique_ptr<HelpPanel> help;
  std::unique_ptr<RunControl> run;
  std::unique_ptr<ClockScore> clockScore;
  std::unique_ptr<ClassSort> classes;
  std::unique_ptr<PresetPress> presets;
  std::unique_ptr<NovaPanel> nova;
  std::unique_ptr<OrbitViews> views;
  std::unique_ptr<GamePassReport> passReport;
  std::unique_ptr<MainLoop> loop;
  std::unique_ptr<FocusPanel> focus;
  std::unique_ptr<NameLabels> labels;
  std::unique_ptr<ZoomView> zoom;
  std::unique_ptr<Biosphere> bio;
  std::unique_ptr<LaunchPanel> launch;
  std::unique_ptr<PlanetPicture> picture;
  std::unique_ptr<BodyEditor> editor;
  std::unique_ptr<MultipleNova> multiNova;
  std::unique_ptr<PacePanel> pace;
  std::unique_ptr<GoalsPanel> goals;  // only watches the game
  std::unique_ptr<PathPreview> preview;
  std::unique_ptr<TimelinePanel> timeline;

 private:
  Peers peers_;
  std::unique_ptr<Recorder> recorder_;
  std::unique_ptr<Rewind> rewind_;
  std::uint64_t keepAt_ = ~std::uint64_t{0};  // the pass at which rewind looks whether to keep a snapshot
  bool held_ = false, recordingPaused_ = false;
  std::uint64_t checkAt_ = ~std::uint64_t{0};  // the pass at which the recording looks whether to check
  bool loopRunning_ = false;
  bool passDone_ = false;  // a pass of this run has ended, so its yield lies behind us
  std::uint64_t passesRun_ = 0;
};

}  // namespace quorl
