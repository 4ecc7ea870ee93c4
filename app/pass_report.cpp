// What a pass reports, wired to the rest of the game.
#include "app/pass_report.h"

#include "app/game.h"
#include "app/goals_panel.h"
#include "events/biosphere.h"
#include "io/event_log.h"
#include "panels/class_sort.h"
#include "views/orbit_views.h"

namespace quorl {

void GamePassReport::plot(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t body) {
  if (!g_.recordingPaused()) g_.views->BomBA(x, y, z, body);
}

void GamePassReport::debris(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t body) {
  if (!g_.recordingPaused()) g_.views->BomBB(x, y, z, body);
}

void GamePassReport::event(const std::string& message) {
  g_.status(message);
  g_.s.LastEvent = g_.window.Labill->caption();
  g_.log->AppendEvent();
}

void GamePassReport::fused(int survivor, int absorbed, const std::string& message) {
  if (!g_.recordingPaused()) g_.goals->fused(survivor, absorbed);
  g_.bio->carryLife(survivor, absorbed);
  event(message);
  g_.mark(World::Mark::Impact);
}

void GamePassReport::leftField(int) { g_.classes->c.Command6->press(); }

// The selection keeper moves the selection on at its next tick and says where to.
void GamePassReport::leftSystem(int, const std::string& message) { event(message); }

void GamePassReport::sortDue() { g_.classes->c.Command6->press(); }

}  // namespace quorl
