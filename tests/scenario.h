// Shared test helpers: a fresh game in a temporary folder, driven headless.
#pragma once
#include <memory>
#include <string>

#include "app/game.h"
#include "cli/recording_canvas.h"

namespace quorl::testing {

// A new temporary folder; the caller removes it.
std::string tempDir();
// What a file holds; empty when it cannot be read.
std::string fileText(const std::string& path);

// A game in a temporary folder of its own, which goes with it.
struct Scenario {
  explicit Scenario(bool recording = false);
  ~Scenario();
  Scenario(const Scenario&) = delete;
  Scenario& operator=(const Scenario&) = delete;
  std::string dir;
  std::unique_ptr<Game> game;
  Game& g() { return *game; }
  // Runs driver commands, one a line; returns what they printed (and errors, with a "!" first).
  std::string run(const std::string& script);
};

// An empty table up to bodyCount, with the loop's usual settings (speed 1, scale 10, proximity 1).
void emptyTable(Game& g, int bodyCount);
// Makes body i present at a position and velocity with a mass.
void place(Game& g, int i, double x, double y, double z, double vx, double vy, double vz, double mass);

}  // namespace quorl::testing
