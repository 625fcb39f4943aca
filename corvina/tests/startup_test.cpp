#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>

#include <filesystem>

#include "controls/status_bar.h"
#include "controls/tab_menu.h"
#include "controls/xp_progress_bar.h"
#include "ui_fixture.h"

namespace corvina::testing {
namespace {

using platform::MsgAnswer;

const char* kNotDetected = "iPod not detected. Your iPod is either not plugged in or your iPod is incompatible.";

class StartupTest : public MainWindowFixture {};

TEST_F(StartupTest, NormalStartEndsVisibleOnTheBootloaderPageAndIdle) {
  ASSERT_TRUE(start());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Corvina");
  EXPECT_EQ(window->TabMenu->selectedCaption(), "Bootloader");
  EXPECT_EQ(window->SSTab1->currentIndex(), 1);
  EXPECT_TRUE(window->SSTab2->isVisible());
  EXPECT_FALSE(window->ProgressBar1->isVisible());
  EXPECT_EQ(window->ProgressBar1->Max(), 12);
  EXPECT_EQ(window->ProgressBar1->Value(), 12);  // every step advanced it once
  EXPECT_EQ(window->StatusBar1->panelText(1), "Status: idle");
  EXPECT_EQ(window->lblVersion->text(), "Version 1.0.0");
  EXPECT_EQ(app().ipodDrive, "E:");
  EXPECT_EQ(app().ipodGeneration, "video");
  EXPECT_EQ(app().currentLanguage, "English");
  EXPECT_EQ(window->convPreset, 3);
  EXPECT_EQ(window->Combo2->count(), 2);
  EXPECT_EQ(window->Combo2->itemText(0), "English");
  EXPECT_EQ(window->Combo2->itemText(1), "Español");
  EXPECT_EQ(window->Combo2->currentText(), "English");
  EXPECT_EQ(window->trace(), (QStringList{"loadPlugins", "detectiPod", "showDeviceProperties", "findSysinfo",
                                          "getLoaderFiles", "refreshSpecialOptions", "show"}));
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(StartupTest, WithoutAnIpodTheMessageShowsAndNothingLaterRuns) {
  std::filesystem::remove_all(std::filesystem::path(ipodFolder) / "iPod_Control");
  dialogs.expectMessage(kNotDetected);
  EXPECT_FALSE(start());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->trace().last(), "detectiPod");
  EXPECT_EQ(window->ProgressBar1->Value(), 9);
  EXPECT_EQ(window->StatusBar1->panelText(1), "Status: loading...");
  EXPECT_EQ(app().ipodDrive, "");
  dialogs.verifyAllShown();
}

TEST_F(StartupTest, CommandLineIsHandledBeforeTheIpodIsSearched) {
  std::filesystem::remove_all(std::filesystem::path(ipodFolder) / "iPod_Control");
  dialogs.expectMessage(kNotDetected);
  EXPECT_FALSE(start("\"C:\\x\\LOADER.CFG\""));
  EXPECT_EQ(window->trace(), (QStringList{"checkCommands", "loadPlugins", "detectiPod"}));
  dialogs.verifyAllShown();
}

TEST_F(StartupTest, ACommandLineOfOneCharacterIsNoCommandLine) {
  ASSERT_TRUE(start("x"));
  ASSERT_TRUE(start("\"\""));
  EXPECT_FALSE(window->trace().contains("checkCommands"));
}

TEST_F(StartupTest, MissingSysinfoAnsweredNoEndsBeforeTheWindowShows) {
  std::filesystem::remove(std::filesystem::path(ipodFolder) / "iPod_Control/Device/SysInfo");
  dialogs.expectMessage("you do not have a sysinfo, would you like to make one?", MsgAnswer::No);
  EXPECT_FALSE(start());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->trace().last(), "findSysinfo");
  dialogs.verifyAllShown();
}

TEST_F(StartupTest, MissingSysinfoAnsweredYesRunsTheMakeActionAndGoesOn) {
  std::filesystem::remove(std::filesystem::path(ipodFolder) / "iPod_Control/Device/SysInfo");
  dialogs.expectMessage("you do not have a sysinfo, would you like to make one?", MsgAnswer::Yes);
  ASSERT_TRUE(start());
  EXPECT_TRUE(window->trace().contains("fixMakeSysinfo"));
  EXPECT_EQ(app().ipodGeneration, "");  // what findSysinfo returned, not "blank"
  EXPECT_TRUE(window->isVisible());
  dialogs.verifyAllShown();
}

TEST_F(StartupTest, RefindSysinfoKeepsTheStoredGeneration) {
  ASSERT_TRUE(start());
  std::filesystem::remove(std::filesystem::path(ipodFolder) / "iPod_Control/Device/SysInfo");
  dialogs.expectMessage("you do not have a sysinfo", MsgAnswer::Yes);
  window->refindSysinfo();
  EXPECT_EQ(app().ipodGeneration, "blank");  // only the make action's marker
  dialogs.verifyAllShown();
}

TEST_F(StartupTest, ClosingTheMainWindowEndsTheProgram) {
  ASSERT_TRUE(start());
  QWidget other;  // another window of the program stays open
  other.show();
  QCloseEvent event;
  EXPECT_THROW(window->closeEvent(&event), ProgramEnded);
}

}  // namespace
}  // namespace corvina::testing
