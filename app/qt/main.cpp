// The game's entry point: the core, its Qt canvases and the main window.
#include <QApplication>
#include <QSettings>
#include <cstring>
#include <iostream>

#include "app/about.h"
#include "app/game.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"
#include "app/qt/settings.h"
#include "app/qt/window_bench.h"
#include "app_info.h"

int main(int argc, char** argv) {
  const char* usage =
      "usage: quorl [Qt options]\n       quorl --bench-window\n       quorl --help | --version\n"
      "Opens the game window. Files go beside the program, or to $XDG_DATA_HOME/quorl\n"
      "(~/.local/share/quorl) when the game is installed or its folder cannot be written.\n"
      "--bench-window times the window's loop against the bare loop (offscreen unless QT_QPA_PLATFORM says).\n";
  if (auto done = quorl::answerAbout(argc, argv, "quorl", usage, std::cout)) return *done;
  bool bench = false;
  for (int i = 1; i < argc; ++i) bench = bench || std::strcmp(argv[i], "--bench-window") == 0;
  if (bench && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorl"));
  QApplication::setApplicationVersion(QString::fromLatin1(quorl::kVersion));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(quorl::kAppId));
  quorl::applyGameStyle(app);
  if (bench) return quorl::runWindowBench(std::cout);

  // Before the game, so that it outlives the pace panel that writes to it.
  QSettings settings(QStringLiteral("Quorl"), QStringLiteral("Quorl"));
  quorl::GameOptions options;  // the program folder is the executable's folder
  options.canvases = quorl::qtCanvasFactory();
  quorl::Game game(options);
  quorl::rememberPace(game, settings);

  quorl::QuorlWindow window(game);
  window.show();
  return app.exec();
}
