// A desktop with one iPod for the main window's tests: a fifth-generation
// iPod on the removable drive E:, the application folder, scripted dialogs
// and an observable end of the program.
#pragma once

#include <QMouseEvent>
#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/app_folder.h"
#include "platform/drives.h"
#include "platform/shell_execute.h"
#include "shell/app_state.h"
#include "shell/frm_main.h"
#include "testing/program_end.h"
#include "testing/scripted_dialogs.h"
#include "testing/temp_folder.h"

namespace corvina::testing {

// FrmMain with its close event reachable.
class TestFrmMain : public FrmMain {
 public:
  using FrmMain::closeEvent;
};

class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    app() = AppState{};
    ipodFolder = folder.mkdir("ipod").string();
    folder.write("ipod/iPod_Control/iTunes/iTunesDB", "mhbd");
    folder.write("ipod/iPod_Control/Device/SysInfo", "pszSerialNumber: 8K1234\nboardHwSwInterfaceRev: 0x000B0005\n");
    folder.mkdir("app/Files");
    folder.mkdir("app/temp");
    platform::setDrives({{'C', folder.mkdir("c").string(), platform::DRIVE_FIXED},
                         {'E', ipodFolder, platform::DRIVE_REMOVABLE},
                         {'Z', "/", platform::DRIVE_FIXED}});
    platform::setApplicationFolder(platform::toWindowsPath((folder.path() / "app").string()));
    platform::setDesktopOpener([this](const std::string& target) {
      opened.push_back(target);
      return true;
    });
  }
  void TearDown() override {
    platform::setDesktopOpener(nullptr);
    window.reset();
    app() = AppState{};
  }

  // Runs the start-up; false when the program ended during it.
  bool start(const std::string& commandLine = "") {
    window = std::make_unique<TestFrmMain>();
    try {
      window->Form_Load(commandLine);
      return true;
    } catch (const ProgramEnded&) {
      return false;
    }
  }

  static void click(QWidget* widget, QPoint at = QPoint(-1, -1)) {
    if (at.x() < 0) at = widget->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
  }

  template <typename T>
  T* control(const char* name) {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  TempFolder folder;
  std::string ipodFolder;
  ScriptedDialogs dialogs;
  ObserveProgramEnd endObserver;
  std::vector<std::string> opened;
  std::unique_ptr<TestFrmMain> window;
};

}  // namespace corvina::testing
