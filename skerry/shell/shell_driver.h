/* Drives the shell stand-in from outside: tests and the simulator load a
 * module, press buttons, let time pass and read what the shell shows.
 * Time is virtual: timers fire only inside shell_advance, in order. */
#ifndef SKERRY_SHELL_DRIVER_H
#define SKERRY_SHELL_DRIVER_H

#include "pz.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Sets up an empty shell (main menu "Music", "Extras", "Settings", "File
 * Browser"); settings files go below config_dir.  Calls shell_stop first
 * when a shell is up. */
void shell_start(const char *config_dir);
/* Unloads the module (its clean-up runs), frees every window, menu, timer
 * and setting. */
void shell_stop(void);

/* Loads a module's shared library by path and runs its entry
 * (__init_module__ or _init_module__).  0 on success, -1 with a message on
 * stderr otherwise. */
int shell_load_module(const char *path);
/* The loaded module's library (for dlsym), or null. */
void *shell_module_handle(void);
/* What _pz_mod_check_version answers (default 1). */
void shell_set_version_ok(int ok);
void shell_set_podversion(int bits);
void shell_set_color(const char *name, ttk_color col);
void shell_unset_color(const char *name);

/* Input goes to the focused widget of the top window. */
void shell_button_down(int button);
void shell_button_up(int button);
void shell_press(int button);            /* down and up at once */
void shell_hold(int button, int ms);     /* down, advance ms, up */
void shell_scroll(int steps);            /* +: down the list, -: up */
void shell_advance(int ms);
long shell_now(void);

/* Dialogs: the headless shell answers pz_dialog from this queue (index 0
 * when it is empty).  A front end may run dialogs itself instead: runner is
 * called with the flag that becomes non-zero when the dialog is answered. */
void shell_queue_dialog_answer(int index);
void shell_set_modal_runner(void (*runner)(const volatile int *done));
int shell_dialog_count(void);
const char *shell_dialog_title(int i);
const char *shell_dialog_text(int i);

/* Messages of pz_error, oldest first. */
int shell_message_count(void);
const char *shell_message(int i);
void shell_clear_messages(void);

/* The window stack, 0 the main menu. */
int shell_window_count(void);
TWindow *shell_window(int i);
TWindow *shell_top_window(void);

/* The menu tree: -1 when path does not exist, else its number of entries
 * (all of them, whatever their visibility). */
int shell_menu_count(const char *path);
const char *shell_menu_name(const char *path, int i);
/* Paths handed to pz_menu_remove, oldest first (also those not present). */
int shell_removed_count(void);
const char *shell_removed(int i);
/* The visible entries of the focused menu of the top window. */
int shell_top_menu_count(void);
const char *shell_top_menu_name(int i);
int shell_top_menu_selected(void);
/* Scrolls the top menu to the visible entry of that name (0) or fails (-1);
 * shell_choose also presses the action button on it. */
int shell_select(const char *name);
int shell_choose(const char *name);

/* Draws the header (with its widgets, which may poll) and the windows. */
void shell_render(void);
ttk_surface shell_surface(void);
ttk_color shell_pixel(int x, int y);
/* Texts drawn by the last shell_render. */
int shell_text_count(void);
const char *shell_text(int i, int *x, int *y, ttk_color *col);

#ifdef __cplusplus
}
#endif

#endif
