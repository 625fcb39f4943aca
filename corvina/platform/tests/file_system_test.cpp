#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/app_folder.h"
#include "platform/drives.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;
using namespace corvina::platform;
using corvina::testing::TempFolder;

namespace {

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { setDrives({{'E', folder.path().string(), DRIVE_REMOVABLE}}); }
  TempFolder folder;
};

TEST_F(FileSystemTest, NamesAreMatchedWithoutCase) {
  folder.write("iPod_Control/iTunes/iTunesDB", "db");
  EXPECT_TRUE(fileExists("E:\\iPod_Control\\iTunes\\iTunesDB"));
  EXPECT_TRUE(fileExists("E:\\IPOD_CONTROL\\itunes\\ITUNESDB"));
  EXPECT_TRUE(folderExists("e:\\ipod_control"));
  EXPECT_FALSE(folderExists("E:\\iPod_Control\\iTunes\\iTunesDB"));
  EXPECT_FALSE(fileExists("E:\\iPod_Control"));
  EXPECT_TRUE(pathExists("E:\\iPod_Control"));
  EXPECT_EQ(resolveHostPath("E:\\IPOD_CONTROL\\new.txt"), (folder.path() / "iPod_Control/new.txt").string());
}

TEST_F(FileSystemTest, WindowsForbiddenNamesCannotBeCreated) {
  folder.write("song.mp3", "x");
  for (const char* name : {"a*b.mp3", "a?b.mp3", "a\"b.mp3", "a<b.mp3", "a>b.mp3", "a|b.mp3", "a:b.mp3"}) {
    std::string target = std::string("E:\\") + name;
    EXPECT_FALSE(hasValidNames(target)) << name;
    EXPECT_THROW(copyFile("E:\\song.mp3", target, true), FileSystemError) << name;
  }
  // A slash is a separator, as on Windows: AC/DC names a folder that is not there.
  EXPECT_THROW(copyFile("E:\\song.mp3", "E:\\AC/DC.mp3", true), FileSystemError);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST_F(FileSystemTest, CopyDeleteAndCreateReportFailures) {
  folder.write("a.bin", "abc");
  copyFile("E:\\a.bin", "E:\\b.bin", false);
  EXPECT_TRUE(fileExists("E:\\b.bin"));
  EXPECT_THROW(copyFile("E:\\a.bin", "E:\\b.bin", false), FileSystemError);
  EXPECT_NO_THROW(copyFile("E:\\a.bin", "E:\\b.bin", true));
  EXPECT_THROW(copyFile("E:\\missing.bin", "E:\\c.bin", true), FileSystemError);
  EXPECT_THROW(copyFile("E:\\a.bin", "E:\\no\\c.bin", true), FileSystemError);

  createFolder("E:\\Music");
  EXPECT_TRUE(folderExists("E:\\Music"));
  EXPECT_THROW(createFolder("E:\\Music"), FileSystemError);

  deleteFile("E:\\B.BIN");
  EXPECT_FALSE(fileExists("E:\\b.bin"));
  EXPECT_THROW(deleteFile("E:\\b.bin"), FileSystemError);
}

TEST_F(FileSystemTest, ListsFilesBySuffixInNameOrder) {
  folder.write("Files/loader2.bin");
  folder.write("Files/Loader1.BIN");
  folder.write("Files/readme.txt");
  folder.mkdir("Files/dir.bin");
  auto names = listFiles("E:\\Files", ".bin");
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(*names, (std::vector<std::string>{"Loader1.BIN", "loader2.bin"}));
  EXPECT_FALSE(listFiles("E:\\Nothing", ".bin").has_value());
}

}  // namespace

namespace {

TEST(ApplicationFolderTest, IsTheProgramFilesFolderAsAWindowsPath) {
  setDrives({{'Z', "/", DRIVE_FIXED}});
  std::string expected = toWindowsPath(fs::read_symlink("/proc/self/exe").parent_path().string());
  EXPECT_EQ(corvina::platform::applicationFolder(), expected);
  EXPECT_EQ(expected.substr(0, 3), "Z:\\");
  EXPECT_EQ(windowsPathOfHost("/tmp/a/../b/"), "Z:\\tmp\\b");
}

}  // namespace
