// Starting and stopping the shell, and what the driver reads back.
#include "shell_driver.h"
#include "shell_state.h"

#include <dlfcn.h>
#include <filesystem>

using namespace shell;

extern "C" {

void shell_start(const char *config_dir)
{
    if (state().up)
        shell_stop();
    State &s = state();
    s.config_dir = config_dir ? config_dir : ".";
    s.now = 0;
    reset_appearance();
    s.up = true;
    make_main_menu();
}

void shell_stop(void)
{
    State &s = state();
    if (!s.up)
        return;
    // The module cleans up first, while everything it may touch still exists;
    // its library stays loaded until no callback into it can run any more.
    for (auto it = s.modules.rbegin(); it != s.modules.rend(); ++it)
        if ((*it)->cleanup)
            (*it)->cleanup();
    s.up = false;
    s.timers.clear();
    s.down_button = -1;
    s.down_widget = nullptr;
    s.stack.clear();
    s.to_free.clear();
    if (s.root) {
        free_tree(s.root);
        s.root = nullptr;
    }
    while (!s.all_windows.empty())
        free_window(*s.all_windows.begin());
    while (!s.all_widgets.empty())
        free_widget(*s.all_widgets.begin());
    s.headers.clear();
    s.browser_actions.clear();
    for (Module *mod : s.modules)
        delete mod;
    s.modules.clear();
    for (PzConfig *conf : s.configs)
        free_config(conf);
    s.configs.clear();
    s.dialogs.clear();
    s.answers.clear();
    s.messages.clear();
    s.removed_paths.clear();
    s.texts.clear();
    if (s.module_handle) {
        dlclose(s.module_handle);
        s.module_handle = nullptr;
        std::error_code ec;
        std::filesystem::remove_all(s.module_copy, ec);
    }
    s.version_ok = 1;
}

void *shell_module_handle(void)
{
    return state().module_handle;
}

int shell_removed_count(void)
{
    return int(state().removed_paths.size());
}

const char *shell_removed(int i)
{
    auto &r = state().removed_paths;
    return i >= 0 && i < int(r.size()) ? r[i].c_str() : nullptr;
}

int shell_window_count(void)
{
    return int(state().stack.size());
}

TWindow *shell_window(int i)
{
    auto &st = state().stack;
    return i >= 0 && i < int(st.size()) ? st[i] : nullptr;
}

TWindow *shell_top_window(void)
{
    auto &st = state().stack;
    return st.empty() ? nullptr : st.back();
}

int shell_menu_count(const char *path)
{
    MenuNode *node = state().root && path ? find_node(path) : nullptr;
    return node ? int(node->children.size()) : -1;
}

const char *shell_menu_name(const char *path, int i)
{
    MenuNode *node = state().root && path ? find_node(path) : nullptr;
    if (!node || i < 0 || i >= int(node->children.size()))
        return nullptr;
    return node->children[i]->name.c_str();
}

static MenuState *top_menu(TWidget **widget = nullptr)
{
    TWidget *wid = focus_widget(shell_top_window());
    if (widget)
        *widget = wid;
    return wid ? wdstate(wid)->menu : nullptr;
}

int shell_top_menu_count(void)
{
    MenuState *menu = top_menu();
    return menu ? int(visible_items(menu).size()) : -1;
}

const char *shell_top_menu_name(int i)
{
    MenuState *menu = top_menu();
    if (!menu)
        return nullptr;
    auto items = visible_items(menu);
    return i >= 0 && i < int(items.size()) ? items[i]->name : nullptr;
}

int shell_top_menu_selected(void)
{
    TWidget *wid;
    MenuState *menu = top_menu(&wid);
    if (!menu)
        return -1;
    ttk_menu_get_selected_item(wid); // brings the selection into range
    return menu->selected;
}

int shell_select(const char *name)
{
    int count = shell_top_menu_count();
    for (int i = 0; i < count; ++i) {
        const char *item = shell_top_menu_name(i);
        if (item && name && std::string(item) == name) {
            shell_scroll(i - shell_top_menu_selected());
            return 0;
        }
    }
    return -1;
}

int shell_choose(const char *name)
{
    if (shell_select(name) != 0)
        return -1;
    shell_press(PZ_BUTTON_ACTION);
    return 0;
}

ttk_surface shell_surface(void)
{
    return ttk_screen->srf;
}

ttk_color shell_pixel(int x, int y)
{
    ttk_surface srf = ttk_screen->srf;
    if (x < 0 || y < 0 || x >= srf->w || y >= srf->h)
        return 0;
    return srf->pixels[y * srf->w + x];
}

int shell_text_count(void)
{
    return int(state().texts.size());
}

const char *shell_text(int i, int *x, int *y, ttk_color *col)
{
    auto &t = state().texts;
    if (i < 0 || i >= int(t.size()))
        return nullptr;
    if (x)
        *x = t[i].x;
    if (y)
        *y = t[i].y;
    if (col)
        *col = t[i].col;
    return t[i].text.c_str();
}

} // extern "C"
