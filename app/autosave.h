// autosave.qs: the game as it stands (one snapshot) with its recording so far, beside replay.qr, so that the
// next start can continue it. Written whole or not at all, with a checksum; a damaged or foreign file is
// refused with the reason.
#pragma once
#include <string>

#include "app/game_state.h"
#include "io/replay_file.h"

namespace quorl {

class Game;

struct Autosave {
  std::string saved;  // when, "YYYY-MM-DD hh:mm:ss" by the wall clock
  GameState state;
  ReplayPosition at;      // where the recording stands at the snapshot
  std::string recording;  // replay.qr as it was then
};

inline constexpr const char* kAutosaveFile = "autosave.qs";

// Saves the game in its program folder; false, with the reason, when there is nothing recorded to save or
// the file cannot be written.
bool writeAutosave(Game& g, std::string& why);
// Reads a saved game for `g` (a game with the same controls); false, with the reason, for anything else.
bool readAutosave(const std::string& path, Game& g, Autosave& out, std::string& why);
// Puts a saved game into `g` (fresh from its start, recording) where it was left, its recording going on
// in replay.qr, and holds it there until the player lets go; the status line says when it was saved.
bool continueGame(Game& g, const Autosave& a, std::string& why);
// At start: a saved game in the program folder is offered with "Continue"; one that cannot be read is kept
// aside as autosave.qs.bad, and the status line says why, below what it says already.
void offerSavedGame(Game& g);

}  // namespace quorl
