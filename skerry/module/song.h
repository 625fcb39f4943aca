/* The song menus of the remote music browser. */
#ifndef SKERRY_MODULE_SONG_H
#define SKERRY_MODULE_SONG_H

#include "list_utils.h"
#include "pz.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Every title of the remote database. */
TWindow *new_pp_song_menu(ttk_menu_item *item);
/* A menu of the titles of the tracks matching conditions (taken over). */
TWidget *populate_pp_songs(param_list *conditions);
/* The transfer window for the tracks of the chosen title. */
TWindow *open_song(ttk_menu_item *entry);
int song_held_handler(TWidget *menu, int button);

#ifdef __cplusplus
}
#endif

#endif
