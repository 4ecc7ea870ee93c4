// The size of a body from its mass.
#pragma once

namespace quorl {

// Body radius in thousands of km. Squash(0) is 0; a negative mass (never produced) is treated as 0.
double Squash(double m);

}  // namespace quorl
