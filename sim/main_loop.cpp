// The main loop: motion, gravity, drawing, fusion, in the order the rules bind.
//
// The pass returns the same table, bit for bit, as the plain transcription in bench/reference_pass.cpp,
// while doing far less work: a body's radius is computed again only when its mass changed, the
// gravity sums run over bodies as vector lanes (each body's sum over the attractors in order) on
// slices of the lanes spread over the worker threads, and the fusion step examines only the pairs
// the gravity step found too close to pull.
#include "sim/main_loop.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <exception>
#include <functional>
#include <string>

#include "sim/numbers.h"
#include "sim/squash.h"
#include "sim/worker_pool.h"

namespace quorl {

namespace {

constexpr int kSlicesPerThread = 24;  // small slices even out the threads' shares at the end

}  // namespace

MainLoop::MainLoop(World& w, PassReport& report)
    : w_(w),
      report_(report),
      widest_(pass::widestSimd()),
      simd_(pass::engine().simd),
      threads_(pass::engine().threads),
      cachedMass_(kRows),
      cachedRadius_(kRows),
      cached_(kRows, 0) {
  if (!pass::engine().note.empty()) w_.status(pass::engine().note);
}

void MainLoop::setSimd(pass::Simd s) { simd_ = pass::runs(s) ? s : widest_; }

void MainLoop::setThreads(int n) { threads_ = std::clamp(n, 1, pass::kMaxThreads); }

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

  // Workers that sleep take tens of microseconds to wake: they are woken now, for the gravity step.
  if (sliceThreads_ > 1) WorkerPool::shared(sliceThreads_).warm();

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
  if (sliceThreads_ > 1) WorkerPool::shared(sliceThreads_).warm();
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
  // Speed is read again after each sort pressed here: the press runs handlers.
  double step = w_.s.Speed / 100;
  for (int i = count; i >= 0; --i) {
    if (b.Gone[i] != 0) continue;
    if (i > 0) {
      b.PosX[i] += step * b.VelX[i];
      b.PosY[i] += step * b.VelY[i];
      b.PosZ[i] += step * b.VelZ[i];
    }
    if (!outsideField(b.PosX[i], b.PosY[i], b.PosZ[i])) continue;
    // Six separate tests: each bound exceeded marks the body gone and sorts once.
    const double* pos[3] = {&b.PosX[i], &b.PosY[i], &b.PosZ[i]};
    for (const double* p : pos) {
      if (*p < -kField) b.Gone[i] = 1, report_.leftField(i), step = w_.s.Speed / 100;
      if (*p > kField) b.Gone[i] = 1, report_.leftField(i), step = w_.s.Speed / 100;
    }
    report_.leftSystem(i, leftSystemText(b.BodyName[i]));
  }
}

void MainLoop::slice(int pulling, int threads) {
  const int lanes = live_.padded;
  const int wanted = threads > 1 ? threads * kSlicesPerThread : 1;
  const int width =
      std::max(2 * pass::kLanePad, (lanes / wanted + pass::kLanePad - 1) / pass::kLanePad * pass::kLanePad);
  const std::size_t room = static_cast<std::size_t>(lanes) * static_cast<std::size_t>(pulling);
  if (room > keyCap_) keyRoom_.reset(new std::uint32_t[room]), keyCap_ = room;
  sx_.resize(static_cast<std::size_t>(lanes));
  sy_.resize(sx_.size());
  sz_.resize(sx_.size());
  slices_.clear();
  for (int from = 0; from < lanes; from += width) {
    pass::GravitySlice& c = slices_.emplace_back();
    c.from = from, c.to = std::min(lanes, from + width);
    c.sx = sx_.data(), c.sy = sy_.data(), c.sz = sz_.data();
    c.keys = keyRoom_.get() + static_cast<std::size_t>(from) * static_cast<std::size_t>(pulling);
  }
  sliceThreads_ = threads;
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

  // The lanes: the live bodies (Gone is not 1), ascending; the first `pulling` of them pull.
  liveIndex_.resize(static_cast<std::size_t>(count) + 1);
  int n = 0;
  for (int i = 0; i <= count; ++i) {
    liveIndex_[n] = i;
    n += b.Gone[i] != 1;
  }
  liveIndex_.resize(static_cast<std::size_t>(n));
  live_.reset(n);
  oldRadius_.resize(static_cast<std::size_t>(n));
  liveCount_ = count;
  int pulling = 0;
  while (pulling < n && liveIndex_[pulling] <= attractors) ++pulling;

  // Fills the lanes from..to from the table. Every examined pair refreshes both radii: a pulled body
  // needs a puller other than itself, a puller a pulled body other than itself (body 2 is never
  // pulled). The fusion step may take the gravity step's candidates only when every live body's
  // radius is the one gravity saw, and not 0: false when one is not.
  const bool twoLive = std::binary_search(liveIndex_.begin(), liveIndex_.end(), 2);
  const int pulled = n - (twoLive ? 1 : 0);
  const auto examined = [pulling](int k, bool asPulled, int pulledCount) {
    const bool isPuller = k < pulling;
    return (asPulled && pulling - (isPuller ? 1 : 0) > 0) || (isPuller && pulledCount - (asPulled ? 1 : 0) > 0);
  };
  const auto fill = [&](int from, int to) {
    bool agree = true;
    for (int k = from; k < to; ++k) {
      const int i = liveIndex_[k];
      live_.x[k] = b.PosX[i], live_.y[k] = b.PosY[i], live_.z[k] = b.PosZ[i];
      live_.id[k] = i;
      const double r = live_.r[k] = radiusOf(i);
      if (examined(k, i != 2, pulled)) oldRadius_[k] = b.Radius[i], b.Radius[i] = r;
      else agree = agree && std::bit_cast<std::uint64_t>(b.Radius[i]) == std::bit_cast<std::uint64_t>(r);
      agree = agree && r != 0;
    }
    return agree;
  };
  radiiAgree_ = fill(0, pulling);
  pullers_.reset(pulling);
  for (int k = 0; k < pulling; ++k) {
    pullers_.x[k] = live_.x[k], pullers_.y[k] = live_.y[k], pullers_.z[k] = live_.z[k];
    pullers_.r[k] = live_.r[k];
    pullers_.gm[k] = static_cast<double>(factor) * b.Mass[liveIndex_[k]];
    pullers_.id[k] = liveIndex_[k];
  }

  // Each slice of lanes is filled and summed on the workers while this thread draws every present body
  // in body order (drawing reads nothing they write). A drawing that fails ends the step where the
  // plain loop ends it: the bodies before it got their pull, the ones from it on did not.
  slice(pulling, threadsFor(n));
  sliceAgree_.assign(slices_.size(), 1);
  const double proximity = s.Proximity;
  int failedAt = -1;
  std::exception_ptr failure;
  const auto draw = [&] {
    try {
      for (int i = 0; i <= count; ++i) {
        if (b.Gone[i] != 0) continue;
        failedAt = i;
        report_.plot(Int16(b.PosX[i]), Int16(b.PosY[i]), Int16(b.PosZ[i]), static_cast<std::int16_t>(i));
      }
      failedAt = -1;
    } catch (...) {
      failure = std::current_exception();
    }
  };
  const auto sums = [&](int c) {
    pass::GravitySlice& slice = slices_[c];
    sliceAgree_[c] = fill(std::max(slice.from, pulling), std::min(slice.to, n));
    pass::gravitySlice(simd_, live_, pullers_, proximity, slice);
  };
  if (sliceThreads_ > 1) {
    WorkerPool& pool = WorkerPool::shared(sliceThreads_);
    pool.run(static_cast<int>(slices_.size()), sums, draw);
    pool.warm();  // the class sort and the next pass follow within microseconds: the workers stay awake
  } else {
    draw();
    for (int c = 0; c < static_cast<int>(slices_.size()); ++c) sums(c);
  }

  for (const char agree : sliceAgree_) radiiAgree_ = radiiAgree_ && agree;
  // GravityFactor is set by the first pair that pulls, if the step got that far.
  const int last = failure ? failedAt : count;
  int firstPulled = -1;
  for (const pass::GravitySlice& c : slices_)
    if (c.firstPulled >= 0) {
      firstPulled = c.firstPulled;
      break;
    }
  if (firstPulled >= 0 && liveIndex_[firstPulled] <= last) s.GravityFactor = factor;
  for (int k = 0; k < n; ++k) {
    const int i = liveIndex_[k];
    if (failure && i >= failedAt) break;
    if (i == 0 || b.Gone[i] != 0) continue;
    b.VelX[i] += sx_[k];
    b.VelY[i] += sy_[k];
    b.VelZ[i] += sz_[k];
  }
  if (failure) {
    // The plain loop refreshed the radii of the pairs it examined before the failing drawing only.
    int pulledBefore = 0;
    for (int k = 0; k < n && liveIndex_[k] <= failedAt; ++k) pulledBefore += liveIndex_[k] != 2;
    for (int k = 0; k < n; ++k) {
      const int i = liveIndex_[k];
      if (examined(k, i != 2, pulled) && !examined(k, i != 2 && i <= failedAt, pulledBefore))
        b.Radius[i] = oldRadius_[k];
    }
    liveCount_ = -1;
    std::rethrow_exception(failure);
  }

  fusionKeys_.clear();
  for (const pass::GravitySlice& c : slices_) fusionKeys_.insert(fusionKeys_.end(), c.keys, c.keys + c.found);
  std::sort(fusionKeys_.begin(), fusionKeys_.end(), std::greater<>());
  keysProximity_ = proximity;
}

double MainLoop::floorSweep() {
  if (liveCount_ < 0 || live_.n == 0 || slices_.empty()) return 0;
  const auto sweep = [&](int c) {
    const pass::GravitySlice& l = slices_[c];
    pass::floorSlice(simd_, live_, pullers_, l.from, l.to, sx_.data(), sy_.data(), sz_.data());
  };
  const auto all = [&] {
    if (sliceThreads_ > 1) WorkerPool::shared(sliceThreads_).run(static_cast<int>(slices_.size()), sweep);
    else
      for (int c = 0; c < static_cast<int>(slices_.size()); ++c) sweep(c);
  };
  // A tight loop: the second of two sweeps, with the workers awake and the lanes in cache.
  if (sliceThreads_ > 1) WorkerPool::shared(sliceThreads_).warm();
  all();
  const auto start = std::chrono::steady_clock::now();
  all();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (sliceThreads_ > 1) WorkerPool::shared(sliceThreads_).warm();  // as after a pass: the next one follows
  return seconds;
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

  // The candidates hold every pair that can fuse while the radii, positions and the proximity are
  // those the gravity step saw. A live body of radius 0 gets its radius during this step (the zero
  // rule), and one left out of every gravity pair may keep an older radius: the plain loop keeps
  // those cases in their place.
  const bool plain = liveCount_ != count || !radiiAgree_ ||
                     std::bit_cast<std::uint64_t>(keysProximity_) != std::bit_cast<std::uint64_t>(s.Proximity);
  if (plain) {
    for (int a = attractors; a >= 0; --a)
      for (int j = count; j >= 0; --j)
        if (b.Gone[a] != 1 && b.Gone[j] != 1 && a != j) examine(a, j, debris);
    return;
  }

  for (const std::uint32_t key : fusionKeys_) {
    const int a = static_cast<int>(pullers_.id[key >> pass::kLaneBits]);
    const int j = liveIndex_[key & ((1u << pass::kLaneBits) - 1)];
    if (b.Gone[a] == 1 || b.Gone[j] == 1) continue;  // absorbed earlier in the step
    examine(a, j, debris);
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
      const int ox = static_cast<int>(std::floor(w_.Rnd() * spread)) - half;  // Int, inline
      const int oy = static_cast<int>(std::floor(w_.Rnd() * spread)) - half;
      const int oz = static_cast<int>(std::floor(w_.Rnd() * spread)) - half;
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
