// Drawing areas: shared pen state, pixel rasterisation of lines and arcs.
#include "ui/canvas.h"

#include <algorithm>
#include <cmath>

namespace quorl {

Canvas::Canvas(int widthUnits, int heightUnits, Color background)
    : width_(widthUnits), height_(heightUnits), background_(background) {}

void Canvas::resize(int widthUnits, int heightUnits) {
  width_ = widthUnits;
  height_ = heightUnits;
}

void Canvas::attachPixels(std::uint32_t* pixels, int w, int h, int stride, double scale) {
  pixels_ = pixels;
  pixelWidth_ = w;
  pixelHeight_ = h;
  stride_ = stride;
  scale_ = scale;
  fillPixels(background_);
}

void Canvas::fillPixels(Color c) {
  if (!pixels_) return;
  for (int y = 0; y < pixelHeight_; ++y)
    std::fill_n(pixels_ + static_cast<std::size_t>(y) * stride_, pixelWidth_, c.argb());
}

void Canvas::setBackground(Color c) {
  background_ = c;
  clear();
}

void Canvas::clear() {
  currentX = 0;
  currentY = 0;
  dirty_ = true;
  fillPixels(background_);
  onClear();
}

void Canvas::line(double x1, double y1, double x2, double y2, Color c) {
  dirty_ = true;
  onLine(x1, y1, x2, y2, c);
  currentX = x2;
  currentY = y2;
}

void Canvas::box(double x1, double y1, double x2, double y2, Color c) {
  line(x1, y1, x2, y1, c);
  line(x2, y1, x2, y2, c);
  line(x2, y2, x1, y2, c);
  line(x1, y2, x1, y1, c);
}

void Canvas::circle(double x, double y, double r, Color c, double start, double end, double aspect) {
  dirty_ = true;
  onCircle(x, y, r, c, start, end, aspect);
  currentX = x;
  currentY = y;
}

void Canvas::print(const std::string& text) {
  dirty_ = true;
  onPrint(currentX, currentY, text, foreColor);
  currentX = 0;
  currentY += textHeight();
}

void Canvas::onLine(double x1, double y1, double x2, double y2, Color c) {
  if (!pixels_) return;
  const double px1 = x1 * scale_, py1 = y1 * scale_, px2 = x2 * scale_, py2 = y2 * scale_;
  const double steps = std::min(4096.0, std::ceil(std::max(std::fabs(px2 - px1), std::fabs(py2 - py1))));
  for (int i = 0; i <= static_cast<int>(steps); ++i) {
    double t = steps > 0 ? i / steps : 0;
    const double x = x1 + (x2 - x1) * t, y = y1 + (y2 - y1) * t;
    const int ix = static_cast<int>(std::floor(x * scale_)), iy = static_cast<int>(std::floor(y * scale_));
    if (ix >= 0 && iy >= 0 && ix < pixelWidth_ && iy < pixelHeight_)
      pixels_[static_cast<std::size_t>(iy) * stride_ + ix] = c.argb();
  }
}

void Canvas::onCircle(double x, double y, double r, Color c, double start, double end, double aspect) {
  if (!pixels_ || !(r > 0)) return;
  const double rx = aspect <= 1 ? r : r / aspect, ry = aspect <= 1 ? r * aspect : r;
  const double span = end >= start ? end - start : end + 2 * M_PI - start;
  const int n = static_cast<int>(std::clamp(std::max(rx, ry) * scale_ * span, 8.0, 20000.0));
  for (int i = 0; i <= n; ++i) {
    const double a = start + span * i / n;
    const int ix = static_cast<int>(std::floor((x + rx * std::cos(a)) * scale_));
    const int iy = static_cast<int>(std::floor((y - ry * std::sin(a)) * scale_));
    if (ix >= 0 && iy >= 0 && ix < pixelWidth_ && iy < pixelHeight_)
      pixels_[static_cast<std::size_t>(iy) * stride_ + ix] = c.argb();
  }
}

RasterCanvas::RasterCanvas(int widthUnits, int heightUnits, Color background, double pixelsPerUnit)
    : Canvas(widthUnits, heightUnits, background), ppu_(pixelsPerUnit) {
  RasterCanvas::resize(widthUnits, heightUnits);
}

void RasterCanvas::resize(int widthUnits, int heightUnits) {
  Canvas::resize(widthUnits, heightUnits);
  const int w = std::max(1, static_cast<int>(std::ceil(widthUnits * ppu_)));
  const int h = std::max(1, static_cast<int>(std::ceil(heightUnits * ppu_)));
  buffer_.assign(static_cast<std::size_t>(w) * h, 0);
  attachPixels(buffer_.data(), w, h, w, ppu_);
}

}  // namespace quorl
