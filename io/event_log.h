// events.txt: the history of the last system, rewritten at each creation and appended to afterwards.
#pragma once
#include <string>

namespace quorl {

class World;
struct ProgramFolder;

class EventLog {
 public:
  EventLog(World& w, const ProgramFolder& folder);
  ~EventLog();
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;

  // Creates or truncates events.txt with the two header lines of a new system. When it cannot, the
  // history of this system is off: nothing of it goes into the file of the system before.
  void StartLog(int preset, const std::string& planetsText);
  // Appends the time of day followed by LastEvent.
  void AppendEvent();
  // While held, lines gather and go out in one write at the last release: a pass with a score of
  // impacts makes one system call, not a score.
  void hold() { ++held_; }
  void release();

  // The message of the last failed operation, empty after a success.
  const std::string& lastError() const { return lastError_; }

 private:
  // Shows a failure below whatever the status line already says, so the event text stays readable.
  void report(const std::string& what, const std::string& error);
  // Appends one line in one write; false with the reason when the file cannot take it.
  bool append(const std::string& line, std::string& error);
  void close();

  World& w_;
  const ProgramFolder& folder_;
  std::string lastError_;
  int held_ = 0;
  std::string pending_;
  int fd_ = -1;       // kept open between events: opening and closing per line cost the pass more than the line
  bool off_ = false;  // this system's file could not be started
};

}  // namespace quorl
