// The Qt window on the offscreen platform: it opens with a widget per control, the player's typing,
// focus changes, scrolling and clicks reach the core, the core's timers tick, and it draws.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/goals_panel.h"
#include "app/pace.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"
#include "app/qt/settings.h"
#include "panels/layout.h"
#include "tests/qt_wait.h"
#include "tests/scenario.h"
#include "ui/contrast.h"

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

using testing::runFor;

struct Window : ::testing::Test {
  Window() { app(); }
  Game& makeGame() {
    GameOptions o;
    o.dir = testing::tempDir();
    o.canvases = qtCanvasFactory();
    game = std::make_unique<Game>(o);
    window = std::make_unique<QuorlWindow>(*game);
    // Today's size: the offscreen screen is smaller than the window.
    window->setScale(1.0);
    window->resize(window->contentSize());
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
  // Pixels of the widget's own picture within `tolerance` of colour c in every channel.
  int pixelsNear(QWidget* w, QColor c, int tolerance = 24) {
    const QImage shot = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) {
        const QColor p = shot.pixelColor(x, y);
        n += std::abs(p.red() - c.red()) <= tolerance && std::abs(p.green() - c.green()) <= tolerance &&
             std::abs(p.blue() - c.blue()) <= tolerance;
      }
    return n;
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
  // The display refreshes on its own timer: look until the line is there (a loaded machine is slow to it).
  std::set<QRgb> colours;
  bool magenta = false;
  testing::waitFor(
      [&] {
        const QImage shot = window->grab().toImage();
        colours.clear();
        for (int y = 0; y < shot.height(); y += 1)
          for (int x = 0; x < shot.width(); x += 1) {
            const QRgb p = shot.pixel(x, y);
            if (colours.size() < 64) colours.insert(p);
            if (qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) > 200) magenta = true;
          }
        return magenta;
      },
      3000);
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

TEST_F(Window, ScalesAsAWholeToFitTheScreenAndFollowsResizes) {
  Game& g = makeGame();
  g.canvas("Quorl").line(1500, 6000, 6000, 6000, rgb(255, 0, 255));
  struct Case {
    QSize screen;
    double lo, hi;
  };
  const Case cases[] = {{{1920, 1080}, 1.0, 1.01},
                        {{1366, 768}, 0.70, 0.715},
                        {{1280, 720}, 0.66, 0.67},
                        {{640, 360}, QuorlWindow::kMinScale, QuorlWindow::kMinScale}};
  for (const Case& k : cases) {
    SCOPED_TRACE(::testing::Message() << k.screen.width() << "x" << k.screen.height());
    const double s = window->fitScale(k.screen);
    EXPECT_GE(s, k.lo);
    EXPECT_LE(s, k.hi);
    window->setScale(s);
    if (s > QuorlWindow::kMinScale) {
      EXPECT_LE(window->contentSize().width(), k.screen.width());
      EXPECT_LE(window->contentSize().height(), k.screen.height());
    }
    // Controls that meet in window units meet on screen, and fonts follow the scale.
    for (int i = 1; i < 10; ++i)
      EXPECT_EQ(window->widgetFor("CDp(" + std::to_string(i) + ")")->geometry().right() + 1,
                window->widgetFor("CDp(" + std::to_string(i + 1) + ")")->geometry().left());
    // ... but never so far that a line of text is under 9 device pixels: then it is the least size that is not.
    QFont font = window->widgetFor("TXplanets")->font();
    const qreal dpr = window->devicePixelRatioF();
    if (std::abs(font.pointSizeF() - 8 * s) > 1e-9) {
      EXPECT_GT(font.pointSizeF(), 8 * s);
      EXPECT_GE(QFontMetricsF(font).height() * dpr, 9);
      font.setPointSizeF(font.pointSizeF() - 0.25);
      EXPECT_LT(QFontMetricsF(font).height() * dpr, 9);
    }
    // The main view's picture is the view's size, and still holds what was drawn.
    const QImage& image = static_cast<QtCanvas&>(g.canvas("Quorl")).image();
    EXPECT_NEAR(image.deviceIndependentSize().width(), 15360 * s / 15, 1.0);
    EXPECT_GT(pixelsNear(window->widgetFor("Quorl"), QColor(255, 0, 255), 0), 0);
  }

  // The player makes the window smaller: once the resize rests, everything fits it without scroll bars.
  window->setScale(1.0);
  window->resize(1000, 560);
  runFor(400);
  EXPECT_NEAR(window->scale(), window->fitScale(QSize(1000, 560)), 0.005);
  EXPECT_LE(window->contentSize().width(), 1000);
  EXPECT_LE(window->contentSize().height(), 560);
}

TEST(QtCanvas, APointIsOneDevicePixelAtEveryScaleAndRatio) {
  app();
  const std::pair<double, qreal> cases[] = {{1.0, 1.0}, {0.7118, 1.0}, {0.7118, 2.0}, {1.5, 2.0}};
  for (const auto& [scale, dpr] : cases) {
    SCOPED_TRACE(::testing::Message() << "scale " << scale << " ratio " << dpr);
    QtCanvas c(2415, 2415, rgb(0, 0, 16), dpr, scale);
    EXPECT_EQ(c.image().width(), static_cast<int>(std::ceil(2415 * scale * dpr / 15)));
    const auto count = [&c](QRgb colour) {
      int n = 0;
      for (int y = 0; y < c.image().height(); ++y)
        for (int x = 0; x < c.image().width(); ++x) n += c.image().pixel(x, y) == colour;
      return n;
    };
    c.pset(1200, 1200, rgb(255, 255, 255));
    c.pset(1203, 1200, rgb(255, 255, 255));  // a fifth of a logical pixel away: the same or the next pixel
    EXPECT_GE(count(qRgb(255, 255, 255)), 1);
    EXPECT_LE(count(qRgb(255, 255, 255)), 2);
    // A new scale keeps what is drawn.
    c.line(0, 600, 2415, 600, rgb(255, 0, 0));
    c.setScale(scale * 0.5, dpr);
    EXPECT_GT(count(qRgb(255, 0, 0)), 0);
  }
}

TEST_F(Window, EveryCaptionFitsItsPlaceAtTheLargestNumbers) {
  Game& g = makeGame();
  g.c("CDp(3)").press();
  g.s.PauseFlag = "bat";
  runFor(100);
  std::vector<std::pair<std::string, std::string>> widest = {
      {"LaPlan", "9999"}, {"Laplace", "9999"}, {"Laorb", "32767"}, {"LaLocal", "9999"}, {"LabRate", "99.9k/s"}};
  for (int k = 0; k <= 8; ++k) widest.emplace_back("Lapl(" + std::to_string(k) + ")", "9999");
  for (const auto& [name, text] : widest) g.c(name).setCaption(text);

  for (const QSize screen : {QSize(1920, 1080), QSize(1366, 768), QSize(1280, 720)}) {
    const double s = std::min(1.0, window->fitScale(screen));
    window->setScale(s);
    window->syncNow();
    for (const Control& c : g.ui.all()) {
      QWidget* w = window->widgetFor(c.name);
      if (!w || !w->isVisible() || c.caption().empty()) continue;
      SCOPED_TRACE(::testing::Message() << c.name << " '" << c.caption() << "' at scale " << s);
      // Shrunk a little at most, and wholly inside its place.
      EXPECT_GE(w->font().pointSizeF(), 0.85 * c.fontSize() * s);
      const QFontMetrics m(w->font());
      if (auto* label = qobject_cast<QLabel*>(w)) {
        const int room = label->contentsRect().width() - label->indent();
        if (!label->wordWrap()) {
          // Too long for its place at the least legible size: one line that fits, the whole in the tool tip.
          EXPECT_LE(m.horizontalAdvance(label->text()), room);
          EXPECT_FALSE(label->toolTip().isEmpty());
          continue;
        }
        for (const QString& word : label->text().split(' ', Qt::SkipEmptyParts))
          EXPECT_LE(m.horizontalAdvance(word), room);
        const int lines = m.boundingRect(QRect(0, 0, room, 1 << 20), Qt::TextWordWrap, label->text()).height();
        EXPECT_TRUE(lines <= label->height() || lines <= m.height() + 1);
      } else if (auto* box = qobject_cast<QAbstractButton*>(w)) {
        const int indicator = qobject_cast<QPushButton*>(w) ? 0 : w->style()->pixelMetric(QStyle::PM_IndicatorWidth);
        EXPECT_LE(indicator + m.horizontalAdvance(box->text().remove('&')), w->width());
      }
    }
  }
}

TEST_F(Window, CheckBoxesAndOptionsShowTheirStateOnAnyBackground) {
  Game& g = makeGame();
  const QColor rim(175, 190, 220), mark(120, 220, 255);
  for (const char* name : {"CHran", "Oplank(0)"})
    for (const Color back : {rgb(0, 0, 0), rgb(255, 255, 255), layout::kPanelBack})
      for (const bool on : {false, true}) {
        SCOPED_TRACE(::testing::Message() << name << " on " << int(back.r) << (on ? " ticked" : " clear"));
        Control& c = g.c(name);
        c.setBack(back);
        if (c.kind == Kind::CheckBox) c.setChecked(on);
        else if (on) c.choose();
        else c.setValue(0);
        window->syncNow();
        QWidget* w = window->widgetFor(name);
        EXPECT_GT(pixelsNear(w, rim, 30), 3);
        EXPECT_EQ(pixelsNear(w, mark, 30) > 3, on);
      }
}

// A number longer than its box shows its beginning, and all of it while the player is in the box; the
// selected world's name keeps 3:1 from its background in any class colour, and so do the strip's names.
TEST_F(Window, NumbersShowTheirBeginningAndNamesStayReadable) {
  Game& g = makeGame();
  g.c("CDp(3)").press();
  g.c("Command5").press();
  runFor(50);
  auto* x = widget<QLineEdit>("TXTp(0)");
  const QRect place = x->geometry();
  g.c("TXTp", 0).setText("-1234.5678901234567");
  g.c("Text2").setText("0.00000000000000000123");
  window->syncNow();
  for (const char* name : {"TXTp(0)", "Text2"}) EXPECT_EQ(widget<QLineEdit>(name)->cursorPosition(), 0) << name;
  x->setFocus(Qt::MouseFocusReason);
  EXPECT_GE(x->width(), x->fontMetrics().horizontalAdvance(x->text()));
  EXPECT_GT(x->width(), place.width());
  x->setCursorPosition(x->text().size());
  widget<QLineEdit>("TXTp(1)")->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(x->geometry(), place);
  EXPECT_EQ(x->cursorPosition(), 0);

  Control& name = g.c("LabWorld");
  for (const Color fore : {rgb(30, 30, 30), rgb(250, 60, 200)}) {
    name.setFore(fore);
    window->syncNow();
    const QColor shown = widget<QLabel>("LabWorld")->palette().color(QPalette::WindowText);
    EXPECT_EQ(rgb(shown.red(), shown.green(), shown.blue()), legibleOn(fore, name.back()));
  }
  EXPECT_NE(legibleOn(rgb(30, 30, 30), name.back()), rgb(30, 30, 30));

  // The brightest pixel of a dark name printed on the strip is the colour it was lightened to.
  Canvas& strip = g.canvas("PicWorld");
  strip.clear();
  strip.fontSize = 24;
  strip.foreColor = rgb(30, 30, 30);
  strip.currentX = strip.currentY = 100;
  strip.print("MMMM");
  int brightest = 0;
  const QImage& image = dynamic_cast<QtCanvas&>(strip).image();
  for (int py = 0; py < image.height(); ++py)
    for (int px = 0; px < image.width(); ++px) brightest = std::max(brightest, qRed(image.pixel(px, py)));
  EXPECT_EQ(brightest, legibleOn(rgb(30, 30, 30), strip.background()).r);
}

// Each row of the right-hand column says what it is: some control of it has a caption or a tool tip.
TEST_F(Window, EveryRowOfTheColumnSaysWhatItIs) {
  Game& g = makeGame();
  std::map<int, std::vector<const Control*>> rows;  // by top, in window units
  for (const Control& c : g.ui.all()) {
    QWidget* w = window->widgetFor(c.name);
    if (!w || !w->isVisible() || c.kind == Kind::Frame || c.kind == Kind::Line || c.kind == Kind::Shape) continue;
    const QPoint at = w->mapTo(window->widgetFor("Quorl")->parentWidget(), QPoint(0, 0)) * 15;
    if (at.x() < layout::kColumnLeft - 15 || at.x() >= layout::kColumnLeft + layout::kColumnWidth) continue;
    rows[at.y()].push_back(&c);
  }
  // Controls whose tops lie within 150 units of the row's first are one row.
  int top = -1000, count = 0;
  std::string names;
  bool said = true;
  for (const auto& [y, controls] : rows) {
    if (y > top + 150) {
      EXPECT_TRUE(said) << "a row without caption or tool tip: " << names;
      top = y, said = false, names.clear(), ++count;
    }
    for (const Control* c : controls) {
      names += c->name + " ";
      said = said || !c->toolTip().empty() || (c->kind != Kind::TextBox && !c->caption().empty());
    }
  }
  EXPECT_TRUE(said) << "a row without caption or tool tip: " << names;
  EXPECT_GT(count, 25);
}

TEST_F(Window, ThePumpKeepsToThePaceAndThePaceIsRemembered) {
  Game& g = makeGame();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("quorl.ini"));
  {
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue("pace", "Nonsense");
    rememberPace(g, settings);
    EXPECT_EQ(g.pace->setting(), PacePanel::kWatch);
    settings.setValue("pace", "Max");
    rememberPace(g, settings);
    EXPECT_EQ(g.pace->setting(), PacePanel::kMax);
    widget<QRadioButton>("OpPace(1)")->click();
    EXPECT_EQ(g.pace->setting(), PacePanel::kFast);
    g.pace->onChosen = nullptr;
  }
  EXPECT_EQ(QSettings(file, QSettings::IniFormat).value("pace").toString(), "Fast");

  // At Watch the pump runs no more passes than the cap allows, and some.
  widget<QRadioButton>("OpPace(0)")->click();
  widget<QPushButton>("CDp(3)")->click();
  QElapsedTimer t;
  t.start();
  const std::uint64_t from = g.passesRun();
  runFor(600);
  const double passes = static_cast<double>(g.passesRun() - from), seconds = t.elapsed() / 1000.0;
  EXPECT_GT(passes, 0);
  EXPECT_LE(passes, 5000 * seconds * 1.05 + 5000 * Pacer::kCatchUpNs / 1e9 + 1);
}

TEST_F(Window, TheGoalsShowThemselvesOnTheFirstRunAndAreRemembered) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("quorl.ini"));
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(::testing::Message() << "run " << run);
    window.reset();  // the program ends before it starts again
    Game& g = makeGame();
    QSettings settings(file, QSettings::IniFormat);
    rememberGoals(g, settings);
    window->syncNow();
    // Only the very first run opens them by itself; a system built is kept from the first run on.
    EXPECT_EQ(widget<QWidget>("FraGoals")->isVisible(), run == 1);
    EXPECT_EQ(g.goals->goals().mark(kGoalSystem).earlier, run == 2);
    widget<QPushButton>("CDp(3)")->click();
    const std::string kept = settings.value("goals").toString().toStdString();
    EXPECT_EQ(kept.rfind("system ", 0), 0u) << kept;
    EXPECT_EQ(widget<QPushButton>("CmdGoals")->text(), QString("Goals %1/13").arg(g.goals->goals().count()));
    g.goals->onChanged = nullptr;
  }
}

}  // namespace
}  // namespace quorl
