// The program folder and whole-or-nothing writes.
#include "io/folder.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/game.h"
#include "tests/scenario.h"

using namespace quorl;
namespace fs = std::filesystem;

TEST(Folder, WritesWholeFilesAndAppends) {
  std::string dir = quorl::testing::tempDir();
  ProgramFolder f = ProgramFolder::resolve(dir);
  EXPECT_FALSE(f.fellBack);
  std::string err, back;
  ASSERT_TRUE(writeFileWhole(f.path("a.txt"), "one\r\n", err)) << err;
  ASSERT_TRUE(appendToFile(f.path("a.txt"), "two\r\n", err)) << err;
  ASSERT_TRUE(readFile(f.path("a.txt"), back));
  EXPECT_EQ(back, "one\r\ntwo\r\n");
  EXPECT_FALSE(fs::exists(f.path("a.txt.tmp")));
}

TEST(Folder, AFailedWriteLeavesTheOldFile) {
  std::string dir = quorl::testing::tempDir();
  std::string path = dir + "/keep.txt";
  std::string err, back;
  ASSERT_TRUE(writeFileWhole(path, "old", err));
  // A folder where the temporary file should go makes the write fail.
  fs::create_directory(path + ".tmp");
  EXPECT_FALSE(writeFileWhole(path, "new", err));
  EXPECT_FALSE(err.empty());
  ASSERT_TRUE(readFile(path, back));
  EXPECT_EQ(back, "old");
}

namespace {

constexpr uid_t kNobody = 65534;

// Permission bits stop no write of root's, so as root the check runs in a child as an unprivileged user.
// Returns the child's exit status: 0 when no expectation failed there.
int asUnprivileged(const std::function<void()>& check) {
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
      ::_exit(100);
    check();
    std::fflush(stdout);
    ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A new folder the unprivileged user owns.
std::string ownedDir() {
  std::string dir = quorl::testing::tempDir();
  if (::geteuid() == 0) {
    EXPECT_EQ(::chown(dir.c_str(), kNobody, kNobody), 0);
  }
  return dir;
}

}  // namespace

TEST(Folder, AReadOnlyProgramFolderSendsEveryFileToTheUserFolderForTheWholeGame) {
  const std::string dir = ownedDir(), home = ownedDir();
  ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
  ::setenv("XDG_DATA_HOME", home.c_str(), 1);
  EXPECT_EQ(asUnprivileged([&] {
              Game g(GameOptions{dir, {}});
              EXPECT_TRUE(g.folder.fellBack);
              EXPECT_EQ(g.folder.dir, home + "/quorl");
              EXPECT_NE(g.c("Labill").caption().find(home + "/quorl"), std::string::npos);
              // The choice stands even once the program folder could be written.
              ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
              g.c("CDp", 3).press();
              EXPECT_TRUE(fs::exists(home + "/quorl/events.txt"));
              EXPECT_TRUE(fs::is_empty(dir));
            }),
            0);
}

TEST(Folder, AFileInTheWayOfTheProgramFolderMeansFallBack) {
  std::string dir = quorl::testing::tempDir();
  std::string notADir = dir + "/file";
  std::string err;
  ASSERT_TRUE(writeFileWhole(notADir, "x", err));
  std::string home = quorl::testing::tempDir();
  ::setenv("XDG_DATA_HOME", home.c_str(), 1);
  ProgramFolder f = ProgramFolder::resolve(notADir);
  EXPECT_TRUE(f.fellBack);
  EXPECT_EQ(f.dir, home + "/quorl");
}
