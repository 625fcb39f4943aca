// The album menus: all albums, or those of an artist; choosing one lists
// its songs, holding the action button on one offers all its tracks.
#include "album.h"

#include "browse_menu.h"
#include "song.h"

extern "C" {

TWindow *new_pp_album_menu(ttk_menu_item *)
{
    return browse_window("Albums", populate_pp_albums(nullptr));
}

TWidget *populate_pp_albums(param_list *conditions)
{
    return browse_menu_new(IPOD_ALBUM, conditions, open_album, TTK_MENU_SUBMENU, album_held_handler);
}

TWindow *open_album(ttk_menu_item *entry)
{
    return browse_window("Songs", populate_pp_songs(browse_entry_conditions(entry, IPOD_ALBUM)));
}

int album_held_handler(TWidget *menu, int button)
{
    return browse_held(menu, button, IPOD_ALBUM);
}

} // extern "C"
