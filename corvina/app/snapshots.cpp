#include "app/snapshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

#include "controls/tab_menu.h"
#include "shell/frm_main.h"

namespace corvina {

int saveSnapshots(FrmMain& window, const QString& folder) {
  QDir().mkpath(folder);
  const char* names[] = {"about", "bootloader", "instillation", "ipod", "other"};
  int saved = 0;
  for (int tab = 1; tab <= 5; ++tab) {
    window.TabMenu->SetTabFocus(tab);
    QCoreApplication::processEvents();
    QString file = QDir(folder).filePath(QString("corvina-%1-%2.png").arg(tab).arg(names[tab - 1]));
    if (window.grab().save(file)) ++saved;
  }
  window.TabMenu->SetTabFocus(2);
  return saved;
}

}  // namespace corvina
