#include "main_menu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace corvina {
namespace {

const char* kMenuStyle =
    "QMenu { background: #f7f9fc; border: 1px solid #375fa0; padding: 4px; }"
    "QMenu::item { padding: 5px 26px 5px 22px; color: #1c2c4a; border-radius: 4px; }"
    "QMenu::item:selected { background: #376ab3; color: white; }"
    "QMenu::item:disabled { color: #9aa6ba; }"
    "QMenu::separator { height: 1px; background: #c8d2e4; margin: 4px 8px; }";

QMenu* makeMenu(const char* name, const QString& title, QWidget* owner) {
  auto* menu = new QMenu(title, owner);
  menu->setObjectName(name);
  menu->setStyleSheet(kMenuStyle);
  return menu;
}

QAction* separator(QMenu* menu, const char* name) {
  QAction* action = menu->addSeparator();
  action->setObjectName(name);
  action->setText("-");
  return action;
}

}  // namespace

MainMenu::MainMenu(QWidget* owner) : QObject(owner) {
  setObjectName("mainMenu");

  mnuBootloader = makeMenu("mnuBootloader", "Bootloader", owner);
  mnuLoaderCFG = makeMenu("mnuLoaderCFG", "Loader.cfg", owner);
  for (const char* caption :
       {"Add AppleOS", "Add iPodLinux", "Add Diskmode", "Add Sleep", "Add BG Color", "Add Hilight Color"})
    loaderCfgAdds << mnuLoaderCFG->addAction(caption);
  mnuBootloader->addMenu(mnuLoaderCFG);
  addBoot << separator(mnuBootloader, "addBoot");

  mnuPlugins = makeMenu("mnuPlugins", "Plugins", owner);
  mnuPluginList << separator(mnuPlugins, "mnuPluginList");

  mnuMusicPopupMenu = makeMenu("mnuMusicPopupMenu", "Music", owner);
  mnuGetInfo = mnuMusicPopupMenu->addAction("Get Info");
  mnuGetInfo->setObjectName("mnuGetInfo");
  mnuBlank1 = separator(mnuMusicPopupMenu, "mnuBlank1");
  mnuCopytoComputer = mnuMusicPopupMenu->addAction("Copy Selected Song from iPod");
  mnuCopytoComputer->setObjectName("mnuCopytoComputer");
  mnuBlank2 = separator(mnuMusicPopupMenu, "mnuBlank2");
  mnuPlay = mnuMusicPopupMenu->addAction("Play");
  mnuPlay->setObjectName("mnuPlay");
  mnuStop = mnuMusicPopupMenu->addAction("Stop");
  mnuStop->setObjectName("mnuStop");
  for (QAction* a : {mnuGetInfo, mnuCopytoComputer, mnuPlay, mnuStop}) a->setEnabled(false);
}

MainMenu::~MainMenu() = default;

}  // namespace corvina
