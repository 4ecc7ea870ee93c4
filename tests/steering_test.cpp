// Steering by keys: the pushes, the fuel they cost, the intensity they leave, and the refusals.
#include "events/steering.h"

#include <gtest/gtest.h>

#include "sim/numbers.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

constexpr int F = 55;  // the selected craft

// A starship with full tanks at time scale 31, thrust 500: each press pushes by 0.5.
struct Steer : ::testing::Test {
  testing::Scenario sc;
  Game& g = sc.g();
  BodyTable& b = g.b;
  Steer() {
    testing::emptyTable(g, 60);
    testing::place(g, F, 100, 100, 0, 1, 2, 3, 5e-21);
    b.CraftCode[F] = 35, b.BodyKind[F] = 13, b.PlanetClass[F] = 1, b.Fuel[F] = 1000;
    g.s.MasterScale = 31, g.s.Focus = F;
  }
  // Velocities 1, 2, 3, the fuel and the thrust text as given, then one key.
  void press(char k, double fuel = 1000, const char* thrust = "500") {
    b.VelX[F] = 1, b.VelY[F] = 2, b.VelZ[F] = 3, b.Fuel[F] = fuel;
    g.c("txTHrust").setText(thrust);
    g.keyPress(k);
  }
  std::string status() { return g.c("Labill").caption(); }
  std::string velocity() { return plain(b.VelX[F]) + " " + plain(b.VelY[F]) + " " + plain(b.VelZ[F]); }
};

TEST_F(Steer, KeysPushBrakeOrSetTheIntensityAndEveryOneCostsFuel) {
  const struct {
    char key;
    const char *velocity, *after;
  } cases[] = {{'q', "0.5 1.5 3", "500"},   {'e', "1.5 1.5 3", "500"}, {'z', "0.5 2.5 3", "500"},
               {'c', "1.5 2.5 3", "500"},   {'w', "1 2 2.5", "500"},   {'x', "1 2 3.5", "500"},
               {'s', "0.9 1.8 2.7", "500"}, {'a', "1 2 3", "466"},     {'d', "1 2 3", "535"},
               {'E', "1 2 3", "500"},       {'7', "1 2 3", "500"},     {' ', "1 2 3", "500"}};
  for (const auto& t : cases) {
    press(t.key);
    EXPECT_EQ(velocity(), t.velocity) << t.key;
    EXPECT_EQ(b.Fuel[F], 999.5) << t.key;
    EXPECT_EQ(g.c("txTHrust").text(), t.after) << t.key;
    EXPECT_EQ(g.c("PFUel").toolTip() + " " + plain(g.c("PFUel").width()), "Fuel:=   999.5 1000") << t.key;
  }
}

// Under the fuel bar, the fuel within its last ten units: 150 window units a unit of fuel.
TEST_F(Steer, TheFineFuelBarShowsEverySpend) {
  const struct {
    double fuel;
    const char* thrust;
    int coarse, fine;
  } cases[] = {{1000, "500", 1000, 1425}, {1000, "100", 1000, 1485}, {5.2, "1", 5, 780},
               {0.7, "500", 0, 30},      {0.4, "500", 0, 0}};
  for (const auto& t : cases) {
    press('e', t.fuel, t.thrust);
    EXPECT_EQ(g.c("PFUel").width(), t.coarse) << t.fuel;
    EXPECT_EQ(g.c("PFuelFine").width(), t.fine) << t.fuel;
  }
}

TEST_F(Steer, TheThrustIsKeptBetweenOneAnd1024AndItsBarRunsYellowToRed) {
  const struct {
    const char *typed, *velocity, *after;
    int width;
    Color back;
  } cases[] = {
      {"5000", "6 7 3", "1024", 510, rgb(255, 11, 0)},      {"500", "1.5 2.5 3", "500", 249, rgb(255, 136, 0)},
      {"0.2", "1.0002 2.0002 3", "1", 0, rgb(255, 255, 0)}, {"6.5", "1.0065 2.0065 3", "6.5", 3, rgb(255, 253, 0)},
      {"7.9", "1.0079 2.0079 3", "7", 3, rgb(255, 253, 0)}, {"abc", "1 2 3", "1", 0, rgb(255, 255, 0)}};
  for (const auto& t : cases) {
    press('c', 1000, t.typed);
    EXPECT_EQ(velocity(), t.velocity) << t.typed;
    EXPECT_EQ(g.c("txTHrust").text(), t.after) << t.typed;
    EXPECT_EQ(g.c("Pthrust").width(), t.width) << t.typed;
    EXPECT_EQ(g.c("Pthrust").back(), t.back) << t.typed;
  }
  // At another time scale the push changes and the text stays (no whole number lost to rounding).
  g.s.MasterScale = 10;
  press('c');
  EXPECT_NEAR(b.VelX[F], 1 + 0.5 * std::sqrt(10.0 / 31), 1e-12);
  EXPECT_EQ(g.c("txTHrust").text(), "500");
}

TEST_F(Steer, RefusalsAndTheFuelRules) {
  g.c("LaCosmo").setCaption("Microbial");
  g.c("LaThing").setCaption("Comet");
  const struct {
    int craft, kind, cls;
    double fuel, fuelAfter;  // in the tank before and after the press
    const char *celestials, *message, *velocity;
  } cases[] = {
      {35, 11, 1, 0, 0, "0", "Microbial Comet\rW55\rNo Thrust available.", "1 2 3"},
      {35, 13, 1, 0.3, 0, "0", "", "1.5 1.5 3"},
      {35, 13, 1, 0, 0, "0", "No fuel", "1 2 3"},
      {35, 13, 1, -4, 0, "0", "NO FUEL !!", "1 2 3"},
      {35, 13, 1, 0, 0, "0", "No fuel", "1 2 3"},
      {35, 15, 1, 0.3, 1333, "0", "No fuel", "1.5 1.5 3"},  // a lightball refills itself
      {0, 13, 3, 10, 10, "2", "You require more Celestial wisdom to navigate W55", "1 2 3"},
      {0, 13, 3, 0, 0, "3", "No fuel", "1 2 3"},
      {0, 13, 3, 10, 9.5, "3", "No fuel", "1.5 1.5 3"},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE("row " + std::to_string(&t - cases));
    b.CraftCode[F] = static_cast<std::int16_t>(t.craft), b.BodyKind[F] = t.kind;
    b.PlanetClass[F] = static_cast<std::int16_t>(t.cls);
    g.c("LabTot", 5).setCaption(t.celestials);
    if (*t.message == 0) g.c("Labill").setCaption("");
    press('e', t.fuel);
    EXPECT_EQ(status(), t.message);
    EXPECT_EQ(velocity(), t.velocity);
    EXPECT_EQ(b.Fuel[F], t.fuelAfter);
  }
  // A star says so before anything else (the sun has neither wisdom to ask for nor fuel); body 3 is no star.
  for (auto [focus, cls, celestials, message] :
       {std::tuple{2, 8, "0", "A star cannot be steered: W2"}, {1, 0, "9", "A star cannot be steered: W1"},
        {3, 0, "9", "No fuel"}}) {
    g.s.Focus = static_cast<std::int16_t>(focus);
    b.CraftCode[focus] = 0, b.BodyKind[focus] = 3, b.PlanetClass[focus] = static_cast<std::int16_t>(cls);
    b.Fuel[focus] = 0;
    g.c("LabTot", 5).setCaption(celestials);
    g.c("Labill").setCaption("");
    g.keyPress('e');
    EXPECT_EQ(status(), message) << focus;
  }
}

TEST_F(Steer, AThrustThatCannotBeUsedIsRefusedAndTheBoxShowsTheOneInForce) {
  const struct {
    const char *typed, *message;
  } cases[] = {{"300 fast", "Spacecraft thrust: \"300 fast\" is not a number; read as 300"},
               {"-5", "Spacecraft thrust (0 or more): \"-5\" cannot be used; kept 300"},
               {"1e999", "Spacecraft thrust (0 or more): \"1e999\" cannot be used; kept 300"}};
  Control& box = g.c("txTHrust");
  for (const auto& t : cases) {
    box.setText(t.typed);
    box.loseFocus();
    EXPECT_EQ(box.text() + " " + status(), std::string("300 ") + t.message);
  }
  box.setText("-1");
  g.keyPress('e');  // typed but not left: the press is refused and costs nothing
  EXPECT_EQ(box.text() + " " + plain(b.Fuel[F]), "300 1000");
}

TEST_F(Steer, TheKeysFrameOpensAndCollapsesByAClick) {
  Control& frame = g.c("Frame4");
  frame.press();
  EXPECT_EQ(frame.height(), Steering::kOpenHeight);
  frame.press();
  EXPECT_EQ(frame.height(), Steering::kCollapsedHeight);
  EXPECT_EQ(g.c("Picture1").toolTip(), "W + X thrust on the Z-axis ... A + D change the intensity of thrust");
}

}  // namespace
}  // namespace quorl
