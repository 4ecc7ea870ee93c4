// What the window remembers per user between runs (beside tallyho.txt, whose fields stay the game's): the pace.
#pragma once

class QSettings;

namespace quorl {

class Game;

// Chooses the pace stored in `settings` (an unknown or missing one leaves the default) and stores every
// later choice there. `settings` must outlive the game's pace panel.
void rememberPace(Game& g, QSettings& settings);

}  // namespace quorl
