// Runs the user-interface tests inside one QApplication, offscreen unless
// a platform is named.
#include <QApplication>

#include <gtest/gtest.h>

#include "platform/qt_platform.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  corvina::platform::installQtEventLoop();
  return RUN_ALL_TESTS();
}
