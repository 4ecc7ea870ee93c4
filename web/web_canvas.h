// A drawing area of the page: a pixel buffer at device pixels that the page copies onto an HTML canvas
// whenever it changed. Points, lines and arcs go into it as on every canvas; text is drawn into it by the
// browser's own text drawing, at the pen, so that it lies under whatever is drawn after it, as in the window.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/printed_text.h"
#include "ui/ui.h"

namespace quorl {

class WebCanvas : public Canvas {
 public:
  // At window scale s, 15 window units are s logical pixels; the buffer has `dpr` device pixels to one.
  WebCanvas(int widthUnits, int heightUnits, Color background, double dpr, double windowScale);
  void resize(int widthUnits, int heightUnits) override;
  // A new scale or pixel ratio: the buffer is made again at the new size, keeping what is drawn (the nearest
  // pixels; the texts drawn anew at their new size).
  void setScale(double windowScale, double dpr);
  // Printed text is kept readable on the background.
  bool legibleText = false;
  // The buffer as RGBA bytes, for an ImageData (valid until the next call on this canvas).
  const std::uint8_t* rgba();

 protected:
  void onPrint(double x, double y, const std::string& text, Color c) override;
  void onClear() override { printed_.clear(); }

 private:
  struct Box {
    double left = 0, top = 0, width = 0, height = 0;  // device pixels at the scale it was drawn
  };
  using Printed = PrintedText<Box>;
  void draw(Printed& t);
  void allocate();

  std::vector<std::uint32_t> pixels_;
  std::vector<std::uint8_t> rgba_;
  std::deque<Printed> printed_;
  double dpr_, scale_;
};

// Canvases for the page's game, at its pixel ratio and scale.
CanvasFactory webCanvasFactory(double dpr, double windowScale);

}  // namespace quorl
