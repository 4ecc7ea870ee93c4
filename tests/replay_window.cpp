// A game played in the real window on an X server, every input coming through the X server as a player's
// would (xdotool): the seed frozen and typed, the pace, a preset, the selection by button and by scroll bar,
// a nova, the pause with an edit in the body editor, the launch panel and a launch, steering keys, Save and
// Load, and last the about window, whose "--" ends the game. The game records itself as the program does;
// replay_window.sh replays the file it leaves. Prints "window passes=N hash=H" as the game stood at the end.
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/game.h"
#include "app/pace.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"
#include "app/qt/settings.h"
#include "io/replay_file.h"
#include "sim/fields.h"
#include "tests/qt_wait.h"

namespace {

using namespace quorl;
using testing::runFor;
using testing::waitFor;

void xdotool(const QStringList& args) {
  if (QProcess::execute(QStringLiteral("xdotool"), args) != 0) std::fprintf(stderr, "xdotool failed\n");
}

// A click at a point of a widget (its middle unless told), then time for the game to take it.
void click(QWidget* w, QPoint at = {-1, -1}) {
  const QPoint p = w->mapToGlobal(at.x() < 0 ? w->rect().center() : at);
  xdotool({"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1"});
  runFor(250);
}

// Replaces a text box's text as a player does: click, select all, type, leave with Tab.
void typeInto(QWidget* box, const QString& text) {
  click(box);
  xdotool({"key", "ctrl+a"});
  xdotool({"type", "--delay", "20", text});
  xdotool({"key", "Tab"});
  runFor(300);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: replay_window DIR (the game's folder; the recording is DIR/replay.qr)\n");
    return 2;
  }
  QApplication app(argc, argv);
  applyGameStyle(app);
  GameOptions options;
  options.dir = argv[1];
  options.canvases = qtCanvasFactory();
  options.record = windowRecording();
  const auto game = std::make_unique<Game>(options);  // large: on the heap
  Game& g = *game;
  QuorlWindow window(g);
  window.show();
  if (!testing::shown(window)) {
    std::fprintf(stderr, "the window was never shown\n");
    return 1;
  }
  runFor(300);
  const auto w = [&](const char* name) { return window.widgetFor(name); };

  // Check boxes and options take a click on their mark, not anywhere on their width.
  const auto mark = [&](const char* name) { return QPoint(6, w(name)->height() / 2); };
  click(w("OpPace(2)"), mark("OpPace(2)"));  // Max, so that life comes within seconds
  click(w("CHran"), mark("CHran"));
  typeInto(w("TXran"), "33333");
  click(w("CDp(5)"));
  runFor(800);
  click(w("Command66"));
  QWidget* bar = w("Hcelest");
  click(bar, QPoint(bar->width() * 3 / 4, bar->height() / 2));
  click(w("Command11"));
  runFor(500);
  click(w("Command5"));
  typeInto(w("TXTp(4)"), "0.0003");
  click(w("Command5"));
  QWidget* launch = w("FraCosmo");
  click(launch, QPoint(20, 6));
  click(launch, QPoint(20, 6));
  // An Earth world grows air as it orbits, and with it the life a launch needs.
  click(w("FraLif"), QPoint(20, 6));
  click(w("CmdMars(1)"));
  if (!waitFor([&] { return g.c("Command12").visible(); }, 30000)) {
    std::fprintf(stderr, "no life to launch with\n");
    return 1;
  }
  runFor(300);
  click(w("Command12"));
  runFor(300);
  xdotool({"type", "--delay", "40", "qwezcaxsd"});
  click(w("OpPace(1)"), mark("OpPace(1)"));
  click(w("CDsave"));
  click(w("Command8"));
  runFor(500);

  click(w("Command1"));
  QWidget* about = w("FormBrel");
  if (!testing::shown(*about)) {
    std::fprintf(stderr, "the about window was never shown\n");
    return 1;
  }
  runFor(300);
  QTimer::singleShot(0, [&] { click(w("FormBrel.Command2")); });
  QTimer::singleShot(20000, [] { QCoreApplication::exit(3); });
  if (QApplication::exec() != 0) {
    std::fprintf(stderr, "\"--\" did not end the game\n");
    return 1;
  }
  std::printf("window passes=%llu hash=%s\n", static_cast<unsigned long long>(g.passesRun()),
              hashText(stateHash(g.b, g.s)).c_str());
  return 0;
}
