// The autosave: one snapshot and the recording up to it, in one checked file.
#include "app/autosave.h"

#include <cstring>
#include <filesystem>
#include <memory>

#include "app/game.h"
#include "app/recorder.h"
#include "app/rewind.h"
#include "app/timeline.h"
#include "io/folder.h"
#include "sim/binary.h"

namespace quorl {

namespace {

constexpr std::string_view kMagic = "quorl-autosave 1\n";
constexpr std::size_t kMostBytes = std::size_t{64} << 20;

}  // namespace

bool writeAutosave(Game& g, std::string& why) {
  Recorder* r = g.recorder();
  if (!r || !r->recording()) return why = "this system is not recorded", false;
  Rewind* rw = g.rewind();
  if (rw && rw->holding()) return why = "the game is shown at an earlier moment", false;
  const DateTime now = g.clock.now();  // the wall clock, not a reading of the game's
  std::string out(kMagic);
  binary::putText(out, dateText(now) + " " + timeText(now));
  const ReplayPosition at = r->position();
  for (const std::uint64_t v : {at.pass, at.events, at.readings, at.reads}) binary::put(out, v);
  binary::putText(out, r->text());
  GameState st;
  st.take(g);
  st.write(out, g);
  binary::put(out, checksum(out));
  std::string error;
  if (!writeFileWhole(g.folder.path(kAutosaveFile), out, error)) return why = "could not write autosave.qs: " + error, false;
  return true;
}

bool readAutosave(const std::string& path, Game& g, Autosave& out, std::string& why) {
  std::string in, error;
  if (!readFileHead(path, kMostBytes + 1, in, error)) return why = "cannot read it: " + error, false;
  if (in.size() > kMostBytes) return why = "it is too large for a saved game", false;
  if (in.compare(0, kMagic.size(), kMagic) != 0) return why = "it is no saved game of Quorl", false;
  std::uint64_t sum = 0;
  if (in.size() < kMagic.size() + sizeof sum) return why = "it is cut short", false;
  std::memcpy(&sum, in.data() + in.size() - sizeof sum, sizeof sum);
  const std::string_view body(in.data(), in.size() - sizeof sum);
  if (checksum(body) != sum) return why = "it is damaged (its checksum does not match)", false;
  std::size_t pos = kMagic.size();
  binary::Reader r{body, pos};
  Autosave a;
  if (!r.getText(a.saved) || !r.get(a.at.pass) || !r.get(a.at.events) || !r.get(a.at.readings) ||
      !r.get(a.at.reads) || !r.getText(a.recording))
    return why = "it is cut short", false;
  if (!a.state.read(body, pos, g, why)) return false;
  if (pos != body.size()) return why = "it has more than a saved game", false;
  out = std::move(a);
  return true;
}

bool continueGame(Game& g, const Autosave& a, std::string& why) {
  Recorder* r = g.recorder();
  if (!r) return why = "this game keeps no recording", false;
  // The recording must reach the snapshot's place before anything changes.
  std::unique_ptr<ReplayWriter> check;
  if (!replayPrefix(a.recording, a.at, check, why)) return why = "its recording " + why, false;
  a.state.restore(g);
  if (!r->continueFrom(a.recording, a.at, why)) return false;
  g.lookAgain();
  if (Rewind* rw = g.rewind()) {
    rw->keepNow();
    rw->holdHere();
  }
  g.status("Continued: the game saved " + a.saved + ". Press Pause, the space bar or the timeline to play on");
  return true;
}

void offerSavedGame(Game& g) {
  const std::string path = g.folder.path(kAutosaveFile);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return;
  auto saved = std::make_shared<Autosave>();
  std::string why;
  if (!readAutosave(path, g, *saved, why)) {
    std::string error;
    const bool aside = moveAside(path, path + ".bad", error);
    const std::string said = "The saved game cannot be continued: " + why +
                             (aside ? " (kept as autosave.qs.bad)" : " (" + error + ")");
    const std::string shown = g.window.Labill->caption();
    g.status(shown.empty() ? said : shown + "\r" + said);
    return;
  }
  g.timeline->offerContinue(saved->saved);
  g.timeline->onContinue = [&g, saved] {
    std::string why;
    if (!continueGame(g, *saved, why)) g.status("The saved game cannot be continued: " + why);
  };
}

}  // namespace quorl
