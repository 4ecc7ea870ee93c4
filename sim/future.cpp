// The future of one body, from a copy of the world run ahead.
//
// Why the copy's passes are the game's passes: between two passes of the live game its timers run and the
// class sort runs at the end of a pass with fusions (and when a body leaves the field). None of that moves
// a body. The sort writes classes, colours, ClassCount and LiveCount and draws random numbers for the
// colours of Earth worlds; the timers grow air and life, draw the views, count the clock and keep the
// selection on a present body. The pass reads none of what they write except ElapsedSeconds, LiveCount
// and Focus: the first two only choose how many debris points a fusion draws and whether the sort is
// asked for, Focus only which body the orbit counter watches. The only random numbers a pass draws are
// the debris offsets, which go to the drawing alone. So positions, velocities, masses and the Gone flags
// after n passes of the copy, with no sort and no timer, are bit for bit those of n passes of the game,
// as long as nothing else moves a body in between: an input (a key, a launch, an edit, a power) or the
// novas of a multiple nova, which its timer sets off. The copy's random sequence drifts from the game's;
// nothing that moves a body reads it.
#include "sim/future.h"

#include <cmath>
#include <exception>
#include <numbers>

#include "sim/main_loop.h"
#include "sim/numbers.h"

namespace quorl {

// Hears the copy's passes: the fusions of the followed body and its leaving; it draws nothing, presses
// nothing and writes no file.
class FutureRun::Watch : public PassReport {
 public:
  Future* f = nullptr;
  int pass = 0;
  bool absorbed = false, left = false;

  void plot(std::int16_t, std::int16_t, std::int16_t, std::int16_t) override {}
  void debris(std::int16_t, std::int16_t, std::int16_t, std::int16_t) override {}
  void fused(int survivor, int absorbedBody, const std::string&) override {
    if (survivor == f->body) f->fusions.push_back({pass, absorbedBody, false});
    if (absorbedBody == f->body) f->fusions.push_back({pass, survivor, true}), absorbed = true;
  }
  void leftField(int) override {}
  void leftSystem(int body, const std::string&) override {
    if (body == f->body) f->leavesAt = pass, left = true;
  }
  void sortDue() override {}
};

namespace {

// The copy needs no pictures: its areas keep nothing.
std::unique_ptr<Canvas> noPicture(int w, int h, Color back) { return std::make_unique<Canvas>(w, h, back); }

constexpr int kClockEvery = 16;  // passes between two looks at the deadline

// Unbound from body 2 and moving away from it. A pass moves a body by Speed/100 times its velocity and
// adds GravityFactor * M / r^2 to it, so the energy per unit mass in units per pass is
// h^2 v^2 / 2 - h GravityFactor M / r with h = Speed / 100: the body is unbound when h v^2 r >= 2 GF M.
bool unboundFromStar(const World& w, int i) {
  const BodyTable& b = w.b;
  const SharedState& s = w.s;
  if (i == 2 || b.Gone[2] != 0) return false;
  const double h = s.Speed / 100, product = static_cast<double>(s.MasterScale.get()) * s.Speed;
  if (!(h > 0) || !(std::abs(product) < 2147483647.0)) return false;
  const double gf = std::nearbyint(product);
  const double dx = b.PosX[i] - b.PosX[2], dy = b.PosY[i] - b.PosY[2], dz = b.PosZ[i] - b.PosZ[2];
  const double vx = b.VelX[i] - b.VelX[2], vy = b.VelY[i] - b.VelY[2], vz = b.VelZ[i] - b.VelZ[2];
  const double r = std::sqrt(dx * dx + dy * dy + dz * dz);
  return dx * vx + dy * vy + dz * vz > 0 && h * (vx * vx + vy * vy + vz * vz) * r >= 2 * gf * b.Mass[2];
}

}  // namespace

FutureRun::FutureRun()
    : world_(std::make_unique<World>(noPicture)),
      watch_(std::make_unique<Watch>()),
      loop_(std::make_unique<MainLoop>(*world_, *watch_)) {}

FutureRun::~FutureRun() = default;

void FutureRun::setThreads(int n) { loop_->setThreads(n); }

Future FutureRun::run(const WorldState& state, const FutureAsk& ask) {
  World& w = *world_;
  const BodyTable& b = w.b;
  state.restore(w.b, w.s, w.random);
  if (ask.change) ask.change(w);

  Future f;
  f.body = ask.body;
  const int i = ask.body;
  if (!validBody(i) || i > w.s.BodyCount || b.Gone[i] != 0) return f;
  f.end = Future::End::Length;
  const auto room = static_cast<std::size_t>(std::max(0, ask.passes));
  f.x.reserve(room), f.y.reserve(room), f.z.reserve(room);
  Watch& watch = *watch_;
  watch.f = &f, watch.absorbed = watch.left = false;

  // The turn round body 2, as the angle it has swept in the X-Y plane.
  const bool turns = ask.oneTurn && i != 2 && b.Gone[2] == 0;
  double angle = std::atan2(b.PosY[i] - b.PosY[2], b.PosX[i] - b.PosX[2]), swept = 0;

  for (int k = 1; k <= ask.passes; ++k) {
    if (k % kClockEvery == 0 &&
        ((ask.stop && ask.stop->load(std::memory_order_relaxed)) || std::chrono::steady_clock::now() >= ask.deadline)) {
      f.end = Future::End::Deadline;
      break;
    }
    watch.pass = k;
    try {
      loop_->pass();
    } catch (const std::exception&) {
      // The game's own pass fails here too (it says so in its status line): the future ends with it.
      f.end = Future::End::Failed;
      break;
    }
    f.passes = k;
    f.x.push_back(b.PosX[i]), f.y.push_back(b.PosY[i]), f.z.push_back(b.PosZ[i]);
    if (watch.absorbed) {
      f.end = Future::End::Absorbed;
      break;
    }
    if (watch.left) {
      f.end = Future::End::Left;
      break;
    }
    if (turns && b.Gone[2] == 0) {
      const double a = std::atan2(b.PosY[i] - b.PosY[2], b.PosX[i] - b.PosX[2]);
      double d = a - angle;
      if (d > std::numbers::pi) d -= 2 * std::numbers::pi;
      if (d < -std::numbers::pi) d += 2 * std::numbers::pi;
      swept += d, angle = a;
      if (std::abs(swept) >= 2 * std::numbers::pi) {
        f.end = Future::End::Turn;
        break;
      }
    }
  }
  if (b.Gone[i] == 0) f.unbound = unboundFromStar(w, i);
  watch.f = nullptr;
  return f;
}

}  // namespace quorl
