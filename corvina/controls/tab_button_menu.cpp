#include "tab_button_menu.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "theme.h"

namespace corvina::controls {

TabButtonMenu::TabButtonMenu(int number, QWidget* parent) : QWidget(parent), number_(number) {
  setObjectName("TabButtonMenu");
  setAttribute(Qt::WA_Hover);
  setCursor(Qt::PointingHandCursor);
}

void TabButtonMenu::setHovered(bool hovered) {
  hovered_ = hovered;
  update();
}

void TabButtonMenu::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF r = QRectF(rect()).adjusted(1.5, 10.5, -1.5, -4.5);
  if (hovered_) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawRoundedRect(r, 4, 4);
  }
  // A small downward chevron.
  QPointF c(r.center().x(), r.center().y() + 1);
  QPainterPath arrow;
  arrow.moveTo(c.x() - 4, c.y() - 2);
  arrow.lineTo(c.x(), c.y() + 2);
  arrow.lineTo(c.x() + 4, c.y() - 2);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(hovered_ ? textOnBlue() : mutedTextOnBlue(), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(arrow);
}

void TabButtonMenu::enterEvent(QEnterEvent*) { setHovered(true); }

void TabButtonMenu::leaveEvent(QEvent*) { setHovered(false); }

void TabButtonMenu::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked(number_);
}

TabSeparator::TabSeparator(QWidget* parent) : QWidget(parent) { setObjectName("TabSeparator"); }

void TabSeparator::paintEvent(QPaintEvent*) {
  QPainter p(this);
  int x = width() / 2;
  p.setPen(QColor(0, 0, 0, 90));
  p.drawLine(x, 12, x, height() - 6);
  p.setPen(QColor(255, 255, 255, 40));
  p.drawLine(x + 1, 12, x + 1, height() - 6);
}

}  // namespace corvina::controls
