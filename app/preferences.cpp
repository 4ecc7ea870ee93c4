// The pace stored by its caption, the goals by their record.
#include "app/preferences.h"

#include <chrono>

#include "app/goals_panel.h"
#include "app/pace.h"

namespace quorl {

namespace {
const std::string kPaceKey = "pace";
const std::string kGoalsKey = "goals";
}  // namespace

void rememberPace(Game& g, const Preferences& store) {
  if (const auto stored = store.read(kPaceKey))
    for (int i = 0; i < 3; ++i)
      if (*stored == g.pace->c.OpPace[i].caption()) g.pace->choose(i);
  g.pace->onChosen = [&g, write = store.write](int setting) { write(kPaceKey, g.pace->c.OpPace[setting].caption()); };
}

void rememberGoals(Game& g, const Preferences& store, std::function<std::int64_t()> clockMs) {
  const std::optional<std::string> record = store.read(kGoalsKey);
  g.goals->load(record);
  const std::int64_t start = clockMs();
  g.goals->clockMs = [clockMs, start] { return clockMs() - start; };
  g.goals->onChanged = [&g, write = store.write] { write(kGoalsKey, g.goals->record()); };
  // The first run is over once the panel has shown itself.
  if (!record) g.goals->onChanged();
}

RecordOptions frontEndRecording() {
  RecordOptions r;
  r.on = true;
  r.checkEvery = 4096;
  r.checkMs = 2000;
  r.flushMs = 5000;
  r.clockMs = [] {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  };
  return r;
}

RewindOptions frontEndRewind(std::size_t budget) {
  RewindOptions r;
  r.on = true;
  r.budget = budget;
  r.clockMs = frontEndRecording().clockMs;
  return r;
}

}  // namespace quorl
