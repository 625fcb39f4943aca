/* The remote iPod module: entry and clean-up, settings, the connection
 * state and its entry actions, the status icon, the information window and
 * the helpers other parts of the module and other shell modules use. */
#ifndef SKERRY_MODULE_SKERRY_H
#define SKERRY_MODULE_SKERRY_H

#include "ipod.h"
#include "pz.h"

#ifdef __cplusplus
extern "C" {
#endif

/* States of rip_status. */
enum {
    RIP_DISCONNECTED = 0, /* no remote iPod on the bus */
    RIP_CONNECTED = 1,    /* present, not mounted */
    RIP_MOUNTED = 2,      /* mounted at /rip */
    RIP_TRANSFERRING = 3, /* mounted and a transfer runs */
    RIP_EJECTED = 4       /* ejected; stays so until it leaves the bus */
};

/* Settings ids in skerry.conf. */
enum { SETTING_READ_RIP_MUSIC = 2, SETTING_AUTOMOUNT = 3 };

extern int rip_status;
extern ipod_t local_ipod;  /* the database on /mnt; null if it failed */
extern ipod_t remote_ipod; /* the database on /rip while it is open */
extern PzModule *pp_module;
extern PzConfig *pp_config;
extern TWidget *rip_icon;
extern int transfer_blink;

void __init_module__(void);
void _init_module__(void);
void init_skerry(void);
void cleanup_skerry(void);
int settings_button(TWidget *widget, int button, int time);

int is_connected(void);    /* state neither 0 nor 4 */
int is_disconnected(void); /* state 0 or 4 */
int is_mounted(void);      /* state 2 or 3 */
int is_unmounted(void);    /* state 1 */

void ipod_status_connected(void);
void ipod_status_mounted(void);
void ipod_status_unmounted(void);
void ipod_status_disconnected(void);
void ipod_status_ejected(void);

void load_rip_music(void);
void close_rip_music(void);

TWindow *new_browse_rip_window(ttk_menu_item *item);
TWindow *new_remote_ipod_info_window(ttk_menu_item *item);
TWindow *new_do_tracks_window(ttk_menu_item *item);
TWindow *new_cycle_status_window(ttk_menu_item *item);
void do_tracks(void);
int browser_transfer_predicate(const char *file);
TWindow *browser_transfer(ttk_menu_item *item);

int mpd_is_dirty(void);
void mpd_make_dirty(void);
const char *humanize_size(uint32_t bytes);

void rip_icon_update_widget(TWidget *widget);
void rip_icon_draw_widget(TWidget *widget, ttk_surface srf);
void draw_about_remote_ipod_widget(TWidget *widget, ttk_surface srf);
int event_remote_ipod_widget(TWidget *widget, int event, int button, int time);

/* Built by the browsing and transfer parts of the module. */
TWindow *new_pp_artist_menu(ttk_menu_item *item);
TWindow *new_pp_album_menu(ttk_menu_item *item);
TWindow *new_pp_song_menu(ttk_menu_item *item);
void transfer_list_reset(ipod_t source, ipod_t destination);

#ifdef __cplusplus
}
#endif

#endif
