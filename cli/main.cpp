// quorl-cli: runs a script against a fresh game without a window, or times the pass.
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/about.h"
#include "app/game.h"
#include "cli/autoplay.h"
#include "cli/bench.h"
#include "cli/driver.h"
#include "cli/recording_canvas.h"
#include "cli/replay_command.h"
#include "io/folder.h"
#include "sim/pass_kernels.h"

int main(int argc, char** argv) {
  const char* usage =
      "usage: quorl-cli [--dir DIR] [--record] [--save-replay FILE] [continue AUTOSAVE] [SCRIPT]\n"
      "       quorl-cli replay FILE [--at PASS]\n"
      "       quorl-cli autoplay [--seed S] [--preset P] [--seconds N] [--dir DIR] [--trace]\n"
      "       quorl-cli bench [preview | BODIES...]\n       quorl-cli --help | --version\n";
  if (auto done = quorl::answerAbout(argc, argv, "quorl-cli", usage, std::cout)) return *done;
  // QUORL_SIMD or QUORL_THREADS that cannot be used: the automatic choice runs, and the driver says so.
  if (const std::string& note = quorl::pass::engine().note; !note.empty()) std::cerr << "quorl-cli: " << note << "\n";
  std::string dir, script, saveReplay, autosave;
  bool record = false;  // drawing areas keep every operation (for 'dump canvas'), not pixels
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--dir" && i + 1 < argc) {
      dir = argv[++i];
    } else if (a == "--record") {
      record = true;
    } else if (a == "--save-replay" && i + 1 < argc) {
      saveReplay = argv[++i];
    } else if (a == "replay" && i == 1) {
      if (argc == 3) return quorl::replayFile(argv[2], std::cout, std::cerr);
      unsigned long long pass = 0;
      if (argc == 5 && std::strcmp(argv[3], "--at") == 0 && quorl::wholeCount(argv[4], pass))
        return quorl::replayFile(argv[2], std::cout, std::cerr, pass);
      std::cerr << "replay takes one file, and a pass to stop at: quorl-cli replay FILE [--at PASS]\n";
      return 2;
    } else if (a == "continue" && i + 1 < argc) {
      autosave = argv[++i];
    } else if (a == "autoplay" && i == 1) {
      return quorl::autoplayCommand(argc, argv, 2, std::cout, std::cerr);
    } else if (a == "bench") {
      if (i + 1 < argc && std::string(argv[i + 1]) == "preview") return quorl::runPreviewBench(std::cout);
      return quorl::runBench(std::vector<std::string>(argv + i + 1, argv + argc), std::cout, std::cerr);
    } else if (script.empty() && a.rfind("--", 0) != 0) {
      script = a;
    } else {
      std::cerr << "unknown argument '" << a << "'\n";
      return 2;
    }
  }
  std::ifstream file;
  if (!script.empty() && script != "-") {
    file.open(script);
    if (!file) {
      std::cerr << "cannot read script '" << script << "'\n";
      return 2;
    }
  }
  // Without --dir the game's files go to a temporary folder that goes with the run.
  std::optional<quorl::TemporaryFolder> temporary;
  if (dir.empty()) {
    dir = temporary.emplace("quorl-cli").path();
    if (dir.empty()) {
      std::cerr << "cannot make a temporary folder\n";
      return 2;
    }
  }
  int status = 0;
  {
    quorl::GameOptions options{dir, {}};
    // Every game is recorded, as in the window, so that a script can go back with 'rewind'.
    options.record.on = true;
    options.rewind.on = true;
    if (record)
      options.canvases = [](int w, int h, quorl::Color bg) {
        return std::make_unique<quorl::RecordingCanvas>(w, h, bg);
      };
    auto game = std::make_unique<quorl::Game>(options);
    if (!autosave.empty() && !quorl::continueSaved(*game, autosave, std::cerr)) return 2;
    status =
        quorl::runScript(*game, file.is_open() ? static_cast<std::istream&>(file) : std::cin, std::cout, std::cerr);
    if (status == 0 && !saveReplay.empty()) status = quorl::keepReplay(std::move(game), saveReplay, std::cerr);
  }
  return status;
}
