// An RGB colour as the controls and canvases use it; packs like a 32-bit 0xffRRGGBB pixel.
#pragma once
#include <cstdint>

namespace quorl {

struct Color {
  std::uint8_t r = 0, g = 0, b = 0;
  constexpr bool operator==(const Color&) const = default;
  constexpr std::uint32_t argb() const { return 0xff000000u | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b; }
};

constexpr Color rgb(int r, int g, int b) { return Color{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)}; }

}  // namespace quorl
