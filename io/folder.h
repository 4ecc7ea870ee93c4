// The program folder: where tallyho.txt, events.txt and every other file the game writes live,
// and whole-or-nothing file writes.
#pragma once
#include <cstddef>
#include <string>

namespace quorl {

struct ProgramFolder {
  std::string dir;
  bool fellBack = false;  // the preferred folder was refused; dir is another one
  std::string preferred;  // the folder asked for, whose files a fallen-back game starts from
  std::string note;       // what the status line says once about the choice; empty when all went as asked

  // The preferred folder when it can be written and is not an installed binary folder, else the per-user
  // data folder, else a folder of this user's own under the system's temporary folder. Resolve once at
  // start, so files never move between folders mid-game.
  static ProgramFolder resolve(const std::string& preferred);
  std::string path(const std::string& file) const;
};

// The folder of the running executable.
std::string executableDir();

// A file written under a new unique name beside its target, then put in the target's place. A planted
// link or an existing file under the temporary name is never opened; until commit() the target is untouched,
// and what is not committed is removed. A target that is a link of this user's (or of its folder's owner) is
// written through to what it names; any other link is refused.
class StagedFile {
 public:
  StagedFile() = default;
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  // Creates the temporary file and writes `content` whole to the disk; false with the reason.
  bool write(const std::string& target, const std::string& content, std::string& error);
  // Renames it over the target.
  bool commit(std::string& error);

 private:
  std::string temp_, target_;
};

// Writes through a StagedFile, so the file is either whole or untouched.
bool writeFileWhole(const std::string& path, const std::string& content, std::string& error);
// Opens, appends and closes; a write the disk cannot take whole is taken back, so no part line stays.
bool appendToFile(const std::string& path, const std::string& content, std::string& error);
// Opens for appending (made when missing), never through a link planted by someone else; -1 with the reason.
int openForAppend(const std::string& path, std::string& error);
// Appends to an open file in one write, or not at all.
bool appendWhole(int fd, const std::string& content, std::string& error);
bool readFile(const std::string& path, std::string& content);
// At most `limit` bytes from the start of a plain file; false, with the reason, otherwise (a link planted by
// another user is not followed). `missing` tells a file that is not there from one that cannot be read.
bool readFileHead(const std::string& path, std::size_t limit, std::string& content, std::string& error,
                  bool* missing = nullptr);
// Moves a file (or whatever stands under its name) aside to `aside`, replacing what was there.
bool moveAside(const std::string& path, const std::string& aside, std::string& error);

// An exclusive lock on a lock file, held until this goes (or the process ends): writers in two processes
// take turns. Waits a few seconds at most; held() is false when the lock could not be had.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return held_; }

 private:
  int fd_ = -1;
  bool held_ = false;
};

// A fresh folder $TMPDIR/PREFIX-XXXXXX (/tmp without TMPDIR) for a game that should leave nothing behind,
// removed with everything in it when this goes, or when the process is stopped by SIGINT, SIGTERM or SIGHUP;
// path() is empty when none could be made.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& prefix);
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  int slot_ = -1;
};

}  // namespace quorl
