#include "xp_progress_bar.h"

#include <QPainter>
#include <QPainterPath>

namespace corvina::controls {

XP_ProgressBar::XP_ProgressBar(QWidget* parent) : QWidget(parent) { setObjectName("XP_ProgressBar"); }

void XP_ProgressBar::setMin(int min) {
  min_ = min;
  if (max_ < min_) max_ = min_;
  setValue(value_);
}

void XP_ProgressBar::setMax(int max) {
  max_ = max;
  if (min_ > max_) min_ = max_;
  setValue(value_);
}

void XP_ProgressBar::setValue(int value) {
  value_ = qBound(min_, value, max_);
  update();
}

void XP_ProgressBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF trough = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient back(trough.topLeft(), trough.bottomLeft());
  back.setColorAt(0, QColor(226, 230, 238));
  back.setColorAt(1, QColor(250, 251, 253));
  p.setPen(QColor(120, 134, 160));
  p.setBrush(back);
  p.drawRoundedRect(trough, 3, 3);

  if (max_ <= min_ || value_ <= min_) return;
  QRectF inner = trough.adjusted(2.5, 2.5, -2.5, -2.5);
  qreal filled = inner.width() * (value_ - min_) / (max_ - min_);
  const qreal block = 8, gap = 2;
  QLinearGradient green(inner.topLeft(), inner.bottomLeft());
  green.setColorAt(0, QColor(174, 238, 150));
  green.setColorAt(0.45, QColor(64, 190, 58));
  green.setColorAt(1, QColor(40, 150, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(green);
  p.setClipRect(QRectF(inner.left(), inner.top(), filled, inner.height()));
  for (qreal x = inner.left(); x < inner.left() + filled; x += block + gap)
    p.drawRoundedRect(QRectF(x, inner.top(), block, inner.height()), 1.5, 1.5);
}

}  // namespace corvina::controls
