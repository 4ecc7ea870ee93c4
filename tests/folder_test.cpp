// The program folder and whole-or-nothing writes.
#include "io/folder.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "app/game.h"
#include "app/recorder.h"
#include "io/event_log.h"
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

  // A new file is readable by all; one rewritten keeps the mode its owner gave it.
  struct stat st {};
  ASSERT_EQ(::stat(f.path("a.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  ASSERT_EQ(::chmod(f.path("a.txt").c_str(), 0600), 0);
  ASSERT_TRUE(writeFileWhole(f.path("a.txt"), "three\r\n", err)) << err;
  ASSERT_EQ(::stat(f.path("a.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_TRUE(readFile(f.path("a.txt"), back));
  EXPECT_EQ(back, "three\r\n");
}

TEST(Folder, AFailedWriteLeavesTheOldFile) {
  std::string dir = quorl::testing::tempDir();
  std::string path = dir + "/keep.txt";
  std::string err, back;
  ASSERT_TRUE(writeFileWhole(path, "old", err));
  // A folder in the file's place makes the write fail.
  fs::create_directory(dir + "/in-the-way");
  EXPECT_FALSE(writeFileWhole(dir + "/in-the-way", "new", err));
  EXPECT_EQ(err, "Is a directory");
  ASSERT_TRUE(readFile(path, back));
  EXPECT_EQ(back, "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);  // no temporary file stays
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

TEST(Folder, AReadOnlyProgramFolderSendsEveryFileToTheUserFolderStartingOnceFromItsParameters) {
  const std::string dir = ownedDir(), home = ownedDir();
  const std::string line = "100,42,1,1000,1000,777,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n";
  std::string err;
  ASSERT_TRUE(writeFileWhole(dir + "/tallyho.txt", line, err));
  ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
  ::setenv("XDG_DATA_HOME", home.c_str(), 1);
  EXPECT_EQ(asUnprivileged([&] {
              Game g(GameOptions{dir, {}});
              EXPECT_TRUE(g.folder.fellBack);
              EXPECT_EQ(g.folder.dir, home + "/quorl");
              EXPECT_EQ(g.c("Labill").caption().rfind("Program folder " + dir +
                                                          " cannot be used (Permission denied); files are kept in " +
                                                          home + "/quorl\r",
                                                      0),
                        0u);
              EXPECT_EQ(g.s.HighScore, 777);  // the program folder's file is the starting point
              EXPECT_EQ(g.c("TXplanets").text(), "42");
              EXPECT_EQ(quorl::testing::fileText(home + "/quorl/tallyho.txt"), line);
              // Once: from then on the user folder's file is the one read.
              std::string e;
              ASSERT_TRUE(writeFileWhole(home + "/quorl/tallyho.txt",
                                         "100,55,1,1000,1000,778,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n", e));
              const auto again = std::make_unique<Game>(GameOptions{dir, {}});  // a game takes 8 MB
              EXPECT_EQ(again->c("TXplanets").text(), "55");
              // The choice stands even once the program folder could be written.
              ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
              g.c("CDp", 3).press();
              EXPECT_TRUE(fs::exists(home + "/quorl/events.txt"));
            }),
            0);
  EXPECT_EQ(quorl::testing::fileText(dir + "/tallyho.txt"), line);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// A parameters file the user cannot read is not written over: it goes aside first, and the status line says why.
TEST(Folder, AnUnreadableParametersFileIsKeptAside) {
  const std::string dir = ownedDir(), path = dir + "/tallyho.txt";
  const std::string line = "100,42,1,1000,1000,31337,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n";
  std::string err;
  ASSERT_TRUE(writeFileWhole(path, line, err));
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  }
  EXPECT_EQ(asUnprivileged([&] {
              const auto g = std::make_unique<Game>(GameOptions{dir, {}});
              EXPECT_EQ(g->c("Labill").caption(),
                        "tallyho.txt:\rit cannot be read (Permission denied); the file is "
                        "kept as tallyho.txt.bad and written anew");
            }),
            0);
  EXPECT_EQ(quorl::testing::fileText(path + ".bad"), line);
  EXPECT_EQ(quorl::testing::fileText(path), "100,17,1,1000,1000,0,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n");
}

// Neither the program folder nor the per-user one (XDG_DATA_HOME names a file): the last resort is a folder of
// this user's only, never one someone else made or a link they planted; the status line names both refusals
// and the folder used.
TEST(Folder, TheLastResortIsAFolderOnlyTheUserCanOpen) {
  enum Plant { kNothing, kOthersFolder, kLink, kOwnOpenFolder };
  for (const Plant plant : {kNothing, kOthersFolder, kLink, kOwnOpenFolder}) {
    SCOPED_TRACE(plant);
    if (::geteuid() != 0 && (plant == kOthersFolder || plant == kLink)) continue;  // needs another user
    const std::string dir = ownedDir(), tmp = ownedDir(), xdg = ownedDir() + "/file";
    std::string err;
    ASSERT_TRUE(writeFileWhole(xdg, "x", err));
    ASSERT_EQ(::chmod(dir.c_str(), 0555), 0);
    const std::string usual = tmp + "/quorl-" + std::to_string(::geteuid() == 0 ? kNobody : ::geteuid());
    if (plant == kOthersFolder) {
      ASSERT_EQ(::mkdir(usual.c_str(), 0777), 0);  // root's, under the user's name
    }
    if (plant == kLink) {
      ASSERT_EQ(::symlink(quorl::testing::tempDir().c_str(), usual.c_str()), 0);
    }
    if (plant == kOwnOpenFolder) {
      ASSERT_EQ(::mkdir(usual.c_str(), 0777), 0);
      ASSERT_EQ(::chmod(usual.c_str(), 0777), 0);
      if (::geteuid() == 0) {
        ASSERT_EQ(::chown(usual.c_str(), kNobody, kNobody), 0);
      }
    }
    ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    ::setenv("TMPDIR", tmp.c_str(), 1);
    EXPECT_EQ(asUnprivileged([&] {
                const ProgramFolder f = ProgramFolder::resolve(dir);
                const bool fresh = plant == kOthersFolder || plant == kLink;
                EXPECT_EQ(fresh ? f.dir.substr(0, usual.size() + 1) : f.dir, fresh ? usual + "-" : usual);
                struct stat st {};
                ASSERT_EQ(::lstat(f.dir.c_str(), &st), 0);
                EXPECT_TRUE(S_ISDIR(st.st_mode));
                EXPECT_EQ(st.st_uid, ::geteuid());
                EXPECT_EQ(st.st_mode & 0777, 0700u);
                EXPECT_EQ(f.note, "Program folder " + dir +
                                      " cannot be used (Permission denied); the per-user folder " + xdg +
                                      "/quorl cannot be used either (Not a directory); files are kept in " + f.dir +
                                      (fresh ? " for this run only" : ""));
              }),
              0);
    ::unsetenv("TMPDIR");
  }
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

// A link the user made is written through; one planted by someone else, or in the temporary file's place,
// is never followed: what it names stays as it was.
TEST(Folder, LinksAreWrittenThroughWhenTheUsersOwnAndNeverFollowedWhenPlanted) {
  const std::string dir = quorl::testing::tempDir(), elsewhere = quorl::testing::tempDir();
  const std::string victim = elsewhere + "/victim.txt", real = elsewhere + "/real.txt";
  std::string err;
  ASSERT_TRUE(writeFileWhole(victim, "precious\r\n", err));
  ASSERT_TRUE(writeFileWhole(real, "100,17,1,1000,1000,5,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n", err));
  ASSERT_EQ(::symlink(real.c_str(), (dir + "/tallyho.txt").c_str()), 0);
  for (const char* planted : {"/tallyho.txt.tmp", "/.tallyho.txt.tmp", "/events.txt.tmp"})
    ASSERT_EQ(::symlink(victim.c_str(), (dir + planted).c_str()), 0);
  {
    const auto game = std::make_unique<Game>(GameOptions{dir, {}});
    Game& g = *game;
    EXPECT_EQ(g.s.HighScore, 5);
    g.c("TXplanets").setText("99");
    g.c("CDsave").press();
    g.c("CDp", 3).press();
  }
  EXPECT_TRUE(fs::is_symlink(dir + "/tallyho.txt"));
  EXPECT_EQ(quorl::testing::fileText(real), "100,99,1,1000,1000,5,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n");
  EXPECT_EQ(quorl::testing::fileText(victim), "precious\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 2);

  if (::geteuid() != 0) GTEST_SKIP() << "a link of another user's needs root to make";
  const std::string shared = quorl::testing::tempDir();
  for (const char* name : {"/tallyho.txt", "/events.txt"}) {
    ASSERT_EQ(::symlink(victim.c_str(), (shared + name).c_str()), 0);
    ASSERT_EQ(::lchown((shared + name).c_str(), kNobody, kNobody), 0);
  }
  const auto game = std::make_unique<Game>(GameOptions{shared, {}});
  Game& g = *game;
  g.c("CDp", 3).press();
  EXPECT_EQ(quorl::testing::fileText(victim), "precious\r\n");
  EXPECT_TRUE(fs::is_symlink(shared + "/tallyho.txt.bad"));  // kept aside, and a file of the game's own made
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(shared + "/tallyho.txt")));
  EXPECT_TRUE(fs::is_symlink(shared + "/events.txt"));  // this system's history is off instead
  const std::string& said = g.c("Labill").caption();
  EXPECT_NE(said.find("Could not create " + shared +
                      "/events.txt: a link made by another user; not followed; the "
                      "history of this system is not kept"),
            std::string::npos)
      << said;
}

namespace {

// A small file system of its own, which the test fills.
struct SmallDisk {
  std::string dir = quorl::testing::tempDir(), why;
  bool mounted = false;
  SmallDisk() {
    if (::geteuid() != 0) why = "mounting a small file system needs root (CI runs as root)";
    else if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=512k") != 0)
      why = std::string("tmpfs could not be mounted: ") + std::strerror(errno);
    else mounted = true;
  }
  ~SmallDisk() {
    if (mounted) ::umount2(dir.c_str(), MNT_DETACH);
    ::rmdir(dir.c_str());
  }
  void fill() {
    const int fd = ::open((dir + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
  }
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> out;
    for (const auto& entry : fs::directory_iterator(dir))
      out[entry.path().filename().string()] = quorl::testing::fileText(entry.path().string());
    return out;
  }
};

}  // namespace

// On a full disk nothing is written in part, no old file is lost, the old system's history takes nothing of
// the new one's, and every message names the cause.
TEST(Folder, AFullDiskLosesNothingAndSaysWhy) {
  SmallDisk disk;
  if (!disk.mounted) GTEST_SKIP() << disk.why;
  GameOptions options{disk.dir, {}};
  options.record.on = true;
  const auto game = std::make_unique<Game>(options);
  Game& g = *game;
  g.c("TXplanets").setText("20");
  for (int preset : {3, 4}) {
    g.apply(Input::press(g.c("CDp", preset)));
    for (int k = 0; k < 50; ++k) g.apply(Input::pass());
  }
  g.recorder()->passed();  // what the recording holds so far is on disk
  disk.fill();
  const auto before = disk.files();
  ASSERT_TRUE(before.count("replay-1.qr") && before.count("events.txt") && before.count("tallyho.txt"));
  const std::string full = "No space left on device";
  const struct {
    const char* attack;
    std::function<void()> act;
    std::string said;
  } cases[] = {
      {"a save", [&] { g.apply(Input::typed(g.c("TXplanets"), "99")), g.apply(Input::press(g.c("CDsave"))); },
       "Could not write " + disk.dir + "/tallyho.txt: " + full},
      {"an event line longer than the room left",
       [&] { g.status(""), g.s.LastEvent = std::string(9000, 'x'), g.log->AppendEvent(); },
       "Could not write " + disk.dir + "/events.txt: " + full},
      {"a new system", [&] { g.apply(Input::press(g.c("CDp", 5))); },
       "Could not create " + disk.dir + "/events.txt: " + full +
           "; the history of this system is not kept\rThis system is not recorded: could not write replay.qr: " + full +
           " (in " + disk.dir + ")"},
      {"its fusions",
       [&] {
         for (int k = 0; k < 300; ++k) g.apply(Input::pass());
       },
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.attack);
    c.act();
    EXPECT_NE(g.c("Labill").caption().find(c.said), std::string::npos) << g.c("Labill").caption();
    const std::string& shown = g.c("Labill").caption();
    if (!c.said.empty()) {
      EXPECT_EQ(shown.find(": " + full, shown.find(c.said) + c.said.size()), std::string::npos);  // said once
    }
    auto after = disk.files();
    // The replay being written may only have grown by whole lines; every other file is as it was.
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, text] : before) {
      if (name == "replay.qr") {
        EXPECT_EQ(after[name].substr(0, text.size()), text);
      } else if (name != "filler") {
        EXPECT_EQ(after[name], text) << name;
      }
    }
  }
}
