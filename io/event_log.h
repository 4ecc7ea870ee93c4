// events.txt: the history of the last system, rewritten at each creation and appended to afterwards.
#pragma once
#include <string>

namespace quorl {

class World;
struct ProgramFolder;

class EventLog {
 public:
  EventLog(World& w, const ProgramFolder& folder);

  // Creates or truncates events.txt with the two header lines of a new system.
  void StartLog(int preset, const std::string& planetsText);
  // Appends the time of day followed by LastEvent.
  void AppendEvent();

  // The message of the last failed operation, empty after a success.
  const std::string& lastError() const { return lastError_; }

 private:
  // Shows a failure below whatever the status line already says, so the event text stays readable.
  void report(const std::string& what, const std::string& error);

  World& w_;
  const ProgramFolder& folder_;
  std::string lastError_;
};

}  // namespace quorl
