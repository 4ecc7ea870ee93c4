// The bodies of a new system, as a pure function of the table, the random sequence and the inputs. The
// order of the random draws is part of the rules: the same seed and the same inputs build the same system.
#pragma once
#include <string>

#include "sim/bodies.h"
#include "sim/random.h"

namespace quorl {

// The central star's mass: the heaviest body any preset makes (a planet stays below 0.0014, the exploded
// star at 0.01).
inline constexpr double kStarMass = 1.0;

struct CreationInputs {
  int preset = 0;           // 1..10
  int bodyCount = 0;        // planets + 2 + spare worlds, rounded
  int lastInitialBody = 0;  // planets + 2, rounded
  double explode = 0;       // X, the divisor of the starting velocities
  double spread = 0;        // S, the size of the cloud
  double kick = 0;          // K, added to every planet's VelY
};

// Every row 0..bodyCount starts as an absent planet at rest with mass 1e-8.
void clearRows(BodyTable& b, int bodyCount);
// Bodies 1 and 2 present as the two stars, body 0 absent (the selection may look at them before they are placed).
void markStars(BodyTable& b);
// The stars and the planets of the preset; every radius follows its mass.
void placeBodies(BodyTable& b, Random& random, const CreationInputs& in);
// The mass of the present planets 3..lastInitialBody, and its text in Text3 (shown x 1000).
double totalPlanetMass(const BodyTable& b, int lastInitialBody);
std::string totalMassText(double totalMass);

}  // namespace quorl
