// The window's load: runs once every panel has made its controls.
#pragma once

namespace quorl {

class Game;

void programStart(Game& g);

}  // namespace quorl
