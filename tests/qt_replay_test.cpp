// A replay in the window on the offscreen platform: the player's clicks, typing and keys do not reach the
// game, the pace and the hold do, and the replay ends in the state the recorded game ended in; then the game
// is the player's. Closing the window, or the about box's "--", ends the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <sstream>

#include "app/pace.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"
#include "app/replayer.h"
#include "cli/driver.h"
#include "io/folder.h"
#include "sim/fields.h"
#include "tests/qt_wait.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::runFor;
using testing::waitFor;

QApplication& app() {
  static int argc = 1;
  static char name[] = "qt_replay_test";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* a = new QApplication(argc, argv);
  return *a;
}

const char* kPlayed = "press CDp(3)\nadvance 600\npasses 4000\npress Command66\nadvance 400\npasses 4000\n";

// A game recorded headless; gives its file and its final state hash.
std::string record(const std::string& dir, std::uint64_t& hash, const char* script = kPlayed) {
  GameOptions o;
  o.dir = dir;
  o.record.on = true;
  auto g = std::make_unique<Game>(o);
  std::istringstream in(script);
  std::ostringstream out;
  runScript(*g, in, out, out);
  hash = stateHash(g->b, g->s);
  g.reset();
  return testing::fileText(dir + "/replay.qr");
}

TEST(ReplayWindow, TakesOnlyThePaceAndTheHoldAndEndsWhereTheGameDid) {
  app();
  const std::string dir = testing::tempDir();
  std::uint64_t recorded = 0;
  Replayer replayer;
  std::string error;
  ASSERT_TRUE(replayer.load(record(dir, recorded), error)) << error;

  GameOptions o;
  o.dir = testing::tempDir();
  o.canvases = qtCanvasFactory();
  o.outside = &replayer;
  auto game = std::make_unique<Game>(o);
  Game& g = *game;
  ASSERT_TRUE(replayer.begin(g));
  auto window = std::make_unique<QuorlWindow>(g);
  bool done = false;
  ReplayResult result;
  QString title;
  window->setScale(1.0);
  window->show();
  window->playBack(replayer, [&](const ReplayResult& r) { done = true, result = r, title = window->windowTitle(); });
  const auto widget = [&](const char* name) { return window->widgetFor(name); };

  // Held at once: nothing moves, and nothing the player does reaches the game.
  static_cast<QPushButton*>(widget("Command5"))->click();
  const std::uint64_t held = replayer.passes();
  static_cast<QPushButton*>(widget("CDp(7)"))->click();
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
  QApplication::sendEvent(widget("TXplanets"), &typed);
  QKeyEvent steer(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q"));
  QApplication::sendEvent(widget("Quorl"), &steer);
  runFor(150);
  EXPECT_EQ(replayer.passes(), held);
  EXPECT_NE(g.s.Preset, 7);
  EXPECT_EQ(g.c("TXplanets").text(), "17");
  EXPECT_NE(window->windowTitle().indexOf(QStringLiteral("held")), -1) << window->windowTitle().toStdString();

  // The pace is the player's; the space bar plays on.
  static_cast<QRadioButton*>(widget("OpPace(2)"))->click();
  EXPECT_EQ(g.pace->setting(), PacePanel::kMax);
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
  QApplication::sendEvent(widget("Quorl"), &space);
  ASSERT_TRUE(waitFor([&] { return done; }, 20000));
  EXPECT_EQ(result.ending, ReplayResult::Ending::Finished) << result.message;
  EXPECT_EQ(result.hash, recorded);
  EXPECT_EQ(result.passes, 8000u);
  EXPECT_NE(title.indexOf(QStringLiteral("in the state recorded")), -1) << title.toStdString();

  // Then the game is the player's: it runs on, and clicks, typing and keys reach it again.
  EXPECT_EQ(g.c("Labill").caption(), "Replay ended at pass 8000, as recorded \u2014 the game is yours");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorl"));
  const std::uint64_t ended = g.passesRun();
  EXPECT_TRUE(waitFor([&] { return g.passesRun() > ended + 100; }, 5000));
  static_cast<QPushButton*>(widget("CDp(7)"))->click();
  EXPECT_EQ(g.s.Preset, 7);
  g.s.Focus = 2;
  QApplication::sendEvent(widget("Quorl"), &steer);
  EXPECT_EQ(g.c("Labill").caption().rfind("A star cannot be steered: ", 0), 0u) << g.c("Labill").caption();

  window.reset();
  game.reset();
  std::filesystem::remove_all(dir);
  std::filesystem::remove_all(o.dir);
}

// A replay that ends in the about box leaves that box working: its "--" ends the program. Closing the window
// during a replay ends it as well.
TEST(ReplayWindow, EndsTheProgramFromTheAboutBoxOrTheClosedWindow) {
  app();
  for (const bool about : {true, false}) {
    SCOPED_TRACE(about ? "the about box" : "the window closed");
    const std::string dir = testing::tempDir();
    std::uint64_t recorded = 0;
    Replayer replayer;
    std::string error;
    ASSERT_TRUE(replayer.load(record(dir, recorded, "press CDp(3)\nadvance 300\npasses 500\npress Command1\n"), error))
        << error;
    GameOptions o;
    o.dir = testing::tempDir();
    o.canvases = qtCanvasFactory();
    o.outside = &replayer;
    auto game = std::make_unique<Game>(o);
    ASSERT_TRUE(replayer.begin(*game));
    auto window = std::make_unique<QuorlWindow>(*game);
    bool done = false;
    window->show();
    window->playBack(replayer, [&](const ReplayResult&) { done = true; });
    QWidget* box = window->widgetFor("FormBrel");
    if (about) {
      ASSERT_TRUE(waitFor([&] { return done; }, 20000));
      EXPECT_TRUE(box->isVisible());
      EXPECT_FALSE(window->isVisible());
      QTimer::singleShot(0, [&] { static_cast<QPushButton*>(window->widgetFor("FormBrel.Command2"))->click(); });
    } else {
      static_cast<QPushButton*>(window->widgetFor("Command5"))->click();  // held, mid-way
      QTimer::singleShot(0, [&] { window->close(); });
    }
    QTimer::singleShot(10000, [] { QCoreApplication::exit(3); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(done, about);
    window.reset();
    game.reset();
    std::filesystem::remove_all(dir);
    std::filesystem::remove_all(o.dir);
  }
}

}  // namespace
}  // namespace quorl
