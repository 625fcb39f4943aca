#include "device/sysinfo.h"

#include <gtest/gtest.h>

#include "platform/drives.h"
#include "shell/app_state.h"
#include "testing/program_end.h"
#include "testing/scripted_dialogs.h"
#include "testing/temp_folder.h"

using namespace corvina;
using namespace corvina::platform;
using corvina::testing::ProgramEnded;

namespace {

const char* kMissing = "you do not have a sysinfo, would you like to make one?";
const char* kInvalid = "you do not have a valid sysinfo, would you like to make one?";

class SysinfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setDrives({{'E', folder.path().string(), DRIVE_REMOVABLE}});
    app().ipodDrive = "E:";
    app().ipodGeneration = "";
    setMakeSysinfoAction([this] { makeCalls.push_back(app().ipodGeneration); });
  }
  void TearDown() override { setMakeSysinfoAction(nullptr); }

  void writeSysinfo(const std::string& text) { folder.write("iPod_Control/Device/SysInfo", text); }
  std::string find() {
    try {
      return findSysinfo();
    } catch (const ProgramEnded&) {
      return "ended";
    }
  }

  corvina::testing::TempFolder folder;
  corvina::testing::ScriptedDialogs dialogs;
  corvina::testing::ObserveProgramEnd endObserver;
  std::vector<std::string> makeCalls;
};

TEST(ModelTable, EveryModelCharacter) {
  const std::pair<const char*, const char*> table[] = {
      {"B", "video"}, {"C", "nano"}, {"6", "color"}, {"5", "4g"}, {"7", "mini"}, {"4", "mini"},
      {"3", "3g"},    {"2", "2g"},   {"1", "1g"},    {"b", ""},   {"c", ""},     {"8", ""},
      {"", ""},       {"A", ""}};
  for (const auto& [model, word] : table) EXPECT_EQ(generationOfModel(model), word) << model;
}

TEST_F(SysinfoTest, ReadsTheGenerationFromTheModelCharacter) {
  struct Case {
    const char* value;
    const char* word;
  } cases[] = {{"0x000B0005", "video"}, {"0x00060000", "color"}, {"0x00040013", "mini"},
               {"0x00070002", "mini"},  {"0x000C0005", "nano"},  {"0x00010001", "1g"}};
  for (const Case& c : cases) {
    writeSysinfo(std::string("pszSerialNumber: 8K1234\nboardHwSwInterfaceRev: ") + c.value + "\nbuildID: 0x0\n");
    EXPECT_EQ(find(), c.word) << c.value;
  }
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(SysinfoTest, LaterKeyOverridesAndCrLfFilesWork) {
  writeSysinfo("boardHwSwInterfaceRev: 0x00050000\r\nboardHwSwInterfaceRev: 0x000B0005\r\n");
  EXPECT_EQ(find(), "video");
}

TEST_F(SysinfoTest, KeyInOtherCaseOrWithoutBlankIsNotFound) {
  for (const char* text : {"boardhwswinterfacerev: 0x000B0005\n", "boardHwSwInterfaceRev:0x000B0005\n", ""}) {
    writeSysinfo(text);
    EXPECT_EQ(find(), "") << text;
  }
  EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(SysinfoTest, UnknownModelAsksAndYesRunsTheMakeAction) {
  writeSysinfo("boardHwSwInterfaceRev: 0x000b0005\n");
  dialogs.expectMessage(kInvalid, MsgAnswer::Yes);
  EXPECT_EQ(find(), "Bad Sysinfo");
  EXPECT_EQ(makeCalls, (std::vector<std::string>{"blank"}));
  EXPECT_EQ(dialogs.shown()[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(dialogs.shown()[0].icon, MsgIcon::None);
  dialogs.verifyAllShown();
}

TEST_F(SysinfoTest, ShortValueTakesTheNextCharacterAndEachBadKeyAsksAgain) {
  // A short value puts the line end or the next line's first character at
  // the model position.
  writeSysinfo("boardHwSwInterfaceRev: 0x\nX\nboardHwSwInterfaceRev: 0x00\n");
  dialogs.expectMessage(kInvalid, MsgAnswer::Yes);
  dialogs.expectMessage(kInvalid, MsgAnswer::Yes);
  EXPECT_EQ(find(), "Bad Sysinfo");
  EXPECT_EQ(makeCalls.size(), 2u);
  dialogs.verifyAllShown();
}

TEST_F(SysinfoTest, ABadKeyFollowedByAGoodOneGivesTheGoodOne) {
  writeSysinfo("boardHwSwInterfaceRev: 0x000z0000\nboardHwSwInterfaceRev: 0x00030000\n");
  dialogs.expectMessage(kInvalid, MsgAnswer::Yes);
  EXPECT_EQ(find(), "3g");
  dialogs.verifyAllShown();
}

TEST_F(SysinfoTest, MissingFileAsksYesMakesNoEnds) {
  dialogs.expectMessage(kMissing, MsgAnswer::Yes);
  EXPECT_EQ(find(), "");
  EXPECT_EQ(app().ipodGeneration, "blank");
  EXPECT_EQ(makeCalls, (std::vector<std::string>{"blank"}));

  dialogs.expectMessage(kMissing, MsgAnswer::No);
  EXPECT_EQ(find(), "ended");
  EXPECT_EQ(makeCalls.size(), 1u);
  dialogs.verifyAllShown();
}

TEST_F(SysinfoTest, InvalidAnsweredNoEnds) {
  writeSysinfo("boardHwSwInterfaceRev: 0x000c0005\nboardHwSwInterfaceRev: 0x000B0005\n");
  dialogs.expectMessage(kInvalid, MsgAnswer::No);
  EXPECT_EQ(find(), "ended");
  EXPECT_TRUE(makeCalls.empty());
  dialogs.verifyAllShown();
}

}  // namespace
