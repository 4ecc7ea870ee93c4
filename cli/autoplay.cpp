// The autoplay: the schedule of the Watch pace, the player, and what it prints.
//
// The schedule. At Watch the window runs 5,000 passes a second and its timers fire in real time among
// them. Headless, a second of play is 1,000 steps of 5 passes followed by 1 ms of the timers' virtual
// time, so each timer fires within a fifth of a millisecond's passes of where the window would fire it.
// The player acts at the start of each second, before its passes: at most one input a second.
//
// The player. It looks at the screen: captions, texts, values and colours of controls, the bodies where
// the main view draws them (with their speeds and masses as the body editor shows them), the parameters,
// and the path preview as the window shows it (the selected body's path, or the aimed launch while the
// launch panel is open). It acts only through Game::apply, as the window would hand on a click, a typed
// text, a scroll bar, a key. It never tries an input on a copy of the game: what it knows of the future
// is the preview of what it has done, and where the laws of motion a player learns take the target.
//
// Its play. It reads the worlds' classes (selecting them, or with the probes in a large system), picks a
// launcher and a target that grow two different kinds of life soonest (a Brown dwarf only as the target
// of last resort: its Celestial is one, too few for Sublimate and Decimate), keeps the launcher selected
// until its life appears, and aims: it reckons with the laws where the heaviest bodies go, finds the angle
// and elevation that put a craft launched two seconds on onto the target, types them a second each, and
// launches when the preview says "impact ... on" the target. A craft the laws cannot aim in a while is
// aimed near the target by turning the angle a step a second, launched, selected and steered with the keys
// (the thrust typed one second, the key pressed the next) until the preview shows the impact; a Brown
// dwarf's comets, which no key steers, are given up for craft from other worlds. Then it keeps the target selected until its own life makes Celestials, and uses
// Decimate on the star (which removes nothing) and Fabricate and Sublimate on a world without life.
#include "cli/autoplay.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <tuple>
#include <vector>

#include "app/game.h"
#include "app/goals.h"
#include "app/goals_panel.h"
#include "app/params.h"
#include "app/path_preview.h"
#include "app/preset_press.h"
#include "events/biosphere.h"
#include "events/celestial_powers.h"
#include "events/launch.h"
#include "io/folder.h"
#include "panels/class_sort.h"
#include "panels/focus_panel.h"
#include "sim/clock.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

// Watch: 5,000 passes and 1,000 ms of every timer in a second of play.
constexpr int kPassesPerMs = 5, kPassesPerSecond = 5000;
constexpr double kPi = 3.14159265358979323846;
// The launch: full power; a path that passes within kSteerable of the target, kSteerPasses or more after the
// launch, is one the keys can bring onto it, with pushes made kSteerLead passes or more before the meeting.
constexpr int kPower = 10000, kSteerPasses = 16000, kSteerLead = 1000, kSteerSeconds = 60;
constexpr double kSteerable = 1000, kMostThrust = 400;  // a larger push throws the craft about
// Seconds the laws aim before a craft is steered instead, and before a comet is given up.
constexpr int kExactSeconds = 40, kCometSeconds = 120;
constexpr int kCometLead = 1500;  // passes from a comet's launch to its meeting, at least
constexpr std::size_t kHeavy = 12;  // the bodies whose pulls the aim of a comet reckons with
constexpr std::size_t kStarts = 8;  // the nearest passes of the round the aim of a comet starts from
constexpr int kSteps = 16;          // and its steps from each
constexpr int kStation = 100;     // a comet's launch distance: the farthest, the least to climb out
constexpr int kWalk = 40;                               // the most worlds the survey reads one by one
constexpr int kResurvey = 30;                           // seconds before a survey that found no plan looks again
constexpr double kLastResort = 600;                     // seconds a plan with a Brown dwarf for its target counts extra

// Turns of the selected world before its air (two a turn) is above what its class needs for life; one at
// least, for any atmosphere.
int orbitsNeeded(int cls) {
  const ClassLife& life = classLife(cls);
  if (life.kind == 0) return 0;
  return std::max(1, static_cast<int>(std::floor(life.airNeeded / 2)) + 1);
}

double wrap(double a) {
  while (a > kPi) a -= 2 * kPi;
  while (a <= -kPi) a += 2 * kPi;
  return a;
}

struct Vec {
  double x = 0, y = 0, z = 0;
  Vec operator+(const Vec& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec operator-(const Vec& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec operator*(double k) const { return {x * k, y * k, z * k}; }
  double dot(const Vec& o) const { return x * o.x + y * o.y + z * o.z; }
  double norm() const { return std::sqrt(dot(*this)); }
};

// The laws as the parameter panel states them: a pass moves a body by h times its velocity, then the star
// pulls with gm / r^exponent; a steering key pushes by the thrust box's number times `thrust`.
struct Dynamics {
  double h = 1, gm = 0, exponent = 2, thrust = 0;
  Vec star;
};

// The pull of a mass gm at `from` on a body at `at`, for a pass.
Vec pullOf(const Dynamics& d, const Vec& at, const Vec& from, double gm) {
  const Vec r = from - at;
  const double n = r.norm();
  return n > 0 ? r * (gm / (d.exponent == 2 ? n * n : std::pow(n, d.exponent)) / n) : Vec{};
}

// Where a path comes closest to a world: passes from the start of the stretch looked at, the miss (world
// less path) and the world's velocity relative to the path there.
struct Approach {
  int pass = 0;
  Vec miss, closing;
};

// The closest approach of a path to a world over n entries, from `lead` on: path(i) and world(i) give them.
template <class Path, class World>
std::optional<Approach> closest(int n, int lead, const Path& path, const World& world) {
  std::optional<Approach> best;
  double bestD = 0;
  for (int i = lead; i + 1 < n; ++i) {
    const Vec m = world(i) - path(i);
    if (!best || m.dot(m) < bestD) best = Approach{i, m, {}}, bestD = m.dot(m);
  }
  if (best) best->closing = (world(best->pass + 1) - world(best->pass)) - (path(best->pass + 1) - path(best->pass));
  return best;
}

// How a push moves the path's position at a later entry: a 3 x 3 matrix, on the star's pull alone.
struct Response {
  double m[3][3] = {};
  Vec operator()(const Vec& v) const {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
  }
};

// A push made after `first` entries of the path moves its entry `at` by the response times the push: each
// pass adds h times the velocity's change to the position's, and the pull's gradient at the position
// times the position's change to the velocity's.
// The target's pull counts too (gm of `world`, which is at `w` entry by entry from `first`): near it, it
// bends the path most.
Response response(const Future& f, int first, int at, const Dynamics& d, const std::vector<Vec>& w, double gmWorld) {
  double rp[3][3] = {}, rv[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int e = first; e <= at && e < f.passes; ++e) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) rp[i][j] += d.h * rv[i][j];
    double g[3][3] = {};
    const auto pull = [&](const Vec& from, double gm) {
      const double u[3] = {f.x[e] - from.x, f.y[e] - from.y, f.z[e] - from.z};
      const double r = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
      if (!(r > 0)) return;
      const double a = gm / std::pow(r, d.exponent + 1), b = (d.exponent + 1) * a / (r * r);
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) g[i][j] += b * u[i] * u[j] - (i == j ? a : 0);
    };
    pull(d.star, d.gm);
    const auto k = static_cast<std::size_t>(e - first);
    if (k < w.size()) pull(w[k], gmWorld);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) rv[i][j] += g[i][0] * rp[0][j] + g[i][1] * rp[1][j] + g[i][2] * rp[2][j];
  }
  Response out;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) out.m[i][j] = rp[i][j];
  return out;
}

// The key, and the thrust for it, whose push best closes the miss across the closing velocity (along it the
// meeting only comes a little sooner or later).
struct Press {
  char key = 0;
  double thrust = 0;  // the push, in velocity
  double after = 0;   // the miss across the closing velocity it leaves
};
Press choosePress(const Approach& a, const Response& r, double most) {
  static constexpr char kKeys[6] = {'c', 'q', 'e', 'z', 'x', 'w'};
  static const Vec kDir[6] = {{1, 1, 0}, {-1, -1, 0}, {1, -1, 0}, {-1, 1, 0}, {0, 0, 1}, {0, 0, -1}};
  const double c2 = a.closing.dot(a.closing);
  const auto across = [&](const Vec& v) { return c2 > 0 ? v - a.closing * (v.dot(a.closing) / c2) : v; };
  const Vec miss = across(a.miss);
  Press best{0, 0, miss.norm()};
  for (int k = 0; k < 6; ++k) {
    const Vec e = across(r(kDir[k]));
    const double e2 = e.dot(e);
    if (!(e2 > 0)) continue;
    const double t = std::clamp(miss.dot(e) / e2, 0.0, most);
    const double left = (miss - e * t).norm();
    if (left < best.after) best = {kKeys[k], t, left};
  }
  return best;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::string line;
  for (char ch : text) {
    if (ch == '\r' || ch == '\n') out.push_back(line), line.clear();
    else line += ch;
  }
  out.push_back(line);
  return out;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------------

class Player {
 public:
  Player(Game& g, const AutoplayOptions& o, std::ostream* trace) : g_(g), o_(o), trace_(trace) {}

  // The input of this second of play, if any.
  std::optional<Input> decide(int second);
  // Reads what the screen shows right after an input.
  void seen();

 private:
  // What the screen shows.
  int focus() const { return static_cast<int>(Val(g_.focus->c.LaFocal->caption())); }
  std::string status() const { return g_.window.Labill->caption(); }
  int count(int k) const { return static_cast<int>(Val(g_.bio->c.LaMount[k].caption())); }
  int total(int k) const { return static_cast<int>(Val(g_.bio->c.LabTot[k].caption())); }
  bool drawn(int body) const { return body >= 0 && body <= g_.s.BodyCount && g_.b.Gone[body] == 0; }
  // Where the main view draws a body, from the star's centre.
  double seenX(int body) const { return g_.b.PosX[body] - g_.b.PosX[2]; }
  double seenY(int body) const { return g_.b.PosY[body] - g_.b.PosY[2]; }

  Input select(int body) { return Input::scrolled(g_.focus->c.Hcelest, body); }
  Input press(Control& c) { return Input::press(c); }
  void note(const std::string& what);
  // Watches every world turn round the star, a second apart.
  void watch();
  // Seconds of play a world must stay selected before its own life appears: its turns times its period.
  double growSeconds(int world) const;
  // A world the craft of the launcher may seed: one that grows another kind and multiplies Celestials.
  bool target(int world) const;
  // The world the preview says the aimed craft meets, or -1.
  int aimedAt() const;
  Dynamics dynamics() const;
  // Where a world will be over the next passes, as the laws tell from where it is and how it moves.
  std::vector<Vec> foresee(int world, int passes) const;
  // The closest approach of a path (from its entry `first` on) to a world, at least `lead` passes ahead.
  std::optional<Approach> approach(const Future& f, int first, int world, int lead) const;
  std::optional<Input> steer();
  // The aimed craft's path as the laws tell, launched `after` passes from now at the angle a (radians) and
  // the elevation e, beside the target's positions; its closest approach from `lead` passes on.
  // Where the heaviest bodies go over the next passes (the launcher's velocity at the pass `after`).
  struct Sky {
    std::vector<Vec> star, one, launcher, target, launcherVel;
    double gmOne = 0, gmLauncher = 0, gmTarget = 0;
  };
  Sky foreseeSky(int passes) const;
  std::optional<Approach> fly(const Sky& sky, double a, double e, int after, int lead) const;
  // The angle and elevation that, as the laws tell, put a comet launched `after` passes from now on the
  // target, its miss less `error` (what the laws leave out, as the preview shows it).
  struct Shot {
    double angle = 0, elevation = 0, miss = 0;
  };
  std::optional<Shot> solve(const Sky& sky, int after, const Vec& error, double goal) const;
  std::optional<Input> aimExact();

  std::optional<Input> setup();
  std::optional<Input> survey();
  void plan();
  std::optional<Input> grow();
  std::optional<Input> aim();
  std::optional<Input> ripen();
  std::optional<Input> powers();

  struct Known {
    std::string name;
    int cls = -1;
    double spin = 0;  // radians a pass round the star
    double turn = 0;  // the same, signed: positive counterclockwise
  };

  Game& g_;
  const AutoplayOptions& o_;
  std::ostream* trace_;
  int second_ = 0;
  std::uint64_t passes_ = 0;

  enum class Stage { Setup, Survey, Grow, Aim, Steer, Ripen, Powers } stage_ = Stage::Setup;
  int setupStep_ = 0, surveyStep_ = 0, surveyFrom_ = 0;
  bool walking_ = false;
  int surveyAfter_ = 0;
  std::map<int, Known> known_;
  std::map<int, std::pair<double, std::uint64_t>> angle_;  // the angle round the star last seen, and when

  int launcher_ = -1;        // the world whose life a craft carries
  double fastest_ = 0;       // growSeconds of the quickest target when the plan was made
  bool lastResort_ = false;  // that target a Brown dwarf
  int target_ = -1;          // the world the launched craft is to meet
  // The search for an angle whose path meets a target.
  struct Aim {
    int target = -1;
    double angle = 0;  // radians from the launcher's direction round the star
    bool set = false;
    std::optional<double> elevation;  // a comet's: typed the second after its angle
    std::optional<Shot> last;         // the comet's last aim the laws found
    int since = -1;                   // the second the laws began to aim
  } aim_;
  int launchedAt_ = -1;  // the second of the launch
  int craft_ = -1;
  struct Steer {
    char key = 0;  // the key to press this second, its thrust typed the second before
  } steer_;
  bool noComets_ = false;  // no comet of a Brown dwarf found its way: launch from other worlds
  int junk_ = -1;  // a world the powers may spend themselves on
};

void Player::note(const std::string& what) {
  if (trace_) *trace_ << second_ << " s: " << what << '\n';
}

void Player::seen() {
  // What a selection or a probe writes in the status line says the class of the world selected; a fusion
  // may overwrite it before long, so it is read at once.
  const std::vector<std::string> l = lines(status());
  const int f = focus();
  int cls = -1;
  if (l.size() >= 2 && l[0] == "Selected body" + Str(f))
    for (int k = 0; k < 8; ++k)
      if (l[1] == g_.classes->className(k)) cls = k;
  static const char* const probes[] = {"Mars world selected", "Earth world selected", "Water world selected"};
  for (int i = 0; i < 3; ++i)
    if (l[0] == probes[i]) cls = i + 2;
  if (f >= 3 && cls >= 0) known_[f] = {g_.focus->c.LabWorld->caption(), cls, known_[f].spin, known_[f].turn};
}

void Player::watch() {
  for (int i = 3; i <= g_.s.BodyCount && i < 1000; ++i) {
    if (!drawn(i)) continue;
    const double a = std::atan2(seenY(i), seenX(i));
    const auto it = angle_.find(i);
    if (it != angle_.end() && passes_ > it->second.second && known_.count(i)) {
      known_[i].turn = wrap(a - it->second.first) / static_cast<double>(passes_ - it->second.second);
      known_[i].spin = std::abs(known_[i].turn);
    }
    angle_[i] = {a, passes_};
  }
}

double Player::growSeconds(int world) const {
  const auto it = known_.find(world);
  if (it == known_.end() || !(it->second.spin > 0) || orbitsNeeded(it->second.cls) == 0) return 1e9;
  return orbitsNeeded(it->second.cls) * 2 * kPi / it->second.spin / kPassesPerSecond;
}

bool Player::target(int world) const {
  const auto it = known_.find(world);
  if (world == launcher_ || !drawn(world) || it == known_.end()) return false;
  const int cls = it->second.cls;
  const int kind = classLife(known_.at(launcher_).cls).kind;
  const bool dwarf = cls == 7 && lastResort_;
  return ((cls >= 2 && cls <= 4) || dwarf) && classLife(cls).kind != kind && growSeconds(world) <= 2 * fastest_ + 30;
}

int Player::aimedAt() const {
  // "impact in 2.3 s on NAME": the craft ends in NAME.
  for (const std::string& l : lines(g_.preview->c.LabPath->caption())) {
    const auto on = l.find(" on ");
    if (l.rfind("impact in ", 0) != 0 || on == std::string::npos) continue;
    const std::string name = l.substr(on + 4);
    for (const auto& [b, k] : known_)
      if (k.name == name && drawn(b)) return b;
  }
  return -1;
}

std::optional<Input> Player::decide(int second) {
  second_ = second;
  passes_ = g_.passesRun();
  watch();
  switch (stage_) {
    case Stage::Setup: return setup();
    case Stage::Survey: return survey();
    case Stage::Grow: return grow();
    case Stage::Aim: return aim();
    case Stage::Steer: return steer();
    case Stage::Ripen: return ripen();
    case Stage::Powers: return powers();
  }
  return {};
}

std::optional<Input> Player::setup() {
  // Freeze the seed (the animation would change it), type it, press the preset.
  switch (setupStep_++) {
    case 0: return press(g_.params->c.CHran);
    case 1: return Input::typed(g_.params->c.TXran, std::to_string(o_.seed));
    case 2: return press(g_.presets->c.CDp[o_.preset]);
    default: break;
  }
  // The status line describes a selection once the clock has counted two seconds of the new system.
  if (setupStep_ < 7) return {};
  stage_ = Stage::Survey;
  return survey();
}

// Reads the class of the worlds: one by one down from the highest number in a small system, by the probes
// (each finds the highest-numbered world of its class but the one selected) in a large one.
std::optional<Input> Player::survey() {
  if (second_ < surveyAfter_) return {};
  const int present = static_cast<int>(Val(g_.classes->c.LaPlan->caption()));
  const int step = surveyStep_++;
  if (present > kWalk) {
    if (step < 6) return press(g_.bio->powers.c.CmdMars[step / 2]);
  } else if (!walking_) {
    // From the highest number of the start down: a number gone moves the bar up to one present, or round
    // to the star when there is none above; then try one lower.
    if (step == 0) surveyFrom_ = static_cast<int>(Val(g_.params->c.TXplanets->text())) + 2;
    else if (focus() > 3) walking_ = true;
    else --surveyFrom_;
    if (!walking_ && surveyFrom_ > 3) return select(surveyFrom_);
  }
  if (walking_ && focus() > 3) return press(g_.focus->c.Command13);
  std::ostringstream o;
  o << "survey:";
  for (const auto& [b, k] : known_) o << ' ' << b << '=' << k.cls;
  note(o.str());
  // The plan waits a second: the last world read needs it to be seen turning.
  stage_ = Stage::Grow;
  return {};
}

void Player::plan() {
  // The launcher and the target that together grow their two kinds soonest.
  launcher_ = -1;
  double best = 1e9;
  for (const auto& [l, kl] : known_) {
    // A Brown dwarf launches comets, which no key steers: they are aimed finely instead.
    if (!drawn(l) || kl.cls < 2 || (kl.cls > 4 && (kl.cls != 7 || noComets_))) continue;
    for (const auto& [w, kw] : known_) {
      if (w == l || !drawn(w) || classLife(kw.cls).kind == 0 || classLife(kw.cls).kind == classLife(kl.cls).kind) continue;
      if (kl.cls == 7 && kw.cls == 7) continue;
      // Two kinds on a Brown dwarf make a single Celestial, too few for two of the powers: the last resort.
      const double t = growSeconds(l) + growSeconds(w) + (kw.cls == 7 ? kLastResort : 0);
      if (t < best) best = t, launcher_ = l, fastest_ = growSeconds(w), lastResort_ = kw.cls == 7;
    }
  }
  std::ostringstream o;
  o << "plan: launcher " << launcher_ << " grows in " << growSeconds(launcher_) << " s, a target in " << fastest_;
  note(o.str());
  if (launcher_ > 0) {
    stage_ = Stage::Grow;
    return;
  }
  // Nothing to carry from one world to another yet: look again in a while (fusions change the classes).
  stage_ = Stage::Survey;
  surveyStep_ = 0, walking_ = false, surveyAfter_ = second_ + kResurvey;
}

std::optional<Input> Player::grow() {
  if (!drawn(launcher_)) plan();
  if (stage_ != Stage::Grow) return {};
  if (focus() != launcher_) return select(launcher_);
  if (count(classLife(known_[launcher_].cls).kind) == 0) return {};
  note("launcher " + std::to_string(launcher_) + " has life");
  stage_ = Stage::Aim;
  return aim();
}

// Moves the launch bars a step a second and launches when the aimed path meets a target.
std::optional<Input> Player::aim() {
  LaunchPanel& launch = *g_.launch;
  if (!drawn(launcher_)) return plan(), std::nullopt;
  if (focus() != launcher_) return select(launcher_);
  if (!launch.c.Command12->visible() || launch.c.Command12->caption() != "Launch") return {};
  g_.preview->refresh();
  const int hit = aimedAt();
  if (trace_)
    note("aim " + launch.c.TXpower->text() + " " + launch.c.TXangle->text() + ": " + g_.preview->c.LabPath->caption());
  if (hit >= 0 && target(hit)) {
    target_ = hit;
    launchedAt_ = second_;
    note("launch towards " + std::to_string(hit) + ": " + g_.preview->c.LabPath->caption());
    stage_ = Stage::Ripen;
    return press(launch.c.Command12);
  }
  // Round the compass a step a second, from the launcher's own direction, until the path comes near
  // enough to the target for the keys to do the rest, early enough for them to have the time.
  if (launch.c.SCRpowER->value() != kPower) return Input::scrolled(launch.c.SCRpowER, kPower);
  if (aim_.target < 0 || !target(aim_.target)) {
    aim_ = Aim{};
    for (const auto& [w, k] : known_)
      if (target(w) && (aim_.target < 0 || growSeconds(w) < growSeconds(aim_.target))) aim_.target = w;
    if (aim_.target < 0) return plan(), std::nullopt;
  }
  // A comet cannot be steered: the laws aim it, and the preview says when the aim is right.
  // The laws aim first, the angle and the elevation typed; a craft that they cannot put on the target in
  // a while is launched near it and steered, and a comet's Brown dwarf is given up for a world that launches craft.
  if (aim_.since < 0) aim_.since = second_;
  if (second_ < aim_.since + (known_[launcher_].cls == 7 ? kCometSeconds : kExactSeconds)) return aimExact();
  if (known_[launcher_].cls == 7) {
    note("no comet meets a target");
    noComets_ = true;
    return plan(), std::nullopt;
  }
  if (aim_.set) {
    const Future& f = g_.preview->path();
    const std::optional<Approach> near = approach(f, 0, aim_.target, kSteerPasses);
    if (trace_ && near)
      note("aim " + launch.c.TXangle->text() + ": miss " + std::to_string(near->miss.norm()) + " in " +
           std::to_string(near->pass));
    if (near && near->miss.norm() < kSteerable) {
      target_ = aim_.target;
      launchedAt_ = second_;
      craft_ = -1;
      note("launch towards " + std::to_string(target_));
      stage_ = Stage::Steer;
      steer_ = Steer{};
      return press(launch.c.Command12);
    }
  }
  const Known& l = known_[launcher_];
  aim_.angle = wrap(aim_.angle + 2 * kPi / 23);
  aim_.set = true;
  const double ahead = std::atan2(seenY(launcher_), seenX(launcher_)) + l.turn * kPassesPerSecond;
  const int bar = static_cast<int>(std::lround((ahead + aim_.angle) * 1000)) % 6284;
  return Input::scrolled(launch.c.ScrAngle, (bar + 6284) % 6284);
}

// Where a world will be, pass by pass from now, as the pass moves it: pulled by the star and by body 1, the
// one other body heavy enough to bend a path within seconds (which itself feels the star alone).
std::vector<Vec> Player::foresee(int world, int passes) const {
  const Dynamics d = dynamics();
  const BodyTable& b = g_.b;
  const double gm1 = d.gm / b.Mass[2] * b.Mass[1];
  Vec x{b.PosX[world], b.PosY[world], b.PosZ[world]}, v{b.VelX[world], b.VelY[world], b.VelZ[world]};
  Vec x1{b.PosX[1], b.PosY[1], b.PosZ[1]}, v1{b.VelX[1], b.VelY[1], b.VelZ[1]};
  const bool one = world != 1 && b.Gone[1] == 0 && b.Mass[1] > 0;
  std::vector<Vec> out;
  out.reserve(static_cast<std::size_t>(passes));
  for (int i = 0; i < passes; ++i) {
    x = x + v * d.h;
    if (one) x1 = x1 + v1 * d.h;
    v = v + pullOf(d, x, d.star, d.gm);
    if (one) v = v + pullOf(d, x, x1, gm1), v1 = v1 + pullOf(d, x1, d.star, d.gm);
    out.push_back(x);
  }
  return out;
}

Dynamics Player::dynamics() const {
  const SharedState& s = g_.s;
  Dynamics d;
  d.h = s.Speed / 100;
  d.gm = std::nearbyint(s.MasterScale.get() * s.Speed) * g_.b.Mass[2];
  d.exponent = s.GravityExponent;
  d.star = {g_.b.PosX[2], g_.b.PosY[2], g_.b.PosZ[2]};
  d.thrust = std::sqrt(s.MasterScale.get() / 31.0) * 0.001;
  return d;
}

std::optional<Approach> Player::approach(const Future& f, int first, int world, int lead) const {
  const int n = f.passes - first;
  if (n <= lead + 1) return std::nullopt;
  const std::vector<Vec> w = foresee(world, n);
  const std::optional<Approach> best = closest(
      n, lead, [&](int i) { return Vec{f.x[first + i], f.y[first + i], f.z[first + i]}; },
      [&](int i) { return w[static_cast<std::size_t>(i)]; });
  const int i = best->pass;
  // At the ends of the stretch the path is still closing in or already leaving: no approach within it.
  if (i == lead || i + 2 == n) return std::nullopt;
  return best;
}

Player::Sky Player::foreseeSky(int passes) const {
  const Dynamics d = dynamics();
  const BodyTable& b = g_.b;
  // The heaviest bodies, the launcher and the target among them, each pulled by the star and the others.
  std::vector<int> rows;
  for (int i = 1; i <= g_.s.BodyCount && i < 1000; ++i)
    if (i != 2 && drawn(i) && b.Mass[i] > 0) rows.push_back(i);
  std::stable_sort(rows.begin(), rows.end(), [&](int p, int q) { return b.Mass[p] > b.Mass[q]; });
  if (rows.size() > kHeavy) rows.resize(kHeavy);
  for (const int must : {1, launcher_, aim_.target})
    if (drawn(must) && b.Mass[must] > 0 && std::find(rows.begin(), rows.end(), must) == rows.end()) rows.push_back(must);
  const std::size_t n = rows.size();
  std::vector<Vec> x(n), v(n);
  std::vector<double> gm(n);
  std::size_t one = n, l = n, t = n;
  for (std::size_t k = 0; k < n; ++k) {
    const int i = rows[k];
    x[k] = {b.PosX[i], b.PosY[i], b.PosZ[i]}, v[k] = {b.VelX[i], b.VelY[i], b.VelZ[i]};
    gm[k] = d.gm / b.Mass[2] * b.Mass[i];
    if (i == 1) one = k;
    if (i == launcher_) l = k;
    if (i == aim_.target) t = k;
  }
  Vec star = d.star;
  const Vec starV{b.VelX[2], b.VelY[2], b.VelZ[2]};
  Sky sky;
  sky.star.reserve(static_cast<std::size_t>(passes)), sky.one.reserve(static_cast<std::size_t>(passes));
  sky.launcher.reserve(static_cast<std::size_t>(passes)), sky.target.reserve(static_cast<std::size_t>(passes));
  std::vector<Vec> a(n);
  // Entry p: after p passes from now.
  const auto keep = [&] {
    sky.star.push_back(star);
    sky.one.push_back(one < n ? x[one] : star);
    sky.launcher.push_back(l < n ? x[l] : star);
    sky.target.push_back(t < n ? x[t] : star);
    sky.launcherVel.push_back(l < n ? v[l] : Vec{});
  };
  keep();
  for (int p = 0; p < passes; ++p) {
    star = star + starV * d.h;
    for (std::size_t k = 0; k < n; ++k) x[k] = x[k] + v[k] * d.h;
    for (std::size_t k = 0; k < n; ++k) {
      a[k] = pullOf(d, x[k], star, d.gm);
      for (std::size_t j = 0; j < n; ++j)
        if (j != k) a[k] = a[k] + pullOf(d, x[k], x[j], gm[j]);
    }
    for (std::size_t k = 0; k < n; ++k) v[k] = v[k] + a[k];
    keep();
  }
  sky.gmOne = one < n ? gm[one] : 0;
  sky.gmLauncher = l < n ? gm[l] : 0;
  sky.gmTarget = t < n ? gm[t] : 0;
  return sky;
}

std::optional<Approach> Player::fly(const Sky& sky, double a, double e, int after, int lead) const {
  const Dynamics d = dynamics();
  const BodyTable& b = g_.b;
  const LaunchPanel& launch = *g_.launch;
  // A meeting the preview can show: within its length, less the second a launch waits for the check.
  const int passes = std::min(static_cast<int>(sky.star.size()) - 1 - after, PathPreview::kLength - kPassesPerSecond);
  if (passes <= lead + 1) return std::nullopt;
  const double power = Val(launch.c.TXpower->text()) / 100000 * thrustScale(g_.s);
  const double station = launch.c.ScrStation->value() / 1000.0;
  const Vec dir{400 * std::cos(a), 400 * std::sin(a), 0};
  const double contactL = b.Radius[launcher_] * g_.s.Proximity, contactW = b.Radius[aim_.target] * g_.s.Proximity;
  const auto at = [](const std::vector<Vec>& w, int p) { return w[static_cast<std::size_t>(p)]; };
  Vec x = at(sky.launcher, after) + dir * station,
      v = at(sky.launcherVel, after) + Vec{power * dir.x / 100, power * dir.y / 100, power * e / 100};
  std::vector<Vec> craft, world;
  craft.reserve(static_cast<std::size_t>(passes)), world.reserve(static_cast<std::size_t>(passes));
  for (int p = after + 1; p <= after + passes; ++p) {
    x = x + v * d.h;
    const Vec l = at(sky.launcher, p), w = at(sky.target, p);
    v = v + pullOf(d, x, at(sky.star, p), d.gm) + pullOf(d, x, at(sky.one, p), sky.gmOne);
    // Within a hundred times the sum of the radii a body pulls no more, and fuses.
    const double dl = (x - l).norm(), dw = (x - w).norm();
    if (dl < 100 * contactL) return std::nullopt;
    if (dl > 100 * contactL) v = v + pullOf(d, x, l, sky.gmLauncher);
    if (dw > 100 * contactW) v = v + pullOf(d, x, w, sky.gmTarget);
    craft.push_back(x), world.push_back(w);
    if (dw < 100 * contactW) break;
  }
  const auto entry = [](const std::vector<Vec>& v) { return [&v](int i) { return v[static_cast<std::size_t>(i)]; }; };
  return closest(static_cast<int>(craft.size()), lead, entry(craft), entry(world));
}

std::optional<Player::Shot> Player::solve(const Sky& sky, int after, const Vec& error, double goal) const {
  // The miss across the closing velocity (along it the meeting only comes sooner or later).
  const auto miss = [&](double a, double e, const Vec& closing) -> std::optional<Vec> {
    const std::optional<Approach> m = fly(sky, a, e, after, kCometLead);
    if (!m) return std::nullopt;
    const Vec c = closing.dot(closing) > 0 ? closing : m->closing;
    const Vec v = m->miss + error;
    return v - c * (v.dot(c) / c.dot(c));
  };
  // From the last aim, moved on; else round the compass at a few elevations (a comet needs some to leave
  // its Brown dwarf), then Newton's steps from the best few.
  std::vector<std::tuple<double, double, double>> starts;
  if (aim_.last) starts.emplace_back(0, aim_.last->angle, aim_.last->elevation);
  else {
    constexpr int kRound = 24;
    for (const double e : {-450.0, -300.0, -150.0, 150.0, 300.0, 450.0})
      for (int k = 0; k < kRound; ++k) {
        const double a = 2 * kPi * k / kRound;
        if (const std::optional<Approach> m = fly(sky, a, e, after, kCometLead)) starts.emplace_back((m->miss + error).norm(), a, e);
      }
    std::sort(starts.begin(), starts.end());
  }
  std::optional<Shot> best;
  for (std::size_t s = 0; s < starts.size() && s < kStarts; ++s) {
    double a = std::get<1>(starts[s]), e = std::get<2>(starts[s]);
    for (int step = 0; step < kSteps; ++step) {
      const std::optional<Approach> base = fly(sky, a, e, after, kCometLead);
      if (!base) break;
      constexpr double da = 1e-5, de = 0.05;
      const std::optional<Vec> m = miss(a, e, base->closing), ma = miss(a + da, e, base->closing),
                               me = miss(a, e + de, base->closing);
      if (!m || !ma || !me) break;
      if (!best || m->norm() < best->miss) best = Shot{a, e, m->norm()};
      if (m->norm() < goal / 4) break;
      const Vec ja = (*ma - *m) * (1 / da), je = (*me - *m) * (1 / de);
      const double aa = ja.dot(ja), ae = ja.dot(je), ee = je.dot(je), det = aa * ee - ae * ae;
      if (!(std::abs(det) > 0)) break;
      const double ra = -ja.dot(*m), re = -je.dot(*m);
      a += std::clamp((ee * ra - ae * re) / det, -0.2, 0.2);
      e = std::clamp(e + std::clamp((aa * re - ae * ra) / det, -100.0, 100.0), -500.0, 500.0);
    }
    if (best && best->miss < goal) break;
  }
  if (best) {
    best->angle = std::fmod(best->angle, 2 * kPi);
    if (best->angle < 0) best->angle += 2 * kPi;
  }
  return best;
}

// A comet: the angle typed one second and the elevation the next that the laws say meet the target two
// seconds on; what the laws leave out is the preview's miss less theirs for the aim typed before.
std::optional<Input> Player::aimExact() {
  LaunchPanel& launch = *g_.launch;
  char text[32];
  if (aim_.elevation) {
    std::snprintf(text, sizeof text, "%.4f", *aim_.elevation);
    aim_.elevation.reset();
    return Input::typed(launch.c.Text10, text);
  }
  if (launch.c.SCRpowER->value() != kPower) return Input::scrolled(launch.c.SCRpowER, kPower);
  if (launch.c.ScrStation->value() != kStation) return Input::scrolled(launch.c.ScrStation, kStation);
  constexpr int later = 2 * kPassesPerSecond;
  const Sky sky = foreseeSky(later + PathPreview::kLength);
  // The preview's path against where the laws take the target, and the laws' own path for the same aim.
  Vec error;
  const double a0 = Val(launch.c.TXangle->text()) / 1000, e0 = Val(launch.c.Text10->text());
  const Future& f = g_.preview->path();
  const std::optional<Approach> seen =
      closest(std::min(f.passes, static_cast<int>(sky.target.size()) - 1), kCometLead,
              [&](int i) { return Vec{f.x[i], f.y[i], f.z[i]}; },
              [&](int i) { return sky.target[static_cast<std::size_t>(i + 1)]; });
  const std::optional<Approach> laws = fly(sky, a0, e0, 0, kCometLead);
  if (seen && laws && std::abs(seen->pass - laws->pass) < 50) error = seen->miss - laws->miss;
  // A hit: within a hundred times the radius; the laws aim at a third of that.
  const double goal = 30 * g_.b.Radius[aim_.target] * g_.s.Proximity;
  const std::optional<Shot> shot = solve(sky, later, error, goal);
  aim_.last = shot && shot->miss < 100 * goal ? shot : std::nullopt;
  if (trace_) {
    std::ostringstream o;
    o << "goal " << goal << " comet: seen " << (seen ? seen->miss.norm() : -1) << " laws " << (laws ? laws->miss.norm() : -1) << " error "
      << error.norm();
    if (shot) o << " -> angle " << shot->angle * 1000 << " elevation " << shot->elevation << " miss " << shot->miss;
    note(o.str());
  }
  if (!shot || shot->miss > goal) return {};
  aim_.elevation = shot->elevation;
  std::snprintf(text, sizeof text, "%.4f", shot->angle * 1000);
  return Input::typed(launch.c.TXangle, text);
}

// After the launch: the craft selected, its path read each second, and a push at a time to bring it onto
// the target: the thrust typed one second, the key pressed the next.
std::optional<Input> Player::steer() {
  if (craft_ < 0) {
    // The status line names the new craft's number at the end of its first line.
    const std::vector<std::string> l = lines(status());
    if (l.empty() || l[0].rfind("New ", 0) != 0) return stage_ = Stage::Grow, std::nullopt;
    craft_ = static_cast<int>(Val(l[0].substr(l[0].rfind(' '))));
    note("craft " + std::to_string(craft_));
  }
  if (!drawn(target_)) return plan(), std::nullopt;
  if (!drawn(craft_)) {
    note("craft gone");
    stage_ = Stage::Ripen;
    return ripen();
  }
  if (focus() != craft_) return select(craft_);
  if (steer_.key) {
    const char k = steer_.key;
    steer_.key = 0;
    return Input::key(k);
  }
  PathPreview& p = *g_.preview;
  p.refresh();
  if (aimedAt() == target_) {
    note("on course: " + p.c.LabPath->caption());
    return {};
  }
  // A push now is made at the next second, after a second's passes.
  const Future& f = p.path();
  const int first = p.next() + kPassesPerSecond;
  const std::optional<Approach> near = approach(f, p.next(), target_, kPassesPerSecond + kSteerLead);
  if (!near || near->miss.norm() > kSteerable) {
    // No meeting ahead that a small push can still change: wait for the next, for a while.
    if (second_ < launchedAt_ + kSteerSeconds) return {};
    note("the craft missed");
    stage_ = Stage::Grow;
    return {};
  }
  const Dynamics d = dynamics();
  const std::vector<Vec> w = foresee(target_, f.passes - p.next());
  const std::vector<Vec> ahead(w.begin() + kPassesPerSecond, w.end());
  const double gmWorld = std::nearbyint(g_.s.MasterScale.get() * g_.s.Speed) * g_.b.Mass[target_];
  const Response r = response(f, first, p.next() + near->pass, d, ahead, gmWorld);
  const Press act = choosePress(*near, r, d.thrust * kMostThrust);
  if (trace_) {
    std::ostringstream o;
    o << "miss " << near->miss.norm() << " (" << near->miss.x << ',' << near->miss.y << ',' << near->miss.z
      << ") closing (" << near->closing.x << ',' << near->closing.y << ',' << near->closing.z << ") in " << near->pass
      << " -> " << act.key << " " << act.thrust / d.thrust << " leaves " << act.after;
    note(o.str());
  }
  if (!act.key) return {};
  // The thrust the box holds already serves when it is near enough: the key at once.
  const double held = Val(g_.launch->steering.c.txTHrust->text()) * d.thrust;
  if (std::abs(held - act.thrust) <= 0.05 * act.thrust) return Input::key(act.key);
  steer_.key = act.key;
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", act.thrust / d.thrust);
  return Input::typed(g_.launch->steering.c.txTHrust, text);
}

// Keeps the target selected until its own life and the carried kind make Celestials.
std::optional<Input> Player::ripen() {
  if (!drawn(target_)) return plan(), std::nullopt;
  if (focus() != target_) return select(target_);
  if (total(5) > 0) {
    note("Celestials: " + std::to_string(total(5)));
    stage_ = Stage::Powers;
    return powers();
  }
  // The path was exact: a craft that has not arrived by now went elsewhere. Aim again.
  const int carried = classLife(known_[launcher_].cls).kind;
  if (second_ > launchedAt_ + 10 && count(carried) == 0) {
    note("the craft missed");
    stage_ = Stage::Grow;
  }
  return {};
}

std::optional<Input> Player::powers() {
  CelestialPowers::Controls& p = g_.bio->powers.c;
  const Goals& goals = g_.goals->goals();
  // Decimate spends itself harmlessly on the star; the others on a world that carries no life.
  if (!goals.reached(kGoalDecimate) && p.CDdec->enabled()) return focus() != 2 ? select(2) : press(p.CDdec);
  if (junk_ < 0 || !drawn(junk_)) {
    junk_ = -1;
    for (const auto& [b, k] : known_)
      if (drawn(b) && b != target_ && b != launcher_ && (junk_ < 0 || classLife(k.cls).kind == 0)) junk_ = b;
    if (junk_ < 0) junk_ = 2;
  }
  const bool fab = !goals.reached(kGoalFabricate) && p.CDfab->enabled();
  const bool sub = !goals.reached(kGoalSublimate) && p.CDsub->enabled();
  if ((fab || sub) && focus() != junk_) return select(junk_);
  if (fab) return press(p.CDfab);
  if (sub) return press(p.CDsub);
  return {};
}

// ---------------------------------------------------------------------------------------------------------

int runAutoplay(const AutoplayOptions& o, std::ostream& out, std::ostream& err) {
  std::optional<TemporaryFolder> temporary;
  std::string dir = o.dir;
  if (dir.empty()) {
    dir = temporary.emplace("quorl-autoplay").path();
    if (dir.empty()) {
      err << "cannot make a temporary folder\n";
      return 2;
    }
  }
  GameOptions options{dir, {}};
  options.record.on = true;
  auto game = std::make_unique<Game>(options);
  Game& g = *game;
  // A fixed wall clock: the same seed plays the same game, and writes the same files.
  g.clock.set(DateTime{2026, 1, 1, 10, 0, 0}, g.ui.now());
  Player player(g, o, o.trace ? &err : nullptr);
  for (int second = 0; second < o.seconds; ++second) {
    if (const std::optional<Input> in = player.decide(second)) g.apply(*in), player.seen();
    for (int ms = 0; ms < 1000; ++ms) {
      for (int k = 0; k < kPassesPerMs; ++k) g.apply(Input::pass());
      g.advance(1);
    }
  }
  out << "autoplay seed " << o.seed << " preset " << o.preset << ": " << o.seconds << " s of play\n";
  const Goals& goals = g.goals->goals();
  for (int i = 0; i < kGoalCount; ++i) {
    const Goals::Mark& m = goals.mark(i);
    out << milestones()[static_cast<std::size_t>(i)].id << ' ';
    if (m.reached) out << static_cast<long long>(std::floor(m.seconds));
    else out << '-';
    out << '\n';
  }
  game.reset();
  return 0;
}

int autoplayCommand(int argc, char** argv, int first, std::ostream& out, std::ostream& err) {
  AutoplayOptions o;
  for (int i = first; i < argc; ++i) {
    const std::string a = argv[i];
    const bool more = i + 1 < argc;
    if ((a == "--seed" || a == "--preset" || a == "--seconds") && more) {
      double v = 0;
      if (!parseStrict(argv[++i], v) || v != std::floor(v)) {
        err << a << " takes a whole number\n";
        return 2;
      }
      if (a == "--seed") o.seed = static_cast<int>(v);
      else if (a == "--preset") o.preset = static_cast<int>(v);
      else o.seconds = static_cast<int>(v);
    } else if (a == "--dir" && more) {
      o.dir = argv[++i];
    } else if (a == "--trace") {
      o.trace = true;
    } else {
      err << "unknown argument '" << a << "'\n";
      return 2;
    }
  }
  if (o.preset < 1 || o.preset > 10) return err << "--preset takes 1 to 10\n", 2;
  if (o.seed < -32767 || o.seed > 32767) return err << "--seed takes -32767 to 32767\n", 2;
  if (o.seconds < 0 || o.seconds > 86400) return err << "--seconds takes 0 to 86400\n", 2;
  return runAutoplay(o, out, err);
}

}  // namespace quorl
