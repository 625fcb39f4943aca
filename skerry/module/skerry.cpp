// The module's entry and clean-up, its settings, the connection state with
// the entry actions of each state, the remote database, the status icon,
// the information window and the debug entries.
#include "skerry.h"

#include "child_process.h"
#include "connect.h"
#include "system_root.h"
#include "transfer.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {

int rip_status = RIP_DISCONNECTED;
ipod_t local_ipod = nullptr;
ipod_t remote_ipod = nullptr;
PzModule *pp_module = nullptr;
PzConfig *pp_config = nullptr;
TWidget *rip_icon = nullptr;
int transfer_blink = 1;

} // extern "C"

namespace {

int mpd_dirty = 0;

const char *const remote_entries[] = {"/Remote iPod/Browse Files", "/Remote iPod/Info", "/Remote iPod/Eject",
                                      "/Remote iPod/Mount", "/Remote iPod/Unmount", "/Remote iPod"};
const char *const music_entries[] = {"/Remote iPod/Music/Artists", "/Remote iPod/Music/Albums",
                                     "/Remote iPod/Music/Songs", "/Remote iPod/Music/Playlists",
                                     "/Remote iPod/Music"};
const char *const kernel_modules[] = {"tsb43aa82", "scsi_mod", "sd_mod", "sbp2"};

void status_line(const char *text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

int setting(int id)
{
    return pz_get_int_setting(pp_config, id);
}

// Removes the music menus and closes the remote database.
void close_music(void)
{
    // A transfer to or from the remote iPod ends before its database goes.
    abort_transfer();
    for (const char *path : music_entries)
        pz_menu_remove(path);
    ipod_free(remote_ipod);
    remote_ipod = nullptr;
}

int shown_if_mounted(ttk_menu_item *) { return is_mounted(); }
int shown_if_unmounted(ttk_menu_item *) { return is_unmounted(); }

void add_remote_entry(const char *path, ttk_menu_open_fn fn, int (*visible)(ttk_menu_item *))
{
    if (ttk_menu_item *item = pz_menu_add_action(path, fn))
        item->visible = visible;
}

ttk_menu_item browser_transfer_item = {"Transfer", browser_transfer, 0, nullptr, nullptr, 0, 0, 0, 0,
                                       nullptr, nullptr, 0, nullptr};

} // namespace

extern "C" {

void __init_module__(void)
{
    if (_pz_mod_check_version(0x10000))
        init_skerry();
}

void _init_module__(void)
{
    __init_module__();
}

void init_skerry(void)
{
    pp_module = pz_register_module("skerry", cleanup_skerry);
    pp_config = pz_load_config(pz_module_get_cfgpath(pp_module, "skerry.conf"));
    pz_menu_add_setting("/Settings/Skerry/Read RIP Music", SETTING_READ_RIP_MUSIC, pp_config, nullptr);
    pz_menu_add_setting("/Settings/Skerry/Automount", SETTING_AUTOMOUNT, pp_config, nullptr);
    if (ttk_menu_item *settings = pz_get_menu_item("/Settings/Skerry"))
        if (settings->sub)
            settings->sub->button = settings_button;
    rip_status = RIP_DISCONNECTED;
    pz_add_header_widget("RIP Icon", rip_icon_update_widget, rip_icon_draw_widget, nullptr);
    pz_enable_widget_on_side(2, "RIP Icon");
    local_ipod = ipod_new(system_path(LOCAL_ROOT).c_str());
    pz_menu_add_action("/RiPDB/Do Tracks", new_do_tracks_window);
    pz_menu_add_action("/RiPDB/Cycle Status", new_cycle_status_window);
    pz_browser_add_action(browser_transfer_predicate, &browser_transfer_item);
}

void cleanup_skerry(void)
{
    abort_transfer(); // a running transfer still writes its target database
    if (local_ipod)
        ipod_free(local_ipod);
    local_ipod = nullptr;
    if (remote_ipod)
        ipod_free(remote_ipod);
    remote_ipod = nullptr;
    transfer_list_reset(nullptr, nullptr);
    reap_commands();
}

// Leaving the settings menu saves the settings and opens or closes the
// remote database to match "Read RIP Music".
int settings_button(TWidget *widget, int button, int time)
{
    if (button == PZ_BUTTON_MENU) {
        pz_save_config(pp_config);
        int read = setting(SETTING_READ_RIP_MUSIC);
        if (read && rip_status == RIP_MOUNTED && !remote_ipod)
            load_rip_music();
        else if (!read && rip_status == RIP_MOUNTED && remote_ipod)
            close_music();
    }
    return ttk_menu_button(widget, button, time);
}

int is_connected(void)
{
    return rip_status != RIP_DISCONNECTED && rip_status != RIP_EJECTED;
}

int is_disconnected(void)
{
    return rip_status == RIP_DISCONNECTED || rip_status == RIP_EJECTED;
}

int is_mounted(void)
{
    return rip_status == RIP_MOUNTED || rip_status == RIP_TRANSFERRING;
}

int is_unmounted(void)
{
    return rip_status == RIP_CONNECTED;
}

void ipod_status_connected(void)
{
    rip_status = RIP_CONNECTED;
    status_line("Status: Connected (Unmounted)");
    pz_menu_add_after("/Remote iPod", nullptr, "Extras");
    add_remote_entry("/Remote iPod/Browse Files", new_browse_rip_window, shown_if_mounted);
    add_remote_entry("/Remote iPod/Info", new_remote_ipod_info_window, shown_if_mounted);
    add_remote_entry("/Remote iPod/Eject", new_eject_window, shown_if_unmounted);
    add_remote_entry("/Remote iPod/Mount", new_domount_window, shown_if_unmounted);
    add_remote_entry("/Remote iPod/Unmount", new_dounmount_window, shown_if_mounted);
    // An unreadable mount table (-1) does not count as mounted.
    if (poll_mount(RIP_DEVICE, RIP_MOUNT_POINT) > 0) {
        ipod_status_mounted();
        return;
    }
    if (!setting(SETTING_AUTOMOUNT))
        return;
    status_line("Attempting to automount");
    do_mount();
    if (poll_mount(RIP_DEVICE, RIP_MOUNT_POINT) > 0)
        ipod_status_mounted();
}

void ipod_status_mounted(void)
{
    status_line("Status: Mounted");
    rip_status = RIP_MOUNTED;
    if (setting(SETTING_READ_RIP_MUSIC))
        load_rip_music();
}

void ipod_status_unmounted(void)
{
    status_line("Status: Unmounted");
    rip_status = RIP_CONNECTED;
    if (remote_ipod)
        close_music();
}

void ipod_status_disconnected(void)
{
    if (rip_status != RIP_CONNECTED && rip_status != RIP_EJECTED)
        ipod_status_unmounted();
    status_line("Status: Disconnected");
    rip_status = RIP_DISCONNECTED;
    for (const char *path : remote_entries)
        pz_menu_remove(path);
}

void ipod_status_ejected(void)
{
    ipod_status_disconnected();
    status_line("Status: Ejected");
    rip_status = RIP_EJECTED;
}

void load_rip_music(void)
{
    if (remote_ipod) {
        pz_error("RiP already opened.");
        return;
    }
    const std::string root = system_path(RIP_MOUNT_POINT);
    const std::string database = root + "/iPod_Control/iTunes/iTunesDB";
    struct stat st;
    if (stat(database.c_str(), &st) != 0) {
        pz_error("Can't find remote iTunesDB.\nMusic not loaded.\n");
        return;
    }
    remote_ipod = ipod_new(root.c_str());
    if (!remote_ipod) {
        pz_error("Can't read remote iTunesDB.\nMusic not loaded.\n");
        return;
    }
    pz_menu_add_top("/Remote iPod/Music", nullptr);
    const struct {
        const char *path;
        ttk_menu_open_fn fn;
    } entries[] = {{"/Remote iPod/Music/Artists", new_pp_artist_menu},
                   {"/Remote iPod/Music/Albums", new_pp_album_menu},
                   {"/Remote iPod/Music/Songs", new_pp_song_menu},
                   {"/Remote iPod/Music/Playlists", new_pp_playlist_menu}};
    for (const auto &entry : entries)
        if (ttk_menu_item *item = pz_menu_add_action(entry.path, entry.fn))
            item->flags = TTK_MENU_SUBMENU;
}

void close_rip_music(void)
{
    if (!remote_ipod) {
        pz_error("No RiP to close.");
        return;
    }
    close_music();
}

TWindow *new_browse_rip_window(ttk_menu_item *)
{
    return pz_browser_open(system_path(RIP_MOUNT_POINT).c_str());
}

int browser_transfer_predicate(const char *file)
{
    std::printf("Pred sent: %s\n", file ? file : "");
    return rip_status == RIP_MOUNTED;
}

TWindow *browser_transfer(ttk_menu_item *item)
{
    if (!item || !item->data)
        return PZ_OPEN_STAY;
    char cwd[512];
    std::string full = getcwd(cwd, sizeof cwd) ? cwd : "";
    if (full.empty() || full.back() != '/')
        full += '/';
    full += static_cast<const char *>(item->data);
    std::printf("full_path: %s\n", full.c_str());
    pz_error("File transferring not yet enabled");
    return PZ_OPEN_STAY;
}

void do_tracks(void)
{
    status_line(setting(SETTING_AUTOMOUNT) ? "Automount on" : "Automount off");
}

TWindow *new_do_tracks_window(ttk_menu_item *)
{
    do_tracks();
    return PZ_OPEN_STAY;
}

// Steps the state by hand, for trying the icon and the menus.
TWindow *new_cycle_status_window(ttk_menu_item *)
{
    switch (rip_status) {
    case RIP_DISCONNECTED:
        ipod_status_connected();
        break;
    case RIP_CONNECTED:
        ipod_status_mounted();
        break;
    case RIP_MOUNTED:
        rip_status = RIP_TRANSFERRING;
        break;
    case RIP_TRANSFERRING:
        ipod_status_disconnected();
        break;
    default:
        break;
    }
    return PZ_OPEN_STAY;
}

int mpd_is_dirty(void)
{
    int dirty = mpd_dirty;
    mpd_dirty = 0;
    return dirty;
}

void mpd_make_dirty(void)
{
    mpd_dirty = 1;
}

// The tenths digit is cut, never rounded, and computed in 64 bits so that
// it is exact for every 32-bit count.
const char *humanize_size(uint32_t bytes)
{
    static char text[32];
    const uint64_t n = bytes;
    if (n >= 1048576)
        std::snprintf(text, sizeof text, "%ld.%01ld MB", long(n >> 20), long((10 * n >> 20) % 10));
    else if (n < 1024)
        std::snprintf(text, sizeof text, "%ld B", long(n));
    else
        std::snprintf(text, sizeof text, "%ld.%01ld kB", long(n >> 10), long((10 * n >> 10) % 10));
    return text;
}

void rip_icon_update_widget(TWidget *) {}

void rip_icon_draw_widget(TWidget *widget, ttk_surface srf)
{
    if (!rip_icon) {
        widget->w = 11;
        widget->timer = rip_icon_timer_handler;
        rip_icon = widget;
        ttk_widget_set_timer(widget, 500);
    }
    rip_icon_timer_handler(widget);
    if (rip_status == RIP_DISCONNECTED || rip_status == RIP_EJECTED)
        return;
    if (rip_status == RIP_TRANSFERRING && transfer_blink) {
        transfer_blink = 0;
        return;
    }
    transfer_blink = 1;
    ttk_color col = ttk_ap_getx("header.fg")->color;
    if (rip_status == RIP_TRANSFERRING && (ttk_get_podversion() & 0x1a0))
        col = ttk_makecol(255, 10, 10);
    const int x = widget->x, y = widget->y, w = widget->w, h = widget->h;
    ttk_rect(srf, x, y + 1, x + w, y + h - 6, col);      // body
    ttk_rect(srf, x + 2, y + 3, x + w - 2, y + 8, col);  // screen
    ttk_ellipse(srf, x + 5, y + 11, 2, 2, col);          // wheel
    if (rip_status == RIP_CONNECTED)
        return;
    ttk_rect(srf, x + 2, y + h - 5, x + w - 2, y + h - 3, col); // dock
    ttk_rect(srf, x + 4, y + h - 3, x + w - 4, y + h - 1, col);
}

void draw_about_remote_ipod_widget(TWidget *widget, ttk_surface srf)
{
    const int x = widget->x, y = widget->y, w = widget->w, h = widget->h;
    const int H = ttk_text_height(ttk_textfont);
    const ttk_color black = ttk_makecol(0, 0, 0);
    int line_y = y + 5;
    ttk_text(srf, ttk_textfont, x + 5, line_y, black, "Test");
    line_y += H + 1;
    ttk_text(srf, ttk_textfont, x + 5, line_y, black, "Test2");
    for (const char *name : kernel_modules) {
        line_y += H + 1;
        // A check that could not run (-1) counts as loaded.
        std::string text = std::string(name) + (check_kernel_module(name) != 0 ? " loaded" : " NOT loaded");
        ttk_text(srf, ttk_textfont, x + 5, line_y, black, text.c_str());
    }
    const int rule = line_y + H + 4;
    ttk_line(srf, x + 5, rule, x + w - 5, rule, ttk_makecol(80, 80, 80));
    const char *quit = "Press a button to quit.";
    ttk_text(srf, ttk_menufont, x + (w - ttk_text_width(ttk_menufont, quit)) / 2,
             y + h - ttk_text_height(ttk_menufont) - 5, black, quit);
}

int event_remote_ipod_widget(TWidget *widget, int event, int, int)
{
    if (event == PZ_EVENT_BUTTON_DOWN)
        pz_close_window(widget->win);
    return 0;
}

TWindow *new_remote_ipod_info_window(ttk_menu_item *)
{
    TWindow *win = pz_new_window("Remote iPod", 0);
    pz_add_widget(win, draw_about_remote_ipod_widget, event_remote_ipod_widget);
    return pz_finish_window(win);
}

} // extern "C"
