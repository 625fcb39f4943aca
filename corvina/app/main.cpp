// Corvina: prepares an early iPod for iPodLinux and manages what runs on it.
#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/snapshots.h"
#include "platform/file_system.h"
#include "platform/qt_platform.h"
#include "shell/frm_main.h"

namespace {

// The command line as the Windows shell passes a file to a program: the
// file's path in quotes.
std::string commandLineOf(int argc, char** argv) {
  if (argc < 2) return {};
  std::string argument = argv[1];
  std::error_code ec;
  if (std::filesystem::exists(argument, ec)) {
    std::string windows = corvina::platform::windowsPathOfHost(argument);
    if (!windows.empty()) argument = windows;
  }
  return "\"" + argument + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  application.setApplicationName("Corvina");
  application.setStyle(QStyleFactory::create("Fusion"));

  corvina::platform::installQtEventLoop();
  corvina::platform::QtDialogs dialogs;
  corvina::platform::setDialogs(&dialogs);

  corvina::FrmMain window;
  window.Form_Load(commandLineOf(argc, argv));

  // CORVINA_SNAPSHOTS=<folder>: save a picture of each page there and end.
  if (const char* folder = std::getenv("CORVINA_SNAPSHOTS"); folder && *folder) {
    QTimer::singleShot(200, &window, [&window, folder] {
      int saved = corvina::saveSnapshots(window, QString::fromLocal8Bit(folder));
      std::cout << "Corvina: saved " << saved << " page pictures in " << folder << std::endl;
      QApplication::exit(saved == 5 ? 0 : 1);
    });
  }
  return application.exec();
}
