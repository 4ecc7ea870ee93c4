// A drawing area backed by a QImage at device pixels; points go straight into its scan lines.
#pragma once
#include <QFont>
#include <QImage>
#include <deque>
#include <string>

#include "ui/canvas.h"
#include "ui/printed_text.h"
#include "ui/ui.h"

namespace quorl {

// A line of the font (ascent and descent, as its metrics give them unrounded), in device pixels.
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
  using Printed = PrintedText<QRectF>;  // its area in logical pixels at the scale it was drawn
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
