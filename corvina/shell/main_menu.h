// The mainMenu form: it holds the program's pop-up menus (Bootloader,
// Plugins, the song list's menu).
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace corvina {

class MainMenu : public QObject {
  Q_OBJECT
 public:
  explicit MainMenu(QWidget* owner);
  ~MainMenu() override;

  QMenu* mnuBootloader = nullptr;
  QMenu* mnuLoaderCFG = nullptr;  // "Loader.cfg" submenu of the Bootloader menu
  QList<QAction*> addBoot;        // loader entries; 0 is a separator
  QList<QAction*> loaderCfgAdds;  // the six add commands, in order

  QMenu* mnuPlugins = nullptr;
  QList<QAction*> mnuPluginList;  // registered plug-ins; 0 is a separator

  QMenu* mnuMusicPopupMenu = nullptr;
  QAction *mnuGetInfo = nullptr, *mnuBlank1 = nullptr, *mnuCopytoComputer = nullptr, *mnuBlank2 = nullptr,
          *mnuPlay = nullptr, *mnuStop = nullptr;
};

}  // namespace corvina
