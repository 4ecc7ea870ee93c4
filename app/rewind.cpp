// Rewind: the snapshots of this system, and the way back to any of its moments.
#include "app/rewind.h"

#include <algorithm>

#include "app/game.h"
#include "app/pace.h"
#include "app/path_preview.h"
#include "app/recorder.h"
#include "app/replayer.h"
#include "sim/fields.h"
#include "views/orbit_views.h"
#include "views/planet_picture.h"
#include "views/zoom_view.h"

namespace quorl {

namespace {

// How far apart kept snapshots may be at an age: a second for the last minute, ten seconds for the last ten
// minutes, a minute before that.
std::int64_t spacingAt(std::int64_t ageMs) {
  if (ageMs < 60'000) return 1'000;
  if (ageMs < 600'000) return 10'000;
  return 60'000;
}

constexpr std::int64_t kKeepEveryMs = 1'000;
constexpr std::int64_t kLongestStepMs = 250;  // a pass after a stall counts at most this much play
constexpr std::uint64_t kMostPassesBetweenLooks = 1 << 16;
constexpr int kHeadlessRate = 5'000;  // passes a second of play at Max, without a clock

}  // namespace

Rewind::Rewind(Game& g, RewindOptions options) : g_(g), options_(std::move(options)) {
  // Marks of the recorded game only: not of the inputs replayed to reach a moment.
  g_.onMark = [this](World::Mark m) {
    if (holding_) return;
    Recorder* r = g_.recorder();
    if (r && r->recording()) marks_.push_back({r->position().pass, m});
    changed();
  };
}

std::int64_t Rewind::nowMs() { return options_.clockMs ? options_.clockMs() : 0; }

void Rewind::loopStarted() {
  lastMs_ = nowMs();
  lastLook_ = g_.passesRun();
  clockRunning_ = true;
}

void Rewind::passTook(std::int64_t ns) {
  timedNs_[timed_++ % timedNs_.size()] = ns;
  const std::size_t n = std::min(timed_, timedNs_.size());
  passNs_ = *std::min_element(timedNs_.begin(), timedNs_.begin() + static_cast<std::ptrdiff_t>(n));
}

std::uint64_t Rewind::passed() {
  const std::uint64_t passes = g_.passesRun() - lastLook_;
  lastLook_ = g_.passesRun();
  std::int64_t step = 0;
  std::uint64_t nextIn = 1;
  if (options_.clockMs) {
    const std::int64_t now = nowMs();
    step = clockRunning_ ? std::min(now - lastMs_, kLongestStepMs) : 0;
    lastMs_ = now;
    clockRunning_ = true;
    // Look again after about 50 ms worth of passes at the rate just seen.
    nextIn = step > 0 ? passes * 50 / static_cast<std::uint64_t>(step) : passes * 2;
  } else {
    const int cap = g_.pace->pacer.cap();
    const std::uint64_t rate = cap > 0 ? static_cast<std::uint64_t>(cap) : kHeadlessRate;
    step = static_cast<std::int64_t>(passes * 1000 / rate);
    nextIn = rate / 20;
  }
  playMs_ += std::max<std::int64_t>(step, 0);
  workNs_ += static_cast<std::int64_t>(passes) * passNs_;
  if (playMs_ - lastKeptMs_ >= kKeepEveryMs || workNs_ - lastKeptWork_ >= options_.mostWorkNs) keep();
  if (playMs_ - lastMinuteMs_ >= 60'000) {
    lastMinuteMs_ = playMs_;
    if (onMinuteOfPlay) onMinuteOfPlay();
  }
  return g_.passesRun() + std::clamp<std::uint64_t>(nextIn, 1, kMostPassesBetweenLooks);
}

void Rewind::newFile() {
  kept_.clear();
  bytes_ = 0;
  marks_.clear();
  playMs_ = lastKeptMs_ = lastMinuteMs_ = 0;
  workNs_ = lastKeptWork_ = 0;
  holding_ = false;
  present_.reset();
  // The press that built the system is still going on: its first snapshot follows it.
  firstDue_ = true;
  lastLook_ = g_.passesRun();
}

void Rewind::afterInput() {
  if (firstDue_) keep();
}

void Rewind::keepNow() { keep(); }

void Rewind::keep() {
  Recorder* r = g_.recorder();
  if (!r || !r->recording()) return;
  firstDue_ = false;
  Kept k;
  k.at = r->position();
  if (!kept_.empty() && kept_.back().at.pass == k.at.pass) return;  // one snapshot a moment
  k.state.take(g_, kept_.empty() ? nullptr : &kept_.back().state);
  k.playMs = playMs_;
  k.workNs = workNs_;
  ++taken_;
  bytes_ += k.state.ownBytes();
  kept_.push_back(std::move(k));
  lastKeptMs_ = playMs_;
  lastKeptWork_ = workNs_;
  thin();
  changed();
}

std::int64_t Rewind::widestGapNs() const {
  std::int64_t most = 0;
  for (std::size_t i = 1; i < kept_.size(); ++i) most = std::max(most, kept_[i].workNs - kept_[i - 1].workNs);
  if (!kept_.empty()) most = std::max(most, workNs_ - kept_.back().workNs);
  return most;
}

void Rewind::drop(std::size_t i) {
  // What it shares with its neighbours stays with them.
  bytes_ -= kept_[i].state.ownBytes();
  kept_.erase(kept_.begin() + static_cast<std::ptrdiff_t>(i));
}

void Rewind::thin() {
  // Newest to oldest: a snapshot goes when its neighbours lie close enough for its age without it, and the
  // passes between them cost little enough to replay. The first (where the system began) always stays.
  for (std::size_t i = kept_.size() - 1; kept_.size() >= 3 && i >= 2; --i) {
    const Kept &older = kept_[i - 2], &newer = kept_[i];
    const std::int64_t age = playMs_ - kept_[i - 1].playMs;
    if (newer.playMs - older.playMs <= spacingAt(age) && newer.workNs - older.workNs <= options_.mostWorkNs)
      drop(i - 1);
  }
  // Over the budget: the snapshot whose neighbours lie closest in pass time goes, until it fits.
  while (bytes_ > options_.budget && kept_.size() > 2) {
    std::size_t best = 1;
    for (std::size_t i = 2; i + 1 < kept_.size(); ++i)
      if (kept_[i + 1].workNs - kept_[i - 1].workNs < kept_[best + 1].workNs - kept_[best - 1].workNs) best = i;
    drop(best);
  }
}

std::uint64_t Rewind::lastPass() const {
  if (holding_ && present_) return present_->at.pass;
  const Recorder* r = const_cast<Game&>(g_).recorder();
  return r ? r->position().pass : 0;
}

std::int64_t Rewind::playAt(std::uint64_t pass) const {
  // Between two snapshots, play goes evenly with the passes; past the last, up to now.
  const Kept* before = nullptr;
  for (const Kept& k : kept_) {
    if (k.at.pass > pass) {
      if (!before) return k.playMs;
      const double f = static_cast<double>(pass - before->at.pass) / static_cast<double>(k.at.pass - before->at.pass);
      return before->playMs + static_cast<std::int64_t>(f * static_cast<double>(k.playMs - before->playMs));
    }
    before = &k;
  }
  if (!before) return 0;
  const std::uint64_t last = lastPass();
  if (last <= before->at.pass) return before->playMs;
  const double f = static_cast<double>(pass - before->at.pass) / static_cast<double>(last - before->at.pass);
  return before->playMs + static_cast<std::int64_t>(f * static_cast<double>(playMs_ - before->playMs));
}

std::uint64_t Rewind::passAt(std::int64_t ms) const {
  if (kept_.empty()) return 0;
  const auto passFor = [](const Kept& a, std::uint64_t bPass, std::int64_t bMs, std::int64_t t) {
    if (bMs <= a.playMs) return a.at.pass;
    const double f = static_cast<double>(t - a.playMs) / static_cast<double>(bMs - a.playMs);
    return a.at.pass + static_cast<std::uint64_t>(f * static_cast<double>(bPass - a.at.pass));
  };
  if (ms <= kept_.front().playMs) return kept_.front().at.pass;
  for (std::size_t i = 1; i < kept_.size(); ++i)
    if (kept_[i].playMs >= ms) return passFor(kept_[i - 1], kept_[i].at.pass, kept_[i].playMs, ms);
  const std::uint64_t last = lastPass();
  if (ms >= playMs_) return last;
  return passFor(kept_.back(), last, playMs_, ms);
}

void Rewind::enter() {
  if (holding_) return;
  Recorder* r = g_.recorder();
  present_ = std::make_unique<Kept>();
  present_->state.take(g_);
  present_->at = r->position();
  present_->playMs = playMs_;
  presentHash_ = stateHash(g_.b, g_.s);
  shown_ = present_->at;
  holding_ = true;
  g_.hold(true);
}

void Rewind::holdHere() {
  Recorder* r = g_.recorder();
  if (!r || !r->recording()) return;
  enter();
  show();
  changed();
}

bool Rewind::seek(std::uint64_t pass, std::string& why) {
  Recorder* r = g_.recorder();
  if (!r || !r->recording() || kept_.empty()) return why = "this system is not recorded: there is nothing to go back to", false;
  enter();
  pass = std::clamp(pass, kept_.front().at.pass, present_->at.pass);
  if (pass == present_->at.pass) {
    present_->state.restore(g_);
    shown_ = present_->at;
    show();
    changed();
    return true;
  }
  // The last snapshot at or before the moment, then the recorded inputs up to it.
  auto it = std::upper_bound(kept_.begin(), kept_.end(), pass, [](std::uint64_t p, const Kept& k) { return p < k.at.pass; });
  const Kept& from = *std::prev(it);
  from.state.restore(g_, false);
  Replayer replay;
  std::string error;
  bool ok = replay.open(r->text(), error);
  if (ok) {
    Outside* outside = g_.outside;
    g_.outside = &replay;
    g_.hold(false);
    g_.pauseRecording(true);
    ok = replay.resume(g_, from.at) && replay.runTo(g_, pass);
    g_.pauseRecording(false);
    g_.hold(true);
    g_.outside = outside;
    if (!ok) error = replay.result().message;
  }
  if (!ok) {
    present_->state.restore(g_);
    shown_ = present_->at;
    changed();
    return why = "Cannot go back there: " + error, false;
  }
  shown_ = replay.position(g_);
  show();
  changed();
  return true;
}

void Rewind::show() {
  // The views afresh from the state; the zoom view and the planet strip draw a frame as their timers would,
  // and what that drawing changes is put back: the moment stays as it was, unrecorded.
  g_.views->redrawFromState();
  GameState here;
  here.take(g_);
  Outside* outside = g_.outside;
  g_.outside = nullptr;
  g_.pauseRecording(true);
  g_.ui.fire([this] {
    g_.zoom->tick();
    g_.picture->tick();
  });
  g_.pauseRecording(false);
  g_.outside = outside;
  here.restore(g_, false);
  // Another moment, another future: the path is taken again.
  g_.preview->applied(Input::pass());
}

void Rewind::letGo() {
  if (!holding_) return;
  const std::int64_t shownMs = playAt(shown_.pass);
  holding_ = false;
  g_.hold(false);
  Recorder* r = g_.recorder();
  if (shown_ != present_->at && r) {
    if (r->branch(shown_, present_->at.pass, presentHash_)) {
      // What lay after the branch point is another future now.
      while (!kept_.empty() && kept_.back().at.pass > shown_.pass) drop(kept_.size() - 1);
      std::erase_if(marks_, [&](const Mark& m) { return m.pass > shown_.pass; });
      playMs_ = lastKeptMs_ = lastMinuteMs_ = shownMs;
      workNs_ = lastKeptWork_ = kept_.empty() ? 0 : kept_.back().workNs;
    }
  }
  present_.reset();
  // Play counts on from here: nothing of the time held, nor of passes before a restore.
  clockRunning_ = false;
  lastLook_ = g_.passesRun();
  g_.lookAgain();
  if (g_.loopRunning() && g_.onPumpStart) g_.onPumpStart();
  changed();
}

void Rewind::cancel() {
  if (!holding_) return;
  present_->state.restore(g_);
  shown_ = present_->at;
  letGo();
}

bool Rewind::back(std::int64_t ms, std::string& why) {
  const std::uint64_t from = holding_ ? shown_.pass : lastPass();
  if (!seek(passAt(playAt(from) - ms), why)) return false;
  letGo();
  return true;
}

}  // namespace quorl
