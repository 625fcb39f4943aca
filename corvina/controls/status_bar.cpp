#include "status_bar.h"

#include <QPainter>

#include "theme.h"

namespace corvina::controls {

StatusBar::StatusBar(const QList<int>& fixedPanelWidthsTwips, QWidget* parent)
    : QWidget(parent), fixedWidths_(fixedPanelWidthsTwips) {
  setObjectName("StatusBar");
  texts_.resize(fixedWidths_.size() + 1);
  setFixedHeight(26);
}

QString StatusBar::panelText(int n) const { return n >= 1 && n <= panelCount() ? texts_[n - 1] : QString(); }

void StatusBar::setPanelText(int n, const QString& text) {
  if (n < 1 || n > panelCount()) return;
  texts_[n - 1] = text;
  update();
}

int StatusBar::panelWidth(int n) const {
  if (n < 1 || n > panelCount()) return 0;
  if (n > 1) return fixedWidths_[n - 2];
  int rest = toTwips(width());
  for (int w : fixedWidths_) rest -= w;
  return qMax(rest, 0);
}

int StatusBar::panelLeft(int n) const {
  int left = 0;
  for (int i = 1; i < n; ++i) left += panelWidth(i);
  return left;
}

void StatusBar::dockToBottom() {
  if (!parentWidget()) return;
  setGeometry(0, parentWidget()->height() - height(), parentWidget()->width(), height());
  update();
}

void StatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QLinearGradient fill(0, 0, 0, height());
  fill.setColorAt(0, QColor(236, 240, 247));
  fill.setColorAt(1, QColor(208, 217, 232));
  p.fillRect(rect(), fill);
  p.setPen(QColor(150, 165, 192));
  p.drawLine(0, 0, width(), 0);

  QFont f = font();
  f.setPointSizeF(9);
  p.setFont(f);
  for (int n = 1; n <= panelCount(); ++n) {
    QRect panel(toPixels(panelLeft(n)), 0, toPixels(panelWidth(n)), height());
    if (n > 1) {
      p.setPen(QColor(160, 174, 198));
      p.drawLine(panel.left(), 5, panel.left(), height() - 5);
      p.setPen(QColor(255, 255, 255));
      p.drawLine(panel.left() + 1, 5, panel.left() + 1, height() - 5);
    }
    p.setPen(QColor(28, 44, 74));
    p.drawText(panel.adjusted(8, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, texts_[n - 1]);
  }
}

}  // namespace corvina::controls
