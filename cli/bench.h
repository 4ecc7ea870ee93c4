// quorl-cli bench: times the production pass against the reference pass.
#pragma once
#include <iosfwd>
#include <memory>
#include <string>

namespace quorl {

class Game;

// A fresh game in a throw-away program folder, removed with it.
struct BenchGame {
  BenchGame();
  ~BenchGame();
  BenchGame(const BenchGame&) = delete;
  BenchGame& operator=(const BenchGame&) = delete;
  std::string dir;
  std::unique_ptr<Game> game;
};

int runBench(std::ostream& out);

}  // namespace quorl
