// Widths and right-hand columns of the pages, following the window's width
// (the rules of resizeForm fix the heights).
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>

#include "controls/tab_button2.h"
#include "frm_main.h"

namespace corvina {
namespace {

constexpr int kMargin = 24;
constexpr int kInnerLeft = 20 + kMargin;  // inner pages begin 20 pixels left of the page

void moveX(QWidget* w, int x) { w->move(x, w->y()); }
void setWidth(QWidget* w, int width) { w->resize(std::max(width, 0), w->height()); }
void setHeight(QWidget* w, int height) { w->resize(w->width(), std::max(height, 0)); }

}  // namespace

void FrmMain::layoutColumns() {
  const int W = SSTab1->width();
  const int H = SSTab1->height();

  // Bootloader page.
  moveX(TabButton21, W - kMargin - TabButton21->width());
  const int P1 = Picture1->width();
  const int right = P1 - kMargin - 250;
  for (QWidget* w : {static_cast<QWidget*>(Command15), static_cast<QWidget*>(Command16),
                     static_cast<QWidget*>(Command17), lowerMnu})
    moveX(w, right);
  if (auto* heading = Picture1->findChild<QLabel*>("lblPartitionTools")) moveX(heading, right);
  moveX(lowerMnuText, right + 44);
  setWidth(LoaderList, right - kMargin - kInnerLeft);
  setHeight(LoaderList, Picture1->height() - LoaderList->y() - 12);
  setWidth(Label9, LoaderList->width());

  const int previewX = Picture2->width() - kMargin - preview->width();
  moveX(preview, previewX);
  moveX(loadiPodCfg, previewX);
  moveX(Command6, previewX);
  moveX(Command8, previewX);
  moveX(Command2, previewX + preview->width() - Command2->width());
  moveX(Command7, previewX + preview->width() - Command7->width());
  setWidth(Lvw, previewX - kMargin - kInnerLeft);
  setWidth(lvwTxtAdd, Lvw->width() - lvwTxtAddBtn->width() - 8);
  moveX(lvwTxtAddBtn, kInnerLeft + lvwTxtAdd->width() + 8);

  // Instillation page.
  setWidth(plugInList, W - 2 * kMargin);

  // iPod page.
  setWidth(Frame2, W - Frame2->x() - kMargin);
  listiPod->resize(Frame2->width(), listiPod->height());
  // The three song buttons share the frame's width.
  const int buttonWidth = (Frame2->width() - 2 * 12 - 2 * 8) / 3;
  int x = 12;
  for (QPushButton* b : {Command9, Command10, Command11}) {
    b->setGeometry(x, b->y(), buttonWidth, b->height());
    x += buttonWidth + 8;
  }
  cmdCancel->setGeometry(Command11->x(), cmdCancel->y(), buttonWidth, cmdCancel->height());
  Command4->move(Command4->x(), H - Command4->height() - 8);
  Command5->move(Command5->x(), H - Command5->height() - 8);
  setHeight(trvComputer, Command4->y() - 8 - trvComputer->y());

  // Other page.
  setWidth(Frame3, W - Frame3->x() - kMargin);
  const int fw = Frame3->width();
  setWidth(Text3, fw - 16 - Command12->width() - 6 - 16);
  setWidth(Text4, fw - 16 - Command13->width() - 6 - 16);
  moveX(Command12, fw - 16 - Command12->width());
  moveX(Command13, fw - 16 - Command13->width());
  moveX(Command14, fw - 16 - Command14->width());
}

}  // namespace corvina
