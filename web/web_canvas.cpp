// The page's drawing areas: pixels in the module's memory, text by the browser.
#include "web/web_canvas.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>

#include "app/window_layout.h"
#include "ui/contrast.h"

namespace quorl {

// The browser draws `text` with its top left at (x, y) device pixels into the buffer, in colour rgb, blended
// over what is there, and says how wide and high it came out.
EM_JS(void, quorl_draw_text,
      (std::uint32_t * pixels, int w, int h, double x, double y, const char* text, int rgb, int pixelSize, int bold,
       const char* family, double* extent),
      { Module.quorlDrawText(pixels, w, h, x, y, UTF8ToString(text), rgb, pixelSize, bold, UTF8ToString(family), extent); });

// A line of text (ascent and descent) of that family, weight and pixel size, in CSS pixels.
EM_JS(double, quorl_text_line, (int pixelSize, int bold, const char* family),
      { return Module.quorlTextLine(pixelSize, bold, UTF8ToString(family)); });

WebCanvas::WebCanvas(int widthUnits, int heightUnits, Color background, double dpr, double windowScale)
    : Canvas(widthUnits, heightUnits, background), dpr_(dpr > 0 ? dpr : 1.0), scale_(windowScale > 0 ? windowScale : 1.0) {
  allocate();
}

void WebCanvas::allocate() {
  const double k = scale_ * dpr_ / 15.0;
  const int w = std::max(1, static_cast<int>(std::ceil(width() * k)));
  const int h = std::max(1, static_cast<int>(std::ceil(height() * k)));
  pixels_.assign(static_cast<std::size_t>(w) * h, 0);
  attachPixels(pixels_.data(), w, h, w, k);
}

void WebCanvas::resize(int widthUnits, int heightUnits) {
  Canvas::resize(widthUnits, heightUnits);
  printed_.clear();
  allocate();
}

void WebCanvas::setScale(double windowScale, double dpr) {
  if (windowScale <= 0 || dpr <= 0 || (windowScale == scale_ && dpr == dpr_)) return;
  const std::vector<std::uint32_t> old = pixels_;
  const int ow = pixelWidth(), oh = pixelHeight();
  const double k = windowScale * dpr / (scale_ * dpr_);
  scale_ = windowScale;
  dpr_ = dpr;
  allocate();
  const int w = pixelWidth(), h = pixelHeight();
  for (int y = 0; y < h; ++y) {
    const int sy = std::min(oh - 1, static_cast<int>(y / k));
    for (int x = 0; x < w; ++x)
      pixels_[static_cast<std::size_t>(y) * w + x] = old[static_cast<std::size_t>(sy) * ow + std::min(ow - 1, static_cast<int>(x / k))];
  }
  // Texts are drawn anew at the new size over the place their resampled pixels took.
  const std::uint32_t back = background().argb();
  for (const Printed& t : printed_) {
    const Box& a = t.area;
    const int x0 = std::max(0, static_cast<int>(a.left * k)), y0 = std::max(0, static_cast<int>(a.top * k));
    const int x1 = std::min(w, static_cast<int>(std::ceil((a.left + a.width) * k)));
    const int y1 = std::min(h, static_cast<int>(std::ceil((a.top + a.height) * k)));
    for (int y = y0; y < y1; ++y) std::fill(pixels_.begin() + y * w + x0, pixels_.begin() + y * w + std::max(x0, x1), back);
  }
  for (Printed& t : printed_) draw(t);
}

void WebCanvas::draw(Printed& t) {
  const std::string family = t.fontName;
  const int size = window_layout::canvasTextPx(t.fontSize, scale_, [&](int px) {
    return quorl_text_line(px, t.bold, family.c_str()) * dpr_;
  });
  const double k = scale_ * dpr_ / 15.0;
  double extent[2] = {0, 0};
  const int rgb = (t.color.r << 16) | (t.color.g << 8) | t.color.b;
  quorl_draw_text(pixels_.data(), pixelWidth(), pixelHeight(), t.x * k, t.y * k, t.text.c_str(), rgb,
                  static_cast<int>(std::lround(size * dpr_)), t.bold, family.c_str(), extent);
  t.area = {t.x * k, t.y * k, extent[0], extent[1]};
}

void WebCanvas::onPrint(double x, double y, const std::string& text, Color c) {
  if (legibleText) c = legibleOn(c, background());
  Printed t{x, y, text, c, fontSize, fontBold, fontName, {}};
  draw(t);
  keepPrinted(printed_, std::move(t));
}

const std::uint8_t* WebCanvas::rgba() {
  rgba_.resize(pixels_.size() * 4);
  std::uint8_t* out = rgba_.data();
  for (const std::uint32_t p : pixels_) {
    *out++ = static_cast<std::uint8_t>(p >> 16);
    *out++ = static_cast<std::uint8_t>(p >> 8);
    *out++ = static_cast<std::uint8_t>(p);
    *out++ = 255;
  }
  return rgba_.data();
}

CanvasFactory webCanvasFactory(double dpr, double windowScale) {
  return [dpr, windowScale](int w, int h, Color bg) -> std::unique_ptr<Canvas> {
    return std::make_unique<WebCanvas>(w, h, bg, dpr, windowScale);
  };
}

}  // namespace quorl
