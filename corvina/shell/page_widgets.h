// Helpers that make the main window's controls with their names, and the
// drawn pictures of the pages.
#pragma once

#include <QLabel>
#include <QWidget>

namespace corvina {

// Makes a control of type T on a parent, named as the program's code knows it.
template <typename T, typename... Args>
T* makeControl(QWidget* parent, const char* name, Args&&... args) {
  T* control = new T(std::forward<Args>(args)..., parent);
  control->setObjectName(name);
  return control;
}

// A page's title label: large white text.
QLabel* makeTitle(QWidget* parent, const char* name, const QString& text, int x, int y);

// Background picture of a page: the page colour with a soft light from the
// top. `style` picks the decoration (0 plain, 1 with a shine at the top right,
// 2 the shine without the rule under the title).
class PagePicture : public QWidget {
  Q_OBJECT
 public:
  explicit PagePicture(int style, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  int style_;
};

// A drawn fifth-generation iPod, for the About page.
class IpodPicture : public QWidget {
  Q_OBJECT
 public:
  explicit IpodPicture(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent*) override;
};

// The big glossy "Install Loader" picture button; its caption is a label
// laid over it.
class PictureButton : public QWidget {
  Q_OBJECT
 public:
  explicit PictureButton(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;

 private:
  bool hovered_ = false;
};

// A placeholder of the loader's boot menu screen, drawn in its colours.
class BootMenuPicture : public QWidget {
  Q_OBJECT
 public:
  explicit BootMenuPicture(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent*) override;
};

}  // namespace corvina
