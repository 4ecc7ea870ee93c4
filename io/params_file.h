// tallyho.txt as text: one line of 18 comma-separated numbers ended by CR LF. Pure text in, values out;
// which control a field comes from or goes to is the game's business.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace quorl {

struct ParamsRecord {
  double speed = 100, planets = 17, proximity = 1, explode = 1000, spread = 1000;
  std::int32_t highScore = 0;
  std::int16_t seed = 0, zoomScale = 30;
  double torque = 1000;
  std::int16_t spareWorlds = 133, masterScale = 10, reserved = 0, thrustPower = 7000;
  double thrustAngle = 4200;
  std::int16_t elevation = 0, planetRate = 2000, zoomRate = 60;
  double magnification = 1;

  bool operator==(const ParamsRecord&) const = default;
};

using ParamsMember = std::variant<double ParamsRecord::*, std::int16_t ParamsRecord::*, std::int32_t ParamsRecord::*>;

inline constexpr int kParamsFields = 18;
// The fields in file order.
inline constexpr std::array<ParamsMember, kParamsFields> kParamsOrder{
    &ParamsRecord::speed,       &ParamsRecord::planets,       &ParamsRecord::proximity,   &ParamsRecord::explode,
    &ParamsRecord::spread,      &ParamsRecord::highScore,     &ParamsRecord::seed,        &ParamsRecord::zoomScale,
    &ParamsRecord::torque,      &ParamsRecord::spareWorlds,   &ParamsRecord::masterScale, &ParamsRecord::reserved,
    &ParamsRecord::thrustPower, &ParamsRecord::thrustAngle,   &ParamsRecord::elevation,   &ParamsRecord::planetRate,
    &ParamsRecord::zoomRate,    &ParamsRecord::magnification,
};

// The fields as messages name them.
inline constexpr std::array<const char*, kParamsFields> kParamsNames{
    "speed",
    "planets",
    "proximity",
    "explosive randomness",
    "spread",
    "best score",
    "seed",
    "zoom scale",
    "torque spin power",
    "spare worlds",
    "master scale",
    "reserved",
    "thrust power",
    "thrust angle",
    "thrust elevation",
    "planet graphics rate",
    "zoom graphics rate",
    "magnification",
};
inline constexpr int kParamsBestField = 5;  // from 0

// More than one line of ours ever needs; a longer file is read no further.
inline constexpr std::size_t kParamsReadLimit = 4096;
// The name under which a recording notes a best found on disk before a save that was higher than the game's.
inline constexpr const char* kParamsBestRead = "tallyho.txt:best";

// The line, with doubles in the shortest text that reads back to the same value and a point whatever
// the locale. Every double must be finite.
std::string formatParams(const ParamsRecord& r);

// Reads the fields in order into `out` until one cannot be read as its type (a value beyond its 16-bit
// or 32-bit range, a number that is not finite, a missing field); fields from there on keep their old
// values. A leading byte-order mark is skipped, blanks round a field and a leading + are allowed, and an
// integer field may be written with a fraction (rounded to the nearest, ties to even). The last field may
// end with the file or any line end; fields after it and further lines are ignored. Returns the number of
// fields read, kParamsFields when the line was whole.
int parseParams(std::string_view text, ParamsRecord& out);
// The best score (field 6) read on its own, whatever the other fields hold.
bool parseParamsBest(std::string_view text, std::int32_t& best);
// Which field stopped a reader that read `fieldsRead` of them, and what it held, for a message.
std::string paramsFailure(std::string_view text, int fieldsRead);

}  // namespace quorl
