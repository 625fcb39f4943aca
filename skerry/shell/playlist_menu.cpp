// The playlist menu that the shell offers the loaded module: the remote
// database's playlists by name.  The database and the library calls are
// looked up in the module, which carries the music database library.
#include "shell_state.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace {

constexpr int playlist_title = 1;

template <typename F>
F lookup(const char *name)
{
    void *handle = shell::state().module_handle;
    return handle ? reinterpret_cast<F>(dlsym(handle, name)) : nullptr;
}

} // namespace

extern "C" TWindow *new_pp_playlist_menu(ttk_menu_item *)
{
    auto remote = lookup<void **>("remote_ipod");
    auto count = lookup<int (*)(void *)>("ipod_playlist_count");
    auto get = lookup<void *(*)(void *, int)>("ipod_playlist_get_by_index");
    auto text = lookup<char *(*)(void *, int, char *)>("ipod_playlist_get_text");
    auto release = lookup<void (*)(void *)>("ipod_playlist_free");
    auto string_free = lookup<void (*)(char *)>("ipod_string_free");
    if (!remote || !*remote || !count || !get || !text || !release || !string_free) {
        pz_error("No remote playlists to show.");
        return PZ_OPEN_STAY;
    }
    TWindow *win = pz_new_window("Playlists", 0);
    win->data = (void *)0x12345678;
    TWidget *menu = ttk_new_menu_widget(nullptr, ttk_menufont, win->w, win->h);
    int n = count(*remote);
    for (int i = 0; i < n; ++i) {
        void *playlist = get(*remote, i);
        if (!playlist)
            continue;
        char *title = text(playlist, playlist_title, nullptr);
        ttk_menu_item entry{};
        entry.name = strdup(title ? title : "");
        entry.free_name = 1;
        ttk_menu_append(menu, &entry);
        if (title)
            string_free(title);
        release(playlist);
    }
    ttk_menu_set_i18nable(menu, 0);
    ttk_add_widget(win, menu);
    return pz_finish_window(win);
}
