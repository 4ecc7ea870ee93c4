// Invented names: a pattern, then syllables drawn in a fixed order, so a frozen seed repeats the names.
#include "names/names.h"

#include <cctype>
#include <string>

#include "sim/numbers.h"
#include "sim/world.h"

namespace quorl {

namespace {

// The real planets' names are never given out as they are.
constexpr std::array<std::string_view, 9> kPlanetNames = {"Mercury", "Venus",  "Earth",   "Mars", "Jupiter",
                                                          "Saturn",  "Uranus", "Neptune", "Pluto"};

constexpr std::array<std::array<std::string_view, 4>, 5> kCraftWords = {{
    {"Meteor", "Comet", "Moon", "Rock"},
    {"Starship", "U-Boat", "Skyship", "Craft"},
    {"FS", "HMS", "USS", "IJS"},
    {"UFO", "UAV", "Saucer", "Foo"},
    {"~!~", "=!=", "^!^", "/!\\"},
}};

}  // namespace

NameGenerator::NameGenerator(World& w) : w_(w) {}

int NameGenerator::R(int k) { return static_cast<int>(Int(w_.Rnd() * k)); }

void NameGenerator::Oobladioobladah() {
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 4; ++col) w_.s.CraftWords[row + 1][col + 1] = std::string(kCraftWords[row][col]);

  std::string name;
  name.reserve(32);
  for (int i = 0; i < kNamedBodies; ++i) {
    makeName(name);
    w_.b.BodyName[i].assign(name);
  }
}

void NameGenerator::makeName(std::string& out) {
  const auto& F = FirstSyllables;
  const auto& S = SecondSyllables;
  const auto& V = VowelParts;
  const auto& C = ConsonantParts;
  // Draw helpers: a first syllable, a second syllable, a vowel (never "ae"), a consonant (never "by"), a letter.
  auto a = [&] { return F[R(10)]; };
  auto s = [&] { return S[R(10)]; };
  auto v = [&] { return V[R(10) + 1]; };
  auto c = [&] { return C[R(26) + 1]; };
  auto l = [&] { return NameLetter(R(26) + 10); };

  out.clear();
  const int p = R(9);
  switch (p) {
    case 0: {
      auto fa = a();
      char nl = l();
      auto vv = v();
      out.append(fa).append(1, nl).append(vv);
      break;
    }
    case 1:
    case 8: {
      char nl = l();
      auto vv = v();
      auto ss = s();
      out.append(1, static_cast<char>(std::toupper(static_cast<unsigned char>(nl)))).append(vv).append(ss);
      break;
    }
    case 2:
    case 3: {
      bool asThree = p == 3;
      if (p == 2) {
        int x = R(10), y = R(10);
        auto fa = a();
        auto ss = s();
        out.append(fa).append(ss);
        asThree = x == y;  // then pattern 3 runs as well and its name replaces this one
      }
      if (asThree) {
        auto fa = a();
        auto vv = v();
        auto cc = c();
        auto ss = s();
        out.assign(fa).append(vv).append(cc).append(ss);
      }
      break;
    }
    case 4:
    case 6: {
      auto cc = c();
      auto vv = v();
      auto fa = a();
      auto ss = s();
      out.append(cc).append(vv).append(fa).append(ss);
      break;
    }
    case 5: {
      auto fa = a();
      auto ss = s();
      auto vv = v();
      auto cc = c();
      out.append(fa).append(ss).append(vv).append(cc);
      break;
    }
    case 7: {
      auto fa = a();
      auto ss = s();
      auto c1 = c();
      auto vv = v();
      auto c2 = c();
      out.append(fa).append(ss).append(1, '-').append(c1).append(vv).append(c2);
      break;
    }
  }

  for (std::size_t k = 0; k < out.size(); ++k) {
    unsigned char ch = static_cast<unsigned char>(out[k]);
    out[k] = static_cast<char>(k == 0 ? std::toupper(ch) : std::tolower(ch));
  }
  if (out.size() > 10) out.resize(10);
  for (std::string_view planet : kPlanetNames) {
    if (out == planet) {
      out.resize(out.size() - 2);
      out.push_back(NameLetter(R(26) + 10));
      break;
    }
  }
}

}  // namespace quorl
