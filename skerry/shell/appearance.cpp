// Named appearance colours, the model bits and the screen.
#include "shell_driver.h"
#include "shell_state.h"

#include <cstring>
#include <memory>

namespace {

// Entries are never erased, so a colour handed out stays valid.
struct Colour {
    TApItem ap;
    bool defined;
};

std::map<std::string, std::unique_ptr<Colour>> &colours()
{
    static std::map<std::string, std::unique_ptr<Colour>> table;
    return table;
}

TApItem black{"black", 0x000000};

uint32_t screen_pixels[320 * 240];
ttk_surface_s screen_surface{320, 240, screen_pixels};
ttk_screeninfo screen_info{320, 240, 16, 0, 24, &screen_surface};

} // namespace

extern "C" {
ttk_screeninfo *ttk_screen = &screen_info;

TApItem *ttk_ap_get(const char *name)
{
    if (!name)
        return nullptr;
    auto it = colours().find(name);
    return it == colours().end() || !it->second->defined ? nullptr : &it->second->ap;
}

TApItem *ttk_ap_getx(const char *name)
{
    TApItem *ap = ttk_ap_get(name);
    return ap ? ap : &black;
}

void ttk_ap_fillrect(ttk_surface srf, TApItem *ap, int x1, int y1, int x2, int y2)
{
    if (ap)
        ttk_fillrect(srf, x1, y1, x2, y2, ap->color);
}

void ttk_ap_hline(ttk_surface srf, TApItem *ap, int x1, int x2, int y)
{
    if (ap)
        ttk_line(srf, x1, y, x2, y, ap->color);
}

void ttk_ap_vline(ttk_surface srf, TApItem *ap, int x, int y1, int y2)
{
    if (ap)
        ttk_line(srf, x, y1, x, y2, ap->color);
}

int ttk_get_podversion(void)
{
    return shell::state().podversion;
}

void shell_set_podversion(int bits)
{
    shell::state().podversion = bits;
}

void shell_set_color(const char *name, ttk_color col)
{
    auto &slot = colours()[name];
    if (!slot) {
        slot = std::make_unique<Colour>();
        slot->ap.name = colours().find(name)->first.c_str();
    }
    slot->ap.color = col;
    slot->defined = true;
}

void shell_unset_color(const char *name)
{
    auto it = colours().find(name);
    if (it != colours().end())
        it->second->defined = false;
}
} // extern "C"

namespace shell {
void reset_appearance(void)
{
    for (auto &entry : colours())
        entry.second->defined = false;
    shell_set_color("window.fg", 0x000000);
    shell_set_color("window.bg", 0xFFFFFF);
    shell_set_color("header.fg", 0x000000);
    shell_set_color("header.bg", 0xC8D0DC);
    shell_set_color("music.bar", 0x3060C0);
    shell_set_color("music.bar.bg", 0xE0E0E0);
    shell_set_color("menu.selbg", 0x3060C0);
    shell_set_color("menu.selfg", 0xFFFFFF);
    state().podversion = TTK_POD_VIDEO;
}
} // namespace shell
