// Drawing on the in-memory RGB surface: pixels, lines, rectangles, ellipses
// and text in the two bitmap fonts.
#include "font_glyphs.h"
#include "shell_state.h"

#include <cstdlib>
#include <utility>

struct ttk_font_s {
    int scale;   // each glyph dot is scale x scale pixels
    int height;  // line height
    int advance; // pixels per character
    int top;     // blank rows above the glyph
};

namespace {
ttk_font_s text_font{1, 10, 6, 1};
ttk_font_s menu_font{2, 20, 12, 1};
bool recording = false;
} // namespace

extern "C" {
ttk_font ttk_textfont = &text_font;
ttk_font ttk_menufont = &menu_font;

ttk_color ttk_makecol(int r, int g, int b)
{
    return (ttk_color)(((r & 0xff) << 16) | ((g & 0xff) << 8) | (b & 0xff));
}

void ttk_pixel(ttk_surface srf, int x, int y, ttk_color col)
{
    if (!srf || x < 0 || y < 0 || x >= srf->w || y >= srf->h)
        return;
    srf->pixels[y * srf->w + x] = col;
}

void ttk_line(ttk_surface srf, int x1, int y1, int x2, int y2, ttk_color col)
{
    int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        ttk_pixel(srf, x1, y1, col);
        if (x1 == x2 && y1 == y2)
            break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void ttk_fillrect(ttk_surface srf, int x1, int y1, int x2, int y2, ttk_color col)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            ttk_pixel(srf, x, y, col);
}

void ttk_rect(ttk_surface srf, int x1, int y1, int x2, int y2, ttk_color col)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    if (x2 == x1 || y2 == y1)
        return;
    ttk_line(srf, x1, y1, x2 - 1, y1, col);
    ttk_line(srf, x1, y2 - 1, x2 - 1, y2 - 1, col);
    ttk_line(srf, x1, y1, x1, y2 - 1, col);
    ttk_line(srf, x2 - 1, y1, x2 - 1, y2 - 1, col);
}

void ttk_ellipse(ttk_surface srf, int cx, int cy, int rx, int ry, ttk_color col)
{
    if (rx < 0 || ry < 0)
        return;
    if (rx == 0 || ry == 0) {
        ttk_line(srf, cx - rx, cy - ry, cx + rx, cy + ry, col);
        return;
    }
    // Walk the first quadrant in both directions so that steep and flat
    // parts have no gaps; mirror into the other three.
    auto plot4 = [&](int x, int y) {
        ttk_pixel(srf, cx + x, cy + y, col);
        ttk_pixel(srf, cx - x, cy + y, col);
        ttk_pixel(srf, cx + x, cy - y, col);
        ttk_pixel(srf, cx - x, cy - y, col);
    };
    const double a2 = double(rx) * rx, b2 = double(ry) * ry;
    for (int x = 0; x <= rx; ++x) {
        double t = 1.0 - x * x / a2;
        int y = int(ry * __builtin_sqrt(t < 0 ? 0 : t) + 0.5);
        plot4(x, y);
    }
    for (int y = 0; y <= ry; ++y) {
        double t = 1.0 - y * y / b2;
        int x = int(rx * __builtin_sqrt(t < 0 ? 0 : t) + 0.5);
        plot4(x, y);
    }
}

// Characters are UTF-8 code points; those outside printable ASCII are drawn
// as "?".
static int next_char(const char *&p)
{
    unsigned char c = (unsigned char)*p++;
    if (c < 0x80)
        return (c >= 32 && c <= 126) ? c : '?';
    while ((((unsigned char)*p) & 0xC0) == 0x80)
        ++p;
    return '?';
}

void ttk_text(ttk_surface srf, ttk_font font, int x, int y, ttk_color col, const char *text)
{
    if (!font || !text)
        return;
    if (recording)
        shell::state().texts.push_back({text, x, y, col});
    for (const char *p = text; *p;) {
        int c = next_char(p);
        const uint8_t *rows = shell::glyphs[c - 32];
        const int top = font->top + (shell::has_descender(c) ? shell::descender_drop : 0);
        for (int r = 0; r < shell::glyph_rows; ++r)
            for (int k = 0; k < shell::glyph_columns; ++k)
                if (rows[r] & (0x10 >> k))
                    ttk_fillrect(srf, x + k * font->scale, y + (top + r) * font->scale, x + (k + 1) * font->scale,
                                 y + (top + r + 1) * font->scale, col);
        x += font->advance;
    }
}

int ttk_text_width(ttk_font font, const char *text)
{
    if (!font || !text)
        return 0;
    int n = 0;
    for (const char *p = text; *p; ++n)
        next_char(p);
    return n * font->advance;
}

int ttk_text_height(ttk_font font)
{
    return font ? font->height : 0;
}
} // extern "C"

namespace shell {
void text_record(bool on)
{
    recording = on;
}
} // namespace shell
