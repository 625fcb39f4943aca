/* The calls a module of the on-device shell makes: menus by slash path,
 * windows and widgets, dialogs, settings files, header widgets, the file
 * browser and drawing on an in-memory RGB surface.  This is a stand-in of the
 * device's shell with the same names and C linkage; the module is loaded into
 * it as a shared library (see shell_driver.h for the side that drives it). */
#ifndef SKERRY_SHELL_PZ_H
#define SKERRY_SHELL_PZ_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- surfaces, colours, fonts, screen ---------------------------------- */

typedef uint32_t ttk_color; /* 0x00RRGGBB */

typedef struct ttk_surface_s {
    int w, h;
    uint32_t *pixels; /* w * h, row after row */
} *ttk_surface;

typedef struct ttk_font_s *ttk_font;

typedef struct ttk_screeninfo {
    int w, h;   /* 320 x 240 */
    int bpp;    /* 16 */
    int wx, wy; /* top-left corner of the window area, below the header */
    ttk_surface srf;
} ttk_screeninfo;

extern ttk_screeninfo *ttk_screen;
extern ttk_font ttk_textfont; /* small font for running text */
extern ttk_font ttk_menufont; /* larger font of menus and titles */

/* Model bits of ttk_get_podversion(). */
enum {
    TTK_POD_1G = 0x1,
    TTK_POD_2G = 0x2,
    TTK_POD_3G = 0x4,
    TTK_POD_4G = 0x8,
    TTK_POD_MINI_1G = 0x10,
    TTK_POD_PHOTO = 0x20,
    TTK_POD_MINI_2G = 0x40,
    TTK_POD_NANO = 0x80,
    TTK_POD_VIDEO = 0x100
};
int ttk_get_podversion(void);

ttk_color ttk_makecol(int r, int g, int b);
/* Rectangles cover x1..x2-1 and y1..y2-1 (the second corner is exclusive);
 * lines include both end points. */
void ttk_pixel(ttk_surface srf, int x, int y, ttk_color col);
void ttk_line(ttk_surface srf, int x1, int y1, int x2, int y2, ttk_color col);
void ttk_rect(ttk_surface srf, int x1, int y1, int x2, int y2, ttk_color col);
void ttk_fillrect(ttk_surface srf, int x1, int y1, int x2, int y2, ttk_color col);
void ttk_ellipse(ttk_surface srf, int x, int y, int rx, int ry, ttk_color col);
/* y is the top of the text line. */
void ttk_text(ttk_surface srf, ttk_font font, int x, int y, ttk_color col, const char *text);
int ttk_text_width(ttk_font font, const char *text);
int ttk_text_height(ttk_font font);

/* Appearance colours by name ("window.fg", "window.bg", "header.fg",
 * "header.bg", "music.bar", "music.bar.bg", "menu.selbg", "menu.selfg"). */
typedef struct TApItem {
    const char *name;
    ttk_color color;
} TApItem;
TApItem *ttk_ap_get(const char *name);  /* null when the name is not defined */
TApItem *ttk_ap_getx(const char *name); /* never null: black when undefined */
void ttk_ap_fillrect(ttk_surface srf, TApItem *ap, int x1, int y1, int x2, int y2);
void ttk_ap_hline(ttk_surface srf, TApItem *ap, int x1, int x2, int y);
void ttk_ap_vline(ttk_surface srf, TApItem *ap, int x, int y1, int y2);

/* ---- widgets and windows ----------------------------------------------- */

typedef struct TWindow TWindow;
typedef struct TWidget TWidget;
typedef struct ttk_menu_item ttk_menu_item;

/* Buttons, as handed to the button callbacks. */
enum {
    PZ_BUTTON_ACTION = 10,
    PZ_BUTTON_PLAY = 'd',
    PZ_BUTTON_NEXT = 'f',
    PZ_BUTTON_HOLD = 'h',
    PZ_BUTTON_MENU = 109,
    PZ_BUTTON_PREVIOUS = 'w'
};

/* Codes handed to the event function of pz_add_widget / pz_new_widget:
 * scroll (button = +1 or -1), a button went down, a button was released
 * (time = how long it was down, in ms). */
enum { PZ_EVENT_SCROLL = 1, PZ_EVENT_BUTTON_DOWN = 3, PZ_EVENT_BUTTON_UP = 4 };

typedef void (*ttk_draw_fn)(TWidget *, ttk_surface);
typedef int (*pz_event_fn)(TWidget *, int event, int button, int time);

struct TWidget {
    int x, y, w, h; /* in the window (header widgets: on the screen) */
    int focusable;  /* receives the buttons of its window */
    int dirty;      /* set by ttk_widget_set_dirty; cleared when drawn */
    int holdtime;   /* ms a button must stay down before held() runs */
    ttk_draw_fn draw;
    int (*button)(TWidget *, int button, int time); /* on release */
    int (*down)(TWidget *, int button);
    int (*scroll)(TWidget *, int dir);
    int (*held)(TWidget *, int button);
    int (*timer)(TWidget *);
    pz_event_fn event; /* used where the specific callback is null */
    void (*destroy)(TWidget *);
    void *data; /* the owner's */
    void *data2;
    TWindow *win;
    void *shell; /* the shell's own */
};

struct TWindow {
    int x, y, w, h; /* on the screen */
    const char *title;
    void *data; /* the owner's; menu windows carry 0x12345678 */
    int popup;
    void *shell; /* the shell's own */
};

TWindow *ttk_new_window(void);
void ttk_window_title(TWindow *win, const char *title);
void ttk_add_widget(TWindow *win, TWidget *wid);
void ttk_show_window(TWindow *win);
/* Makes the window a popup: shrunk around its widgets, centred, drawn
 * above the window below it once shown. */
void ttk_set_popup(TWindow *win);
void ttk_widget_set_dirty(TWidget *wid);
/* Runs wid->timer every ms milliseconds; 0 stops it. */
void ttk_widget_set_timer(TWidget *wid, int ms);

TWindow *pz_new_window(const char *title, int header);
TWidget *pz_new_widget(ttk_draw_fn draw, pz_event_fn event);
/* A widget as large as the window area, focused, added to win. */
TWidget *pz_add_widget(TWindow *win, ttk_draw_fn draw, pz_event_fn event);
TWindow *pz_finish_window(TWindow *win);
/* Closes a shown window (or frees one never shown). */
void pz_close_window(TWindow *win);

/* ---- menus -------------------------------------------------------------- */

/* What an open function may return instead of a window: */
#define PZ_OPEN_STAY ((TWindow *)0) /* 0: nothing more; the menu stays */
#define PZ_OPEN_BACK ((TWindow *)1) /* 1: close the window holding the menu */
#define PZ_OPEN_TOP ((TWindow *)2)  /* 2: close every window above the main menu */
/* Any other value is a window, which the shell shows. */

/* Item flags (drawn as a mark at the right). */
enum { TTK_MENU_SUBMENU = 1, TTK_MENU_RUNS = 2 };

typedef TWindow *(*ttk_menu_open_fn)(ttk_menu_item *);

struct ttk_menu_item {
    const char *name;
    ttk_menu_open_fn open_fn; /* given the item; returns a window or a code */
    int flags;
    void *data;
    int (*visible)(ttk_menu_item *); /* shown while non-zero; null: always */
    int free_name; /* the shell free()s name when it drops the item */
    int free_data; /* the shell free()s data when it drops the item */
    /* Size of the menu that showed the item when it was chosen, kept by the
     * shell so that what the item opens can match it. */
    int menuwidth, menuheight;
    TWidget *menu; /* the menu widget the item is in */
    TWidget *sub;  /* submenu entries of the path menus: the menu they open */
    int flashes;   /* how often ttk_menu_flash was asked to flash it */
    void *shell;   /* the shell's own */
};

/* Items are copied; the array ends at an item without a name. */
TWidget *ttk_new_menu_widget(ttk_menu_item *items, ttk_font font, int w, int h);
void ttk_menu_append(TWidget *menu, ttk_menu_item *item);
void ttk_menu_set_i18nable(TWidget *menu, int translate);
ttk_menu_item *ttk_menu_get_selected_item(TWidget *menu);
void ttk_menu_flash(ttk_menu_item *item, int times);
/* The default button handler of every menu. */
int ttk_menu_button(TWidget *menu, int button, int time);

typedef struct PzConfig PzConfig;

/* Menus addressed by slash paths ("/Settings/Skerry/Automount"); missing
 * parents are made as submenus.  Each returns the item (owned by the shell). */
ttk_menu_item *pz_menu_add_action(const char *path, ttk_menu_open_fn fn);
/* choices null: an on/off setting. */
ttk_menu_item *pz_menu_add_setting(const char *path, int id, PzConfig *conf, const char *const *choices);
ttk_menu_item *pz_menu_add_top(const char *path, ttk_menu_open_fn fn);
ttk_menu_item *pz_menu_add_after(const char *path, ttk_menu_open_fn fn, const char *sibling);
void pz_menu_remove(const char *path);
ttk_menu_item *pz_get_menu_item(const char *path);

/* ---- dialogs and errors ------------------------------------------------- */

/* Asks with count buttons (labels follow); returns the chosen index.
 * Blocks until answered; timers do not run meanwhile. */
int pz_dialog(const char *title, const char *text, int count, int timeout, ...);
/* Shows a message in a popup (any button closes it). */
void pz_error(const char *fmt, ...);

/* ---- modules and settings ----------------------------------------------- */

typedef struct PzModule PzModule;

int _pz_mod_check_version(int version); /* non-zero when 0x10000 is served */
PzModule *pz_register_module(const char *name, void (*cleanup)(void));
/* The path of the module's own settings file; owned by the shell. */
const char *pz_module_get_cfgpath(PzModule *mod, const char *file);
/* Settings of a file (empty when the file does not exist yet). */
PzConfig *pz_load_config(const char *path);
int pz_get_int_setting(PzConfig *conf, int id); /* 0 when unset */
void pz_set_int_setting(PzConfig *conf, int id, int value);
void pz_save_config(PzConfig *conf);

/* ---- header and file browser -------------------------------------------- */

/* Sides of the header: 1 left, 2 right. */
void pz_add_header_widget(const char *name, void (*update)(TWidget *), ttk_draw_fn draw, void *data);
void pz_enable_widget_on_side(int side, const char *name);

/* item is offered on a file while predicate(file name) is non-zero; when
 * chosen, the shell calls item's open function on a copy whose data is the
 * file name, with the working directory set to the file's folder. */
void pz_browser_add_action(int (*predicate)(const char *), ttk_menu_item *item);
TWindow *pz_browser_open(const char *dir);

/* Supplied by the shell for the loaded module: the remote database's
 * playlists by name. */
TWindow *new_pp_playlist_menu(ttk_menu_item *item);

#ifdef __cplusplus
}
#endif

#endif
