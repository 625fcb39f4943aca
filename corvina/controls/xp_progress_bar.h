// The program's own drawn progress bar: green blocks in a rounded trough.
#pragma once

#include <QWidget>

namespace corvina::controls {

class XP_ProgressBar : public QWidget {
  Q_OBJECT
 public:
  explicit XP_ProgressBar(QWidget* parent = nullptr);

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  void setMin(int min);
  void setMax(int max);
  // Values outside min..max are kept at the nearer end.
  void setValue(int value);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
};

}  // namespace corvina::controls
