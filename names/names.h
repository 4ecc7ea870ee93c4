// Invented names for the bodies of a new system, and the word tables craft names are made from.
#pragma once
#include <array>
#include <string_view>

namespace quorl {

class World;

class NameGenerator {
 public:
  explicit NameGenerator(World& w);

  // Gives bodies 0..3333 new names from the shared random sequence and refills the craft words.
  void Oobladioobladah();

  static constexpr int kNamedBodies = 3334;  // bodies 0..3333

  // The syllable tables; the nova and the launch build names from them too.
  static constexpr std::array<std::string_view, 10> FirstSyllables = {"Sol", "Mer", "Ven", "Ear", "Mar",
                                                                      "Jup", "Sat", "Ura", "Nep", "Plu"};
  static constexpr std::array<std::string_view, 10> SecondSyllables = {"ar",   "cury", "us",  "th",   "ss",
                                                                       "iter", "urn",  "nus", "tune", "to"};
  static constexpr std::array<std::string_view, 11> VowelParts = {"ae",  "a",  "e",  "i",  "o", "u",
                                                                  "eau", "oo", "ar", "es", "io"};
  static constexpr std::array<std::string_view, 27> ConsonantParts = {"by", "br", "b", "c",  "d", "ph", "f",  "g", "h",
                                                                      "gh", "j",  "k", "l",  "m", "n",  "mn", "p", "q",
                                                                      "r",  "s",  "t", "tr", "v", "w",  "x",  "y", "z"};
  // Index 10 is "a", 35 is "z".
  static char NameLetter(int index) { return static_cast<char>('a' + (index - 10)); }

 private:
  int R(int k);  // Int(Rnd * k)
  void makeName(std::string& out);

  World& w_;
};

}  // namespace quorl
