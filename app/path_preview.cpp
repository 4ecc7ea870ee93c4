// The path preview: when a new path is wanted, the job that computes it, and what the player is shown.
#include "app/path_preview.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "app/game.h"
#include "app/pace.h"
#include "app/preset_press.h"
#include "sim/main_loop.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

constexpr int kDots = 240;  // dots of a whole path in a view: one every so many passes
constexpr Color kStatusFore = rgb(111, 222, 255), kStatusBack = rgb(10, 12, 20), kWarnFore = rgb(255, 96, 96);

// At the right end of the status line, which makes room for them: the box over the text.
using Self = PathPreview::Controls;
const ControlRow<Self> kControls[] = {
    {QUORL_CONTROL(ChPath), .kind = Kind::CheckBox, .place = {10860, 13530, 1500, 300}, .caption = "Path",
     .toolTip = "The selected body's path ahead, exactly as it will go if nothing acts on it "
                "(on by itself for craft, comets and an aimed launch, off for worlds)",
     .fore = kStatusFore, .back = kStatusBack, .font = "DejaVu Sans", .fontSize = 9, .outsideGame = true},
    {QUORL_CONTROL(LabPath), .kind = Kind::Label, .place = {10860, 13830, 4500, 630}, .fore = kStatusFore,
     .back = kStatusBack, .font = "DejaVu Sans", .fontSize = 10, .outsideGame = true},
};

bool same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

const char* endName(Future::End e) {
  switch (e) {
    case Future::End::Absent: return "absent";
    case Future::End::Length: return "length";
    case Future::End::Turn: return "turn";
    case Future::End::Absorbed: return "absorbed";
    case Future::End::Left: return "left";
    case Future::End::Deadline: return "deadline";
    case Future::End::Failed: return "failed";
  }
  return "?";
}

}  // namespace

PathPreview::PathPreview(Game& g) : g_(g) {
  declare(g.ui, c, kControls);
  c.ChPath->onClick = [this] {
    if (settingBox_) return;
    // The player's choice holds for this selection.
    due_ = true;
    if (!on()) clear();
    showText();
  };
  exitAt_.fill(-1);
}

PathPreview::~PathPreview() = default;

void PathPreview::setBox(bool on) {
  settingBox_ = true;
  c.ChPath->setChecked(on);
  settingBox_ = false;
}

void PathPreview::clear() {
  path_ = Future{};
  exitAt_.fill(-1);
  ++shown_;
}

// What the path is of: the selected body, or (while the launch panel is open on a world that can launch)
// the craft a launch would start now, with the panel's bars as they stand.
void PathPreview::follow() {
  const SharedState& s = g_.s;
  LaunchPanel& launch = *g_.launch;
  int row = -1;
  LaunchAim aim{};
  // A selected craft shows its own path, the one its keys steer, even while the panel still offers a launch.
  const bool craft = validBody(s.Focus) && g_.b.CraftCode[s.Focus] > 0;
  const bool aiming = !craft && launch.c.FraCosmo->height() == LaunchPanel::kOpenHeight &&
                      launch.c.Command12->visible() && launch.wouldLaunch(row, aim);
  const Subject now{s.Focus, aiming, g_.presets->creations()};
  if (!(now == subject_)) {
    // A new selection: the box goes back to what suits it, a path for what can be steered or aimed.
    subject_ = now;
    ++subjectSerial_;
    due_ = true;
    clear();
    setBox(aiming || craft);
  }
  if (aiming && (row != aimRow_ || !(aim == aim_))) aimRow_ = row, aim_ = aim, due_ = true;
  if (s.NewWorldCount != worlds_) worlds_ = s.NewWorldCount, due_ = true;
}

void PathPreview::applied(const Input& in) {
  // Whatever the player does may change the future; a timer's tick does not, but for a nova (a new world)
  // or a new selection, which follow() sees.
  if (in.kind != Input::Kind::Tick && !(in.control && in.control->outsideGame)) due_ = true;
  follow();
  showText();
}

void PathPreview::passed() {
  if (!on() || path_.passes == 0) return;
  const int at = next();
  // Something the copy did not see moved the body (a scene put by hand, a nova on a timer's tick).
  if (!aimed_ && at >= 1 && at <= path_.passes) {
    const BodyTable& b = g_.b;
    const int i = path_.body;
    const auto k = static_cast<std::size_t>(at - 1);
    if (!same(b.PosX[i], path_.x[k]) || !same(b.PosY[i], path_.y[k]) || !same(b.PosZ[i], path_.z[k])) due_ = true;
  }
  if (g_.passesRun() - from_ >= static_cast<std::uint64_t>(std::max(1, path_.passes / 10))) travelled_ = true;
  // The countdown moves on in tenths of a second.
  if (!aimed_ && countdown() != textKey_) showText();
}

int PathPreview::next() const {
  if (aimed_) return 0;
  return static_cast<int>(std::min<std::uint64_t>(g_.passesRun() - from_, static_cast<std::uint64_t>(path_.passes)));
}

long long PathPreview::countdown() const {
  const FutureFusion* f = impact();
  const int event = f ? f->pass : path_.leavesAt, at = next();
  const double rate = g_.pace->rate();
  return event > at ? static_cast<long long>(rate > 0 ? (event - at) * 10 / rate : event - at) : -1;
}

const FutureFusion* PathPreview::impact() const {
  const int at = next();
  for (const FutureFusion& f : path_.fusions)
    if (f.pass > at) return &f;
  return nullptr;
}

PathPreview::Job PathPreview::job() {
  follow();
  due_ = travelled_ = false;
  Job j;
  j.from = g_.passesRun();
  j.aimed = subject_.aimed;
  j.subject = subjectSerial_;
  j.ask.passes = kLength;
  if (j.aimed) {
    const int s = g_.s.Focus, row = aimRow_;
    const LaunchAim aim = aim_;
    j.ask.body = row;
    j.ask.change = [s, row, aim](World& w) { startCraft(w.b, w.s, w.random, s, row, aim); };
  } else {
    j.ask.body = g_.s.Focus;
  }
  j.state = std::make_unique<WorldState>();
  // The copy only runs passes (and perhaps a launch into a row it has): it needs no row past BodyCount.
  j.state->take(g_.b, g_.s, g_.random, std::max(0, g_.s.BodyCount.get() + 1));
  return j;
}

void PathPreview::deliver(const Job& job, Future future) {
  if (job.subject != subjectSerial_ || !on()) return;
  path_ = std::move(future);
  from_ = job.from;
  aimed_ = job.aimed;
  // Where a path that leaves the system is last seen in each view.
  exitAt_.fill(-1);
  if (path_.escapes()) {
    double u, v;
    for (const auto area : {OrbitViews::Area::Main, OrbitViews::Area::Edge, OrbitViews::Area::Side})
      for (int k = path_.passes - 1; k >= 0; --k)
        if (g_.views->place(area, path_.x[k], path_.y[k], path_.z[k], u, v)) {
          exitAt_[static_cast<std::size_t>(area)] = k;
          break;
        }
  }
  ++shown_;
  showText();
}

void PathPreview::refresh() {
  if (!wanted()) return;
  Job j = job();
  if (!engine_) engine_ = std::make_unique<FutureRun>();
  engine_->setThreads(g_.loop->threads());
  deliver(j, engine_->run(*j.state, j.ask));
}

std::string PathPreview::inSeconds(int passes) const {
  const double rate = g_.pace->rate();
  if (!(rate > 0)) return std::to_string(passes) + " passes";
  char buf[32];
  const double seconds = passes / rate;
  std::snprintf(buf, sizeof buf, seconds < 1 ? "%.2f s" : "%.1f s", seconds);
  return buf;
}

std::string PathPreview::text() const {
  if (!on() || path_.end == Future::End::Absent) return "";
  std::string t;
  const auto add = [&t](const std::string& part) { t += (t.empty() ? "" : "\r") + part; };
  if (const FutureFusion* f = impact()) {
    const int passes = f->pass - next();
    const std::string& partner = g_.b.BodyName[static_cast<std::size_t>(f->partner)];
    add("impact in " + inSeconds(passes) + (f->absorbed ? " on " : ": absorbs ") + partner);
  }
  if (path_.escapes() && (path_.leavesAt == 0 || path_.leavesAt > next())) add("On an escape course: brake with s");
  if (aimed_ && t.empty()) add("no impact within " + inSeconds(path_.passes));
  if (path_.end == Future::End::Deadline) add("path cut short: " + std::to_string(path_.passes) + " passes");
  return t;
}

void PathPreview::showText() {
  const std::string t = text();
  c.LabPath->setCaption(t);
  // In the status line's own colour (it changes with the run), red for a way out of the system.
  c.LabPath->setFore(on() && path_.escapes() ? kWarnFore : g_.window.Labill->fore());
  textKey_ = countdown();
}

PathPreview::Overlay PathPreview::overlay(OrbitViews::Area area) const {
  Overlay o;
  const int n = path_.passes, first = next();
  if (!on() || first >= n) return o;
  o.escape = path_.escapes();
  o.aimed = aimed_;
  OrbitViews& views = *g_.views;
  double u, v;
  // Dots on fixed passes of the path, so that they stay where they are while the game runs along it.
  const int spacing = std::max(1, n / kDots);
  for (int k = (first + spacing - 1) / spacing * spacing; k < n; k += spacing)
    if (views.place(area, path_.x[k], path_.y[k], path_.z[k], u, v))
      o.u.push_back(static_cast<float>(u)), o.v.push_back(static_cast<float>(v));
  if (const FutureFusion* f = impact()) {
    const auto k = static_cast<std::size_t>(f->pass - 1);
    if (views.place(area, path_.x[k], path_.y[k], path_.z[k], u, v))
      o.impact = true, o.impactU = static_cast<float>(u), o.impactV = static_cast<float>(v);
  }
  const int e = exitAt_[static_cast<std::size_t>(area)];
  if (o.escape && e >= first) {
    const auto k = static_cast<std::size_t>(e);
    views.place(area, path_.x[k], path_.y[k], path_.z[k], u, v);
    o.exit = true, o.exitU = static_cast<float>(u), o.exitV = static_cast<float>(v);
  }
  return o;
}

std::string PathPreview::summary() const {
  std::ostringstream o;
  o << "path.on=" << on() << "\npath.body=" << path_.body << "\npath.aimed=" << aimed_ << "\npath.from=" << from_
    << "\npath.passes=" << path_.passes << "\npath.end=" << endName(path_.end) << "\npath.next=" << next()
    << "\npath.fusions=";
  for (std::size_t k = 0; k < path_.fusions.size(); ++k) {
    const FutureFusion& f = path_.fusions[k];
    o << (k ? ";" : "") << f.pass << ',' << f.partner << ',' << (f.absorbed ? "absorbed" : "absorbs");
  }
  o << "\npath.leaves=" << path_.leavesAt << "\npath.escape=" << path_.escapes() << "\npath.last=";
  if (path_.passes > 0) {
    const auto k = static_cast<std::size_t>(path_.passes - 1);
    o << shortest(path_.x[k]) << ',' << shortest(path_.y[k]) << ',' << shortest(path_.z[k]);
  }
  o << '\n';
  return o.str();
}

}  // namespace quorl
