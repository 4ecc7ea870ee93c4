// The recording: inputs, readings and checks into replay.qr, a new file for each new system.
#include "app/recorder.h"

#include <algorithm>
#include <filesystem>

#include "app/preset_press.h"
#include "app/replay_state.h"
#include "app_info.h"
#include "io/folder.h"
#include "io/params_file.h"
#include "sim/fields.h"

namespace quorl {

namespace {

constexpr std::size_t kChunk = 16 * 1024;  // the file is written when this much has gathered

ReplayEvent eventOf(const Input& in, std::uint64_t pass) {
  using K = Input::Kind;
  using E = ReplayEvent::Kind;
  ReplayEvent e;
  e.pass = pass;
  if (in.control) e.name = in.control->name;
  switch (in.kind) {
    case K::Press: e.kind = E::Press; break;
    case K::Text: e.kind = E::Type, e.text = in.text; break;
    case K::Value: e.kind = E::Set, e.value = in.value; break;
    case K::FocusIn: e.kind = E::Enter; break;
    case K::FocusOut: e.kind = E::Leave; break;
    case K::Key: e.kind = E::Key, e.text = std::string(1, static_cast<char>(in.value)); break;
    case K::Tick: e.kind = E::Tick; break;
    case K::Pass: e.kind = E::Turn; break;
  }
  return e;
}

}  // namespace

Recorder::Recorder(Game& g, RecordOptions options) : g_(g), options_(std::move(options)) {
  options_.checkEvery = std::clamp<std::uint64_t>(options_.checkEvery, 1, kReplayLineSpacing);
}

Recorder::~Recorder() = default;

void Recorder::started() {
  started_ = true;
  afterStart_ = snapshotControls(g_);
  for (const Control& c : g_.ui.all())
    if (c.kind == Kind::Timer && !isPaceControl(g_, c)) timers_.push_back(c.name);
  for (int i = 1; i <= 10; ++i) presets_.push_back(&g_.presets->c.CDp[i]);
}

std::string Recorder::path(int k) const {
  return g_.folder.path(k == 0 ? "replay.qr" : "replay-" + std::to_string(k) + ".qr");
}

std::uint64_t Recorder::stamp() const { return g_.passesRun() - base_; }

void Recorder::before(const Input& in) {
  if (in.control && isPaceControl(g_, *in.control)) {
    ignoring_ = true;
    return;
  }
  inInput_ = true;
  sides_.clear();
  for (const Control* preset : presets_)
    if (in.kind == Input::Kind::Press && in.control == preset) {
      // The state a new system would start from: taken before the press changes anything.
      found_.emplace();
      describeState(g_, afterStart_, *found_);
      foundHash_ = stateHash(g_.b, g_.s);
      creations_ = g_.presets->creations();
    }
}

void Recorder::after(const Input& in) {
  if (ignoring_) {
    ignoring_ = false;
    return;
  }
  inInput_ = false;
  const bool created = found_ && g_.presets->creations() != creations_;
  if (created) beginFile(std::move(*found_), foundHash_);
  found_.reset();
  if (writer_) {
    for (const Side& s : sides_) {
      if (const auto* t = std::get_if<DateTime>(&s)) writer_->clockReading(*t);
      else writer_->fileRead(std::get<1>(s).first, std::get<1>(s).second);
    }
    writer_->event(eventOf(in, stamp()));
    // The new system as the press built it: the first check proves the starting state.
    if (created) check();
    flushIfDue(false);
  }
  sides_.clear();
}

void Recorder::stopped() {
  if (!writer_) return;
  writer_->event(eventOf(Input::pass(), stamp()));
}

std::uint64_t Recorder::passed() {
  if (!writer_) return nextLook_ = ~std::uint64_t{0};
  nextLook_ = g_.passesRun() + options_.checkEvery;
  const std::int64_t now = nowMs();
  // However fast the passes run, a line follows the one before within the spacing a replay holds to.
  const bool due = g_.passesRun() - lastCheck_ + options_.checkEvery > kReplayLineSpacing;
  if (options_.clockMs && now - lastCheckMs_ < options_.checkMs && !due) return nextLook_;
  lastCheckMs_ = now;
  lastCheck_ = g_.passesRun();
  check();
  flushIfDue(false);
  return nextLook_;
}

void Recorder::check() {
  ReplayEvent e;
  e.kind = ReplayEvent::Kind::Check;
  e.pass = stamp();
  e.hash = stateHash(g_.b, g_.s);
  writer_->event(e);
}

void Recorder::side(const Side& s) {
  if (inInput_) {
    sides_.push_back(s);
  } else if (writer_) {
    if (const auto* t = std::get_if<DateTime>(&s)) writer_->clockReading(*t);
    else writer_->fileRead(std::get<1>(s).first, std::get<1>(s).second);
  }
}

void Recorder::clockRead(DateTime& t) {
  if (!ignoring_) side(t);
}

void Recorder::fileRead(const std::string& name, bool& ok, std::string& bytes) {
  // A save's look at the best on disk is noted only when it found a higher one; a replay takes none for lower.
  if (name == kParamsBestRead && (!ok || !started_)) return;
  if (!started_) {
    startFile_ = name;
    start_ = {ok, ok ? bytes : std::string()};
    return;
  }
  if (!ignoring_) side(std::pair<std::string, ReplayRead>{name, {ok, ok ? bytes : std::string()}});
}

void Recorder::endFile(std::uint64_t pass, std::uint64_t hash) {
  ReplayEvent end;
  end.kind = ReplayEvent::Kind::End;
  end.pass = pass;
  end.hash = hash;
  writer_->event(end);
  flushIfDue(true);
}

void Recorder::beginFile(ReplayHead head, std::uint64_t oldEnd) {
  if (writer_) {
    // The old system ends in the state the press found.
    endFile(stamp(), oldEnd);
    writer_.reset();
  }
  head.program = std::string("Quorl ") + kVersion;
  head.timers = timers_;
  head.startFile = startFile_;
  head.start = start_;
  base_ = g_.passesRun();
  std::string error;
  if (!startFile(std::make_unique<ReplayWriter>(head), error)) return fail(error);
}

bool Recorder::startFile(std::unique_ptr<ReplayWriter> writer, std::string& error) {
  writer_ = std::move(writer);
  text_ = writer_->take();
  spoilt_.clear();
  // The files of earlier systems move on only once the new one stands on disk with its head: a full disk
  // keeps every old replay.
  StagedFile staged;
  if (!staged.write(path(), text_, error)) return false;
  std::error_code ec;
  for (int k = options_.keep; k >= 1; --k) {
    if (k == options_.keep) std::filesystem::remove(path(k), ec);
    std::filesystem::rename(path(k - 1), path(k), ec);
  }
  // The replay before is never written over: when it could not move on, the new one goes unrecorded.
  if (ec && ec != std::errc::no_such_file_or_directory && std::filesystem::exists(path()))
    return error = "the replay before could not move on to replay-1.qr (" + ec.message() + ")", false;
  if (!staged.commit(error)) return false;
  lastCheckMs_ = lastFlushMs_ = nowMs();
  lastCheck_ = g_.passesRun();
  nextLook_ = lastCheck_ + options_.checkEvery;
  if (onNewFile) onNewFile();
  return true;
}

ReplayPosition Recorder::position() const {
  if (!writer_) return {};
  return {stamp(), writer_->events(), writer_->readings(), writer_->reads()};
}

const std::string& Recorder::text() {
  flushIfDue(true);
  return text_;
}

bool Recorder::branch(const ReplayPosition& at, std::uint64_t futureEndPass, std::uint64_t futureEndHash) {
  if (!writer_) return false;
  std::unique_ptr<ReplayWriter> prefix;
  std::string error;
  if (!replayPrefix(text(), at, prefix, error)) return fail("the recording cannot go on from there: " + error), false;
  // The abandoned future ends where the player left it, and stays as a replay of its own.
  endFile(futureEndPass, futureEndHash);
  const std::string future = std::move(text_);
  writer_.reset();
  std::error_code ec;
  std::filesystem::remove(branchPath(kBranches), ec);
  for (int k = kBranches - 1; k >= 1; --k) std::filesystem::rename(branchPath(k), branchPath(k + 1), ec);
  if (!writeFileWhole(branchPath(1), future, error))
    g_.status("The abandoned future is not kept: could not write replay-branch-1.qr: " + error);
  // replay.qr: the same system up to the branch point, whole or not at all, then appended to as before.
  text_ = prefix->take();
  if (!writeFileWhole(path(), text_, error)) return fail(error), false;
  writer_ = std::move(prefix);
  base_ = g_.passesRun() - at.pass;
  lastCheck_ = g_.passesRun();
  lastCheckMs_ = lastFlushMs_ = nowMs();
  nextLook_ = lastCheck_ + options_.checkEvery;
  return true;
}

bool Recorder::continueFrom(const std::string& text, const ReplayPosition& at, std::string& why) {
  std::unique_ptr<ReplayWriter> writer;
  if (!replayPrefix(text, at, writer, why)) return false;
  if (writer_) {
    endFile(stamp(), stateHash(g_.b, g_.s));
    writer_.reset();
  }
  base_ = g_.passesRun() - at.pass;
  // The text is written as read (what the prefix writes anew is the same recording).
  if (!startFile(std::move(writer), why)) return fail(why), false;
  return true;
}

void Recorder::write(const std::string& text) {
  std::string error;
  if (appendToFile(path(), text, error)) text_ += text;
  else fail(error);
}

std::string Recorder::branchPath(int k) const { return g_.folder.path("replay-branch-" + std::to_string(k) + ".qr"); }

void Recorder::fail(const std::string& error) {
  // The file is broken from here on: the game goes on unrecorded until the next system.
  writer_.reset();
  nextLook_ = ~std::uint64_t{0};
  // Below what the status line says already: the press that began the file has its own message there.
  const std::string said =
      "This system is not recorded: could not write replay.qr: " + error + " (in " + g_.folder.dir + ")";
  const std::string shown = g_.window.Labill->caption();
  if (shown.find(said) == std::string::npos) g_.status(shown.empty() ? said : shown + "\r" + said);
}

void Recorder::flushIfDue(bool force) {
  if (!writer_) return;
  const std::int64_t now = nowMs();
  const bool late = options_.clockMs && options_.flushMs > 0 && now - lastFlushMs_ >= options_.flushMs;
  if (!force && !late && writer_->size() < kChunk) return;
  lastFlushMs_ = now;
  const std::string text = force ? writer_->take() : writer_->takeLines();
  if (!text.empty()) write(text);
}

void Recorder::spoil(const std::string& why) {
  if (writer_ && spoilt_.empty()) spoilt_ = why;
}

std::string Recorder::sofar() const {
  std::string text;
  if (!writer_ || !readFile(path(), text)) return {};
  // What waits to be written follows what is on disk; a copy of the writer ends it, so the file goes on as
  // it would have.
  ReplayWriter rest = *writer_;
  ReplayEvent end;
  end.kind = ReplayEvent::Kind::End;
  end.pass = stamp();
  end.hash = stateHash(g_.b, g_.s);
  rest.event(end);
  return text + rest.take();
}

void Recorder::finish() {
  if (!writer_) return;
  endFile(stamp(), stateHash(g_.b, g_.s));
  writer_.reset();
}

}  // namespace quorl
