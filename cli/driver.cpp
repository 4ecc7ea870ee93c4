// Script commands of quorl-cli.
#include "cli/driver.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <ostream>
#include <sstream>

#include "app/game.h"
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

std::string colorText(Color c) {
  return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

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
  SharedState& s = g.s;
  BodyTable& b = g.b;
  std::map<std::string, std::function<std::string()>> scalars = {
      {"BodyCount", [&] { return num(s.BodyCount); }},
      {"LastInitialBody", [&] { return num(s.LastInitialBody); }},
      {"GravityExponent", [&] { return num(s.GravityExponent); }},
      {"Speed", [&] { return num(s.Speed); }},
      {"MasterScale", [&] { return num(s.MasterScale); }},
      {"GravityFactor", [&] { return num(s.GravityFactor); }},
      {"Proximity", [&] { return num(s.Proximity); }},
      {"AttractorLimit", [&] { return num(s.AttractorLimit); }},
      {"Focus", [&] { return num(s.Focus); }},
      {"Quadrant", [&] { return num(s.Quadrant); }},
      {"PrevQuadrant", [&] { return num(s.PrevQuadrant); }},
      {"Orbits", [&] { return num(s.Orbits); }},
      {"ElapsedSeconds", [&] { return num(s.ElapsedSeconds); }},
      {"LiveCount", [&] { return num(s.LiveCount); }},
      {"Preset", [&] { return num(s.Preset); }},
      {"SpareWorlds", [&] { return num(s.SpareWorlds); }},
      {"CreatedAt", [&] { return dateText(s.CreatedAt) + " " + timeText(s.CreatedAt); }},
      {"StartTime", [&] { return escapeText(s.StartTime); }},
      {"StartHour", [&] { return num(s.StartHour); }},
      {"StartMinute", [&] { return num(s.StartMinute); }},
      {"StartSecond", [&] { return num(s.StartSecond); }},
      {"PauseFlag", [&] { return escapeText(s.PauseFlag); }},
      {"LastEvent", [&] { return escapeText(s.LastEvent); }},
      {"SeedTick", [&] { return num(s.SeedTick); }},
      {"SeedValue", [&] { return num(s.SeedValue); }},
      {"PresetGlow", [&] { return num(s.PresetGlow); }},
      {"TorqueSpinPower", [&] { return num(s.TorqueSpinPower); }},
      {"PlanetGraphicsRate", [&] { return num(s.PlanetGraphicsRate); }},
      {"ZoomRate", [&] { return num(s.ZoomRate); }},
      {"ExplodeRandomness", [&] { return num(s.ExplodeRandomness); }},
      {"FocusClass", [&] { return num(s.FocusClass); }},
      {"WarmUpDone", [&] { return num(s.WarmUpDone); }},
      {"Score", [&] { return num(s.Score); }},
      {"HighScore", [&] { return num(s.HighScore); }},
      {"Magnification", [&] { return num(s.Magnification); }},
      {"ZoomScale", [&] { return num(s.ZoomScale); }},
      {"ZoomLabelRequest", [&] { return num(s.ZoomLabelRequest); }},
      {"BlinkPhase", [&] { return num(s.BlinkPhase); }},
      {"ZoomFrame", [&] { return num(s.ZoomFrame); }},
      {"NewestFragment", [&] { return num(s.NewestFragment); }},
      {"LaunchDirX", [&] { return num(s.LaunchDirX); }},
      {"LaunchDirY", [&] { return num(s.LaunchDirY); }},
      {"NovaModeCaption", [&] { return escapeText(s.NovaModeCaption); }},
      {"NewWorldCount", [&] { return num(s.NewWorldCount); }},
      {"Running", [&] { return std::string(g.loopRunning() ? "1" : "0"); }},
  };
  if (auto it = scalars.find(name); it != scalars.end()) {
    out = it->second();
    return true;
  }
  std::string field;
  std::vector<long long> idx;
  if (!splitIndexed(name, field, idx)) return false;
  auto body = [&](long long i) { return i >= 0 && i < kRows; };
  if (idx.size() == 1) {
    long long i = idx[0];
    std::map<std::string, std::function<std::string(int)>> perBody = {
        {"PosX", [&](int k) { return num(b.PosX[k]); }},
        {"PosY", [&](int k) { return num(b.PosY[k]); }},
        {"PosZ", [&](int k) { return num(b.PosZ[k]); }},
        {"VelX", [&](int k) { return num(b.VelX[k]); }},
        {"VelY", [&](int k) { return num(b.VelY[k]); }},
        {"VelZ", [&](int k) { return num(b.VelZ[k]); }},
        {"Mass", [&](int k) { return num(b.Mass[k]); }},
        {"BodyKind", [&](int k) { return num(b.BodyKind[k]); }},
        {"ColorR", [&](int k) { return num(b.ColorR[k]); }},
        {"ColorG", [&](int k) { return num(b.ColorG[k]); }},
        {"ColorB", [&](int k) { return num(b.ColorB[k]); }},
        {"Gone", [&](int k) { return num(b.Gone[k]); }},
        {"Radius", [&](int k) { return num(b.Radius[k]); }},
        {"ImpactCount", [&](int k) { return num(b.ImpactCount[k]); }},
        {"AirLevel", [&](int k) { return num(b.AirLevel[k]); }},
        {"WaterLevel", [&](int k) { return num(b.WaterLevel[k]); }},
        {"BodyName", [&](int k) { return escapeText(b.BodyName[k]); }},
        {"PlanetClass", [&](int k) { return num(b.PlanetClass[k]); }},
        {"Fuel", [&](int k) { return num(b.Fuel[k]); }},
        {"CraftCode", [&](int k) { return num(b.CraftCode[k]); }},
        {"FusionPair", [&](int k) { return k < 6 ? num(s.FusionPair[k]) : std::string(); }},
        {"ClassCount", [&](int k) { return k < 21 ? num(s.ClassCount[k]) : std::string(); }},
        {"CraftTypeNames", [&](int k) { return k < 6 ? escapeText(s.CraftTypeNames[k]) : std::string(); }},
        {"NewWorldList", [&](int k) { return k < 3334 ? escapeText(s.NewWorldList[k]) : std::string(); }},
    };
    auto it = perBody.find(field);
    if (it == perBody.end() || !body(i)) return false;
    if ((field == "FusionPair" && i >= 6) || (field == "ClassCount" && i >= 21) ||
        (field == "CraftTypeNames" && i >= 6) || (field == "NewWorldList" && i >= 3334))
      return false;
    out = it->second(static_cast<int>(i));
    return true;
  }
  if (idx.size() == 2) {
    long long k = idx[0], i = idx[1];
    if (!body(i)) return false;
    if (field == "LifeCount" && k >= 0 && k < kLifeKinds) return out = num(b.LifeCount[k][i]), true;
    if (field == "ImpactMark" && k >= 0 && k < kImpacts) return out = num(b.ImpactMark[k][i]), true;
    if (field == "CraterDX" && k >= 0 && k < kImpacts) return out = num(b.CraterDX[k][i]), true;
    if (field == "CraterDY" && k >= 0 && k < kImpacts) return out = num(b.CraterDY[k][i]), true;
    if (field == "CraftWords" && k >= 1 && k <= 5 && i >= 1 && i <= 4)
      return out = escapeText(s.CraftWords[k][i]), true;
  }
  return false;
}

std::string showControl(Game& g, const std::string& name) {
  Control& c = g.c(name);
  std::ostringstream o;
  auto line = [&](const char* prop, const std::string& v) { o << name << '.' << prop << '=' << v << '\n'; };
  line("kind", kindName(c.kind));
  line("caption", escapeText(c.caption));
  line("text", escapeText(c.text()));
  line("toolTip", escapeText(c.toolTip));
  line("fore", colorText(c.fore));
  line("back", colorText(c.back));
  line("visible", c.visible ? "1" : "0");
  line("enabled", c.enabled ? "1" : "0");
  line("readOnly", c.readOnly ? "1" : "0");
  line("value", std::to_string(c.value()));
  line("min", std::to_string(c.min()));
  line("max", std::to_string(c.max()));
  line("left", std::to_string(c.left));
  line("top", std::to_string(c.top));
  line("width", std::to_string(c.width));
  line("height", std::to_string(c.height));
  line("fontName", c.fontName);
  line("fontSize", num(c.fontSize));
  line("fontBold", c.fontBold ? "1" : "0");
  if (c.kind == Kind::Timer) line("interval", std::to_string(c.interval()));
  return o.str();
}

std::string dumpBodies(Game& g) {
  std::ostringstream o;
  o << "body,gone,kind,x,y,z,vx,vy,vz,mass,r,g,b,class,name\n";
  const BodyTable& b = g.b;
  const int last = std::min<int>(g.s.BodyCount, kRows - 1);
  for (int i = 0; i <= last; ++i) {
    o << i << ',' << b.Gone[i] << ',' << num(b.BodyKind[i]) << ',' << num(b.PosX[i]) << ',' << num(b.PosY[i]) << ','
      << num(b.PosZ[i]) << ',' << num(b.VelX[i]) << ',' << num(b.VelY[i]) << ',' << num(b.VelZ[i]) << ','
      << num(b.Mass[i]) << ',' << num(b.ColorR[i]) << ',' << num(b.ColorG[i]) << ',' << num(b.ColorB[i]) << ','
      << b.PlanetClass[i] << ',' << b.BodyName[i] << '\n';
  }
  return o.str();
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
    c.press();
  } else if (cmd == "set") {
    Control& c = control(g, a);
    if (c.kind != Kind::HScroll && c.kind != Kind::VScroll) throw ScriptError{"'" + a + "' is not a scroll bar"};
    long long v = integer(b2, a);
    if (v < c.min() || v > c.max())
      throw ScriptError{"value " + b2 + " is outside " + a + "'s range " + std::to_string(c.min()) + ".." +
                        std::to_string(c.max())};
    c.setValue(static_cast<int>(v));
  } else if (cmd == "type") {
    std::size_t s2 = rest.find(' ');
    const std::string name = rest.substr(0, s2);
    const std::string text = s2 == std::string::npos ? "" : rest.substr(s2 + 1);
    Control& c = control(g, name);
    if (c.kind != Kind::TextBox) throw ScriptError{"'" + name + "' is not a text box"};
    c.setText(text);
  } else if (cmd == "enter" || cmd == "leave") {
    Control& c = control(g, a);
    if (cmd == "enter") c.gainFocus();
    else c.loseFocus();
  } else if (cmd == "tick") {
    Control& c = control(g, a);
    if (c.kind != Kind::Timer) throw ScriptError{"'" + a + "' is not a timer"};
    long long n = b2.empty() ? 1 : integer(b2, "tick");
    for (long long i = 0; i < n; ++i) c.tick();
  } else if (cmd == "advance") {
    long long ms = integer(a, "advance");
    if (ms < 0) throw ScriptError{"advance takes a time that is not negative"};
    g.ui.advance(ms);
  } else if (cmd == "passes") {
    long long n = integer(a, "passes");
    for (long long i = 0; i < n && g.pumpTurn(); ++i) {
    }
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
  } else if (cmd == "dump") {
    if (a != "bodies") throw ScriptError{"dump takes 'bodies'"};
    out << dumpBodies(g);
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
