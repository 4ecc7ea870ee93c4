// The game's entry point: the core, its Qt canvases and the main window.
#include <QApplication>

#include "app/game.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorl"));
  quorl::applyGameStyle(app);

  quorl::GameOptions options;  // the program folder is the executable's folder
  options.canvases = quorl::qtCanvasFactory();
  quorl::Game game(options);

  quorl::QuorlWindow window(game);
  window.show();
  return app.exec();
}
