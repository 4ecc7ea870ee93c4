// The body table: parallel per-body arrays indexed by body number 0..9999, never compacted.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "sim/checked.h"

namespace quorl {

inline constexpr int kRows = 10000;   // body numbers 0..9999
inline constexpr int kImpacts = 100;  // impact numbers 0..99
inline constexpr int kLifeKinds = 6;  // life kinds 0..5

template <typename T>
using PerBody = std::array<T, kRows>;

struct BodyTable {
  PerBody<double> PosX{}, PosY{}, PosZ{};
  PerBody<double> VelX{}, VelY{}, VelZ{};
  PerBody<double> Mass{};
  PerBody<double> BodyKind{};
  PerBody<float> ColorR{}, ColorG{}, ColorB{};
  PerBody<std::int16_t> Gone{};  // 0 present, 1 absent
  PerBody<double> Radius{};
  PerBody<i16> ImpactCount{};
  std::array<PerBody<i16>, kImpacts> ImpactMark{};  // [impact][body]
  std::array<PerBody<i16>, kImpacts> CraterDX{}, CraterDY{};
  PerBody<double> AirLevel{}, WaterLevel{};
  PerBody<std::string> BodyName{};
  PerBody<i16> PlanetClass{};
  std::array<PerBody<i32>, kLifeKinds> LifeCount{};  // [kind][body]
  PerBody<double> Fuel{};
  PerBody<i16> CraftCode{};
};

// Refuses a body number outside the table instead of indexing it.
inline bool validBody(int b) { return b >= 0 && b < kRows; }

}  // namespace quorl
