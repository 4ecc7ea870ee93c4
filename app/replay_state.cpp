// The state of a game as head lines of a replay, and back.
#include "app/replay_state.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <type_traits>

#include "app/clock_score.h"
#include "app/game.h"
#include "app/game_state.h"
#include "events/launch.h"
#include "io/params_file.h"
#include "names/names.h"
#include "sim/fields.h"
#include "sim/numbers.h"

namespace quorl {

namespace {

// Entries that stay as a fresh table has them, bridged inside one rows line rather than starting another.
constexpr int kBridge = 8;

SharedState& freshShared() {
  static SharedState fresh;
  return fresh;
}

template <typename T>
bool same(const T& a, const T& b) {
  if constexpr (std::is_floating_point_v<T>) return std::memcmp(&a, &b, sizeof a) == 0;
  else if constexpr (std::is_same_v<T, i16> || std::is_same_v<T, i32>) return a.get() == b.get();
  else return a == b;
}

// fieldText, except that a NaN keeps its bits.
std::string valueText(const FieldPtr& p) {
  return std::visit(
      [&](auto* v) -> std::string {
        using T = std::remove_pointer_t<decltype(v)>;
        if constexpr (std::is_floating_point_v<T>) {
          if (std::isnan(*v)) {
            char buf[32];
            const auto bits = std::bit_cast<std::conditional_t<sizeof(T) == 8, std::uint64_t, std::uint32_t>>(*v);
            const auto r = std::to_chars(buf, buf + sizeof buf, bits, 16);
            return "nan:" + std::string(buf, r.ptr);
          }
        }
        return fieldText(p);
      },
      p);
}

bool readValue(const FieldPtr& p, const std::string& text, std::string& why) {
  if (text.rfind("nan:", 0) == 0) {
    return std::visit(
        [&](auto* v) -> bool {
          using T = std::remove_pointer_t<decltype(v)>;
          if constexpr (std::is_floating_point_v<T>) {
            std::conditional_t<sizeof(T) == 8, std::uint64_t, std::uint32_t> bits = 0;
            const auto r = std::from_chars(text.data() + 4, text.data() + text.size(), bits, 16);
            if (r.ec == std::errc() && r.ptr == text.data() + text.size() && std::isnan(std::bit_cast<T>(bits))) {
              *v = std::bit_cast<T>(bits);
              return true;
            }
          }
          why = "'" + text + "' is no value of its field";
          return false;
        },
        p);
  }
  return setFieldText(p, text, why);
}

bool isDefault(const FieldPtr& p, const FieldPtr& fresh) {
  return std::visit(
      [&](auto* v) {
        using T = std::remove_pointer_t<decltype(v)>;
        return same(*v, *std::get<T*>(fresh));
      },
      p);
}

// Every entry of a field with more than one: (k, i) for the kinds k and rows or entries i.
int kindsOf(const Field& f) { return f.outer > 0 ? f.outer : 1; }
std::string nameOf(const Field& f, int k) { return f.outer > 0 ? f.name + "(" + std::to_string(k) + ")" : f.name; }

// Runs of entries that differ from a fresh game, through short stretches of unchanged ones.
template <typename Changed, typename Text>
void runs(const std::string& name, int n, Changed changed, Text text, ReplayHead& out) {
  for (int i = 0; i < n;) {
    if (!changed(i)) {
      ++i;
      continue;
    }
    int end = i + 1, gap = 0;
    for (int j = i + 1; j < n && gap <= kBridge; ++j) {
      if (changed(j)) end = j + 1, gap = 0;
      else ++gap;
    }
    ReplayHead::Rows rows{name, i, {}};
    for (int j = i; j < end; ++j) rows.values.push_back(text(j));
    out.rows.push_back(std::move(rows));
    i = end;
  }
}

// Values the preset press renews before anything reads them: the fields creation zeroes in every row, and
// the names it gives bodies 0..3333. A head of the state a press found leaves them out.
bool renewedByCreation(const Field& f, int k) { return f.resetFrom >= 0 && k >= f.resetFrom; }

void describeFields(const WorldState& w, BodyTable& b, ReplayHead& out) {
  SharedState& fresh = freshShared();
  auto unpacked = std::make_unique<SharedState>();
  w.sharedInto(*unpacked);
  SharedState& shared = *unpacked;
  // Per-body columns first, as the table lists them: a row past a column's kept part is a fresh row's.
  w.forEachColumn([&](std::size_t fi, int k, FieldPtr first, std::size_t n) {
    const Field& f = fields()[fi];
    if (renewedByCreation(f, k)) return;
    const int from = f.name == "BodyName" ? NameGenerator::kNamedBodies : 0;
    std::visit(
        [&](auto* row) {
          using T = std::remove_pointer_t<decltype(row)>;
          runs(
              nameOf(f, k), static_cast<int>(n), [&](int i) { return i >= from && !same(row[i], T{}); },
              [&](int i) { return valueText(FieldPtr{row + i}); }, out);
        },
        first);
  });
  for (const Field& f : fields()) {
    if (f.perBody) continue;
    if (f.indexes() == 0) {
      const FieldPtr p = f.at(b, shared, 0, 0);
      if (!isDefault(p, f.at(b, fresh, 0, 0))) out.values.push_back({f.name, valueText(p)});
      continue;
    }
    for (int k = 0; k < kindsOf(f); ++k)
      runs(
          nameOf(f, k), f.length, [&](int i) { return !isDefault(f.at(b, shared, k, i), f.at(b, fresh, k, i)); },
          [&](int i) { return valueText(f.at(b, shared, k, i)); }, out);
  }
}

// Control properties as text.
using Snap = Control::Snapshot;

std::string propText(const std::string& v) { return v; }
std::string propText(bool v) { return v ? "1" : "0"; }
std::string propText(int v) { return std::to_string(v); }
std::string propText(double v) { return shortest(v); }
std::string propText(Color c) { return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b); }

template <typename T>
bool whole(std::string_view t, T& out) {
  const auto r = std::from_chars(t.data(), t.data() + t.size(), out);
  return !t.empty() && r.ec == std::errc() && r.ptr == t.data() + t.size();
}
bool propRead(const std::string& t, std::string& v) { return v = t, true; }
bool propRead(const std::string& t, bool& v) { return (t == "0" || t == "1") && (v = t == "1", true); }
bool propRead(const std::string& t, int& v) { return whole(t, v); }
bool propRead(const std::string& t, double& v) { return whole(t, v); }
bool propRead(const std::string& t, Color& c) {
  const std::size_t a = t.find(','), b = t.find(',', a == std::string::npos ? a : a + 1);
  if (a == std::string::npos || b == std::string::npos) return false;
  std::uint8_t r = 0, g = 0, bl = 0;
  if (!whole(std::string_view(t).substr(0, a), r) || !whole(std::string_view(t).substr(a + 1, b - a - 1), g) ||
      !whole(std::string_view(t).substr(b + 1), bl))
    return false;
  c = Color{r, g, bl};
  return true;
}

struct Prop {
  const char* name;
  std::string (*get)(const Snap&);
  bool (*set)(Snap&, const std::string&);
  bool (*differs)(const Snap&, const Snap&);
};

template <auto M>
constexpr Prop prop(const char* name) {
  return {name, [](const Snap& s) { return propText(s.*M); },
          [](Snap& s, const std::string& t) { return propRead(t, s.*M); },
          [](const Snap& a, const Snap& b) { return !same(a.*M, b.*M); }};
}

const Prop kProps[] = {
    prop<&Snap::caption>("caption"),
    prop<&Snap::toolTip>("toolTip"),
    prop<&Snap::text>("text"),
    prop<&Snap::parent>("parent"),
    prop<&Snap::fontName>("fontName"),
    prop<&Snap::fore>("fore"),
    prop<&Snap::back>("back"),
    prop<&Snap::visible>("visible"),
    prop<&Snap::enabled>("enabled"),
    prop<&Snap::readOnly>("readOnly"),
    prop<&Snap::fontBold>("fontBold"),
    prop<&Snap::left>("left"),
    prop<&Snap::top>("top"),
    prop<&Snap::width>("width"),
    prop<&Snap::height>("height"),
    prop<&Snap::x1>("x1"),
    prop<&Snap::y1>("y1"),
    prop<&Snap::x2>("x2"),
    prop<&Snap::y2>("y2"),
    prop<&Snap::smallChange>("small"),
    prop<&Snap::largeChange>("large"),
    prop<&Snap::value>("value"),
    prop<&Snap::min>("min"),
    prop<&Snap::max>("max"),
    prop<&Snap::interval>("interval"),
    prop<&Snap::fontSize>("fontSize"),
};

const Prop* findProp(const std::string& name) {
  for (const Prop& p : kProps)
    if (name == p.name) return &p;
  return nullptr;
}

const Field* fieldNamed(const std::string& text, int& k) {
  k = 0;
  const std::size_t open = text.find('(');
  if (open == std::string::npos) return findField(text);
  const Field* f = findField(std::string_view(text).substr(0, open));
  if (!f || f->outer == 0 || text.back() != ')' ||
      !whole(std::string_view(text).substr(open + 1, text.size() - open - 2), k) || k < 0 || k >= f->outer)
    return nullptr;
  return f;
}

}  // namespace

bool isPaceControl(Game&, const Control& c) { return c.outsideGame; }

std::vector<Control::Snapshot> snapshotControls(Game& g) {
  std::vector<Control::Snapshot> out;
  for (const Control& c : g.ui.all()) out.push_back(c.snapshot());
  return out;
}

void describeState(Game& g, const std::vector<Control::Snapshot>& afterStart, ReplayHead& out) {
  GameState now;
  now.take(g);
  describeFields(now.world, g.b, out);
  std::size_t i = 0, j = 0;
  for (const Control& c : g.ui.all()) {
    const Snap& was = afterStart.at(i++);
    if (isPaceControl(g, c)) continue;
    const Snap& is = *now.controls.at(j++);
    ReplayHead::Props props{c.name, {}};
    // The status line's text depends on where the program keeps its files: it always goes along.
    const bool status = &c == &*g.window.Labill;
    for (const Prop& p : kProps)
      if (p.differs(is, was) || (status && std::strcmp(p.name, "caption") == 0))
        props.props.emplace_back(p.name, p.get(is));
    if (!props.props.empty()) out.controls.push_back(std::move(props));
  }
  out.keep.push_back({"params", formatParams(now.keeps.params)});
  out.keep.push_back({"thrust", now.keeps.thrust});
  out.keep.push_back(
      {"loop", std::string(now.keeps.loopRunning ? "1" : "0") + "," + (now.keeps.passDone ? "1" : "0")});
}

bool restoreState(Game& g, const ReplayHead& head, std::string& why) {
  // The game as it stands, every field as a fresh game has it, then what the head says.
  GameState st;
  st.take(g);
  st.world.clearFields();
  const auto indexOf = [](const Field* f) { return static_cast<std::size_t>(f - fields().data()); };
  for (const auto& v : head.values) {
    const Field* f = findField(v.name);
    if (!f || f->indexes() != 0) return why = "no single value called '" + v.name + "'", false;
    if (!readValue(st.world.entry(indexOf(f), 0, 0), v.value, why)) return why += " (" + v.name + ")", false;
  }
  for (const auto& r : head.rows) {
    int k = 0;
    const Field* f = fieldNamed(r.name, k);
    if (!f || f->indexes() == 0 || (f->outer > 0) != (r.name.find('(') != std::string::npos))
      return why = "no table of values called '" + r.name + "'", false;
    for (std::size_t j = 0; j < r.values.size(); ++j) {
      const int i = r.first + static_cast<int>(j);
      if (!f->valid(k, i)) return why = r.name + " has no entry " + std::to_string(i), false;
      if (!readValue(st.world.entry(indexOf(f), k, i), r.values[j], why)) return why += " (" + r.name + ")", false;
    }
  }
  // A control's place among the game's controls (the snapshot's) and among all (the timers' phases).
  for (const auto& c : head.controls) {
    Control* control = g.ui.find(c.control);
    if (!control || isPaceControl(g, *control)) return why = "no control called '" + c.control + "'", false;
    std::size_t at = 0, index = 0;
    for (const Control& other : g.ui.all()) {
      if (&other == control) break;
      at += !other.outsideGame;
      ++index;
    }
    Snap s = *st.controls.at(at);
    for (const auto& [name, value] : c.props) {
      const Prop* p = findProp(name);
      if (!p || !p->set(s, value)) return why = "'" + name + "=" + value + "' is no property of " + c.control, false;
    }
    st.controls[at] = std::make_shared<const Snap>(s);
    // A timer put back starts its interval afresh.
    if (control->kind == Kind::Timer)
      st.timers.due.at(index) = s.enabled && s.interval > 0 ? st.timers.now + s.interval : -1;
  }
  for (const auto& [name, value] : head.keep) {
    if (name == "params") {
      if (parseParams(value, st.keeps.params) != kParamsFields)
        return why = "the kept parameters do not read whole", false;
    } else if (name == "thrust") {
      st.keeps.thrust = value;
    } else if (name == "loop" && value.size() == 3 && value[1] == ',' && (value[0] == '0' || value[0] == '1') &&
               (value[2] == '0' || value[2] == '1')) {
      st.keeps.loopRunning = value[0] == '1';
      st.keeps.passDone = value[2] == '1';
    } else {
      return why = "nothing called '" + name + "' to keep", false;
    }
  }
  st.restore(g, false);
  return true;
}

}  // namespace quorl
