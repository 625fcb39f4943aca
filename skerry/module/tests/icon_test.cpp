#include "module_fixture.h"

using Icon = ModuleTest;

namespace {
// The icon sits at the right end of the header, one pixel below its top
// and above its bottom line.
constexpr int X = 320 - 2 - 11, Y = 1, W = 11;
const int H = ttk_screen->wy - 2;

// Which of the icon's parts are drawn, and in which colour.
struct Seen {
    bool body, wheel, dock;
    ttk_color col;
};

Seen look()
{
    shell_render();
    ttk_color col = shell_pixel(X, Y + 1); // top-left corner of the body
    Seen s{};
    s.col = col;
    ttk_color bg = ttk_ap_getx("header.bg")->color;
    s.body = col != bg && shell_pixel(X + W - 1, Y + H - 7) == col;
    s.wheel = shell_pixel(X + 7, Y + 11) == col && shell_pixel(X + 5, Y + 11) != col;
    s.dock = shell_pixel(X + 2, Y + H - 5) == col && shell_pixel(X + 4, Y + H - 2) == col && col != bg;
    return s;
}
} // namespace

TEST_F(Icon, DrawsNothingWhenDisconnectedTheIpodWhenConnectedAndTheDockWhenMounted)
{
    load();
    Seen s = look();
    EXPECT_FALSE(s.body);
    attach();
    poll();
    s = look();
    EXPECT_TRUE(s.body);
    EXPECT_TRUE(s.wheel);
    EXPECT_FALSE(s.dock);
    EXPECT_EQ(s.col, ttk_ap_getx("header.fg")->color);
    mounted();
    s = look(); // a drawing polls too
    EXPECT_EQ(status(), 2);
    EXPECT_TRUE(s.body);
    EXPECT_TRUE(s.dock);
    shell_press(PZ_BUTTON_ACTION); // nothing special: keep drawing
    EXPECT_TRUE(look().dock);
}

TEST_F(Icon, BlinksWhileTransferringInRedOnColourModels)
{
    attach();
    mounted();
    load();
    *sym<int>("rip_status") = 3;
    ASSERT_EQ(*sym<int>("transfer_blink"), 1);
    std::vector<bool> shown;
    for (int i = 0; i < 4; ++i)
        shown.push_back(look().body);
    EXPECT_EQ(shown, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(look().col, ttk_ap_getx("header.bg")->color);
    Seen s = look();
    EXPECT_EQ(s.col, 0xFF0A0Au);
    EXPECT_TRUE(s.dock);

    shell_set_podversion(TTK_POD_4G); // grey screen: header colour
    look();
    EXPECT_EQ(look().col, ttk_ap_getx("header.fg")->color);
}

TEST_F(Icon, ItsTimerPollsTwiceASecond)
{
    load();
    attach();
    shell_advance(499);
    EXPECT_EQ(status(), 0);
    shell_advance(1);
    EXPECT_EQ(status(), 1);
}
