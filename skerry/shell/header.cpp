// Widgets of the header bar, drawn at the left or right end of it.
#include "shell_state.h"

using namespace shell;

extern "C" {

void pz_add_header_widget(const char *name, void (*update)(TWidget *), ttk_draw_fn draw, void *data)
{
    TWidget *wid = new_widget();
    wid->w = 16;
    wid->h = ttk_screen->wy - 2;
    wid->draw = draw;
    wid->data = data;
    HeaderWidget hw;
    hw.name = name ? name : "";
    hw.update = update;
    hw.widget = wid;
    state().headers.push_back(hw);
}

void pz_enable_widget_on_side(int side, const char *name)
{
    for (HeaderWidget &hw : state().headers)
        if (name && hw.name == name)
            hw.side = side;
}

} // extern "C"
