/* What the artist, album and song menus share: a menu of the distinct
 * texts of one tag among the remote tracks that match a condition list,
 * the window that holds it, the conditions an entry hands on, and the
 * transfer window for the tracks under an entry. */
#ifndef SKERRY_MODULE_BROWSE_MENU_H
#define SKERRY_MODULE_BROWSE_MENU_H

#include "list_utils.h"
#include "pz.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*browse_held_fn)(TWidget *menu, int button);

/* A menu as large as the window area with one entry per distinct text of
 * tag among the remote tracks matching conditions.  Each entry opens
 * open_fn, carries flags and has the conditions as user data.  The menu
 * takes the conditions over and frees them when it is destroyed (null
 * stands for the whole database). */
TWidget *browse_menu_new(int tag, param_list *conditions, ttk_menu_open_fn open_fn, int flags,
                         browse_held_fn held);
/* A menu window titled title (translated) holding menu. */
TWindow *browse_window(const char *title, TWidget *menu);
/* A new condition list: the entry's conditions followed by (tag, its name). */
param_list *browse_entry_conditions(ttk_menu_item *entry, int tag);
/* The transfer window for the remote tracks matching conditions, which it
 * frees. */
TWindow *browse_selection_window(param_list *conditions);
/* The held-button handling of every browser menu: for the action button,
 * shows the transfer window for the tracks under the selected entry. */
int browse_held(TWidget *menu, int button, int tag);

#ifdef __cplusplus
}
#endif

#endif
