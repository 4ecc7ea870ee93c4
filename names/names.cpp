// Invented names for the bodies of a new system.
#include "names/names.h"

#include "app/game.h"

namespace quorl {

NameGenerator::NameGenerator(Game& g) : g_(g) {}

}  // namespace quorl
