#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>

#include <filesystem>

#include "controls/status_bar.h"
#include "controls/tab_button.h"
#include "controls/tab_button2.h"
#include "controls/tab_button_menu.h"
#include "controls/tab_menu.h"
#include "controls/theme.h"
#include "controls/xp_progress_bar.h"
#include "shell/gshell.h"
#include "shell/language.h"
#include "shell/main_menu.h"
#include "ui_fixture.h"

namespace corvina::testing {
namespace {

class MainWindowTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ASSERT_TRUE(start());
  }

  // Caption of a control of the text table, whatever its kind.
  QString caption(const QString& name) {
    if (name == "TabButton21.1") return window->TabButton21->caption1();
    if (name == "TabButton21.2") return window->TabButton21->caption2();
    QObject* o = window->findChild<QObject*>(name);
    if (!o) return "<missing " + name + ">";
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(o)) return g->title();
    return "<unknown kind>";
  }

  void chooseLanguage(int index) {
    window->Combo2->setCurrentIndex(index);
    emit window->Combo2->activated(index);
  }

  // Control, text number, design-time caption; in the order of the table.
  struct Captioned {
    const char* control;
    const char* number;
    const char* english;
  };
  static std::vector<Captioned> textTable() {
    return {{"TabButton21.1", "400", "Install"},
            {"TabButton21.2", "401", "Loader.cfg"},
            {"Label9", "402", "Select A Loader To Install"},
            {"lowerMnuText", "403", "Install Loader"},
            {"Command15", "404", "Make Apple OS Image"},
            {"Command1", "400", "Install"},
            {"Command3", "407", "Install Modules"},
            {"Command9", "408", "Load iPod"},
            {"Command10", "409", "Copy Selected"},
            {"Command11", "410", "Copy All"},
            {"cmdCancel", "411", "Cancel"},
            {"chkOrganize", "412", "Organise Into Folders"},
            {"Frame2", "413", "Backup Songs"},
            {"Command4", "414", "Fix/Make Sysinfo"},
            {"Label10", "415", "Source File"},
            {"Label11", "416", "Destination Folder"},
            {"Command14", "417", "Convert"},
            {"Frame3", "418", "Convert To MPEG4"},
            {"Frame1", "419", "Special Options"},
            {"SpecialOptionVolt", "420", "Show Voltage Meter"},
            {"SpecialOptionDeepSleepShort", "421", "Short Deep Sleep"},
            {"SpecialOptionDisCache", "422", "Disk Always Spins"},
            {"SpecialOptionDeepSleepDis", "423", "No Deep Sleep"},
            {"SpecialOptionShowCPU", "424", "Show CPU Meter"},
            {"Label8", "425", "Check For Updates"},
            {"loadiPodCfg", "426", "Load/Make File"},
            {"Command6", "427", "Edit Color"},
            {"Command7", "428", "Remove"},
            {"Command8", "429", "Edit"},
            {"Command2", "430", "Save"},
            {"lvwTxtAddBtn", "431", "Add"},
            {"Command16", "433", "Make Backup of Your iPod"},
            {"Command17", "434", "Write .bin to iPod"}};
  }
};

TEST_F(MainWindowTest, TabStripHoldsTheTabsAndMenuButtonsInOrder) {
  EXPECT_EQ(window->TabMenu->describe(),
            (QStringList{"About", "Bootloader", "menu 2", "Instillation", "menu 3", "iPod", "Other"}));
  click(window->TabMenu->menuButton(2));
  EXPECT_TRUE(window->mainMenu()->mnuBootloader->isVisible());
  window->mainMenu()->mnuBootloader->hide();
  click(window->TabMenu->menuButton(3));
  EXPECT_TRUE(window->mainMenu()->mnuPlugins->isVisible());
  EXPECT_FALSE(window->mainMenu()->mnuBootloader->isVisible());
  window->mainMenu()->mnuPlugins->hide();
}

TEST_F(MainWindowTest, MenusHoldTheirDesignTimeEntries) {
  MainMenu* menu = window->mainMenu();
  ASSERT_EQ(menu->addBoot.size(), 1);
  EXPECT_TRUE(menu->addBoot[0]->isSeparator());
  QStringList adds;
  for (QAction* a : menu->loaderCfgAdds) adds << a->text();
  EXPECT_EQ(adds, (QStringList{"Add AppleOS", "Add iPodLinux", "Add Diskmode", "Add Sleep", "Add BG Color",
                               "Add Hilight Color"}));
  ASSERT_EQ(menu->mnuPluginList.size(), 1);
  EXPECT_TRUE(menu->mnuPluginList[0]->isSeparator());
  EXPECT_FALSE(menu->mnuGetInfo->isEnabled());
  EXPECT_EQ(menu->mnuCopytoComputer->text(), "Copy Selected Song from iPod");
}

TEST_F(MainWindowTest, EachTabSelectsItsPageAndOnlyBootloaderShowsTheInnerPages) {
  struct Case {
    int tab;
    int page;
    bool innerPages;
  } cases[] = {{1, 0, false}, {2, 1, true}, {3, 2, false}, {4, 3, false}, {5, 4, false}, {2, 1, true}};
  for (const Case& c : cases) {
    click(window->TabMenu->tab(c.tab));
    EXPECT_EQ(window->SSTab1->currentIndex(), c.page) << c.tab;
    EXPECT_EQ(window->SSTab2->isVisibleTo(window.get()), c.innerPages) << c.tab;
    EXPECT_EQ(!window->Picture1->isHidden(), c.innerPages) << c.tab;
    EXPECT_EQ(!window->Picture2->isHidden(), c.innerPages) << c.tab;
  }
}

TEST_F(MainWindowTest, TwoTabSwitchSelectsTheInnerPage) {
  click(window->TabButton21, QPoint(window->TabButton21->width() * 3 / 4, window->TabButton21->height() / 2));
  EXPECT_EQ(window->SSTab2->currentIndex(), 1);
  click(window->TabButton21, QPoint(window->TabButton21->width() / 4, window->TabButton21->height() / 2));
  EXPECT_EQ(window->SSTab2->currentIndex(), 0);
}

TEST_F(MainWindowTest, EveryControlOfTheTextTableExistsWithItsEnglishCaption) {
  for (const Captioned& c : textTable()) EXPECT_EQ(caption(c.control), c.english) << c.control;
  struct Named {
    const char* name;
    const char* text;
  } others[] = {{"Command5", "Gantry Plugin (Alpha)"}, {"Command12", "..."}, {"Command13", "..."},
                {"lblAuthor", "Created By: Halvek"}, {"lblWiki", "iPodLinux Wiki Page"}, {"lblWait", "Please wait while detecting iPod..."}};
  for (const Named& n : others) EXPECT_EQ(caption(n.name), n.text) << n.name;
  EXPECT_EQ(window->lvwTxtAdd->text(), "Apple OS @ ramimg");
  EXPECT_FALSE(window->Command6->isEnabled());
  EXPECT_FALSE(window->editTxt->isVisibleTo(window.get()));
  EXPECT_FALSE(window->cmdCancel->isVisibleTo(window.get()));
  EXPECT_FALSE(window->picWait->isVisibleTo(window.get()));
  EXPECT_EQ(window->Combo1->currentText(), "iPod");
  EXPECT_EQ(window->Combo1->count(), 3);
  QStringList songColumns;
  for (int i = 0; i < window->listiPod->columnCount(); ++i) songColumns << window->listiPod->headerItem()->text(i);
  EXPECT_EQ(songColumns, (QStringList{"Title", "Artist", "Album", "Genre", "Path", "Track"}));
}

TEST_F(MainWindowTest, SpanishRecaptionsThePagesButNotTheTabStrip) {
  chooseLanguage(1);
  EXPECT_EQ(app().currentLanguage, "Español");
  app().currentLanguage = "Español";
  for (const Captioned& c : textTable())
    EXPECT_EQ(caption(c.control), QString::fromStdString(GetLangText(c.number))) << c.control;
  EXPECT_EQ(caption("Label9"), "Escoja una Cargadora para Instalar");
  EXPECT_EQ(window->TabButton21->caption1(), "Instale");
  EXPECT_EQ(window->TabMenu->describe(),
            (QStringList{"About", "Bootloader", "menu 2", "Instillation", "menu 3", "iPod", "Other"}));
  EXPECT_EQ(caption("Command5"), "Gantry Plugin (Alpha)");

  // The status line keeps its text until it is next written.
  EXPECT_EQ(window->StatusBar1->panelText(1), "Status: idle");
  window->setStatus(QString::fromStdString(GetLangText("432")));
  EXPECT_EQ(window->StatusBar1->panelText(1), "Posición: Instalar... ");

  chooseLanguage(0);
  for (const Captioned& c : textTable()) EXPECT_EQ(caption(c.control), c.english) << c.control;
}

TEST_F(MainWindowTest, LayoutFollowsTheTwipRules) {
  window->resize(900, 700);
  const int statusHeight = window->StatusBar1->height();
  const int H = 700 - statusHeight - 6;  // pages end above the status bar
  EXPECT_EQ(window->SSTab1->geometry(), QRect(0, 0, 900, H));
  EXPECT_EQ(window->SSTab2->x(), -20);
  EXPECT_EQ(window->SSTab2->width(), 920);
  EXPECT_EQ(window->SSTab2->y() + window->SSTab2->height(), H);
  EXPECT_EQ(window->Picture1->size(), window->SSTab2->size());
  EXPECT_EQ(window->Lvw->y(), 100 / 15);
  using controls::toPixels;
  using controls::toTwips;
  EXPECT_EQ(window->Lvw->height(), toPixels(toTwips(window->SSTab2->height()) - 500));
  EXPECT_EQ(window->lvwTxtAdd->y(), window->Lvw->y() + window->Lvw->height() + 70 / 15);
  EXPECT_EQ(window->lvwTxtAddBtn->y(), window->lvwTxtAdd->y());
  EXPECT_EQ(window->plugInList->height(), toPixels(toTwips(H) - 2000));
  EXPECT_EQ(window->Command1->y(), window->plugInList->y() + window->plugInList->height() + 50 / 15);
  EXPECT_EQ(window->Frame2->height(), toPixels(toTwips(H - window->Frame2->y()) - 700));
  EXPECT_EQ(window->listiPod->x(), 0);
  EXPECT_EQ(window->listiPod->width(), window->Frame2->width());
  EXPECT_EQ(window->TabMenu->width(), 900);
  EXPECT_EQ(window->ImgBG->size(), QSize(900, 700));
  EXPECT_LE(window->lowerMnu->y() + window->lowerMnu->height(), window->Picture1->height());

  // A window smaller than the subtracted measures keeps sizes at zero.
  window->setMinimumSize(0, 0);
  window->resize(200, 60);
  EXPECT_EQ(window->plugInList->height(), 0);
  EXPECT_GE(window->Lvw->height(), 0);
}

TEST_F(MainWindowTest, ProgressBarsLieOverPanelTwo) {
  controls::StatusBar* bar = window->StatusBar1;
  EXPECT_EQ(bar->y() + bar->height(), window->height());
  QRect expected(controls::toPixels(bar->panelLeft(2) + 25), bar->y() + controls::toPixels(45),
                 controls::toPixels(bar->panelWidth(2) - 45), controls::toPixels(controls::toTwips(bar->height()) - 75));
  EXPECT_EQ(window->ProgressBar1->geometry(), expected);
  EXPECT_EQ(window->ProgressBar2->geometry(), expected);
  EXPECT_EQ(window->Combo2->x(), controls::toPixels(bar->panelLeft(3)));
  EXPECT_EQ(window->Combo2->y(), bar->y());
}

TEST_F(MainWindowTest, AboutPageLinksAndUpdater) {
  click(window->TabMenu->tab(1));
  folder.write("app/README.md", "# Corvina");
  click(window->lblProjectPage);
  click(window->lblWiki);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], (folder.path() / "app" / "README.md").string());
  EXPECT_EQ(opened[1].rfind("https://", 0), 0u);
  EXPECT_EQ(platform::lastShellLaunch().showMode, platform::SW_SHOWNORMAL);

  // The updater is missing: nothing is shown, Corvina goes on.
  click(window->Label8);
  EXPECT_EQ(platform::lastShellLaunch().file, platform::applicationFolder() + "\\Wexley.exe");
  EXPECT_EQ(platform::lastShellLaunch().folder, platform::applicationFolder());
  EXPECT_EQ(platform::lastShellLaunch().showMode, platform::SW_HIDE);
  EXPECT_EQ(lastError().number, 53);
  EXPECT_TRUE(window->isVisible());
}

}  // namespace
}  // namespace corvina::testing
