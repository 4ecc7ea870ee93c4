// quorl-cli bench in the browser: the pass against the reference pass at the sizes asked, its lines as text.
#include <emscripten/bind.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/bench.h"

namespace {

std::string bench(const std::string& sizes) {
  std::vector<std::string> args;
  std::istringstream in(sizes);
  for (std::string s; in >> s;) args.push_back(s);
  std::ostringstream out, err;
  quorl::runBench(args, out, err);
  return out.str() + err.str();
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorl_bench) { emscripten::function("bench", &bench); }
