// Builds the game: the window's surface and status line, every subsystem, then the window's load.
#include "app/game.h"

#include "app/clock_score.h"
#include "app/help.h"
#include "app/params.h"
#include "app/run_control.h"
#include "events/biosphere.h"
#include "events/launch.h"
#include "events/multiple_nova.h"
#include "events/nova.h"
#include "io/event_log.h"
#include "names/names.h"
#include "panels/body_editor.h"
#include "panels/class_sort.h"
#include "panels/focus_panel.h"
#include "sim/creation.h"
#include "sim/main_loop.h"
#include "views/name_labels.h"
#include "views/orbit_views.h"
#include "views/planet_picture.h"
#include "views/zoom_view.h"

namespace quorl {

Game::Game(GameOptions options) : canvases_(std::move(options.canvases)) {
  if (!canvases_)
    canvases_ = [](int w, int h, Color bg) { return std::make_unique<RasterCanvas>(w, h, bg); };
  folder = ProgramFolder::resolve(options.dir.empty() ? executableDir() : options.dir);

  // The window's own surface is the main orbit view.
  Control& form = addPicture("Quorl", Kind::Form, 0, 0, 15360, 11520, rgb(0, 0, 0));
  form.caption = "Quorl";
  form.fontName = "Georgia";
  form.fontSize = 12;
  Control& status = ui.add("Labill", Kind::Label);
  status.caption = "^  Select Supernova ^";
  ui.report = [this](const std::string& message) { this->status(message); };

  log = std::make_unique<EventLog>(*this);
  names = std::make_unique<NameGenerator>(*this);
  params = std::make_unique<ParamPanel>(*this);
  help = std::make_unique<HelpPanel>(*this);
  run = std::make_unique<RunControl>(*this);
  clockScore = std::make_unique<ClockScore>(*this);
  classes = std::make_unique<ClassSort>(*this);
  creation = std::make_unique<Creation>(*this);
  nova = std::make_unique<NovaPanel>(*this);
  views = std::make_unique<OrbitViews>(*this);
  loop = std::make_unique<MainLoop>(*this);
  focus = std::make_unique<FocusPanel>(*this);
  labels = std::make_unique<NameLabels>(*this);
  zoom = std::make_unique<ZoomView>(*this);
  bio = std::make_unique<Biosphere>(*this);
  launch = std::make_unique<LaunchPanel>(*this);
  picture = std::make_unique<PlanetPicture>(*this);
  editor = std::make_unique<BodyEditor>(*this);
  multiNova = std::make_unique<MultipleNova>(*this);

  ui.fire([this] { params->programStart(); });
  if (folder.fellBack) this->status("Program folder is read-only; files are kept in " + folder.dir);
}

Game::~Game() = default;

DateTime Game::now() {
  clock.setVirtualNow(ui.now());
  return clock.now();
}

void Game::status(const std::string& text) { ui.at("Labill").caption = text; }

Control& Game::addPicture(const std::string& name, Kind kind, int left, int top, int width, int height, Color bg) {
  Control& c = ui.add(name, kind);
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.back = bg;
  c.canvas = canvases_(width, height, bg);
  return c;
}

Control& Game::addArray(const std::string& array, Kind kind, int first, int last) {
  Control* firstControl = nullptr;
  for (int i = first; i <= last; ++i) {
    Control& c = ui.add(array + "(" + std::to_string(i) + ")", kind);
    if (kind == Kind::Option) c.group = array;
    if (!firstControl) firstControl = &c;
  }
  return *firstControl;
}

void Game::superman() {
  if (loopRunning_) return;
  loopRunning_ = true;
  passDone_ = false;
  if (onPumpStart) onPumpStart();
}

bool Game::pumpTurn() {
  if (!loopRunning_) return false;
  // A turn follows the yield of the previous pass (pending events ran between two turns), and the loop
  // tests PauseFlag after its yield: a pause asked there ends the loop before another pass. A loop
  // started with the flag already set still runs its one pass.
  if (passDone_ && !s.PauseFlag.empty()) {
    loopRunning_ = false;
    return false;
  }
  passDone_ = true;  // set first, so that even a pass that fails is followed by the test
  ui.fire([this] { loop->pass(); });
  if (!s.PauseFlag.empty()) loopRunning_ = false;
  return loopRunning_;
}

}  // namespace quorl
