// The one random sequence of the game: the same seed builds the same system on every machine.
#pragma once
#include <cstdint>
#include <random>
#include <string>

namespace quorl {

class Random {
 public:
  Random() { seed(0); }
  // The seed is taken as a 32-bit two's-complement integer.
  void seed(std::int32_t s) { gen_.seed(static_cast<std::uint32_t>(s)); }
  // Uniform in [0, 1).
  double rnd() { return gen_() / 4294967296.0; }

  bool operator==(const Random&) const = default;
  // The sequence's whole state as text, and back; false for a text that is no such state.
  std::string state() const;
  bool setState(const std::string& text);

 private:
  std::mt19937 gen_;
};

}  // namespace quorl
