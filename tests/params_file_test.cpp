// tallyho.txt: the line, Save and Load against the panel, damaged files, and writes that never leave half a file.
#include "io/params_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <locale>
#include <random>

#include "app/clock_score.h"
#include "io/folder.h"
#include "sim/numbers.h"
#include "tests/fuzz/params_fuzz_check.h"
#include "tests/scenario.h"

namespace quorl {
namespace {

namespace fs = std::filesystem;
using testing::Scenario;

constexpr const char* kDefaults = "100,17,1,1000,1000,0,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n";

std::string slurp(const std::string& path) {
  std::string text;
  readFile(path, text);
  return text;
}

void spit(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// ---- the line ----

TEST(ParamsLine, WritesEveryFieldInOrderAndReadsItBackBitForBit) {
  ParamsRecord r;
  r.speed = 0.1 + 0.2;
  r.planets = 42;
  r.proximity = 1e-6;
  r.explode = 5e-324;
  r.spread = -0.0;
  r.highScore = std::numeric_limits<std::int32_t>::max();
  r.seed = -32768;
  r.zoomScale = 5000;
  r.torque = 1.7976931348623157e308;
  r.spareWorlds = 3333;
  r.masterScale = 32767;
  r.thrustPower = 1;
  r.thrustAngle = 6283.185307179586;
  r.elevation = -500;
  r.planetRate = 15;
  r.zoomRate = 15000;
  r.magnification = 2.5;
  const std::string line = formatParams(r);
  EXPECT_EQ(line,
            "0.30000000000000004,42,1e-06,5e-324,-0,2147483647,-32768,5000,1.7976931348623157e+308,3333,32767,0,1,"
            "6283.185307179586,-500,15,15000,2.5\r\n");
  EXPECT_EQ(fuzz::checkParamsInput(line), "");
  EXPECT_EQ(formatParams(ParamsRecord{}), kDefaults);
}

TEST(ParamsLine, StopsAtTheFirstFieldItCannotRead) {
  struct Case {
    std::string text;
    int fieldsRead;
    const char* error;
  } cases[] = {
      {kDefaults, 18, ""},
      {"100,17,1,1000,1000,0,0,30,1000,133,10,0,7000,4200,0,2000,60,1\n", 18, ""},
      {" 100 ,\t17,1,1000,1000,0,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\nmore\r\n", 18, ""},
      {"", 0, "field 1 is not a number"},
      {"100,17,1,1000,1000,4242,5\r\n", 7, "field 8 is missing"},
      {"100,17,1,1000,1000,0,0,30,1000,133,10,0,7000,4200,0,2000,60,1", 17, "the line has no end"},
      {"100,17,1,1000,1000,0,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r", 17, "the line has no end"},
      {"100,17,1,1000,1000,0,0,30,1000,133,10,0,7000,4200,0,2000,60,1,1\r\n", 17, "more than 18 fields"},
      {"100,17,abc,1000\r\n", 2, "field 3 is not a number"},
      {"100,17,1,1000,1000,0,32768,30\r\n", 6, "field 7 is not a 16-bit whole number"},
      {"100,17,1,1000,1000,0,-32769,30\r\n", 6, "field 7 is not a 16-bit whole number"},
      {"100,17,1,1000,1000,2147483648,0\r\n", 5, "field 6 is not a 32-bit whole number"},
      {"100,17,1,1000,1000,99999999999999999999999,0\r\n", 5, "field 6 is not a 32-bit whole number"},
      {"100,17,1,1000,1000,1.5,0\r\n", 5, "field 6 is not a 32-bit whole number"},
      {"100,17,1,1000,1000,0,0,30,1e999,133\r\n", 8, "field 9 is not a number"},
      {"100,17,1,1000,1000,0,0,30,inf,133\r\n", 8, "field 9 is not a number"},
      {"nan,17\r\n", 0, "field 1 is not a number"},
      {"0x10,17\r\n", 0, "field 1 is not a number"},
      {"100,,1\r\n", 1, "field 2 is not a number"},
      {std::string("\0,1\r\n", 4), 0, "field 1 is not a number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ParamsRecord r;
    r.planets = -1;
    const ParamsParse p = parseParams(c.text, r);
    EXPECT_EQ(p.fieldsRead, c.fieldsRead);
    EXPECT_EQ(p.error, c.error);
    // Fields from the failing one on keep their old values.
    EXPECT_EQ(r.planets, c.fieldsRead >= 2 ? 17.0 : -1.0);
  }
}

// The fuzzer's seed corpus and a few thousand variations of good lines, through the reader and Val.
TEST(ParamsLine, SurvivesTheCorpusAndGeneratedInputs) {
  const char* source = std::getenv("QUORL_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  int seeds = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(source) / "tests/fuzz/corpus")) {
    SCOPED_TRACE(entry.path().string());
    EXPECT_EQ(fuzz::checkParamsInput(slurp(entry.path().string())), "");
    ++seeds;
  }
  EXPECT_GE(seeds, 10);

  std::mt19937 rng(12);
  const std::string pieces[] = {"0",      "-",     ".",    "e",    "E+",  "9",        ",",      "\r",
                                "\n",     " ",     "inf",  "nan",  "1e3", "32768",    "-32769", "2147483648",
                                "5e-324", "1e308", "\xff", "\x00", "d",   "99999999", "+",      "0.1"};
  int complete = 0;
  for (int n = 0; n < 4000; ++n) {
    std::string text = formatParams(ParamsRecord{});
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = rng() % (text.size() + 1);
      switch (rng() % 4) {
        case 0: text.insert(at, pieces[rng() % std::size(pieces)]); break;
        case 1: text.erase(at, rng() % 6); break;
        case 2: text.resize(at); break;
        default: text.insert(at, std::string(rng() % 5000, static_cast<char>('0' + rng() % 10)));
      }
    }
    const std::string problem = fuzz::checkParamsInput(text);
    ASSERT_EQ(problem, "") << "input " << n << ": " << text;
    ParamsRecord r;
    complete += parseParams(text, r).complete();
  }
  // The generator reaches both sides of the reader.
  EXPECT_GT(complete, 100);
  EXPECT_LT(complete, 3900);
}

TEST(ParamsLine, GermanAndFrenchLocalesStillWritePoints) {
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
    SCOPED_TRACE(name);
    {
      // Set before the game: the window's load puts the point back for every number text.
      ASSERT_NE(std::setlocale(LC_ALL, name), nullptr) << name << " is missing; scripts/deps.sh generates it";
      Scenario sc;
      EXPECT_EQ(plain(0.5), "0.5");
      std::setlocale(LC_ALL, "C");
    }
    Scenario sc;
    // Set after the game: the file's writer and reader must not care.
    ASSERT_NE(std::setlocale(LC_ALL, name), nullptr);
    std::locale::global(std::locale(name));
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    EXPECT_STREQ(probe, "0,5");  // the locale really has a decimal comma
    sc.run("type TXspac 2.5\ntype Text1 0.25\ntype TXangle 1234.5\npress CDsave\n");
    const std::string line = slurp(sc.dir + "/tallyho.txt");
    EXPECT_EQ(line, "2.5,17,0.25,1000,1000,0,0,30,1000,133,10,0,7000,1234.5,0,2000,60,1\r\n");
    sc.run("type Text1 7\npress Command8\n");
    EXPECT_EQ(sc.g().c("Text1").text(), "0.25");
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
  }
}

// ---- Save and Load ----

struct ParamsFile : ::testing::Test {
  Scenario sc;
  Game& g = sc.g();
  std::string path = sc.dir + "/tallyho.txt";
};

TEST_F(ParamsFile, SaveThenChangeEverythingThenLoadRestoresEveryParameter) {
  // Every box as a player would leave it, a best score, a seed and the zoom.
  const std::string set = R"(type Text14 1500
leave Text14
type Text13 120
leave Text13
type Text10 -120
leave Text10
type TXangle 3141.5
type TXpower 2500
leave TXpower
type TXspac 250
leave TXspac
type TXplanets 42
leave TXplanets
type Text1 0.25
leave Text1
type Txplod 3.75
type TxSpread 12345.678
type TXran 321
leave TXran
set ScaleScroll 250
type TXmo 0.5
leave TXmo
type TxTenner 444
leave TxTenner
type TXmaster 25
type txZZ 2.5
leave txZZ
put HighScore 987654
press CDsave
)";
  sc.run(set);
  ASSERT_EQ(slurp(path), "250,42,0.25,3.75,12345.678,987654,321,250,0.5,444,25,0,2500,3141.5,-120,1500,120,2.5\r\n");

  sc.run(R"(type Text14 3000
leave Text14
type Text13 90
leave Text13
type Text10 7
type TXangle 100
type TXpower 9000
leave TXpower
type TXspac 40
leave TXspac
type TXplanets 99
leave TXplanets
type Text1 3
leave Text1
type Txplod 1
type TxSpread 2
type TXran 11
leave TXran
set ScaleScroll 40
type TXmo 9
leave TXmo
type TxTenner 300
leave TxTenner
type TXmaster 3
type txZZ 7
leave txZZ
put HighScore 5
press Command8
)");
  struct Box {
    const char* name;
    const char* text;
  } boxes[] = {{"Text14", "1500"},  {"Text13", "120"},         {"Text10", "-120"},  {"TXangle", "3141.5"},
               {"TXpower", "2500"}, {"TXspac", "250"},         {"TXplanets", "42"}, {"Text1", "0.25"},
               {"Txplod", "3.75"},  {"TxSpread", "12345.678"}, {"TXran", "321"},    {"TXmo", "0.5"},
               {"TxTenner", "444"}, {"TXmaster", "25"}};
  for (const Box& b : boxes) EXPECT_EQ(g.c(b.name).text(), b.text) << b.name;
  EXPECT_EQ(g.c("Hspac").value(), 250);
  EXPECT_EQ(g.c("SCRpowER").value(), 2500);
  EXPECT_EQ(g.c("ScaleScroll").value(), 250);
  EXPECT_EQ(g.c("LabAllhi").caption(), "987654");
  const SharedState& s = g.s;
  EXPECT_EQ(s.HighScore, 987654);
  EXPECT_EQ(s.SeedValue, 321);
  EXPECT_EQ(s.ZoomScale, 250);
  EXPECT_EQ(s.TorqueSpinPower, 0.5);
  EXPECT_EQ(s.SpareWorlds, 444);
  EXPECT_EQ(s.MasterScale, 25);
  EXPECT_EQ(s.PlanetGraphicsRate, 1500);
  EXPECT_EQ(s.ZoomRate, 120);
  EXPECT_EQ(s.Magnification, 2.5);
  EXPECT_EQ(s.Speed, 250.0);

  // And a restart reads them too.
  Game again(GameOptions{sc.dir, {}});
  EXPECT_EQ(again.c("TXplanets").text(), "42");
  EXPECT_EQ(again.c("LabAllhi").caption(), "987654");
  EXPECT_EQ(again.s.Magnification, 2.5);
}

TEST_F(ParamsFile, ASpeedAboveTheBarStillLoadsEveryParameterAfterIt) {
  sc.run(
      "type TXspac 20000\nleave TXspac\ntype TXmo 77\nleave TXmo\npress CDsave\n"
      "type TXspac 5\nleave TXspac\ntype TXmo 1\nleave TXmo\npress Command8\n");
  EXPECT_EQ(g.c("TXspac").text(), "20000");
  EXPECT_EQ(g.s.Speed, 20000.0);
  EXPECT_EQ(g.c("Hspac").value(), 10000);
  EXPECT_EQ(g.c("TXmo").text(), "77");
}

TEST_F(ParamsFile, AFirstRunOrADeletedFileIsWrittenFromThePanelAtStart) {
  EXPECT_EQ(slurp(path), kDefaults);
  sc.run("type TXplanets 55\nleave TXplanets\n");
  fs::remove(path);
  // The panel's design values, not the ones typed into another game.
  Game again(GameOptions{sc.dir, {}});
  EXPECT_EQ(slurp(path), kDefaults);
}

TEST_F(ParamsFile, Field12IsAlwaysWrittenAs0AndNeverRead) {
  spit(path, "100,17,1,1000,1000,0,0,30,1000,133,10,77,7000,4200,0,2000,60,1\r\n");
  sc.run("press Command8\ntype TXplanets 20\nleave TXplanets\npress CDsave\n");
  EXPECT_EQ(slurp(path), "100,20,1,1000,1000,0,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n");
}

// Whatever the file holds, the start goes on and leaves a whole file from the panel, with the values read
// before the damage kept.
TEST(ParamsFileDamage, ADamagedFileNeverHurtsAndIsRewrittenFromThePanel) {
  const std::string huge(1 << 20, '7');
  struct Case {
    std::string name, content;
    std::int32_t highScore;  // read before the damage, or not
    const char* planetsBox;  // restored only when the restore got that far
  } cases[] = {
      {"empty", "", 0, "17"},
      {"too few fields", "100,42,1,1000,1000,4242,5\r\n", 4242, "17"},
      {"not its type", "100,42,1,1000,1000,4242,x,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n", 4242, "17"},
      {"16-bit overflow", "100,42,1,1000,1000,4242,40000,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n", 4242, "17"},
      {"32-bit overflow", "100,42,1,1000,1000,3000000000,0,30,1000,133,10,0,7000,4200,0,2000,60,1\r\n", 0, "17"},
      {"outside a bar's range", "100,42,1,1000,1000,4242,0,30,1000,133,10,0,20000,4200,0,2000,60,1\r\n", 4242, "17"},
      {"zoom outside its bar", "100,42,1,1000,1000,4242,0,9000,1000,133,10,0,7000,4200,0,2000,60,1\r\n", 4242, "42"},
      {"no line end", "100,42,1,1000,1000,4242,0,30,1000,133,10,0,7000,4200,0,2000,60,1", 4242, "17"},
      {"huge", "100,42,1,1000,1000,4242,0,30,1000,133,10,0,7000,4200,0,2000,60," + huge, 4242, "17"},
      {"binary junk", std::string("\x00\xff\r\n\x01,,\x7f", 8), 0, "17"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scenario first;
    const std::string path = first.dir + "/tallyho.txt";
    spit(path, c.content);
    Game g(GameOptions{first.dir, {}});
    EXPECT_EQ(g.s.HighScore, c.highScore);
    EXPECT_EQ(g.c("TXplanets").text(), c.planetsBox);
    const std::string written = slurp(path);
    ParamsRecord r;
    EXPECT_TRUE(parseParams(written, r).complete()) << written;
    EXPECT_EQ(r.highScore, c.highScore);
    EXPECT_EQ(r.planets, 17.0 + (c.planetsBox == std::string("42") ? 25 : 0));
  }
}

TEST(ParamsFileDamage, APipeOrAFolderInTheFilesPlaceNeitherHangsNorStopsTheGame) {
  Scenario pipe;
  fs::remove(pipe.dir + "/tallyho.txt");
  ASSERT_EQ(::mkfifo((pipe.dir + "/tallyho.txt").c_str(), 0644), 0);
  pipe.run("press Command8\n");
  EXPECT_TRUE(fs::is_regular_file(pipe.dir + "/tallyho.txt"));  // replaced by a file from the panel

  Scenario folder;
  fs::remove(folder.dir + "/tallyho.txt");
  fs::create_directory(folder.dir + "/tallyho.txt");
  folder.run("press Command8\n");
  EXPECT_NE(folder.g().c("Labill").caption().find("Could not write " + folder.dir + "/tallyho.txt"), std::string::npos);
  EXPECT_EQ(folder.run("type TXplanets 40\nleave TXplanets\nget LiveCount\n"), "LiveCount=0\n");
}

TEST_F(ParamsFile, ABoxNumberTheFileCannotHoldKeepsTheLastSavedValueAndSaysSo) {
  struct Case {
    const char* box;
    const char* typed;
    const char* field;
  } cases[] = {{"TXpower", "99999", "Thrust power"},
               {"Text10", "-40000", "Elevation"},
               {"Text14", "1e10", "Planet graphics rate"},
               {"TxTenner", "32768", "Spare worlds"},
               {"TXplanets", "1e999", "Planets"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    sc.run(std::string("type ") + c.box + " " + c.typed + "\npress CDsave\n");
    EXPECT_EQ(slurp(path), kDefaults);
    EXPECT_NE(g.c("Labill").caption().find(std::string(c.field) + " \"" + c.typed + "\" does not fit"),
              std::string::npos);
    sc.run(std::string("press Command8\n"));
  }
}

TEST(ParamsFileFolder, AProgramFolderThatCannotBeWrittenSendsTheFileToTheUserFolder) {
  const std::string dir = testing::tempDir(), home = testing::tempDir();
  spit(dir + "/file", "x");
  ::setenv("XDG_DATA_HOME", home.c_str(), 1);
  {
    Game g(GameOptions{dir + "/file", {}});
    g.c("CDsave").press();
  }
  EXPECT_EQ(slurp(home + "/quorl/tallyho.txt"), kDefaults);
  fs::remove_all(dir);
  fs::remove_all(home);
}

// ---- writes that never leave half a file ----

TEST_F(ParamsFile, AFullDiskLeavesTheOldFileAndTheStatusLineSaysSo) {
  const std::string before = slurp(path);
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto* oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 20;  // any write beyond 20 bytes fails as on a full disk
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  sc.run("type TXplanets 99\npress CDsave\n");
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(slurp(path), before);
  EXPECT_FALSE(fs::exists(path + ".tmp"));
  EXPECT_NE(g.c("Labill").caption().find("Could not write " + path), std::string::npos);
}

TEST_F(ParamsFile, AKilledWriteNeverLeavesABrokenFile) {
  for (int round = 0; round < 20; ++round) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (int i = 0;; ++i) {
        g.c("TXplanets").setText(std::to_string(i % 3000 + 3) + std::string(i % 7, '0'));
        g.clockScore->file.Outfile();
      }
    }
    ::usleep(2000 + 1500 * round);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ParamsRecord r;
    const std::string text = slurp(path);
    EXPECT_TRUE(parseParams(text, r).complete()) << "round " << round << ": " << text;
  }
}

}  // namespace
}  // namespace quorl
