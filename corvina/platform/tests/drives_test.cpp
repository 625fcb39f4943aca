#include "platform/drives.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace corvina::platform;

namespace {

TEST(DriveSpec, ParsesEntriesAndRejectsBadOnes) {
  std::vector<Drive> map;
  std::string error;
  ASSERT_TRUE(parseDriveSpec("E:=/tmp/ipod:removable;F:=/tmp/disk/:fixed;G:=/x:cdrom", map, error)) << error;
  ASSERT_EQ(map.size(), 3u);
  EXPECT_EQ(map[0].letter, 'E');
  EXPECT_EQ(map[0].hostFolder, "/tmp/ipod");
  EXPECT_EQ(map[0].type, DRIVE_REMOVABLE);
  EXPECT_EQ(map[1].hostFolder, "/tmp/disk");
  EXPECT_EQ(map[2].type, DRIVE_CDROM);

  for (const char* bad : {"E:/tmp/ipod:removable", "E:=/tmp/ipod", "E:=/tmp/ipod:floppy", "E:=relative:fixed",
                          "E:=/a:fixed;e:=/b:fixed", "1:=/a:fixed"}) {
    EXPECT_FALSE(parseDriveSpec(bad, map, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
}

TEST(DriveSpec, EnvironmentMapAlwaysHasTheHostTree) {
  setenv("CORVINA_DRIVES", "F:=/tmp/b:fixed;E:=/tmp/a:removable", 1);
  reloadDrives();
  ASSERT_EQ(drives().size(), 3u);
  EXPECT_EQ(drives()[0].letter, 'E');
  EXPECT_EQ(drives()[2].letter, 'Z');
  unsetenv("CORVINA_DRIVES");
}

TEST(DriveFunctions, LogicalDriveStringsKeepWindowsContract) {
  setDrives({{'E', "/tmp/a", DRIVE_REMOVABLE}, {'C', "/", DRIVE_FIXED}});
  char buffer[104];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(GetLogicalDriveStringsA(104, buffer), 8u);
  EXPECT_EQ(std::string(buffer, 9), std::string("C:\\\0E:\\\0\0", 9));

  // Too small: the size needed (with the final NUL), nothing written.
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(GetLogicalDriveStringsA(8, buffer), 9u);
  EXPECT_EQ(buffer[0], 'x');
}

TEST(DriveFunctions, DriveTypeOfRootsAndNonRoots) {
  setDrives({{'E', "/tmp/a", DRIVE_REMOVABLE}, {'F', "/tmp/b", DRIVE_FIXED}});
  driveTypeQueries().clear();
  EXPECT_EQ(GetDriveTypeA("E:\\"), DRIVE_REMOVABLE);
  EXPECT_EQ(GetDriveTypeA("e:\\"), DRIVE_REMOVABLE);
  EXPECT_EQ(GetDriveTypeA("F:"), DRIVE_FIXED);
  EXPECT_EQ(GetDriveTypeA("G:\\"), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeA(""), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeA("E:\\Music"), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(driveTypeQueries().size(), 6u);
}

TEST(DrivePaths, MapsBetweenWindowsAndHostPaths) {
  setDrives({{'E', "/tmp/ipod", DRIVE_REMOVABLE}, {'Z', "/", DRIVE_FIXED}});
  EXPECT_EQ(toHostPath("E:\\iPod_Control\\iTunes\\iTunesDB"), "/tmp/ipod/iPod_Control/iTunes/iTunesDB");
  EXPECT_EQ(toHostPath("e:/a\\\\b"), "/tmp/ipod/a/b");
  EXPECT_EQ(toHostPath("E:\\"), "/tmp/ipod");
  EXPECT_EQ(toHostPath("E:"), "/tmp/ipod");
  EXPECT_EQ(toHostPath("Z:\\usr\\bin"), "/usr/bin");
  EXPECT_EQ(toHostPath("Q:\\x"), "");
  EXPECT_EQ(toHostPath("relative\\x"), "");

  EXPECT_EQ(toWindowsPath("/tmp/ipod/Music/a.mp3"), "E:\\Music\\a.mp3");
  EXPECT_EQ(toWindowsPath("/tmp/ipod"), "E:\\");
  EXPECT_EQ(toWindowsPath("/tmp/ipodx"), "Z:\\tmp\\ipodx");
  EXPECT_EQ(toWindowsPath("/"), "Z:\\");
}

}  // namespace
