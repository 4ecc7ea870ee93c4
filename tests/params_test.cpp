// The parameter panel and the window's load: defaults, the Speed procedures, layout and start-up.
#include "app/params.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/program_start.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

struct Panel : ::testing::Test {
  Scenario sc;
  Game& g = sc.g();
  Control& c(const std::string& name) { return g.c(name); }
  // The load without a saved file, so the boxes decide rather than tallyho.txt.
  void startAfresh() {
    std::filesystem::remove(sc.dir + "/tallyho.txt");
    programStart(g);
  }
};

// Tool tips and design texts of the panel's boxes, as the game lists them.
TEST_F(Panel, BoxesOpenWithTheirToolTipsAndDesignTexts) {
  struct Row {
    const char* name;
    const char* toolTip;
    const char* text;
  } rows[] = {
      {"TXplanets", "Start with this number of planets", "17"},
      {"TxTenner", "Spare worlds beyond the start", "133"},
      {"TXmaster", "Master Scale for Starting Rate of Time.", "10"},
      {"Text1", "Gravity or fuse bodies proximity radius.", "1"},
      {"TXspac", "The slower the algorithm, the more accurate it is.", "100"},
      {"TXmo", "Torque Spin Power", "1000"},
      {"Text14", "Rate of Planet graphics (thousands of a second)", "2000"},
      {"Text13", "Rate of Zoom graphics (thousands of a second)", "60"},
      {"TXpower", "Power of Thrust", "7000"},
      {"Text3", "Total Mass of Supernova as a proportion of Jupiter, excluding stable Sun at center.", "0.0"},
      {"Txplod", "Explosive randomness", "1000"},
      {"TxSpread", "Pre-calculated dispersal volume", "1000"},
      {"TXangle", "Angle in Radians x 1000 (Full Circle = 6284)", "4200"},
      {"Text10", "Elevation of Thrust on Z-Axis", "0"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(c(r.name).kind, Kind::TextBox);
    EXPECT_EQ(c(r.name).toolTip(), r.toolTip);
    EXPECT_EQ(c(r.name).text(), r.text);
  }
  EXPECT_EQ(c("TXran").toolTip(), "Randomizer Seed");
  EXPECT_EQ(c("CHran").caption(), "Random");
  EXPECT_EQ(c("CHran").toolTip(), "Freeze Seed for Predetermined Planetary Data");
  EXPECT_FALSE(c("CHran").checked());
  EXPECT_EQ(c("CapSpeed").caption(), "Speed/ Accuracy");
  EXPECT_EQ(c("CapHeading").caption(), "Starting Parameters");
  EXPECT_EQ(c("LabTab").caption(), "Tip: Hit TAB after making changes to the numbers in the textboxes");
  EXPECT_TRUE(c("Text3").readOnly());

  Control& bar = c("Hspac");
  EXPECT_EQ(bar.min(), 0);
  EXPECT_EQ(bar.max(), 10000);
  EXPECT_EQ(bar.smallChange(), 10);
  EXPECT_EQ(bar.largeChange(), 100);
  EXPECT_EQ(bar.value(), 100);
}

TEST_F(Panel, SharedValuesStartAsThePanelShowsThem) {
  EXPECT_EQ(g.s.MasterScale, 10);
  EXPECT_EQ(g.s.SpareWorlds, 133);
  EXPECT_EQ(g.s.Proximity, 1.0);
  EXPECT_EQ(g.s.PlanetGraphicsRate, 2000);
  EXPECT_EQ(g.s.ZoomRate, 60);
  EXPECT_EQ(g.s.Speed, 100.0);
  EXPECT_EQ(g.s.TorqueSpinPower, 1000.0);
}

TEST_F(Panel, ProgramStartLaysOutCollapsedPanelsAndFonts) {
  EXPECT_EQ(c("FraLif").top(), 12700);
  EXPECT_EQ(c("FraLif").height(), 240);
  EXPECT_EQ(c("txGG").parent(), "FraLif");  // in the frame's top line, shown while collapsed
  EXPECT_EQ(c("FraCosmo").top(), 12960);
  EXPECT_EQ(c("FraCosmo").height(), 255);
  EXPECT_EQ(c("Frame4").top(), 12960);
  EXPECT_EQ(c("Frame4").height(), 240);
  EXPECT_EQ(c("PicWorld").top(), 11280);
  EXPECT_EQ(c("Command1").left(), 0);
  EXPECT_EQ(c("Command1").top(), 0);

  EXPECT_EQ(c("SCRpowER").value(), 7000);
  EXPECT_EQ(c("ScrAngle").value(), 4200);

  const std::vector<std::string> crafts(g.s.CraftTypeNames.begin() + 1, g.s.CraftTypeNames.end());
  EXPECT_EQ(crafts, (std::vector<std::string>{"Comet", "U-Boat", "Starship", "UFO", "Lightball"}));

  for (auto [name, size] : {std::pair{"Quorl", 12.0}, {"PicWorld", 12.0}, {"PicMoon", 10.0}, {"PicSide", 10.0}}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(g.canvas(name).fontName, "Georgia");
    EXPECT_EQ(g.canvas(name).fontSize, size);
  }
}

TEST_F(Panel, ProgramStartReadsMagnificationAndPutsTheZoomBarsAtTheFrame) {
  EXPECT_EQ(g.s.Magnification, 1.0);
  c("txZZ").setText("2.5");
  startAfresh();
  EXPECT_EQ(g.s.Magnification, 2.5);
  c("txZZ").setText("");
  startAfresh();
  EXPECT_EQ(g.s.Magnification, 1.0);

  Control& frame = c("FraMoon");
  Control& horz = c("ZkrolHorz");
  Control& vert = c("ZkrolVert");
  EXPECT_EQ(horz.value(), frame.left());
  EXPECT_EQ(vert.value(), frame.top());
  // A frame outside the bars' reach puts them at their ends, never out of range.
  frame.setLeft(horz.max() + 5000);
  frame.setTop(-300);
  startAfresh();
  EXPECT_EQ(horz.value(), horz.max());
  EXPECT_EQ(vert.value(), vert.min());
}

TEST_F(Panel, ProgramStartTakesSpeedFromItsBox) {
  c("TXspac").setText("250");
  startAfresh();
  EXPECT_EQ(g.s.Speed, 250.0);
  EXPECT_EQ(c("Hspac").value(), 250);
}

TEST_F(Panel, SkaldTakesSpeedFromTheBar) {
  c("TXmaster").setText("7");
  c("Hspac").setValue(300);
  EXPECT_EQ(g.s.Speed, 300.0);
  EXPECT_EQ(g.s.GravityFactor, 2100);
  EXPECT_EQ(c("TXspac").text(), "300");
  // A bar at 0 still moves the system.
  c("Hspac").setValue(0);
  g.params->Skald();
  EXPECT_EQ(g.s.Speed, 1.0);
  EXPECT_EQ(g.s.GravityFactor, 7);
  EXPECT_EQ(c("TXspac").text(), "1");
}

TEST_F(Panel, SkillKeepsASpeedBeyondTheBarAndPinsTheBar) {
  c("TXspac").setText("29999.6");  // above 29999: the box shows 30000 at once
  EXPECT_EQ(c("TXspac").text(), "30000");
  c("TXspac").setText("12345.5");
  g.params->Skill();
  EXPECT_EQ(g.s.Speed, 12345.5);
  EXPECT_EQ(g.s.GravityFactor, 123455);
  EXPECT_EQ(c("Hspac").value(), 10000);
  EXPECT_EQ(c("TXspac").text(), "12345.5");
  // Inside the bar's range the bar's change takes over, as it always does.
  c("TXspac").setText("77");
  g.params->Skill();
  EXPECT_EQ(g.s.Speed, 77.0);
  EXPECT_EQ(c("Hspac").value(), 77);
}

TEST_F(Panel, PlanetsBoxBorrowsTheClearTimeColoursWhenSmall) {
  c("TXref").setFore(rgb(10, 200, 30));
  c("TXplanets").setText("801");
  c("TXplanets").loseFocus();
  EXPECT_EQ(c("TXplanets").back(), rgb(128, 0, 0));
  EXPECT_EQ(c("TXplanets").fore(), rgb(255, 155, 55));
  c("TXplanets").setText("800");
  c("TXplanets").loseFocus();
  EXPECT_EQ(c("TXplanets").back(), rgb(0, 0, 0));
  EXPECT_EQ(c("TXplanets").fore(), rgb(10, 200, 30));
  // Black on black would hide the number: the box keeps a readable colour instead.
  c("TXref").setFore(rgb(0, 0, 0));
  c("TXplanets").loseFocus();
  EXPECT_NE(c("TXplanets").fore(), rgb(0, 0, 0));
}

TEST_F(Panel, SpareWorldsRefusedWhenThePlanetsBoxCannotBeMadeUp) {
  // Planets typed but not yet checked: making up 150 bodies would need more than 16 bits.
  c("TXplanets").setText("-1e9");
  c("TxTenner").setText("5");
  c("TxTenner").loseFocus();
  EXPECT_EQ(g.s.SpareWorlds, 133);
  EXPECT_EQ(c("TxTenner").text(), "133");
  EXPECT_NE(c("Labill").caption().find("Spare worlds"), std::string::npos);
  // A negative spare count is never kept.
  c("TXplanets").setText("200");
  c("TxTenner").setText("-100");
  c("TxTenner").loseFocus();
  EXPECT_EQ(g.s.SpareWorlds, 0);
  EXPECT_EQ(c("TxTenner").text(), "0");
}

TEST_F(Panel, SeedEnteredReadsTheBoxAndRefusesWhatSixteenBitsCannotHold) {
  c("TXran").setText("-123");
  c("TXran").gainFocus();
  EXPECT_EQ(g.s.SeedValue, -123);
  c("TXran").setText("1e6");
  c("TXran").gainFocus();
  EXPECT_EQ(g.s.SeedValue, -123);
  EXPECT_EQ(c("TXran").text(), "-123");
  c("TXran").setText("32767.4");
  c("TXran").loseFocus();
  EXPECT_EQ(c("TXran").text(), "32767");
  EXPECT_EQ(g.s.SeedValue, 32767);
}

TEST_F(Panel, RandomBoxStopsAndStartsTheSeedTimer) {
  Control& timer = c("Tr");
  ASSERT_TRUE(timer.timerRunning());
  c("CHran").press();
  EXPECT_FALSE(timer.timerRunning());
  c("CHran").press();
  EXPECT_TRUE(timer.timerRunning());
}

TEST_F(Panel, TorqueTakesOnlyTextThatIsWhollyANumber) {
  for (const char* bad : {"12abc", "", "1e999", "--3"}) {
    SCOPED_TRACE(bad);
    c("TXmo").setText(bad);
    c("TXmo").loseFocus();
    EXPECT_EQ(g.s.TorqueSpinPower, 1000.0);
    EXPECT_EQ(c("TXmo").text(), "1000");
  }
  c("TXmo").setText(" -2.5 ");
  c("TXmo").loseFocus();
  EXPECT_EQ(g.s.TorqueSpinPower, -2.5);
}

// Every control of the panel lies in its column, top 0..6000, and no two overlap, even with the
// proximity box widened.
TEST_F(Panel, PanelFitsItsColumnWithoutOverlaps) {
  c("Text1").setText("0");
  c("Text1").loseFocus();
  ASSERT_EQ(c("Text1").width(), 1500);
  std::vector<std::string> names = {"CapHeading", "Hspac", "CHran", "LabTab", "Oplank(0)", "Oplank(1)", "Oplank(2)"};
  for (const char* box : {"TXplanets", "TxTenner", "TXmaster", "TXmo", "TXspac", "TXran", "Text14", "Text13", "Txplod",
                          "TxSpread", "TXpower", "TXangle", "Text10", "Text3", "Text1"})
    names.push_back(box);
  for (const char* cap :
       {"CapPlanets", "CapSpare", "CapMaster", "CapTorque", "CapSpeed", "CapSeed", "CapPlanetRate", "CapZoomRate",
        "CapExplode", "CapSpread", "CapPower", "CapAngle", "CapElevation", "CapNovaMass", "CapProximity"})
    names.push_back(cap);
  for (const auto& n : names) {
    const Control& a = c(n);
    SCOPED_TRACE(n);
    EXPECT_GE(a.left(), 15480);
    EXPECT_LE(a.left() + a.width(), 19800);
    EXPECT_GE(a.top(), 0);
    EXPECT_LE(a.top() + a.height(), 6000);
    EXPECT_GT(a.width(), 0);
    EXPECT_GT(a.height(), 0);
    for (const auto& m : names) {
      if (m == n) continue;
      const Control& b = c(m);
      const bool apart = a.left() + a.width() <= b.left() || b.left() + b.width() <= a.left() ||
                         a.top() + a.height() <= b.top() || b.top() + b.height() <= a.top();
      EXPECT_TRUE(apart) << n << " overlaps " << m;
    }
  }
}

TEST_F(Panel, PayloadLabelsCarryTheCraftColours) {
  struct Row {
    Color fore, back;
    const char* tip;
  } rows[] = {
      {rgb(202, 252, 15), rgb(0, 128, 0), "Microbial Variation on this world"},
      {rgb(192, 192, 255), rgb(0, 64, 144), "Aquatiq Variation on this world"},
      {rgb(255, 128, 128), rgb(112, 80, 0), "Terran  Variation on this world"},
      {rgb(204, 128, 255), rgb(96, 0, 96), "Fungoidal Variation on this world"},
      {rgb(255, 224, 128), rgb(96, 96, 0), ""},
  };
  EXPECT_EQ(g.c("LaMount", 0).fore(), rgb(255, 255, 255));
  for (int k = 1; k <= 5; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(g.c("LaMount", k).fore(), rows[k - 1].fore);
    EXPECT_EQ(g.c("LaMount", k).back(), rows[k - 1].back);
    EXPECT_EQ(g.c("LaMount", k).toolTip(), rows[k - 1].tip);
  }
}

TEST_F(Panel, OpeningHelpLiesOnTheMainViewAndTheStatusLineBelowThePictureStrip) {
  const Control& aim = c("Label13");
  EXPECT_EQ(aim.caption().rfind("The aim", 0), 0u);
  EXPECT_TRUE(aim.visible());
  EXPECT_LE(aim.left() + aim.width(), 12840);  // clear of the side views
  EXPECT_LE(aim.top() + aim.height(), 8880);   // and of the edge view
  const Control& status = c("Labill");
  const Control& strip = c("PicWorld");
  EXPECT_GE(status.top(), strip.top() + strip.height());
  // With the path's box and text at its right end, it spans the main view.
  const Control& path = c("LabPath");
  EXPECT_EQ(path.top(), c("ChPath").top() + c("ChPath").height());
  EXPECT_LE(status.left() + status.width(), path.left());
  EXPECT_EQ(path.left() + path.width(), 15360);
}

}  // namespace
}  // namespace quorl
