// The wait animation: a ring of dots whose brightness turns round.
#pragma once

#include <QTimer>
#include <QWidget>

namespace corvina::controls {

class ucFirefoxWait : public QWidget {
  Q_OBJECT
 public:
  explicit ucFirefoxWait(QWidget* parent = nullptr);

  void start();
  void stop();
  bool isRunning() const { return timer_.isActive(); }
  QSize sizeHint() const override { return QSize(32, 32); }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QTimer timer_;
  int step_ = 0;
};

}  // namespace corvina::controls
