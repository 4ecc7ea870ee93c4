// Widgets for the kinds of control the toolkit has no ready widget for: drawing areas, frames,
// shapes, lines, and labels that take clicks.
#pragma once
#include <QFont>
#include <QLabel>
#include <QWidget>
#include <functional>

#include "app/qt/qt_canvas.h"
#include "ui/control.h"

class QPainter;

namespace quorl {

// The smallest point size of the font's family and weight whose line is kMinTextPx device pixels high at
// this pixel ratio; the font, or that size of it when it is smaller.
double legiblePointSize(const QFont& font, qreal devicePixelRatio);
QFont legibleFont(const QFont& font, qreal devicePixelRatio);

// The font, made smaller in steps (down to 60% of its size, never below the legible size), until the text
// fits the room: with `wrap`, every word within the width and the lines within the height (one line always
// may); without, every line within the width. A text that fits keeps the font as it is; `fits` says whether
// the text fits at the font returned.
QFont fitFont(const QFont& font, const QString& text, QSize room, bool wrap, qreal devicePixelRatio,
              bool* fits = nullptr);

// Shows a control's canvas (the main view, the picture boxes); a click presses the control.
class CanvasView : public QWidget {
 public:
  CanvasView(Control& c, QWidget* parent);
  std::function<void()> onPress;
  // Set, the area follows the pointer instead: pressed or dragged at x logical pixels, then let go.
  std::function<void(double x)> onDrag;
  std::function<void()> onRelease;
  // Drawn over the canvas at every repaint, never into it (the path preview).
  std::function<void(QPainter&)> overlay;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  Control& c_;
};

// A frame: a bordered panel with its caption at the top left; a click presses it.
class FrameView : public QWidget {
 public:
  explicit FrameView(QWidget* parent);
  std::function<void()> onPress;
  QString caption;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
};

// A circle shape: its border in the fore colour, filled with the back colour; clicks pass through.
class ShapeView : public QWidget {
 public:
  explicit ShapeView(QWidget* parent);
  QColor color, fill;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// A line from one end point to the other, in coordinates of the widget; clicks pass through.
class LineView : public QWidget {
 public:
  explicit LineView(QWidget* parent);
  QPointF from, to;
  QColor color;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// A label whose click runs the control's click handler.
class ClickLabel : public QLabel {
 public:
  explicit ClickLabel(QWidget* parent);
  std::function<void()> onPress;

 protected:
  void mousePressEvent(QMouseEvent*) override;
};

}  // namespace quorl
