// The program folder and whole-or-nothing writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "io/folder.h"
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

TEST(Folder, FallsBackToTheUserFolderWhenTheProgramFolderCannotBeWritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "root can write anywhere";
  std::string dir = quorl::testing::tempDir();
  ::chmod(dir.c_str(), 0555);
  std::string home = quorl::testing::tempDir();
  ::setenv("XDG_DATA_HOME", home.c_str(), 1);
  ProgramFolder f = ProgramFolder::resolve(dir);
  EXPECT_TRUE(f.fellBack);
  EXPECT_EQ(f.dir, home + "/quorl");
  EXPECT_TRUE(fs::is_directory(f.dir));
  ::chmod(dir.c_str(), 0755);
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
