#include "uc_firefox_wait.h"

#include <QPainter>
#include <QtMath>

namespace corvina::controls {

namespace {
constexpr int kDots = 8;
}

ucFirefoxWait::ucFirefoxWait(QWidget* parent) : QWidget(parent) {
  setObjectName("ucFirefoxWait");
  timer_.setInterval(100);
  connect(&timer_, &QTimer::timeout, this, [this] {
    step_ = (step_ + 1) % kDots;
    update();
  });
}

void ucFirefoxWait::start() { timer_.start(); }

void ucFirefoxWait::stop() { timer_.stop(); }

void ucFirefoxWait::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  qreal size = qMin(width(), height());
  QPointF centre = QRectF(rect()).center();
  qreal ring = size * 0.34, dot = size * 0.11;
  for (int i = 0; i < kDots; ++i) {
    qreal angle = 2 * M_PI * i / kDots - M_PI / 2;
    int age = (step_ - i + kDots) % kDots;  // 0 is the brightest dot
    QColor c(255, 255, 255, 255 - age * 28);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(centre.x() + ring * qCos(angle), centre.y() + ring * qSin(angle)), dot, dot);
  }
}

}  // namespace corvina::controls
