// Invented names for the bodies of a new system.
#pragma once

namespace quorl {

class Game;

class NameGenerator {
 public:
  explicit NameGenerator(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
