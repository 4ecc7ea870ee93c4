// Reading a number typed into a box, as every panel's boxes read it.
#pragma once
#include <string>

#include "sim/world.h"

namespace quorl {

// The box's number (its leading numeric part); a text that is not wholly a number is rewritten as that
// number and reported in the status line, so the box shows what the game uses.
double readBox(World& w, Control& box, const char* what);
// Puts the value in force back into a box whose input could not be held, and says why.
void refuseBox(World& w, Control& box, const std::string& keep, const std::string& why);

}  // namespace quorl
