// FrmMain, the main window: the tab strip, five pages, the status bar with
// its progress bars and language chooser, and the start-up sequence.
#pragma once

#include <QStringList>
#include <QWidget>

#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTreeWidget;

namespace corvina::controls {
class StatusBar;
class TabButton2;
class TabMenu;
class XP_ProgressBar;
class ucFirefoxWait;
}  // namespace corvina::controls

namespace corvina {

class MainMenu;

class FrmMain : public QWidget {
  Q_OBJECT
 public:
  explicit FrmMain(QWidget* parent = nullptr);
  ~FrmMain() override;

  // The load event: runs the start-up sequence with the program's command
  // line (its arguments as one text); the window shows itself at the end.
  void Form_Load(const std::string& commandLine);

  // "Status: <text>" in the localized word for Status.
  void setStatus(const QString& text);
  void resizeForm();
  void applyLanguage();
  // Shrinks the type of captions that are wider than their controls.
  void fitCaptions();
  // Runs findSysinfo once and discards the result (for plug-ins).
  void refindSysinfo();

  MainMenu* mainMenu() const { return mainMenu_; }
  // The start-up steps and later operations run so far, in order (tests).
  const QStringList& trace() const { return trace_; }

  // Controls other parts of the program work with.
  controls::TabMenu* TabMenu = nullptr;
  QStackedWidget* SSTab1 = nullptr;
  QStackedWidget* SSTab2 = nullptr;
  controls::TabButton2* TabButton21 = nullptr;
  QWidget* Picture1 = nullptr;
  QWidget* Picture2 = nullptr;
  QWidget* ImgBG = nullptr;
  controls::StatusBar* StatusBar1 = nullptr;
  controls::XP_ProgressBar* ProgressBar1 = nullptr;
  QProgressBar* ProgressBar2 = nullptr;
  QComboBox* Combo2 = nullptr;
  QLabel* lblVersion = nullptr;
  QList<QWidget*> pagePictures;  // one background per page of SSTab1

  // About page.
  QLabel* lblProjectPage = nullptr;
  QLabel* lblWiki = nullptr;
  QLabel* Label8 = nullptr;
  // Bootloader page.
  QLabel* Label9 = nullptr;
  QListWidget* LoaderList = nullptr;
  QWidget* lowerMnu = nullptr;  // the "Install Loader" picture button
  QLabel* lowerMnuText = nullptr;
  QWidget* bottomPicture = nullptr;
  QPushButton *Command15 = nullptr, *Command16 = nullptr, *Command17 = nullptr;
  QTreeWidget* Lvw = nullptr;
  QLineEdit* lvwTxtAdd = nullptr;
  QLineEdit* editTxt = nullptr;
  QPushButton* lvwTxtAddBtn = nullptr;
  QPushButton *loadiPodCfg = nullptr, *Command2 = nullptr, *Command6 = nullptr, *Command7 = nullptr,
              *Command8 = nullptr;
  QWidget* preview = nullptr;
  // Instillation page.
  QTreeWidget* plugInList = nullptr;
  QPushButton *Command1 = nullptr, *Command3 = nullptr;
  // iPod page.
  QLabel* lbliPod = nullptr;
  QTreeWidget* lsvProperties = nullptr;
  QTreeWidget* trvComputer = nullptr;
  QGroupBox* Frame2 = nullptr;
  QWidget* getInfo = nullptr;
  QTreeWidget* listiPod = nullptr;
  QPushButton *Command9 = nullptr, *Command10 = nullptr, *Command11 = nullptr, *cmdCancel = nullptr;
  QCheckBox* chkOrganize = nullptr;
  QPushButton *Command4 = nullptr, *Command5 = nullptr;
  QWidget* picWait = nullptr;
  QProgressBar* prbDetecting = nullptr;
  controls::ucFirefoxWait* waitAnimation = nullptr;
  // Other page.
  QGroupBox *Frame1 = nullptr, *Frame3 = nullptr;
  QCheckBox *SpecialOptionVolt = nullptr, *SpecialOptionDeepSleepShort = nullptr, *SpecialOptionDisCache = nullptr,
            *SpecialOptionDeepSleepDis = nullptr, *SpecialOptionShowCPU = nullptr;
  QLabel *Label10 = nullptr, *Label11 = nullptr;
  QLineEdit *Text3 = nullptr, *Text4 = nullptr;
  QComboBox* Combo1 = nullptr;
  QPushButton *Command12 = nullptr, *Command13 = nullptr, *Command14 = nullptr;

  int convPreset = 0;  // the converter's output profile

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildWindow();
  void buildAboutPage(QWidget* page);
  void buildBootloaderPage(QWidget* page);
  void buildLoaderInstallPage(QWidget* page);
  void buildLoaderConfigPage(QWidget* page);
  void buildInstallationPage(QWidget* page);
  void buildIpodPage(QWidget* page);
  void buildOtherPage(QWidget* page);
  void buildStatusBar();
  void connectEvents();
  // Widths and right-hand columns that follow the window's width.
  void layoutColumns();

  void TabMenu_TabClick(const QString& caption);
  void TabMenu_MenuClick(int number);
  void Combo2_Click();
  void advanceProgress();

  // About page actions.
  void openProjectPage();
  void openWikiPage();
  void checkForUpdates();

  // Operations of workflows that come later; each records itself in trace().
  void checkCommands(const std::string& path);
  void loadPlugins();
  void showDeviceProperties();
  void getLoaderFiles();
  void refreshSpecialOptions();
  void fixMakeSysinfo();

  MainMenu* mainMenu_ = nullptr;
  QStringList trace_;
};

// Lays a progress bar over panel n of a status bar (measures in twips).
void placeProgressBar(QWidget* bar, controls::StatusBar* statusBar, int panel);

}  // namespace corvina
