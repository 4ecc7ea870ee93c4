// A drawing area backed by a QImage at device pixels; points go straight into its scan lines.
#pragma once
#include <QFont>
#include <QImage>

#include "ui/canvas.h"
#include "ui/ui.h"

namespace quorl {

class QtCanvas : public Canvas {
 public:
  // devicePixelRatio: device pixels per logical pixel (15 window units are one logical pixel).
  QtCanvas(int widthUnits, int heightUnits, Color background, qreal devicePixelRatio);
  void resize(int widthUnits, int heightUnits) override;
  // The picture as drawn so far, at device pixels with the ratio set. Never copy it into something that
  // outlives a paint: the canvas writes through a raw pointer into this buffer.
  const QImage& image() const { return image_; }

 protected:
  void onPrint(double x, double y, const std::string& text, Color c) override;

 private:
  void allocate();
  qreal dpr_;
  QImage image_;
};

// The factory handed to the Game, for canvases at the primary screen's pixel ratio.
CanvasFactory qtCanvasFactory();

// The font for a family the game names, with a near relative when it is not installed.
QFont gameFont(const std::string& family, double pointSize, bool bold);

}  // namespace quorl
