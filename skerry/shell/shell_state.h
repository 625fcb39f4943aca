// The shell stand-in's own state, shared by its files.
#pragma once

#include "pz.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace shell {

struct MenuNode;

// A menu widget's list: either the entries of a path menu (node) or items
// appended by their owner (copies the menu frees).
struct MenuState {
    MenuNode *node = nullptr;
    std::vector<ttk_menu_item *> own;
    ttk_font font = nullptr;
    int selected = 0;
    int first = 0;
    int translate = 1;
};

struct WidgetState {
    MenuState *menu = nullptr;
    MenuNode *owner_node = nullptr; // persistent submenu of a path menu
};

enum class WindowKind { plain, dialog, error };

struct WindowState {
    std::string title;
    std::vector<TWidget *> widgets;
    ttk_surface srf = nullptr;
    WindowKind kind = WindowKind::plain;
    std::string browser_dir; // browser windows: the folder they list
    // dialogs
    std::string text;
    std::vector<std::string> labels;
    int choice = 0;
    volatile int answered = 0;
};

// A node of the menu tree; item is what pz_* hands out.
struct MenuNode {
    ttk_menu_item item{};
    std::string name;
    MenuNode *parent = nullptr;
    std::vector<MenuNode *> children;
    PzConfig *conf = nullptr; // setting entries
    int setting_id = -1;
    std::vector<std::string> choices;
};

struct Timer {
    TWidget *widget;
    int period;
    long due;
    long order;
};

struct HeaderWidget {
    std::string name;
    void (*update)(TWidget *) = nullptr;
    TWidget *widget = nullptr;
    int side = 0;
};

struct DialogRecord {
    std::string title, text;
};

struct DrawnText {
    std::string text;
    int x, y;
    ttk_color col;
};

struct Module {
    std::string name;
    void (*cleanup)(void) = nullptr;
    std::string cfgpath;
};

struct State {
    bool up = false;
    std::string config_dir;
    long now = 0;
    long timer_order = 0;
    std::vector<Timer> timers;
    std::vector<TWindow *> stack;      // shown windows, [0] the main menu
    std::vector<TWindow *> to_free;    // closed, freed after the current call
    std::set<TWindow *> all_windows;
    std::set<TWidget *> all_widgets;
    MenuNode *root = nullptr;
    std::vector<HeaderWidget> headers;
    std::vector<std::pair<int (*)(const char *), ttk_menu_item *>> browser_actions;
    std::vector<Module *> modules;
    std::vector<PzConfig *> configs;
    std::vector<DialogRecord> dialogs;
    std::vector<int> answers;
    std::vector<std::string> messages;
    std::vector<std::string> removed_paths;
    std::vector<DrawnText> texts;
    void (*modal_runner)(const volatile int *) = nullptr;
    int modal_depth = 0;
    void *module_handle = nullptr;
    std::string module_copy;
    int version_ok = 1;
    int podversion = TTK_POD_VIDEO;
    // a button held down
    int down_button = -1;
    long down_since = 0;
    bool held_fired = false;
    TWidget *down_widget = nullptr;
};

State &state();

// windows.cpp
TWindow *make_window(const char *title);
void show_window(TWindow *win);
void close_window(TWindow *win);
void close_to_main(void);
void free_closed_windows(void);
void free_window(TWindow *win);
TWidget *new_widget(void);
void free_widget(TWidget *wid);
TWidget *focus_widget(TWindow *win);
void stop_timer(TWidget *wid);
WindowState *wstate(TWindow *win);
WidgetState *wdstate(TWidget *wid);
void render_screen(void);

// menus.cpp
TWidget *new_node_menu(MenuNode *node, int w, int h);
std::vector<ttk_menu_item *> visible_items(MenuState *menu);
void free_item_copy(ttk_menu_item *item);
int menu_open_item(TWidget *menu, ttk_menu_item *item);
void menu_forget_node(MenuNode *node);

// menu_tree.cpp
MenuNode *find_node(const std::string &path);
MenuNode *node_of_item(ttk_menu_item *item);
void setting_toggle(MenuNode *node);
std::string setting_value_text(MenuNode *node);
void free_tree(MenuNode *node);
void make_main_menu(void);

// settings.cpp
void free_config(PzConfig *conf);

// dialogs.cpp
void draw_dialog(TWindow *win, ttk_surface srf);
bool dialog_input(TWindow *win, int event, int button);

// fonts
void reset_appearance(void);
void text_record(bool on);

} // namespace shell
