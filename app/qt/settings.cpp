// The pace in the per-user settings, stored by its caption; the goals by their record.
#include "app/qt/settings.h"

#include <QElapsedTimer>
#include <QSettings>
#include <chrono>
#include <memory>
#include <optional>

#include "app/game.h"
#include "app/goals_panel.h"
#include "app/pace.h"

namespace quorl {

namespace {
const QString kPaceKey = QStringLiteral("pace");
const QString kGoalsKey = QStringLiteral("goals");
}  // namespace

void rememberPace(Game& g, QSettings& settings) {
  const QString stored = settings.value(kPaceKey).toString();
  for (int i = 0; i < 3; ++i)
    if (stored == QString::fromStdString(g.pace->c.OpPace[i].caption())) g.pace->choose(i);
  g.pace->onChosen = [&g, &settings](int setting) {
    settings.setValue(kPaceKey, QString::fromStdString(g.pace->c.OpPace[setting].caption()));
  };
}

void rememberGoals(Game& g, QSettings& settings) {
  std::optional<std::string> record;
  if (settings.contains(kGoalsKey)) record = settings.value(kGoalsKey).toString().toStdString();
  g.goals->load(record);
  auto played = std::make_shared<QElapsedTimer>();
  played->start();
  g.goals->clockMs = [played] { return played->elapsed(); };
  g.goals->onChanged = [&g, &settings] { settings.setValue(kGoalsKey, QString::fromStdString(g.goals->record())); };
  // The first run is over once the panel has shown itself.
  if (!record) g.goals->onChanged();
}

RecordOptions windowRecording() {
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

}  // namespace quorl
