// Keys in the window: they steer while the window or a button holds the focus, never while a text box does;
// the focus box hands the keys to the main view when its number is entered; boxes nobody types into never
// take the keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "app/qt/main_window.h"
#include "app/qt/qt_canvas.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

constexpr int F = 55;

TEST(WindowKeys, SteerUnlessATextBoxHoldsTheFocus) {
  static int argc = 1;
  static char name[] = "qt_keys_test";
  static char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  GameOptions o;
  o.dir = testing::tempDir();
  o.canvases = qtCanvasFactory();
  Game g(o);
  QuorlWindow window(g);
  window.show();
  QApplication::setActiveWindow(&window);
  testing::emptyTable(g, 60);
  testing::place(g, F, 0, 0, 0, 0, 0, 0, 5e-21);
  testing::place(g, 4, 900, 0, 0, 0, 0, 0, 1e-5);
  g.b.CraftCode[F] = 35, g.b.BodyKind[F] = 13, g.b.Fuel[F] = 1000;
  g.s.MasterScale = 31;
  g.s.Focus = F;

  const struct {
    const char* holder;  // the control whose widget has the focus; empty: the window itself
    Qt::Key key;
    const char* text;
    double fuel;
  } cases[] = {
      {"TXplanets", Qt::Key_E, "e", 1000},
      {"TXplanets", Qt::Key_Return, "\r", 1000},
      {"TXangle", Qt::Key_Escape, "\x1b", 1000},
      {"Command66", Qt::Key_E, "e", 999.5},
      {"", Qt::Key_E, "e", 999},
  };
  for (const auto& t : cases) {
    QWidget* target = &window;
    if (*t.holder) target = window.widgetFor(t.holder);
    ASSERT_NE(target, nullptr) << t.holder;
    target->setFocus(Qt::OtherFocusReason);
    if (!*t.holder) window.setFocus(Qt::OtherFocusReason);
    QKeyEvent press(QEvent::KeyPress, t.key, Qt::NoModifier, QString::fromLatin1(t.text));
    QApplication::sendEvent(target, &press);
    EXPECT_DOUBLE_EQ(g.b.Fuel[F], t.fuel) << t.holder << " " << t.text;
  }

  // The craft's number typed in the focus box, then Enter or Tab: the keys go to the craft, not to a box.
  window.syncNow();
  QWidget* box = window.widgetFor("TXnewton");
  for (auto [key, text] : {std::pair{Qt::Key_Tab, "\t"}, {Qt::Key_Return, "\r"}}) {
    g.c("Hcelest").setValue(4);
    ASSERT_EQ(g.s.Focus, 4);
    window.syncNow();
    box->setFocus(Qt::MouseFocusReason);
    static_cast<QLineEdit*>(box)->selectAll();
    for (const char* digit : {"5", "5", text}) {
      QKeyEvent typed(QEvent::KeyPress, *digit == *text ? key : Qt::Key_5, Qt::NoModifier, QString::fromLatin1(digit));
      QApplication::sendEvent(QApplication::focusWidget(), &typed);
    }
    EXPECT_EQ(g.s.Focus, F) << text;
    EXPECT_EQ(QApplication::focusWidget(), window.widgetFor("Quorl")) << text;
    const double fuel = g.b.Fuel[F];
    QKeyEvent steer(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, QStringLiteral("e"));
    QApplication::sendEvent(QApplication::focusWidget(), &steer);
    EXPECT_DOUBLE_EQ(g.b.Fuel[F], fuel - 0.5) << text;
  }
  // Boxes the game writes and the player only reads are passed over.
  for (const char* name : {"Text2", "Text6", "Text4", "Text3", "TxTyp", "txGG"})
    EXPECT_EQ(window.widgetFor(name)->focusPolicy(), Qt::NoFocus) << name;
  EXPECT_EQ(window.widgetFor("txTHrust")->focusPolicy(), Qt::StrongFocus);
}

}  // namespace
}  // namespace quorl
