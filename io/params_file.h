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

// More than one line of ours ever needs; a longer file is read no further.
inline constexpr std::size_t kParamsReadLimit = 4096;

// The line, with doubles in the shortest text that reads back to the same value and a point whatever
// the locale. Every double must be finite.
std::string formatParams(const ParamsRecord& r);

// Reads the fields in order into `out` until one cannot be read as its type (a 16-bit or 32-bit
// value out of range, a double that is not finite, a missing field, no line end after the last);
// fields from there on keep their old values. Whatever follows the first line is ignored. Returns the
// number of fields read, kParamsFields when the line was whole.
int parseParams(std::string_view text, ParamsRecord& out);

}  // namespace quorl
