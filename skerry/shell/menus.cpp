// Menu widgets: drawing, scrolling, choosing an entry and what an entry's
// open function answers.
#include "shell_state.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace shell {

std::vector<ttk_menu_item *> visible_items(MenuState *menu)
{
    std::vector<ttk_menu_item *> out;
    auto consider = [&out](ttk_menu_item *item) {
        if (!item->visible || item->visible(item))
            out.push_back(item);
    };
    if (menu->node)
        for (MenuNode *child : menu->node->children)
            consider(&child->item);
    for (ttk_menu_item *item : menu->own)
        consider(item);
    return out;
}

void free_item_copy(ttk_menu_item *item)
{
    if (item->free_name)
        std::free(const_cast<char *>(item->name));
    if (item->free_data)
        std::free(item->data);
    delete item;
}

static int row_height(MenuState *menu)
{
    return ttk_text_height(menu->font) + 4;
}

static void clamp_selection(TWidget *wid, MenuState *menu, int count)
{
    menu->selected = std::clamp(menu->selected, 0, std::max(count - 1, 0));
    int rows = std::max(wid->h / row_height(menu), 1);
    if (menu->selected < menu->first)
        menu->first = menu->selected;
    if (menu->selected >= menu->first + rows)
        menu->first = menu->selected - rows + 1;
    menu->first = std::clamp(menu->first, 0, std::max(count - rows, 0));
}

static void menu_draw(TWidget *wid, ttk_surface srf)
{
    MenuState *menu = wdstate(wid)->menu;
    auto items = visible_items(menu);
    clamp_selection(wid, menu, int(items.size()));
    const int rh = row_height(menu);
    const int rows = std::max(wid->h / rh, 1);
    for (int i = menu->first; i < int(items.size()) && i < menu->first + rows; ++i) {
        ttk_menu_item *item = items[i];
        int y = wid->y + (i - menu->first) * rh;
        ttk_color fg = ttk_ap_getx("window.fg")->color;
        if (i == menu->selected) {
            ttk_fillrect(srf, wid->x, y, wid->x + wid->w, y + rh, ttk_ap_getx("menu.selbg")->color);
            fg = ttk_ap_getx("menu.selfg")->color;
        }
        const char *name = item->name ? item->name : "";
        ttk_text(srf, menu->font, wid->x + 4, y + 2, fg, name);
        std::string mark;
        MenuNode *node = node_of_item(item);
        if (node && node->conf)
            mark = setting_value_text(node);
        else if (item->flags & TTK_MENU_SUBMENU)
            mark = ">";
        else if (item->flags & TTK_MENU_RUNS)
            mark = "!";
        if (!mark.empty())
            ttk_text(srf, menu->font, wid->x + wid->w - 4 - ttk_text_width(menu->font, mark.c_str()), y + 2,
                     fg, mark.c_str());
    }
}

static int menu_scroll(TWidget *wid, int dir)
{
    MenuState *menu = wdstate(wid)->menu;
    menu->selected += dir;
    clamp_selection(wid, menu, int(visible_items(menu).size()));
    wid->dirty = 1;
    return 0;
}

static TWidget *new_menu(ttk_font font, int w, int h)
{
    TWidget *wid = new_widget();
    wid->w = w;
    wid->h = h;
    wid->focusable = 1;
    wid->draw = menu_draw;
    wid->scroll = menu_scroll;
    wid->button = ttk_menu_button;
    wdstate(wid)->menu = new MenuState;
    wdstate(wid)->menu->font = font ? font : ttk_menufont;
    return wid;
}

TWidget *new_node_menu(MenuNode *node, int w, int h)
{
    TWidget *wid = new_menu(ttk_menufont, w, h);
    wdstate(wid)->menu->node = node;
    wdstate(wid)->owner_node = node;
    return wid;
}

void menu_forget_node(MenuNode *node)
{
    if (node->item.sub) {
        WidgetState *ws = wdstate(node->item.sub);
        ws->menu->node = nullptr;
        ws->owner_node = nullptr;
    }
}

// Chooses an entry: settings change their value, submenus of the path menus
// open, other entries run their open function, whose answer says what
// happens next (see PZ_OPEN_* in pz.h).
int menu_open_item(TWidget *wid, ttk_menu_item *item)
{
    item->menuwidth = wid->w;
    item->menuheight = wid->h;
    TWindow *holder = wid->win;
    MenuNode *node = node_of_item(item);
    TWindow *result = PZ_OPEN_STAY;
    if (node && node->conf) {
        setting_toggle(node);
        wid->dirty = 1;
        return 0;
    }
    if (item->open_fn) {
        result = item->open_fn(item);
    } else if (item->sub && !item->sub->win) {
        TWindow *win = make_window(item->name);
        win->data = (void *)0x12345678;
        ttk_add_widget(win, item->sub);
        result = win;
    }
    if (result == PZ_OPEN_STAY)
        return 0;
    if (result == PZ_OPEN_BACK) {
        if (holder && !state().stack.empty() && holder != state().stack.front())
            close_window(holder);
    } else if (result == PZ_OPEN_TOP) {
        close_to_main();
    } else {
        show_window(result);
    }
    return 0;
}

} // namespace shell

using namespace shell;

extern "C" {

TWidget *ttk_new_menu_widget(ttk_menu_item *items, ttk_font font, int w, int h)
{
    TWidget *wid = new_menu(font, w, h);
    for (ttk_menu_item *it = items; it && it->name; ++it)
        ttk_menu_append(wid, it);
    return wid;
}

void ttk_menu_append(TWidget *menu, ttk_menu_item *item)
{
    if (!menu || !item || !wdstate(menu)->menu)
        return;
    auto *copy = new ttk_menu_item(*item);
    copy->shell = nullptr;
    copy->menu = menu;
    copy->sub = nullptr;
    wdstate(menu)->menu->own.push_back(copy);
}

void ttk_menu_set_i18nable(TWidget *menu, int translate)
{
    if (menu && wdstate(menu)->menu)
        wdstate(menu)->menu->translate = translate;
}

ttk_menu_item *ttk_menu_get_selected_item(TWidget *menu)
{
    if (!menu || !wdstate(menu)->menu)
        return nullptr;
    MenuState *ms = wdstate(menu)->menu;
    auto items = visible_items(ms);
    clamp_selection(menu, ms, int(items.size()));
    return items.empty() ? nullptr : items[ms->selected];
}

void ttk_menu_flash(ttk_menu_item *item, int times)
{
    if (item)
        item->flashes += times;
}

int ttk_menu_button(TWidget *menu, int button, int)
{
    if (!menu || !wdstate(menu)->menu)
        return 0;
    if (button == PZ_BUTTON_ACTION) {
        ttk_menu_item *item = ttk_menu_get_selected_item(menu);
        if (item)
            menu_open_item(menu, item);
    } else if (button == PZ_BUTTON_MENU) {
        if (menu->win && !state().stack.empty() && menu->win != state().stack.front())
            close_window(menu->win);
    }
    return 0;
}

} // extern "C"
