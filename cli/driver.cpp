// Script commands of quorl-cli.
#include "cli/driver.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <limits>
#include <ostream>
#include <sstream>

#include "app/game.h"
#include "app/goals_panel.h"
#include "app/path_preview.h"
#include "app/recorder.h"
#include "app/rewind.h"
#include "cli/recording_canvas.h"
#include "sim/fields.h"
#include "sim/numbers.h"

namespace quorl {

std::string escapeText(const std::string& text) {
  std::string r;
  for (char ch : text) {
    if (ch == '\r') r += "\\r";
    else if (ch == '\n') r += "\\n";
    else if (ch == '\\') r += "\\\\";
    else r += ch;
  }
  return r;
}

namespace {

std::string colorText(Color c) { return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b); }

std::string num(double v) { return shortest(v); }

bool parseInt(const std::string& t, long long& out) {
  auto res = std::from_chars(t.data(), t.data() + t.size(), out);
  return res.ec == std::errc() && res.ptr == t.data() + t.size() && !t.empty();
}

// "Name(a)" or "Name(a,b)" -> name and indexes.
bool splitIndexed(const std::string& text, std::string& name, std::vector<long long>& idx) {
  auto open = text.find('(');
  if (open == std::string::npos || text.back() != ')') return false;
  name = text.substr(0, open);
  std::string inner = text.substr(open + 1, text.size() - open - 2);
  std::stringstream ss(inner);
  std::string part;
  while (std::getline(ss, part, ',')) {
    long long v;
    if (!parseInt(part, v)) return false;
    idx.push_back(v);
  }
  return !idx.empty();
}

}  // namespace

bool readValue(Game& g, const std::string& name, std::string& out) {
  if (name == "Running") {
    out = g.loopRunning() ? "1" : "0";
    return true;
  }
  FieldPtr p;
  if (!fieldAt(g, name, p)) return false;
  out = escapeText(fieldText(p));
  return true;
}

bool fieldAt(Game& g, const std::string& name, FieldPtr& out, const Field** field) {
  std::string fieldName = name;
  std::vector<long long> idx;
  if (name.find('(') != std::string::npos && !splitIndexed(name, fieldName, idx)) return false;
  const Field* f = findField(fieldName);
  if (!f || static_cast<int>(idx.size()) != f->indexes()) return false;
  const long long k = idx.size() == 2 ? idx[0] : 0, i = idx.empty() ? 0 : idx.back();
  if (k < 0 || i < 0 || k > kRows || i > kRows || !f->valid(static_cast<int>(k), static_cast<int>(i))) return false;
  out = f->at(g.b, g.s, static_cast<int>(k), static_cast<int>(i));
  if (field) *field = f;
  return true;
}

std::string showControl(Game& g, const std::string& name) {
  Control& c = g.ui.at(name);
  std::ostringstream o;
  auto line = [&](const char* prop, const std::string& v) { o << name << '.' << prop << '=' << v << '\n'; };
  line("kind", kindName(c.kind));
  line("caption", escapeText(c.caption()));
  line("text", escapeText(c.text()));
  line("toolTip", escapeText(c.toolTip()));
  line("fore", colorText(c.fore()));
  line("back", colorText(c.back()));
  line("visible", c.visible() ? "1" : "0");
  line("enabled", c.enabled() ? "1" : "0");
  line("readOnly", c.readOnly() ? "1" : "0");
  line("value", std::to_string(c.value()));
  line("min", std::to_string(c.min()));
  line("max", std::to_string(c.max()));
  line("left", std::to_string(c.left()));
  line("top", std::to_string(c.top()));
  line("width", std::to_string(c.width()));
  line("height", std::to_string(c.height()));
  line("fontName", c.fontName());
  line("fontSize", num(c.fontSize()));
  line("fontBold", c.fontBold() ? "1" : "0");
  if (c.kind == Kind::Timer) line("interval", std::to_string(c.interval()));
  return o.str();
}

std::string dumpBodies(Game& g) {
  std::ostringstream o;
  o << "body";
  std::vector<const Field*> columns;
  for (const Field& f : fields()) {
    if (!f.perBody) continue;
    columns.push_back(&f);
    if (f.outer == 0) o << ',' << f.name;
    for (int k = 0; k < f.outer; ++k) o << ',' << f.name << '(' << k << ')';
  }
  o << '\n';
  const int last = std::min<int>(g.s.BodyCount, kRows - 1);
  for (int i = 0; i <= last; ++i) {
    o << i;
    for (const Field* f : columns)
      for (int k = 0; k < std::max(f->outer, 1); ++k) o << ',' << escapeText(fieldText(f->at(g.b, g.s, k, i)));
    o << '\n';
  }
  return o.str();
}

bool dumpCanvas(const Canvas& canvas, std::string& out) {
  const auto* recorded = dynamic_cast<const RecordingCanvas*>(&canvas);
  if (!recorded) return false;
  std::ostringstream o;
  using Op = RecordingCanvas::Op;
  for (const RecordingCanvas::Entry& e : recorded->sinceClear()) {
    switch (e.op) {
      case Op::Clear: continue;
      case Op::Point: o << "point " << num(e.x) << ' ' << num(e.y); break;
      case Op::Line: o << "line " << num(e.x) << ' ' << num(e.y) << ' ' << num(e.x2) << ' ' << num(e.y2); break;
      case Op::Circle:
        o << "circle " << num(e.x) << ' ' << num(e.y) << ' ' << num(e.r) << ' ' << num(e.start) << ' ' << num(e.end)
          << ' ' << num(e.aspect);
        break;
      case Op::Print: o << "print " << num(e.x) << ' ' << num(e.y) << ' ' << num(e.fontSize); break;
    }
    o << ' ' << colorText(e.color);
    if (e.op == Op::Print) o << ' ' << escapeText(e.text);
    o << '\n';
  }
  out = o.str();
  return true;
}

namespace {

struct ScriptError {
  std::string message;
};

Control& control(Game& g, const std::string& name) {
  Control* c = g.ui.find(name);
  if (!c) throw ScriptError{"no control named '" + name + "'"};
  return *c;
}

long long integer(const std::string& text, const std::string& what) {
  long long v;
  if (!parseInt(text, v)) throw ScriptError{"'" + text + "' is not a whole number for " + what};
  return v;
}

// A count a script may ask for: none below 0, none that would keep the driver busy for days.
long long count(const std::string& text, const std::string& what, long long most) {
  const long long v = integer(text, what);
  if (v < 0 || v > most) throw ScriptError{what + " takes a count from 0 to " + std::to_string(most)};
  return v;
}

constexpr long long kMostPasses = 10'000'000;
constexpr long long kMostTicks = 1'000'000;
constexpr long long kMostAdvance = 86'400'000;             // a day of virtual time
constexpr std::int64_t kClockEnd = std::int64_t{1} << 62;  // timers' due times stay far from overflowing

void runLine(Game& g, const std::string& raw, std::ostream& out) {
  std::string line = raw;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos || line[start] == '#') return;
  line = line.substr(start);
  std::size_t sp = line.find(' ');
  const std::string cmd = line.substr(0, sp);
  const std::string rest = sp == std::string::npos ? "" : line.substr(sp + 1);
  std::istringstream args(rest);
  std::string a, b2;
  args >> a >> b2;

  if (cmd == "press") {
    Control& c = control(g, a);
    if (c.kind == Kind::Timer || c.kind == Kind::TextBox || c.kind == Kind::HScroll || c.kind == Kind::VScroll)
      throw ScriptError{"'" + a + "' cannot be pressed"};
    g.apply(Input::press(c));
  } else if (cmd == "set") {
    Control& c = control(g, a);
    if (c.kind != Kind::HScroll && c.kind != Kind::VScroll) throw ScriptError{"'" + a + "' is not a scroll bar"};
    long long v = integer(b2, a);
    if (v < c.min() || v > c.max())
      throw ScriptError{"value " + b2 + " is outside " + a + "'s range " + std::to_string(c.min()) + ".." +
                        std::to_string(c.max())};
    g.apply(Input::scrolled(c, static_cast<int>(v)));
  } else if (cmd == "type") {
    std::size_t s2 = rest.find(' ');
    const std::string name = rest.substr(0, s2);
    const std::string text = s2 == std::string::npos ? "" : rest.substr(s2 + 1);
    Control& c = control(g, name);
    if (c.kind != Kind::TextBox) throw ScriptError{"'" + name + "' is not a text box"};
    g.apply(Input::typed(c, text));
  } else if (cmd == "enter" || cmd == "leave") {
    Control& c = control(g, a);
    g.apply(cmd == "enter" ? Input::focusIn(c) : Input::focusOut(c));
  } else if (cmd == "tick") {
    Control& c = control(g, a);
    if (c.kind != Kind::Timer) throw ScriptError{"'" + a + "' is not a timer"};
    long long n = b2.empty() ? 1 : count(b2, "tick", kMostTicks);
    for (long long i = 0; i < n; ++i) g.apply(Input::tick(c));
  } else if (cmd == "advance") {
    const long long ms = count(a, "advance", kMostAdvance);
    if (ms > kClockEnd - g.ui.now()) throw ScriptError{"advance would take the virtual clock past its end"};
    g.advance(ms);
  } else if (cmd == "passes") {
    long long n = count(a, "passes", kMostPasses);
    for (long long i = 0; i < n && g.apply(Input::pass()); ++i) {
    }
  } else if (cmd == "rewind") {
    // Back to a pass of the system being recorded, and on from there: the recording branches.
    const long long pass = count(a, "rewind", std::numeric_limits<long long>::max());
    Rewind* rw = g.rewind();
    if (!rw) throw ScriptError{"rewind needs a recorded game"};
    std::string why;
    if (!rw->seek(static_cast<std::uint64_t>(pass), why)) throw ScriptError{why};
    rw->letGo();
  } else if (cmd == "clock") {
    DateTime t;
    if (!parseDateTime(rest, t)) throw ScriptError{"'" + rest + "' is not a time YYYY-MM-DD hh:mm:ss"};
    g.clock.set(t, g.ui.now());
  } else if (cmd == "show") {
    control(g, a);
    out << showControl(g, a);
  } else if (cmd == "get") {
    std::string v;
    if (!readValue(g, a, v)) throw ScriptError{"no value named '" + a + "'"};
    out << a << '=' << v << '\n';
  } else if (cmd == "put") {
    std::size_t s2 = rest.find(' ');
    const std::string name = rest.substr(0, s2);
    const std::string text = s2 == std::string::npos ? "" : rest.substr(s2 + 1);
    FieldPtr p;
    const Field* field = nullptr;
    if (!fieldAt(g, name, p, &field)) throw ScriptError{"no value named '" + name + "'"};
    std::string why;
    if (!putFieldText(*field, p, text, why)) throw ScriptError{why + " for " + name};
    // A scene set by hand is not something a player can do: the system being recorded no longer replays.
    if (Recorder* r = g.recorder()) r->spoil("'put " + rest + "'");
  } else if (cmd == "goals") {
    out << g.goals->describe();
  } else if (cmd == "path") {
    // The path preview as the window would show it once its path is computed: computed here at once.
    PathPreview& p = *g.preview;
    p.refresh();
    out << p.summary() << "LabPath.caption=" << escapeText(p.c.LabPath->caption())
        << "\nLabPath.fore=" << colorText(p.c.LabPath->fore()) << '\n';
  } else if (cmd == "key") {
    if (rest.size() != 1) throw ScriptError{"key takes one character"};
    g.apply(Input::key(rest[0]));
  } else if (cmd == "dump") {
    if (a == "bodies") {
      out << dumpBodies(g);
      return;
    }
    if (a != "canvas") throw ScriptError{"dump takes 'bodies' or 'canvas NAME'"};
    Control& c = control(g, b2);
    std::string text;
    if (!c.canvas) throw ScriptError{"'" + b2 + "' is not a drawing area"};
    if (!dumpCanvas(*c.canvas, text))
      throw ScriptError{"'" + b2 + "' keeps pixels only: run quorl-cli --record to keep what is drawn"};
    out << text;
  } else {
    throw ScriptError{"unknown command '" + cmd + "'"};
  }
}

}  // namespace

int runScript(Game& g, std::istream& in, std::ostream& out, std::ostream& err) {
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    try {
      runLine(g, line, out);
    } catch (const ScriptError& e) {
      out.flush();
      err << "line " << number << ": " << e.message << '\n';
      return 2;
    }
  }
  return 0;
}

}  // namespace quorl
