// Help texts, the about button and the about window.
#include "app/help.h"

#include <filesystem>

#include "app/game.h"
#include "app/run_control.h"
#include "app_info.h"
#include "io/folder.h"
#include "panels/layout.h"

namespace quorl {

namespace {

using namespace layout;

using Self = HelpPanel::Controls;
const ControlRow<Self> kControls[] = {
    // Start-up puts it in the top left corner.
    {QUORL_CONTROL(Command1), .kind = Kind::Button, .place = {0, 0, 360, 360}, .caption = "\u2609",
     .toolTip = "About Quorl", .fore = rgb(255, 223, 128), .back = rgb(40, 48, 72), .font = "DejaVu Sans",
     .fontSize = 11},
    {QUORL_CONTROL(Command14), .kind = Kind::Button, .place = {17640, 5640, 1030, 330}, .caption = "Help",
     .toolTip = "Don't Panic !!!", .font = kPanelFont, .fontSize = 8},
    {QUORL_CONTROL(Label13), .kind = Kind::Label, .place = {2500, 840, 10200, 3600},
     .caption = "The aim: build a stable solar system with as many living worlds as you can.\r"
                "Pick a preset [1-9] to blow a supernova into a cloud of young planets,\r"
                "or [10] to start with a single large world beside the star.\r"
                "Watch the worlds orbit, collide and fuse; select one to grow air, water and life,\r"
                "then send comets and spacecraft to carry that life to other worlds.",
     .fore = rgb(170, 200, 255), .back = rgb(0, 0, 0), .font = "DejaVu Sans", .fontSize = 10},
    {QUORL_CONTROL(Image1), .kind = Kind::Picture, .back = rgb(0, 0, 0)},
};

// The about window is a form of its own: its places are relative to it.
using AboutSelf = HelpPanel::About;
const ControlRow<AboutSelf> kAbout[] = {
    {.one = &AboutSelf::FormBrel,
     .name = "FormBrel",
     .kind = Kind::Form,
     .place = {0, 0, 6000, 2100},
     .caption = "About Quorl",
     .back = kPanelBack,
     .hidden = true},
    {.one = &AboutSelf::LabBrel,
     .name = "LabBrel",
     .kind = Kind::Label,
     .parent = "FormBrel",
     .place = {240, 180, 5520, 840},
     .fore = kHeadingFore,
     .back = kPanelBack,
     .font = kPanelFont,
     .fontSize = 10},
    {.one = &AboutSelf::Command1,
     .name = "FormBrel.Command1",
     .kind = Kind::Button,
     .parent = "FormBrel",
     .place = {240, 1260, 4200, 420},
     .font = kPanelFont,
     .fontSize = 8},
    {.one = &AboutSelf::Command2,
     .name = "FormBrel.Command2",
     .kind = Kind::Button,
     .parent = "FormBrel",
     .place = {4560, 1260, 1200, 420},
     .caption = "--",
     .toolTip = "End Quorl",
     .font = kPanelFont,
     .fontSize = 8},
};

}  // namespace

const char* const HelpPanel::kHelpText =
    "Start by trying to build a stable solar system with as wide a variety of viable planets as possible. "
    "Either select [1-9] Supernova, or start with option [10] which is just one large brown dwarf. "
    "You can try the various ways of demolishing this world to build the solar system."
    "\r\r"
    "Generate atmosphere on a planet by selecting it for a few orbits. Some planets require more atmosphere than "
    "others "
    "to sustain life. Once life has evolved in your biosphere, you can launch comets and/or spacecraft carrying those "
    "lifeforms to other worlds. "
    "\r\r"
    "Celestials arrive when there are multiple types of life-forms on any world... "
    "Note the events.txt file in this app's folder describing the last solar system."
    "   ";

std::string productPage() {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path page = (fs::path(executableDir()) / kBinToDoc / kProductPage).lexically_normal();
  if (!fs::exists(page, ec)) {
    const fs::path source = fs::path(kSourceDir) / kProductPage;
    if (fs::exists(source, ec)) page = source;
  }
  return "file://" + page.string();
}

HelpPanel::HelpPanel(Game& g) : g_(g) {
  declare(g.ui, c, kControls);
  declare(g.ui, about, kAbout);
  const std::string page = productPage();
  about.LabBrel->setCaption(std::string("Quorl ") + kVersion + "\ra young solar system under Newtonian gravity");
  about.Command1->setCaption("visit " + page.substr(std::string("file://").size()));
  about.Command1->setToolTip(page);

  c.Command14->onClick = [this] { showHelp(); };
  c.Command1->onClick = [this] { showAbout(); };
  about.Command1->onClick = [this] { visit(); };
  about.Command2->onClick = [this] { end(); };
  about.FormBrel->onClick = [this] { end(); };
}

void HelpPanel::showHelp() {
  c.Image1->setVisible(false);
  c.Label13->setVisible(true);
  c.Label13->setCaption(kHelpText);
}

void HelpPanel::showAbout() {
  // The game goes on in memory; nothing brings the main window back.
  g_.window.Quorl->setVisible(false);
  about.FormBrel->setVisible(true);
}

void HelpPanel::visit() { g_.run->browse(productPage()); }

void HelpPanel::end() {
  if (quit) quit();
}

}  // namespace quorl
