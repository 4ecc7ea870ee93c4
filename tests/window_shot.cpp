// The real window on an X server: a system is built and paused, a world of the planet strip is given
// craters, air and water and its neighbour is made a starship; then the screen is grabbed and the strip,
// the editor band and the help text are looked for in its pixels; a long number is shown whole in the box the
// player is in. Then the about window replaces the main window and its "--" ends the program. Writes
// OUT-main.png, OUT-editor.png and OUT-about.png for a person to see.
// With "fit": the window as it opens on this screen, whole and without scroll bars, with the goals panel
// of a very first run over the sky, then a preset's bodies drawn in the main view and the goals it ticked;
// every text of the window at least 9 device pixels high. Writes OUT-fit-WxH.png, OUT-goals-first-WxH.png
// and OUT-goals-WxH.png. With "path": the path preview over the main view, of an
// aimed launch, of the starship launched, of the same starship pushed onto an escape course, and of a
// world that will be swallowed; writes OUT-aim-WxH.png, OUT-craft-WxH.png, OUT-escape-WxH.png and
// OUT-impact-WxH.png. With "timeline": a recorded system played for a few seconds, then the timeline
// dragged back to a third of it and held there; writes OUT-timeline-WxH.png.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "app/game.h"
#include "app/goals_panel.h"
#include "app/path_preview.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"
#include "app/qt/settings.h"
#include "app/rewind.h"
#include "app/timeline.h"
#include "cli/driver.h"
#include "tests/qt_wait.h"
#include "tests/scenario.h"

namespace {

using namespace quorl;
using testing::runFor;
using testing::waitFor;

int failures = 0;
void check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
  failures += ok ? 0 : 1;
}

QImage grabScreen(QWidget& w) { return QGuiApplication::primaryScreen()->grabWindow(w.winId()).toImage(); }

// Pixels of exactly colour c inside a rectangle of window units, relative to an area's top left.
int pixels(const QImage& shot, QPoint origin, QRect units, Color c, int blueFrom = -1) {
  int n = 0;
  const QRect r(origin.x() + units.x() / 15, origin.y() + units.y() / 15, units.width() / 15, units.height() / 15);
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      if (!shot.rect().contains(x, y)) continue;
      const QRgb p = shot.pixel(x, y);
      const bool blue = blueFrom >= 0 ? qBlue(p) >= blueFrom : qBlue(p) == c.b;
      n += qRed(p) == c.r && qGreen(p) == c.g && blue;
    }
  return n;
}

bool inside(const QRect& screen, QWidget* w) { return screen.contains(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())); }

// Every caption, name, number and legend, shown or not: a line of the widget's own font, and of each text a
// drawing area printed, at least 9 device pixels high at the window's scale (the font's line, unrounded).
void legible(Game& g, QuorlWindow& window) {
  const qreal dpr = window.devicePixelRatioF();
  std::string small;
  int texts = 0;
  for (const Control& c : g.ui.all()) {
    QWidget* w = window.widgetFor(c.name);
    if (!w) continue;
    double high = 0;
    switch (c.kind) {
      case Kind::Label:
      case Kind::Button:
      case Kind::CheckBox:
      case Kind::Option:
      case Kind::Frame:
      case Kind::TextBox: high = QFontMetricsF(w->font()).height() * dpr; break;
      default:
        if (auto* canvas = dynamic_cast<QtCanvas*>(c.canvas.get())) high = canvas->smallestText();
    }
    texts += high > 0;
    if (high > 0 && high < 9) {
      char text[32];
      std::snprintf(text, sizeof text, "=%.2f", high);
      small += " " + c.name + text;
    }
  }
  std::printf("%d texts at scale %.3f\n", texts, window.scale());
  check(small.empty(), "every text at least 9 device pixels high" + (small.empty() ? std::string() : ", but:" + small));
}

void saveShot(const std::string& path) {
  QGuiApplication::primaryScreen()->grabWindow(0).toImage().save(QString::fromStdString(path));
}

// The window on this screen, as a player first sees it, then a preset running at the default pace.
int fit(Game& g, QuorlWindow& window, const std::string& out) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const bool roomy = screen.width() >= 1920 && screen.height() >= 1080;
  check(screen.contains(window.frameGeometry()), "the whole window on the screen");
  auto* scroll = window.findChild<QScrollArea*>();
  check(scroll && !scroll->horizontalScrollBar()->isVisible() && !scroll->verticalScrollBar()->isVisible(),
        "no scroll bars");
  check(roomy ? window.scale() == 1.0 : window.scale() < 1.0, "today's size on a large screen, smaller on a small one");
  for (const char* name : {"Quorl", "Labill", "FraMoon", "PicSide", "PicWorld", "CDp(10)", "FraLif", "FraGoals"})
    check(inside(screen, window.widgetFor(name)), std::string(name) + " on the screen");
  const std::string size = std::to_string(screen.width()) + "x" + std::to_string(screen.height());

  // The very first run: the goals over the sky, nothing reached yet.
  check(window.widgetFor("FraGoals")->isVisible(), "the goals shown by themselves on the first run");
  runFor(300);
  saveShot(out + "-goals-first-" + size + ".png");
  legible(g, window);
  static_cast<QPushButton*>(window.widgetFor("CmdGoalsClose"))->click();
  check(!window.widgetFor("FraGoals")->isVisible(), "Close takes the goals away");

  static_cast<QPushButton*>(window.widgetFor("CDp(3)"))->click();
  // The folded panels open, so that the picture shows all there is to read.
  for (const char* panel : {"FraLif", "FraCosmo", "Frame4"}) g.apply(Input::press(g.c(panel)));
  runFor(2000);
  window.syncNow();
  window.repaint();
  runFor(100);
  const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
  shot.save(QString::fromStdString(out + "-fit-" + size + ".png"));
  std::set<QRgb> colours;
  for (int i = 3; i <= g.s.BodyCount; ++i)
    if (!g.b.Gone[i]) colours.insert(qRgb(g.b.ColorR[i], g.b.ColorG[i], g.b.ColorB[i]));
  // The grab counts device pixels.
  QWidget* view = window.widgetFor("Quorl");
  const qreal k = shot.devicePixelRatio();
  const QRect r(view->mapToGlobal(QPoint(0, 0)) * k, view->size() * k);
  int drawn = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      drawn += shot.rect().contains(x, y) && colours.count(shot.pixel(x, y) | 0xff000000u);
  std::printf("%d pixels in the colours of %zu bodies\n", drawn, colours.size());
  check(drawn > 200, "bodies drawn in the main view");

  // The goals again from beside Help, with what the game has reached ticked: a probe selects a world.
  static_cast<QPushButton*>(window.widgetFor("CmdMars(0)"))->click();
  static_cast<QPushButton*>(window.widgetFor("CmdGoals"))->click();
  window.syncNow();
  runFor(300);
  saveShot(out + "-goals-" + size + ".png");
  check(g.goals->goals().reached(kGoalSystem) && window.widgetFor("FraGoals")->isVisible(),
        "the goals open beside Help with the system built ticked");
  legible(g, window);
  return failures ? 1 : 0;
}

// The scene of tests/scripts/path_escape.qs, running at Watch pace: each path is computed on the worker and
// drawn over the main view in its colour (gold aimed, light for a closed course, red for an escape).
int paths(Game& g, QuorlWindow& window, const std::string& out) {
  const auto run = [&](const std::string& script) {
    std::istringstream in(script);
    std::ostringstream printed, errors;
    check(runScript(g, in, printed, errors) == 0, "the scene: " + errors.str());
  };
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const std::string size = std::to_string(screen.width()) + "x" + std::to_string(screen.height());
  const auto look = [&](const char* name, QRgb colour) {
    // A path taken after the scene was set: one on its way before comes back first.
    const std::uint64_t set = g.passesRun();
    const bool computed =
        waitFor([&] { return !g.preview->wanted() && g.preview->from() >= set && g.preview->path().passes > 0; }, 5000);
    check(computed, std::string(name) + ": a path computed on the worker");
    runFor(150);
    window.syncNow();
    window.repaint();
    runFor(100);
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    shot.save(QString::fromStdString(out + "-" + name + "-" + size + ".png"));
    // The main view, the edge view and the side view (the latter two lie over the former).
    const qreal k = shot.devicePixelRatio();
    QRegion views;
    for (const char* area : {"Quorl", "PiZX", "PiZY"}) {
      QWidget* view = window.widgetFor(area);
      views += QRect(view->mapToGlobal(QPoint(0, 0)) * k, view->size() * k);
    }
    int dots = 0;
    for (const QRect& r : views)
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) dots += shot.rect().contains(x, y) && shot.pixel(x, y) == colour;
    std::printf("%s: %d pixels of the path\n", name, dots);
    check(dots > 100, std::string(name) + ": the path drawn over the orbit views");
    std::printf("%s: %s\n", name, g.preview->c.LabPath->caption().c_str());
  };
  run("clock 2026-01-01 10:00:00\ntype TXran 33333\npress CDp(5)\npasses 200\npress CmdMars(1)\nput Orbits 20\n"
      "tick TimWheel\nset ScrAngle 1571\ntick TimWheel\n");
  look("aim", qRgb(255, 214, 110));
  run("press Command12\nset Hcelest 51\n");
  look("craft", qRgb(170, 225, 255));
  run("key d\nkey d\nkey d\nkey d\nkey d\nkey c\n");
  look("escape", qRgb(255, 70, 70));
  // A busy machine may cut the path short, which a second line says.
  check(g.preview->c.LabPath->caption().rfind("On an escape course: brake with s", 0) == 0,
        "the warning beside the status line");
  // A world that another will swallow some 11775 passes on: its path ends in a ring.
  run("type TXran 33333\ntype TXplanets 30\nleave TXplanets\npress CDp(3)\npasses 300\nset Hcelest 11\n"
      "press ChPath\n");
  look("impact", qRgb(170, 225, 255));
  check(g.preview->c.LabPath->caption().rfind("impact in ", 0) == 0, "the impact beside the status line");
  return failures ? 1 : 0;
}

// The timeline as the player drags it: the mouse pressed a third of the way along the bar shows the system
// as it was then, the bar played up to there and the rest ahead; letting go plays on from there.
int timeline(Game& g, QuorlWindow& window, const std::string& out) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const std::string size = std::to_string(screen.width()) + "x" + std::to_string(screen.height());
  g.c("TXran").setText("33333");
  static_cast<QPushButton*>(window.widgetFor("CDp(3)"))->click();
  runFor(6000);
  Rewind& rw = *g.rewind();
  check(rw.count() > 1 && rw.playMs() > 2000, "seconds of play kept as snapshots");
  QWidget* bar = window.widgetFor("PicTimeline");
  const QPoint third(bar->width() / 3, bar->height() / 2);
  const auto mouse = [&](QEvent::Type type, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(third), bar->mapToGlobal(QPointF(third)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(bar, &e);
  };
  mouse(QEvent::MouseButtonPress, Qt::LeftButton);
  const std::uint64_t shown = rw.shownPass();
  check(rw.holding() && shown * 4 < rw.lastPass() * 2 && shown * 4 > rw.lastPass(), "a third of the way back shown");
  runFor(500);
  check(rw.holding() && rw.shownPass() == shown && g.passesRun() == shown, "held at the moment shown");
  const std::string readout = g.timeline->c.LabPlay->caption();
  std::printf("timeline: %s\n", readout.c_str());
  check(readout.find(" of ") != std::string::npos, "the readout: the moment of the seconds played");
  window.syncNow();
  window.repaint();
  runFor(100);
  saveShot(out + "-timeline-" + size + ".png");
  mouse(QEvent::MouseButtonRelease, Qt::NoButton);
  runFor(500);
  check(!rw.holding() && g.passesRun() > shown, "let go, the system plays on from there");
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_shot OUT [fit] (writes OUT-main.png and OUT-about.png, or OUT-fit-WxH.png)\n");
    return 2;
  }
  const std::string out = argv[1];
  QApplication app(argc, argv);
  applyGameStyle(app);
  GameOptions options;
  options.dir = testing::tempDir();
  options.canvases = qtCanvasFactory();
  const bool fitting = argc > 2 && std::string(argv[2]) == "fit";
  const bool rewinding = argc > 2 && std::string(argv[2]) == "timeline";
  if (rewinding) {
    options.record = windowRecording();
    options.rewind = windowRewind();
  }
  Game g(options);
  // A player's settings with no record of goals yet: the very first run.
  QSettings settings(QString::fromStdString(options.dir + "/quorl.ini"), QSettings::IniFormat);
  if (fitting) rememberGoals(g, settings);
  QuorlWindow window(g);
  window.show();
  if (!testing::shown(window)) {
    std::fprintf(stderr, "the window was never shown\n");
    return 1;
  }
  if (fitting) return fit(g, window, out);
  if (argc > 2 && std::string(argv[2]) == "path") return paths(g, window, out);
  if (rewinding) return timeline(g, window, out);

  // A running system, then paused: nothing moves while the scene is set.
  g.c("TXran").setText("33333");
  static_cast<QPushButton*>(window.widgetFor("CDp(3)"))->click();
  runFor(600);
  static_cast<QPushButton*>(window.widgetFor("Command5"))->click();
  waitFor([&] { return !g.loopRunning(); }, 5000);

  Control& timer = g.c("TimWo");
  timer.tick();
  const int world = g.s.RosterBody[1], craft = g.s.RosterBody[2];
  BodyTable& b = g.b;
  b.ColorR[world] = 250, b.ColorG[world] = 60, b.ColorB[world] = 200;
  b.Mass[world] = 0.01;     // the finest outline
  b.Radius[world] = 0.035;  // a picture radius of 700
  b.AirLevel[world] = 120;
  b.WaterLevel[world] = 40;
  b.ImpactCount[world] = 3;
  b.ImpactMark[1][world] = 250, b.ImpactMark[2][world] = 150, b.ImpactMark[3][world] = 40;
  b.CraftCode[craft] = 34;
  b.BodyKind[craft] = 15;
  timer.tick();
  static_cast<QPushButton*>(window.widgetFor("Command14"))->click();
  window.syncNow();
  window.repaint();
  runFor(400);

  const QImage shot = grabScreen(window);
  shot.save(QString::fromStdString(out + "-main.png"));
  const QPoint strip = window.widgetFor("PicWorld")->mapTo(&window, QPoint(0, 0));
  const QRect slot1(656 - 1000, 0, 2000, 2175), slot2(1756 - 600, 0, 1300, 2175);
  check(pixels(shot, strip, slot1, rgb(250, 60, 200)) > 150, "the world's outline in the strip");
  check(pixels(shot, strip, slot1, rgb(125, 30, 100)) > 15, "crater rings in half the world's colour");
  check(pixels(shot, strip, slot1, rgb(185, 90, 160)) > 100, "the air halo");
  check(pixels(shot, strip, slot1, rgb(100, 100, 0), 100) > 100, "the water halo");
  check(pixels(shot, strip, slot2, rgb(200, 200, 255)) > 60, "the starship beside it");
  const QPoint top = window.widgetFor("Quorl")->mapTo(&window, QPoint(0, 0));
  check(pixels(shot, top, QRect(2460, 60, 10320, 720), rgb(112, 80, 48)) > 200, "the editor's band over the sky");
  check(window.widgetFor("Shark")->isVisible(), "the editor's marker");
  check(pixels(shot, top, QRect(2500, 840, 10200, 3600), rgb(170, 200, 255)) > 100, "the help text");

  // A box the player is in shows all of a long number over its neighbours; leaving a box with a value out
  // of range repairs it and names it in the status line.
  g.c("TXTp", 0).setText("-1234.5678901234567");
  g.c("TXTp", 1).setText("-9999");
  window.syncNow();
  auto* x = static_cast<QLineEdit*>(window.widgetFor("TXTp(0)"));
  window.activateWindow();
  waitFor([&] { return window.isActiveWindow(); }, 3000);
  window.widgetFor("TXTp(1)")->setFocus(Qt::MouseFocusReason);
  runFor(100);
  x->setFocus(Qt::MouseFocusReason);
  window.syncNow();
  window.repaint();
  runFor(300);
  grabScreen(window).save(QString::fromStdString(out + "-editor.png"));
  check(x->width() >= x->fontMetrics().horizontalAdvance(x->text()), "the whole number in the box the player is in");
  check(g.c("Labill").caption().find("the vertical position \"-9999\"") != std::string::npos,
        "the repaired box named in the status line");

  // The about window takes the main window's place; its "--" ends the program.
  static_cast<QPushButton*>(window.widgetFor("Command1"))->click();
  QWidget* about = window.widgetFor("FormBrel");
  const bool shown = testing::shown(*about);
  check(shown && !window.isVisible(), "the about window instead of the main window");
  runFor(300);
  const QImage aboutShot = grabScreen(*about);
  aboutShot.save(QString::fromStdString(out + "-about.png"));
  check(pixels(aboutShot, QPoint(0, 0), QRect(0, 0, 6000, 2100), rgb(18, 22, 34)) > 1000, "the about window drawn");
  QTimer::singleShot(0, [&] { static_cast<QPushButton*>(window.widgetFor("FormBrel.Command2"))->click(); });
  QTimer::singleShot(10000, [] { QCoreApplication::exit(3); });
  check(QApplication::exec() == 0, "\"--\" ends the program");
  return failures ? 1 : 0;
}
