// events.txt: the history of the last system. A new system writes it whole; every event is one line,
// handed to the system in one write on a file kept open for appending (a pass's lines in one write
// together), taken back when the disk cannot hold it whole; a failure never stops the game.
#include "io/event_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/folder.h"
#include "sim/world.h"

namespace quorl {

namespace {
constexpr const char* kFile = "events.txt";
constexpr const char* kLineEnd = "\r\n";
}  // namespace

EventLog::EventLog(World& w, const ProgramFolder& folder) : w_(w), folder_(folder) {}

EventLog::~EventLog() { close(); }

void EventLog::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool EventLog::append(const std::string& line, std::string& error) {
  // A file removed or replaced since it was opened is opened again by its name; a failed write reopens once.
  struct stat st {};
  if (fd_ >= 0 && ::fstat(fd_, &st) == 0 && st.st_nlink == 0) close();
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (fd_ < 0) fd_ = openForAppend(folder_.path(kFile), error);
    if (fd_ < 0) break;
    if (appendWhole(fd_, line, error)) return true;
    close();
  }
  return false;
}

void EventLog::StartLog(int preset, const std::string& planetsText) {
  const DateTime t = w_.now();
  std::string content = "Nova" + std::to_string(preset) + "... Planets=" + planetsText + kLineEnd;
  content += timeText(t) + dateText(t) + kLineEnd;
  std::string error;
  pending_.clear();  // lines of the system before, whose file this one replaces
  close();           // the new file replaces the old one, which the open descriptor would go on writing
  off_ = !writeFileWhole(folder_.path(kFile), content, error);
  if (!off_) lastError_.clear();
  else report("create", error + "; the history of this system is not kept");
}

void EventLog::AppendEvent() {
  if (off_) return;
  std::string line = timeText(w_.now()) + w_.s.LastEvent + kLineEnd;
  if (held_ > 0) {
    pending_ += line;
    return;
  }
  std::string error;
  if (append(line, error)) lastError_.clear();
  else report("write", error);
}

void EventLog::release() {
  if (held_ > 0) --held_;
  if (held_ > 0 || pending_.empty()) return;
  std::string error;
  const bool written = append(pending_, error);
  pending_.clear();
  if (written) lastError_.clear();
  else report("write", error);
}

void EventLog::report(const std::string& what, const std::string& error) {
  lastError_ = "Could not " + what + " " + folder_.path(kFile) + ": " + error;
  const std::string& shown = w_.window.Labill->caption();
  if (shown.find(lastError_) != std::string::npos) return;
  w_.status(shown.empty() ? lastError_ : shown + "\r" + lastError_);
}

}  // namespace quorl
