// The game's entry point: the core, its Qt canvases and the main window.
#include <QApplication>
#include <QSettings>
#include <iostream>

#include "app/about.h"
#include "app/game.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"
#include "app/qt/settings.h"
#include "app_info.h"

int main(int argc, char** argv) {
  const char* usage =
      "usage: quorl [Qt options]\n       quorl --help | --version\n"
      "Opens the game window. Files go beside the program, or to $XDG_DATA_HOME/quorl\n"
      "(~/.local/share/quorl) when the game is installed or its folder cannot be written.\n";
  if (auto done = quorl::answerAbout(argc, argv, "quorl", usage, std::cout)) return *done;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorl"));
  QApplication::setApplicationVersion(QString::fromLatin1(quorl::kVersion));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(quorl::kAppId));
  quorl::applyGameStyle(app);

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
