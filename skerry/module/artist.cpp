// The "Artists" menu: choosing an artist lists its albums, holding the
// action button on one offers all its tracks.
#include "artist.h"

#include "album.h"
#include "browse_menu.h"
#include "ipod.h"

extern "C" {

TWindow *new_pp_artist_menu(ttk_menu_item *)
{
    return browse_window("Artists",
                         browse_menu_new(IPOD_ARTIST, nullptr, open_artist, TTK_MENU_SUBMENU, artist_held_handler));
}

TWindow *open_artist(ttk_menu_item *entry)
{
    return browse_window("Albums", populate_pp_albums(browse_entry_conditions(entry, IPOD_ARTIST)));
}

int artist_held_handler(TWidget *menu, int button)
{
    return browse_held(menu, button, IPOD_ARTIST);
}

} // extern "C"
