// The window's loop against the bare loop: the same system (preset 3, seed 33333, with 17 and with 3333
// planets) runs headless for a while, then in the window at Max until it has run as many passes, every
// view drawing and every timer running. A thread posts events at odd moments meanwhile, as clicks come,
// and their wait for the event loop is the pump's response time. Then the window at Watch: its rate and
// the processor time it takes. Then the window at Max with and without its recording, by turns; last, at
// Watch and at Max with the path preview of the selected planet on and off, by turns.
#include "app/qt/window_bench.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <thread>

#include "app/game.h"
#include "app/pace.h"
#include "app/path_preview.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"
#include "app/qt/settings.h"

namespace quorl {

namespace {

using Steady = std::chrono::steady_clock;

struct Case {
  const char* name;
  int planets;
  double headlessSeconds;
};
constexpr Case kCases[] = {{"preset 3, 17 planets", 17, 2.0}, {"preset 3, 3333 planets", 3333, 4.0}};

void build(Game& g, int planets) {
  g.c("TXran").setText("33333");
  Control& box = g.c("TXplanets");
  box.setText(std::to_string(planets));
  box.loseFocus();
}

double since(Steady::time_point t) { return std::chrono::duration<double>(Steady::now() - t).count(); }

double cpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec * 1e-9;
}

double threadSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec * 1e-9;
}

std::string loadAverage() {
  std::ifstream f("/proc/loadavg");
  std::string a, b, c;
  f >> a >> b >> c;
  return a.empty() ? "unknown" : a + " " + b + " " + c;
}

// Events posted from another thread at odd moments; each records how long it waited to be handled.
class Probe : public QObject {
 public:
  struct Stamp : QEvent {
    explicit Stamp(Steady::time_point t) : QEvent(QEvent::User), at(t) {}
    Steady::time_point at;
  };
  Probe() {
    poster_ = std::thread([this] {
      unsigned step = 0;
      while (!stop_) {
        std::this_thread::sleep_for(std::chrono::microseconds(20'000 + (step++ * 7919) % 17'000));
        QCoreApplication::postEvent(this, new Stamp(Steady::now()));
      }
    });
  }
  ~Probe() override {
    stop_ = true;
    poster_.join();
    QCoreApplication::removePostedEvents(this);
  }
  void reset() { count_ = 0, total_ = 0, worst_ = 0; }
  double worstMs() const { return worst_ * 1e3; }
  double meanMs() const { return count_ ? total_ / count_ * 1e3 : 0; }

 protected:
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    const double wait = std::chrono::duration<double>(Steady::now() - static_cast<Stamp*>(e)->at).count();
    ++count_, total_ += wait, worst_ = std::max(worst_, wait);
    return true;
  }

 private:
  std::atomic<bool> stop_{false};
  std::thread poster_;
  int count_ = 0;
  double total_ = 0, worst_ = 0;
};

// The game is large: it lives on the heap.
struct WindowRun {
  std::unique_ptr<Game> owned;
  Game& game;
  QuorlWindow window;
  explicit WindowRun(const std::string& d, bool record = false)
      : owned(std::make_unique<Game>(options(d, record))), game(*owned), window(game) {
    // Today's full size, whatever the platform's screen: the drawing costs what it costs at 1920x1080.
    window.setScale(1.0);
    window.resize(window.contentSize());
    window.show();
    QApplication::processEvents();
  }
  static GameOptions options(const std::string& d, bool record) {
    GameOptions o;
    o.dir = d;
    o.canvases = qtCanvasFactory();
    if (record) o.record = windowRecording();
    return o;
  }
  void start(int planets, int setting) {
    game.pace->choose(setting);
    build(game, planets);
    static_cast<QPushButton*>(window.widgetFor("CDp(3)"))->click();
  }
};

// The event loop as the game runs it (it sleeps when nothing is due), looked in on every few milliseconds.
void runUntil(const std::function<bool()>& done, double seconds) {
  const auto t0 = Steady::now();
  QEventLoop loop;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, &loop, [&] {
    if (done() || since(t0) >= seconds) loop.quit();
  });
  look.start(5);
  loop.exec();
}

char line[256];

}  // namespace

int runWindowBench(std::ostream& out) {
  QTemporaryDir tmp;
  if (!tmp.isValid()) return 1;
  out << "window bench: platform " << QGuiApplication::platformName().toStdString() << ", load average "
      << loadAverage() << ", passes a second\n";
  Probe probe;
  for (const Case& k : kCases) {
    const std::string dir = QDir(tmp.path()).filePath(QString::number(k.planets)).toStdString();
    QDir().mkpath(QString::fromStdString(dir));

    const auto owned = std::make_unique<Game>(GameOptions{dir, {}});
    Game& bare = *owned;
    build(bare, k.planets);
    bare.c("CDp(3)").press();
    const std::uint64_t from = bare.passesRun();
    auto t0 = Steady::now();
    while (since(t0) < k.headlessSeconds) bare.pumpTurn();
    const std::uint64_t passes = bare.passesRun() - from;
    const double headless = passes / since(t0);

    const auto run = std::make_unique<WindowRun>(dir);
    run->start(k.planets, PacePanel::kMax);
    const std::uint64_t start = run->game.passesRun();
    probe.reset();
    t0 = Steady::now();
    runUntil([&] { return run->game.passesRun() - start >= passes; }, k.headlessSeconds * 4);
    const double window = (run->game.passesRun() - start) / since(t0);
    std::snprintf(line, sizeof line,
                  "%-24s headless=%.0f window=%.0f of_headless=%.2f event_wait_ms mean=%.2f worst=%.1f\n", k.name,
                  headless, window, window / headless, probe.meanMs(), probe.worstMs());
    out << line;
  }

  // At Watch the pump sleeps between passes: the rate holds at the cap and the processor is mostly idle.
  const std::string dir = QDir(tmp.path()).filePath(QStringLiteral("watch")).toStdString();
  QDir().mkpath(QString::fromStdString(dir));
  const auto run = std::make_unique<WindowRun>(dir);
  run->start(17, PacePanel::kWatch);
  runUntil([] { return false; }, 0.5);
  const std::uint64_t start = run->game.passesRun();
  probe.reset();
  const double cpu0 = cpuSeconds();
  const auto t0 = Steady::now();
  runUntil([] { return false; }, 3.0);
  const double seconds = since(t0);
  std::snprintf(line, sizeof line, "%-24s window=%.0f cap=%d cpu=%.0f%% event_wait_ms mean=%.2f worst=%.1f\n",
                "preset 3 at Watch", (run->game.passesRun() - start) / seconds, PacePanel::kCaps[PacePanel::kWatch],
                (cpuSeconds() - cpu0) / seconds * 100, probe.meanMs(), probe.worstMs());
  out << line;

  // The recording's cost: the same system at Max, recorded and not, by turns so that the machine's load
  // falls on both alike.
  double rate[2] = {0, 0};
  constexpr int kTurns = 3;
  constexpr double kSeconds = 2.0;
  for (int turn = 0; turn < 2 * kTurns; ++turn) {
    const bool record = turn % 2 == 1;
    const std::string d = QDir(tmp.path()).filePath(QStringLiteral("rec%1").arg(turn)).toStdString();
    QDir().mkpath(QString::fromStdString(d));
    const auto r = std::make_unique<WindowRun>(d, record);
    r->start(17, PacePanel::kMax);
    runUntil([] { return false; }, 0.3);
    const std::uint64_t from = r->game.passesRun();
    const auto at = Steady::now();
    runUntil([] { return false; }, kSeconds);
    rate[record] += (r->game.passesRun() - from) / since(at) / kTurns;
  }
  std::snprintf(line, sizeof line, "%-24s unrecorded=%.0f recorded=%.0f cost=%.2f%% load average %s\n",
                "preset 3 at Max", rate[0], rate[1], (1 - rate[1] / rate[0]) * 100, loadAverage().c_str());
  out << line;

  // The path preview's cost: the selected planet's path on (computed on its worker as the planet moves on,
  // drawn over three views) and off, by turns, at each pace.
  for (const int setting : {PacePanel::kWatch, PacePanel::kMax}) {
    double passes[2] = {0, 0}, paths = 0, threadUs[2] = {0, 0};
    for (int turn = 0; turn < 2 * kTurns; ++turn) {
      const bool on = turn % 2 == 1;
      const std::string d = QDir(tmp.path()).filePath(QStringLiteral("path%1%2").arg(setting).arg(turn)).toStdString();
      QDir().mkpath(QString::fromStdString(d));
      const auto r = std::make_unique<WindowRun>(d);
      r->start(17, setting);
      runUntil([] { return false; }, 0.3);
      if (on) static_cast<QAbstractButton*>(r->window.widgetFor("ChPath"))->click();
      const std::uint64_t from = r->game.passesRun(), shown = r->game.preview->shown();
      const double thread0 = threadSeconds();
      const auto at = Steady::now();
      runUntil([] { return false; }, kSeconds);
      const double s = since(at);
      passes[on] += (r->game.passesRun() - from) / s / kTurns;
      threadUs[on] += (threadSeconds() - thread0) * 1e6 / static_cast<double>(r->game.passesRun() - from) / kTurns;
      if (on) paths += (r->game.preview->shown() - shown) / s / kTurns;
    }
    // The window's own thread per pass (its processor time, whatever else the machine runs) tells the
    // preview's cost to the game apart from the load of the machine.
    std::snprintf(line, sizeof line,
                  "%-24s path_off=%.0f path_on=%.0f cost=%.2f%% window_thread_us_a_pass off=%.2f on=%.2f paths=%.1f/s "
                  "load average %s\n",
                  setting == PacePanel::kWatch ? "preset 3 at Watch" : "preset 3 at Max", passes[0], passes[1],
                  (1 - passes[1] / passes[0]) * 100, threadUs[0], threadUs[1], paths, loadAverage().c_str());
    out << line;
  }
  return 0;
}

}  // namespace quorl
