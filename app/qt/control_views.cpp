// Widgets for drawing areas, frames, shapes, lines and clickable labels.
#include "app/qt/control_views.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <tuple>

#include "app/qt/qt_canvas.h"
#include "app/window_layout.h"

namespace quorl {

namespace {

bool fits(const QFont& font, const QString& text, QSize room, bool wrap) {
  const QFontMetrics m(font);
  if (!wrap) return m.boundingRect(QRect(), 0, text).width() <= room.width();
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  for (const QString& word : text.split(blanks, Qt::SkipEmptyParts))
    if (m.horizontalAdvance(word) > room.width()) return false;
  const QRect r = m.boundingRect(QRect(0, 0, std::max(1, room.width()), 1 << 20), Qt::TextWordWrap, text);
  return r.height() <= std::max(room.height(), m.height());
}

}  // namespace

double legiblePointSize(const QFont& font, qreal devicePixelRatio) {
  // Asked at every caption change: kept per family, weight and ratio.
  static std::map<std::tuple<QString, bool, qreal>, double> known;
  const auto key = std::make_tuple(font.family(), font.bold(), devicePixelRatio);
  if (auto it = known.find(key); it != known.end()) return it->second;
  QFont f = font;
  return known[key] = window_layout::leastLegibleSize([&](double size) {
           f.setPointSizeF(size);
           return lineHeight(f, devicePixelRatio);
         });
}

QFont legibleFont(const QFont& font, qreal devicePixelRatio) {
  const double least = legiblePointSize(font, devicePixelRatio);
  if (font.pointSizeF() >= least) return font;
  QFont f = font;
  f.setPointSizeF(least);
  return f;
}

QFont fitFont(const QFont& font, const QString& text, QSize room, bool wrap, qreal devicePixelRatio, bool* fitted) {
  QFont f = font;
  const window_layout::FittedCaption fit = window_layout::fitCaption(
      font.pointSizeF(), legiblePointSize(font, devicePixelRatio), text.isEmpty(), [&](double size) {
        f.setPointSizeF(size);
        return fits(f, text, room, wrap);
      });
  f.setPointSizeF(fit.pointSize);
  if (fitted) *fitted = fit.fits;
  return f;
}

CanvasView::CanvasView(Control& c, QWidget* parent) : QWidget(parent), c_(c) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Clicking a drawing area takes the focus from a text box, so the box's check runs.
  setFocusPolicy(Qt::ClickFocus);
}

void CanvasView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (auto* canvas = dynamic_cast<QtCanvas*>(c_.canvas.get())) {
    // At its own size and pixel ratio: a plain copy, one image pixel to a device pixel.
    const QImage& image = canvas->image();
    p.drawImage(QPointF(0, 0), image);
    // Whatever the canvas does not cover shows the control's back colour.
    const QSizeF size = image.deviceIndependentSize();
    const int w = static_cast<int>(size.width()), h = static_cast<int>(size.height());
    const QColor back(c_.back().r, c_.back().g, c_.back().b);
    if (width() > w) p.fillRect(w, 0, width() - w, height(), back);
    if (height() > h) p.fillRect(0, h, width(), height() - h, back);
    if (overlay) overlay(p);
    return;
  }
  p.fillRect(rect(), QColor(c_.back().r, c_.back().g, c_.back().b));
}

void CanvasView::mousePressEvent(QMouseEvent* e) {
  QWidget::mousePressEvent(e);
  if (e->button() != Qt::LeftButton) return;
  if (onDrag) onDrag(e->position().x());
  else if (onPress) onPress();
}

void CanvasView::mouseMoveEvent(QMouseEvent* e) {
  QWidget::mouseMoveEvent(e);
  if (onDrag && (e->buttons() & Qt::LeftButton)) onDrag(e->position().x());
}

void CanvasView::mouseReleaseEvent(QMouseEvent* e) {
  QWidget::mouseReleaseEvent(e);
  if (onDrag && e->button() == Qt::LeftButton && onRelease) onRelease();
}

FrameView::FrameView(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

void FrameView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor fore = palette().color(QPalette::WindowText);
  const QFontMetrics m(font());
  const int captionMid = caption.isEmpty() ? 0 : m.height() / 2;
  QColor edge = palette().color(QPalette::Window).lighter(220);
  if (edge == palette().color(QPalette::Window)) edge = QColor(90, 100, 130);
  p.setPen(edge);
  p.drawRoundedRect(QRectF(0.5, captionMid + 0.5, width() - 1.0, height() - captionMid - 1.0), 3, 3);
  if (caption.isEmpty()) return;
  const QRect text(8, 0, m.horizontalAdvance(caption) + 6, m.height());
  p.fillRect(text, palette().color(QPalette::Window));
  p.setPen(fore);
  p.drawText(text, Qt::AlignCenter, caption);
}

void FrameView::mousePressEvent(QMouseEvent* e) {
  QWidget::mousePressEvent(e);
  if (e->button() == Qt::LeftButton && onPress) onPress();
}

ShapeView::ShapeView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void ShapeView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color, 1.5));
  p.setBrush(fill);
  p.drawEllipse(QRectF(1, 1, width() - 2.0, height() - 2.0));
}

LineView::LineView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void LineView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color, 1.5));
  p.drawLine(from, to);
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {}

void ClickLabel::mousePressEvent(QMouseEvent* e) {
  QLabel::mousePressEvent(e);
  if (e->button() == Qt::LeftButton && onPress) onPress();
}

}  // namespace quorl
