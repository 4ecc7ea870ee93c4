// The pace in the per-user settings, stored by its caption.
#include "app/qt/settings.h"

#include <QSettings>

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

}  // namespace quorl
