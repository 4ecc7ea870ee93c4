// Help texts, the about button and the about window.
#pragma once
#include <functional>
#include <string>

#include "ui/control_table.h"

namespace quorl {

class Game;

class HelpPanel {
 public:
  explicit HelpPanel(Game& g);

  struct Controls {
    Handle Command1;   // the about button: a picture of a sun
    Handle Command14;  // "Help"
    Handle Label13;    // the help text, on the sky of the main view until the first system is made
    Handle Image1;
  } c;

  // The about window FormBrel (its buttons are FormBrel.Command1 and FormBrel.Command2 in the registry).
  struct About {
    Handle FormBrel, Command1, Command2, LabBrel;
  } about;

  // Ends the program (set by the window; headless there is nothing to end).
  std::function<void()> quit;

  static const char* const kHelpText;

 private:
  void showHelp();   // Command14
  void showAbout();  // Command1 on the main window
  void visit();      // FormBrel's Command1
  void end();        // FormBrel's Command2, or a click on the window

  Game& g_;
};

// The product's page as a file URL: the README installed beside the program, else the one of the source
// tree it was built from.
std::string productPage();

}  // namespace quorl
