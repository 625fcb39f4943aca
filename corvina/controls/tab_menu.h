// The drawn tab strip across the top of the main window: tab buttons and
// small menu buttons, left to right in the order they are added.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

namespace corvina::controls {

class TabButton;
class TabButtonMenu;

class TabMenu : public QWidget {
  Q_OBJECT
 public:
  enum Kind { TabKind = 1, MenuKind = 2, SeparatorKind = 3 };

  explicit TabMenu(QWidget* parent = nullptr);

  // Kind 1 adds a tab button with the caption, kind 2 a menu button (numbered
  // 2, 3, ... in the order added), kind 3 a separator.
  void AddButton(int kind, const QString& caption = QString());
  // Selects tab button n (1 for the first) and raises TabClick as a click does.
  void SetTabFocus(int n);
  // Clears the hover highlight of every button.
  void MoveMouseOff();

  // What the strip holds, left to right: the caption for a tab, "menu N" for
  // a menu button, "|" for a separator.
  QStringList describe() const;
  QString selectedCaption() const;
  TabButton* tab(int n) const;                 // 1-based
  TabButtonMenu* menuButton(int number) const;  // by its number
  // Text drawn at the right end of the strip.
  void setBrand(const QString& text);

 signals:
  void TabClick(const QString& caption);
  void MenuClick(int number);

 protected:
  void paintEvent(QPaintEvent*) override;
  void leaveEvent(QEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  void select(TabButton* button);
  void layoutItems();

  QList<QWidget*> items_;
  QList<TabButton*> tabs_;
  QList<TabButtonMenu*> menus_;
  QString brand_;
};

}  // namespace corvina::controls
