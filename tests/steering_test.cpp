// Steering by keys: the pushes, the fuel they cost, the intensity they leave, and the refusals.
#include "events/steering.h"

#include <gtest/gtest.h>

#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

constexpr int F = 55;  // the selected craft

// A starship with full tanks at time scale 31, thrust 500: each press pushes by 0.5.
struct Steer : ::testing::Test {
  Scenario sc;
  Game& g = sc.g();
  BodyTable& b = g.b;
  Steer() {
    testing::emptyTable(g, 60);
    testing::place(g, F, 100, 100, 0, 1, 2, 3, 5e-21);
    b.CraftCode[F] = 35, b.BodyKind[F] = 13, b.PlanetClass[F] = 1, b.Fuel[F] = 1000;
    g.s.MasterScale = 31;
    g.s.Focus = F;
  }
  void key(char k) { g.keyPress(k); }
  std::string status() { return g.c("Labill").caption(); }
  std::string thrust() { return g.c("txTHrust").text(); }
};

TEST_F(Steer, KeysPushBrakeAndSetTheIntensityAndEveryOneCostsFuel) {
  const struct {
    char key;
    double vx, vy, vz;
    const char* after;
  } cases[] = {
      {'q', 0.5, 1.5, 3, "500"}, {'e', 1.5, 1.5, 3, "500"}, {'z', 0.5, 2.5, 3, "500"},   {'c', 1.5, 2.5, 3, "500"},
      {'w', 1, 2, 2.5, "500"},   {'x', 1, 2, 3.5, "500"},   {'s', 0.9, 1.8, 2.7, "500"}, {'a', 1, 2, 3, "466"},
      {'d', 1, 2, 3, "535"},     {'E', 1, 2, 3, "500"},     {'7', 1, 2, 3, "500"},       {' ', 1, 2, 3, "500"},
  };
  for (const auto& t : cases) {
    b.VelX[F] = 1, b.VelY[F] = 2, b.VelZ[F] = 3, b.Fuel[F] = 1000;
    g.c("txTHrust").setText("500");
    key(t.key);
    EXPECT_DOUBLE_EQ(b.VelX[F], t.vx) << t.key;
    EXPECT_DOUBLE_EQ(b.VelY[F], t.vy) << t.key;
    EXPECT_DOUBLE_EQ(b.VelZ[F], t.vz) << t.key;
    EXPECT_DOUBLE_EQ(b.Fuel[F], 999.5) << t.key;
    EXPECT_EQ(thrust(), t.after) << t.key;
    EXPECT_EQ(g.c("PFUel").toolTip(), "Fuel:=   999.5");
    EXPECT_EQ(g.c("PFUel").width(), 1000);
  }
}

TEST_F(Steer, TheThrustIsKeptBetweenOneAnd1024AndItsBarRunsYellowToRed) {
  const struct {
    const char* typed;
    double push;
    const char* after;
    int width;
    Color back;
  } cases[] = {
      {"5000", 5, "1024", 510, rgb(255, 11, 0)}, {"500", 0.5, "500", 249, rgb(255, 136, 0)},
      {"0.2", 0.0002, "1", 0, rgb(255, 255, 0)}, {"6.5", 0.0065, "6.5", 3, rgb(255, 253, 0)},
      {"7.9", 0.0079, "7", 3, rgb(255, 253, 0)}, {"abc", 0, "1", 0, rgb(255, 255, 0)},
  };
  for (const auto& t : cases) {
    b.VelX[F] = 0;
    g.c("txTHrust").setText(t.typed);
    key('c');
    EXPECT_DOUBLE_EQ(b.VelX[F], t.push) << t.typed;
    EXPECT_EQ(thrust(), t.after) << t.typed;
    EXPECT_EQ(g.c("Pthrust").width(), t.width) << t.typed;
    EXPECT_EQ(g.c("Pthrust").back(), t.back) << t.typed;
  }
  // Below time scale 31 the same text pushes less, and the box keeps the text.
  g.s.MasterScale = 10;
  g.c("txTHrust").setText("500");
  b.VelX[F] = 0;
  key('c');
  EXPECT_NEAR(b.VelX[F], 0.5 * std::sqrt(10.0 / 31), 1e-12);
  EXPECT_EQ(thrust(), "500");
}

TEST_F(Steer, CometsCannotBeSteeredAndEmptyTanksSaySo) {
  g.c("LaCosmo").setCaption("Microbial");
  g.c("LaThing").setCaption("Comet");
  b.BodyKind[F] = 11, b.Fuel[F] = 0;
  key('e');
  EXPECT_EQ(status(), "Microbial Comet\rW55\rNo Thrust available.");
  EXPECT_EQ(b.Fuel[F], 0);
  EXPECT_EQ(b.VelX[F], 1);

  // 0.3 left: one more push, then the tank is empty and the warnings alternate.
  b.BodyKind[F] = 13, b.Fuel[F] = 0.3;
  key('e');
  EXPECT_DOUBLE_EQ(b.VelX[F], 1.5);
  EXPECT_EQ(b.Fuel[F], 0);
  for (const char* said : {"No fuel", "NO FUEL !!", "No fuel"}) {
    key('e');
    EXPECT_EQ(status(), said);
  }
  EXPECT_DOUBLE_EQ(b.VelX[F], 1.5);
  EXPECT_EQ(thrust(), "500");

  // A lightball refills itself.
  b.BodyKind[F] = 15, b.Fuel[F] = 0.3;
  key('e');
  EXPECT_EQ(b.Fuel[F], 1333);
  EXPECT_EQ(g.c("PFUel").toolTip(), "Fuel:=   1333");
}

TEST_F(Steer, AWorldNeedsAsManyCelestialsAsItsClassNumber) {
  const struct {
    const char* celestials;
    double fuel;
    const char* message;
    double vx;
  } cases[] = {
      {"2", 10, "You require more Celestial wisdom to navigate W55", 1},
      {"3", 0, "No fuel", 1},
      {"3", 10, "", 1.5},
  };
  b.CraftCode[F] = 0, b.BodyKind[F] = 13, b.PlanetClass[F] = 3;
  for (const auto& t : cases) {
    g.c("LabTot", 5).setCaption(t.celestials);
    g.c("Labill").setCaption("");
    b.Fuel[F] = t.fuel, b.VelX[F] = 1;
    key('e');
    EXPECT_EQ(status(), t.message) << t.celestials;
    EXPECT_DOUBLE_EQ(b.VelX[F], t.vx) << t.celestials;
  }
}

TEST_F(Steer, AThrustThatCannotBeUsedIsRefusedAndTheBoxShowsTheOneInForce) {
  const struct {
    const char* typed;
    bool leave;
    const char *shown, *message;
  } cases[] = {
      {"300 fast", true, "300", "Spacecraft thrust: \"300 fast\" is not a number; read as 300"},
      {"-5", true, "300", "Spacecraft thrust (0 or more): \"-5\" cannot be used; kept 300"},
      {"1e999", false, "300", "Spacecraft thrust (0 or more): \"1e999\" cannot be used; kept 300"},
  };
  for (const auto& t : cases) {
    Control& box = g.c("txTHrust");
    box.setText(t.typed);
    if (t.leave) box.loseFocus();
    else key('e');
    EXPECT_EQ(box.text(), t.shown) << t.typed;
    EXPECT_EQ(status(), t.message) << t.typed;
  }
  EXPECT_EQ(b.Fuel[F], 1000);  // the refused press cost nothing
}

TEST_F(Steer, TheKeysFrameOpensAndCollapsesByAClick) {
  Control& frame = g.c("Frame4");
  const int top = frame.top();
  const int first = frame.height();
  frame.press();
  EXPECT_NE(frame.height(), first);
  frame.press();
  EXPECT_EQ(frame.height(), first);
  EXPECT_EQ(frame.top(), top);
  EXPECT_EQ(g.c("Picture1").toolTip(), "W + X thrust on the Z-axis ... A + D change the intensity of thrust");
}

}  // namespace
}  // namespace quorl
