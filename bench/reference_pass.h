// The plain, line-by-line reference of one pass of the main loop: the oracle for the production pass.
#pragma once
#include <cstdint>
#include <string>

namespace quorl {

class Game;

// One pass, every step in the order the rules give it, Squash twice for every examined pair.
void referencePass(Game& g);

// True when the two games' body tables (rows 0..9999, every field), the shared values a pass
// touches, the status line and the random sequence agree bit for bit; `why` names the first difference.
bool sameState(Game& a, Game& b, std::string* why = nullptr);

}  // namespace quorl
