// Choosing the selected world and reporting on it.
#pragma once

namespace quorl {

class Game;

class FocusPanel {
 public:
  explicit FocusPanel(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
