// The game: the body table and shared values, the window's controls as data, the timers, the canvases,
// the clock, the random sequence and the program folder, with every subsystem that acts on them.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "io/folder.h"
#include "sim/bodies.h"
#include "sim/clock.h"
#include "sim/random.h"
#include "sim/state.h"
#include "ui/ui.h"

namespace quorl {

class ParamPanel;
class HelpPanel;
class RunControl;
class ClockScore;
class Creation;
class NovaPanel;
class ClassSort;
class OrbitViews;
class MainLoop;
class FocusPanel;
class NameLabels;
class ZoomView;
class Biosphere;
class LaunchPanel;
class PlanetPicture;
class BodyEditor;
class MultipleNova;
class EventLog;
class NameGenerator;

using CanvasFactory = std::function<std::unique_ptr<Canvas>(int widthUnits, int heightUnits, Color background)>;

struct GameOptions {
  std::string dir;          // preferred program folder; empty: the executable's folder
  CanvasFactory canvases;   // empty: headless raster canvases
};

class Game {
 public:
  explicit Game(GameOptions options = {});
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  Ui ui;
  BodyTable b;
  SharedState s;
  Random random;
  Clock clock;
  ProgramFolder folder;

  double Rnd() { return random.rnd(); }
  DateTime now();
  Control& c(const std::string& name) { return ui.at(name); }
  Control& c(const std::string& array, int index) { return ui.at(array + "(" + std::to_string(index) + ")"); }
  Canvas& canvas(const std::string& name) { return *ui.at(name).canvas; }
  // The status line.
  void status(const std::string& text);

  // Creates a drawing area control with its canvas.
  Control& addPicture(const std::string& name, Kind kind, int left, int top, int width, int height, Color bg);
  Control& addArray(const std::string& array, Kind kind, int first, int last);

  // The main loop runs as a pump: superman() starts it (a second call while it runs does nothing),
  // each turn runs one pass, and the pump stops at the end of a pass whose PauseFlag is not empty.
  void superman();
  bool loopRunning() const { return loopRunning_; }
  // One pass and its yield; false once the pump has stopped.
  bool pumpTurn();
  std::function<void()> onPumpStart;  // the Qt layer starts its zero-interval timer here

  // Subsystems.
  std::unique_ptr<EventLog> log;
  std::unique_ptr<NameGenerator> names;
  std::unique_ptr<ParamPanel> params;
  std::unique_ptr<HelpPanel> help;
  std::unique_ptr<RunControl> run;
  std::unique_ptr<ClockScore> clockScore;
  std::unique_ptr<ClassSort> classes;
  std::unique_ptr<Creation> creation;
  std::unique_ptr<NovaPanel> nova;
  std::unique_ptr<OrbitViews> views;
  std::unique_ptr<MainLoop> loop;
  std::unique_ptr<FocusPanel> focus;
  std::unique_ptr<NameLabels> labels;
  std::unique_ptr<ZoomView> zoom;
  std::unique_ptr<Biosphere> bio;
  std::unique_ptr<LaunchPanel> launch;
  std::unique_ptr<PlanetPicture> picture;
  std::unique_ptr<BodyEditor> editor;
  std::unique_ptr<MultipleNova> multiNova;

 private:
  CanvasFactory canvases_;
  bool loopRunning_ = false;
  bool passDone_ = false;  // a pass of this run has ended, so its yield lies behind us
};

}  // namespace quorl
