// replay.qr: tokens, the head, event lines and tick lines, written and read by the same rules.
#include "io/replay_file.h"

#include <charconv>
#include <cstdio>

namespace quorl {

namespace {

constexpr char kHex[] = "0123456789abcdef";
constexpr int kTicksPerLine = 60;
// Clock changes larger than this (about a century) are written as a date and time, not as seconds.
constexpr std::int64_t kMostSecondsStep = 3'200'000'000;

const char* const kKinds[] = {"press", "type", "set", "enter", "leave", "key", "tick", "turn", "check", "end"};

std::vector<std::string_view> split(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
    if (j > i) out.push_back(line.substr(i, j - i));
    i = j;
  }
  return out;
}

template <typename T>
bool number(std::string_view t, T& out) {
  if (t.empty() || t[0] == '+') return false;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), out);
  return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

bool count(std::string_view t, std::uint64_t& out) { return number(t, out) && out <= kReplayMaxCount; }

bool readHash(std::string_view t, std::uint64_t& out) {
  if (t.size() != 16) return false;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), out, 16);
  return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

std::int64_t secondsBetween(const DateTime& a, const DateTime& b) {
  const auto at = [](const DateTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
  };
  return at(b) - at(a);
}

std::int64_t predicted(const TickRhythm& r, std::uint64_t previous) {
  return r.seen ? static_cast<std::int64_t>(r.last) + r.period : static_cast<std::int64_t>(previous);
}

void ticked(TickRhythm& r, std::uint64_t pass) {
  if (r.seen) r.period = static_cast<std::int64_t>(pass) - static_cast<std::int64_t>(r.last);
  r.last = pass;
  r.seen = true;
}

bool isHeadKey(std::string_view key) {
  for (const char* head : {"program", "timers", "start", "value", "rows", "control", "keep"})
    if (key == head) return true;
  return false;
}

std::string readText(const ReplayRead& r) { return r.ok ? "1 " + replayToken(r.bytes) : "0"; }

}  // namespace

std::string hashText(std::uint64_t h) {
  std::string s(16, '0');
  for (int i = 15; i >= 0; --i, h >>= 4) s[i] = kHex[h & 15];
  return s;
}

std::string replayToken(std::string_view text) {
  if (text.empty()) return "\\e";
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto u = static_cast<unsigned char>(ch);
    switch (ch) {
      case '\\': out += "\\\\"; continue;
      case ' ': out += "\\s"; continue;
      case '\r': out += "\\r"; continue;
      case '\n': out += "\\n"; continue;
      case '\t': out += "\\t"; continue;
      default: break;
    }
    if (u < 0x21 || u > 0x7e || ch == '*' || ch == '=') {
      out += "\\x";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += ch;
    }
  }
  return out;
}

bool replayUntoken(std::string_view token, std::string& out) {
  out.clear();
  if (token == "\\e") return true;
  if (token.empty()) return false;
  for (std::size_t i = 0; i < token.size(); ++i) {
    const char ch = token[i];
    const auto u = static_cast<unsigned char>(ch);
    if (u < 0x21 || u > 0x7e || ch == '*' || ch == '=') return false;
    if (ch != '\\') {
      out += ch;
      continue;
    }
    if (++i >= token.size()) return false;
    switch (token[i]) {
      case '\\': out += '\\'; break;
      case 's': out += ' '; break;
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'x': {
        unsigned v = 0;
        if (i + 2 >= token.size()) return false;
        const auto r = std::from_chars(token.data() + i + 1, token.data() + i + 3, v, 16);
        if (r.ec != std::errc() || r.ptr != token.data() + i + 3) return false;
        out += static_cast<char>(v);
        i += 2;
        break;
      }
      default: return false;
    }
  }
  return true;
}

// The writer.

ReplayWriter::ReplayWriter(const ReplayHead& h) : timers_(h.timers), rhythm_(h.timers.size()) {
  out_ = std::string(kReplayMagic) + "\n";
  std::string program;
  for (const char ch : h.program) program += ch >= 0x20 && ch <= 0x7e ? ch : '?';
  out_ += "program " + program + "\n";
  out_ += "timers";
  for (std::size_t i = 0; i < timers_.size(); ++i)
    out_ += " " + std::string(1, static_cast<char>('A' + i)) + "=" + replayToken(timers_[i]);
  out_ += "\n";
  out_ += "start " + replayToken(h.startFile) + " " + readText(h.start) + "\n";
  for (const auto& v : h.values) out_ += "value " + replayToken(v.name) + " " + replayToken(v.value) + "\n";
  for (const auto& r : h.rows) {
    out_ += "rows " + replayToken(r.name) + " " + std::to_string(r.first);
    for (std::size_t i = 0; i < r.values.size();) {
      std::size_t j = i + 1;
      while (j < r.values.size() && r.values[j] == r.values[i]) ++j;
      out_ += " " + replayToken(r.values[i]);
      if (j - i > 1) out_ += "*" + std::to_string(j - i);
      i = j;
    }
    out_ += "\n";
  }
  for (const auto& c : h.controls) {
    out_ += "control " + replayToken(c.control);
    for (const auto& [prop, value] : c.props) out_ += " " + replayToken(prop) + "=" + replayToken(value);
    out_ += "\n";
  }
  for (const auto& v : h.keep) out_ += "keep " + replayToken(v.name) + " " + replayToken(v.value) + "\n";
}

void ReplayWriter::closeTicks() {
  if (tokens_ == 0) return;
  tokens_ = 0;
  std::string line = out_.substr(lineStart_);
  // Timers that run while nothing else happens tick in the same pattern over and over.
  for (std::size_t n = 0; n < recent_.size(); ++n)
    if (recent_[n] == line) {
      out_.resize(lineStart_);
      out_ += "^" + std::to_string(n + 1);
      break;
    }
  out_ += '\n';
  recent_.push_front(std::move(line));
  if (recent_.size() > static_cast<std::size_t>(kTickRepeats)) recent_.pop_back();
}

void ReplayWriter::line(std::uint64_t pass, const std::string& rest) {
  closeTicks();
  out_ += std::to_string(pass - last_) + " " + rest + "\n";
  last_ = pass;
}

void ReplayWriter::event(const ReplayEvent& e) {
  using K = ReplayEvent::Kind;
  ++events_;
  if (e.kind == K::Tick) {
    std::size_t code = 0;
    while (code < timers_.size() && code < 26 && timers_[code] != e.name) ++code;
    if (code < timers_.size() && code < 26) {
      TickRhythm& r = rhythm_[code];
      const std::int64_t residual = static_cast<std::int64_t>(e.pass) - predicted(r, last_);
      if (tokens_ == kTicksPerLine) closeTicks();
      if (tokens_ == 0) lineStart_ = out_.size();
      out_ += static_cast<char>('A' + code);
      if (residual != 0) out_ += std::to_string(residual);
      ++tokens_;
      ticked(r, e.pass);
      last_ = e.pass;
      return;
    }
  }
  std::string rest = kKinds[static_cast<int>(e.kind)];
  switch (e.kind) {
    case K::Press:
    case K::Enter:
    case K::Leave:
    case K::Tick: rest += " " + replayToken(e.name); break;
    case K::Type: rest += " " + replayToken(e.name) + " " + replayToken(e.text); break;
    case K::Set: rest += " " + replayToken(e.name) + " " + std::to_string(e.value); break;
    case K::Key: rest += " " + replayToken(e.text); break;
    case K::Turn: break;
    case K::Check:
    case K::End: rest += " " + hashText(e.hash); break;
  }
  line(e.pass, rest);
}

void ReplayWriter::clockReading(const DateTime& t) {
  const std::uint64_t at = readings_++;
  if (!haveClock_ || t != clock_) clockChange(at, t);
}

void ReplayWriter::clockChange(std::uint64_t at, const DateTime& t) {
  closeTicks();
  std::string value;
  const std::int64_t step = haveClock_ ? secondsBetween(clock_, t) : 0;
  if (haveClock_ && step >= -kMostSecondsStep && step <= kMostSecondsStep)
    value = (step >= 0 ? "+" : "") + std::to_string(step);
  else value = dateText(t) + " " + timeText(t);
  out_ += "clock " + std::to_string(at - changedAt_) + " " + value + "\n";
  changedAt_ = at;
  haveClock_ = true;
  clock_ = t;
  if (readings_ <= at) readings_ = at + 1;
}

void ReplayWriter::fileRead(const std::string& name, const ReplayRead& r) {
  closeTicks();
  ++reads_;
  out_ += "read " + replayToken(name) + " " + readText(r) + "\n";
}

std::string ReplayWriter::take() {
  closeTicks();
  std::string out;
  out.swap(out_);
  return out;
}

std::string ReplayWriter::takeLines() {
  const std::size_t whole = tokens_ > 0 ? lineStart_ : out_.size();
  std::string out = out_.substr(0, whole);
  out_.erase(0, whole);
  if (tokens_ > 0) lineStart_ = 0;
  return out;
}

bool replayPrefix(std::string_view text, const ReplayPosition& at, std::unique_ptr<ReplayWriter>& writer,
                  std::string& why) {
  ReplayReader reader;
  if (!reader.open(text)) return why = reader.error(), false;
  auto out = std::make_unique<ReplayWriter>(reader.head());
  ReplayEvent e;
  // Readings sit before the event that takes them; those taken after the last event kept sit before the
  // next one (or at the end of the text), so one more event is read than written.
  for (std::uint64_t n = 0;; ++n) {
    const bool more = reader.next(e);
    if (!more && !reader.error().empty()) return why = reader.error(), false;
    while (!reader.clock.empty() && reader.clock.front().reading < at.readings) {
      out->clockChange(reader.clock.front().reading, reader.clock.front().value);
      reader.clock.pop_front();
    }
    while (!reader.reads.empty() && out->reads() < at.reads) {
      out->fileRead(reader.reads.front().first, reader.reads.front().second);
      reader.reads.pop_front();
    }
    if (n == at.events) break;
    if (!more || e.kind == ReplayEvent::Kind::End || e.pass > at.pass)
      return why = "the recording does not reach the place asked for", false;
    out->event(e);
  }
  if (out->reads() < at.reads) return why = "the recording has fewer file reads than asked for", false;
  out->readingsTaken(at.readings);
  writer = std::move(out);
  return true;
}

// The reader.

bool ReplayReader::fail(const std::string& why) {
  error_ = line_ > 0 ? "line " + std::to_string(line_) + ": " + why : why;
  return false;
}

bool ReplayReader::nextLine(std::string_view& out) {
  if (pos_ >= text_.size()) return false;
  const std::size_t end = text_.find('\n', pos_);
  if (end == std::string_view::npos) {
    // A recording cut off mid-write leaves a part line: what came before it still reads.
    cutOff_ = true;
    pos_ = text_.size();
    return false;
  }
  out = text_.substr(pos_, end - pos_);
  if (!out.empty() && out.back() == '\r') out.remove_suffix(1);
  pos_ = end + 1;
  ++line_;
  return true;
}

bool ReplayReader::open(std::string_view text) {
  text_ = text;
  if (text.size() > kReplayMaxBytes)
    return fail("too large for a replay (" + std::to_string(text.size()) + " bytes; at most " +
                std::to_string(kReplayMaxBytes) + ")");
  std::string_view first;
  if (!nextLine(first) || first != kReplayMagic) {
    line_ = 0;
    return fail("not a Quorl replay: it does not begin with the line \"" + std::string(kReplayMagic) + "\"");
  }
  bool haveProgram = false, haveTimers = false, haveStart = false;
  for (;;) {
    const std::size_t at = pos_;
    const int lineAt = line_;
    std::string_view raw;
    if (!nextLine(raw)) break;
    const auto t = split(raw);
    if (t.empty() || t[0][0] == '#') continue;
    const std::string_view key = t[0];
    if (!isHeadKey(key)) {
      pos_ = at;
      line_ = lineAt;
      break;
    }
    if (key == "program") {
      haveProgram = true;
      head_.program = std::string(raw.substr(raw.find("program") + 7));
      while (!head_.program.empty() && head_.program.front() == ' ') head_.program.erase(0, 1);
      for (const char ch : head_.program)
        if (ch < 0x20 || ch > 0x7e) return fail("the program's name holds more than plain letters");
      continue;
    }
    if (key == "timers") haveTimers = true;
    if (key == "start") haveStart = true;
    if (!headLine(t)) return false;
  }
  if (!haveProgram || !haveTimers || !haveStart)
    return fail(std::string("the head lacks its '") +
                (!haveProgram  ? "program"
                 : !haveTimers ? "timers"
                               : "start") +
                "' line");
  rhythm_.assign(head_.timers.size(), {});
  return true;
}

bool ReplayReader::headLine(const std::vector<std::string_view>& t) {
  const std::string_view key = t[0];
  std::string a, b;
  if (key == "timers") {
    head_.timers.clear();
    for (std::size_t i = 1; i < t.size(); ++i) {
      const std::string_view tok = t[i];
      if (i > 26 || tok.size() < 3 || tok[0] != static_cast<char>('A' + i - 1) || tok[1] != '=' ||
          !replayUntoken(tok.substr(2), a))
        return fail("the timers must read A=NAME B=NAME ... in order");
      head_.timers.push_back(a);
    }
    return true;
  }
  if (key == "start") {
    ReplayRead r;
    if (t.size() < 3 || !replayUntoken(t[1], head_.startFile) || (t[2] != "0" && t[2] != "1"))
      return fail("a start line reads 'start FILE 0' or 'start FILE 1 BYTES'");
    r.ok = t[2] == "1";
    if (t.size() != (r.ok ? 4u : 3u) || (r.ok && !replayUntoken(t[3], r.bytes)))
      return fail("a start line reads 'start FILE 0' or 'start FILE 1 BYTES'");
    head_.start = r;
    return true;
  }
  if (key == "value" || key == "keep") {
    if (t.size() != 3 || !replayUntoken(t[1], a) || !replayUntoken(t[2], b))
      return fail("a " + std::string(key) + " line reads '" + std::string(key) + " NAME VALUE'");
    (key == "value" ? head_.values : head_.keep).push_back({a, b});
    return true;
  }
  if (key == "rows") {
    ReplayHead::Rows r;
    if (t.size() < 4 || !replayUntoken(t[1], r.name) || !number(t[2], r.first) || r.first < 0 || r.first >= 10000)
      return fail("a rows line reads 'rows NAME FIRST VALUE...' with FIRST from 0 to 9999");
    for (std::size_t i = 3; i < t.size(); ++i) {
      std::string_view tok = t[i];
      std::size_t times = 1;
      if (const std::size_t star = tok.rfind('*'); star != std::string_view::npos) {
        if (!number(tok.substr(star + 1), times) || times < 2) return fail("a repeat reads VALUE*COUNT");
        tok = tok.substr(0, star);
      }
      if (!replayUntoken(tok, a)) return fail("a value that no recording writes: " + std::string(t[i]));
      if (times > 10000 || r.first + r.values.size() + times > 10000) return fail("rows beyond 9999");
      r.values.insert(r.values.end(), times, a);
    }
    head_.rows.push_back(std::move(r));
    return true;
  }
  // control NAME prop=value ...
  ReplayHead::Props c;
  if (t.size() < 2 || !replayUntoken(t[1], c.control)) return fail("a control line reads 'control NAME PROP=VALUE...'");
  for (std::size_t i = 2; i < t.size(); ++i) {
    const std::size_t eq = t[i].find('=');
    if (eq == std::string_view::npos || !replayUntoken(t[i].substr(0, eq), a) || !replayUntoken(t[i].substr(eq + 1), b))
      return fail("a control property reads PROP=VALUE");
    c.props.emplace_back(a, b);
  }
  head_.controls.push_back(std::move(c));
  return true;
}

bool ReplayReader::stamp(std::uint64_t pass, ReplayEvent& e) {
  if (pass < last_ || pass > kReplayMaxCount) return fail("an event before the one ahead of it, or beyond any count");
  if (pass - last_ > kReplayMaxGap)
    return fail(std::to_string(pass - last_) + " passes after the line before, more than any recording leaves (" +
                std::to_string(kReplayMaxGap) + ")");
  e.pass = last_ = pass;
  return true;
}

bool ReplayReader::tickToken(ReplayEvent& e) {
  const char letter = ticks_[0];
  const std::size_t code = static_cast<std::size_t>(letter - 'A');
  if (letter < 'A' || letter > 'Z' || code >= head_.timers.size())
    return fail(std::string("'") + letter + "' stands for no timer of the head");
  std::size_t n = 1;
  while (n < ticks_.size() && (ticks_[n] == '-' || (ticks_[n] >= '0' && ticks_[n] <= '9'))) ++n;
  std::int64_t residual = 0;
  if (n > 1 && !number(ticks_.substr(1, n - 1), residual))
    return fail("a tick reads LETTER or LETTER followed by a number");
  ticks_.remove_prefix(n);
  TickRhythm& r = rhythm_[code];
  const __int128 at = static_cast<__int128>(predicted(r, last_)) + residual;
  if (at < 0 || at > static_cast<__int128>(kReplayMaxCount)) return fail("a tick beyond any count of passes");
  e = ReplayEvent{};
  e.kind = ReplayEvent::Kind::Tick;
  e.name = head_.timers[code];
  if (!stamp(static_cast<std::uint64_t>(at), e)) return false;
  ticked(r, e.pass);
  return true;
}

bool ReplayReader::streamLine(const std::vector<std::string_view>& t, ReplayEvent& e, bool& isEvent) {
  using K = ReplayEvent::Kind;
  isEvent = false;
  const std::string_view key = t[0];
  if (key[0] == '^') {
    const bool one = t.size() == 1 && key.size() == 2 && key[1] >= '1' && key[1] <= '9';
    const std::size_t n = one ? static_cast<std::size_t>(key[1] - '0') : 0;
    if (!one || n > recent_.size()) return fail("a repeat of a tick line that is not there");
    ticks_ = recent_[n - 1];
  } else if (key[0] >= 'A' && key[0] <= 'Z') {
    if (t.size() != 1) return fail("a tick line holds no blanks");
    ticks_ = key;
  }
  if (key[0] == '^' || (key[0] >= 'A' && key[0] <= 'Z')) {
    recent_.push_front(ticks_);
    if (recent_.size() > static_cast<std::size_t>(kTickRepeats)) recent_.pop_back();
    return true;
  }
  if (key == "clock") {
    std::uint64_t step = 0;
    if (t.size() < 3 || !count(t[1], step)) return fail("a clock line reads 'clock READINGS +SECONDS' or a date");
    DateTime value;
    if (t.size() == 3 && (t[2][0] == '+' || t[2][0] == '-')) {
      std::int64_t seconds = 0;
      if (!haveClock_ || !number(t[2][0] == '+' ? t[2].substr(1) : t[2], seconds) || seconds > kMostSecondsStep ||
          seconds < -kMostSecondsStep)
        return fail("a clock step needs a clock before it and fewer than a century of seconds");
      value = addSeconds(clock_, seconds);
    } else if (t.size() != 4 || !parseDateTime(std::string(t[2]) + " " + std::string(t[3]), value)) {
      return fail("a clock date reads YYYY-MM-DD hh:mm:ss");
    }
    if (value.year < 1 || value.year > 9999) return fail("a clock beyond the calendar");
    const std::uint64_t at = haveClock_ ? readingAt_ + step : step;
    if (at > kReplayMaxCount || (haveClock_ && step == 0)) return fail("clock readings that do not follow each other");
    clock.push_back({at, value});
    readingAt_ = at;
    haveClock_ = true;
    clock_ = value;
    return true;
  }
  if (key == "read") {
    std::pair<std::string, ReplayRead> r;
    if (t.size() < 3 || !replayUntoken(t[1], r.first) || (t[2] != "0" && t[2] != "1") ||
        t.size() != (t[2] == "1" ? 4u : 3u) || (t[2] == "1" && !replayUntoken(t[3], r.second.bytes)))
      return fail("a read line reads 'read FILE 0' or 'read FILE 1 BYTES'");
    r.second.ok = t[2] == "1";
    reads.push_back(std::move(r));
    return true;
  }
  std::uint64_t step = 0;
  if (!count(key, step)) return fail("no entry a replay holds: '" + std::string(key) + "'");
  if (t.size() < 2) return fail("an event line reads 'PASSES WHAT ...'");
  int kind = 0;
  while (kind < 10 && t[1] != kKinds[kind]) ++kind;
  if (kind == 10) return fail("no event called '" + std::string(t[1]) + "'");
  e = ReplayEvent{};
  e.kind = static_cast<K>(kind);
  static constexpr std::size_t kArgs[] = {1, 2, 2, 1, 1, 1, 1, 0, 1, 1};
  if (t.size() != 2 + kArgs[kind])
    return fail("'" + std::string(t[1]) + "' takes " + std::to_string(kArgs[kind]) + " more");
  bool ok = true;
  switch (e.kind) {
    case K::Press:
    case K::Enter:
    case K::Leave:
    case K::Tick: ok = replayUntoken(t[2], e.name); break;
    case K::Type: ok = replayUntoken(t[2], e.name) && replayUntoken(t[3], e.text); break;
    case K::Set: ok = replayUntoken(t[2], e.name) && number(t[3], e.value); break;
    case K::Key: ok = replayUntoken(t[2], e.text) && e.text.size() == 1; break;
    case K::Turn: break;
    case K::Check:
    case K::End: ok = readHash(t[2], e.hash); break;
  }
  if (!ok) return fail("'" + std::string(t[1]) + "' with a value that no recording writes");
  if (!stamp(last_ + step, e)) return false;
  isEvent = true;
  if (e.kind == K::End) ended_ = true;
  return true;
}

bool ReplayReader::next(ReplayEvent& e) {
  if (!error_.empty()) return false;
  for (;;) {
    if (!ticks_.empty()) return tickToken(e);
    std::string_view raw;
    if (!nextLine(raw)) return false;
    const auto t = split(raw);
    if (t.empty() || t[0][0] == '#') continue;
    if (ended_) return fail("entries after the end");
    const std::string_view key = t[0];
    if (isHeadKey(key)) return fail("'" + std::string(key) + "' belongs before the first event");
    bool isEvent = false;
    if (!streamLine(t, e, isEvent)) return false;
    if (isEvent) return true;
  }
}

}  // namespace quorl
