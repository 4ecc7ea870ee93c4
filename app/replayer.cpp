// The replay: the recorded state, then the events at their passes, checked as they come.
#include "app/replayer.h"

#include <limits>

#include "app/game.h"
#include "app/replay_state.h"
#include "app_info.h"
#include "io/folder.h"
#include "io/params_file.h"
#include "sim/fields.h"

namespace quorl {

std::string replaySummary(const ReplayResult& r) {
  return "passes=" + std::to_string(r.passes) + " hash=" + hashText(r.hash) + " score=" + std::to_string(r.score) +
         " checks=" + std::to_string(r.checks);
}

int replayStatus(const ReplayResult& r) {
  switch (r.ending) {
    case ReplayResult::Ending::Finished: return 0;
    case ReplayResult::Ending::Diverged: return 1;
    case ReplayResult::Ending::CutOff: return 3;
    default: return 2;
  }
}

std::string handOverText(const ReplayResult& r) {
  std::string how;
  switch (r.ending) {
    case ReplayResult::Ending::Finished: how = "Replay ended at pass " + std::to_string(r.passes) + ", as recorded"; break;
    case ReplayResult::Ending::Diverged: how = "Replay " + r.message; break;
    default: how = "Replay stopped: " + r.message; break;
  }
  return how + " \u2014 the game is yours";
}

bool Replayer::load(std::string text, std::string& error) {
  text_ = std::move(text);
  ReplayReader check;
  if (!check.open(text_)) return error = check.error(), false;
  using K = ReplayEvent::Kind;
  ReplayEvent e;
  while (check.next(e)) {
    if (e.kind != K::Key && e.kind != K::Turn && e.kind != K::Check && e.kind != K::End) names_.insert(e.name);
    if (e.kind == K::Set && (e.value < std::numeric_limits<int>::min() || e.value > std::numeric_limits<int>::max()))
      return error = "line " + std::to_string(check.line()) + ": a value no scroll bar holds", false;
    length_ = e.pass;
    ended_ = e.kind == K::End;
  }
  if (!check.error().empty()) return error = check.error(), false;
  cutOff_ = !ended_;
  reader_.open(text_);
  return true;
}

bool Replayer::open(std::string text, std::string& error) {
  text_ = std::move(text);
  if (!reader_.open(text_)) return error = reader_.error(), false;
  return true;
}

bool Replayer::loadFile(const std::string& path, std::string& error) {
  std::string text;
  if (!readFileHead(path, kReplayMaxBytes + 1, text, error)) return error = "cannot read it: " + error, false;
  if (text.size() > kReplayMaxBytes)
    return error = "too large for a replay (more than " + std::to_string(kReplayMaxBytes) + " bytes)", false;
  return load(std::move(text), error);
}

bool Replayer::begin(Game& g) {
  for (const std::string& name : names_) {
    const Control* c = g.ui.find(name);
    if (!c || isPaceControl(g, *c))
      return stop(g, ReplayResult::Ending::Refused, "the recording names a control this game does not have: " + name);
  }
  for (const std::string& name : head().timers) {
    const Control* c = g.ui.find(name);
    if (!c || c->kind != Kind::Timer || isPaceControl(g, *c))
      return stop(g, ReplayResult::Ending::Refused, "the recording names a timer this game does not have: " + name);
  }
  std::string why;
  if (!restoreState(g, head(), why))
    return stop(g, ReplayResult::Ending::Refused, "the game cannot take the recorded starting state: " + why);
  base_ = g.passesRun();
  begun_ = fromStart_ = true;
  return true;
}

bool Replayer::stop(Game& g, ReplayResult::Ending ending, const std::string& message) {
  result_.ending = ending;
  result_.message = message;
  result_.passes = g.passesRun() - base_;
  result_.hash = stateHash(g.b, g.s);
  result_.score = g.s.Score;
  return false;
}

bool Replayer::diverged(Game& g, const std::string& what) {
  std::string note;
  const std::string ours = std::string("Quorl ") + kVersion;
  if (head().program != ours) note = " (recorded by " + head().program + "; this is " + ours + ")";
  return stop(g, ReplayResult::Ending::Diverged,
              "diverged at pass " + std::to_string(g.passesRun() - base_) + ": " + what + note);
}

bool Replayer::fetch(Game& g) {
  if (pending_) return true;
  if (reader_.next(next_)) return pending_ = true;
  if (!reader_.error().empty()) return stop(g, ReplayResult::Ending::Refused, reader_.error());
  return stop(g, ReplayResult::Ending::CutOff,
              "the recording ends at pass " + std::to_string(g.passesRun() - base_) +
                  " without its end line (it was cut off); replayed as far as it goes");
}

bool Replayer::apply(Game& g, const ReplayEvent& e) {
  using K = ReplayEvent::Kind;
  ++applied_;
  const auto control = [&]() -> Control& { return *g.ui.find(e.name); };
  switch (e.kind) {
    case K::Check:
    case K::End: {
      const std::uint64_t h = stateHash(g.b, g.s);
      if (h != e.hash)
        return diverged(g, "the state hash is " + hashText(h) + " where the recording has " + hashText(e.hash));
      if (e.kind == K::End) return stop(g, ReplayResult::Ending::Finished, "");
      ++result_.checks;
      return true;
    }
    case K::Turn: {
      const std::uint64_t before = g.passesRun();
      g.apply(Input::pass());
      if (g.passesRun() != before) return diverged(g, "the recorded loop stopped here, the replayed one ran a pass");
      break;
    }
    case K::Tick:
      if (!control().timerRunning())
        return diverged(g, "the timer " + e.name + " ticked in the recording but is stopped");
      g.apply(Input::tick(control()));
      break;
    case K::Press: g.apply(Input::press(control())); break;
    case K::Type: g.apply(Input::typed(control(), e.text)); break;
    case K::Set: g.apply(Input::scrolled(control(), static_cast<int>(e.value))); break;
    case K::Enter: g.apply(Input::focusIn(control())); break;
    case K::Leave: g.apply(Input::focusOut(control())); break;
    case K::Key: g.apply(Input::key(e.text[0])); break;
  }
  if (!problem_.empty()) return diverged(g, problem_);
  return true;
}

bool Replayer::passToward(Game& g) {
  const std::uint64_t before = g.passesRun();
  g.apply(Input::pass());
  if (g.passesRun() != before) return true;
  return diverged(g, "the main loop stopped; the recording runs on to pass " + std::to_string(next_.pass));
}

bool Replayer::step(Game& g, int budget) {
  if (!begun_ || result_.ending != ReplayResult::Ending::Playing) return false;
  for (int n = 0; n < budget; ++n) {
    if (!fetch(g)) return false;
    if (next_.pass > g.passesRun() - base_) {
      if (n > 0) break;  // this turn's events are done; the pass comes with the next
      if (!passToward(g)) return false;
      if (!problem_.empty()) return diverged(g, problem_);
      break;
    }
    pending_ = false;
    if (!apply(g, next_)) return false;
  }
  result_.passes = g.passesRun() - base_;
  return true;
}

const ReplayResult& Replayer::run(Game& g) {
  while (begun_ && result_.ending == ReplayResult::Ending::Playing) {
    if (!fetch(g)) break;
    // Passes up to the next event, without looking at anything else.
    const std::uint64_t target = base_ + next_.pass;
    while (g.passesRun() < target && passToward(g)) {
    }
    if (result_.ending != ReplayResult::Ending::Playing) break;
    if (!problem_.empty()) {
      diverged(g, problem_);
      break;
    }
    pending_ = false;
    apply(g, next_);
  }
  return result_;
}

bool Replayer::resume(Game& g, const ReplayPosition& at) {
  begun_ = true;
  base_ = g.passesRun() - at.pass;
  const auto short_ = [&] { return stop(g, ReplayResult::Ending::Refused, "the recording does not reach the place asked for"); };
  for (; applied_ < at.events; ++applied_)
    if (!reader_.next(next_)) return short_();
  // Readings taken after the last event before `at` sit before the next one.
  pending_ = reader_.next(next_);
  readings_ = at.readings;
  while (!reader_.clock.empty() && reader_.clock.front().reading < at.readings) {
    clock_ = reader_.clock.front().value;
    haveClock_ = true;
    reader_.clock.pop_front();
  }
  for (; readsTaken_ < at.reads; ++readsTaken_) {
    if (reader_.reads.empty()) return short_();
    reader_.reads.pop_front();
  }
  return true;
}

bool Replayer::runTo(Game& g, std::uint64_t pass) {
  using K = ReplayEvent::Kind;
  const auto at = [&] { return g.passesRun() - base_; };
  while (begun_ && result_.ending == ReplayResult::Ending::Playing) {
    if (!pending_) pending_ = reader_.next(next_);
    if (!pending_ && !reader_.error().empty()) return stop(g, ReplayResult::Ending::Refused, reader_.error());
    // The check written with the pass belongs to the moment after it; at pass 0, the press that built the
    // system and its first check do.
    const bool atCheck = next_.kind == K::Check || (pass == 0 && fromStart_ && result_.checks == 0);
    const bool due = pending_ && (next_.pass < pass || (next_.pass == pass && at() == pass && atCheck));
    const std::uint64_t until = due ? next_.pass : pass;
    while (at() < until)
      if (!passToward(g)) return false;
    if (!problem_.empty()) return diverged(g, problem_);
    if (due) {
      pending_ = false;
      if (!apply(g, next_)) return false;
      continue;
    }
    if (pending_ && next_.pass == pass && atCheck) continue;
    break;
  }
  result_.passes = at();
  result_.hash = stateHash(g.b, g.s);
  result_.score = g.s.Score;
  return result_.ending == ReplayResult::Ending::Playing;
}

ReplayPosition Replayer::position(Game& g) const { return {g.passesRun() - base_, applied_, readings_, readsTaken_}; }

namespace {
std::int64_t secondsOf(const DateTime& t) {
  return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}
}  // namespace

void Replayer::handOver(Game& g) {
  if (!begun_ || handedOver_) return;
  handedOver_ = true;
  // The clock stands where the recording last read it, and goes on from there at the wall clock's pace.
  g.clock.setVirtualNow(g.ui.now());
  if (haveClock_) clockShift_ = secondsOf(clock_) - secondsOf(g.clock.now());
  g.status(handOverText(result_));
}

void Replayer::clockRead(DateTime& t) {
  if (handedOver_) {
    t = addSeconds(t, clockShift_);
    return;
  }
  if (!begun_) return;
  const std::uint64_t at = readings_++;
  while (!reader_.clock.empty() && reader_.clock.front().reading <= at) {
    clock_ = reader_.clock.front().value;
    haveClock_ = true;
    reader_.clock.pop_front();
  }
  if (haveClock_) t = clock_;
  else if (problem_.empty()) problem_ = "the game read the clock before the recording has a reading";
}

void Replayer::fileRead(const std::string& name, bool& ok, std::string& bytes) {
  if (handedOver_) return;
  // A save found a higher best on disk only where the recording says so.
  if (name == kParamsBestRead && (!begun_ || reader_.reads.empty() || reader_.reads.front().first != name)) {
    ok = false;
    bytes.clear();
    return;
  }
  if (!begun_) {
    ok = head().start.ok;
    bytes = head().start.bytes;
    return;
  }
  if (reader_.reads.empty() || reader_.reads.front().first != name) {
    if (problem_.empty()) problem_ = "the game read " + name + " where the recording has no such read";
    ok = false;
    bytes.clear();
    return;
  }
  ok = reader_.reads.front().second.ok;
  bytes = reader_.reads.front().second.bytes;
  reader_.reads.pop_front();
  ++readsTaken_;
}

}  // namespace quorl
