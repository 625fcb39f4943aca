#include "music_fixture.h"

namespace {

const ttk_color bg = 0xffffff, fg = 0x102030, bar = 0x00c000, bar_bg = 0x909090;

class Progress : public MusicTest {
protected:
    void SetUp() override
    {
        MusicTest::SetUp();
        shell_set_color("window.bg", bg);
        shell_set_color("window.fg", fg);
        shell_set_color("music.bar", bar);
        shell_set_color("music.bar.bg", bar_bg);
    }

    void start(const std::vector<Song> &songs)
    {
        connect_remote(songs);
        open_music("Albums");
        ASSERT_EQ(shell_select(songs[0].album.c_str()), 0);
        shell_hold(PZ_BUTTON_ACTION, 600);
        ASSERT_EQ(shell_choose("Transfer"), 0);
    }

    // The bar drawn for percent with its top at y (window coordinates) on a
    // 320-pixel wide widget: frame in window.fg one pixel around, filled
    // part, then the rest in music.bar.bg (or the window's background).
    static ttk_color expected_bar(int x, int y, int top, int percent, bool with_bg)
    {
        const int left = 320 / 12, right = left + 320 - 320 / 6;
        const int fill_end = left + (320 - 320 / 6) * percent / 100 + 1;
        if ((y == top - 1 || y == top + 9) && x >= left && x <= right)
            return fg;
        if ((x == left - 1 || x == right + 1) && y >= top && y <= top + 8)
            return fg;
        if (y >= top && y <= top + 8 && x >= left && x < fill_end)
            return bar;
        if (with_bg && y >= top && y <= top + 8 && x >= left && x <= right)
            return bar_bg;
        return bg;
    }

    // Compares the rows around a bar with the expected drawing.
    void expect_bar(int top, int percent, bool with_bg = true)
    {
        shell_render();
        int wrong = 0;
        for (int y = top - 1; y <= top + 10; ++y)
            for (int x = 0; x < 320; ++x)
                if (shell_pixel(x, 24 + y) != expected_bar(x, y, top, percent, with_bg) && wrong++ < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << shell_pixel(x, 24 + y);
        EXPECT_EQ(wrong, 0);
    }

    std::pair<int, int> position_of(const std::string &text)
    {
        shell_render();
        int x = -1, y = -1;
        for (int i = 1; i < shell_text_count(); ++i)
            if (text == shell_text(i, &x, &y, nullptr))
                return {x, y};
        return {-1, -1};
    }
};

TEST_F(Progress, BarsAndCentredLinesDuringAndAfterATransfer)
{
    start({{"Tune", "An artist whose name is too long", "Alb", 200000},
           {"Tune 2", "Bee", "Alb", 200000},
           {"Tune 3", "Bee", "Alb", 200000}});
    shell_advance(1); // 65536 of 200000 and of 600000 bytes
    // The file bar belongs at 46, but line 3 of this 20-pixel font reaches
    // down to 66: the bar goes just below it.  The total bar stays at 97.
    expect_bar(68, 32);
    expect_bar(97, 10);
    // Lines of the 20-pixel menu font at k * 20 - 13, centred.
    EXPECT_EQ(position_of("An artist whose name is too long"), std::make_pair(8, 7)); // wider than the window
    EXPECT_EQ(position_of("Tune"), std::make_pair((320 - 4 * 12) / 2, 27));
    EXPECT_EQ(position_of("64.0 kB / 195.3 kB"), std::make_pair((320 - 18 * 12) / 2, 47));
    EXPECT_EQ(position_of("File 1 of 3"), std::make_pair((320 - 11 * 12) / 2, 107));
    EXPECT_EQ(position_of("64.0 kB / 585.9 kB total"), std::make_pair((320 - 24 * 12) / 2, 127));

    run_transfer();
    expect_bar(68, 100);
    expect_bar(97, 100);
    EXPECT_EQ(position_of("Transfer Completed"), std::make_pair((320 - 18 * 12) / 2, 7));
    EXPECT_EQ(position_of("Press [menu] to return"), std::make_pair((320 - 22 * 12) / 2, 27));
}

TEST_F(Progress, OneFileHasNoTotalBarAndTheBarBackgroundIsOptional)
{
    shell_unset_color("music.bar.bg");
    start({{"Tune", "Bee", "Alb", 100000}});
    shell_advance(1);
    expect_bar(68, 65, false);
    shell_render();
    for (int y = 94; y < 110; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(shell_pixel(x, 24 + y), bg) << x << "," << y;
}

} // namespace
