// The status bar at the bottom of a window: panels side by side, each with a
// text. Panel measures are in twips; the first panel takes the room the
// others leave.
#pragma once

#include <QList>
#include <QWidget>

namespace corvina::controls {

class StatusBar : public QWidget {
  Q_OBJECT
 public:
  // Widths in twips of panels 2, 3, ... (panel 1 springs).
  StatusBar(const QList<int>& fixedPanelWidthsTwips, QWidget* parent = nullptr);

  int panelCount() const { return static_cast<int>(texts_.size()); }
  QString panelText(int n) const;  // 1-based
  void setPanelText(int n, const QString& text);
  // Left edge and width of panel n in twips, relative to the bar.
  int panelLeft(int n) const;
  int panelWidth(int n) const;
  // Keeps the bar along the bottom of its parent, full width.
  void dockToBottom();

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QList<int> fixedWidths_;
  QList<QString> texts_;
};

}  // namespace corvina::controls
