/* The transfer engine: the window that offers what can be done with a
 * selection of tracks (transfer to the other iPod, enqueue, remove), the
 * transfer list, and the window whose timer copies the files 64 KiB per
 * tick and adds the tracks to the target database. */
#ifndef SKERRY_MODULE_TRANSFER_H
#define SKERRY_MODULE_TRANSFER_H

#include "ipod.h"
#include "list_utils.h"
#include "pz.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Bytes copied per timer tick. */
#define TRANSFER_BUFFER_SIZE 65536
/* Room for a destination path; a longer one fails its file. */
#define TRANSFER_PATH_MAX 255

typedef void (*transfer_enqueue_fn)(void *arg);

typedef struct transfer_item {
    ipod_string source_path;      /* full path on the mounted source */
    ipod_string destination_path; /* null until the file is started */
    uint32_t size;                /* the database's size; the file's once opened */
    ipod_track_t track;           /* the source track; null for plain files */
    ipod_string location;         /* the destination's ":" location once started */
    struct transfer_item *next;
} transfer_item;

/* A window offering "Transfer" (while a remote database is open), "Enqueue"
 * (when enqueue is given) and "Remove" for the selection, whose ids belong
 * to ipod.  The window takes the selection over. */
TWindow *transfer_alt_menu(track_list *selection, ipod_t ipod, transfer_enqueue_fn enqueue, void *arg);
void transfer_alt_stat_draw(TWidget *widget, ttk_surface srf);
/* Shows transfer_alt_menu for the local tracks with the given artist, album
 * and title (null: any). */
void local_transfer_alt_menu(const char *artist, const char *album, const char *title,
                             transfer_enqueue_fn enqueue, void *arg);

/* Open functions of the menu items. */
TWindow *transfer_tracks(ttk_menu_item *item);
TWindow *enqueue_tracks(ttk_menu_item *item);
TWindow *remove_tracks(ttk_menu_item *item);
TWindow *remove_tracks_aborted(ttk_menu_item *item);
TWindow *remove_tracks_do_delete(ttk_menu_item *item);

void transfer_list_reset(ipod_t source, ipod_t destination);
void transfer_list_add_track(uint32_t id);
void transfer_list_add_file(const char *source_path, const char *destination_path, uint32_t size);

/* The progress window; its widget's timer runs transfer_copy_step. */
TWindow *new_transfer_window(void);
void draw_transfer_widget(TWidget *widget, ttk_surface srf);
int transfer_widget_event(TWidget *widget, int event, int button, int time);
int transfer_copy_step(TWidget *widget);
void fill_copied_percent(TWidget *widget, ttk_surface srf, int percent, int y);
/* Ends a running transfer at once (nothing happens when none runs). */
void abort_transfer(void);
/* 1 while a transfer runs. */
int transfer_running(void);

#ifdef __cplusplus
}
#endif

#endif
