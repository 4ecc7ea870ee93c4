// The program folder: where tallyho.txt, events.txt and every other file the game writes live,
// and whole-or-nothing file writes.
#pragma once
#include <cstddef>
#include <string>

namespace quorl {

struct ProgramFolder {
  std::string dir;
  bool fellBack = false;  // the preferred folder was refused; dir is the per-user data folder

  // The preferred folder when it can be written and is not an installed binary folder, else the
  // per-user data folder. Resolve once at start, so files never move between folders mid-game.
  static ProgramFolder resolve(const std::string& preferred);
  std::string path(const std::string& file) const;
};

// The folder of the running executable.
std::string executableDir();
// Writes through a temporary file and a rename, so the file is either whole or untouched.
bool writeFileWhole(const std::string& path, const std::string& content, std::string& error);
// Opens, appends and closes.
bool appendToFile(const std::string& path, const std::string& content, std::string& error);
bool readFile(const std::string& path, std::string& content);
// At most `limit` bytes from the start of a plain file; false, with the reason, otherwise.
bool readFileHead(const std::string& path, std::size_t limit, std::string& content, std::string& error);

// A fresh folder /tmp/PREFIX-XXXXXX for a game that should leave nothing behind, removed with everything
// in it when this goes; path() is empty when none could be made.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& prefix);
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace quorl
