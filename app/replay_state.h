// A game's state as the head of a replay, and back: every stored value that differs from a fresh table,
// every control property that differs from the window as program start left it, and the few values panels
// keep to themselves. Put back into a game that started from the same program-start read, it gives the
// preset press that follows the same outcome, and the game the same future.
#pragma once
#include <string>
#include <vector>

#include "io/replay_file.h"
#include "ui/control.h"

namespace quorl {

class Game;

// The player's controls (the pace and the like) are not the game's: neither recorded nor put back.
bool isPaceControl(Game& g, const Control& c);
// Every control as it stands, in the order the game made them.
std::vector<Control::Snapshot> snapshotControls(Game& g);
// Fills the state part of a head (values, rows, controls, keep) with the state a preset press found; what
// the press renews before anything reads it is left out.
void describeState(Game& g, const std::vector<Control::Snapshot>& afterStart, ReplayHead& out);
// Puts a head's state into the game; false, with the reason, for a name or value the game cannot take.
bool restoreState(Game& g, const ReplayHead& head, std::string& why);

}  // namespace quorl
