// events.txt: the history of the last system. Every operation opens, writes and closes the file,
// so an interrupted program leaves at most one incomplete line; a failure never stops the game.
#include "io/event_log.h"

#include "app/game.h"

namespace quorl {

namespace {
constexpr const char* kFile = "events.txt";
constexpr const char* kLineEnd = "\r\n";
}  // namespace

EventLog::EventLog(Game& g) : g_(g) {}

void EventLog::StartLog(int preset, const std::string& planetsText) {
  const DateTime t = g_.now();
  std::string content = "Nova" + std::to_string(preset) + "... Planets=" + planetsText + kLineEnd;
  content += timeText(t) + dateText(t) + kLineEnd;
  std::string error;
  if (writeFileWhole(g_.folder.path(kFile), content, error)) lastError_.clear();
  else report("create", error);
}

void EventLog::AppendEvent() {
  std::string line = timeText(g_.now()) + g_.s.LastEvent + kLineEnd;
  std::string error;
  if (appendToFile(g_.folder.path(kFile), line, error)) lastError_.clear();
  else report("write", error);
}

void EventLog::report(const std::string& what, const std::string& error) {
  lastError_ = "Could not " + what + " " + g_.folder.path(kFile) + ": " + error;
  Control& status = g_.c("Labill");
  if (status.caption.find(lastError_) != std::string::npos) return;
  g_.status(status.caption.empty() ? lastError_ : status.caption + "\r" + lastError_);
}

}  // namespace quorl
