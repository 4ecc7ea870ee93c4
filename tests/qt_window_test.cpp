// The Qt window on the offscreen platform: it opens with a widget per control, the player's typing,
// focus changes, scrolling and clicks reach the core, the core's timers tick, and it draws.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <set>

#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

QApplication& app() {
  static int argc = 1;
  static char name[] = "qt_window_test";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* a = [] {
    auto* created = new QApplication(argc, argv);
    applyGameStyle(*created);
    return created;
  }();
  return *a;
}

// Lets the event loop run for a while.
void runFor(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

struct Window : ::testing::Test {
  Window() { app(); }
  Game& makeGame() {
    GameOptions o;
    o.dir = testing::tempDir();
    o.canvases = qtCanvasFactory();
    game = std::make_unique<Game>(o);
    window = std::make_unique<QuorlWindow>(*game);
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    runFor(50);
    return *game;
  }
  void TearDown() override {
    window.reset();
    game.reset();
  }
  template <typename W>
  W* widget(const std::string& name) {
    return dynamic_cast<W*>(window->widgetFor(name));
  }
  void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    for (QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(edit, &press);
    }
  }
  std::unique_ptr<Game> game;
  std::unique_ptr<QuorlWindow> window;
};

TEST_F(Window, OpensWithAWidgetInStepWithEachControl) {
  Game& g = makeGame();
  EXPECT_EQ(window->windowTitle(), "Quorl");
  EXPECT_TRUE(window->isVisible());
  auto* planets = widget<QLineEdit>("TXplanets");
  ASSERT_NE(planets, nullptr);
  EXPECT_EQ(planets->text(), "17");
  EXPECT_EQ(planets->toolTip(), "Start with this number of planets");
  EXPECT_TRUE(planets->isVisible());
  // 15 window units are one logical pixel.
  EXPECT_EQ(planets->geometry(), QRect(16980 / 15, 390 / 15, 735 / 15, 315 / 15));
  auto* bar = widget<QScrollBar>("Hspac");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->maximum(), 10000);
  EXPECT_EQ(bar->value(), 100);
  EXPECT_EQ(window->widgetFor("Tr"), nullptr);

  // A change made by the core shows at the next refresh.
  g.c("TXplanets").setText("55");
  g.c("CapPlanets").setVisible(false);
  runFor(60);
  EXPECT_EQ(planets->text(), "55");
  EXPECT_FALSE(window->widgetFor("CapPlanets")->isVisible());
}

TEST_F(Window, TypingAndLeavingABoxRepairsIt) {
  Game& g = makeGame();
  auto* planets = widget<QLineEdit>("TXplanets");
  auto* spare = widget<QLineEdit>("TxTenner");
  ASSERT_TRUE(planets && spare);
  typeInto(planets, "2");
  EXPECT_EQ(g.c("TXplanets").text(), "2");
  spare->setFocus(Qt::TabFocusReason);  // leaving the box checks it
  runFor(30);
  EXPECT_EQ(g.c("TXplanets").text(), "3");
  EXPECT_EQ(planets->text(), "3");

  // A box checked on every change is repaired while typing: the fifth digit is more than 16 bits hold.
  auto* master = widget<QLineEdit>("TXmaster");
  typeInto(master, "99999");
  EXPECT_EQ(g.s.MasterScale, 9999);
  EXPECT_EQ(master->text(), "9999");
  EXPECT_NE(g.c("Labill").caption().find("Master scale"), std::string::npos);
}

TEST_F(Window, ScrollingAndOptionsReachTheModel) {
  Game& g = makeGame();
  auto* bar = widget<QScrollBar>("Hspac");
  ASSERT_NE(bar, nullptr);
  bar->setValue(50);
  EXPECT_EQ(g.c("Hspac").value(), 50);
  EXPECT_EQ(g.s.Speed, 50.0);
  EXPECT_EQ(widget<QLineEdit>("TXspac")->text(), "50");

  auto* five = widget<QRadioButton>("Oplank(1)");
  ASSERT_NE(five, nullptr);
  five->click();
  EXPECT_EQ(g.c("Hspac").value(), 5);
  EXPECT_EQ(bar->value(), 5);
  EXPECT_TRUE(five->isChecked());
  widget<QRadioButton>("Oplank(2)")->click();
  EXPECT_FALSE(five->isChecked());
  EXPECT_TRUE(widget<QRadioButton>("Oplank(2)")->isChecked());
}

TEST_F(Window, CoreTimersRunOnQtTimers) {
  Game& g = makeGame();
  Control& timer = g.c("TiF");
  int ticks = 0;
  timer.onTick = [&ticks] { ++ticks; };
  timer.setInterval(5);
  timer.setEnabled(true);
  runFor(150);
  EXPECT_GT(ticks, 3);
  timer.setEnabled(false);
  const int stopped = ticks;
  runFor(60);
  EXPECT_EQ(ticks, stopped);
  // An interval of 0 never fires.
  timer.setInterval(0);
  timer.setEnabled(true);
  runFor(60);
  EXPECT_EQ(ticks, stopped);
}

TEST_F(Window, GrabbedPictureShowsTheViews) {
  Game& g = makeGame();
  g.canvas("Quorl").line(1500, 6000, 6000, 6000, rgb(255, 0, 255));
  runFor(60);
  const QImage shot = window->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  std::set<QRgb> colours;
  bool magenta = false;
  for (int y = 0; y < shot.height(); y += 1)
    for (int x = 0; x < shot.width(); x += 1) {
      const QRgb p = shot.pixel(x, y);
      if (colours.size() < 64) colours.insert(p);
      if (qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) > 200) magenta = true;
    }
  EXPECT_GT(colours.size(), 10u);
  EXPECT_TRUE(magenta) << "the line drawn on the main view is not on screen";
}

TEST_F(Window, PresetPressRunsTheLoopAndDrawsTrails) {
  Game& g = makeGame();
  auto* preset = widget<QPushButton>("CDp(3)");
  ASSERT_NE(preset, nullptr);
  preset->click();
  runFor(400);
  EXPECT_TRUE(g.loopRunning());
  EXPECT_GT(g.s.BodyCount, 2);
  const QImage shot = window->grab(QRect(0, 0, 15360 / 15, 11520 / 15)).toImage();
  int lit = 0;
  for (int y = 0; y < shot.height(); y += 2)
    for (int x = 0; x < shot.width(); x += 2)
      if (qGray(shot.pixel(x, y)) > 40) ++lit;
  EXPECT_GT(lit, 20) << "no trails on the main view";
  // Asking the loop to stop ends the pump after its pass.
  g.s.PauseFlag = "bat";
  runFor(50);
  EXPECT_FALSE(g.loopRunning());
}

}  // namespace
}  // namespace quorl
