#include "shell_fixture.h"

using Drawing = ShellTest;

namespace {
ttk_surface_s make_surface(std::vector<uint32_t> &pixels, int w, int h)
{
    pixels.assign(size_t(w) * h, 0xFFFFFF);
    return ttk_surface_s{w, h, pixels.data()};
}
int count(const std::vector<uint32_t> &pixels, uint32_t col)
{
    return int(std::count(pixels.begin(), pixels.end(), col));
}
} // namespace

TEST_F(Drawing, RectanglesExcludeTheSecondCornerAndLinesIncludeBothEnds)
{
    std::vector<uint32_t> px;
    auto srf = make_surface(px, 20, 20);
    ttk_fillrect(&srf, 2, 3, 5, 7, 0x123456);
    EXPECT_EQ(count(px, 0x123456), 3 * 4);
    EXPECT_EQ(px[3 * 20 + 2], 0x123456u);
    EXPECT_EQ(px[6 * 20 + 4], 0x123456u);
    EXPECT_EQ(px[7 * 20 + 4], 0xFFFFFFu);

    auto srf2 = make_surface(px, 20, 20);
    ttk_rect(&srf2, 0, 0, 4, 3, 0x1);
    EXPECT_EQ(count(px, 0x1), 4 + 4 + 2); // a 4 x 3 frame
    EXPECT_EQ(px[2 * 20 + 3], 0x1u);

    auto srf3 = make_surface(px, 20, 20);
    ttk_line(&srf3, 1, 1, 1, 5, 0x2);
    EXPECT_EQ(count(px, 0x2), 5);
    ttk_line(&srf3, 30, 30, -5, -5, 0x3); // clipped, not a crash
    EXPECT_EQ(px[0], 0x3u);
}

TEST_F(Drawing, EllipseOutlineIsSymmetricAroundItsCentre)
{
    std::vector<uint32_t> px;
    auto srf = make_surface(px, 20, 20);
    ttk_ellipse(&srf, 10, 10, 2, 2, 0x9);
    for (auto [x, y] : {std::pair{12, 10}, {8, 10}, {10, 12}, {10, 8}})
        EXPECT_EQ(px[y * 20 + x], 0x9u) << x << "," << y;
    EXPECT_EQ(px[10 * 20 + 10], 0xFFFFFFu);
    for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx) {
            uint32_t p = px[(10 + dy) * 20 + 10 + dx];
            EXPECT_EQ(p, px[(10 - dy) * 20 + 10 + dx]);
            EXPECT_EQ(p, px[(10 + dy) * 20 + 10 - dx]);
        }
}

TEST_F(Drawing, FontsHaveFixedMeasuresAndTextIsDrawnAndRecorded)
{
    EXPECT_EQ(ttk_text_width(ttk_textfont, "abc"), 18);
    EXPECT_EQ(ttk_text_height(ttk_textfont), 10);
    EXPECT_EQ(ttk_text_width(ttk_menufont, "abc"), 36);
    EXPECT_EQ(ttk_text_height(ttk_menufont), 20);
    EXPECT_EQ(ttk_text_width(ttk_textfont, "\xc3\xa9t\xc3\xa9"), 18); // one cell per character
    EXPECT_EQ(ttk_text_width(ttk_textfont, ""), 0);

    std::vector<uint32_t> px;
    auto srf = make_surface(px, 40, 20);
    ttk_text(&srf, ttk_textfont, 0, 0, 0x7, "I");
    EXPECT_EQ(count(px, 0x7), 3 + 5 + 3); // serif, stem, serif
    ttk_text(&srf, ttk_textfont, 0, 0, 0x7, "\x01\xff"); // unprintable: no crash
}

TEST_F(Drawing, AppearanceColoursHaveDefaultsAndMayBeUndefined)
{
    for (const char *name : {"window.fg", "header.fg", "music.bar", "music.bar.bg"})
        EXPECT_NE(ttk_ap_get(name), nullptr) << name;
    EXPECT_EQ(ttk_ap_get("no.such"), nullptr);
    EXPECT_NE(ttk_ap_getx("no.such"), nullptr);
    TApItem *bar = ttk_ap_get("music.bar.bg");
    shell_unset_color("music.bar.bg");
    EXPECT_EQ(ttk_ap_get("music.bar.bg"), nullptr);
    shell_set_color("music.bar.bg", 0x010203);
    EXPECT_EQ(ttk_ap_get("music.bar.bg"), bar); // a handed-out colour stays valid
    EXPECT_EQ(bar->color, 0x010203u);
    EXPECT_EQ(ttk_makecol(255, 10, 10), 0xFF0A0Au);
    EXPECT_EQ(ttk_screen->w, 320);
    EXPECT_EQ(ttk_screen->h, 240);
    EXPECT_GT(ttk_screen->wy, 0);
    shell_set_podversion(TTK_POD_4G);
    EXPECT_EQ(ttk_get_podversion(), TTK_POD_4G);
}

TEST_F(Drawing, RenderDrawsHeaderWidgetsAtTheRightEnd)
{
    static int drawn;
    drawn = 0;
    pz_add_header_widget("Box", nullptr, [](TWidget *w, ttk_surface s) {
        ++drawn;
        w->w = 5;
        ttk_fillrect(s, w->x, w->y, w->x + w->w, w->y + w->h, 0xABCDEF);
    }, nullptr);
    shell_render();
    EXPECT_EQ(drawn, 0); // not enabled on a side yet
    pz_enable_widget_on_side(2, "Box");
    shell_render();
    shell_render();
    EXPECT_EQ(drawn, 2);
    EXPECT_EQ(shell_pixel(ttk_screen->w - 3, 1), 0xABCDEFu);
    EXPECT_EQ(shell_pixel(ttk_screen->w - 7, 1), 0xABCDEFu);
    EXPECT_NE(shell_pixel(ttk_screen->w - 8, 1), 0xABCDEFu);
}
