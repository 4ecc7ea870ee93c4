// Widgets for drawing areas, frames, shapes, lines and clickable labels.
#include "app/qt/control_views.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/qt/qt_canvas.h"

namespace quorl {

CanvasView::CanvasView(Control& c, QWidget* parent) : QWidget(parent), c_(c) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Clicking a drawing area takes the focus from a text box, so the box's check runs.
  setFocusPolicy(Qt::ClickFocus);
}

void CanvasView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (auto* canvas = dynamic_cast<QtCanvas*>(c_.canvas.get())) {
    p.drawImage(QRectF(0, 0, canvas->width() / 15.0, canvas->height() / 15.0), canvas->image());
    // Whatever the canvas does not cover shows the control's back colour.
    const int w = static_cast<int>(canvas->width() / 15.0), h = static_cast<int>(canvas->height() / 15.0);
    const QColor back(c_.back().r, c_.back().g, c_.back().b);
    if (width() > w) p.fillRect(w, 0, width() - w, height(), back);
    if (height() > h) p.fillRect(0, h, width(), height() - h, back);
    return;
  }
  p.fillRect(rect(), QColor(c_.back().r, c_.back().g, c_.back().b));
}

void CanvasView::mousePressEvent(QMouseEvent* e) {
  QWidget::mousePressEvent(e);
  if (e->button() == Qt::LeftButton && onPress) onPress();
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
