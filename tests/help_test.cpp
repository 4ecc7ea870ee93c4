// Help and about: the help text, the about window that ends the program, and the product page.
#include "app/help.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "app/run_control.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

using testing::Scenario;

struct Help : ::testing::Test {
  Scenario sc;
  Game& g = sc.g();
  Control& c(const std::string& name) { return g.c(name); }
};

TEST_F(Help, HelpButtonShowsTheTextOverThePicture) {
  EXPECT_EQ(c("Command14").caption(), "Help");
  EXPECT_EQ(c("Command14").toolTip(), "Don't Panic !!!");
  c("CDp(3)").press();  // creation hides the opening text
  EXPECT_FALSE(c("Label13").visible());
  c("Command14").press();
  EXPECT_TRUE(c("Label13").visible());
  EXPECT_FALSE(c("Image1").visible());
  const std::string text = c("Label13").caption();
  EXPECT_EQ(text.rfind("Start by trying to build a stable solar system", 0), 0u);
  EXPECT_NE(text.find("possible. Either select [1-9] Supernova, or start with option [10]"), std::string::npos);
  EXPECT_NE(text.find("build the solar system.\r\rGenerate atmosphere on a planet"), std::string::npos);
  EXPECT_NE(text.find("than others to sustain life."), std::string::npos);
  EXPECT_NE(text.find("lifeforms to other worlds. \r\rCelestials arrive"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 16), "solar system.   ");
  // Clear takes it away with the trails.
  c("Command4").press();
  EXPECT_FALSE(c("Label13").visible());
}

TEST_F(Help, AboutWindowReplacesTheMainWindowAndEndsTheProgram) {
  int quits = 0;
  g.help->quit = [&] { ++quits; };
  EXPECT_FALSE(c("FormBrel").visible());
  c("Command1").press();
  EXPECT_FALSE(c("Quorl").visible());
  EXPECT_TRUE(c("FormBrel").visible());
  EXPECT_EQ(c("FormBrel.Command2").caption(), "--");
  EXPECT_EQ(c("FormBrel.Command2").parent(), "FormBrel");
  c("FormBrel.Command2").press();
  EXPECT_EQ(quits, 1);
  c("FormBrel").press();  // a click anywhere on the window
  EXPECT_EQ(quits, 2);
  g.help->quit = nullptr;
  c("FormBrel.Command2").press();  // nothing to end without a window
  EXPECT_EQ(quits, 2);
}

TEST_F(Help, BothWebButtonsOpenTheProductPageAndIgnoreFailures) {
  const std::string page = productPage();
  ASSERT_EQ(page.rfind("file://", 0), 0u);
  EXPECT_TRUE(std::filesystem::exists(page.substr(7))) << page;
  EXPECT_EQ(std::filesystem::path(page).filename(), "README.md");
  EXPECT_EQ(c("FormBrel.Command1").caption(), "visit " + page.substr(7));

  std::vector<std::string> asked;
  g.run->openBrowser = [&](const std::string& url) {
    asked.push_back(url);
    throw std::runtime_error("no browser");
    return false;
  };
  const std::string status = c("Labill").caption();
  c("Command3").press();
  c("FormBrel.Command1").press();
  EXPECT_EQ(asked, std::vector<std::string>({page, page}));
  EXPECT_EQ(c("Labill").caption(), status);
  EXPECT_TRUE(c("Quorl").visible());
}

}  // namespace
}  // namespace quorl
