#include "platform/shell_execute.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/drives.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;
using namespace corvina::platform;
using corvina::testing::TempFolder;

namespace {

TEST(CommandLine, SplitsByWindowsRules) {
  struct Case {
    const char* line;
    std::vector<std::string> args;
  } cases[] = {
      {" -ab loader.bin", {"-ab", "loader.bin"}},
      {"2 -r bootpartition.bin", {"2", "-r", "bootpartition.bin"}},
      {"\"a b\" c", {"a b", "c"}},
      {"-o \"C:\\My Files\\os.bin\" -e 0", {"-o", "C:\\My Files\\os.bin", "-e", "0"}},
      {"a\\\\\\\"b", {"a\\\"b"}},      // 3 backslashes + quote: one backslash, literal quote
      {"\"a\\\\\" b", {"a\\", "b"}},   // 2 backslashes + quote: one backslash, closing quote
      {"C:\\dir\\ x", {"C:\\dir\\", "x"}},
      {"\"a\"\"b\"", {"a\"b"}},
      {"\"\"", {""}},
      {"   ", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(splitCommandLine(c.line), c.args) << c.line;
}

class ShellExecuteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setDrives({{'E', folder.path().string(), DRIVE_REMOVABLE}});
    setDesktopOpener([this](const std::string& target) {
      opened.push_back(target);
      return true;
    });
  }
  void TearDown() override { setDesktopOpener(nullptr); }

  // A program that writes its arguments and working folder to out.txt.
  void makeProgram(const std::string& name) {
    fs::path script = folder.write(name, "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > out.tmp && mv out.tmp out.txt\n");
    fs::permissions(script, fs::perms::owner_all);
  }
  std::string waitForOutput(const fs::path& file) {
    // The program writes a side file and renames it, so the file is whole once it exists.
    for (int i = 0; i < 1000 && !fs::exists(file); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  TempFolder folder;
  std::vector<std::string> opened;
};

TEST_F(ShellExecuteTest, StartsProgramsWithSplitArgumentsInTheFolder) {
  makeProgram("tools/ipodpatcher.exe");
  folder.mkdir("work");
  int result = ShellExecuteA(nullptr, "open", "E:\\tools\\ipodpatcher.exe", " -r \"my backup.bin\"", "E:\\work", 0);
  EXPECT_GT(result, 32);
  EXPECT_EQ(waitForOutput(folder.path() / "work/out.txt"),
            (folder.path() / "work").string() + "\n[-r]\n[my backup.bin]\n");
  EXPECT_EQ(lastShellLaunch().showMode, 0);
}

TEST_F(ShellExecuteTest, AnswersWithWindowsResultCodes) {
  folder.write("plain.exe", "not a program");  // no execute permission
  fs::permissions(folder.path() / "plain.exe", fs::perms::owner_read | fs::perms::owner_write);
  folder.write("garbage.exe", "\x01\x02garbage");
  fs::permissions(folder.path() / "garbage.exe", fs::perms::owner_all);
  makeProgram("tool.exe");

  EXPECT_EQ(ShellExecuteA(nullptr, "open", "E:\\missing.exe", "", "", 1), SE_ERR_FNF);
  EXPECT_EQ(ShellExecuteA(nullptr, "open", "E:\\nowhere\\x.exe", "", "", 1), SE_ERR_PNF);
  EXPECT_EQ(ShellExecuteA(nullptr, "open", "E:\\tool.exe", "", "E:\\nowhere", 1), SE_ERR_PNF);
  EXPECT_EQ(ShellExecuteA(nullptr, "open", "Q:\\tool.exe", "", "", 1), SE_ERR_PNF);
  EXPECT_EQ(ShellExecuteA(nullptr, "open", "E:\\plain.exe", "", "", 1), SE_ERR_ACCESSDENIED);
  EXPECT_EQ(ShellExecuteA(nullptr, "open", "E:\\garbage.exe", "", "", 1), ERROR_BAD_FORMAT);
  EXPECT_TRUE(opened.empty());
}

TEST_F(ShellExecuteTest, DocumentsAndAddressesGoToTheDesktopHandler) {
  folder.write("notes.txt", "hello");
  EXPECT_GT(ShellExecuteA(nullptr, "", "E:\\notes.txt", "", "", 1), 32);
  EXPECT_GT(ShellExecuteA(nullptr, "", "https://example.org/wiki", "", "", 1), 32);
  EXPECT_EQ(opened, (std::vector<std::string>{(folder.path() / "notes.txt").string(), "https://example.org/wiki"}));

  setDesktopOpener([](const std::string&) { return false; });
  EXPECT_EQ(ShellExecuteA(nullptr, "", "E:\\notes.txt", "", "", 1), SE_ERR_NOASSOC);
}

}  // namespace
