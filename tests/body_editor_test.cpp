// The body editor: Pause opens it on a body and Pause again closes it; the boxes' checks, the write-back,
// the two modes, the marker, and a preset pressed while paused.
#include "panels/body_editor.h"

#include <gtest/gtest.h>

#include "sim/numbers.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

struct Editor : ::testing::Test {
  Scenario sc;
  Game& g = sc.g();
  Control& c(const std::string& name) { return g.c(name); }
  Control& box(int i) { return g.c("TXTp", i); }
  void SetUp() override { sc.run("type TXran 33333\npress CDp(3)\npasses 3\n"); }
  // Opens the editor on body `pln`.
  void openOn(int pln) {
    c("TXTOden").setText(std::to_string(pln));
    c("Command5").press();
  }
  void typeAll(const std::string& x, const std::string& y, const std::string& xm, const std::string& ym) {
    box(0).setText(x), box(1).setText(y), box(2).setText(xm), box(3).setText(ym);
  }
};

TEST_F(Editor, PauseOpensThePanelOnABodyInRangeAndPauseAgainResumes) {
  const char* panel[] = {"TXTOden", "TxTyp", "Qui", "La(0)", "La(16)", "Frame2", "Chon", "LabTab", "Shark"};
  const int bodies = g.s.BodyCount;
  struct Case {
    const char* typed;
    int opened;
  };
  for (const Case& k : {Case{"0", 1}, Case{"7", 7}, Case{"99999", bodies}, Case{"-3", 1}, Case{"abc", 1}}) {
    c("TXTOden").setText(k.typed);
    c("Command5").press();
    EXPECT_EQ(g.s.PauseFlag, "bat");
    EXPECT_FALSE(g.pumpTurn());
    EXPECT_EQ(c("TXTOden").text(), std::to_string(k.opened)) << k.typed;
    EXPECT_EQ(c("Qui").value(), k.opened);
    EXPECT_EQ(c("Qui").max(), bodies);
    EXPECT_EQ(box(4).text(), shortest(g.b.Mass[k.opened]));
    EXPECT_EQ(c("TxTyp").text(), shortest(g.b.BodyKind[k.opened]));
    for (const char* name : panel) EXPECT_TRUE(c(name).visible()) << name;
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(box(i).visible() && g.c("Label6", i).visible());
    EXPECT_TRUE(c("Opadd(0)").checked());
    EXPECT_TRUE(c("TiF").timerRunning());
    EXPECT_EQ(c("Command5").back(), rgb(255, 110, 40));  // lit while paused

    c("Command5").press();
    EXPECT_EQ(g.s.PauseFlag, "");
    EXPECT_TRUE(g.pumpTurn());
    for (const char* name : panel) EXPECT_FALSE(c(name).visible()) << name;
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(box(i).visible() || g.c("Label6", i).visible());
    EXPECT_FALSE(c("Opadd(0)").checked() || c("Opadd(1)").checked());
    EXPECT_FALSE(c("TiF").timerRunning());
    EXPECT_EQ(c("Command5").back(), rgb(255, 216, 128));
  }
}

TEST_F(Editor, LeavingABoxRepairsTheFirstFailingCheckOnly) {
  struct Case {
    const char *x, *y, *xm, *ym;
    int repaired;  // the box repaired; -1: every check passed and the body is written
    const char* text;
  };
  const Case cases[] = {
      {"-7681", "0", "0", "0", 0, "-7680"},    {"7700", "0", "0", "0", 0, "7680"},
      {"0", "-6000", "0", "0", 1, "-5760"},    {"0", "5761", "0", "0", 1, "5760"},
      {"0", "0", "250", "0", 2, "200"},        {"0", "0", "0", "-250", 3, "-200"},
      {"-7681", "0", "0", "-250", 0, "-7680"}, {"-7680", "5760", "-200", "200", -1, ""},
      {"12.5", "-3", "1.25", "0", -1, ""},
  };
  for (const Case& k : cases) {
    openOn(5);
    const double x = g.b.PosX[5], vy = g.b.VelY[5];
    typeAll(k.x, k.y, k.xm, k.ym);
    box(1).loseFocus();
    const std::string typed[4] = {k.x, k.y, k.xm, k.ym};
    if (k.repaired < 0) {
      const double* fields[4] = {&g.b.PosX[5], &g.b.PosY[5], &g.b.VelX[5], &g.b.VelY[5]};
      for (int i = 0; i < 4; ++i) EXPECT_EQ(*fields[i], Val(typed[i])) << typed[i];
    } else {
      EXPECT_EQ(g.b.PosX[5], x);
      EXPECT_EQ(g.b.VelY[5], vy);
      for (int i = 0; i < 4; ++i) EXPECT_EQ(box(i).text(), i == k.repaired ? k.text : typed[i]) << typed[i];
    }
    c("Command5").press();
  }
}

TEST_F(Editor, AWriteBackTakesWholeNumbersOnly) {
  openOn(5);
  const double x = g.b.PosX[5], m = g.b.Mass[5];
  box(0).setText("100");
  box(4).setText("12abc");  // the mass is not checked, and this text is no number as a whole
  box(0).loseFocus();
  EXPECT_EQ(g.b.PosX[5], x);
  EXPECT_EQ(g.b.Mass[5], m);
  EXPECT_EQ(c("Labill").caption(), "Nothing written back: the mass \"12abc\" is not a number");
  box(4).setText(" 0.002 ");
  box(4).loseFocus();
  EXPECT_EQ(g.b.PosX[5], 100);
  EXPECT_EQ(g.b.Mass[5], 0.002);

  c("TXTOden").setText("5x");
  box(0).setText("200");
  box(0).loseFocus();
  EXPECT_EQ(g.b.PosX[5], 100);
  EXPECT_NE(c("Labill").caption().find("planet number \"5x\""), std::string::npos);
}

TEST_F(Editor, ScrollBarModeLocksThePositionAndMomentumBoxes) {
  openOn(5);
  const double x = g.b.PosX[5];
  c("Opadd(1)").press();
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(box(i).readOnly() && box(i).visible());
  EXPECT_FALSE(box(4).readOnly());
  EXPECT_FALSE(c("LabTab").visible());
  box(0).setText("100");
  box(0).loseFocus();
  EXPECT_EQ(g.b.PosX[5], x);
  // The hidden bars write their box back in this mode only, and reach no further than a typed value.
  c("Hsp(0)").setValue(-300);
  EXPECT_EQ(g.b.PosX[5], -300);
  EXPECT_FALSE(c("Hsp(0)").visible());
  EXPECT_EQ(c("Hsp(2)").max(), 200);
  c("Opadd(0)").press();
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(box(i).readOnly());
  c("Hsp(1)").setValue(50);
  EXPECT_NE(g.b.PosY[5], 50);
}

TEST_F(Editor, PlanetOffMirrorsTheBodysGoneFlag) {
  g.b.Gone[7] = 1;
  openOn(7);
  EXPECT_TRUE(c("Chon").checked());
  EXPECT_EQ(c("Chon").caption(), "Planet OFF");
  EXPECT_EQ(g.b.Gone[7], 1);
  g.b.Gone[8] = 0;
  c("Qui").setValue(8);
  EXPECT_FALSE(c("Chon").checked());
  EXPECT_EQ(c("Chon").caption(), "Planet ON");
}

TEST_F(Editor, MarkerTypeLabelAndBar) {
  g.b.PosX[9] = 100, g.b.PosY[9] = -200;
  openOn(9);
  Control& mark = c("Shark");
  // Centred on the body as the main view draws it, to the nearest unit; off the view, hidden.
  EXPECT_EQ(mark.left() + mark.width() / 2.0, 7680 + 100 + 0.5);
  EXPECT_EQ(mark.top() + mark.height() / 2.0, 5760 - 200 + 0.5);
  EXPECT_TRUE(mark.visible());
  g.b.PosX[9] = 9000;
  c("La(0)").press();
  EXPECT_FALSE(mark.visible());
  for (auto [kind, label] : {std::pair{1.0, "Star Type"}, {2.0, "Star Type"}, {3.0, "Planet Type"}}) {
    g.b.BodyKind[9] = kind;
    c("La(0)").press();
    const Color before = mark.fore();
    c("TiF").tick();
    EXPECT_EQ(c("La(16)").caption(), label);
    EXPECT_NE(mark.fore(), before);  // lit and dark by turns
  }
  c("Qui").setValue(11);
  EXPECT_EQ(c("TXTOden").text(), "11");
  EXPECT_EQ(box(1).text(), shortest(g.b.PosY[11]));
}

TEST_F(Editor, APresetPressedWhilePausedRuns) {
  c("Command5").press();
  c("CDp(4)").press();
  EXPECT_EQ(g.s.Preset, 4);
  EXPECT_EQ(g.s.PauseFlag, "");
  EXPECT_FALSE(c("TXTOden").visible());
  EXPECT_TRUE(g.pumpTurn());

  // Paused before any system: the first preset runs too.
  Scenario fresh;
  Game& f = fresh.g();
  f.c("Command5").press();
  EXPECT_TRUE(f.c("TXTOden").visible());
  EXPECT_EQ(f.c("Qui").max(), 1);
  f.c("CDp(3)").press();
  EXPECT_EQ(f.s.PauseFlag, "");
  EXPECT_TRUE(f.loopRunning());
  EXPECT_TRUE(f.pumpTurn());
}

}  // namespace
}  // namespace quorl
