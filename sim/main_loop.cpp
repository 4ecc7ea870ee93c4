// The main loop: motion, gravity, drawing, fusion, in the order the rules bind.
//
// The pass returns the same table, bit for bit, as the plain transcription in bench/reference_pass.cpp,
// while doing far less work: a body's radius is computed again only when its mass changed, the
// gravity sums run over bodies as vector lanes (each body's sum over the attractors in order), and
// the fusion test sees only the pairs a cheap bound cannot rule out.
#include "sim/main_loop.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

#include "sim/numbers.h"
#include "sim/squash.h"

namespace quorl {

namespace {

constexpr double kField = 24000;  // a present body lies inside -24000..24000 on every axis

}  // namespace

MainLoop::MainLoop(World& w, PassReport& report)
    : w_(w),
      report_(report),
      best_(pass::bestSimd()),
      simd_(best_),
      cachedMass_(kRows),
      cachedRadius_(kRows),
      cached_(kRows, 0) {}

void MainLoop::setSimd(pass::Simd s) { simd_ = static_cast<int>(s) <= static_cast<int>(best_) ? s : best_; }

double MainLoop::radiusOf(int k) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(w_.b.Mass[k]);
  if (!cached_[k] || cachedMass_[k] != bits) {
    cachedRadius_[k] = Squash(w_.b.Mass[k]) / 1000;
    cachedMass_[k] = bits;
    cached_[k] = 1;
  }
  return cachedRadius_[k];
}

void MainLoop::pass() {
  SharedState& s = w_.s;
  if (s.BodyCount >= kRows) throw GameError("BodyCount" + Str(s.BodyCount) + " lies outside the body table (0..9999)");

  // 1. Working values of the pass.
  fused_ = false;
  const int attractors = s.BodyCount > s.AttractorLimit ? s.AttractorLimit : s.BodyCount;
  const int debris = s.ElapsedSeconds < 5 ? 10 : s.ElapsedSeconds < 15 ? 33 : 99;

  orbitCounter();              // 2.
  motion();                    // 3.
  gravity(attractors);         // 4.
  fusion(attractors, debris);  // 5.

  // 6. End of pass.
  if (fused_ && (s.ElapsedSeconds > 9 || s.LiveCount < 500)) report_.sortDue();
}

void MainLoop::orbitCounter() {
  SharedState& s = w_.s;
  const BodyTable& b = w_.b;
  const int f = s.Focus;
  if (f <= 2 || f >= kRows) return;
  const double x = b.PosX[f], y = b.PosY[f], x2 = b.PosX[2], y2 = b.PosY[2];
  if (x < x2 && y < y2) s.Quadrant = 1;
  else if (x < x2 && y > y2) s.Quadrant = 2;
  else if (x > x2 && y > y2) s.Quadrant = 3;
  else if (x > x2 && y < y2) s.Quadrant = 4;
  if (s.PrevQuadrant == 4 && s.Quadrant == 1) s.Orbits += 1;
  s.PrevQuadrant = s.Quadrant;
}

void MainLoop::motion() {
  BodyTable& b = w_.b;
  const int count = w_.s.BodyCount;
  for (int i = count; i >= 0; --i) {
    if (b.Gone[i] != 0) continue;
    if (i > 0) {
      // Speed is read afresh: a sort pressed below runs handlers.
      const double speed = w_.s.Speed;
      b.PosX[i] += (speed / 100) * b.VelX[i];
      b.PosY[i] += (speed / 100) * b.VelY[i];
      b.PosZ[i] += (speed / 100) * b.VelZ[i];
    }
    // Six separate tests: each bound exceeded marks the body gone and sorts once.
    const double* pos[3] = {&b.PosX[i], &b.PosY[i], &b.PosZ[i]};
    for (const double* p : pos) {
      if (*p < -kField) b.Gone[i] = 1, report_.leftField(i);
      if (*p > kField) b.Gone[i] = 1, report_.leftField(i);
    }
  }
}

void MainLoop::gatherLive(int count) {
  const BodyTable& b = w_.b;
  liveIndex_.clear();
  for (int i = 0; i <= count; ++i)
    if (b.Gone[i] != 1) liveIndex_.push_back(i);
  const int n = static_cast<int>(liveIndex_.size());
  live_.reset(n);
  for (int k = 0; k < n; ++k) {
    const int i = liveIndex_[k];
    live_.x[k] = b.PosX[i], live_.y[k] = b.PosY[i], live_.z[k] = b.PosZ[i];
    live_.id[k] = i;
  }
  liveCount_ = count;
}

void MainLoop::gravity(int attractors) {
  SharedState& s = w_.s;
  BodyTable& b = w_.b;
  const int count = s.BodyCount;

  // GravityFactor is the same for every pair of the pass (no handler runs inside this step); one that
  // cannot be formed fails at the first pulling pair, exactly where the plain loop fails.
  const double product = static_cast<double>(s.MasterScale.get()) * s.Speed;
  const double rounded = std::nearbyint(product);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return gravityPlain(attractors);
  const std::int32_t factor = static_cast<std::int32_t>(rounded);

  gatherLive(count);
  const int n = live_.n;
  for (int k = 0; k < n; ++k) live_.r[k] = radiusOf(liveIndex_[k]);

  // The pulling bodies are the live ones up to Attractors (a prefix of the ascending lanes).
  int pulling = 0;
  while (pulling < n && liveIndex_[pulling] <= attractors) ++pulling;
  pullers_.reset(pulling);
  for (int k = 0; k < pulling; ++k) {
    const int j = liveIndex_[k];
    pullers_.x[k] = live_.x[k], pullers_.y[k] = live_.y[k], pullers_.z[k] = live_.z[k];
    pullers_.r[k] = live_.r[k];
    pullers_.gm[k] = static_cast<double>(factor) * b.Mass[j];
    pullers_.id[k] = j;
  }

  // Every examined pair refreshes both radii: a pulled body needs a puller other than itself, a
  // puller a pulled body other than itself (body 2 is never pulled).
  const bool twoLive = std::binary_search(liveIndex_.begin(), liveIndex_.end(), 2);
  const int pulled = n - (twoLive ? 1 : 0);
  for (int k = 0; k < n; ++k) {
    const int i = liveIndex_[k];
    const bool isPuller = k < pulling, isPulled = i != 2;
    if ((isPulled && pulling - (isPuller ? 1 : 0) > 0) || (isPuller && pulled - (isPulled ? 1 : 0) > 0))
      b.Radius[i] = live_.r[k];
  }

  sx_.resize(static_cast<std::size_t>(live_.padded));
  sy_.resize(sx_.size());
  sz_.resize(sx_.size());
  if (pass::gravitySums(simd_, live_, pullers_, s.Proximity, sx_.data(), sy_.data(), sz_.data()))
    s.GravityFactor = factor;

  // Draw every present body and give it its pull, in body order.
  int k = 0;
  for (int i = 0; i <= count; ++i) {
    while (k < n && liveIndex_[k] < i) ++k;
    if (b.Gone[i] != 0) continue;
    report_.plot(Int16(b.PosX[i]), Int16(b.PosY[i]), Int16(b.PosZ[i]), static_cast<std::int16_t>(i));
    if (i > 0) {
      const bool has = k < n && liveIndex_[k] == i;
      b.VelX[i] += has ? sx_[k] : 0.0;
      b.VelY[i] += has ? sy_[k] : 0.0;
      b.VelZ[i] += has ? sz_[k] : 0.0;
    }
  }
}

void MainLoop::gravityPlain(int attractors) {
  SharedState& s = w_.s;
  BodyTable& b = w_.b;
  const int count = s.BodyCount;
  for (int i = 0; i <= count; ++i) {
    double sx = 0, sy = 0, sz = 0;
    for (int j = 0; j <= attractors; ++j) {
      if (j == i || i == 2 || b.Gone[i] == 1 || b.Gone[j] == 1 || j > count) continue;
      const double dx = b.PosX[j] - b.PosX[i], dy = b.PosY[j] - b.PosY[i], dz = b.PosZ[j] - b.PosZ[i];
      const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
      b.Radius[j] = radiusOf(j);
      b.Radius[i] = radiusOf(i);
      const double contact = (b.Radius[i] + b.Radius[j]) * s.Proximity;
      if (r != 0 && r > 100 * contact) {
        s.GravityFactor = CLng(static_cast<double>(s.MasterScale.get()) * s.Speed);
        const double a = static_cast<double>(s.GravityFactor.get()) * b.Mass[j] / (r * r);
        sx += a * dx / r;
        sy += a * dy / r;
        sz += a * dz / r;
      }
    }
    if (b.Gone[i] == 0) {
      report_.plot(Int16(b.PosX[i]), Int16(b.PosY[i]), Int16(b.PosZ[i]), static_cast<std::int16_t>(i));
      if (i > 0) b.VelX[i] += sx, b.VelY[i] += sy, b.VelZ[i] += sz;
    }
  }
  liveCount_ = -1;
}

void MainLoop::fusion(int attractors, int debris) {
  SharedState& s = w_.s;
  BodyTable& b = w_.b;
  const int count = s.BodyCount;

  // A live body of radius 0 gets its radius during the step (the zero rule): the plain loop keeps
  // that rule in its place. Otherwise radii, positions and the proximity stay fixed for the step.
  bool plain = liveCount_ != count;
  for (int k = 0; !plain && k < live_.n; ++k) plain = b.Radius[liveIndex_[k]] == 0;
  if (plain) {
    for (int a = attractors; a >= 0; --a)
      for (int j = count; j >= 0; --j)
        if (b.Gone[a] != 1 && b.Gone[j] != 1 && a != j) examine(a, j, debris);
    return;
  }

  const int n = live_.n;
  fusionRadius_.resize(static_cast<std::size_t>(live_.padded));
  for (int k = 0; k < live_.padded; ++k) fusionRadius_[k] = k < n ? b.Radius[liveIndex_[k]] : 0.0;
  candidates_.resize(static_cast<std::size_t>(live_.padded));
  for (int a = attractors; a >= 0; --a) {
    if (b.Gone[a] == 1) continue;
    const int found = pass::fusionCandidates(simd_, live_, fusionRadius_.data(), b.PosX[a], b.PosY[a], b.PosZ[a],
                                             b.Radius[a], s.Proximity, candidates_.data());
    for (int c = 0; c < found; ++c) {
      if (b.Gone[a] == 1) break;  // a was absorbed: its remaining pairs are skipped
      const int j = liveIndex_[candidates_[c]];
      if (b.Gone[j] == 1 || j == a) continue;
      examine(a, j, debris);
    }
  }
}

void MainLoop::examine(int a, int j, int debris) {
  BodyTable& b = w_.b;
  const double dx = b.PosX[j] - b.PosX[a], dy = b.PosY[j] - b.PosY[a], dz = b.PosZ[j] - b.PosZ[a];
  const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (b.Radius[a] == 0) b.Radius[a] = radiusOf(a);
  if (b.Radius[j] == 0) b.Radius[j] = radiusOf(j);
  double contact = (b.Radius[j] + b.Radius[a]) * w_.s.Proximity;
  if (contact == 0 && r != 0) contact = w_.s.Proximity;
  if (r != 0 && r < 100 * contact) fuse(a, j, debris);
}

void MainLoop::fuse(int a, int j, int debris) {
  BodyTable& b = w_.b;
  SharedState& s = w_.s;
  // Masses and velocities from before the fusion.
  const double ma = b.Mass[a], mb = b.Mass[j];
  const double total = ma + mb;
  if (total > 0) {
    const double vx = (mb * b.VelX[j] + ma * b.VelX[a]) / total;
    const double vy = (mb * b.VelY[j] + ma * b.VelY[a]) / total;
    b.VelX[a] = vx, b.VelX[j] = vx;
    b.VelY[a] = vy, b.VelY[j] = vy;
  }
  const int survivor = ma > mb ? a : j, absorbed = ma > mb ? j : a;
  const double mSurvivor = ma > mb ? ma : mb, mAbsorbed = ma > mb ? mb : ma;
  b.Gone[absorbed] = 1;
  b.Mass[survivor] = total;

  // Debris around both bodies.
  const auto burst = [&](int body, int spread, int half) {
    const int x = Int16(b.PosX[body]), y = Int16(b.PosY[body]), z = Int16(b.PosZ[body]);
    for (int k = 0; k < debris; ++k) {
      const int ox = static_cast<int>(Int(w_.Rnd() * spread)) - half;
      const int oy = static_cast<int>(Int(w_.Rnd() * spread)) - half;
      const int oz = static_cast<int>(Int(w_.Rnd() * spread)) - half;
      report_.debris(i16(x) + i16(ox), i16(y) + i16(oy), i16(z) + i16(oz), static_cast<std::int16_t>(body));
    }
  };
  burst(survivor, 299, 149);
  burst(absorbed, 199, 99);

  // The crater of the k-th absorption (the 100th and later overwrite entry 99).
  i16& impacts = b.ImpactCount[survivor];
  impacts += 1;
  if (impacts > 99) impacts = 99;
  const int k = impacts;
  double size = 2000 * std::sqrt(mAbsorbed / mSurvivor);
  if (std::isnan(size)) size = 0;  // two massless bodies leave no crater
  if (10 < size && size < 16) size = size + 10;
  if (size > 222) size = 222;
  b.ImpactMark[k][survivor] = static_cast<std::int16_t>(Int(size));

  if (b.CraftCode[absorbed] > 0) b.ImpactMark[k][survivor] = CInt(b.BodyKind[absorbed]);

  report_.fused(survivor, absorbed, b.BodyName[absorbed] + " impacts " + b.BodyName[survivor]);
  s.FusionPair[0] = survivor;
  s.FusionPair[1] = absorbed;
  fused_ = true;
}

}  // namespace quorl
