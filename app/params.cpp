// Start-up and the parameter panel.
#include "app/params.h"

#include "app/game.h"

namespace quorl {

ParamPanel::ParamPanel(Game& g) : g_(g) {}

void ParamPanel::programStart() {}

}  // namespace quorl
