// The table of fields. A field's type comes from its member, so the table cannot disagree with the
// declarations in bodies.h and state.h.
#include "sim/fields.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "sim/numbers.h"

namespace quorl {

namespace {

void mix(std::uint64_t& h, const void* data, std::size_t n) {
  const auto* p = static_cast<const unsigned char*>(data);
  for (std::size_t k = 0; k < n; ++k) h = (h ^ p[k]) * 1099511628211ull;
}

template <typename T>
void mixValue(std::uint64_t& h, const T& v) {
  if constexpr (std::is_same_v<T, std::string>) {
    const std::uint64_t n = v.size();  // eight bytes in every build, as size_t is on x86-64
    mix(h, &n, sizeof n);
    mix(h, v.data(), n);
  } else if constexpr (std::is_same_v<T, DateTime>) {
    const int parts[6] = {v.year, v.month, v.day, v.hour, v.minute, v.second};
    mix(h, parts, sizeof parts);
  } else {
    mix(h, &v, sizeof v);
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
      body("ColorR", &B::ColorR),
      body("ColorG", &B::ColorG),
      body("ColorB", &B::ColorB),
      body("Gone", &B::Gone),
      body("Radius", &B::Radius),
      body("ImpactCount", &B::ImpactCount, true),
      bodyKinds("ImpactMark", &B::ImpactMark, 0),
      body("BodyName", &B::BodyName),
      bodyKinds("CraterDX", &B::CraterDX, 0),
      bodyKinds("CraterDY", &B::CraterDY, 0),
      body("AirLevel", &B::AirLevel, true),
      body("WaterLevel", &B::WaterLevel, true),
      body("PlanetClass", &B::PlanetClass),
      bodyKinds("LifeCount", &B::LifeCount, 1),  // kind 0 is no life and is never reset
      body("Fuel", &B::Fuel),
      body("CraftCode", &B::CraftCode, true),

      shared("BodyCount", &S::BodyCount),
      shared("LastInitialBody", &S::LastInitialBody),
      shared("GravityExponent", &S::GravityExponent),
      shared("Speed", &S::Speed),
      shared("MasterScale", &S::MasterScale),
      shared("GravityFactor", &S::GravityFactor),
      shared("Proximity", &S::Proximity),
      shared("AttractorLimit", &S::AttractorLimit),
      shared("Focus", &S::Focus),
      shared("Quadrant", &S::Quadrant),
      shared("PrevQuadrant", &S::PrevQuadrant),
      shared("Orbits", &S::Orbits),
      shared("ElapsedSeconds", &S::ElapsedSeconds),
      shared("LiveCount", &S::LiveCount),
      shared("Preset", &S::Preset),
      shared("SpareWorlds", &S::SpareWorlds),
      shared("CreatedAt", &S::CreatedAt),
      shared("StartTime", &S::StartTime),
      shared("StartHour", &S::StartHour),
      shared("StartMinute", &S::StartMinute),
      shared("StartSecond", &S::StartSecond),
      shared("PauseFlag", &S::PauseFlag),
      shared("LastEvent", &S::LastEvent),
      sharedArray("FusionPair", &S::FusionPair),
      shared("SeedTick", &S::SeedTick),
      shared("SeedValue", &S::SeedValue),
      shared("PresetGlow", &S::PresetGlow),
      shared("TorqueSpinPower", &S::TorqueSpinPower),
      shared("PlanetGraphicsRate", &S::PlanetGraphicsRate),
      shared("ZoomRate", &S::ZoomRate),
      shared("ExplodeRandomness", &S::ExplodeRandomness),
      shared("FirstCreationDone", &S::FirstCreationDone),
      sharedArray("ClassCount", &S::ClassCount),
      shared("FocusClass", &S::FocusClass),
      shared("WarmUpDone", &S::WarmUpDone),
      shared("Score", &S::Score),
      shared("HighScore", &S::HighScore),
      shared("Magnification", &S::Magnification),
      shared("ZoomScale", &S::ZoomScale),
      shared("ZoomLabelRequest", &S::ZoomLabelRequest),
      shared("BlinkPhase", &S::BlinkPhase),
      shared("ZoomFrame", &S::ZoomFrame),
      shared("NewestFragment", &S::NewestFragment),
      shared("LaunchDirX", &S::LaunchDirX),
      shared("LaunchDirY", &S::LaunchDirY),
      shared("NovaModeCaption", &S::NovaModeCaption),
      shared("NewWorldCount", &S::NewWorldCount),
      sharedArray("NewWorldList", &S::NewWorldList),
      sharedArray("RosterName", &S::RosterName),
      sharedArray("RosterBody", &S::RosterBody),
      sharedArray("RosterSize", &S::RosterSize),
      sharedArray("CraftTypeNames", &S::CraftTypeNames),
      sharedTable("CraftWords", &S::CraftWords),
      // Biosphere.
      sharedArray("LifeTotals", &S::LifeTotals),
      shared("LifeCode", &S::LifeCode),
      shared("CelestialSum", &S::CelestialSum),
      shared("LaunchCooldown", &S::LaunchCooldown),
      // Novas.
      shared("NovaPattern", &S::NovaPattern),
      shared("MultiNovaCount", &S::MultiNovaCount),
      shared("MultiNovaTarget", &S::MultiNovaTarget),
      // Clock and score.
      shared("NowTime", &S::NowTime),
      shared("NowHour", &S::NowHour),
      shared("NowMinute", &S::NowMinute),
      shared("NowSecond", &S::NowSecond),
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
          *v = static_cast<T>(d);
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
