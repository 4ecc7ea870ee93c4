// The table of fields. A field's type comes from its member, so the table cannot disagree with the
// declarations in bodies.h and state.h.
#include "sim/fields.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "sim/numbers.h"

namespace quorl {

namespace {

void mix(std::uint64_t& h, const void* data, std::size_t n) {
  const auto* p = static_cast<const unsigned char*>(data);
  for (std::size_t k = 0; k < n; ++k) h = (h ^ p[k]) * 1099511628211ull;
}

// `bytes` bytes of a value, lowest first, whatever the machine's order and word size.
void mixBits(std::uint64_t& h, std::uint64_t bits, int bytes) {
  for (int k = 0; k < bytes; ++k) h = (h ^ ((bits >> (8 * k)) & 0xff)) * 1099511628211ull;
}

template <typename T>
void mixValue(std::uint64_t& h, const T& v) {
  if constexpr (std::is_same_v<T, std::string>) {
    mixBits(h, v.size(), 8);
    mix(h, v.data(), v.size());
  } else if constexpr (std::is_same_v<T, DateTime>) {
    for (const int part : {v.year, v.month, v.day, v.hour, v.minute, v.second})
      mixBits(h, static_cast<std::uint32_t>(part), 4);
  } else if constexpr (std::is_same_v<T, double>) {
    mixBits(h, std::bit_cast<std::uint64_t>(v), 8);
  } else if constexpr (std::is_same_v<T, float>) {
    mixBits(h, std::bit_cast<std::uint32_t>(v), 4);
  } else if constexpr (std::is_same_v<T, bool>) {
    mixBits(h, v ? 1 : 0, 1);
  } else if constexpr (std::is_same_v<T, std::int16_t> || std::is_same_v<T, i16>) {
    mixBits(h, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)), 2);
  } else {
    static_assert(std::is_same_v<T, i32>);
    mixBits(h, static_cast<std::uint32_t>(static_cast<std::int32_t>(v)), 4);
  }
}

template <typename T>
Field body(const char* name, PerBody<T> BodyTable::*m, bool resetAtCreation = false) {
  Field f;
  f.name = name;
  f.perBody = true;
  f.at = [m](BodyTable& b, SharedState&, int, int i) -> FieldPtr { return &(b.*m)[i]; };
  f.hash = [m](std::uint64_t& h, BodyTable& b, SharedState&, int last) {
    for (int i = 0; i <= last; ++i) mixValue(h, (b.*m)[i]);
  };
  if (resetAtCreation) {
    f.resetFrom = 0;
    f.reset = [m](BodyTable& b) { (b.*m).fill(T{}); };
  }
  return f;
}

template <typename T, std::size_t K>
Field bodyKinds(const char* name, std::array<PerBody<T>, K> BodyTable::*m, int resetFrom = -1) {
  Field f;
  f.name = name;
  f.perBody = true;
  f.outer = static_cast<int>(K);
  f.at = [m](BodyTable& b, SharedState&, int k, int i) -> FieldPtr { return &(b.*m)[k][i]; };
  f.hash = [m](std::uint64_t& h, BodyTable& b, SharedState&, int last) {
    for (std::size_t k = 0; k < K; ++k)
      for (int i = 0; i <= last; ++i) mixValue(h, (b.*m)[k][i]);
  };
  if (resetFrom >= 0) {
    f.resetFrom = resetFrom;
    f.reset = [m, resetFrom](BodyTable& b) {
      for (std::size_t k = resetFrom; k < K; ++k) (b.*m)[k].fill(T{});
    };
  }
  return f;
}

template <typename T>
Field shared(const char* name, T SharedState::*m) {
  Field f;
  f.name = name;
  f.at = [m](BodyTable&, SharedState& s, int, int) -> FieldPtr { return &(s.*m); };
  f.hash = [m](std::uint64_t& h, BodyTable&, SharedState& s, int) { mixValue(h, s.*m); };
  return f;
}

template <typename T, std::size_t N>
Field sharedArray(const char* name, std::array<T, N> SharedState::*m) {
  Field f;
  f.name = name;
  f.length = static_cast<int>(N);
  f.at = [m](BodyTable&, SharedState& s, int, int i) -> FieldPtr { return &(s.*m)[i]; };
  f.hash = [m](std::uint64_t& h, BodyTable&, SharedState& s, int) {
    for (const T& v : s.*m) mixValue(h, v);
  };
  return f;
}

template <typename T, std::size_t N, std::size_t M>
Field sharedTable(const char* name, std::array<std::array<T, M>, N> SharedState::*m) {
  Field f;
  f.name = name;
  f.outer = static_cast<int>(N);
  f.length = static_cast<int>(M);
  f.at = [m](BodyTable&, SharedState& s, int k, int i) -> FieldPtr { return &(s.*m)[k][i]; };
  f.hash = [m](std::uint64_t& h, BodyTable&, SharedState& s, int) {
    for (const auto& row : s.*m)
      for (const T& v : row) mixValue(h, v);
  };
  return f;
}

constexpr double kLastBody = kRows - 1;
constexpr double kMost = 1.7976931348623157e308;  // no bound but the field's type

Field within(Field f, double lo, double hi) {
  f.lo = lo;
  f.hi = hi;
  return f;
}

std::vector<Field> makeFields() {
  using B = BodyTable;
  using S = SharedState;
  return {
      body("PosX", &B::PosX),
      body("PosY", &B::PosY),
      body("PosZ", &B::PosZ),
      body("VelX", &B::VelX),
      body("VelY", &B::VelY),
      body("VelZ", &B::VelZ),
      body("Mass", &B::Mass),
      body("BodyKind", &B::BodyKind),
      within(body("ColorR", &B::ColorR), 0, 255),
      within(body("ColorG", &B::ColorG), 0, 255),
      within(body("ColorB", &B::ColorB), 0, 255),
      within(body("Gone", &B::Gone), 0, 1),
      within(body("Radius", &B::Radius), 0, kMost),
      within(body("ImpactCount", &B::ImpactCount, true), 0, kImpacts - 1),
      bodyKinds("ImpactMark", &B::ImpactMark, 0),
      body("BodyName", &B::BodyName),
      bodyKinds("CraterDX", &B::CraterDX, 0),
      bodyKinds("CraterDY", &B::CraterDY, 0),
      within(body("AirLevel", &B::AirLevel, true), 0, 250),
      body("WaterLevel", &B::WaterLevel, true),
      within(body("PlanetClass", &B::PlanetClass), 0, 8),
      within(bodyKinds("LifeCount", &B::LifeCount, 1), 0, kMost),  // kind 0 is no life and is never reset
      body("Fuel", &B::Fuel),
      body("CraftCode", &B::CraftCode, true),

      within(shared("BodyCount", &S::BodyCount), 0, kLastBody),
      within(shared("LastInitialBody", &S::LastInitialBody), 0, kLastBody),
      shared("GravityExponent", &S::GravityExponent),
      shared("Speed", &S::Speed),
      within(shared("MasterScale", &S::MasterScale), 0, kMost),
      shared("GravityFactor", &S::GravityFactor),
      within(shared("Proximity", &S::Proximity), 1e-06, 99),
      within(shared("AttractorLimit", &S::AttractorLimit), 0, kMost),
      within(shared("Focus", &S::Focus), 0, kLastBody),
      within(shared("Quadrant", &S::Quadrant), 0, 4),
      within(shared("PrevQuadrant", &S::PrevQuadrant), 0, 4),
      within(shared("Orbits", &S::Orbits), 0, kMost),
      shared("ElapsedSeconds", &S::ElapsedSeconds),
      within(shared("LiveCount", &S::LiveCount), 0, kLastBody),
      within(shared("Preset", &S::Preset), 0, 10),
      within(shared("SpareWorlds", &S::SpareWorlds), 0, 3333),
      shared("CreatedAt", &S::CreatedAt),
      shared("StartTime", &S::StartTime),
      within(shared("StartHour", &S::StartHour), 0, 23),
      within(shared("StartMinute", &S::StartMinute), 0, 59),
      within(shared("StartSecond", &S::StartSecond), 0, 59),
      shared("StartDate", &S::StartDate),
      shared("PauseFlag", &S::PauseFlag),
      shared("LastEvent", &S::LastEvent),
      within(sharedArray("FusionPair", &S::FusionPair), 0, kLastBody),
      within(shared("SeedTick", &S::SeedTick), -32000, 32000),
      within(shared("SeedValue", &S::SeedValue), -32767, 32767),
      shared("PresetGlow", &S::PresetGlow),
      shared("TorqueSpinPower", &S::TorqueSpinPower),
      within(shared("PlanetGraphicsRate", &S::PlanetGraphicsRate), 15, 15000),
      within(shared("ZoomRate", &S::ZoomRate), 15, 15000),
      shared("ExplodeRandomness", &S::ExplodeRandomness),
      shared("FirstCreationDone", &S::FirstCreationDone),
      within(sharedArray("ClassCount", &S::ClassCount), 0, kMost),
      within(shared("FocusClass", &S::FocusClass), 0, 8),
      within(shared("WarmUpDone", &S::WarmUpDone), 0, 2),
      within(shared("Score", &S::Score), 0, kMost),
      within(shared("HighScore", &S::HighScore), 0, kMost),
      shared("Magnification", &S::Magnification),
      within(shared("ZoomScale", &S::ZoomScale), 1, 5000),
      within(shared("ZoomLabelRequest", &S::ZoomLabelRequest), 0, 2),
      within(shared("BlinkPhase", &S::BlinkPhase), 0, 2),
      within(shared("ZoomFrame", &S::ZoomFrame), 0, 29),
      within(shared("NewestFragment", &S::NewestFragment), -2, kLastBody),
      shared("LaunchDirX", &S::LaunchDirX),
      shared("LaunchDirY", &S::LaunchDirY),
      shared("NovaModeCaption", &S::NovaModeCaption),
      within(shared("NewWorldCount", &S::NewWorldCount), 0, kLastBody),
      sharedArray("NewWorldList", &S::NewWorldList),
      sharedArray("RosterName", &S::RosterName),
      within(sharedArray("RosterBody", &S::RosterBody), 0, kLastBody),
      sharedArray("RosterSize", &S::RosterSize),
      sharedArray("CraftTypeNames", &S::CraftTypeNames),
      sharedTable("CraftWords", &S::CraftWords),
      // Biosphere.
      within(sharedArray("LifeTotals", &S::LifeTotals), 0, kMost),
      within(shared("LifeCode", &S::LifeCode), 0, 15),
      within(shared("CelestialSum", &S::CelestialSum), 0, kMost),
      within(shared("LaunchCooldown", &S::LaunchCooldown), 0, kMost),
      // Novas.
      within(shared("NovaPattern", &S::NovaPattern), 0, 7),
      within(shared("MultiNovaCount", &S::MultiNovaCount), 0, kMost),
      within(shared("MultiNovaTarget", &S::MultiNovaTarget), 0, kLastBody),
      // Clock and score.
      shared("NowTime", &S::NowTime),
      within(shared("NowHour", &S::NowHour), 0, 23),
      within(shared("NowMinute", &S::NowMinute), 0, 59),
      within(shared("NowSecond", &S::NowSecond), 0, 59),
      shared("NowDate", &S::NowDate),
      shared("DaysRunning", &S::DaysRunning),
      shared("ClassBonus", &S::ClassBonus),
  };
}

template <typename T>
bool parseWhole(std::string_view text, T& out, std::string& why) {
  long long v = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size() || text.empty()) {
    why = "'" + std::string(text) + "' is not a whole number";
    return false;
  }
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) {
    why = std::string(text) + " does not fit " + std::to_string(sizeof(T) * 8) + " bits";
    return false;
  }
  out = static_cast<T>(v);
  return true;
}

}  // namespace

bool Field::valid(int k, int i) const {
  const int kinds = outer > 0 ? outer : 1;
  const int rows = perBody ? kRows : length > 0 ? length : 1;
  return k >= 0 && k < kinds && i >= 0 && i < rows;
}

const std::vector<Field>& fields() {
  static const std::vector<Field> table = makeFields();
  return table;
}

const Field* findField(std::string_view name) {
  for (const Field& f : fields())
    if (f.name == name) return &f;
  return nullptr;
}

std::string fieldText(const FieldPtr& p) {
  return std::visit(
      [](auto* v) -> std::string {
        using T = std::remove_pointer_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) return *v;
        else if constexpr (std::is_same_v<T, DateTime>) return dateText(*v) + " " + timeText(*v);
        else if constexpr (std::is_same_v<T, bool>) return *v ? "1" : "0";
        else if constexpr (std::is_same_v<T, i16> || std::is_same_v<T, i32>) return shortest(v->get());
        else return shortest(static_cast<double>(*v));
      },
      p);
}

bool setFieldText(const FieldPtr& p, std::string_view text, std::string& why) {
  return std::visit(
      [&](auto* v) -> bool {
        using T = std::remove_pointer_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) {
          *v = std::string(text);
          return true;
        } else if constexpr (std::is_same_v<T, DateTime>) {
          if (parseDateTime(std::string(text), *v)) return true;
          why = "'" + std::string(text) + "' is not a time YYYY-MM-DD hh:mm:ss";
          return false;
        } else if constexpr (std::is_same_v<T, bool>) {
          if (text != "0" && text != "1") return why = "'" + std::string(text) + "' is not 0 or 1", false;
          *v = text == "1";
          return true;
        } else if constexpr (std::is_same_v<T, i16> || std::is_same_v<T, i32>) {
          decltype(v->get()) n{};
          if (!parseWhole(text, n, why)) return false;
          *v = n;
          return true;
        } else if constexpr (std::is_same_v<T, std::int16_t>) {
          return parseWhole(text, *v, why);
        } else {
          double d = 0;
          const auto res = std::from_chars(text.data(), text.data() + text.size(), d);
          if (res.ec != std::errc() || res.ptr != text.data() + text.size() || text.empty()) {
            why = "'" + std::string(text) + "' is not a number";
            return false;
          }
          if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<T>::max()) {
            why = std::string(text) + " does not fit a single";
            return false;
          }
          *v = static_cast<T>(d);
          return true;
        }
      },
      p);
}

bool putFieldText(const Field& f, const FieldPtr& p, std::string_view text, std::string& why) {
  return std::visit(
      [&](auto* v) -> bool {
        using T = std::remove_pointer_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, DateTime> || std::is_same_v<T, bool>) {
          return setFieldText(p, text, why);
        } else {
          T value = *v;
          if (!setFieldText(FieldPtr(&value), text, why)) return false;
          double number = 0;
          if constexpr (std::is_same_v<T, i16> || std::is_same_v<T, i32>) number = value.get();
          else number = static_cast<double>(value);
          if (!std::isfinite(number) || number < f.lo || number > f.hi) {
            why = "'" + std::string(text) + "' is not a value " + f.name + " holds in play";
            if (f.lo > -kMost || f.hi < kMost)
              why += " (" + shortest(f.lo) + ".." + (f.hi < kMost ? shortest(f.hi) : std::string()) + ")";
            return false;
          }
          *v = value;
          return true;
        }
      },
      p);
}

namespace {

std::uint64_t hashFields(BodyTable& b, SharedState& s, bool shared) {
  std::uint64_t h = 14695981039346656037ull;
  const int last = std::clamp<int>(s.BodyCount, -1, kRows - 1);
  for (const Field& f : fields())
    if (f.perBody || shared) f.hash(h, b, s, last);
  return h;
}

}  // namespace

std::uint64_t stateHash(BodyTable& b, SharedState& s) { return hashFields(b, s, true); }
std::uint64_t tableHash(BodyTable& b, SharedState& s) { return hashFields(b, s, false); }

void resetForCreation(BodyTable& b) {
  for (const Field& f : fields())
    if (f.reset) f.reset(b);
}

}  // namespace quorl
