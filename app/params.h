// Start-up and the parameter panel.
#pragma once

namespace quorl {

class Game;

class ParamPanel {
 public:
  explicit ParamPanel(Game& g);
  // The window's load: runs once every subsystem has made its controls.
  void programStart();

 private:
  Game& g_;
};

}  // namespace quorl
