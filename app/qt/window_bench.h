// quorl --bench-window: passes a second in the real window against the headless rate of the same run.
#pragma once
#include <iosfwd>

namespace quorl {

// Needs a QApplication with the game style. Prints one line per case; 0 on success.
int runWindowBench(std::ostream& out);

}  // namespace quorl
