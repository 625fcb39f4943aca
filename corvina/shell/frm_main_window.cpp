// The main window's frame: tab strip, page container, status bar with its
// progress bars and language chooser, the wait panel, and the About page.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "controls/status_bar.h"
#include "controls/tab_menu.h"
#include "controls/theme.h"
#include "controls/uc_firefox_wait.h"
#include "controls/xp_progress_bar.h"
#include "frm_main.h"
#include "page_widgets.h"
#include "shell/app_state.h"

namespace corvina {
namespace {

const char* kWindowStyle = R"(
QLabel { color: white; background: transparent; }
QLabel[role="title"] { color: white; }
QLabel[role="link"] { color: #d9ecff; text-decoration: underline; }
QLabel[role="muted"] { color: #c8d8f0; }
QPushButton {
  color: #17305a; font-weight: bold; padding: 4px 6px;
  border: 1px solid #1e3e76; border-radius: 6px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d6e2f4);
}
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e6eefa); }
QPushButton:pressed { background: #c4d4ee; }
QPushButton:disabled { color: #8a9ab8; border-color: #7d92b8; background: #dde5f2; }
QGroupBox {
  color: white; font-weight: bold; border: 1px solid rgba(255,255,255,90); border-radius: 8px;
  margin-top: 10px; padding-top: 8px; background: rgba(255,255,255,18);
}
QGroupBox::title { subcontrol-origin: margin; left: 12px; padding: 0 4px; }
QCheckBox { color: white; spacing: 7px; }
QLineEdit {
  color: #17305a; background: white; border: 1px solid #1e3e76; border-radius: 4px; padding: 2px 5px;
  selection-background-color: #376ab3;
}
QTreeWidget, QListWidget {
  color: #17305a; background: white; alternate-background-color: #eef3fb;
  border: 1px solid #1e3e76; border-radius: 6px; selection-background-color: #376ab3; selection-color: white;
}
QHeaderView::section {
  color: #17305a; font-weight: bold; padding: 4px 6px; border: none; border-bottom: 1px solid #b8c6de;
  border-right: 1px solid #d4ddec;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e2eaf6);
}
QProgressBar {
  border: 1px solid #788aa8; border-radius: 3px; background: #eef1f6; text-align: center; color: #17305a;
}
QProgressBar::chunk { background: #3d8fe0; }
)";

// The background of the window behind every page.
class BackgroundPicture : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(44, 88, 156));
  }
};

// The rounded panel shown while the hardware is searched.
class WaitPanel : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1));
    p.setBrush(QColor(18, 38, 76, 235));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
  }
};

QLabel* makeLink(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* link = makeControl<QLabel>(parent, name, text);
  link->setProperty("role", "link");
  link->setCursor(Qt::PointingHandCursor);
  QFont f = link->font();
  f.setPointSizeF(10.5);
  f.setUnderline(true);
  link->setFont(f);
  link->move(x, y);
  link->adjustSize();
  return link;
}

// Raises `clicked` on a label released under the pointer.
class ClickFilter : public QObject {
 public:
  ClickFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
      action_();
    return false;
  }

 private:
  std::function<void()> action_;
};

void onClick(QWidget* widget, std::function<void()> action) {
  widget->installEventFilter(new ClickFilter(widget, std::move(action)));
}

}  // namespace

void FrmMain::buildWindow() {
  setStyleSheet(kWindowStyle);
  resize(760, 580);
  setMinimumSize(720, 540);

  ImgBG = makeControl<BackgroundPicture>(this, "ImgBG");
  ImgBG->setMouseTracking(true);

  SSTab1 = makeControl<QStackedWidget>(this, "SSTab1");
  QPalette palette = SSTab1->palette();
  palette.setColor(QPalette::Window, controls::pageBackColor());
  SSTab1->setPalette(palette);
  SSTab1->setAutoFillBackground(true);
  const char* pageNames[] = {"PictureAbout", "PictureBootloader", "PictureInstillation", "PictureiPod",
                             "PictureOther"};
  for (int i = 0; i < 5; ++i) {
    auto* page = makeControl<PagePicture>(SSTab1, pageNames[i], i == 0 ? 2 : i == 1 ? 1 : 0);
    SSTab1->addWidget(page);
    pagePictures << page;
  }
  buildAboutPage(pagePictures[0]);
  buildBootloaderPage(pagePictures[1]);
  buildInstallationPage(pagePictures[2]);
  buildIpodPage(pagePictures[3]);
  buildOtherPage(pagePictures[4]);

  TabMenu = new controls::TabMenu(this);
  TabMenu->setBrand(appTitle());
  TabMenu->setGeometry(0, 0, width(), TabMenu->height());
  TabMenu->raise();

  buildStatusBar();

  // The wait panel of the hardware search, centred when it is shown.
  picWait = makeControl<WaitPanel>(this, "picWait");
  picWait->resize(340, 110);
  waitAnimation = new controls::ucFirefoxWait(picWait);
  waitAnimation->setGeometry(20, 22, 36, 36);
  auto* waitText = makeControl<QLabel>(picWait, "lblWait", "Please wait while detecting iPod...");
  waitText->setGeometry(70, 26, 250, 28);
  prbDetecting = makeControl<QProgressBar>(picWait, "prbDetecting");
  prbDetecting->setRange(0, 100);
  prbDetecting->setValue(0);
  prbDetecting->setTextVisible(false);
  prbDetecting->setGeometry(20, 72, 300, 14);
  picWait->hide();
}

void FrmMain::buildStatusBar() {
  // Panels: 1 status line (springs), 2 progress and song count, 3 language
  // chooser, 4 the partition tool's disk number.
  StatusBar1 = new controls::StatusBar({controls::toTwips(200), controls::toTwips(112), controls::toTwips(150)}, this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->dockToBottom();

  ProgressBar2 = makeControl<QProgressBar>(this, "ProgressBar2");
  ProgressBar2->setTextVisible(false);
  ProgressBar2->hide();
  ProgressBar1 = new controls::XP_ProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->hide();

  Combo2 = makeControl<QComboBox>(this, "Combo2");
  Combo2->addItem("English");
}

void FrmMain::buildAboutPage(QWidget* page) {
  auto* picture = makeControl<IpodPicture>(page, "PictureiPodAbout");
  picture->setGeometry(70, 120, 190, 320);

  auto* title = makeControl<QLabel>(page, "lblTitle", appTitle());
  QFont big = title->font();
  big.setPointSizeF(40);
  big.setBold(true);
  title->setFont(big);
  title->setGeometry(310, 120, 400, 70);

  auto* author = makeControl<QLabel>(page, "lblAuthor", "Created By: Halvek");
  QFont f = author->font();
  f.setPointSizeF(12);
  author->setFont(f);
  author->setProperty("role", "muted");
  author->setGeometry(314, 196, 400, 24);

  lblVersion = makeControl<QLabel>(page, "lblVersion", "Version");
  lblVersion->setFont(f);
  lblVersion->setProperty("role", "muted");
  lblVersion->setGeometry(314, 222, 400, 24);

  auto* line = makeControl<QWidget>(page, "lineAbout");
  line->setStyleSheet("background: rgba(255,255,255,70);");
  line->setGeometry(314, 264, 300, 1);

  lblProjectPage = makeLink(page, "lblProjectPage", "Corvina Project Page", 314, 284);
  lblWiki = makeLink(page, "lblWiki", "iPodLinux Wiki Page", 314, 314);
  Label8 = makeLink(page, "Label8", "Check For Updates", 314, 344);
  Label8->setMinimumWidth(260);
  onClick(lblProjectPage, [this] { openProjectPage(); });
  onClick(lblWiki, [this] { openWikiPage(); });
  onClick(Label8, [this] { checkForUpdates(); });
}

}  // namespace corvina
