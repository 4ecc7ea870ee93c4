// quorl-cli bench: times the production pass against the reference pass.
#pragma once
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "io/folder.h"

namespace quorl {

class Game;

// A fresh game in a throw-away program folder, removed with it.
struct BenchGame {
  BenchGame();
  ~BenchGame();
  TemporaryFolder folder;  // declared first: it goes after the game
  std::string dir;
  std::unique_ptr<Game> game;
};

// Every system size and the costs around the pass; or, given body counts, the pass at those sizes only.
int runBench(const std::vector<std::string>& sizes, std::ostream& out, std::ostream& err);
// quorl-cli bench preview: what the path preview costs (a copy run ahead, and taking the world for it).
int runPreviewBench(std::ostream& out);

}  // namespace quorl
