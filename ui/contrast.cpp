// Relative luminance as the sRGB curve gives it, and the least mix that makes a text readable.
#include "ui/contrast.h"

#include <algorithm>
#include <cmath>

namespace quorl {

namespace {

constexpr double kLegible = 3.0;

double linear(std::uint8_t c) {
  const double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double luminance(Color c) { return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b); }

std::uint8_t mix(std::uint8_t from, std::uint8_t to, int k) {
  return static_cast<std::uint8_t>(std::lround(from + (to - from) * k / 255.0));
}

}  // namespace

double contrastRatio(Color a, Color b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color legibleOn(Color text, Color back) {
  if (contrastRatio(text, back) >= kLegible) return text;
  // Where white and black stand equally far from the background, either end reaches 4.58:1.
  const std::uint8_t end = luminance(back) < std::sqrt(1.05 * 0.05) - 0.05 ? 255 : 0;
  for (int k = 1; k < 255; ++k) {
    const Color c{mix(text.r, end, k), mix(text.g, end, k), mix(text.b, end, k)};
    if (contrastRatio(c, back) >= kLegible) return c;
  }
  return Color{end, end, end};
}

}  // namespace quorl
