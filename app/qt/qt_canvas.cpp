// A drawing area backed by a QImage at device pixels.
#include "app/qt/qt_canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "app/window_layout.h"
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

double lineHeight(const QFont& font, qreal devicePixelRatio) { return QFontMetricsF(font).height() * devicePixelRatio; }

QtCanvas::QtCanvas(int widthUnits, int heightUnits, Color background, qreal devicePixelRatio, double windowScale)
    : Canvas(widthUnits, heightUnits, background),
      dpr_(devicePixelRatio > 0 ? devicePixelRatio : 1.0),
      scale_(windowScale > 0 ? windowScale : 1.0) {
  allocate();
}

void QtCanvas::setScale(double windowScale, qreal devicePixelRatio) {
  if (windowScale <= 0 || devicePixelRatio <= 0 || (windowScale == scale_ && devicePixelRatio == dpr_)) return;
  const QImage old = image_;  // shares the buffer until allocate() makes a new one
  const double k = windowScale / scale_;
  scale_ = windowScale;
  dpr_ = devicePixelRatio;
  allocate();
  // Nearest pixels: a point of a trail stays one sharp pixel instead of a faint smear.
  {
    QPainter p(&image_);
    p.drawImage(QRectF(QPointF(0, 0), image_.deviceIndependentSize()), old);
    // Texts are drawn anew at the new size over the place their shrunk pixels took.
    const QColor back(background().r, background().g, background().b);
    for (const Printed& t : printed_) p.fillRect(QRectF(t.area.topLeft() * k, t.area.size() * k), back);
  }
  for (Printed& t : printed_) draw(t);
}

void QtCanvas::resize(int widthUnits, int heightUnits) {
  Canvas::resize(widthUnits, heightUnits);
  printed_.clear();
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

QFont QtCanvas::fontFor(double size, bool bold, const std::string& family) const {
  QFont f = gameFont(family, 8, bold);
  f.setPixelSize(window_layout::canvasTextPx(size, scale_, [&](int px) {
    f.setPixelSize(px);
    return lineHeight(f, dpr_);
  }));
  return f;
}

void QtCanvas::draw(Printed& t) {
  QPainter p(&image_);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QFont f = fontFor(t.fontSize, t.bold, t.fontName);
  p.setFont(f);
  p.setPen(QColor(t.color.r, t.color.g, t.color.b));
  // The pen is the top left of the text, as a drawing area prints.
  const QFontMetricsF m(f);
  const double toLogical = scale_ / 15.0;
  const QPointF at(t.x * toLogical, t.y * toLogical);
  p.drawText(at + QPointF(0, m.ascent()), QString::fromStdString(t.text));
  t.area = QRectF(at, QSizeF(m.horizontalAdvance(QString::fromStdString(t.text)), m.height()));
}

void QtCanvas::onPrint(double x, double y, const std::string& text, Color c) {
  if (legibleText) c = legibleOn(c, background());
  Printed t{x, y, text, c, fontSize, fontBold, fontName, {}};
  draw(t);
  keepPrinted(printed_, std::move(t));
}

double QtCanvas::smallestText() const {
  double least = 0;
  for (const Printed& t : printed_) {
    const double h = lineHeight(fontFor(t.fontSize, t.bold, t.fontName), dpr_);
    if (!least || h < least) least = h;
  }
  return least;
}

CanvasFactory qtCanvasFactory() {
  return [](int w, int h, Color bg) -> std::unique_ptr<Canvas> {
    qreal dpr = 1.0;
    if (QScreen* screen = QGuiApplication::primaryScreen()) dpr = screen->devicePixelRatio();
    return std::make_unique<QtCanvas>(w, h, bg, dpr);
  };
}

}  // namespace quorl
