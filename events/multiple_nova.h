// A chosen number of novas fired one after another.
#pragma once

namespace quorl {

class Game;

class MultipleNova {
 public:
  explicit MultipleNova(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
