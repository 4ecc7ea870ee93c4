// The body editor shown while paused.
#pragma once

namespace quorl {

class Game;

class BodyEditor {
 public:
  explicit BodyEditor(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
