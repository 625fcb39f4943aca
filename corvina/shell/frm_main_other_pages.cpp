// The Instillation, iPod and Other pages.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "frm_main.h"
#include "page_widgets.h"

namespace corvina {
namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int x, int y, int w,
                        int h = 30) {
  auto* button = makeControl<QPushButton>(parent, name, caption);
  button->setGeometry(x, y, w, h);
  return button;
}

QTreeWidget* makeList(QWidget* parent, const char* name, const QStringList& columns) {
  auto* list = makeControl<QTreeWidget>(parent, name);
  list->setRootIsDecorated(false);
  list->setAlternatingRowColors(true);
  list->setUniformRowHeights(true);
  if (columns.isEmpty())
    list->setHeaderHidden(true);
  else
    list->setHeaderLabels(columns);
  return list;
}

}  // namespace

void FrmMain::buildInstallationPage(QWidget* page) {
  makeTitle(page, "lblInstillationTitle", "Instillation", 24, 48);
  plugInList = makeList(page, "plugInList", {"Name"});
  plugInList->setGeometry(24, 100, 712, 380);

  Command1 = makeButton(page, "Command1", "Install", 24, 490, 150, 32);
  Command3 = makeButton(page, "Command3", "Install Modules", 184, 490, 170, 32);
}

void FrmMain::buildIpodPage(QWidget* page) {
  makeTitle(page, "lbliPodTitle", "iPod", 24, 48);

  lbliPod = makeControl<QLabel>(page, "lbliPod");
  lbliPod->setGeometry(24, 100, 300, 112);
  lbliPod->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  lbliPod->setWordWrap(true);
  lbliPod->setStyleSheet(
      "QLabel { background: rgba(255,255,255,22); border: 1px solid rgba(255,255,255,80); border-radius: 8px;"
      " padding: 8px; }");

  lsvProperties = makeList(page, "lsvProperties", {});
  lsvProperties->setGeometry(24, 220, 300, 150);
  trvComputer = makeControl<QTreeWidget>(page, "trvComputer");
  trvComputer->setHeaderHidden(true);
  trvComputer->setGeometry(24, 378, 300, 100);

  Command4 = makeButton(page, "Command4", "Fix/Make Sysinfo", 24, 490, 134, 32);
  Command5 = makeButton(page, "Command5", "Gantry Plugin (Alpha)", 164, 490, 160, 32);

  Frame2 = makeControl<QGroupBox>(page, "Frame2", "Backup Songs");
  Frame2->setGeometry(340, 96, 396, 390);
  Command9 = makeButton(Frame2, "Command9", "Load iPod", 12, 26, 118);
  Command10 = makeButton(Frame2, "Command10", "Copy Selected", 138, 26, 126);
  Command11 = makeButton(Frame2, "Command11", "Copy All", 272, 26, 122);
  chkOrganize = makeControl<QCheckBox>(Frame2, "chkOrganize", "Organise Into Folders");
  chkOrganize->setGeometry(14, 62, 250, 24);
  cmdCancel = makeButton(Frame2, "cmdCancel", "Cancel", 272, 60, 122, 28);
  cmdCancel->hide();
  getInfo = makeControl<QWidget>(Frame2, "getInfo");
  getInfo->setGeometry(0, 94, 406, 0);
  getInfo->hide();
  listiPod = makeList(Frame2, "listiPod", {"Title", "Artist", "Album", "Genre", "Path", "Track"});
  listiPod->setGeometry(0, 96, 406, 290);
  const int widths[] = {120, 90, 90, 60, 220, 50};
  for (int i = 0; i < 6; ++i) listiPod->header()->resizeSection(i, widths[i]);
}

void FrmMain::buildOtherPage(QWidget* page) {
  makeTitle(page, "lblOtherTitle", "Other", 24, 48);

  Frame1 = makeControl<QGroupBox>(page, "Frame1", "Special Options");
  Frame1->setGeometry(24, 100, 280, 200);
  struct Option {
    QCheckBox** box;
    const char* name;
    const char* caption;
  } options[] = {
      {&SpecialOptionVolt, "SpecialOptionVolt", "Show Voltage Meter"},
      {&SpecialOptionDeepSleepShort, "SpecialOptionDeepSleepShort", "Short Deep Sleep"},
      {&SpecialOptionDisCache, "SpecialOptionDisCache", "Disk Always Spins"},
      {&SpecialOptionDeepSleepDis, "SpecialOptionDeepSleepDis", "No Deep Sleep"},
      {&SpecialOptionShowCPU, "SpecialOptionShowCPU", "Show CPU Meter"},
  };
  int y = 32;
  for (const Option& option : options) {
    *option.box = makeControl<QCheckBox>(Frame1, option.name, option.caption);
    (*option.box)->setGeometry(18, y, 250, 24);
    y += 32;
  }

  Frame3 = makeControl<QGroupBox>(page, "Frame3", "Convert To MPEG4");
  Frame3->setGeometry(320, 100, 416, 200);
  Label10 = makeControl<QLabel>(Frame3, "Label10", "Source File");
  Label10->setGeometry(16, 28, 300, 20);
  Text3 = makeControl<QLineEdit>(Frame3, "Text3");
  Text3->setGeometry(16, 50, 340, 26);
  Command12 = makeButton(Frame3, "Command12", "...", 362, 50, 38, 26);
  Label11 = makeControl<QLabel>(Frame3, "Label11", "Destination Folder");
  Label11->setGeometry(16, 84, 300, 20);
  Text4 = makeControl<QLineEdit>(Frame3, "Text4");
  Text4->setGeometry(16, 106, 340, 26);
  Command13 = makeButton(Frame3, "Command13", "...", 362, 106, 38, 26);
  Combo1 = makeControl<QComboBox>(Frame3, "Combo1");
  Combo1->addItems({"iPod", "PSP", "MP4"});
  Combo1->setCurrentIndex(0);
  Combo1->setGeometry(16, 150, 150, 28);
  Command14 = makeButton(Frame3, "Command14", "Convert", 250, 148, 150, 32);
}

}  // namespace corvina
