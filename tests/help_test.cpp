// Help and about: the help text, the about window that ends the program, and the product page.
#include "app/help.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "app/run_control.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

struct Help : ::testing::Test {
  testing::Scenario sc;
  Game& g = sc.g();
};

TEST_F(Help, HelpButtonShowsTheTextOverThePicture) {
  EXPECT_EQ(g.c("Command14").caption(), "Help");
  EXPECT_EQ(g.c("Command14").toolTip(), "Don't Panic !!!");
  g.c("CDp(3)").press();  // creation hides the opening text
  EXPECT_FALSE(g.c("Label13").visible());
  g.c("Command14").press();
  EXPECT_TRUE(g.c("Label13").visible());
  EXPECT_FALSE(g.c("Image1").visible());
  const std::string text = g.c("Label13").caption();
  EXPECT_EQ(text.rfind("Start by trying to build a stable solar system", 0), 0u);
  for (const char* passage : {"possible. Either select [1-9] Supernova, or start with option [10]",
                              "build the solar system.\r\rGenerate atmosphere on a planet",
                              "than others to sustain life.", "lifeforms to other worlds. \r\rCelestials arrive"})
    EXPECT_NE(text.find(passage), std::string::npos) << passage;
  EXPECT_EQ(text.substr(text.size() - 16), "solar system.   ");
  g.c("Command4").press();  // Clear takes it away with the trails
  EXPECT_FALSE(g.c("Label13").visible());
}

TEST_F(Help, AboutWindowReplacesTheMainWindowAndEndsTheProgram) {
  int quits = 0;
  g.help->quit = [&] { ++quits; };
  EXPECT_FALSE(g.c("FormBrel").visible());
  g.c("Command1").press();
  EXPECT_FALSE(g.c("Quorl").visible());
  EXPECT_TRUE(g.c("FormBrel").visible());
  EXPECT_EQ(g.c("FormBrel.Command2").caption(), "--");
  EXPECT_EQ(g.c("FormBrel.Command2").parent(), "FormBrel");
  g.c("FormBrel.Command2").press();
  EXPECT_EQ(quits, 1);
  g.c("FormBrel").press();  // a click anywhere on the window
  EXPECT_EQ(quits, 2);
  g.help->quit = nullptr;
  g.c("FormBrel.Command2").press();  // nothing to end without a window
  EXPECT_EQ(quits, 2);
}

TEST_F(Help, BothWebButtonsOpenTheProductPageAndIgnoreFailures) {
  const std::string page = productPage();
  ASSERT_EQ(page.rfind("file://", 0), 0u);
  EXPECT_TRUE(std::filesystem::exists(page.substr(7))) << page;
  EXPECT_EQ(std::filesystem::path(page).filename(), "README.md");
  EXPECT_EQ(g.c("FormBrel.Command1").caption(), "visit " + page.substr(7));

  std::vector<std::string> asked;
  g.run->openBrowser = [&](const std::string& url) {
    asked.push_back(url);
    throw std::runtime_error("no browser");
    return false;
  };
  const std::string status = g.c("Labill").caption();
  g.c("Command3").press();
  g.c("FormBrel.Command1").press();
  EXPECT_EQ(asked, std::vector<std::string>({page, page}));
  EXPECT_EQ(g.c("Labill").caption(), status);
  EXPECT_TRUE(g.c("Quorl").visible());
}

}  // namespace
}  // namespace quorl
