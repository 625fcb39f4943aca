#include "shell_fixture.h"

#include <vector>

using Menus = ShellTest;

namespace {
std::vector<std::string> names(const char *path)
{
    std::vector<std::string> out;
    for (int i = 0; i < shell_menu_count(path); ++i)
        out.push_back(shell_menu_name(path, i));
    return out;
}
using V = std::vector<std::string>;

int opened;
TWindow *count_open(ttk_menu_item *) { ++opened; return PZ_OPEN_STAY; }
TWindow *go_back(ttk_menu_item *) { return PZ_OPEN_BACK; }
TWindow *go_top(ttk_menu_item *) { return PZ_OPEN_TOP; }
TWindow *new_plain(ttk_menu_item *item)
{
    TWindow *win = pz_new_window(item->name, 0);
    pz_add_widget(win, nullptr, nullptr);
    return pz_finish_window(win);
}
int hidden(ttk_menu_item *) { return 0; }
} // namespace

TEST_F(Menus, PathsAddPlaceAndRemoveEntries)
{
    EXPECT_EQ(names("/"), (V{"Music", "Extras", "Settings", "File Browser"}));
    pz_menu_add_action("/Tools/A", count_open);
    pz_menu_add_after("/Remote", nullptr, "Extras");
    pz_menu_add_action("/Remote/Info", count_open);
    pz_menu_add_top("/Remote/Music", nullptr);
    pz_menu_add_action("/Remote/Music/Songs", count_open);
    pz_menu_add_after("/Late", nullptr, "No such sibling");
    EXPECT_EQ(names("/"), (V{"Music", "Extras", "Remote", "Settings", "File Browser", "Tools", "Late"}));
    EXPECT_EQ(names("/Remote"), (V{"Music", "Info"}));
    EXPECT_EQ(pz_menu_add_action("/Remote/Info", count_open), pz_get_menu_item("/Remote/Info")); // no twin

    ttk_menu_item *remote = pz_get_menu_item("/Remote");
    ASSERT_NE(remote, nullptr);
    EXPECT_NE(remote->sub, nullptr);
    EXPECT_TRUE(remote->flags & TTK_MENU_SUBMENU);
    EXPECT_EQ(pz_get_menu_item("/Remote/Nothing"), nullptr);

    pz_menu_remove("/Remote/Music");
    EXPECT_EQ(names("/Remote"), (V{"Info"}));
    EXPECT_EQ(shell_menu_count("/Remote/Music/Songs"), -1);
    pz_menu_remove("/Remote/Music"); // gone already: harmless
    pz_menu_remove("/Remote");
    EXPECT_EQ(shell_menu_count("/Remote"), -1);
}

TEST_F(Menus, OpenFunctionCodesStayGoBackOrReturnToTheMainMenu)
{
    pz_menu_add_action("/Extras/Stay", count_open);
    pz_menu_add_action("/Extras/Back", go_back);
    pz_menu_add_action("/Extras/Deeper/Top", go_top);
    pz_menu_add_action("/Extras/Window", new_plain);
    opened = 0;
    ASSERT_EQ(shell_choose("Extras"), 0);
    EXPECT_EQ(top_title(), "Extras");
    EXPECT_EQ(shell_top_window()->data, (void *)0x12345678);
    shell_choose("Stay");
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(shell_window_count(), 2);
    shell_choose("Window");
    EXPECT_EQ(top_title(), "Window");
    shell_press(PZ_BUTTON_MENU); // a plain widget without handler: nothing
    EXPECT_EQ(shell_window_count(), 3);
    pz_close_window(shell_top_window());
    shell_choose("Deeper");
    EXPECT_EQ(shell_window_count(), 3);
    shell_choose("Top");
    EXPECT_EQ(shell_window_count(), 1);
    shell_choose("Extras");
    shell_choose("Back");
    EXPECT_EQ(shell_window_count(), 1);
    shell_press(PZ_BUTTON_MENU); // the main menu never closes
    EXPECT_EQ(shell_window_count(), 1);
}

TEST_F(Menus, VisibilityPredicateHidesEntriesAndItemsKeepTheirMenuSize)
{
    pz_menu_add_action("/Extras/Shown", count_open);
    pz_menu_add_action("/Extras/Hidden", count_open)->visible = hidden;
    shell_choose("Extras");
    ASSERT_EQ(shell_top_menu_count(), 1);
    EXPECT_STREQ(shell_top_menu_name(0), "Shown");
    EXPECT_EQ(shell_select("Hidden"), -1);
    shell_choose("Shown");
    ttk_menu_item *item = pz_get_menu_item("/Extras/Shown");
    EXPECT_EQ(item->menuwidth, ttk_screen->w - ttk_screen->wx);
    EXPECT_EQ(item->menuheight, ttk_screen->h - ttk_screen->wy);
}

TEST_F(Menus, ButtonHandlerOfAPathMenuIsReplaceable)
{
    static int seen_button;
    pz_menu_add_setting("/Settings/Mod/Flag", 2, pz_load_config((folder / "x.conf").c_str()), nullptr);
    pz_get_menu_item("/Settings/Mod")->sub->button = [](TWidget *w, int b, int t) {
        seen_button = b;
        return ttk_menu_button(w, b, t);
    };
    shell_choose("Settings");
    shell_choose("Mod");
    EXPECT_EQ(top_title(), "Mod");
    shell_press(PZ_BUTTON_MENU);
    EXPECT_EQ(seen_button, PZ_BUTTON_MENU);
    EXPECT_EQ(top_title(), "Settings");
}

TEST_F(Menus, RemovingAnOpenSubmenuClosesItsWindow)
{
    pz_menu_add_action("/Gone/Entry", go_top);
    shell_choose("Gone");
    EXPECT_EQ(top_title(), "Gone");
    pz_menu_remove("/Gone/Entry");
    pz_menu_remove("/Gone");
    EXPECT_EQ(shell_window_count(), 1);
    shell_render();
}

TEST_F(Menus, AnEntryMayRemoveItsOwnMenuAndReturnToTheTop)
{
    pz_menu_add_action("/Gone/Eject", [](ttk_menu_item *) {
        pz_menu_remove("/Gone/Eject");
        pz_menu_remove("/Gone");
        return PZ_OPEN_TOP;
    });
    shell_choose("Gone");
    shell_choose("Eject");
    EXPECT_EQ(shell_window_count(), 1);
    EXPECT_EQ(shell_menu_count("/Gone"), -1);
}

TEST_F(Menus, MenuWidgetsCopyTheirItemsAndOfferHeldHandlers)
{
    static ttk_menu_item items[3] = {};
    items[0].name = "One";
    items[0].open_fn = count_open;
    items[1].name = "Two";
    items[1].open_fn = count_open;
    TWindow *win = pz_new_window("List", 0);
    TWidget *menu = ttk_new_menu_widget(items, ttk_menufont, win->w, win->h);
    items[0].name = "Changed later"; // the menu keeps its own copy
    static int held_button;
    static std::string held_name;
    held_button = 0;
    menu->held = [](TWidget *w, int b) {
        held_button = b;
        held_name = ttk_menu_get_selected_item(w)->name;
        return 0;
    };
    menu->holdtime = 500;
    ttk_add_widget(win, menu);
    ttk_show_window(win);
    EXPECT_STREQ(shell_top_menu_name(0), "One");

    opened = 0;
    shell_scroll(1);
    shell_hold(PZ_BUTTON_ACTION, 499);
    EXPECT_EQ(held_button, 0);
    EXPECT_EQ(opened, 1); // a short press
    shell_hold(PZ_BUTTON_ACTION, 500);
    EXPECT_EQ(held_button, PZ_BUTTON_ACTION);
    EXPECT_EQ(held_name, "Two");
    EXPECT_EQ(opened, 1); // the release after a hold opens nothing
    ttk_menu_flash(ttk_menu_get_selected_item(menu), 1);
    EXPECT_EQ(ttk_menu_get_selected_item(menu)->flashes, 1);
}
