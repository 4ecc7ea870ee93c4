// Builds the game: the world, every panel in the order they make their controls, the wiring between them,
// then the window's load.
#include "app/game.h"

#include <chrono>

#include "app/clock_score.h"
#include "app/goals_panel.h"
#include "app/help.h"
#include "app/pace.h"
#include "app/params.h"
#include "app/pass_report.h"
#include "app/path_preview.h"
#include "app/preset_press.h"
#include "app/program_start.h"
#include "app/recorder.h"
#include "app/rewind.h"
#include "app/run_control.h"
#include "app/timeline.h"
#include "events/biosphere.h"
#include "events/launch.h"
#include "events/multiple_nova.h"
#include "events/nova.h"
#include "io/event_log.h"
#include "names/names.h"
#include "panels/body_editor.h"
#include "panels/class_sort.h"
#include "panels/focus_panel.h"
#include "sim/main_loop.h"
#include "views/name_labels.h"
#include "views/orbit_views.h"
#include "views/planet_picture.h"
#include "views/zoom_view.h"

namespace quorl {

Game::Game(GameOptions options)
    : World(std::move(options.canvases)),
      folder(ProgramFolder::resolve(options.dir.empty() ? executableDir() : options.dir)) {
  Peers& p = peers_;
  log = std::make_unique<EventLog>(*this, folder);
  names = std::make_unique<NameGenerator>(*this);
  params = std::make_unique<ParamPanel>(*this);
  help = std::make_unique<HelpPanel>(*this);
  run = std::make_unique<RunControl>(*this);
  clockScore = std::make_unique<ClockScore>(*this);
  classes = std::make_unique<ClassSort>(*this);
  presets = std::make_unique<PresetPress>(*this);
  nova = std::make_unique<NovaPanel>(*this, p);
  views = std::make_unique<OrbitViews>(*this, p);
  passReport = std::make_unique<GamePassReport>(*this);
  loop = std::make_unique<MainLoop>(*this, *passReport);
  focus = std::make_unique<FocusPanel>(*this, p);
  labels = std::make_unique<NameLabels>(*this, p);
  zoom = std::make_unique<ZoomView>(*this, p);
  bio = std::make_unique<Biosphere>(*this, p);
  launch = std::make_unique<LaunchPanel>(*this, p);
  picture = std::make_unique<PlanetPicture>(*this, p);
  editor = std::make_unique<BodyEditor>(*this, p);
  multiNova = std::make_unique<MultipleNova>(*this, p);
  pace = std::make_unique<PacePanel>(*this);
  goals = std::make_unique<GoalsPanel>(*this);
  preview = std::make_unique<PathPreview>(*this);
  timeline = std::make_unique<TimelinePanel>(*this);
  p = Peers{log.get(),  names.get(),   classes.get(), focus.get(),     editor.get(), views.get(), labels.get(),
            zoom.get(), picture.get(), nova.get(),    multiNova.get(), bio.get(),    launch.get()};

  views->onClearViews = [this] { help->c.Label13->setVisible(false); };
  editor->tabTip = &params->c.LabTab.get();
  onKey = [this](char ch) { launch->steering.key(ch); };

  outside = options.outside;
  if (options.record.on) {
    recorder_ = std::make_unique<Recorder>(*this, std::move(options.record));
    outside = recorder_.get();
    if (options.rewind.on) {
      rewind_ = std::make_unique<Rewind>(*this, std::move(options.rewind));
      recorder_->onNewFile = [this] {
        rewind_->newFile();
        timeline->withdrawContinue();
      };
      rewind_->onChanged = [this] { timeline->redraw(); };
    }
  }
  ui.fire([this] { programStart(*this); });
  if (!folder.note.empty()) {  // above whatever reading the files said
    const std::string shown = window.Labill->caption();
    status(shown.empty() ? folder.note : folder.note + "\r" + shown);
  }
  if (recorder_) recorder_->started();
}

Game::~Game() {
  // The recording ends while every panel is still there to hash.
  if (recorder_) recorder_->finish();
}

void Game::superman() {
  if (loopRunning_) return;
  loopRunning_ = true;
  passDone_ = false;
  if (rewind_) {
    rewind_->loopStarted();
    keepAt_ = passesRun_ + 1;
  }
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
  ++passesRun_;
  struct Held {
    EventLog& log;
    explicit Held(EventLog& l) : log(l) { log.hold(); }
    ~Held() { log.release(); }
  } held(*log);
  // The pass before each of rewind's looks is timed: what going back costs is counted in pass time.
  const bool timed = passesRun_ >= keepAt_ && !recordingPaused_;
  const auto start = timed ? std::chrono::steady_clock::now() : std::chrono::steady_clock::time_point{};
  ui.fire([this] { loop->pass(); });
  if (!recordingPaused_) {
    if (passesRun_ >= checkAt_) checkAt_ = recorder_->passed();
    if (timed) {
      rewind_->passTook(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count());
      keepAt_ = rewind_->passed();
    }
    preview->passed();
  }
  if (!s.PauseFlag.empty()) loopRunning_ = false;
  return loopRunning_;
}

void Game::keyPress(char ch) {
  if (onKey) ui.fire([this, ch] { onKey(ch); });
}

void Game::lookAgain() {
  checkAt_ = recorder_ ? recorder_->nextLook() : ~std::uint64_t{0};
  if (rewind_) keepAt_ = passesRun_ + 1;
}

bool Game::apply(const Input& in) {
  using K = Input::Kind;
  if (held_ && !(in.control && in.control->outsideGame)) return false;
  Recorder* recorder = recordingPaused_ ? nullptr : recorder_.get();
  if (in.kind == K::Pass) {
    const std::uint64_t before = passesRun_;
    const bool running = loopRunning_;
    const bool on = pumpTurn();
    // A turn that stopped the loop without a pass changes what the next start does: it is recorded.
    if (recorder && running && passesRun_ == before) recorder->stopped();
    return on;
  }
  if (in.kind == K::Tick && !in.control->timerRunning()) return false;
  if (recorder) recorder->before(in);
  // The goals and the path watch the player's game, not the inputs replayed to reach a moment of it.
  if (!recordingPaused_) goals->before(in);
  try {
    switch (in.kind) {
      case K::Press: in.control->press(); break;
      case K::Text: in.control->setText(in.text); break;
      case K::Value: in.control->setValue(in.value); break;
      case K::FocusIn: in.control->gainFocus(); break;
      case K::FocusOut: in.control->loseFocus(); break;
      case K::Key: keyPress(static_cast<char>(in.value)); break;
      case K::Tick: in.control->tick(); break;
      case K::Pass: break;
    }
  } catch (const std::exception& e) {
    // The core reports its own errors; anything else that escapes is shown rather than ending the game.
    status(std::string("Error: ") + e.what());
  }
  if (!recordingPaused_) goals->after(in);
  if (recorder) {
    recorder->after(in);
    checkAt_ = recorder->nextLook();
    if (rewind_) rewind_->afterInput();
  }
  if (!recordingPaused_) preview->applied(in);
  return true;
}

void Game::advance(std::int64_t ms) {
  ui.advance(ms, [this](Control& timer) { apply(Input::tick(timer)); });
}

}  // namespace quorl
