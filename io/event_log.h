// events.txt: the history of the last system.
#pragma once

namespace quorl {

class Game;

class EventLog {
 public:
  explicit EventLog(Game& g);

 private:
  Game& g_;
};

}  // namespace quorl
