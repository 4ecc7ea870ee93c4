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

namespace quorl {

class ParamPanel;
class HelpPanel;
class RunControl;
class ClockScore;
class PresetPress;
class MainLoop;
class GamePassReport;
class PacePanel;

struct GameOptions {
  std::string dir;         // preferred program folder; empty: the executable's folder
  CanvasFactory canvases;  // empty: headless raster canvases
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

 private:
  Peers peers_;
  bool loopRunning_ = false;
  bool passDone_ = false;  // a pass of this run has ended, so its yield lies behind us
  std::uint64_t passesRun_ = 0;
};

}  // namespace quorl
