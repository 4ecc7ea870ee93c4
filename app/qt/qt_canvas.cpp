// A drawing area backed by a QImage at device pixels.
#include "app/qt/qt_canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "ui/contrast.h"

namespace quorl {

QFont gameFont(const std::string& family, double pointSize, bool bold) {
  QFont f;
  const QString name = QString::fromStdString(family);
  // Georgia and other serif faces fall back to DejaVu Serif, everything else to DejaVu Sans.
  const bool serif =
      name.compare("Georgia", Qt::CaseInsensitive) == 0 || name.contains("Serif") || name.contains("Times");
  f.setFamilies({name, serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans")});
  f.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
  f.setPointSizeF(pointSize > 0 ? pointSize : 8);
  f.setBold(bold);
  return f;
}

QtCanvas::QtCanvas(int widthUnits, int heightUnits, Color background, qreal devicePixelRatio, double windowScale)
    : Canvas(widthUnits, heightUnits, background),
      dpr_(devicePixelRatio > 0 ? devicePixelRatio : 1.0),
      scale_(windowScale > 0 ? windowScale : 1.0) {
  allocate();
}

void QtCanvas::setScale(double windowScale, qreal devicePixelRatio) {
  if (windowScale <= 0 || devicePixelRatio <= 0 || (windowScale == scale_ && devicePixelRatio == dpr_)) return;
  const QImage old = image_;  // shares the buffer until allocate() makes a new one
  scale_ = windowScale;
  dpr_ = devicePixelRatio;
  allocate();
  // Nearest pixels: a point of a trail stays one sharp pixel instead of a faint smear.
  QPainter p(&image_);
  p.drawImage(QRectF(QPointF(0, 0), image_.deviceIndependentSize()), old);
}

void QtCanvas::resize(int widthUnits, int heightUnits) {
  Canvas::resize(widthUnits, heightUnits);
  allocate();
}

void QtCanvas::allocate() {
  const double scale = scale_ * dpr_ / 15.0;
  const int w = std::max(1, static_cast<int>(std::ceil(width() * scale)));
  const int h = std::max(1, static_cast<int>(std::ceil(height() * scale)));
  image_ = QImage(w, h, QImage::Format_RGB32);
  image_.setDevicePixelRatio(dpr_);
  attachPixels(reinterpret_cast<std::uint32_t*>(image_.bits()), w, h, static_cast<int>(image_.bytesPerLine() / 4),
               scale);
}

void QtCanvas::onPrint(double x, double y, const std::string& text, Color c) {
  QPainter p(&image_);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont f = gameFont(fontName, 8, fontBold);
  // A point is 20 window units, so 4/3 logical pixels at scale 1.
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(fontSize * 4.0 / 3.0 * scale_))));
  p.setFont(f);
  if (legibleText) c = legibleOn(c, background());
  p.setPen(QColor(c.r, c.g, c.b));
  // The pen is the top left of the text, as a drawing area prints.
  const QFontMetricsF m(f);
  const double toLogical = scale_ / 15.0;
  p.drawText(QPointF(x * toLogical, y * toLogical + m.ascent()), QString::fromStdString(text));
}

CanvasFactory qtCanvasFactory() {
  return [](int w, int h, Color bg) -> std::unique_ptr<Canvas> {
    qreal dpr = 1.0;
    if (QScreen* screen = QGuiApplication::primaryScreen()) dpr = screen->devicePixelRatio();
    return std::make_unique<QtCanvas>(w, h, bg, dpr);
  };
}

}  // namespace quorl
