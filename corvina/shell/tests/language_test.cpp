#include "shell/language.h"

#include <gtest/gtest.h>

#include "shell/app_state.h"

using namespace corvina;

namespace {

class LanguageTest : public ::testing::Test {
 protected:
  void TearDown() override { app().currentLanguage = "English"; }
};

TEST_F(LanguageTest, LooksUpByCurrentLanguage) {
  app().currentLanguage = "English";
  EXPECT_EQ(GetLangText("405"), "Status");
  EXPECT_EQ(GetLangText("406"), "idle");
  EXPECT_EQ(GetLangText("402"), "Select A Loader To Install");
  app().currentLanguage = "Español";
  EXPECT_EQ(GetLangText("405"), "Posición");
  EXPECT_EQ(GetLangText("432"), "Instalar... ");
  EXPECT_EQ(GetLangText("435"), "La carga... ");
  EXPECT_EQ(GetLangText("401"), "Loader.cfg");
  app().currentLanguage = "Deutsch";
  EXPECT_EQ(GetLangText("405"), "");
}

TEST_F(LanguageTest, EveryNumberHasBothTextsAndNothingElseDoes) {
  for (int n = 400; n <= 435; ++n) {
    EXPECT_FALSE(LoadResString(1000 + n).empty()) << n;
    EXPECT_FALSE(LoadResString(2000 + n).empty()) << n;
  }
  EXPECT_EQ(GetLangText("399"), "");
  EXPECT_EQ(GetLangText("436"), "");
  EXPECT_EQ(GetLangText(""), "");
  EXPECT_EQ(GetLangText("4x5"), "");
}

}  // namespace
