// Layout of the main window in twips, on every resize.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>

#include "controls/status_bar.h"
#include "controls/theme.h"
#include "frm_main.h"
#include "platform/events.h"

namespace corvina {
namespace {

using controls::toPixels;
using controls::toTwips;

// Geometry of a widget in twips.
struct Twips {
  int left, top, width, height;
};

Twips twipsOf(const QWidget* w) { return {toTwips(w->x()), toTwips(w->y()), toTwips(w->width()), toTwips(w->height())}; }

void setTwips(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(toPixels(left), toPixels(top), toPixels(std::max(width, 0)), toPixels(std::max(height, 0)));
}

void setTop(QWidget* w, int top) { w->move(w->x(), toPixels(top)); }

// Room kept free between the pages and the status bar below them.
constexpr int kBottomMarginPixels = 6;

}  // namespace

void placeProgressBar(QWidget* bar, controls::StatusBar* statusBar, int panel) {
  statusBar->dockToBottom();
  bar->raise();
  Twips status = twipsOf(statusBar);
  setTwips(bar, status.left + statusBar->panelLeft(panel) + 25, status.top + 45, statusBar->panelWidth(panel) - 45,
           status.height - 75);
}

void FrmMain::resizeForm() {
  // The pages use the window above the status bar.
  const int W = toTwips(width());
  const int H = toTwips(std::max(height() - StatusBar1->height() - kBottomMarginPixels, 0));

  setTwips(SSTab1, 0, 0, W, H);
  for (QWidget* picture : pagePictures) setTwips(picture, 0, 0, W, H);

  Twips tab2 = twipsOf(SSTab2);
  setTwips(SSTab2, -300, tab2.top, W + 300, H - tab2.top);
  tab2 = twipsOf(SSTab2);

  Twips bottom = twipsOf(bottomPicture);
  setTwips(bottomPicture, bottom.left, H - bottom.height, W, bottom.height);

  setTwips(Picture1, 0, 0, tab2.width, tab2.height);
  setTwips(Picture2, 0, 0, tab2.width, tab2.height);

  // The "Install Loader" button lies inside the bottom edge of the inner
  // pages (Picture1 is their page 0, so its own top is 0 there).
  Twips button = twipsOf(lowerMnu);
  int buttonTop = tab2.height - 50 - button.height;
  setTop(lowerMnu, buttonTop);
  setTop(lowerMnuText, buttonTop + 100);

  Twips list = twipsOf(Lvw);
  setTwips(Lvw, list.left, 100, list.width, tab2.height - 500);
  platform::DoEvents();
  list = twipsOf(Lvw);
  setTop(lvwTxtAdd, list.top + list.height + 70);
  setTop(lvwTxtAddBtn, list.top + list.height + 70);

  Twips tab1 = twipsOf(SSTab1);
  Twips plugins = twipsOf(plugInList);
  setTwips(plugInList, plugins.left, plugins.top, plugins.width, tab1.height - 2000);
  plugins = twipsOf(plugInList);
  setTop(Command1, plugins.top + plugins.height + 50);
  setTop(Command3, plugins.top + plugins.height + 50);

  Twips frame = twipsOf(Frame2);
  setTwips(Frame2, frame.left, frame.top, frame.width, tab1.height - frame.top - 700);
  frame = twipsOf(Frame2);
  Twips info = twipsOf(getInfo);
  int songsTop = info.top + info.height + 20;
  setTwips(listiPod, 0, songsTop, frame.width, frame.height - songsTop - 20);

  layoutColumns();
  fitCaptions();
}

}  // namespace corvina
