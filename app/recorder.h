// The game's own recording: every input with the passes run before it, the clock and file readings the
// rules take, and a state check now and then, written to replay.qr beside events.txt. Each new system
// starts a new file from the state the preset press found; the files of earlier systems are kept as
// replay-1.qr ... replay-N.qr. The file is written in chunks of whole lines, so a crash leaves a prefix a
// replay can still read.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/game.h"
#include "io/replay_file.h"
#include "sim/outside.h"

namespace quorl {

class Recorder : public Outside {
 public:
  Recorder(Game& g, RecordOptions options);
  ~Recorder() override;

  // Program start is over: the window as it stands now is what a replay rebuilds by starting the same way.
  void started();
  // Around each input the game applies (Game::apply).
  void before(const Input& in);
  void after(const Input& in);
  // A turn of the pump stopped the loop without a pass.
  void stopped();
  // At a pass where a state check may be due; returns the pass at which to look again.
  std::uint64_t passed();
  std::uint64_t nextLook() const { return nextLook_; }
  // The game ends: the last state goes into the file.
  void finish();
  // The game was changed from outside its inputs (a test scene): this system cannot be replayed.
  void spoil(const std::string& why);
  const std::string& spoilt() const { return spoilt_; }

  // This system's recording so far as a whole file that ends in the state now, for handing on while the game
  // goes on (the page's Download replay); empty when this system is not recorded.
  std::string sofar() const;

  // The current file (k = 0) or an earlier one; the abandoned futures of rewinds, the latest first.
  std::string path(int k = 0) const;
  std::string branchPath(int k) const;
  static constexpr int kBranches = 3;
  bool recording() const { return writer_ != nullptr; }

  // Where the recording stands: the place a snapshot taken now belongs to (between inputs only).
  ReplayPosition position() const;
  // The file's text so far (written out first).
  const std::string& text();
  // Rewind plays on from an earlier place `at` of this file: the abandoned future, ended at `futureEnd`
  // (its pass and state hash), is kept as replay-branch-1.qr (the branches before move on, three kept), and
  // replay.qr is written anew up to `at` and goes on from there. False, with the status line saying why,
  // when the new replay.qr cannot be written (the game goes on unrecorded).
  bool branch(const ReplayPosition& at, std::uint64_t futureEndPass, std::uint64_t futureEndHash);
  // A continued game: `text` (a recording up to its end, `at`) becomes the current file, the one before
  // moving on as at a new system.
  bool continueFrom(const std::string& text, const ReplayPosition& at, std::string& why);
  // Told of every new file (a new system, a branch, a continued game).
  std::function<void()> onNewFile;

  void clockRead(DateTime& t) override;
  void fileRead(const std::string& name, bool& ok, std::string& bytes) override;

 private:
  using Side = std::variant<DateTime, std::pair<std::string, ReplayRead>>;

  std::uint64_t stamp() const;
  void side(const Side& s);
  // A new file from the state a press found; the old one ends in that state.
  void beginFile(ReplayHead head, std::uint64_t oldEnd);
  // Puts `writer`'s text in place as replay.qr once the one there has moved on to replay-1.qr.
  bool startFile(std::unique_ptr<ReplayWriter> writer, std::string& error);
  void endFile(std::uint64_t pass, std::uint64_t hash);
  void check();
  void write(const std::string& text);
  // The file cannot be written: the status line says why, and this system goes unrecorded.
  void fail(const std::string& error);
  void flushIfDue(bool force);
  std::int64_t nowMs() const { return options_.clockMs ? options_.clockMs() : 0; }

  Game& g_;
  RecordOptions options_;
  bool started_ = false;
  std::string startFile_ = "tallyho.txt";
  ReplayRead start_;
  std::vector<Control::Snapshot> afterStart_;
  std::vector<std::string> timers_;
  std::vector<const Control*> presets_;

  std::unique_ptr<ReplayWriter> writer_;
  std::string text_;  // what the current file holds
  std::uint64_t base_ = 0;  // passes run before the file began
  std::uint64_t nextLook_ = ~std::uint64_t{0};
  std::uint64_t lastCheck_ = 0;  // the pass of the last state check
  std::int64_t lastCheckMs_ = 0, lastFlushMs_ = 0;
  std::string spoilt_;

  // An input in progress: what it reads goes into the file before it.
  bool inInput_ = false, ignoring_ = false;
  std::vector<Side> sides_;
  // A preset press in progress: the state it found, in case it builds a new system.
  std::optional<ReplayHead> found_;
  std::uint64_t foundHash_ = 0;
  int creations_ = 0;
};

}  // namespace quorl
