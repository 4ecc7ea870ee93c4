// A recording played in a front end (the window's --replay, the page's Open replay): a step of it each turn
// of its pump while the player does not hold it, and the words that say where it stands.
#pragma once
#include <string>

#include "app/replayer.h"

namespace quorl {

class Game;

class ReplaySession {
 public:
  // `replayer` has begun on `g`.
  ReplaySession(Game& g, Replayer& replayer) : g_(g), replayer_(replayer) {}

  Replayer& replayer() { return replayer_; }
  const ReplayResult& result() const { return replayer_.result(); }
  bool playing() const { return result().ending == ReplayResult::Ending::Playing; }
  bool held() const { return held_; }
  // Holds or releases a replay that still plays; false when that changes nothing.
  bool hold(bool on);
  // One turn of the replay's pump: false while held and once the replay is over.
  bool turn();
  // "pass 3 of 10", "held at pass 3 of 10 (...)", "ended at pass 10 of 10, in the state recorded", or how it
  // went astray.
  std::string state() const;

 private:
  Game& g_;
  Replayer& replayer_;
  bool held_ = false;
};

}  // namespace quorl
