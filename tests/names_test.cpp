// Invented names: checked against a replay of the draws written straight from the naming rules.
#include "names/names.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "tests/scenario.h"

using namespace quorl;

namespace {

// The rules replayed on a generator seeded as the game seeds its own.
struct Replay {
  std::mt19937 gen;
  long long draws = 0;
  explicit Replay(int seed) : gen(static_cast<std::uint32_t>(seed)) {}
  int R(int k) {
    ++draws;
    return static_cast<int>(gen() / 4294967296.0 * k);
  }
};

const char* F[] = {"Sol", "Mer", "Ven", "Ear", "Mar", "Jup", "Sat", "Ura", "Nep", "Plu"};
const char* S[] = {"ar", "cury", "us", "th", "ss", "iter", "urn", "nus", "tune", "to"};
const char* V[] = {"ae", "a", "e", "i", "o", "u", "eau", "oo", "ar", "es", "io"};
const char* C[] = {"by", "br", "b", "c", "d", "ph", "f", "g",  "h", "gh", "j", "k", "l", "m",
                   "n",  "mn", "p", "q", "r", "s",  "t", "tr", "v", "w",  "x", "y", "z"};
std::string N(int l) { return std::string(1, static_cast<char>('a' + l - 10)); }

struct Expected {
  std::string name, raw;
  int pattern = 0;
  bool twice = false;  // pattern 2 that went on to pattern 3
};

Expected next(Replay& r) {
  Expected e;
  e.pattern = r.R(9);
  std::string raw;
  auto three = [&] {
    int a = r.R(10), v = r.R(10) + 1, c = r.R(26) + 1, s = r.R(10);
    return std::string(F[a]) + V[v] + C[c] + S[s];
  };
  switch (e.pattern) {
    case 0: {
      int a = r.R(10), l = r.R(26) + 10, v = r.R(10) + 1;
      raw = F[a] + N(l) + V[v];
      break;
    }
    case 1:
    case 8: {
      int l = r.R(26) + 10, v = r.R(10) + 1, s = r.R(10);
      raw = std::string(1, static_cast<char>('A' + l - 10)) + V[v] + S[s];
      break;
    }
    case 2: {
      int x = r.R(10), y = r.R(10), a = r.R(10), s = r.R(10);
      raw = std::string(F[a]) + S[s];
      if (x == y) {
        e.twice = true;
        raw = three();
      }
      break;
    }
    case 3: raw = three(); break;
    case 4:
    case 6: {
      int c = r.R(26) + 1, v = r.R(10) + 1, a = r.R(10), s = r.R(10);
      raw = std::string(C[c]) + V[v] + F[a] + S[s];
      break;
    }
    case 5: {
      int a = r.R(10), s = r.R(10), v = r.R(10) + 1, c = r.R(26) + 1;
      raw = std::string(F[a]) + S[s] + V[v] + C[c];
      break;
    }
    case 7: {
      int a = r.R(10), s = r.R(10), c1 = r.R(26) + 1, v = r.R(10) + 1, c2 = r.R(26) + 1;
      raw = std::string(F[a]) + S[s] + "-" + C[c1] + V[v] + C[c2];
      break;
    }
  }
  e.raw = raw;
  std::string name = raw;
  for (std::size_t k = 0; k < name.size(); ++k)
    name[k] = static_cast<char>(k ? std::tolower(static_cast<unsigned char>(name[k]))
                                  : std::toupper(static_cast<unsigned char>(name[k])));
  if (name.size() > 10) name = name.substr(0, 10);
  for (const char* planet : {"Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"})
    if (name == planet) {
      name = name.substr(0, name.size() - 2) + N(r.R(26) + 10);
      break;
    }
  e.name = name;
  return e;
}

std::vector<Expected> replayAll(Replay& r) {
  std::vector<Expected> all;
  for (int i = 0; i <= 3333; ++i) all.push_back(next(r));
  return all;
}

struct Named {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  explicit Named(int seed) {
    g.random.seed(seed);
    g.names->Oobladioobladah();
  }
};

}  // namespace

TEST(Names, EveryBodyGetsTheReplayedNameAndTheDrawsMatchInNumber) {
  for (int seed : {33333, 1, -7, 2024}) {
    Named n(seed);
    Replay r(seed);
    auto expected = replayAll(r);
    for (int i = 0; i <= 3333; ++i) ASSERT_EQ(n.g.b.BodyName[i], expected[i].name) << "seed " << seed << " body " << i;
    // The generator used exactly as many draws as the replay: the next value agrees.
    EXPECT_EQ(n.g.Rnd(), r.gen() / 4294967296.0) << "seed " << seed;
  }
}

TEST(Names, TheEdgeCasesOfTheRules) {
  bool sawTwice = false, sawJupiter = false, sawSolar = false, sawCut = false;
  for (int seed = 1; seed <= 6 && !(sawTwice && sawJupiter && sawSolar && sawCut); ++seed) {
    Named n(seed);
    Replay r(seed);
    auto expected = replayAll(r);
    for (int i = 0; i <= 3333; ++i) {
      const Expected& e = expected[i];
      const std::string& got = n.g.b.BodyName[i];
      if (e.twice) {
        sawTwice = true;
        EXPECT_EQ(got, e.name);
      }
      if (e.raw == "Jupiter") {
        sawJupiter = true;
        ASSERT_EQ(got.size(), 6u);
        EXPECT_EQ(got.substr(0, 5), "Jupit");
        EXPECT_TRUE(std::islower(static_cast<unsigned char>(got[5])));
      }
      if (e.raw == "Solar") {
        sawSolar = true;
        EXPECT_EQ(got, "Solar");
      }
      if (e.pattern == 7 && e.raw.size() > 10) {
        sawCut = true;
        EXPECT_EQ(got, e.name);
        EXPECT_EQ(got.size(), 10u);
      }
    }
  }
  EXPECT_TRUE(sawTwice && sawJupiter && sawSolar && sawCut);
}

TEST(Names, OnlyTheFirst3334BodiesAreNamedAndTheCraftWordsAreFilled) {
  quorl::testing::Scenario sc;
  Game& g = sc.g();
  g.b.BodyName[3334] = "Keep";
  g.b.BodyName[9999] = "Me";
  g.names->Oobladioobladah();
  EXPECT_EQ(g.b.BodyName[3334], "Keep");
  EXPECT_EQ(g.b.BodyName[9999], "Me");
  EXPECT_FALSE(g.b.BodyName[3333].empty());
  EXPECT_EQ(g.s.CraftWords[1][1], "Meteor");
  EXPECT_EQ(g.s.CraftWords[2][2], "U-Boat");
  EXPECT_EQ(g.s.CraftWords[3][4], "IJS");
  EXPECT_EQ(g.s.CraftWords[4][3], "Saucer");
  EXPECT_EQ(g.s.CraftWords[5][4], "/!\\");
  EXPECT_EQ(g.s.CraftWords[0][0], "");
  EXPECT_EQ(NameGenerator::NameLetter(10), 'a');
  EXPECT_EQ(NameGenerator::NameLetter(35), 'z');
}
