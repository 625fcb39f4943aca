#include "shell_fixture.h"

#include <fstream>
#include <unistd.h>

using Browser = ShellTest;

namespace {
std::string seen_file, seen_cwd;
TWindow *act(ttk_menu_item *item)
{
    seen_file = item->data ? static_cast<const char *>(item->data) : "";
    char buf[512];
    seen_cwd = getcwd(buf, sizeof buf) ? buf : "";
    return PZ_OPEN_STAY;
}
} // namespace

TEST_F(Browser, ListsFoldersFirstAndOffersActionsWhosePredicateHolds)
{
    auto dir = folder / "disk";
    std::filesystem::create_directories(dir / "Sub");
    std::ofstream(dir / "b.mp3") << "x";
    std::ofstream(dir / "a.txt") << "x";
    std::ofstream(dir / ".hidden") << "x";
    static ttk_menu_item transfer{};
    transfer.name = "Transfer";
    transfer.open_fn = act;
    pz_browser_add_action([](const char *name) { return int(std::string(name).ends_with(".mp3")); }, &transfer);

    ttk_show_window(pz_browser_open(dir.c_str()));
    ASSERT_EQ(shell_top_menu_count(), 3);
    EXPECT_STREQ(shell_top_menu_name(0), "Sub/");
    EXPECT_STREQ(shell_top_menu_name(1), "a.txt");
    EXPECT_STREQ(shell_top_menu_name(2), "b.mp3");

    shell_choose("a.txt"); // no action accepts it
    EXPECT_EQ(shell_window_count(), 2);
    shell_choose("b.mp3");
    ASSERT_EQ(shell_window_count(), 3);
    EXPECT_TRUE(shell_top_window()->popup);
    shell_choose("Transfer");
    EXPECT_EQ(seen_file, "b.mp3");
    EXPECT_EQ(std::filesystem::canonical(seen_cwd), std::filesystem::canonical(dir));

    shell_press(PZ_BUTTON_MENU);
    shell_choose("Sub/");
    EXPECT_EQ(top_title(), "Sub");
    EXPECT_EQ(shell_top_menu_count(), 0);
    chdir("/");
}

TEST_F(Browser, AMissingFolderIsReported)
{
    EXPECT_EQ(pz_browser_open((folder / "nope").c_str()), nullptr);
    EXPECT_EQ(shell_message_count(), 1);
}
