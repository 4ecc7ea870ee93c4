// The per-user settings file as the store of the pace and the goals.
#include "app/qt/settings.h"

#include <QElapsedTimer>
#include <QSettings>
#include <memory>

namespace quorl {

namespace {

Preferences store(QSettings& settings) {
  return {[&settings](const std::string& key) -> std::optional<std::string> {
            const QString k = QString::fromStdString(key);
            if (!settings.contains(k)) return std::nullopt;
            return settings.value(k).toString().toStdString();
          },
          [&settings](const std::string& key, const std::string& value) {
            settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
          }};
}

}  // namespace

void rememberPace(Game& g, QSettings& settings) { rememberPace(g, store(settings)); }

void rememberGoals(Game& g, QSettings& settings) {
  auto played = std::make_shared<QElapsedTimer>();
  played->start();
  rememberGoals(g, store(settings), [played] { return played->elapsed(); });
}

RecordOptions windowRecording() { return frontEndRecording(); }

RewindOptions windowRewind() { return frontEndRewind(); }

}  // namespace quorl
