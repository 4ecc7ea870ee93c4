// The pace in the per-user settings, stored by its caption.
#include "app/qt/settings.h"

#include <QSettings>
#include <chrono>

#include "app/game.h"
#include "app/pace.h"

namespace quorl {

namespace {
const QString kPaceKey = QStringLiteral("pace");
}

void rememberPace(Game& g, QSettings& settings) {
  const QString stored = settings.value(kPaceKey).toString();
  for (int i = 0; i < 3; ++i)
    if (stored == QString::fromStdString(g.pace->c.OpPace[i].caption())) g.pace->choose(i);
  g.pace->onChosen = [&g, &settings](int setting) {
    settings.setValue(kPaceKey, QString::fromStdString(g.pace->c.OpPace[setting].caption()));
  };
}

std::int64_t monotonicMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

RecordOptions windowRecording() {
  RecordOptions r;
  r.on = true;
  r.checkEvery = 4096;
  r.checkMs = 2000;
  r.flushMs = 5000;
  r.clockMs = monotonicMs;
  return r;
}

RewindOptions windowRewind() {
  RewindOptions r;
  r.on = true;
  r.clockMs = monotonicMs;
  return r;
}

}  // namespace quorl
