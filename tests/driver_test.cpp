// The driver against hostile input: every field put with values no play gives it, then a run of the game;
// counts and times no script can mean. Under the sanitizers nothing may report.
#include "cli/driver.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "sim/fields.h"
#include "sim/numbers.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

// Where a field is put: the selected world's row, the last entry of an array.
std::string address(const Field& f, int body) {
  std::vector<std::string> index;
  if (f.outer > 0) index.push_back(std::to_string(f.outer - 1));
  if (f.perBody) index.push_back(std::to_string(body));
  else if (f.length > 0) index.push_back(std::to_string(f.length - 1));
  if (index.empty()) return f.name;
  return f.name + "(" + index.front() + (index.size() > 1 ? "," + index.back() : "") + ")";
}

template <typename T>
std::vector<std::string> limits() {
  return {shortest(static_cast<double>(std::numeric_limits<T>::lowest())),
          shortest(static_cast<double>(std::numeric_limits<T>::max()))};
}

// Fourteen values: not numbers, beyond any number, the type's own ends, the edges of 0, indexes past tables.
std::vector<std::string> hostile(const FieldPtr& p) {
  std::vector<std::string> ends = std::visit(
      [](auto* v) -> std::vector<std::string> {
        using T = std::remove_pointer_t<decltype(v)>;
        if constexpr (std::is_same_v<T, i16>) return limits<std::int16_t>();
        else if constexpr (std::is_same_v<T, i32>) return limits<std::int32_t>();
        else if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) return limits<T>();
        else return {"-32768", "2147483647"};
      },
      p);
  std::vector<std::string> values = {"nan", "inf",  "-inf",  "1e400", "-1e400",     "-1",
                                     "0",   "9999", "10000", "65536", "4294967296", "32768"};
  values.insert(values.end(), ends.begin(), ends.end());
  return values;
}

bool integral(const FieldPtr& p) {
  return std::holds_alternative<i16*>(p) || std::holds_alternative<i32*>(p) || std::holds_alternative<std::int16_t*>(p);
}

// A running system with life on the selected world, so that the nova and the launch go all the way.
void scene(Game& g) {
  g.c("TXran").setText("4242");
  g.c("CHran").press();
  g.c("TXplanets").setText("12");
  g.c("CDp", 3).press();
  for (int k = 0; k < 20; ++k) g.pumpTurn();
}

void play(Game& g, int passes) {
  for (int k = 0; k < passes; ++k) g.pumpTurn();
  g.ui.fire([&] { g.c("Command11").press(); });  // a nova of the selected world
  const int focus = g.s.Focus;
  if (validBody(focus)) g.b.LifeCount[3][focus] = 40;
  g.ui.fire([&] { g.c("TimWheel").tick(); });
  g.ui.fire([&] { g.c("Command12").press(); });  // a launch from it
  for (Control& c : g.ui.all())                  // every timer, running or not
    if (c.kind == Kind::Timer && c.onTick) g.ui.fire(c.onTick);
}

TEST(DriverPut, EveryFieldTakesOnlyWhatPlayCanLeaveInItAndTheGameRunsOnWhateverItTook) {
  int refused = 0, taken = 0;
  for (const Field& f : fields()) {
    testing::Scenario sc;
    Game& g = sc.g();
    scene(g);
    const std::string name = address(f, 3);
    FieldPtr p;
    ASSERT_TRUE(fieldAt(g, name, p)) << name;
    for (const std::string& value : hostile(p)) {
      SCOPED_TRACE(name + " " + value);
      const std::string before = fieldText(p);
      const std::string said = sc.run("put " + name + " " + value + "\n");
      if (!said.empty()) {
        ++refused;
        EXPECT_EQ(said.rfind("!line 1: ", 0), 0u) << said;
        EXPECT_EQ(fieldText(p), before);  // a refused value leaves the field as it was
        // An integer the field's type holds gets in all the same where put is not asked (a replay's head):
        // the core guards the indexes and counts it reads. Such a value shows at its first use.
        std::string why;
        if (!integral(p) || !setFieldText(p, value, why)) continue;
        play(g, 20);
        continue;
      }
      ++taken;
      double number = 0;
      if (parseStrict(fieldText(p), number)) {
        EXPECT_TRUE(std::isfinite(number));
        EXPECT_GE(number, f.lo);
        EXPECT_LE(number, f.hi);
      }
      play(g, 200);
    }
  }
  EXPECT_GT(refused, 600);  // both sides of the table are reached
  EXPECT_GT(taken, 300);
}

// Indexes outside their tables, counts below 0, counts and times no script can mean: each refusal names it.
TEST(DriverRefusals, WhatPlayCannotHoldAndCountsNoScriptMeansAreNamed) {
  testing::Scenario sc;
  const struct {
    const char* line;
    const char* said;
  } cases[] = {
      {"put Focus 10000", "'10000' is not a value Focus holds in play (0..9999) for Focus"},
      {"put NewWorldCount -1", "'-1' is not a value NewWorldCount holds in play (0..9999) for NewWorldCount"},
      {"put LifeCount(2,7) -5", "'-5' is not a value LifeCount holds in play (0..) for LifeCount(2,7)"},
      {"put ImpactCount(7) 100", "'100' is not a value ImpactCount holds in play (0..99) for ImpactCount(7)"},
      {"put Mass(7) nan", "'nan' is not a value Mass holds in play for Mass(7)"},
      {"put ColorR(7) 1e300", "1e300 does not fit a single for ColorR(7)"},
      {"passes -1", "passes takes a count from 0 to 10000000"},
      {"passes 10000001", "passes takes a count from 0 to 10000000"},
      {"passes 99999999999999999999", "'99999999999999999999' is not a whole number for passes"},
      {"tick TimZkrol -3", "tick takes a count from 0 to 1000000"},
      {"tick TimZkrol 1000001", "tick takes a count from 0 to 1000000"},
      {"advance -1", "advance takes a count from 0 to 86400000"},
      {"advance 9223372036854775807", "advance takes a count from 0 to 86400000"},
      {"set Hacl 31", "value 31 is outside Hacl's range 1..30"},
      {"set Hacl 0", "value 0 is outside Hacl's range 1..30"},
  };
  for (const auto& c : cases) EXPECT_EQ(sc.run(std::string(c.line) + "\n"), std::string("!line 1: ") + c.said + "\n");
  EXPECT_EQ(
      sc.run(
          "put Focus 9999\npasses 0\ntick TimZkrol 0\nadvance 0\nadvance 1000\nset Hacl 30\nset Hacl 1\nget Focus\n"),
      "Focus=9999\n");
}

}  // namespace
}  // namespace quorl
