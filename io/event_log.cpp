// events.txt: the history of the last system.
#include "io/event_log.h"

#include "app/game.h"

namespace quorl {

EventLog::EventLog(Game& g) : g_(g) {}

}  // namespace quorl
