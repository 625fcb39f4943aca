#include "shell/file_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <unistd.h>

#include "platform/drives.h"
#include "platform/file_system.h"
#include "testing/scripted_dialogs.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;
using namespace corvina;
using corvina::testing::ScriptedDialogs;
using corvina::testing::TempFolder;

namespace {

class FileHelpersTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::setDrives({{'C', folder.path().string(), platform::DRIVE_FIXED}}); }
  TempFolder folder;
};

TEST_F(FileHelpersTest, GetFolderFilesAcceptsEveryFormOfTheExtension) {
  folder.write("Files/loader1.bin");
  folder.write("Files/loader2.4.bin");
  folder.write("Files/notes.txt");
  for (const char* ext : {"bin", "*.bin", ".bin"}) {
    ListValue names = GetFolderFiles("C:\\Files", ext, false);
    ASSERT_FALSE(AryIsEmpty(names)) << ext;
    EXPECT_EQ(*names, (std::vector<std::string>{"loader1.bin", "loader2.4.bin"})) << ext;
  }
  ListValue full = GetFolderFiles("C:\\Files\\", "bin", true);
  EXPECT_EQ(full->front(), "C:\\Files\\loader1.bin");
}

TEST_F(FileHelpersTest, GetFolderFilesWithoutMatchesIsNeverDimensioned) {
  folder.write("Files/notes.txt");
  EXPECT_TRUE(AryIsEmpty(GetFolderFiles("C:\\Files", "bin", false)));
  EXPECT_TRUE(AryIsEmpty(GetFolderFiles("C:\\Missing", "bin", false)));
  EXPECT_TRUE(AryIsEmpty(GetFolderFiles("", "bin", false)));
}

TEST(ListValueTest, PushAndEmptiness) {
  ListValue list;
  EXPECT_TRUE(AryIsEmpty(list));
  push(list, "a");
  EXPECT_FALSE(AryIsEmpty(list));
  EXPECT_EQ(list->size(), 1u);
  push(list, "b");
  EXPECT_EQ(*list, (std::vector<std::string>{"a", "b"}));
}

TEST(BaseNameTest, CutsFolderAndLastExtension) {
  EXPECT_EQ(GetBaseName("C:\\a.b\\loader2.3.bin"), "loader2.3");
  EXPECT_EQ(GetBaseName("loader1.bin"), "loader1");
  EXPECT_EQ(GetBaseName("C:\\Files\\README"), "README");
  EXPECT_EQ(GetBaseName("C:\\a.b\\noext"), "noext");
}

TEST_F(FileHelpersTest, ExistenceDeletionAndShortPaths) {
  folder.write("temp/loader.bin", "x");
  EXPECT_TRUE(FileExists("C:\\temp\\loader.bin"));
  EXPECT_FALSE(FileExists("C:\\temp"));
  EXPECT_TRUE(FolderExists("C:\\temp"));
  EXPECT_TRUE(FolderExists("C:\\temp\\loader.bin"));  // a file counts too
  EXPECT_FALSE(FolderExists(""));
  EXPECT_FALSE(FolderExists("C:\\nope"));

  EXPECT_EQ(GetShortPath("C:\\temp\\loader.bin"), "C:\\temp\\loader.bin");
  EXPECT_EQ(GetShortPath("C:\\temp\\unknown.bin"), "");

  DeleteIfExists("C:\\temp\\loader.bin");
  EXPECT_FALSE(FileExists("C:\\temp\\loader.bin"));
  EXPECT_NO_THROW(DeleteIfExists("C:\\temp\\loader.bin"));
}

TEST_F(FileHelpersTest, DeleteIfExistsRaisesWhenTheFileCannotGo) {
  if (geteuid() == 0) GTEST_SKIP() << "root may delete from read-only folders";
  folder.write("locked/a.bin", "x");
  fs::permissions(folder.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(DeleteIfExists("C:\\locked\\a.bin"), platform::FileSystemError);
  fs::permissions(folder.path() / "locked", fs::perms::owner_all);
}

TEST(BrowseForFolderTest, EndsInExactlyOneBackslash) {
  ScriptedDialogs dialogs;
  dialogs.expectFolder("C:\\");
  dialogs.expectFolder("C:\\Music");
  dialogs.expectFolder("");
  dialogs.expectFolder(std::string("D:\\Songs\0junk", 13));
  EXPECT_EQ(BrowseForFolder("Browse Music Export Folder", nullptr), "C:\\");
  EXPECT_EQ(BrowseForFolder("Browse Music Export Folder", nullptr), "C:\\Music\\");
  EXPECT_EQ(BrowseForFolder("Browse Music Export Folder", nullptr), "");
  EXPECT_EQ(BrowseForFolder("Browse Music Export Folder", nullptr), "D:\\Songs\\");
  EXPECT_EQ(dialogs.shown()[0].title, "Browse Music Export Folder");
  dialogs.verifyAllShown();
}

}  // namespace
