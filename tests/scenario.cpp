// Shared test helpers.
#include "tests/scenario.h"

#include <cstdlib>
#include <sstream>

#include "cli/driver.h"

namespace quorl::testing {

std::string tempDir() {
  char tmpl[] = "/tmp/quorl-test-XXXXXX";
  const char* d = mkdtemp(tmpl);
  return d ? d : "/tmp";
}

Scenario::Scenario(bool recording) : dir(tempDir()) {
  GameOptions o;
  o.dir = dir;
  if (recording)
    o.canvases = [](int w, int h, Color bg) { return std::make_unique<RecordingCanvas>(w, h, bg); };
  game = std::make_unique<Game>(o);
}

std::string Scenario::run(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  runScript(*game, in, out, err);
  std::string e = err.str();
  return out.str() + (e.empty() ? "" : "!" + e);
}

}  // namespace quorl::testing
