// What the window remembers per user between runs (beside tallyho.txt, whose fields stay the game's): the pace
// and the goals.
#pragma once

#include "app/game.h"
#include "app/preferences.h"

class QSettings;

namespace quorl {

// Chooses the pace stored in `settings` (an unknown or missing one leaves the default) and stores every
// later choice there. `settings` must outlive the game's pace panel.
void rememberPace(Game& g, QSettings& settings);

// Reads the goals reached from `settings` (none yet: the very first run, and the goals panel opens by itself)
// and keeps every change there. The time of play runs from this call. `settings` must outlive the game.
void rememberGoals(Game& g, QSettings& settings);

// How the window records every game: replay.qr beside events.txt, a state check every few seconds of play
// and the file written every few seconds, so a crash loses little.
RecordOptions windowRecording();
// Rewind as the window keeps it: seconds of play by the monotonic clock.
RewindOptions windowRewind();
std::int64_t monotonicMs();

}  // namespace quorl
