// A replay's pump turns, its hold, and the words for its state.
#include "app/replay_session.h"

namespace quorl {

bool ReplaySession::hold(bool on) {
  if (!playing() || held_ == on) return false;
  held_ = on;
  return true;
}

bool ReplaySession::turn() {
  if (held_ || !playing()) return false;
  return replayer_.step(g_);
}

std::string ReplaySession::state() const {
  const ReplayResult& r = result();
  const std::string at = std::to_string(replayer_.passes()) + " of " + std::to_string(replayer_.length());
  switch (r.ending) {
    case ReplayResult::Ending::Playing:
      return held_ ? "held at pass " + at + " (Pause or the space bar plays on)" : "pass " + at;
    case ReplayResult::Ending::Finished: return "ended at pass " + at + ", in the state recorded";
    default: return r.message;
  }
}

}  // namespace quorl
