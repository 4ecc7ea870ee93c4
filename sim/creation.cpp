// The bodies of a new system: stars by preset, then the planets of the preset, drawing from the random
// sequence exactly where the rules draw.
#include "sim/creation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "sim/numbers.h"
#include "sim/squash.h"

namespace quorl {

namespace {

constexpr int kSinglePlanetPreset = 10;

void placeStars(BodyTable& b, int preset) {
  const bool nearer = preset >= 5 && preset <= 8;
  b.PosX[1] = nearer ? -3000 : -3072;
  b.PosY[1] = -1152;
  b.PosZ[1] = 0;
  b.Mass[1] = 0.01;
  b.Gone[1] = 1;  // the exploded star only marks where the planets come from
  b.PosX[2] = 0;
  b.PosY[2] = -1152;
  b.PosZ[2] = 0;
  b.Mass[2] = kStarMass;
  b.Gone[2] = 0;
  for (int i = 1; i <= 2; ++i) b.VelX[i] = b.VelY[i] = b.VelZ[i] = 0;
  b.Gone[0] = 1;
}

// Int(Rnd * k) / d + c
double m(Random& r, int k, double d, double c) { return Int(r.rnd() * k) / d + c; }

// |size| < x^2 + y^2 + z^2 pulls the body in towards body 1, axis by axis.
void pullIn(BodyTable& b, Random& r, int i, double size) {
  if (std::fabs(size) < b.PosX[i] * b.PosX[i] + b.PosY[i] * b.PosY[i] + b.PosZ[i] * b.PosZ[i]) {
    b.PosX[i] = Int(r.rnd() * b.PosX[i]);
    b.PosY[i] = Int(r.rnd() * b.PosY[i]);
    b.PosZ[i] = Int(r.rnd() * b.PosZ[i]);
  }
}

void offsetFromBody1(BodyTable& b, int i, double K) {
  b.PosX[i] += b.PosX[1];
  b.PosY[i] += b.PosY[1];
  b.PosZ[i] += b.PosZ[1];
  b.VelY[i] += K;
}

double scatterMass(Random& r, int preset, int i) {
  switch (preset) {
    case 1: {
      const int q = static_cast<int>(Int(r.rnd() * 10));
      const double first = m(r, 10, 1e9, 1e-8);
      switch (q) {
        case 0: return m(r, 10, 1e8, 1e-7);
        case 1: return m(r, 10, 1e8, 3e-7);
        case 2: return m(r, 10, 1e7, 1e-6);
        case 3: return m(r, 10, 1e7, 3e-6);
        case 4: return m(r, 10, 1e6, 1e-5);
        case 5: return m(r, 10, 1e6, 3e-5);
        case 6: return m(r, 10, 1e5, 1e-4);
        default: return first;
      }
    }
    case 2: {
      const double first = m(r, 10, 1e8, 1e-7);
      if (i < 11) return m(r, 10, 1e7, 1e-6);
      if (i > 18) return m(r, 10, 1e8, 1e-7);
      switch (i) {
        case 11:
        case 12: return m(r, 10, 1e7, 3e-6);
        case 13:
        case 14: return m(r, 10, 1e6, 1e-5);
        case 15: return m(r, 10, 1e6, 2.5e-5);
        case 16: return m(r, 10, 1e6, 5e-5);
        case 17: return m(r, 10, 1e5, 1e-4);
        case 18: return m(r, 10, 1e5, 4e-4);
      }
      return first;
    }
    case 3: {
      const int q = static_cast<int>(Int(r.rnd() * 100));
      if (q < 4) return m(r, 10, 1e6, 1e-6);
      if (q > 10) return m(r, 10, 1e7, 2e-7);
      switch (q) {
        case 4: return 4.44e-7;
        case 5: return m(r, 10, 1e7, 1e-6);
        case 6: return m(r, 10, 1e7, 3e-6);
        case 7: return m(r, 10, 1e6, 1e-5);
        case 8: return m(r, 10, 1e6, 3e-5);
        case 9: return m(r, 10, 1e5, 1e-4);
        default: return m(r, 10, 1e5, 3e-4);
      }
    }
    case 4: {
      const int q = static_cast<int>(Int(std::sqrt(r.rnd() * 51)));
      double mass = 1e-7;
      switch (q) {
        case 2: mass = m(r, 10, 1e8, 2e-7); break;
        case 3: mass = m(r, 10, 1e8, 3e-7); break;
        case 4: mass = m(r, 10, 1e7, 3e-6); break;
        case 5: mass = m(r, 10, 1e7, 1e-6); break;
        case 6: mass = m(r, 10, 1e6, 1e-5); break;
        case 7: mass = m(r, 10, 1e5, 1e-4); break;
        default: break;
      }
      if (i == 100) mass = m(r, 99, 1e5, 0.0002);
      if (i == 200) mass = m(r, 99, 1e5, 0.0004);
      return mass;
    }
    default: {  // 9
      double mass = 5e-5;
      if (i < 9) mass = m(r, 99, 1e5, 0.0001);
      else if (i <= 49) mass = m(r, 29, 1e5, 0.0001);
      else mass = (Int(r.rnd() * 99) + 10) / 1e6;
      if (i == 100) mass = m(r, 99, 1e5, 0.0003);
      if (i == 101) mass = m(r, 99, 1e5, 0.0002);
      return mass;
    }
  }
}

double cloudMass(Random& r, int preset, int i) {
  switch (preset) {
    case 5:
      if (i <= 4) return m(r, 30, 1e5, 0.0003);
      if (i <= 10) return m(r, 20, 1e6, 1e-5);
      if (i <= 20) return m(r, 10, 1e7, 1e-6);
      if (i <= 40) return m(r, 10, 1e8, 1e-7);
      return m(r, 10, 1e9, 1e-8);
    case 6:
      if (i == 3) return m(r, 100, 1e5, 1.5e-5);
      if (i <= 20) return Int(std::sqrt(r.rnd() * 100)) / 400000 + 1e-5;
      return m(r, 10, 1e8, 1e-6);
    case 7:
      if (i <= 10) return m(r, 10, 1e5, 1e-4);
      if (i <= 100) return m(r, 10, 1e7, 2e-6);
      return m(r, 10, 1e8, 1e-6);
    default: {  // 8
      const double first = m(r, 20, 1e7, 3e-8);
      if (i <= 4) return m(r, 20, 1e5, 0.0003);
      if (i <= 8) return m(r, 10, 1e5, 1e-4);
      if (i <= 16) return m(r, 20, 1e6, 3e-5);
      if (i <= 20) return m(r, 10, 1e6, 1e-5);
      if (i <= 25) return m(r, 10, 1e7, 1e-6);
      if (i <= 32) return m(r, 10, 1e8, 1e-7);
      if (i <= 40) return m(r, 20, 1e7, 3e-7);
      if (i <= 64) return m(r, 20, 1e8, 3e-8);
      if (i <= 128) return m(r, 10, 1e7, 1e-7);
      if (i <= 190) return first;
      if (i <= 195) return m(r, 10, 1e5, 1e-4);
      if (i <= 200) return m(r, 20, 1e6, 3e-5);
      return first;
    }
  }
}

// Presets 1, 2, 3, 4 and 9: a box of planets around the exploded star.
void scatterPlanets(BodyTable& b, Random& r, const CreationInputs& in) {
  const double K = in.kick;
  const double S = in.spread, X = in.explode;
  const bool flat = in.preset == 2;
  const double a = flat ? 0.18 : 0.2, bb = flat ? 0.09 : 0.1;
  const double az = flat ? 0.08 : 0.2, bz = flat ? 0.04 : 0.1;
  for (int i = 3; i <= in.lastInitialBody; ++i) {
    b.PosY[i] = r.rnd() * S * a - S * bb;
    b.PosX[i] = r.rnd() * S * a - S * bb;
    b.PosZ[i] = r.rnd() * S * az - S * bz;
    b.VelX[i] = (Int(r.rnd() * 50) - 25) / X;
    b.VelY[i] = (Int(r.rnd() * 50) - 25) / X;
    b.VelZ[i] = (Int(r.rnd() * 50) - 25) / X;
    pullIn(b, r, i, S);
    offsetFromBody1(b, i, K);
    b.Gone[i] = 0;
    b.Mass[i] = scatterMass(r, in.preset, i);
  }
}

// Preset 10: one brown dwarf beside the star; the other rows are drawn but stay absent.
void singlePlanet(BodyTable& b, Random& r, const CreationInputs& in) {
  const double K = in.kick;
  const double S = in.spread, X = in.explode;
  for (int i = 3; i <= in.bodyCount; ++i) {
    b.PosY[i] = r.rnd() * S * 0.02 - S * 0.01;
    b.PosX[i] = r.rnd() * S * 0.02 - S * 0.01;
    b.PosZ[i] = r.rnd() * S * 0.02 - S * 0.01;
    b.VelX[i] = (Int(r.rnd() * 50) - 25) / X;
    b.VelY[i] = (Int(r.rnd() * 50) - 25) / X;
    b.VelZ[i] = (Int(r.rnd() * 50) - 25) / X;
    pullIn(b, r, i, S);
    offsetFromBody1(b, i, K);
    b.Gone[i] = i == 3 ? 0 : 1;
    b.Mass[i] = i == 3 ? 0.000913 : 3.3e-8;
  }
}

// Presets 5..8: a round cloud; heavy planets start slower and nearer the centre.
void cloudPlanets(BodyTable& b, Random& r, const CreationInputs& in) {
  const double K = in.kick;
  const double S = in.spread, X = in.explode;
  for (int i = 3; i <= in.lastInitialBody; ++i) {
    b.Gone[i] = 0;
    b.Mass[i] = 2e-8;
    b.Mass[i] = cloudMass(r, in.preset, i);
    const double D = X * std::max(4.0, b.Mass[i] * 2e7);
    b.VelX[i] = (Int(r.rnd() * 50) - 25) / D;
    b.VelY[i] = (Int(r.rnd() * 50) - 25) / D;
    b.VelZ[i] = (Int(r.rnd() * 50) - 25) / D;
    const double R = b.Mass[i] > 1e-5 ? S / 7 : S / 3;
    b.PosY[i] = Int(r.rnd() * R * 2) - R;
    b.PosX[i] = Int(r.rnd() * R * 2) - R;
    b.PosZ[i] = Int(r.rnd() * R * 2) - R;
    pullIn(b, r, i, R);
    offsetFromBody1(b, i, K);
    b.Gone[i] = 0;
  }
}

}  // namespace

void clearRows(BodyTable& b, int bodyCount) {
  const int n = bodyCount + 1;
  std::fill_n(b.BodyKind.begin(), n, 3.0);
  for (auto* field : {&b.PosX, &b.PosY, &b.PosZ, &b.VelX, &b.VelY, &b.VelZ}) std::fill_n(field->begin(), n, 0.0);
  std::fill_n(b.Mass.begin(), n, 1e-8);
  std::fill_n(b.Gone.begin(), n, std::int16_t{1});
}

void markStars(BodyTable& b) {
  b.Gone[0] = 1;
  b.Gone[1] = 0;
  b.Gone[2] = 0;
  b.BodyKind[1] = 1;
  b.BodyKind[2] = 2;
}

void placeBodies(BodyTable& b, Random& r, const CreationInputs& in) {
  placeStars(b, in.preset);
  if (in.preset == kSinglePlanetPreset) singlePlanet(b, r, in);
  else if (in.preset >= 5 && in.preset <= 8) cloudPlanets(b, r, in);
  else scatterPlanets(b, r, in);
  // The radius follows the mass; nothing of the old system's sizes survives.
  for (int i = 0; i <= in.bodyCount; ++i) b.Radius[i] = Squash(b.Mass[i]) / 1000;
}

double totalPlanetMass(const BodyTable& b, int lastInitialBody) {
  double total = 0;
  for (int i = 3; i <= lastInitialBody; ++i)
    if (b.Gone[i] == 0) total += b.Mass[i];
  return total;
}

std::string totalMassText(double totalMass) {
  const double v = totalMass * 1000;
  if (v < 1e-5) return fixed(v, 15);
  if (v < 1) return fixed(v, 6);
  return fixed(v, 2);
}

}  // namespace quorl
