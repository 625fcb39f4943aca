/* The album menus of the remote music browser. */
#ifndef SKERRY_MODULE_ALBUM_H
#define SKERRY_MODULE_ALBUM_H

#include "list_utils.h"
#include "pz.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Every album of the remote database. */
TWindow *new_pp_album_menu(ttk_menu_item *item);
/* A menu of the albums of the tracks matching conditions (taken over). */
TWidget *populate_pp_albums(param_list *conditions);
/* The songs of the chosen album (under the entry's conditions). */
TWindow *open_album(ttk_menu_item *entry);
int album_held_handler(TWidget *menu, int button);

#ifdef __cplusplus
}
#endif

#endif
