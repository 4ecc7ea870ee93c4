// A drawing area backed by a QImage at device pixels; points go straight into its scan lines.
#pragma once
#include <QFont>
#include <QImage>
#include <deque>
#include <string>

#include "ui/canvas.h"
#include "ui/ui.h"

namespace quorl {

// No text of the window is less than this high, at any scale: a line of its font (ascent and descent, as
// the font's metrics give them unrounded), in device pixels.
inline constexpr double kMinTextPx = 9;
double lineHeight(const QFont& font, qreal devicePixelRatio);

class QtCanvas : public Canvas {
 public:
  // devicePixelRatio: device pixels per logical pixel. At window scale s, 15 window units are s logical pixels.
  QtCanvas(int widthUnits, int heightUnits, Color background, qreal devicePixelRatio, double windowScale = 1.0);
  void resize(int widthUnits, int heightUnits) override;
  // A new scale or pixel ratio: the buffer is made again at the new size, keeping what is drawn (resampled).
  void setScale(double windowScale, qreal devicePixelRatio);
  double windowScale() const { return scale_; }
  // The picture as drawn so far, at device pixels with the ratio set. Never copy it into something that
  // outlives a paint: the canvas writes through a raw pointer into this buffer.
  const QImage& image() const { return image_; }
  // Printed text is kept readable on the background (colours as dark as the background are lightened).
  bool legibleText = false;
  // The lowest text printed since the last clear (lineHeight), 0 with none.
  double smallestText() const;

 protected:
  void onPrint(double x, double y, const std::string& text, Color c) override;
  void onClear() override { printed_.clear(); }

 private:
  // A text as printed, so that a new scale draws it anew instead of shrinking its pixels.
  struct Printed {
    double x, y;
    std::string text;
    Color color;
    double fontSize;
    bool bold;
    std::string fontName;
    QRectF area;  // logical pixels at the scale it was drawn
  };
  QFont fontFor(double fontSize, bool bold, const std::string& family) const;
  void draw(Printed& p);
  void allocate();
  std::deque<Printed> printed_;
  qreal dpr_;
  double scale_;
  QImage image_;
};

// The factory handed to the Game, for canvases at the primary screen's pixel ratio.
CanvasFactory qtCanvasFactory();

// The font for a family the game names, with a near relative when it is not installed.
QFont gameFont(const std::string& family, double pointSize, bool bold);

}  // namespace quorl
