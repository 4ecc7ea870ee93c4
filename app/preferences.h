// What a front end keeps per user between runs, beside tallyho.txt (whose fields stay the game's): the pace
// and the goals, under keys of a store of its own (the window's settings file, the page's local storage);
// and how a front end records every game.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/game.h"

namespace quorl {

struct Preferences {
  std::function<std::optional<std::string>(const std::string& key)> read;
  std::function<void(const std::string& key, const std::string& value)> write;
};

// Chooses the pace stored (an unknown or missing one leaves the default) and stores every later choice.
void rememberPace(Game& g, const Preferences& store);

// Reads the goals reached (none yet: the very first run, and the goals panel opens by itself) and stores every
// change. `clockMs` (monotonic) times the play from this call.
void rememberGoals(Game& g, const Preferences& store, std::function<std::int64_t()> clockMs);

// Every game recorded into replay.qr beside events.txt, a state check every few seconds of play and the file
// written every few seconds, so a crash loses little.
RecordOptions frontEndRecording();
// Rewind within `budget` bytes of snapshots, its seconds of play by the recording's monotonic clock.
RewindOptions frontEndRewind(std::size_t budget = RewindOptions{}.budget);

}  // namespace quorl
