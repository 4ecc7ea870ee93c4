// The plain, line-by-line reference of one pass of the main loop: the oracle for the production pass.
// Written for clarity, not speed: every step in its order, Squash twice per examined pair.
#include "bench/reference_pass.h"

#include <cmath>
#include <cstring>

#include "app/game.h"
#include "io/event_log.h"
#include "sim/main_loop.h"
#include "sim/numbers.h"
#include "sim/squash.h"
#include "views/orbit_views.h"

namespace quorl {

namespace {

void pressSort(Game& g) {
  if (Control* c = g.ui.find("Command6")) c->press();
}

void fusePair(Game& g, int a, int b, int debris) {
  BodyTable& t = g.b;
  SharedState& s = g.s;
  double ma = t.Mass[a];
  double mb = t.Mass[b];
  double sum = ma + mb;
  if (sum > 0) {
    double vx = (mb * t.VelX[b] + ma * t.VelX[a]) / sum;
    double vy = (mb * t.VelY[b] + ma * t.VelY[a]) / sum;
    t.VelX[a] = vx;
    t.VelX[b] = vx;
    t.VelY[a] = vy;
    t.VelY[b] = vy;
  }
  int survivor = b;
  int absorbed = a;
  if (ma > mb) {
    survivor = a;
    absorbed = b;
  }
  t.Gone[absorbed] = 1;
  t.Mass[survivor] = ma + mb;

  for (int k = 0; k < debris; ++k) {
    int ox = static_cast<int>(Int(g.Rnd() * 299)) - 149;
    int oy = static_cast<int>(Int(g.Rnd() * 299)) - 149;
    int oz = static_cast<int>(Int(g.Rnd() * 299)) - 149;
    g.views->BomBB(i16(Int16(t.PosX[survivor])) + i16(ox), i16(Int16(t.PosY[survivor])) + i16(oy),
                   i16(Int16(t.PosZ[survivor])) + i16(oz), static_cast<std::int16_t>(survivor));
  }
  for (int k = 0; k < debris; ++k) {
    int ox = static_cast<int>(Int(g.Rnd() * 199)) - 99;
    int oy = static_cast<int>(Int(g.Rnd() * 199)) - 99;
    int oz = static_cast<int>(Int(g.Rnd() * 199)) - 99;
    g.views->BomBB(i16(Int16(t.PosX[absorbed])) + i16(ox), i16(Int16(t.PosY[absorbed])) + i16(oy),
                   i16(Int16(t.PosZ[absorbed])) + i16(oz), static_cast<std::int16_t>(absorbed));
  }

  t.ImpactCount[survivor] += 1;
  if (t.ImpactCount[survivor] > 99) t.ImpactCount[survivor] = 99;
  int k = t.ImpactCount[survivor];

  double mSurvivor = survivor == a ? ma : mb;
  double mAbsorbed = survivor == a ? mb : ma;
  double size = 2000 * std::sqrt(mAbsorbed / mSurvivor);
  if (std::isnan(size)) size = 0;
  if (10 < size && size < 16) size = size + 10;
  if (size > 222) size = 222;
  t.ImpactMark[k][survivor] = static_cast<std::int16_t>(Int(size));

  for (int kind = 1; kind <= 5; ++kind) {
    if (t.LifeCount[kind][survivor] == 0 && t.LifeCount[kind][absorbed] > 0) t.LifeCount[kind][survivor] = 1;
  }
  if (t.CraftCode[absorbed] > 0) t.ImpactMark[k][survivor] = CInt(t.BodyKind[absorbed]);

  g.c("Labill").setCaption(t.BodyName[absorbed] + " impacts " + t.BodyName[survivor]);
  s.LastEvent = g.c("Labill").caption();
  g.log->AppendEvent();
  s.FusionPair[0] = survivor;
  s.FusionPair[1] = absorbed;
}

}  // namespace

void referencePass(Game& g) {
  BodyTable& t = g.b;
  SharedState& s = g.s;
  if (s.BodyCount >= kRows) throw GameError("BodyCount" + Str(s.BodyCount) + " lies outside the body table (0..9999)");

  // 1.
  bool fused = false;
  int attractors = s.BodyCount;
  if (s.BodyCount > s.AttractorLimit) attractors = s.AttractorLimit;
  int debris = 99;
  if (s.ElapsedSeconds < 15) debris = 33;
  if (s.ElapsedSeconds < 5) debris = 10;

  // 2. Orbit counter.
  if (s.Focus > 2 && s.Focus < kRows) {
    int f = s.Focus;
    if (t.PosX[f] < t.PosX[2] && t.PosY[f] < t.PosY[2]) s.Quadrant = 1;
    if (t.PosX[f] < t.PosX[2] && t.PosY[f] > t.PosY[2]) s.Quadrant = 2;
    if (t.PosX[f] > t.PosX[2] && t.PosY[f] > t.PosY[2]) s.Quadrant = 3;
    if (t.PosX[f] > t.PosX[2] && t.PosY[f] < t.PosY[2]) s.Quadrant = 4;
    if (s.PrevQuadrant == 4 && s.Quadrant == 1) s.Orbits += 1;
    s.PrevQuadrant = s.Quadrant;
  }

  // 3. Motion and field boundary.
  int count = s.BodyCount;
  for (int i = count; i >= 0; --i) {
    if (t.Gone[i] != 0) continue;
    if (i > 0) {
      t.PosX[i] = t.PosX[i] + (s.Speed / 100) * t.VelX[i];
      t.PosY[i] = t.PosY[i] + (s.Speed / 100) * t.VelY[i];
      t.PosZ[i] = t.PosZ[i] + (s.Speed / 100) * t.VelZ[i];
    }
    bool left = false;
    if (t.PosX[i] < -24000) t.Gone[i] = 1, pressSort(g), left = true;
    if (t.PosX[i] > 24000) t.Gone[i] = 1, pressSort(g), left = true;
    if (t.PosY[i] < -24000) t.Gone[i] = 1, pressSort(g), left = true;
    if (t.PosY[i] > 24000) t.Gone[i] = 1, pressSort(g), left = true;
    if (t.PosZ[i] < -24000) t.Gone[i] = 1, pressSort(g), left = true;
    if (t.PosZ[i] > 24000) t.Gone[i] = 1, pressSort(g), left = true;
    if (left) {
      g.c("Labill").setCaption(t.BodyName[i] + " left the system");
      s.LastEvent = g.c("Labill").caption();
      g.log->AppendEvent();
    }
  }

  // 4. Gravity.
  count = s.BodyCount;
  for (int i = 0; i <= count; ++i) {
    double sumX = 0;
    double sumY = 0;
    double sumZ = 0;
    for (int j = 0; j <= attractors; ++j) {
      if (j == i) continue;
      if (i == 2) continue;
      if (t.Gone[i] == 1 || t.Gone[j] == 1) continue;
      if (j > count) continue;
      double dx = t.PosX[j] - t.PosX[i];
      double dy = t.PosY[j] - t.PosY[i];
      double dz = t.PosZ[j] - t.PosZ[i];
      double r = std::sqrt(dx * dx + dy * dy + dz * dz);
      t.Radius[j] = Squash(t.Mass[j]) / 1000;
      t.Radius[i] = Squash(t.Mass[i]) / 1000;
      double contact = (t.Radius[i] + t.Radius[j]) * s.Proximity;
      if (r != 0 && r > 100 * contact) {
        s.GravityFactor = CLng(static_cast<double>(s.MasterScale.get()) * s.Speed);
        double a = static_cast<double>(s.GravityFactor.get()) * t.Mass[j] / (r * r);
        sumX = sumX + a * dx / r;
        sumY = sumY + a * dy / r;
        sumZ = sumZ + a * dz / r;
      }
    }
    if (t.Gone[i] == 0) {
      g.views->BomBA(Int16(t.PosX[i]), Int16(t.PosY[i]), Int16(t.PosZ[i]), static_cast<std::int16_t>(i));
      if (i > 0) {
        t.VelX[i] = t.VelX[i] + sumX;
        t.VelY[i] = t.VelY[i] + sumY;
        t.VelZ[i] = t.VelZ[i] + sumZ;
      }
    }
  }

  // 5. Fusion.
  count = s.BodyCount;
  for (int a = attractors; a >= 0; --a) {
    for (int b = count; b >= 0; --b) {
      if (t.Gone[a] == 1 || t.Gone[b] == 1 || a == b) continue;
      double dx = t.PosX[b] - t.PosX[a];
      double dy = t.PosY[b] - t.PosY[a];
      double dz = t.PosZ[b] - t.PosZ[a];
      double r = std::sqrt(dx * dx + dy * dy + dz * dz);
      if (t.Radius[a] == 0) t.Radius[a] = Squash(t.Mass[a]) / 1000;
      if (t.Radius[b] == 0) t.Radius[b] = Squash(t.Mass[b]) / 1000;
      double contact = (t.Radius[b] + t.Radius[a]) * s.Proximity;
      if (contact == 0 && r != 0) contact = s.Proximity;
      if (!(r != 0 && r < 100 * contact)) continue;
      fusePair(g, a, b, debris);
      fused = true;
    }
  }

  // 6. End of pass.
  if (fused && (s.ElapsedSeconds > 9 || s.LiveCount < 500)) pressSort(g);
}

namespace {

template <typename A>
bool sameBits(const A& x, const A& y) {
  return std::memcmp(x.data(), y.data(), sizeof(x)) == 0;
}

}  // namespace

bool sameState(Game& a, Game& b, std::string* why) {
  auto differ = [&](const std::string& what) {
    if (why) *why = what;
    return false;
  };
  const BodyTable& x = a.b;
  const BodyTable& y = b.b;
#define QUORL_SAME(field) \
  if (!sameBits(x.field, y.field)) return differ(#field);
  QUORL_SAME(PosX)
  QUORL_SAME(PosY)
  QUORL_SAME(PosZ) QUORL_SAME(VelX) QUORL_SAME(VelY) QUORL_SAME(VelZ) QUORL_SAME(Mass) QUORL_SAME(BodyKind)
      QUORL_SAME(ColorR) QUORL_SAME(ColorG) QUORL_SAME(ColorB) QUORL_SAME(Gone) QUORL_SAME(Radius)
          QUORL_SAME(ImpactCount) QUORL_SAME(AirLevel) QUORL_SAME(WaterLevel) QUORL_SAME(PlanetClass) QUORL_SAME(Fuel)
              QUORL_SAME(CraftCode)
#undef QUORL_SAME
                  for (int k = 0; k < kImpacts; ++k) {
    if (!sameBits(x.ImpactMark[k], y.ImpactMark[k])) return differ("ImpactMark");
    if (!sameBits(x.CraterDX[k], y.CraterDX[k]) || !sameBits(x.CraterDY[k], y.CraterDY[k])) return differ("Crater");
  }
  for (int k = 0; k < kLifeKinds; ++k)
    if (!sameBits(x.LifeCount[k], y.LifeCount[k])) return differ("LifeCount");
  if (x.BodyName != y.BodyName) return differ("BodyName");

  const SharedState& s = a.s;
  const SharedState& t = b.s;
  if (s.BodyCount != t.BodyCount || s.AttractorLimit != t.AttractorLimit) return differ("BodyCount");
  if (s.GravityFactor != t.GravityFactor || std::memcmp(&s.Speed, &t.Speed, sizeof s.Speed) != 0 ||
      s.MasterScale != t.MasterScale || std::memcmp(&s.Proximity, &t.Proximity, sizeof s.Proximity) != 0)
    return differ("GravityFactor");
  if (s.Focus != t.Focus || s.Quadrant != t.Quadrant || s.PrevQuadrant != t.PrevQuadrant || s.Orbits != t.Orbits)
    return differ("Quadrant");
  if (s.LiveCount != t.LiveCount || s.ClassCount != t.ClassCount) return differ("LiveCount");
  if (s.LastEvent != t.LastEvent || s.FusionPair != t.FusionPair) return differ("LastEvent");
  if (a.c("Labill").caption() != b.c("Labill").caption()) return differ("Labill");
  Random ra = a.random, rb = b.random;
  for (int k = 0; k < 16; ++k)
    if (ra.rnd() != rb.rnd()) return differ("random sequence");
  return true;
}

}  // namespace quorl
