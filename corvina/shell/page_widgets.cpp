#include "page_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "controls/theme.h"

namespace corvina {

using namespace controls;

QLabel* makeTitle(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* title = makeControl<QLabel>(parent, name, text);
  title->setProperty("role", "title");
  QFont f = title->font();
  f.setPointSizeF(21);
  f.setBold(true);
  title->setFont(f);
  title->move(x, y);
  title->adjustSize();
  return title;
}

PagePicture::PagePicture(int style, QWidget* parent) : QWidget(parent), style_(style) {}

void PagePicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, 0, height());
  fill.setColorAt(0, QColor(64, 118, 192));
  fill.setColorAt(0.35, pageBackColor());
  fill.setColorAt(1, QColor(44, 88, 156));
  p.fillRect(rect(), fill);
  if (style_ >= 1) {
    // A soft shine behind the titles, like light on brushed metal.
    QRadialGradient shine(QPointF(width() * 0.85, 0), width() * 0.6);
    shine.setColorAt(0, QColor(255, 255, 255, 46));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(rect(), shine);
  }
  if (style_ == 2) return;
  // A faint rule under the title area.
  p.setPen(QColor(255, 255, 255, 40));
  p.drawLine(24, 92, width() - 24, 92);
}

IpodPicture::IpodPicture(QWidget* parent) : QWidget(parent) {}

void IpodPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  qreal w = width() - 16, h = height() - 16;
  QRectF body(8, 8, w, h);

  // Drop shadow.
  p.setPen(Qt::NoPen);
  for (int i = 6; i > 0; --i) {
    p.setBrush(QColor(0, 0, 0, 10));
    p.drawRoundedRect(body.translated(0, 4).adjusted(-i, -i, i, i), 22 + i, 22 + i);
  }
  // White body with a steel back showing at the edge.
  QLinearGradient steel(body.topLeft(), body.topRight());
  steel.setColorAt(0, QColor(170, 176, 186));
  steel.setColorAt(0.5, QColor(236, 238, 242));
  steel.setColorAt(1, QColor(160, 166, 176));
  p.setBrush(steel);
  p.drawRoundedRect(body, 22, 22);
  QRectF face = body.adjusted(3, 3, -3, -3);
  QLinearGradient white(face.topLeft(), face.bottomRight());
  white.setColorAt(0, QColor(255, 255, 255));
  white.setColorAt(1, QColor(232, 235, 240));
  p.setBrush(white);
  p.drawRoundedRect(face, 20, 20);

  // Screen.
  QRectF screen(face.left() + face.width() * 0.1, face.top() + face.height() * 0.07, face.width() * 0.8,
                face.height() * 0.42);
  p.setBrush(QColor(40, 44, 52));
  p.drawRoundedRect(screen.adjusted(-3, -3, 3, 3), 5, 5);
  QLinearGradient lcd(screen.topLeft(), screen.bottomLeft());
  lcd.setColorAt(0, QColor(236, 242, 250));
  lcd.setColorAt(1, QColor(196, 212, 232));
  p.setBrush(lcd);
  p.drawRect(screen);
  // The boot menu on the screen: a title bar and three items, one selected.
  QFont f = font();
  f.setPixelSize(qMax(8, int(screen.height() / 9)));
  f.setBold(true);
  p.setFont(f);
  qreal row = screen.height() / 6.5;
  p.setPen(QColor(30, 40, 60));
  p.drawText(QRectF(screen.left(), screen.top() + 2, screen.width(), row), Qt::AlignCenter, "iPL Loader");
  p.setPen(QColor(120, 130, 150));
  p.drawLine(QPointF(screen.left() + 6, screen.top() + row + 3), QPointF(screen.right() - 6, screen.top() + row + 3));
  const char* items[] = {"Apple OS", "iPodLinux", "Disk Mode"};
  f.setBold(false);
  p.setFont(f);
  for (int i = 0; i < 3; ++i) {
    QRectF item(screen.left() + 8, screen.top() + row * (1.6 + i * 1.3), screen.width() - 16, row * 1.1);
    if (i == 1) {
      p.setPen(Qt::NoPen);
      p.setBrush(pageBackColor());
      p.drawRoundedRect(item, 3, 3);
      p.setPen(Qt::white);
    } else {
      p.setPen(QColor(30, 40, 60));
    }
    p.drawText(item.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, items[i]);
  }

  // Click wheel.
  qreal d = face.width() * 0.66;
  QRectF wheel(face.center().x() - d / 2, face.bottom() - face.height() * 0.06 - d, d, d);
  QRadialGradient wheelFill(wheel.center(), d / 2);
  wheelFill.setColorAt(0, QColor(250, 250, 252));
  wheelFill.setColorAt(1, QColor(226, 230, 236));
  p.setPen(QPen(QColor(200, 205, 214), 1));
  p.setBrush(wheelFill);
  p.drawEllipse(wheel);
  QRectF button = wheel.adjusted(d * 0.32, d * 0.32, -d * 0.32, -d * 0.32);
  p.setBrush(QColor(255, 255, 255));
  p.drawEllipse(button);
  f.setPixelSize(qMax(7, int(d / 11)));
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(150, 156, 168));
  p.drawText(QRectF(wheel.left(), wheel.top() + d * 0.05, d, d * 0.2), Qt::AlignCenter, "MENU");
  p.drawText(QRectF(wheel.left(), wheel.bottom() - d * 0.24, d, d * 0.2), Qt::AlignCenter, QString::fromUtf8("\u25B6\u2759\u2759"));
  p.drawText(QRectF(wheel.left() + d * 0.04, wheel.center().y() - d * 0.1, d * 0.2, d * 0.2), Qt::AlignCenter,
             QString::fromUtf8("\u25C0\u25C0"));
  p.drawText(QRectF(wheel.right() - d * 0.24, wheel.center().y() - d * 0.1, d * 0.2, d * 0.2), Qt::AlignCenter,
             QString::fromUtf8("\u25B6\u25B6"));
}

PictureButton::PictureButton(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_Hover);
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, hovered_ ? QColor(132, 226, 110) : QColor(112, 208, 92));
  fill.setColorAt(0.5, hovered_ ? QColor(60, 176, 52) : QColor(48, 158, 44));
  fill.setColorAt(1, QColor(34, 128, 34));
  p.setPen(QPen(QColor(20, 84, 24), 1));
  p.setBrush(fill);
  p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
  // Gloss on the upper half.
  QRectF gloss = r.adjusted(r.height() * 0.25, 2, -r.height() * 0.25, -r.height() * 0.55);
  QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
  shine.setColorAt(0, QColor(255, 255, 255, 120));
  shine.setColorAt(1, QColor(255, 255, 255, 10));
  p.setPen(Qt::NoPen);
  p.setBrush(shine);
  p.drawRoundedRect(gloss, gloss.height() / 2, gloss.height() / 2);
  // A download arrow at the left end.
  qreal cx = r.left() + r.height() * 0.6, cy = r.center().y();
  p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(cx, cy - 8), QPointF(cx, cy + 6));
  p.drawLine(QPointF(cx - 6, cy), QPointF(cx, cy + 6));
  p.drawLine(QPointF(cx + 6, cy), QPointF(cx, cy + 6));
  p.drawLine(QPointF(cx - 8, cy + 10), QPointF(cx + 8, cy + 10));
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void PictureButton::enterEvent(QEnterEvent*) {
  hovered_ = true;
  update();
}

void PictureButton::leaveEvent(QEvent*) {
  hovered_ = false;
  update();
}

BootMenuPicture::BootMenuPicture(QWidget* parent) : QWidget(parent) {}

void BootMenuPicture::paintEvent(QPaintEvent*) {
  // The loader's screen in twips of its own: title, countdown, underline and
  // an empty framed list with its selection bar.
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  QFont f("Tahoma");
  f.setPointSizeF(9);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QPoint(toPixels(100), toPixels(70) + 12), "iPL Loader 2.4");
  p.drawText(QPoint(toPixels(3480), toPixels(70) + 12), "15");
  p.drawLine(toPixels(120), toPixels(360), toPixels(3840), toPixels(360));
  p.drawRect(toPixels(720), toPixels(1200), toPixels(2400), toPixels(1440));
  p.fillRect(toPixels(720), toPixels(1200), toPixels(2415), toPixels(255), QColor(0, 0, 255));
}

}  // namespace corvina
