#include "frm_main.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QCursor>
#include <QStackedWidget>

#include "controls/status_bar.h"
#include "controls/tab_button2.h"
#include "controls/tab_menu.h"
#include "controls/theme.h"
#include "controls/xp_progress_bar.h"
#include "device/detect_ipod.h"
#include "device/sysinfo.h"
#include "platform/events.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/main_menu.h"

namespace corvina {

FrmMain::FrmMain(QWidget* parent) : QWidget(parent) {
  setObjectName("FrmMain");
  setWindowTitle(appTitle());
  mainMenu_ = new MainMenu(this);
  buildWindow();
  connectEvents();
  setMakeSysinfoAction([this] { fixMakeSysinfo(); });
}

FrmMain::~FrmMain() { setMakeSysinfoAction(nullptr); }

void FrmMain::connectEvents() {
  connect(TabMenu, &controls::TabMenu::TabClick, this, &FrmMain::TabMenu_TabClick);
  connect(TabMenu, &controls::TabMenu::MenuClick, this, &FrmMain::TabMenu_MenuClick);
  connect(TabButton21, &controls::TabButton2::TabClick1, this, [this] { SSTab2->setCurrentIndex(0); });
  connect(TabButton21, &controls::TabButton2::TabClick2, this, [this] { SSTab2->setCurrentIndex(1); });
  connect(Combo2, &QComboBox::activated, this, [this](int) { Combo2_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { fixMakeSysinfo(); });
  // Moving the pointer over the window's background clears the tab strip's
  // hover highlight.
  for (QWidget* background : QList<QWidget*>{ImgBG} + pagePictures) {
    background->setMouseTracking(true);
    background->installEventFilter(this);
  }
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove && (watched == ImgBG || pagePictures.contains(watched)))
    TabMenu->MoveMouseOff();
  return QWidget::eventFilter(watched, event);
}

void FrmMain::Form_Load(const std::string& commandLine) {
  hide();
  app().currentLanguage = "English";
  convPreset = 3;
  // The command line is one path in quotes. The quotes are taken off only
  // when they are there, so an unquoted path keeps its first and last letter.
  std::string argument = commandLine;
  if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"')
    argument = argument.substr(1, argument.size() - 2);
  if (!argument.empty()) checkCommands(argument);

  // The language chooser lies over panel 3 of the status bar.
  Combo2->setGeometry(controls::toPixels(StatusBar1->panelLeft(3)), StatusBar1->y(),
                      controls::toPixels(StatusBar1->panelWidth(3) + 5), StatusBar1->height());
  Combo2->clear();
  Combo2->addItem("English");
  Combo2->addItem("Español");
  Combo2->setCurrentIndex(0);
  Combo2->raise();

  placeProgressBar(ProgressBar2, StatusBar1, 2);
  placeProgressBar(ProgressBar1, StatusBar1, 2);

  ProgressBar1->setVisible(true);
  StatusBar1->setPanelText(1, QString::fromStdString(GetLangText("405")) + ": loading...");
  ProgressBar1->setMax(12);

  lblVersion->setText(QString("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));

  TabMenu->AddButton(controls::TabMenu::TabKind, "About");
  advanceProgress();
  TabMenu->AddButton(controls::TabMenu::TabKind, "Bootloader");
  advanceProgress();
  TabMenu->AddButton(controls::TabMenu::MenuKind);
  advanceProgress();
  TabMenu->AddButton(controls::TabMenu::TabKind, "Instillation");
  advanceProgress();
  TabMenu->AddButton(controls::TabMenu::MenuKind);
  advanceProgress();
  TabMenu->AddButton(controls::TabMenu::TabKind, "iPod");
  advanceProgress();
  TabMenu->AddButton(controls::TabMenu::TabKind, "Other");
  advanceProgress();
  TabMenu->SetTabFocus(2);
  advanceProgress();

  resizeForm();
  loadPlugins();
  advanceProgress();

  trace_ << "detectiPod";
  app().ipodDrive = detectiPod();
  advanceProgress();

  showDeviceProperties();
  trace_ << "findSysinfo";
  app().ipodGeneration = findSysinfo();
  advanceProgress();

  getLoaderFiles();
  refreshSpecialOptions();
  advanceProgress();

  ProgressBar1->setVisible(false);
  setStatus(QString::fromStdString(GetLangText("406")));
  trace_ << "show";
  show();
}

void FrmMain::advanceProgress() {
  ProgressBar1->setValue(ProgressBar1->Value() + 1);
  platform::DoEvents();
}

void FrmMain::setStatus(const QString& text) {
  StatusBar1->setPanelText(1, QString::fromStdString(GetLangText("405")) + ": " + text);
}

void FrmMain::refindSysinfo() { findSysinfo(); }

void FrmMain::TabMenu_TabClick(const QString& caption) {
  Picture1->setVisible(false);
  Picture2->setVisible(false);
  SSTab2->setVisible(false);
  if (caption == "About") {
    SSTab1->setCurrentIndex(0);
  } else if (caption == "Bootloader") {
    Picture1->setVisible(true);
    Picture2->setVisible(true);
    SSTab2->setVisible(true);
    SSTab1->setCurrentIndex(1);
  } else if (caption == "Instillation") {
    SSTab1->setCurrentIndex(2);
  } else if (caption == "iPod") {
    SSTab1->setCurrentIndex(3);
  } else if (caption == "Other") {
    SSTab1->setCurrentIndex(4);
  }
}

void FrmMain::TabMenu_MenuClick(int number) {
  if (number == 2)
    mainMenu_->mnuBootloader->popup(QCursor::pos());
  else if (number == 3)
    mainMenu_->mnuPlugins->popup(QCursor::pos());
}

void FrmMain::Combo2_Click() {
  app().currentLanguage = Combo2->currentText().toStdString();
  applyLanguage();
}

void FrmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  resizeForm();
  TabMenu->setGeometry(0, 0, width(), TabMenu->height());
  ImgBG->setGeometry(0, 0, width(), height());
  // The status bar and what lies over it follow the bottom edge.
  placeProgressBar(ProgressBar2, StatusBar1, 2);
  placeProgressBar(ProgressBar1, StatusBar1, 2);
  Combo2->setGeometry(controls::toPixels(StatusBar1->panelLeft(3)), StatusBar1->y(),
                      controls::toPixels(StatusBar1->panelWidth(3) + 5), StatusBar1->height());
  Combo2->raise();
}

void FrmMain::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the whole program at once, whatever other
  // windows are open.
  event->accept();
  platform::EndProgram(0);
}

}  // namespace corvina
