// Replays from the command line.
#include "cli/replay_command.h"

#include <charconv>
#include <filesystem>
#include <ostream>

#include "app/autosave.h"
#include "app/game.h"
#include "app/rewind.h"
#include "app/recorder.h"
#include "app/replayer.h"
#include "io/folder.h"

namespace quorl {

bool wholeCount(const char* text, unsigned long long& out) {
  const std::string_view t(text);
  const auto r = std::from_chars(t.data(), t.data() + t.size(), out);
  return !t.empty() && r.ec == std::errc() && r.ptr == t.data() + t.size();
}

bool continueSaved(Game& g, const std::string& path, std::ostream& err) {
  Autosave a;
  std::string why;
  if (!readAutosave(path, g, a, why) || !continueGame(g, a, why)) {
    err << path << ": " << why << '\n';
    return false;
  }
  // A script plays on at once.
  if (Rewind* rw = g.rewind()) rw->letGo();
  return true;
}

int replayFile(const std::string& path, std::ostream& out, std::ostream& err, std::optional<std::uint64_t> at) {
  Replayer replayer;
  std::string error;
  if (!replayer.loadFile(path, error)) {
    err << path << ": " << error << '\n';
    return 2;
  }
  // The replayed game writes its own events.txt and tallyho.txt: into a folder that goes with it.
  const TemporaryFolder folder("quorl-replay");
  if (folder.path().empty()) {
    err << "cannot make a temporary folder\n";
    return 2;
  }
  ReplayResult result;
  {
    GameOptions options{folder.path(), {}};
    options.outside = &replayer;
    const auto game = std::make_unique<Game>(options);
    if (replayer.begin(*game)) {
      if (!at) replayer.run(*game);
      else if (replayer.runTo(*game, *at)) {
        out << replaySummary(replayer.result()) << '\n';
        return 0;
      }
    }
    result = replayer.result();
  }

  if (result.ending != ReplayResult::Ending::Refused) out << replaySummary(result) << '\n';
  if (!result.message.empty()) err << path << ": " << result.message << '\n';
  return replayStatus(result);
}

int keepReplay(std::unique_ptr<Game> game, const std::string& path, std::ostream& err) {
  Recorder* recorder = game->recorder();
  const bool recorded = recorder && recorder->recording();
  const std::string spoilt = recorder ? recorder->spoilt() : "";
  const std::string source = recorder ? recorder->path() : "";
  game.reset();  // the recording ends with its final state
  if (!recorded) {
    err << "the script builds no system: there is nothing to replay\n";
    return 2;
  }
  if (!spoilt.empty()) {
    err << "the script's last system was changed by " << spoilt
        << ", which no player can do: it cannot be turned into a replay\n";
    return 2;
  }
  std::error_code ec;
  std::filesystem::copy_file(source, path, std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) {
    err << "cannot write " << path << ": " << ec.message() << '\n';
    return 2;
  }
  return 0;
}

}  // namespace quorl
