#include "shell_fixture.h"

#include <fstream>
#include <sstream>

using Settings = ShellTest;

TEST_F(Settings, OnOffEntryTogglesAndSavedValuesSurviveARestart)
{
    auto path = folder / "mod" / "m.conf";
    PzConfig *conf = pz_load_config(path.c_str());
    EXPECT_EQ(pz_get_int_setting(conf, 3), 0);
    pz_menu_add_setting("/Settings/Mod/Automount", 3, conf, nullptr);
    shell_choose("Settings");
    shell_choose("Mod");
    shell_choose("Automount");
    EXPECT_EQ(pz_get_int_setting(conf, 3), 1);
    shell_render();
    bool on_shown = false;
    for (int i = 0; i < shell_text_count(); ++i)
        on_shown |= std::string(shell_text(i, nullptr, nullptr, nullptr)) == "On";
    EXPECT_TRUE(on_shown);
    pz_save_config(conf);

    shell_stop();
    shell_start((folder / "config").c_str());
    EXPECT_EQ(pz_get_int_setting(pz_load_config(path.c_str()), 3), 1);
}

TEST_F(Settings, LinesThatDoNotParseAreKeptAndMissingFilesAreEmpty)
{
    auto path = folder / "odd.conf";
    std::ofstream(path) << "# comment\n2=1\nbogus line\n";
    PzConfig *conf = pz_load_config(path.c_str());
    EXPECT_EQ(pz_get_int_setting(conf, 2), 1);
    pz_set_int_setting(conf, 3, 1);
    pz_save_config(conf);
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    EXPECT_EQ(text.str(), "# comment\nbogus line\n2=1\n3=1\n");
    EXPECT_EQ(pz_get_int_setting(pz_load_config((folder / "none.conf").c_str()), 2), 0);
    EXPECT_EQ(pz_get_int_setting(nullptr, 2), 0);
}

TEST_F(Settings, AFailedSaveIsReportedAndKeepsTheOldFile)
{
    auto blocked = folder / "blocked";
    std::filesystem::create_directories(blocked / "m.conf.new"); // the side file cannot be written
    std::ofstream(blocked / "m.conf") << "2=1\n";
    PzConfig *conf = pz_load_config((blocked / "m.conf").c_str());
    pz_set_int_setting(conf, 2, 0);
    pz_save_config(conf);
    EXPECT_GE(shell_message_count(), 1);
    std::stringstream text;
    text << std::ifstream(blocked / "m.conf").rdbuf();
    EXPECT_EQ(text.str(), "2=1\n");
}
