// Shared test helpers.
#include "tests/scenario.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/driver.h"
#include "io/folder.h"

namespace quorl::testing {

std::string tempDir() {
  char tmpl[] = "/tmp/quorl-test-XXXXXX";
  const char* d = mkdtemp(tmpl);
  return d ? d : "/tmp";
}

std::string fileText(const std::string& path) {
  std::string text;
  readFile(path, text);
  return text;
}

Scenario::Scenario(bool recording) : dir(tempDir()) {
  GameOptions o;
  o.dir = dir;
  if (recording) o.canvases = [](int w, int h, Color bg) { return std::make_unique<RecordingCanvas>(w, h, bg); };
  game = std::make_unique<Game>(o);
}

Scenario::~Scenario() {
  game.reset();
  std::error_code ec;
  if (dir.rfind("/tmp/quorl-test-", 0) == 0) std::filesystem::remove_all(dir, ec);
}

std::string Scenario::run(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  runScript(*game, in, out, err);
  std::string e = err.str();
  return out.str() + (e.empty() ? "" : "!" + e);
}

void emptyTable(Game& g, int bodyCount) {
  SharedState& s = g.s;
  s.BodyCount = bodyCount;
  s.AttractorLimit = 100;
  s.Speed = 1;
  s.MasterScale = 10;
  s.Proximity = 1;
  s.GravityExponent = 2;
  s.Focus = 2;
  for (int i = 0; i < kRows; ++i) {
    g.b.Gone[i] = 1;
    g.b.Mass[i] = 1e-8;
    g.b.BodyName[i] = "W" + std::to_string(i);
  }
}

void place(Game& g, int i, double x, double y, double z, double vx, double vy, double vz, double mass) {
  BodyTable& b = g.b;
  b.Gone[i] = 0;
  b.PosX[i] = x, b.PosY[i] = y, b.PosZ[i] = z;
  b.VelX[i] = vx, b.VelY[i] = vy, b.VelZ[i] = vz;
  b.Mass[i] = mass;
}

}  // namespace quorl::testing
