// The one snapshot of a game, taken, put back, and as bytes.
#include "app/game_state.h"

#include <algorithm>

#include "app/clock_score.h"
#include "app/game.h"
#include "events/launch.h"
#include "sim/binary.h"
#include "views/orbit_views.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

using binary::put;
using binary::putText;
using binary::Reader;

constexpr char kMagic[8] = {'Q', 'G', 'A', 'M', 'E', '0', '0', '1'};

// Every property of a control, in one order for writing and reading.
template <typename F>
void eachProp(Control::Snapshot& s, F&& f) {
  f(s.caption), f(s.toolTip), f(s.text), f(s.parent), f(s.fontName);
  f(s.fore), f(s.back);
  f(s.visible), f(s.enabled), f(s.readOnly), f(s.fontBold);
  f(s.left), f(s.top), f(s.width), f(s.height), f(s.x1), f(s.y1), f(s.x2), f(s.y2);
  f(s.smallChange), f(s.largeChange), f(s.value), f(s.min), f(s.max), f(s.interval);
  f(s.fontSize);
}

}  // namespace

std::uint64_t checksum(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char ch : bytes) h = (h ^ static_cast<unsigned char>(ch)) * 1099511628211ull;
  return h;
}

void GameState::take(Game& g, const GameState* like) {
  // Within a system nothing writes past BodyCount: a snapshot taken like an earlier one looks at the rows
  // either had in play.
  const int inPlay = std::clamp<int>(g.s.BodyCount.get() + 1, 0, kRows);
  rows = like ? std::max(like->rows, inPlay) : inPlay;
  world.take(g.b, g.s, g.random, like ? rows : kRows, like ? &like->world : nullptr);
  std::vector<std::shared_ptr<const Control::Snapshot>> now;
  for (const Control& c : g.ui.all()) {
    if (c.outsideGame) continue;
    Control::Snapshot s = c.snapshot();
    const std::size_t i = now.size();
    if (like && i < like->controls.size() && *like->controls[i] == s) now.push_back(like->controls[i]);
    else now.push_back(std::make_shared<const Control::Snapshot>(std::move(s)));
  }
  controls = std::move(now);
  keeps.params = g.clockScore->file.record();
  keeps.thrust = g.launch->steering.thrustInForce();
  keeps.loopRunning = g.loopRunning();
  keeps.passDone = g.passDone();
  keeps.overflowTold = g.clockScore->overflowTold();
  const auto& treated = g.zoom->treated();
  std::size_t n = treated.size();
  while (n > 0 && treated[n - 1] == 0) --n;
  keeps.treated.assign(treated.begin(), treated.begin() + static_cast<std::ptrdiff_t>(n));
  timers = g.ui.timerPhases();
  passes = g.passesRun();
}

void GameState::restore(Game& g, bool show) const {
  world.restore(g.b, g.s, g.random);
  std::size_t i = 0;
  for (Control& c : g.ui.all())
    if (!c.outsideGame && i < controls.size()) c.restore(*controls[i++]);
  g.clockScore->file.setRecord(keeps.params);
  g.launch->steering.setThrustInForce(keeps.thrust);
  g.restoreLoop(keeps.loopRunning, keeps.passDone);
  g.clockScore->setOverflowTold(keeps.overflowTold);
  PerBody<std::int16_t> treated{};
  std::copy_n(keeps.treated.begin(), std::min(keeps.treated.size(), treated.size()), treated.begin());
  g.zoom->setTreated(treated);
  // After the controls: putting a timer back starts its interval afresh, its phase says where it stood.
  g.ui.setTimerPhases(timers);
  g.setPassesRun(passes);
  // The main loop's lanes and candidates are gathered anew every pass, and its radius cache checks the
  // mass it was made for: nothing of it outlives a restore. The views show the state, not its past.
  if (!show) return;
  g.views->redrawFromState();
  g.zoom->clearAreas();
}

namespace {
// Outside the world: the controls (`own`: those no other snapshot shares), the keeps and the timers.
std::size_t outsideWorld(const GameState& st, bool own) {
  std::size_t n = sizeof st + st.controls.capacity() * sizeof(st.controls[0]) + st.keeps.treated.capacity() * 2 +
                  st.timers.due.capacity() * 8;
  for (const auto& c : st.controls) {
    if (own && c.use_count() > 1) continue;
    n += sizeof *c;
    for (const std::string* t : {&c->caption, &c->toolTip, &c->text, &c->parent, &c->fontName})
      if (t->capacity() > 15) n += t->capacity() + 1;
  }
  return n;
}
}  // namespace

std::size_t GameState::bytes() const { return outsideWorld(*this, false) + world.bytes(); }
std::size_t GameState::ownBytes() const { return outsideWorld(*this, true) + world.ownBytes(); }

void GameState::write(std::string& out, Game& g) const {
  out.append(kMagic, sizeof kMagic);
  put(out, passes);
  world.write(out);
  put(out, static_cast<std::uint32_t>(controls.size()));
  std::size_t i = 0;
  for (const Control& c : g.ui.all()) {
    if (c.outsideGame || i >= controls.size()) continue;
    putText(out, c.name);
    Control::Snapshot s = *controls[i++];
    eachProp(s, [&](auto& v) {
      using T = std::decay_t<decltype(v)>;
      if constexpr (std::is_same_v<T, std::string>) putText(out, v);
      else if constexpr (std::is_same_v<T, bool>) put(out, static_cast<std::uint8_t>(v));
      else put(out, v);
    });
  }
  putText(out, formatParams(keeps.params));
  putText(out, keeps.thrust);
  for (const bool b : {keeps.loopRunning, keeps.passDone, keeps.overflowTold}) put(out, static_cast<std::uint8_t>(b));
  put(out, static_cast<std::uint32_t>(keeps.treated.size()));
  for (const std::int16_t t : keeps.treated) put(out, t);
  put(out, timers.now);
  put(out, static_cast<std::uint32_t>(timers.due.size()));
  for (const std::int64_t d : timers.due) put(out, d);
}

bool GameState::read(std::string_view in, std::size_t& pos, Game& g, std::string& why) {
  Reader r{in, pos};
  const auto fail = [&](const std::string& what) {
    why = "the saved game " + what;
    return false;
  };
  if (in.size() - pos < sizeof kMagic || std::equal(kMagic, kMagic + sizeof kMagic, in.data() + pos) == false)
    return fail("does not begin as one");
  pos += sizeof kMagic;
  GameState st;
  if (!r.get(st.passes)) return fail("is cut short");
  if (!st.world.read(in, pos, why)) return false;
  std::uint32_t count = 0;
  std::size_t game = 0;
  for (const Control& c : g.ui.all()) game += !c.outsideGame;
  if (!r.get(count) || count != game) return fail("was made by a game with other controls");
  for (const Control& c : g.ui.all()) {
    if (c.outsideGame) continue;
    std::string name;
    if (!r.getText(name)) return fail("is cut short");
    if (name != c.name) return fail("has a control '" + name + "' where this game has " + c.name);
    Control::Snapshot s = c.snapshot();
    bool ok = true;
    eachProp(s, [&](auto& v) {
      using T = std::decay_t<decltype(v)>;
      if constexpr (std::is_same_v<T, std::string>) ok = ok && r.getText(v);
      else if constexpr (std::is_same_v<T, bool>) ok = ok && r.getFlag(v);
      else ok = ok && r.get(v);
    });
    if (!ok) return fail("is cut short in " + c.name);
    st.controls.push_back(std::make_shared<const Control::Snapshot>(std::move(s)));
  }
  std::string params;
  if (!r.getText(params) || parseParams(params, st.keeps.params) != kParamsFields)
    return fail("has damaged parameters");
  std::uint32_t n = 0;
  if (!r.getText(st.keeps.thrust) || !r.getFlag(st.keeps.loopRunning) || !r.getFlag(st.keeps.passDone) ||
      !r.getFlag(st.keeps.overflowTold) || !r.get(n) || n > static_cast<std::uint32_t>(kRows))
    return fail("has damaged panel values");
  st.keeps.treated.resize(n);
  for (std::int16_t& t : st.keeps.treated)
    if (!r.get(t)) return fail("is cut short");
  if (!r.get(st.timers.now) || !r.get(n) || n != g.ui.all().size()) return fail("has damaged timers");
  st.timers.due.resize(n);
  for (std::int64_t& d : st.timers.due)
    if (!r.get(d) || d < -1) return fail("has damaged timers");
  *this = std::move(st);
  return true;
}

}  // namespace quorl
