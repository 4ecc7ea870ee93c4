// The size of a body from its mass: the general power, evaluated as written so every build agrees.
#include "sim/squash.h"

#include <cmath>

namespace quorl {

double Squash(double m) {
  if (!(m > 0)) return 0.0;  // also keeps a NaN out of every contact distance
  return (1400.0 / 782.5) * std::pow(m * 1e7, 1.0 / 2.7);
}

}  // namespace quorl
