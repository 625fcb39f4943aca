/* The "Artists" menu of the remote music browser. */
#ifndef SKERRY_MODULE_ARTIST_H
#define SKERRY_MODULE_ARTIST_H

#include "pz.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Every artist of the remote database, in the order of first occurrence. */
TWindow *new_pp_artist_menu(ttk_menu_item *item);
/* The albums of the chosen artist. */
TWindow *open_artist(ttk_menu_item *entry);
int artist_held_handler(TWidget *menu, int button);

#ifdef __cplusplus
}
#endif

#endif
