#include "tab_menu.h"

#include <QPainter>

#include "tab_button.h"
#include "tab_button_menu.h"
#include "theme.h"

namespace corvina::controls {

TabMenu::TabMenu(QWidget* parent) : QWidget(parent) {
  setObjectName("TabMenu");
  setFixedHeight(40);
}

void TabMenu::AddButton(int kind, const QString& caption) {
  QWidget* item = nullptr;
  if (kind == TabKind) {
    auto* button = new TabButton(caption, this);
    connect(button, &TabButton::clicked, this, [this, button] { select(button); });
    tabs_.append(button);
    item = button;
  } else if (kind == MenuKind) {
    auto* button = new TabButtonMenu(static_cast<int>(menus_.size()) + 2, this);
    connect(button, &TabButtonMenu::clicked, this, &TabMenu::MenuClick);
    menus_.append(button);
    item = button;
  } else if (kind == SeparatorKind) {
    item = new TabSeparator(this);
  } else {
    return;
  }
  items_.append(item);
  item->show();
  layoutItems();
}

void TabMenu::SetTabFocus(int n) {
  if (n >= 1 && n <= tabs_.size()) select(tabs_[n - 1]);
}

void TabMenu::MoveMouseOff() {
  for (TabButton* t : tabs_) t->setHovered(false);
  for (TabButtonMenu* m : menus_) m->setHovered(false);
}

QStringList TabMenu::describe() const {
  QStringList out;
  for (QWidget* item : items_) {
    if (auto* t = qobject_cast<TabButton*>(item))
      out << t->caption();
    else if (auto* m = qobject_cast<TabButtonMenu*>(item))
      out << QString("menu %1").arg(m->number());
    else
      out << "|";
  }
  return out;
}

QString TabMenu::selectedCaption() const {
  for (TabButton* t : tabs_)
    if (t->isSelected()) return t->caption();
  return {};
}

TabButton* TabMenu::tab(int n) const { return n >= 1 && n <= tabs_.size() ? tabs_[n - 1] : nullptr; }

TabButtonMenu* TabMenu::menuButton(int number) const {
  for (TabButtonMenu* m : menus_)
    if (m->number() == number) return m;
  return nullptr;
}

void TabMenu::setBrand(const QString& text) {
  brand_ = text;
  update();
}

void TabMenu::select(TabButton* button) {
  for (TabButton* t : tabs_) t->setSelected(t == button);
  emit TabClick(button->caption());
}

void TabMenu::layoutItems() {
  int x = 10;
  for (QWidget* item : items_) {
    QSize size = item->sizeHint();
    item->setGeometry(x, height() - size.height(), size.width(), size.height());
    x += size.width() + (qobject_cast<TabButton*>(item) ? 0 : 2);
  }
}

void TabMenu::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QLinearGradient fill(0, 0, 0, height());
  fill.setColorAt(0, stripTop());
  fill.setColorAt(1, stripBottom());
  p.fillRect(rect(), fill);
  // The selected tab joins the page below through a line in the page colour.
  p.setPen(pageBackColor());
  p.drawLine(0, height() - 1, width(), height() - 1);
  if (!brand_.isEmpty()) {
    QFont f = font();
    f.setPointSizeF(13);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(rect().adjusted(0, 0, -16, 0), Qt::AlignRight | Qt::AlignVCenter, brand_);
  }
}

void TabMenu::leaveEvent(QEvent*) { MoveMouseOff(); }

void TabMenu::resizeEvent(QResizeEvent*) { layoutItems(); }

}  // namespace corvina::controls
