// quorl-cli bench: times the production pass against the reference pass.
#include "cli/bench.h"

#include <ostream>

namespace quorl {

int runBench(std::ostream& out) {
  out << "bench: the pass is not built yet\n";
  return 0;
}

}  // namespace quorl
