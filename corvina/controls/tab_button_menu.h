// The small drop-down button of the tab strip that opens a menu.
#pragma once

#include <QWidget>

namespace corvina::controls {

class TabButtonMenu : public QWidget {
  Q_OBJECT
 public:
  TabButtonMenu(int number, QWidget* parent = nullptr);

  int number() const { return number_; }
  bool isHovered() const { return hovered_; }
  void setHovered(bool hovered);
  QSize sizeHint() const override { return QSize(20, 34); }

 signals:
  void clicked(int number);

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int number_;
  bool hovered_ = false;
};

// A thin upright line between groups of tab buttons.
class TabSeparator : public QWidget {
  Q_OBJECT
 public:
  explicit TabSeparator(QWidget* parent = nullptr);
  QSize sizeHint() const override { return QSize(9, 34); }

 protected:
  void paintEvent(QPaintEvent*) override;
};

}  // namespace corvina::controls
