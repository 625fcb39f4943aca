#include "device/detect_ipod.h"

#include <gtest/gtest.h>

#include "platform/drives.h"
#include "testing/program_end.h"
#include "testing/scripted_dialogs.h"
#include "testing/temp_folder.h"

using namespace corvina;
using namespace corvina::platform;
using corvina::testing::ProgramEnded;

namespace {

const char* kNotDetected = "iPod not detected. Your iPod is either not plugged in or your iPod is incompatible.";

class DetectiPodTest : public ::testing::Test {
 protected:
  std::string ipod(const std::string& name) {
    folder.write(name + "/iPod_Control/iTunes/iTunesDB", "mhbd");
    return (folder.path() / name).string();
  }
  std::string empty(const std::string& name) { return folder.mkdir(name).string(); }

  // Runs detection; the drive found, or "ended" when the program ended.
  std::string detect() {
    driveTypeQueries().clear();
    try {
      return detectiPod();
    } catch (const ProgramEnded&) {
      return "ended";
    }
  }

  corvina::testing::TempFolder folder;
  corvina::testing::ScriptedDialogs dialogs;
  corvina::testing::ObserveProgramEnd endObserver;
};

TEST_F(DetectiPodTest, LowestRemovableLetterWins) {
  setDrives({{'C', empty("c"), DRIVE_FIXED}, {'G', ipod("g"), DRIVE_REMOVABLE}, {'E', ipod("e"), DRIVE_REMOVABLE}});
  EXPECT_EQ(detect(), "E:");
  // G: is never looked at.
  EXPECT_EQ(driveTypeQueries(), (std::vector<std::string>{"C:\\", "E:\\"}));
}

TEST_F(DetectiPodTest, SkipsRemovableDrivesWithoutTheDatabase) {
  folder.mkdir("stick/iPod_Control/iTunes");  // the folder alone is not enough
  setDrives({{'D', (folder.path() / "stick").string(), DRIVE_REMOVABLE},
             {'F', ipod("f"), DRIVE_REMOVABLE}});
  std::string drive = detect();
  EXPECT_EQ(drive, "F:");
  EXPECT_EQ(drive + "\\loader.cfg", "F:\\loader.cfg");
}

TEST_F(DetectiPodTest, FixedNetworkCdAndRamDrivesAreNeverFound) {
  setDrives({{'C', ipod("c"), DRIVE_FIXED},
             {'H', ipod("h"), DRIVE_REMOTE},
             {'I', ipod("i"), DRIVE_CDROM},
             {'J', ipod("j"), DRIVE_RAMDISK}});
  dialogs.expectMessage(kNotDetected);
  EXPECT_EQ(detect(), "ended");
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(dialogs.shown()[0].text, kNotDetected);
  EXPECT_EQ(dialogs.shown()[0].title, "Corvina");
  EXPECT_EQ(dialogs.shown()[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(dialogs.shown()[0].buttons, MsgButtons::OK);
  dialogs.verifyAllShown();
}

TEST_F(DetectiPodTest, DriveAIsNeverProbedInEitherCase) {
  for (char a : {'A', 'a'}) {
    setDrives({{a, ipod(std::string(1, a) + "drive"), DRIVE_REMOVABLE}});
    dialogs.expectMessage(kNotDetected);
    EXPECT_EQ(detect(), "ended");
    for (const std::string& q : driveTypeQueries()) EXPECT_NE(std::toupper(q[0]), 'A') << q;
  }
  dialogs.verifyAllShown();
}

TEST_F(DetectiPodTest, AFullSetOfLettersStillFindsTheIPod) {
  std::vector<Drive> map;
  for (char c = 'A'; c <= 'Y'; ++c) map.push_back({c, empty(std::string("d") + c), DRIVE_REMOVABLE});
  map.push_back({'Z', ipod("z"), DRIVE_REMOVABLE});
  setDrives(map);
  EXPECT_EQ(detect(), "Z:");
}

}  // namespace
