#include "shell/gshell.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/drives.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;
using namespace corvina;
using corvina::testing::TempFolder;

namespace {

class GShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setDrives({{'C', folder.path().string(), platform::DRIVE_FIXED}});
    platform::setDesktopOpener([](const std::string&) { return true; });
    fs::permissions(folder.write("x/ipodpatcher.exe", "#!/bin/sh\nexit 0\n"), fs::perms::owner_all);
    folder.write("x/readme.txt", "text");
    lastError() = {};
  }
  void TearDown() override { platform::setDesktopOpener(nullptr); }
  TempFolder folder;
};

TEST_F(GShellTest, ExeFilesStartHidden) {
  EXPECT_TRUE(GShell("C:\\x\\ipodpatcher.exe", 5, " -ab loader.bin", "C:\\x", "open", nullptr));
  EXPECT_EQ(platform::lastShellLaunch().showMode, platform::SW_HIDE);
  EXPECT_EQ(platform::lastShellLaunch().parameters, " -ab loader.bin");
}

TEST_F(GShellTest, WithoutParametersAndFolderTheFileOpensShownNormally) {
  EXPECT_TRUE(GShell("C:\\x\\readme.txt", 0, "", "", "open", nullptr));
  EXPECT_EQ(platform::lastShellLaunch().showMode, platform::SW_SHOWNORMAL);
  // The .exe rule comes first, but an empty parameter and folder text still
  // means "shown normally", as the shell is asked with show mode 1.
  EXPECT_TRUE(GShell("C:\\x\\ipodpatcher.exe", 5, "", "", "open", nullptr));
  EXPECT_EQ(platform::lastShellLaunch().showMode, platform::SW_SHOWNORMAL);
  // With a folder the caller's mode is kept.
  EXPECT_TRUE(GShell("C:\\x\\readme.txt", 3, "", "C:\\x", "open", nullptr));
  EXPECT_EQ(platform::lastShellLaunch().showMode, 3);
}

TEST_F(GShellTest, FailuresFillTheErrorRecord) {
  EXPECT_FALSE(GShell("C:\\x\\missing.exe", 1, "", "", "open", nullptr));
  EXPECT_EQ(lastError().number, 53);
  EXPECT_EQ(lastError().description, "File not found");
  EXPECT_EQ(lastError().source, "Corvina.GShell");

  EXPECT_FALSE(GShell("C:\\nowhere\\tool.exe", 1, " -x", "C:\\x", "open", nullptr));
  EXPECT_EQ(lastError().number, 76);
  EXPECT_EQ(lastError().description, "Path not found");
}

TEST(ShellErrorTable, NumbersAndMessages) {
  const long base = 0x80040418L;
  struct Case {
    int result;
    long number;
    const char* text;
  } cases[] = {
      {0, 7, "Out of memory"},
      {5, 75, "Path/file access error"},
      {8, 7, "Out of memory"},
      {11, base + 11, "The executable file is invalid or corrupt"},
      {26, 75, "A sharing violation occurred."},
      {27, base + 27, "This file type does not have a valid file association."},
      {28, 286, "The file could not be opened due to time out. Please try again in a moment."},
      {29, 285, "The file could not be opened because the DDE transaction failed. Please try again in a moment."},
      {30, 285, "The file could not be opened because the target application is busy. Please try again in a moment."},
      {31, base + 31, "No application is associated with this file type."},
      {32, 48, "The specified dynamic-link library was not found."},
      {4, base + 4, "An error occurred occurred whilst trying to open or print the selected file."},
  };
  for (const Case& c : cases) {
    ErrorRecord record = shellError(c.result);
    EXPECT_EQ(record.number, c.number) << c.result;
    EXPECT_EQ(record.description, c.text) << c.result;
  }
}

}  // namespace
