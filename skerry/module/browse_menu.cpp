// The menus of the remote music browser: built from a search of the remote
// database, holding their condition list until the shell destroys them.
#include "browse_menu.h"

#include "skerry.h"
#include "transfer.h"

#include <cstdlib>
#include <cstring>
#include <libintl.h>
#include <locale.h>

namespace {

// The entries' user data is the menu's condition list; the shell frees the
// entries' copies but not the list, so the menu does when it goes.
void free_menu_conditions(TWidget *menu)
{
    param_list_free(static_cast<param_list *>(menu->data));
    menu->data = nullptr;
}

} // namespace

extern "C" {

TWidget *browse_menu_new(int tag, param_list *conditions, ttk_menu_open_fn open_fn, int flags,
                         browse_held_fn held)
{
    TWidget *menu = ttk_new_menu_widget(nullptr, ttk_menufont, ttk_screen->w - ttk_screen->wx,
                                        ttk_screen->h - ttk_screen->wy);
    menu->data = conditions;
    menu->destroy = free_menu_conditions;
    menu->held = held;
    menu->holdtime = 500;
    ttk_menu_set_i18nable(menu, 0);
    string_list *values = string_list_track_search(remote_ipod, tag, conditions);
    while (ipod_string value = string_list_pop(values)) {
        ttk_menu_item entry;
        std::memset(&entry, 0, sizeof entry);
        // The shell frees a name it owns with free(), so it gets its own copy.
        entry.name = strdup(value);
        entry.free_name = 1;
        entry.open_fn = open_fn;
        entry.flags = flags;
        entry.data = conditions;
        ipod_string_free(value);
        if (entry.name)
            ttk_menu_append(menu, &entry);
    }
    string_list_free(values);
    return menu;
}

TWindow *browse_window(const char *title, TWidget *menu)
{
    TWindow *win = pz_new_window(dcgettext(nullptr, title, LC_MESSAGES), 0);
    win->data = reinterpret_cast<void *>(0x12345678);
    ttk_add_widget(win, menu);
    return pz_finish_window(win);
}

param_list *browse_entry_conditions(ttk_menu_item *entry, int tag)
{
    param_list *conditions = param_list_copy(static_cast<param_list *>(entry->data));
    param_list_add(conditions, tag, entry->name);
    return conditions;
}

TWindow *browse_selection_window(param_list *conditions)
{
    track_list *selection = track_search_id(remote_ipod, conditions);
    param_list_free(conditions);
    if (!selection)
        return PZ_OPEN_STAY;
    return transfer_alt_menu(selection, remote_ipod, nullptr, nullptr);
}

int browse_held(TWidget *menu, int button, int tag)
{
    if (button != PZ_BUTTON_ACTION)
        return 0;
    ttk_menu_item *entry = ttk_menu_get_selected_item(menu);
    if (!entry)
        return 0;
    TWindow *win = browse_selection_window(browse_entry_conditions(entry, tag));
    if (win != PZ_OPEN_STAY)
        ttk_show_window(win);
    return 0;
}

} // extern "C"
