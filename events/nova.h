// Novas: a world split in two.
#pragma once

namespace quorl {

class Game;

class NovaPanel {
 public:
  explicit NovaPanel(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
