// A drawing area in window units (1/1440 inch; 15 units are one logical pixel at 96 dpi).
// What is drawn stays until cleared. Points go straight into a pixel buffer when the canvas has one
// (raster and Qt canvases); a canvas without one gets every operation as a call instead.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/color.h"

namespace quorl {

class Canvas {
 public:
  Canvas(int widthUnits, int heightUnits, Color background);
  virtual ~Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  Color background() const { return background_; }
  void setBackground(Color c);  // clears, as a new background does
  virtual void resize(int widthUnits, int heightUnits);

  // Pen and text state, shared by the operations that follow (as a drawing area keeps it).
  double currentX = 0, currentY = 0;
  double fontSize = 8.25;
  bool fontBold = false;
  std::string fontName = "Georgia";
  Color foreColor{255, 255, 255};

  void clear();
  // A single point; the pen moves there.
  void pset(double x, double y, Color c) {
    currentX = x;
    currentY = y;
    dirty_ = true;
    if (pixels_) {
      const int ix = static_cast<int>(x * scale_), iy = static_cast<int>(y * scale_);
      if (static_cast<unsigned>(ix) < static_cast<unsigned>(pixelWidth_) &&
          static_cast<unsigned>(iy) < static_cast<unsigned>(pixelHeight_))
        pixels_[static_cast<std::size_t>(iy) * stride_ + ix] = c.argb();
    } else {
      onPoint(x, y, c);
    }
  }
  void line(double x1, double y1, double x2, double y2, Color c);
  void box(double x1, double y1, double x2, double y2, Color c);
  // Arc from angle `start` to `end` (radians), aspect = height / width, as a drawing area's circle.
  void circle(double x, double y, double r, Color c, double start = 0, double end = 6.283185307179586,
              double aspect = 1.0);
  // Prints at the pen in foreColor; afterwards the pen is at the start of the next line.
  void print(const std::string& text);
  double textHeight() const { return fontSize * 20.0 * 1.2; }

  // Set by every drawing operation; the window repaints from canvases that changed.
  bool takeDirty() {
    bool d = dirty_;
    dirty_ = false;
    return d;
  }
  // Pixel access for whoever shows the canvas (null for a recording canvas).
  const std::uint32_t* pixels() const { return pixels_; }
  int pixelWidth() const { return pixelWidth_; }
  int pixelHeight() const { return pixelHeight_; }
  int stride() const { return stride_; }
  double scale() const { return scale_; }

 protected:
  // Subclasses that hold a pixel buffer hand it over here (scale: pixels per window unit).
  void attachPixels(std::uint32_t* pixels, int w, int h, int stride, double scale);
  virtual void onClear() {}
  virtual void onPoint(double, double, Color) {}
  virtual void onLine(double x1, double y1, double x2, double y2, Color c);
  virtual void onCircle(double x, double y, double r, Color c, double start, double end, double aspect);
  virtual void onPrint(double, double, const std::string&, Color) {}
  void fillPixels(Color c);

 private:
  int width_, height_;
  Color background_;
  std::uint32_t* pixels_ = nullptr;
  int pixelWidth_ = 0, pixelHeight_ = 0, stride_ = 0;
  double scale_ = 1.0 / 15.0;
  bool dirty_ = true;
};

// Headless canvas with pixels and no text.
class RasterCanvas : public Canvas {
 public:
  RasterCanvas(int widthUnits, int heightUnits, Color background, double pixelsPerUnit = 1.0 / 15.0);
  void resize(int widthUnits, int heightUnits) override;
  std::uint32_t pixelAt(int px, int py) const { return buffer_[static_cast<std::size_t>(py) * pixelWidth() + px]; }

 private:
  double ppu_;
  std::vector<std::uint32_t> buffer_;
};

}  // namespace quorl
