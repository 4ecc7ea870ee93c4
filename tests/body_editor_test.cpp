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
};

TEST_F(Editor, PauseOpensThePanelOnABodyInRangeAndPauseAgainResumes) {
  const char* panel[] = {"TXTOden", "TxTyp", "Qui", "La(0)", "La(16)", "Frame2", "Chon", "LabTab", "Shark"};
  const int bodies = g.s.BodyCount;
  for (auto [typed, opened] : {std::pair{"0", 1}, {"7", 7}, {"99999", bodies}, {"-3", 1}, {"abc", 1}}) {
    c("TXTOden").setText(typed);
    for (bool paused : {true, false}) {  // the same press opens, then closes
      SCOPED_TRACE(std::string(typed) + (paused ? " opened" : " closed"));
      c("Command5").press();
      EXPECT_EQ(g.s.PauseFlag, paused ? "bat" : "");
      EXPECT_EQ(g.pumpTurn(), !paused);
      for (const char* name : panel) EXPECT_EQ(c(name).visible(), paused) << name;
      for (int i = 0; i < 5; ++i) EXPECT_TRUE(box(i).visible() == paused && g.c("Label6", i).visible() == paused) << i;
      EXPECT_EQ(c("Opadd(0)").checked(), paused);
      EXPECT_FALSE(c("Opadd(1)").checked());
      EXPECT_EQ(c("TiF").timerRunning(), paused);
      EXPECT_EQ(c("Command5").back(), paused ? rgb(255, 110, 40) : rgb(255, 216, 128));  // lit while paused
      if (!paused) continue;
      EXPECT_EQ(c("TXTOden").text(), std::to_string(opened));
      EXPECT_EQ(c("Qui").value(), opened);
      EXPECT_EQ(c("Qui").max(), bodies);
      EXPECT_EQ(box(4).text(), shortest(g.b.Mass[opened]));
      EXPECT_EQ(c("TxTyp").text(), shortest(g.b.BodyKind[opened]));
    }
  }
}

TEST_F(Editor, LeavingABoxRepairsTheFirstFailingCheckOnly) {
  struct Case {
    std::string typed[4];  // x, y and the two momenta
    int repaired;          // the box repaired; -1: every check passed and the body is written
    std::string text;
  };
  const Case cases[] = {
      {{"-7681", "0", "0", "0"}, 0, "-7680"},    {{"7700", "0", "0", "0"}, 0, "7680"},
      {{"0", "-6000", "0", "0"}, 1, "-5760"},    {{"0", "5761", "0", "0"}, 1, "5760"},
      {{"0", "0", "250", "0"}, 2, "200"},        {{"0", "0", "0", "-250"}, 3, "-200"},
      {{"-7681", "0", "0", "-250"}, 0, "-7680"}, {{"-7680", "5760", "-200", "200"}, -1, ""},
      {{"12.5", "-3", "1.25", "0"}, -1, ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed[0] + " " + k.typed[1] + " " + k.typed[2] + " " + k.typed[3]);
    openOn(5);
    const double x = g.b.PosX[5], vy = g.b.VelY[5];
    for (int i = 0; i < 4; ++i) box(i).setText(k.typed[i]);
    box(1).loseFocus();
    if (k.repaired < 0) {
      const double* fields[4] = {&g.b.PosX[5], &g.b.PosY[5], &g.b.VelX[5], &g.b.VelY[5]};
      for (int i = 0; i < 4; ++i) EXPECT_EQ(*fields[i], std::stod(k.typed[i])) << i;
    } else {
      EXPECT_EQ(g.b.PosX[5], x);
      EXPECT_EQ(g.b.VelY[5], vy);
      for (int i = 0; i < 4; ++i) EXPECT_EQ(box(i).text(), i == k.repaired ? k.text : k.typed[i]) << i;
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
  g.b.Gone[7] = 1, g.b.Gone[8] = 0;
  openOn(7);
  EXPECT_EQ(g.b.Gone[7], 1);
  for (auto [pln, off, caption] : {std::tuple{7, true, "Planet OFF"}, {8, false, "Planet ON"}}) {
    c("Qui").setValue(pln);  // 7 is already open: the box shows what the opening set
    EXPECT_EQ(c("Chon").checked(), off) << pln;
    EXPECT_EQ(c("Chon").caption(), caption) << pln;
  }
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
    EXPECT_EQ(c("La(16)").caption(), label) << kind;
    EXPECT_NE(mark.fore(), before) << kind;  // lit and dark by turns
  }
  c("Qui").setValue(11);
  EXPECT_EQ(c("TXTOden").text(), "11");
  EXPECT_EQ(box(1).text(), shortest(g.b.PosY[11]));
}

TEST_F(Editor, APresetPressedWhilePausedRuns) {
  Scenario fresh;  // paused before any system: the first preset runs too
  for (auto [game, preset, bodies] : {std::tuple{&g, 4, g.s.BodyCount}, {&fresh.g(), 3, 1}}) {
    SCOPED_TRACE("preset " + std::to_string(preset));
    game->c("Command5").press();
    EXPECT_TRUE(game->c("TXTOden").visible());
    EXPECT_EQ(game->c("Qui").max(), bodies);
    game->c("CDp(" + std::to_string(preset) + ")").press();
    EXPECT_EQ(game->s.Preset, preset);
    EXPECT_EQ(game->s.PauseFlag, "");
    EXPECT_FALSE(game->c("TXTOden").visible());
    EXPECT_TRUE(game->loopRunning());
    EXPECT_TRUE(game->pumpTurn());
  }
}

}  // namespace
}  // namespace quorl
