// Starting, pausing and resuming, and the preset-button animation.
#pragma once
#include <functional>
#include <string>

#include "ui/control_table.h"

namespace quorl {

class Game;

class RunControl {
 public:
  explicit RunControl(Game& g);

  struct Controls {
    Handle FraRun;    // the run buttons and the auto-clear controls
    Handle Command2;  // start
    Handle Command3;  // "www"; its back colour is the resting colour of the presets and the status line
    Handle Command5;  // pause
    Handle Tr;        // the preset-button animation
  } c;

  // Command2: colours, timers and the selection, then the main loop's pump.
  void start();
  // Command5: pauses a running loop, or resumes a paused one.
  void pauseToggle();
  // Tr: the seed counter and the walking light over the preset buttons.
  void animate();
  // The seed counter's next value into the seed box (each tick of Tr, or the fresh-seed button).
  void nextSeed();
  // Command3 ("www"): the product page in the system browser; a failure is ignored.
  void webBit();
  // Opens an address in the system browser; a browser that cannot be started changes nothing.
  void browse(const std::string& url);

  // The body editor opens with the pause and closes with the resume (the editor's, unless replaced).
  std::function<void()> openEditor, closeEditor;
  // Starts the system browser (set by the window; headless there is none).
  std::function<bool(const std::string& url)> openBrowser;

 private:
  void showPaused(bool paused);

  Game& g_;
};

}  // namespace quorl
