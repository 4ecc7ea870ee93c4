// The game's style: Fusion, the dark palette, indicators drawn as a light-rimmed black well.
#include "app/qt/game_style.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>
#include <cmath>

#include "app/window_layout.h"

namespace quorl {

namespace {

constexpr QColor kPanel(18, 22, 34);
// The well is black with a light rim, so that a box shows on a black panel and on a white label alike.
constexpr QColor kWell(0, 0, 0), kRim(175, 190, 220), kMark(120, 220, 255);
constexpr QColor kRimOff(95, 100, 115), kMarkOff(120, 125, 140);

}  // namespace

GameStyle::GameStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int GameStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight: return window_layout::indicatorPx(scale_);
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing: return window_layout::indicatorSpacingPx(scale_);
    default: return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

void GameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
  const bool check = element == PE_IndicatorCheckBox, radio = element == PE_IndicatorRadioButton;
  if (!check && !radio) return QProxyStyle::drawPrimitive(element, option, painter, widget);
  const bool enabled = option->state & State_Enabled;
  const bool on = option->state & (State_On | State_NoChange);
  const int side = std::min(option->rect.width(), option->rect.height());
  const QRectF box(option->rect.x() + (option->rect.width() - side) / 2.0,
                   option->rect.y() + (option->rect.height() - side) / 2.0, side, side);
  const QRectF rim = box.adjusted(0.5, 0.5, -0.5, -0.5);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  QColor edge = enabled ? kRim : kRimOff;
  if (enabled && (option->state & (State_MouseOver | State_HasFocus))) edge = edge.lighter(125);
  painter->setPen(QPen(edge, 1.0));
  painter->setBrush(kWell);
  if (radio) painter->drawEllipse(rim);
  else painter->drawRoundedRect(rim, 1.5, 1.5);
  if (on) {
    const QColor mark = enabled ? kMark : kMarkOff;
    if (radio) {
      painter->setPen(Qt::NoPen);
      painter->setBrush(mark);
      const double inset = side * 0.28;
      painter->drawEllipse(box.adjusted(inset, inset, -inset, -inset));
    } else {
      QPainterPath tick;
      tick.moveTo(box.left() + side * 0.22, box.top() + side * 0.52);
      tick.lineTo(box.left() + side * 0.42, box.top() + side * 0.72);
      tick.lineTo(box.left() + side * 0.78, box.top() + side * 0.28);
      painter->setPen(QPen(mark, std::max(1.5, side / 7.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter->setBrush(Qt::NoBrush);
      painter->drawPath(tick);
    }
  }
  painter->restore();
}

void applyGameStyle(QApplication& app) {
  app.setStyle(new GameStyle);
  QPalette p;
  p.setColor(QPalette::Window, kPanel);
  p.setColor(QPalette::WindowText, QColor(200, 210, 230));
  p.setColor(QPalette::Base, QColor(0, 0, 0));
  p.setColor(QPalette::AlternateBase, QColor(24, 28, 40));
  p.setColor(QPalette::Text, QColor(230, 236, 255));
  p.setColor(QPalette::Button, QColor(44, 52, 76));
  p.setColor(QPalette::ButtonText, QColor(230, 236, 255));
  p.setColor(QPalette::Highlight, QColor(70, 110, 200));
  p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
  p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
  p.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
  for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
    p.setColor(QPalette::Disabled, role, QColor(110, 115, 130));
  app.setPalette(p);
}

GameStyle* gameStyle() { return dynamic_cast<GameStyle*>(QApplication::style()); }

}  // namespace quorl
