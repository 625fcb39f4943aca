#include "tab_button2.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "theme.h"

namespace corvina::controls {

TabButton2::TabButton2(QWidget* parent) : QWidget(parent) {
  setObjectName("TabButton2");
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
  QFont f = font();
  f.setBold(true);
  setFont(f);
}

void TabButton2::setCaption1(const QString& text) {
  captions_[0] = text;
  update();
}

void TabButton2::setCaption2(const QString& text) {
  captions_[1] = text;
  update();
}

void TabButton2::clickTab(int tab) {
  if (tab != 1 && tab != 2) return;
  selected_ = tab;
  update();
  if (tab == 1)
    emit TabClick1();
  else
    emit TabClick2();
}

QSize TabButton2::sizeHint() const {
  int w = qMax(fontMetrics().horizontalAdvance(captions_[0]), fontMetrics().horizontalAdvance(captions_[1]));
  return QSize(2 * (w + 36), 28);
}

QRectF TabButton2::segment(int tab) const {
  QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
  qreal half = r.width() / 2;
  return tab == 1 ? QRectF(r.left(), r.top(), half, r.height()) : QRectF(r.left() + half, r.top(), half, r.height());
}

void TabButton2::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF outer = QRectF(rect()).adjusted(1, 1, -1, -1);
  qreal radius = outer.height() / 2;
  QPainterPath pill;
  pill.addRoundedRect(outer, radius, radius);
  p.fillPath(pill, QColor(10, 30, 70, 90));

  for (int tab = 1; tab <= 2; ++tab) {
    QRectF seg = segment(tab).adjusted(2, 2, -2, -2);
    QPainterPath shape;
    shape.addRoundedRect(seg, seg.height() / 2, seg.height() / 2);
    if (tab == selected_) {
      QLinearGradient fill(seg.topLeft(), seg.bottomLeft());
      fill.setColorAt(0, QColor(255, 255, 255));
      fill.setColorAt(1, QColor(222, 232, 248));
      p.fillPath(shape, fill);
      p.setPen(pageBackDark());
    } else {
      if (tab == hovered_) p.fillPath(shape, QColor(255, 255, 255, 40));
      p.setPen(textOnBlue());
    }
    p.drawText(segment(tab), Qt::AlignCenter, captions_[tab - 1]);
  }
  p.setPen(QPen(QColor(255, 255, 255, 120), 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(pill);
}

void TabButton2::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  QPointF at = event->position();
  if (segment(1).contains(at))
    clickTab(1);
  else if (segment(2).contains(at))
    clickTab(2);
}

void TabButton2::mouseMoveEvent(QMouseEvent* event) {
  int now = segment(1).contains(event->position()) ? 1 : segment(2).contains(event->position()) ? 2 : 0;
  if (now != hovered_) {
    hovered_ = now;
    update();
  }
}

void TabButton2::leaveEvent(QEvent*) {
  hovered_ = 0;
  update();
}

}  // namespace corvina::controls
