// events.txt: the history of the last system. Every operation opens, writes and closes the file,
// so an interrupted program leaves at most one incomplete line; a failure never stops the game.
#include "io/event_log.h"

#include "io/folder.h"
#include "sim/world.h"

namespace quorl {

namespace {
constexpr const char* kFile = "events.txt";
constexpr const char* kLineEnd = "\r\n";
}  // namespace

EventLog::EventLog(World& w, const ProgramFolder& folder) : w_(w), folder_(folder) {}

void EventLog::StartLog(int preset, const std::string& planetsText) {
  const DateTime t = w_.now();
  std::string content = "Nova" + std::to_string(preset) + "... Planets=" + planetsText + kLineEnd;
  content += timeText(t) + dateText(t) + kLineEnd;
  std::string error;
  if (writeFileWhole(folder_.path(kFile), content, error)) lastError_.clear();
  else report("create", error);
}

void EventLog::AppendEvent() {
  std::string line = timeText(w_.now()) + w_.s.LastEvent + kLineEnd;
  std::string error;
  if (appendToFile(folder_.path(kFile), line, error)) lastError_.clear();
  else report("write", error);
}

void EventLog::report(const std::string& what, const std::string& error) {
  lastError_ = "Could not " + what + " " + folder_.path(kFile) + ": " + error;
  const std::string& shown = w_.window.Labill->caption();
  if (shown.find(lastError_) != std::string::npos) return;
  w_.status(shown.empty() ? lastError_ : shown + "\r" + lastError_);
}

}  // namespace quorl
