// The body editor: Pause opens it on the selected world and Pause again closes it; the number box, the
// boxes' checks and what they say, the write-back, the two modes, the marker, and a preset pressed while paused.
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
  // Opens the editor with body `pln` selected.
  void openOn(int pln) {
    g.s.Focus = static_cast<std::int16_t>(pln);
    c("Command5").press();
  }
  std::string status() { return c("Labill").caption(); }
};

TEST_F(Editor, PauseOpensThePanelOnTheSelectedWorldAndPauseAgainResumes) {
  const char* panel[] = {"TXTOden", "TxTyp", "Qui", "La(0)", "La(16)", "Frame2", "Chon", "LabTab", "Shark"};
  const int bodies = g.s.BodyCount;
  // The number left in the box from before does not matter; a selection beyond the table's end is brought in.
  for (auto [focus, typed, opened] : {std::tuple{7, "0", 7}, {12, "99999", 12}, {9999, "3", bodies}}) {
    c("TXTOden").setText(typed);
    for (bool paused : {true, false}) {  // the same press opens, then closes
      SCOPED_TRACE(std::to_string(focus) + (paused ? " opened" : " closed"));
      if (paused) openOn(focus);
      else c("Command5").press();
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

TEST_F(Editor, ANumberTypedInPlanetNumberLoadsThatBody) {
  openOn(5);
  const std::string top = std::to_string(g.s.BodyCount);
  const struct {
    std::string typed;
    int loaded;  // the body the panel then shows
    std::string status;
  } cases[] = {
      {"9", 9, ""},
      {"9", 9, ""},  // the same number again reads the body again, as a click on the label does
      {"12x", 12, "Planet number: \"12x\" is not a number; read as 12"},
      {"0", 12, "Planet number (1 to " + top + "): \"0\" cannot be used; kept 12"},
      {std::to_string(g.s.BodyCount + 1), 12,
       "Planet number (1 to " + top + "): \"" + std::to_string(g.s.BodyCount + 1) + "\" cannot be used; kept 12"},
      {top, g.s.BodyCount, ""},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.typed);
    c("Labill").setCaption("");
    box(1).setText("typed over");
    c("TXTOden").setText(k.typed);
    c("TXTOden").loseFocus();
    EXPECT_EQ(c("TXTOden").text(), std::to_string(k.loaded));
    EXPECT_EQ(c("Qui").value(), k.loaded);
    EXPECT_EQ(box(1).text(), k.status.find("kept") == std::string::npos ? shortest(g.b.PosY[k.loaded]) : "typed over");
    EXPECT_EQ(status(), k.status);
  }
}

TEST_F(Editor, LeavingABoxRepairsTheFirstFailingCheckOnlyAndNamesIt) {
  struct Case {
    std::string typed[5];  // x, y, the two momenta, the mass
    int repaired;          // the box repaired; -1: every check passed and the body is written
    std::string text, status;
  };
  const std::string x = "Nothing written back: the horizontal position ", y = "Nothing written back: the vertical position ";
  const std::string xm = "Nothing written back: the horizontal momentum ", ym = "Nothing written back: the vertical momentum ";
  const Case cases[] = {
      {{"-7681", "0", "0", "0", "0"}, 0, "-7680", x + "\"-7681\" lies outside -7680 to 7680; set to -7680"},
      {{"7700", "0", "0", "0", "0"}, 0, "7680", x + "\"7700\" lies outside -7680 to 7680; set to 7680"},
      {{"0", "-6000", "0", "0", "0"}, 1, "-5760", y + "\"-6000\" lies outside -5760 to 5760; set to -5760"},
      {{"0", "5761", "0", "0", "0"}, 1, "5760", y + "\"5761\" lies outside -5760 to 5760; set to 5760"},
      {{"0", "0", "250", "0", "0"}, 2, "200", xm + "\"250\" lies outside -200 to 200; set to 200"},
      {{"0", "0", "0", "-250", "0"}, 3, "-200", ym + "\"-250\" lies outside -200 to 200; set to -200"},
      // Two bad boxes: the first check in order wins, and a low Y is checked before a high X.
      {{"-7681", "0", "0", "-250", "0"}, 0, "-7680", x + "\"-7681\" lies outside -7680 to 7680; set to -7680"},
      {{"7700", "-6000", "0", "0", "0"}, 1, "-5760", y + "\"-6000\" lies outside -5760 to 5760; set to -5760"},
      {{"-7681", "-6000", "0", "0", "0"}, 0, "-7680", x + "\"-7681\" lies outside -7680 to 7680; set to -7680"},
      {{"0", "5761", "-201", "0", "0"}, 1, "5760", y + "\"5761\" lies outside -5760 to 5760; set to 5760"},
      {{"0", "0", "-201", "201", "0"}, 2, "-200", xm + "\"-201\" lies outside -200 to 200; set to -200"},
      {{"7700", "0", "0", "0", "2000"}, 0, "7680", x + "\"7700\" lies outside -7680 to 7680; set to 7680"},
      // The mass is checked last, at the write-back: the box gets the body's mass again.
      {{"0", "0", "0", "0", "1000.5"}, 4, "", "Nothing written back: the mass \"1000.5\" lies above 1000, a thousand times the sun; kept "},
      {{"0", "0", "0", "0", "1e999"}, 4, "1e999", "Nothing written back: the mass \"1e999\" is not a number"},
      {{"-7680", "5760", "-200", "200", "1000"}, -1, "", ""},
      {{"12.5", "-3", "1.25", "0", "0"}, -1, "", ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed[0] + " " + k.typed[1] + " " + k.typed[2] + " " + k.typed[3] + " " + k.typed[4]);
    openOn(5);
    c("Labill").setCaption("");
    const double px = g.b.PosX[5], vy = g.b.VelY[5], m = g.b.Mass[5];
    for (int i = 0; i < 5; ++i) box(i).setText(k.typed[i]);
    box(1).loseFocus();
    if (k.repaired < 0) {
      const double* fields[5] = {&g.b.PosX[5], &g.b.PosY[5], &g.b.VelX[5], &g.b.VelY[5], &g.b.Mass[5]};
      for (int i = 0; i < 5; ++i) EXPECT_EQ(*fields[i], std::stod(k.typed[i])) << i;
      EXPECT_EQ(status(), "");
    } else {
      EXPECT_EQ(g.b.PosX[5], px);
      EXPECT_EQ(g.b.VelY[5], vy);
      EXPECT_EQ(g.b.Mass[5], m);
      const std::string text = k.repaired == 4 && k.text.empty() ? shortest(m) : k.text;
      for (int i = 0; i < 5; ++i) EXPECT_EQ(box(i).text(), i == k.repaired ? text : k.typed[i]) << i;
      EXPECT_EQ(status(), k.status + (k.repaired == 4 && k.text.empty() ? shortest(m) : ""));
    }
    c("Command5").press();
  }

  // Every refusal says so again, each naming its own box, until the boxes pass.
  openOn(5);
  box(0).setText("-7681");
  box(3).setText("-250");
  for (const std::string& said : {x + "\"-7681\" lies outside -7680 to 7680; set to -7680",
                                   ym + "\"-250\" lies outside -200 to 200; set to -200", std::string()}) {
    c("Labill").setCaption("");
    box(2).loseFocus();
    EXPECT_EQ(status(), said);
  }
  EXPECT_EQ(g.b.PosX[5], -7680);
  EXPECT_EQ(g.b.VelY[5], -200);
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
    c("TiF").tick();
    EXPECT_EQ(c("La(16)").caption(), label) << kind;
  }
  // Lit and dark by turns: a yellow ring on black that the type box takes up, then a ring in the number
  // box's grey on a lighter grey (the type box keeps its yellow).
  const struct {
    Color border, fill, type;
  } phases[] = {{rgb(48, 48, 48), rgb(128, 128, 128), rgb(255, 255, 128)},
                {rgb(255, 255, 128), rgb(0, 0, 0), rgb(255, 255, 128)},
                {rgb(48, 48, 48), rgb(128, 128, 128), rgb(255, 255, 128)}};
  for (const auto& phase : phases) {
    c("TiF").tick();
    EXPECT_EQ(mark.fore(), phase.border);
    EXPECT_EQ(mark.back(), phase.fill);
    EXPECT_EQ(c("TxTyp").fore(), phase.type);
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
