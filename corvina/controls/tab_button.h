// One tab of the drawn tab strip: a caption that lights up under the pointer
// and stands out as the page's own colour while selected.
#pragma once

#include <QWidget>

namespace corvina::controls {

class TabButton : public QWidget {
  Q_OBJECT
 public:
  TabButton(const QString& caption, QWidget* parent = nullptr);

  QString caption() const { return caption_; }
  bool isSelected() const { return selected_; }
  void setSelected(bool selected);
  bool isHovered() const { return hovered_; }
  void setHovered(bool hovered);
  QSize sizeHint() const override;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString caption_;
  bool selected_ = false;
  bool hovered_ = false;
};

}  // namespace corvina::controls
