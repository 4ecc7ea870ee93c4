// The game's entry point: the core, its Qt canvases and the main window.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "app/about.h"
#include "app/autosave.h"
#include "app/game.h"
#include "app/rewind.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"
#include "app/qt/settings.h"
#include "app/qt/window_bench.h"
#include "app/replayer.h"
#include "app_info.h"

namespace quorl {

// A recording (loaded and checked) played in the window; its own files go to a folder that goes with it.
int playReplay(Replayer& replayer, const std::string& path, bool quitAtEnd, QSettings& settings) {
  QTemporaryDir folder;
  GameOptions options;
  options.dir = folder.path().toStdString();
  options.canvases = qtCanvasFactory();
  options.outside = &replayer;
  const auto owned = std::make_unique<Game>(options);  // nearly 8 MB: on the heap
  Game& game = *owned;
  rememberPace(game, settings);
  if (!replayer.begin(game)) {
    std::cerr << path << ": " << replayer.result().message << '\n';
    return 2;
  }
  QuorlWindow window(game);
  window.playBack(replayer, [&](const ReplayResult& r) {
    std::cout << replaySummary(r) << std::endl;
    if (!r.message.empty()) std::cerr << path << ": " << r.message << std::endl;
    if (quitAtEnd) QCoreApplication::exit(replayStatus(r));
  });
  window.show();
  return QApplication::exec();
}

}  // namespace quorl

int main(int argc, char** argv) {
  const char* usage =
      "usage: quorl [Qt options]\n       quorl --replay FILE [--quit-at-end]\n       quorl --bench-window\n"
      "       quorl --help | --version\n"
      "Opens the game window. Files go beside the program, or to $XDG_DATA_HOME/quorl\n"
      "(~/.local/share/quorl) when the game is installed or its folder cannot be written.\n"
      "Every game is recorded into replay.qr there (earlier systems: replay-1.qr ... replay-4.qr).\n"
      "--replay plays a recorded game in the window; Pause or the space bar holds it, the pace sets its speed.\n"
      "When it ends the game is yours to play on (not recorded).\n"
      "--quit-at-end closes it when it ends, with the exit status of quorl-cli replay.\n"
      "--bench-window times the window's loop against the bare loop (offscreen unless QT_QPA_PLATFORM says).\n";
  if (auto done = quorl::answerAbout(argc, argv, "quorl", usage, std::cout)) return *done;
  bool bench = false, quitAtEnd = false;
  std::string replay;
  for (int i = 1; i < argc; ++i) {
    bench = bench || std::strcmp(argv[i], "--bench-window") == 0;
    quitAtEnd = quitAtEnd || std::strcmp(argv[i], "--quit-at-end") == 0;
    if (std::strcmp(argv[i], "--replay") != 0) continue;
    if (i + 1 == argc) {
      std::cerr << "--replay takes a file: quorl --replay FILE\n";
      return 2;
    }
    replay = argv[++i];
  }
  if (bench && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // A file no game can play is refused before any window is asked for.
  quorl::Replayer replayer;
  std::string error;
  if (!replay.empty() && !replayer.loadFile(replay, error)) {
    std::cerr << replay << ": " << error << '\n';
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorl"));
  QApplication::setApplicationVersion(QString::fromLatin1(quorl::kVersion));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(quorl::kAppId));
  quorl::applyGameStyle(app);
  if (bench) return quorl::runWindowBench(std::cout);

  // Before the game, so that it outlives the pace panel that writes to it.
  QSettings settings(QStringLiteral("Quorl"), QStringLiteral("Quorl"));
  if (!replay.empty()) return quorl::playReplay(replayer, replay, quitAtEnd, settings);

  quorl::GameOptions options;  // the program folder is the executable's folder
  options.canvases = quorl::qtCanvasFactory();
  options.record = quorl::windowRecording();  // every game is recorded
  options.rewind = quorl::windowRewind();
  // Nearly 8 MB, the whole of a usual stack: on the heap.
  const auto owned = std::make_unique<quorl::Game>(options);
  quorl::Game& game = *owned;
  quorl::rememberPace(game, settings);
  quorl::rememberGoals(game, settings);
  // Every minute of play and at the end, the game is saved to be continued; the last one saved is offered.
  quorl::offerSavedGame(game);
  const auto save = [&game] {
    std::string why;
    quorl::writeAutosave(game, why);  // nothing recorded (no system yet) leaves the saved game as it is
  };
  game.rewind()->onMinuteOfPlay = save;

  quorl::QuorlWindow window(game);
  window.show();
  // Asked to end (a logout, Ctrl+C in the terminal): as a closed window, so the game is saved.
  static volatile std::sig_atomic_t endAsked = 0;
  for (const int sig : {SIGTERM, SIGHUP, SIGINT}) std::signal(sig, [](int) { endAsked = 1; });
  QTimer ending;
  QObject::connect(&ending, &QTimer::timeout, &app, [] {
    if (endAsked) QCoreApplication::quit();
  });
  ending.start(200);
  const int status = app.exec();
  game.rewind()->cancel();
  save();
  return status;
}
