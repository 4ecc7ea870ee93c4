// The game's look: Fusion with the dark palette the panels are drawn for, check boxes and option buttons
// whose state shows on any background, and indicator sizes that follow the window's scale.
#pragma once
#include <QProxyStyle>

class QApplication;

namespace quorl {

class GameStyle : public QProxyStyle {
 public:
  GameStyle();
  // The window's scale (1: 15 window units to a logical pixel); indicators and their spacing follow it.
  void setScale(double s) { scale_ = s; }
  double scale() const { return scale_; }

  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

 private:
  double scale_ = 1.0;
};

// Installs the game style and palette on the application.
void applyGameStyle(QApplication& app);
// The application's game style, or null when another style is installed.
GameStyle* gameStyle();

}  // namespace quorl
