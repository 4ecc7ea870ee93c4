// tallyho.txt: the line, Save and Load against the panel, damaged files, and writes that never leave half a file.
#include "io/params_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/clock_score.h"
#include "io/folder.h"
#include "sim/numbers.h"
#include "tests/fuzz/params_fuzz_check.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

namespace fs = std::filesystem;
using testing::fileText;
using testing::Scenario;

const std::string kDefaults = "100,17,1,1000,1000,0,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n";

// The fuzzer's seed corpus and a few thousand variations of a good line, through the reader and Val.
TEST(ParamsLine, SurvivesTheCorpusAndGeneratedInputs) {
  const char* source = std::getenv("QUORL_SOURCE_DIR");
  ASSERT_NE(source, nullptr) << "QUORL_SOURCE_DIR names the source tree";
  int seeds = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(source) / "tests/fuzz/corpus")) {
    EXPECT_EQ(fuzz::checkParamsInput(fileText(entry.path().string())), "") << entry.path();
    ++seeds;
  }
  EXPECT_GE(seeds, 10);
  std::mt19937 rng(12);
  const std::string pieces[] = {"-", ".", "e", "9", ",", "\r", "\n", " ", "inf", "32768", "5e-324", "\xff", "+"};
  int complete = 0;
  for (int n = 0; n < 4000; ++n) {
    std::string text = kDefaults;
    for (int e = 0; e < 1 + static_cast<int>(rng() % 4); ++e) {
      const std::size_t at = rng() % (text.size() + 1);
      if (rng() % 2) text.insert(at, pieces[rng() % std::size(pieces)]);
      else text.erase(at, rng() % 6);
    }
    ASSERT_EQ(fuzz::checkParamsInput(text), "") << text;
    ParamsRecord r;
    complete += parseParams(text, r) == kParamsFields;
  }
  EXPECT_GT(complete, 100);  // the generator reaches both sides of the reader
  EXPECT_LT(complete, 3900);
}

TEST(ParamsLine, GermanAndFrenchLocalesStillWritePoints) {
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
    ASSERT_NE(std::setlocale(LC_ALL, name), nullptr) << name << " is missing; scripts/deps.sh generates it";
    EXPECT_EQ(fixed(0.5, 1), "0,5") << "the locale writes a decimal comma";
    Scenario sc;
    EXPECT_EQ(fixed(0.5, 1), "0.5") << "the window's load puts the point back for every number text";
    std::setlocale(LC_ALL, name);  // the file must not need that
    sc.run("type Text1 0.25\ntype TXangle 1234.5\npress CDsave\ntype Text1 7\npress Command8\n");
    EXPECT_EQ(fileText(sc.dir + "/tallyho.txt"),
              "100,17,0.25,1000,1000,0,0,30,1000,133,10,0,7000,1234.5,0,2000,60,1\r\n");
    EXPECT_EQ(sc.g().c("Text1").text(), "0.25");
    std::setlocale(LC_ALL, "C");
  }
}

// The last field may end any way a line can (or not at all), and a number may come in any plain form; an
// integer field takes a fraction rounded to even, within its width. Anything else stops the reader there.
TEST(ParamsLine, TheLineMayEndAnyWayAndANumberComeInAnyPlainForm) {
  const auto line = [](const std::string& best, const std::string& spare, const std::string& last) {
    return "100,17,1,1000,1000," + best + ",0,30,1000," + spare + ",10,0,7000,4200,0,2000,60," + last;
  };
  const struct {
    std::string text;
    int fields;
    std::int32_t best;
    std::int16_t spare;
    double magnification;
  } cases[] = {
      {line("5", "133", "2.5"), 18, 5, 133, 2.5},  // no line end at all
      {line("5", "133", "2.5\r"), 18, 5, 133, 2.5},
      {line("5", "133", "2.5\r\r\n"), 18, 5, 133, 2.5},
      {line("5", "133", "2.5,7,x\r\n"), 18, 5, 133, 2.5},  // fields after the 18th
      {"\xEF\xBB\xBF" + line("5", "133", "2.5\r\n"), 18, 5, 133, 2.5},
      {line("3000.0", "+555", " 42 \r\n"), 18, 3000, 555, 42},
      {line("2.5", "3.5", "1e1\n"), 18, 2, 4, 10},
      {line("-0.5", "-2.5", "1\n"), 18, 0, -2, 1},
      {line("2147483647.4", "32766.5", "1\n"), 18, 2147483647, 32766, 1},
      {line("-2147483648.5", "32767.5", "1\n"), 9, -2147483648, 133, 1},  // 32768 leaves 16 bits
      {line("2147483647.5", "1", "1\n"), 5, 0, 133, 1},
      {line("nan", "1", "1\n"), 5, 0, 133, 1},
      {line("1e400", "1", "1\n"), 5, 0, 133, 1},
      {line("0x10", "1", "1\n"), 5, 0, 133, 1},
      {line("+-5", "1", "1\n"), 5, 0, 133, 1},
      {line("++5", "1", "1\n"), 5, 0, 133, 1},
      {line("5", "1", "inf\n"), 17, 5, 1, 1},
      {line("5", "1", "\n"), 17, 5, 1, 1},
      {"1,2\r\n3,4", 2, 0, 133, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ParamsRecord r;
    EXPECT_EQ(parseParams(c.text, r), c.fields);
    EXPECT_EQ(r.highScore, c.best);
    EXPECT_EQ(r.spareWorlds, c.spare);
    EXPECT_EQ(r.magnification, c.magnification);
  }
}

// Names in a folder that start with a point: temporary files.
int hidden(const std::string& dir) {
  int n = 0;
  for (const auto& entry : fs::directory_iterator(dir)) n += entry.path().filename().string()[0] == '.';
  return n;
}

std::int32_t bestIn(const std::string& path) {
  std::int32_t best = -1;
  parseParamsBest(fileText(path), best);
  return best;
}

struct ParamsFile : ::testing::Test {
  Scenario sc;
  Game& g = sc.g();
  std::string path = sc.dir + "/tallyho.txt";
};

TEST_F(ParamsFile, SaveThenChangeEverythingThenLoadRestoresEveryParameterEvenASpeedBeyondItsBar) {
  struct Box {
    const char *name, *saved, *changed;
  } boxes[] = {{"Text14", "1500", "3000"},     {"Text13", "120", "90"},     {"Text10", "-120", "7"},
               {"TXangle", "3141", "1"},       {"TXpower", "2500", "9000"}, {"TXspac", "250", "40"},
               {"TXplanets", "42", "99"},      {"Text1", "0.25", "3"},      {"Txplod", "3.75", "1"},
               {"TxSpread", "12345.678", "2"}, {"TXran", "321", "11"},      {"TXmo", "0.5", "9"},
               {"TxTenner", "444", "300"},     {"TXmaster", "25", "3"},     {"txZZ", "2.5", "7"}};
  auto enter = [&](auto pick, const char* best, const char* zoom) {
    std::string script;
    for (const Box& b : boxes) script += std::string("type ") + b.name + " " + pick(b) + "\nleave " + b.name + "\n";
    sc.run(script + "put HighScore " + best + "\nset ScaleScroll " + zoom + "\n");
  };
  enter([](const Box& b) { return b.saved; }, "987654", "250");
  sc.run("press CDsave\n");
  ASSERT_EQ(fileText(path), "250,42,0.25,3.75,12345.678,987654,321,250,0.5,444,25,0,2500,3141,-120,1500,120,2.5\r\n");
  enter([](const Box& b) { return b.changed; }, "5", "40");
  sc.run("press Command8\n");
  for (const Box& b : boxes)  // the magnification comes back as a value only, its box stays
    EXPECT_EQ(g.c(b.name).text(), b.name == std::string("txZZ") ? b.changed : b.saved) << b.name;
  for (auto [bar, value] : {std::pair{"Hspac", 250}, {"SCRpowER", 2500}, {"ScaleScroll", 250}})
    EXPECT_EQ(g.c(bar).value(), value) << bar;
  EXPECT_EQ(g.c("LabAllhi").caption(), "987654");
  EXPECT_EQ(g.s.SpareWorlds, 444);
  EXPECT_EQ(g.s.Magnification, 2.5);

  Game again(GameOptions{sc.dir, {}});  // and a restart reads them too
  EXPECT_EQ(again.c("TXplanets").text(), "42");
  EXPECT_EQ(again.c("LabAllhi").caption(), "987654");

  // A speed beyond its bar's end loads, and so does every parameter after it.
  sc.run(
      "type TXspac 20000\nleave TXspac\ntype TXmo 77\nleave TXmo\npress CDsave\n"
      "type TXspac 5\nleave TXspac\ntype TXmo 1\nleave TXmo\npress Command8\n");
  EXPECT_EQ(g.s.Speed, 20000.0);
  EXPECT_EQ(g.c("Hspac").value(), 10000);
  EXPECT_EQ(g.c("TXmo").text(), "77");

  // A save takes the spare worlds from their box, typed and not yet left, into the game as well.
  sc.run("type TxTenner 300\npress CDsave\n");
  EXPECT_EQ(g.s.SpareWorlds, 300);
}

TEST_F(ParamsFile, AFirstRunOrADeletedFileIsWrittenFromThePanelAtStartAndField12IsAlways0) {
  EXPECT_EQ(fileText(path), kDefaults);
  sc.run("type TXplanets 55\nleave TXplanets\n");
  fs::remove(path);
  Game again(GameOptions{sc.dir, {}});  // the design values, not those typed into another game
  EXPECT_EQ(fileText(path), kDefaults);
  std::ofstream(path, std::ios::binary) << "100,17,1,1000,1000,0,0,30,1000,133,10,77,7000,4200,0,2000,60,1\r\n";
  sc.run("press Command8\npress CDsave\n");
  EXPECT_EQ(fileText(path), kDefaults);
}

// Whatever the file holds, the start goes on and leaves a whole file, keeping the values read before any
// damage; a damaged file is kept aside as it was, then rewritten from the panel.
TEST(ParamsFileDamage, NoFileContentStopsTheStartOrLeavesABrokenFileOrIsLost) {
  const std::string head = "100,42,1,1000,1000,4242,", tail = ",30,1000,133,10,0,7000,4200,0,2000,60,1";
  struct Case {
    std::string content;
    std::int32_t highScore;  // read before any damage, or on its own
    double planets;          // restored only when the restore got that far
    bool aside;              // kept as tallyho.txt.bad
    double torque = 1000;    // read before any damage, and shown only by a restore that got that far
  } cases[] = {
      {head + "0" + tail + "\n", 4242, 42, false},                          // a line end of one character
      {" 100 ,\t42 ,1,1000,1000,4242,0" + tail + "\r\n", 4242, 42, false},  // blanks round a field
      {"", 0, 17, true},
      {head + "5\r\n", 4242, 17, true},                 // too few fields
      {head + "0" + tail + ",1\r\n", 4242, 42, false},  // more than 18: the rest is not read
      {head + "x" + tail + "\r\n", 4242, 17, true},
      {head + "40000" + tail + "\r\n", 4242, 17, true},  // 16-bit overflow
      {"100,42,1,1000,1000,3000000000,0" + tail + "\r\n", 0, 17, true},
      {"100,42,1e999,1000,1000,4242,0" + tail + "\r\n", 4242, 17, true},          // the best reads on its own
      {head + "0,30,1000,133,10,0,20000,4200,0,2000,60,1\r\n", 4242, 17, true},   // thrust power beyond its bar
      {head + "0,9000,1000,133,10,0,7000,4200,0,2000,60,1\r\n", 4242, 42, true},  // zoom beyond its bar
      {head + "0,9000,77,133,10,0,7000,4200,0,2000,60,1\r\n", 4242, 42, true, 77},
      {head + "0,30,77,x,10,0,7000,4200,0,2000,60,1\r\n", 4242, 17, true, 77},
      {head + "0" + tail, 4242, 42, false},  // no line end
      {head + "0,30,1000,133,10,0,7000,4200,0,2000,60," + std::string(1 << 20, '7'), 4242, 17, true},
      {std::string("\x00\xff\r\n\x01,,\x7f", 8), 0, 17, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.content.substr(0, 80));
    Scenario first;
    const std::string path = first.dir + "/tallyho.txt";
    std::ofstream(path, std::ios::binary) << c.content;
    Game g(GameOptions{first.dir, {}});
    EXPECT_EQ(g.s.HighScore, c.highScore);
    EXPECT_EQ(g.c("LabAllhi").caption(), std::to_string(c.highScore));
    ParamsRecord r;
    EXPECT_EQ(parseParams(fileText(path), r), kParamsFields);
    EXPECT_EQ(r.highScore, c.highScore);
    EXPECT_EQ(r.planets, c.planets);
    EXPECT_EQ(g.c("TXplanets").text(), plain(c.planets));
    EXPECT_EQ(r.torque, c.torque);
    EXPECT_EQ(g.c("TXmo").text(), c.aside ? "1000" : plain(c.torque));
    EXPECT_EQ(fs::exists(path + ".bad"), c.aside);
    if (c.aside) {
      EXPECT_EQ(fileText(path + ".bad"), c.content);
    }
    EXPECT_EQ(g.c("Labill").caption().find("kept as tallyho.txt.bad") != std::string::npos, c.aside);
  }
}

// Each field in turn damaged: the message names it once, the file is kept aside byte for byte, the best comes
// from its own field unless that is the damaged one. Forms the reader takes are read and nothing is set aside.
TEST(ParamsFileDamage, EachDamagedFieldIsNamedAndKeptAsideAndTheBestSurvivesIt) {
  struct Case {
    int field;  // from 0
    std::string value;
    std::int32_t best;  // -1: the file reads whole
  };
  std::vector<Case> cases;
  for (int k = 0; k < kParamsFields; ++k) cases.push_back({k, "nan", k == kParamsBestField ? 0 : 4242});
  for (const char* bad : {"1e400", "0x10", "+-5", "4242x", ""}) cases.push_back({kParamsBestField, bad, 0});
  for (const char* good : {"+4242", " 4242.0", "4241.5"}) cases.push_back({kParamsBestField, good, -1});
  cases.push_back({0,
                   "\xEF\xBB\xBF"
                   "100",
                   -1});  // a byte-order mark before the first
  for (const Case& c : cases) {
    std::vector<std::string> fields = {"100", "42", "1", "1000", "1000", "4242", "0",    "30", "1000",
                                       "133", "10", "0", "7000", "4200", "0",    "2000", "60", "1"};
    fields[static_cast<std::size_t>(c.field)] = c.value;
    std::string content;
    for (std::size_t k = 0; k < fields.size(); ++k) content += (k > 0 ? "," : "") + fields[k];
    content += "\r\n";
    SCOPED_TRACE(content);
    Scenario sc;
    const std::string path = sc.dir + "/tallyho.txt";
    std::ofstream(path, std::ios::binary) << content;
    Game g(GameOptions{sc.dir, {}});
    const std::string& said = g.c("Labill").caption();
    if (c.best == -1) {
      EXPECT_EQ(g.s.HighScore, 4242);
      EXPECT_EQ(g.c("TXplanets").text(), "42");
      EXPECT_FALSE(fs::exists(path + ".bad"));
      EXPECT_EQ(said.find("tallyho.txt"), std::string::npos) << said;
      continue;
    }
    EXPECT_EQ(g.s.HighScore, c.best);
    EXPECT_EQ(g.c("LabAllhi").caption(), std::to_string(c.best));
    EXPECT_EQ(fileText(path + ".bad"), content);
    ParamsRecord r;
    EXPECT_EQ(parseParams(fileText(path), r), kParamsFields);
    EXPECT_EQ(r.highScore, c.best);
    const std::string named = "field " + std::to_string(c.field + 1) + " (" + kParamsNames[c.field] + ") \"" + c.value +
                              "\" cannot be read; the file is kept as tallyho.txt.bad and written anew";
    EXPECT_EQ(said, "tallyho.txt:\r" + named);
  }
}

TEST_F(ParamsFile, APipeOrAFolderInTheFilesPlaceIsKeptAsideUnlessItsPlaceIsTaken) {
  for (const bool folder : {false, true}) {
    fs::remove(path);
    ASSERT_TRUE(folder ? fs::create_directory(path) : ::mkfifo(path.c_str(), 0644) == 0);
    EXPECT_EQ(sc.run("press Command8\nget HighScore\n"), "HighScore=0\n");
    EXPECT_EQ(fileText(path), kDefaults);
    EXPECT_EQ(fs::is_directory(path + ".bad"), folder);
    EXPECT_EQ(fs::is_fifo(path + ".bad"), !folder);
    EXPECT_EQ(g.c("Labill").caption(),
              "tallyho.txt:\rit cannot be read (not a plain file); the file is kept as "
              "tallyho.txt.bad and written anew");
    fs::remove(path + ".bad");
  }
  // Where the place aside holds a folder with something in it, nothing is moved and nothing is written.
  fs::remove(path);
  fs::create_directories(path + ".bad/kept");
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  sc.run("press CDsave\n");
  EXPECT_TRUE(fs::is_fifo(path));
  EXPECT_TRUE(fs::exists(path + ".bad/kept"));
  EXPECT_EQ(g.c("Labill").caption(),
            "tallyho.txt: it cannot be read (not a plain file); it could not be kept as "
            "tallyho.txt.bad (Is a directory), so it is left as it is");
}

TEST_F(ParamsFile, ABoxNumberTheFileCannotHoldKeepsTheLastSavedValueAndSaysSo) {
  for (auto [box, typed, field] : {std::tuple{"TXpower", "99999", "Thrust power"},
                                   {"Text10", "-40000", "Elevation"},
                                   {"TxTenner", "32768", "Spare worlds"},
                                   {"TXplanets", "1e999", "Planets"}}) {
    sc.run(std::string("type ") + box + " " + typed + "\npress CDsave\n");
    EXPECT_EQ(fileText(path), kDefaults);
    EXPECT_NE(g.c("Labill").caption().find(std::string(field) + " \"" + typed + "\" does not fit"), std::string::npos);
    sc.run("press Command8\n");
  }
}

TEST_F(ParamsFile, AFullDiskOrAKilledWriteLeavesAWholeFile) {
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto* handler = ::signal(SIGXFSZ, SIG_IGN);
  const rlimit small{20, old.rlim_max};  // a write beyond 20 bytes fails as on a full disk
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  sc.run("type TXplanets 99\npress CDsave\n");
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, handler);
  EXPECT_EQ(fileText(path), kDefaults);
  EXPECT_EQ(hidden(sc.dir), 0);  // no temporary file stays
  EXPECT_EQ(g.c("Labill").caption(), "Could not write " + path + ": File too large");

  for (int round = 0; round < 20; ++round) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    for (int i = 0; pid == 0; ++i) {  // the child saves until it is killed
      g.c("TXplanets").setText(std::to_string(i % 3000 + 3) + std::string(i % 7, '0'));
      g.clockScore->file.Outfile();
    }
    ::usleep(2000 + 1500 * round);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ParamsRecord r;
    EXPECT_EQ(parseParams(fileText(path), r), kParamsFields) << "round " << round;
  }
}

// Another copy of the game, or the player's own file: a save never writes a best below the file's, and takes
// the higher one as the game's own; a file the player lowered by hand stands.
TEST_F(ParamsFile, ASaveNeverWritesABestBelowTheFilesAndTakesTheHigherOne) {
  std::string err;
  ASSERT_TRUE(writeFileWhole(path, "100,17,1,1000,1000,9000,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n", err));
  EXPECT_EQ(sc.run("put HighScore 50\npress CDsave\nget HighScore\n"), "HighScore=9000\n");
  EXPECT_EQ(bestIn(path), 9000);
  EXPECT_EQ(g.c("LabAllhi").caption(), "9000");
  // A new best of the clock's, lower than the file's.
  sc.run("put Score 9500\nput StartTime 00:00:00\n");
  ASSERT_TRUE(writeFileWhole(path, "100,17,1,1000,1000,12000,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n", err));
  g.clockScore->tick();
  EXPECT_EQ(bestIn(path), 12000);
  EXPECT_EQ(g.s.HighScore, 12000);
  // The player's own new file, loaded, lowers it.
  ASSERT_TRUE(writeFileWhole(path, "100,17,1,1000,1000,10,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n", err));
  EXPECT_EQ(sc.run("press Command8\npress CDsave\nget HighScore\n"), "HighScore=10\n");
  EXPECT_EQ(bestIn(path), 10);
}

// Two games on one folder saving bests at once: the file ends with the higher, whichever saved last.
TEST_F(ParamsFile, TwoProcessesSavingBestsAtOnceLeaveTheHigher) {
  int go[2], done[2];
  ASSERT_EQ(::pipe(go), 0);
  ASSERT_EQ(::pipe(done), 0);
  pid_t children[2];
  for (int k = 0; k < 2; ++k) {
    children[k] = ::fork();
    ASSERT_GE(children[k], 0);
    if (children[k] > 0) continue;
    Game copy(GameOptions{sc.dir, {}});
    char ready;
    if (::read(go[0], &ready, 1) != 1) ::_exit(3);
    // The first saves high bests, the second low ones, and once more after the first is done (a loaded
    // machine may run the first last), so that it saves last.
    for (int i = 0; i < (k == 0 ? 60 : 200); ++i) {
      copy.s.HighScore = k == 0 ? 100000 + i : i;
      copy.clockScore->file.Outfile();
    }
    if (k == 0 && ::write(done[1], "d", 1) != 1) ::_exit(3);
    if (k == 1) {
      ::close(done[1]);
      if (::read(done[0], &ready, 1) != 1) ::_exit(3);
      copy.clockScore->file.Outfile();
    }
    ::_exit(copy.s.HighScore == 100059 ? 0 : 1);
  }
  ::close(done[1]);
  ASSERT_EQ(::write(go[1], "gg", 2), 2);
  // Watched from outside, the file's best only ever rises.
  int lowered = 0, running = 2;
  for (std::int32_t seen = 0; running > 0;) {
    const std::int32_t now = bestIn(path);
    lowered += now < seen;
    seen = std::max(seen, now);
    running = 0;
    for (const pid_t child : children) {
      siginfo_t info{};
      running += ::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
    }
  }
  EXPECT_EQ(lowered, 0);
  for (const pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a copy ended with a best below the other's";
  }
  ::close(go[0]);
  ::close(go[1]);
  ::close(done[0]);
  EXPECT_EQ(bestIn(path), 100059);
  EXPECT_EQ(hidden(sc.dir), 0);
}

}  // namespace
}  // namespace quorl
