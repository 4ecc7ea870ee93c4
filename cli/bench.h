// quorl-cli bench: times the production pass against the reference pass.
#pragma once
#include <iosfwd>

namespace quorl {

int runBench(std::ostream& out);

}  // namespace quorl
