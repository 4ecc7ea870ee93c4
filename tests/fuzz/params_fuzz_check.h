// What any text must meet in the tallyho.txt reader and in Val: both return, and a line the reader takes
// whole writes back to text that reads as the very same values. Shared by the fuzzer and the tests.
#pragma once
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "io/params_file.h"
#include "sim/numbers.h"

namespace quorl::fuzz {

// Empty when the input passes, else what went wrong.
inline std::string checkParamsInput(std::string_view text) {
  ParamsRecord r;
  const int n = parseParams(text, r);
  if (n < 0 || n > kParamsFields) return "field count out of range";
  if (n == kParamsFields) {
    ParamsRecord back{};
    const std::string line = formatParams(r);
    if (parseParams(line, back) != kParamsFields) return "written line does not read back: " + line;
    for (const ParamsMember& m : kParamsOrder) {
      const bool same = std::visit(
          [&](auto f) {
            if constexpr (std::is_same_v<decltype(f), double ParamsRecord::*>)
              return std::bit_cast<std::uint64_t>(r.*f) == std::bit_cast<std::uint64_t>(back.*f);
            else return r.*f == back.*f;
          },
          m);
      if (!same) return "a value changed on the way back: " + line;
    }
  }
  double strict = 0;
  const double v = Val(text);
  if (parseStrict(text, strict) && strict != v) return "strict and leading readings differ";
  return {};
}

}  // namespace quorl::fuzz
