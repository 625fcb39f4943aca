// The song menus: all titles, or those under an artist and album; choosing
// or holding one offers its tracks for transfer or removal.
#include "song.h"

#include "browse_menu.h"

extern "C" {

TWindow *new_pp_song_menu(ttk_menu_item *)
{
    return browse_window("Songs", populate_pp_songs(nullptr));
}

TWidget *populate_pp_songs(param_list *conditions)
{
    return browse_menu_new(IPOD_TITLE, conditions, open_song, 0, song_held_handler);
}

TWindow *open_song(ttk_menu_item *entry)
{
    return browse_selection_window(browse_entry_conditions(entry, IPOD_TITLE));
}

int song_held_handler(TWidget *menu, int button)
{
    return browse_held(menu, button, IPOD_TITLE);
}

} // extern "C"
