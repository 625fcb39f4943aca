// Placeholders for the remote music browser and the transfer engine, which
// are other files of this module: until those are linked in, their entries
// do nothing.  Weak, so that the real definitions replace them.
#include "skerry.h"

extern "C" {

__attribute__((weak)) TWindow *new_pp_artist_menu(ttk_menu_item *) { return PZ_OPEN_STAY; }
__attribute__((weak)) TWindow *new_pp_album_menu(ttk_menu_item *) { return PZ_OPEN_STAY; }
__attribute__((weak)) TWindow *new_pp_song_menu(ttk_menu_item *) { return PZ_OPEN_STAY; }
__attribute__((weak)) void transfer_list_reset(ipod_t, ipod_t) {}

} // extern "C"
