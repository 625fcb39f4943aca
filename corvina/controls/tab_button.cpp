#include "tab_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "theme.h"

namespace corvina::controls {

TabButton::TabButton(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption) {
  setObjectName("TabButton");
  setAttribute(Qt::WA_Hover);
  setCursor(Qt::PointingHandCursor);
  QFont f = font();
  f.setPointSizeF(10);
  f.setBold(true);
  setFont(f);
}

void TabButton::setSelected(bool selected) {
  selected_ = selected;
  update();
}

void TabButton::setHovered(bool hovered) {
  hovered_ = hovered;
  update();
}

QSize TabButton::sizeHint() const {
  return QSize(fontMetrics().horizontalAdvance(caption_) + 36, 34);
}

void TabButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF r = QRectF(rect()).adjusted(1.5, 5.5, -1.5, 0.5);
  QPainterPath tab;
  const qreal radius = 7;
  tab.moveTo(r.left(), r.bottom());
  tab.lineTo(r.left(), r.top() + radius);
  tab.quadTo(r.left(), r.top(), r.left() + radius, r.top());
  tab.lineTo(r.right() - radius, r.top());
  tab.quadTo(r.right(), r.top(), r.right(), r.top() + radius);
  tab.lineTo(r.right(), r.bottom());

  if (selected_) {
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, pageBackLight());
    fill.setColorAt(1, pageBackColor());
    p.fillPath(tab, fill);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawPath(tab);
  } else if (hovered_) {
    p.fillPath(tab, QColor(255, 255, 255, 38));
  }
  p.setPen(selected_ ? textOnBlue() : (hovered_ ? textOnBlue() : mutedTextOnBlue()));
  p.drawText(rect().adjusted(0, 5, 0, 0), Qt::AlignCenter, caption_);
}

void TabButton::enterEvent(QEnterEvent*) { setHovered(true); }

void TabButton::leaveEvent(QEvent*) { setHovered(false); }

void TabButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace corvina::controls
