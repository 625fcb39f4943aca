// The Bootloader page: the loader list and partition workflows (inner page
// 0) and the loader configuration editor (inner page 1), switched by
// TabButton21.
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>

#include "controls/tab_button2.h"
#include "controls/theme.h"
#include "frm_main.h"
#include "page_widgets.h"

namespace corvina {
namespace {

// Inner pages start 300 twips left of the page; their contents keep clear.
constexpr int kInnerLeft = 20 + 24;

// A drawn band along the bottom of the page.
class BottomBand : public QWidget {
 public:
  using QWidget::QWidget;
};

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int x, int y, int w,
                        int h = 32) {
  auto* button = makeControl<QPushButton>(parent, name, caption);
  button->setGeometry(x, y, w, h);
  return button;
}

}  // namespace

void FrmMain::buildBootloaderPage(QWidget* page) {
  makeTitle(page, "lblBootloaderTitle", "Bootloader", 24, 48);

  TabButton21 = new controls::TabButton2(page);
  TabButton21->setObjectName("TabButton21");
  TabButton21->setCaption1("Install");
  TabButton21->setCaption2("Loader.cfg");
  TabButton21->setGeometry(760 - 24 - 230, 54, 230, 30);

  bottomPicture = makeControl<BottomBand>(page, "PictureBottom");
  bottomPicture->setGeometry(0, 540, 760, 0);

  SSTab2 = makeControl<QStackedWidget>(page, "SSTab2");
  SSTab2->setGeometry(-20, 100, 780, 440);
  // Each inner page carries its background panel; the controls lie on it.
  auto* installPage = makeControl<QWidget>(SSTab2, "SSTab2Page0");
  auto* configPage = makeControl<QWidget>(SSTab2, "SSTab2Page1");
  SSTab2->addWidget(installPage);
  SSTab2->addWidget(configPage);
  Picture1 = makeControl<QWidget>(installPage, "Picture1");
  Picture2 = makeControl<QWidget>(configPage, "Picture2");
  Picture1->setGeometry(0, 0, 780, 440);
  Picture2->setGeometry(0, 0, 780, 440);
  buildLoaderInstallPage(Picture1);
  buildLoaderConfigPage(Picture2);
}

void FrmMain::buildLoaderInstallPage(QWidget* page) {
  Label9 = makeControl<QLabel>(page, "Label9", "Select A Loader To Install");
  QFont f = Label9->font();
  f.setPointSizeF(10.5);
  f.setBold(true);
  Label9->setFont(f);
  Label9->setGeometry(kInnerLeft, 6, 420, 22);

  LoaderList = makeControl<QListWidget>(page, "LoaderList");
  LoaderList->setGeometry(kInnerLeft, 32, 420, 330);
  LoaderList->setIconSize(QSize(32, 32));
  LoaderList->setSpacing(2);

  auto* toolsHeading = makeControl<QLabel>(page, "lblPartitionTools", "Firmware Partition");
  toolsHeading->setFont(f);
  toolsHeading->setGeometry(490, 6, 250, 22);
  Command15 = makeButton(page, "Command15", "Make Apple OS Image", 490, 32, 250, 36);
  Command16 = makeButton(page, "Command16", "Make Backup of Your iPod", 490, 76, 250, 36);
  Command17 = makeButton(page, "Command17", "Write .bin to iPod", 490, 120, 250, 36);

  lowerMnu = makeControl<PictureButton>(page, "lowerMnu");
  lowerMnu->setGeometry(490, 330, 250, 48);
  lowerMnuText = makeControl<QLabel>(page, "lowerMnuText", "Install Loader");
  QFont big = lowerMnuText->font();
  big.setPointSizeF(13);
  big.setBold(true);
  lowerMnuText->setFont(big);
  lowerMnuText->setAlignment(Qt::AlignCenter);
  lowerMnuText->setGeometry(534, 337, 196, 34);
  lowerMnuText->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FrmMain::buildLoaderConfigPage(QWidget* page) {
  Lvw = makeControl<QTreeWidget>(page, "Lvw");
  Lvw->setGeometry(kInnerLeft, 7, 400, 300);
  Lvw->setHeaderLabels({"Entry", "Value"});
  Lvw->setRootIsDecorated(false);
  Lvw->setAlternatingRowColors(true);
  Lvw->header()->resizeSection(0, 200);

  lvwTxtAdd = makeControl<QLineEdit>(page, "lvwTxtAdd", "Apple OS @ ramimg");
  lvwTxtAdd->setGeometry(kInnerLeft, 320, 320, 26);
  lvwTxtAddBtn = makeButton(page, "lvwTxtAddBtn", "Add", kInnerLeft + 328, 320, 72, 26);

  editTxt = makeControl<QLineEdit>(page, "editTxt");
  editTxt->hide();

  preview = makeControl<BootMenuPicture>(page, "preview");
  preview->setGeometry(470, 7, controls::toPixels(4080), controls::toPixels(3825));

  const int x = 470, w = 132, gap = 8;
  loadiPodCfg = makeButton(page, "loadiPodCfg", "Load/Make File", x, 272, w);
  Command2 = makeButton(page, "Command2", "Save", x + w + gap, 272, w);
  Command6 = makeButton(page, "Command6", "Edit Color", x, 312, w);
  Command6->setEnabled(false);
  Command7 = makeButton(page, "Command7", "Remove", x + w + gap, 312, w);
  Command8 = makeButton(page, "Command8", "Edit", x, 352, w);
}

}  // namespace corvina
