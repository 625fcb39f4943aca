// A switch of two tabs side by side; clicking a tab selects it and raises
// TabClick1 or TabClick2.
#pragma once

#include <QWidget>

namespace corvina::controls {

class TabButton2 : public QWidget {
  Q_OBJECT
 public:
  explicit TabButton2(QWidget* parent = nullptr);

  QString caption1() const { return captions_[0]; }
  QString caption2() const { return captions_[1]; }
  void setCaption1(const QString& text);
  void setCaption2(const QString& text);
  int selectedTab() const { return selected_; }  // 1 or 2
  // Selects a tab and raises its event, as a click does.
  void clickTab(int tab);
  QSize sizeHint() const override;

 signals:
  void TabClick1();
  void TabClick2();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent*) override;

 private:
  QRectF segment(int tab) const;
  QString captions_[2];
  int selected_ = 1;
  int hovered_ = 0;
};

}  // namespace corvina::controls
