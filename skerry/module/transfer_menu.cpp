// The window that offers what can be done with a selection of tracks:
// transfer them to the other iPod, enqueue them, or remove them after a
// confirmation.
#include "skerry.h"
#include "transfer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <libintl.h>
#include <locale.h>

namespace {

struct selection_stats {
    int count;
    uint64_t bytes;
};

struct enqueue_action {
    transfer_enqueue_fn fn;
    void *arg;
};

ttk_menu_item menu_item(const char *name, ttk_menu_open_fn fn, int flags, void *data)
{
    ttk_menu_item item;
    std::memset(&item, 0, sizeof item);
    item.name = name;
    item.open_fn = fn;
    item.flags = flags;
    item.data = data;
    return item;
}

void free_stats(TWidget *widget)
{
    delete static_cast<selection_stats *>(widget->data);
    widget->data = nullptr;
}

// The menu's items point at the selection; it goes with the menu.
void free_selection(TWidget *menu)
{
    track_list_free(static_cast<track_list *>(menu->data));
    menu->data = nullptr;
}

// A selection's database may have been closed (the remote iPod went away)
// while its window was open.
bool still_open(ipod_t ipod)
{
    return ipod && (ipod == local_ipod || ipod == remote_ipod);
}

} // namespace

extern "C" {

TWindow *transfer_alt_menu(track_list *selection, ipod_t ipod, transfer_enqueue_fn enqueue, void *arg)
{
    TWindow *win = pz_new_window(dcgettext(nullptr, "Transfer", LC_MESSAGES), 0);
    win->data = reinterpret_cast<void *>(0x12345678);

    auto *stats = new selection_stats{0, 0};
    for (track_node *node = selection ? selection->head : nullptr; node; node = node->next) {
        if (ipod_track_t track = ipod_track_get_by_track_id(ipod, node->id)) {
            stats->bytes += ipod_track_get_attribute(track, IPOD_TRACK_SIZE);
            ipod_track_free(track);
        }
        stats->count++;
    }
    TWidget *stat = pz_new_widget(transfer_alt_stat_draw, nullptr);
    stat->data = stats;
    stat->destroy = free_stats;
    ttk_add_widget(win, stat);

    const int H = ttk_text_height(ttk_menufont);
    const int height = enqueue ? 3 * H + 12 : 2 * (H + 4);
    TWidget *menu = ttk_new_menu_widget(nullptr, ttk_menufont, ttk_screen->w - ttk_screen->wx, height);
    menu->y = ttk_screen->h - ttk_screen->wy - height;
    menu->data = selection;
    menu->destroy = free_selection;
    if (remote_ipod) {
        ttk_menu_item item = menu_item("Transfer", transfer_tracks, 0, selection);
        ttk_menu_append(menu, &item);
    }
    if (enqueue) {
        // The shell frees the pair with the item.
        auto *action = static_cast<enqueue_action *>(std::malloc(sizeof(enqueue_action)));
        if (action) {
            *action = {enqueue, arg};
            ttk_menu_item item = menu_item("Enqueue", enqueue_tracks, 0, action);
            item.free_data = 1;
            ttk_menu_append(menu, &item);
        }
    }
    ttk_menu_item remove = menu_item("Remove", remove_tracks, 0, selection);
    ttk_menu_append(menu, &remove);
    ttk_add_widget(win, menu);
    return pz_finish_window(win);
}

void transfer_alt_stat_draw(TWidget *widget, ttk_surface srf)
{
    const auto *stats = static_cast<const selection_stats *>(widget->data);
    if (!stats)
        return;
    const int H = ttk_text_height(ttk_textfont);
    const ttk_color fg = ttk_ap_getx("window.fg")->color;
    const int x = widget->x + 5;
    char line[64];
    ttk_text(srf, ttk_textfont, x, widget->y + 5, fg, "Selected:");
    std::snprintf(line, sizeof line, "%i tracks.", stats->count);
    ttk_text(srf, ttk_textfont, x, widget->y + 6 + H, fg, line);
    const uint64_t bytes = stats->bytes;
    std::snprintf(line, sizeof line, "%s bytes.", humanize_size(bytes > UINT32_MAX ? UINT32_MAX : uint32_t(bytes)));
    ttk_text(srf, ttk_textfont, x, widget->y + 7 + 2 * H, fg, line);
}

void local_transfer_alt_menu(const char *artist, const char *album, const char *title,
                             transfer_enqueue_fn enqueue, void *arg)
{
    if (!local_ipod) {
        pz_error("Local iTunesDB not loaded.\n");
        return;
    }
    param_list *conditions = param_list_new();
    if (artist) {
        std::printf("Artist: %s, ", artist);
        param_list_add(conditions, IPOD_ARTIST, artist);
    }
    if (album) {
        std::printf("Album: %s, ", album);
        param_list_add(conditions, IPOD_ALBUM, album);
    }
    if (title) {
        std::printf("Song: %s, ", title);
        param_list_add(conditions, IPOD_TITLE, title);
    }
    track_list *selection = track_search_id(local_ipod, conditions);
    param_list_free(conditions);
    std::printf("Made list\n");
    std::fflush(stdout);
    if (selection)
        ttk_show_window(transfer_alt_menu(selection, local_ipod, enqueue, arg));
}

TWindow *transfer_tracks(ttk_menu_item *item)
{
    std::printf("Transferring tracks:\n");
    std::fflush(stdout);
    auto *selection = static_cast<track_list *>(item->data);
    ipod_t source = selection ? selection->ipod : nullptr;
    ipod_t target = nullptr;
    if (source && source == local_ipod)
        target = remote_ipod;
    else if (source && source == remote_ipod)
        target = local_ipod;
    else {
        pz_error("src_ipod not set in tracklist\n");
        return PZ_OPEN_STAY;
    }
    if (!target) {
        pz_error("dst_ipod not open\n");
        return PZ_OPEN_STAY;
    }
    if (transfer_running()) {
        pz_error("A transfer is already running.\n");
        return PZ_OPEN_STAY;
    }
    transfer_list_reset(source, target);
    while (selection->head)
        transfer_list_add_track(track_list_pop(selection));
    ttk_show_window(new_transfer_window());
    return PZ_OPEN_BACK;
}

TWindow *enqueue_tracks(ttk_menu_item *item)
{
    ttk_menu_flash(item, 1);
    const auto *action = static_cast<const enqueue_action *>(item->data);
    if (action && action->fn)
        action->fn(action->arg);
    return PZ_OPEN_BACK;
}

TWindow *remove_tracks(ttk_menu_item *item)
{
    TWindow *win = pz_new_window(dcgettext(nullptr, "Really Delete These Tracks?", LC_MESSAGES), 0);
    win->data = reinterpret_cast<void *>(0x12345678);
    // The question takes the place of the menu it was asked from.
    int w = item->menuwidth > 0 ? item->menuwidth : ttk_screen->w - ttk_screen->wx;
    int h = item->menuheight > 0 ? item->menuheight : 2 * (ttk_text_height(ttk_textfont) + 4);
    ttk_menu_item items[3] = {
        menu_item("No, don't delete anything.", remove_tracks_aborted, 0, item->data),
        menu_item("Yes, remove all selected tracks.", remove_tracks_do_delete, TTK_MENU_RUNS, item->data),
        menu_item(nullptr, nullptr, 0, nullptr),
    };
    TWidget *menu = ttk_new_menu_widget(items, ttk_textfont, w, h);
    ttk_add_widget(win, menu);
    ttk_set_popup(win);
    return pz_finish_window(win);
}

TWindow *remove_tracks_aborted(ttk_menu_item *)
{
    return PZ_OPEN_BACK;
}

TWindow *remove_tracks_do_delete(ttk_menu_item *item)
{
    std::printf("Deleting tracks:\n");
    auto *selection = static_cast<track_list *>(item->data);
    ipod_t ipod = selection ? selection->ipod : nullptr;
    if (!still_open(ipod)) {
        pz_error("The tracks' iTunesDB is no longer open.\n");
        return PZ_OPEN_TOP;
    }
    while (selection->head) {
        const uint32_t id = track_list_pop(selection);
        ipod_track_t track = ipod_track_get_by_track_id(ipod, id);
        if (!track)
            continue;
        ipod_string path = ipod_track_get_text(track, IPOD_FULL_PATH, nullptr);
        std::printf("deleting track with ID=%i: %s\n", int(id), path ? path : "");
        ipod_track_remove(track);
        ipod_track_free(track);
        if (path)
            ipod_string_free(path);
    }
    std::fflush(stdout);
    if (ipod_flush(ipod) != 0)
        pz_error("Unable to write the iTunesDB!\n");
    if (ipod == local_ipod)
        mpd_make_dirty();
    return PZ_OPEN_TOP;
}

} // extern "C"
