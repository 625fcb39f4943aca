// The main menu as a tree addressed by slash paths.
#include "shell_state.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace shell {

static std::vector<std::string> split_path(const std::string &path)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(path);
    while (std::getline(in, part, '/'))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

static MenuNode *child_named(MenuNode *node, const std::string &name)
{
    for (MenuNode *child : node->children)
        if (child->name == name)
            return child;
    return nullptr;
}

MenuNode *find_node(const std::string &path)
{
    MenuNode *node = state().root;
    for (const std::string &part : split_path(path)) {
        if (!node)
            break;
        node = child_named(node, part);
    }
    return node;
}

MenuNode *node_of_item(ttk_menu_item *item)
{
    return item ? static_cast<MenuNode *>(item->shell) : nullptr;
}

static void make_submenu(MenuNode *node)
{
    if (node->item.sub)
        return;
    node->item.sub = new_node_menu(node, ttk_screen->w - ttk_screen->wx, ttk_screen->h - ttk_screen->wy);
    node->item.flags |= TTK_MENU_SUBMENU;
}

static MenuNode *new_node(const std::string &name, MenuNode *parent)
{
    auto *node = new MenuNode;
    node->name = name;
    node->parent = parent;
    node->item.name = node->name.c_str();
    node->item.shell = node;
    return node;
}

enum class Place { end, top, after };

// Finds or makes the node of path; missing parents become submenus.
static MenuNode *add_node(const char *path, Place place, const char *sibling)
{
    if (!state().root || !path)
        return nullptr;
    auto parts = split_path(path);
    if (parts.empty())
        return nullptr;
    MenuNode *parent = state().root;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        MenuNode *next = child_named(parent, parts[i]);
        if (!next) {
            next = new_node(parts[i], parent);
            parent->children.push_back(next);
        }
        make_submenu(next);
        parent = next;
    }
    make_submenu(parent);
    if (MenuNode *existing = child_named(parent, parts.back()))
        return existing;
    MenuNode *node = new_node(parts.back(), parent);
    auto &kids = parent->children;
    auto at = kids.end();
    if (place == Place::top) {
        at = kids.begin();
    } else if (place == Place::after && sibling) {
        auto sib = std::find_if(kids.begin(), kids.end(), [&](MenuNode *n) { return n->name == sibling; });
        if (sib != kids.end())
            at = sib + 1;
    }
    kids.insert(at, node);
    return node;
}

void free_tree(MenuNode *node)
{
    for (MenuNode *child : node->children)
        free_tree(child);
    if (TWidget *sub = node->item.sub) {
        TWindow *win = sub->win;
        menu_forget_node(node);
        if (win)
            close_window(win); // the window frees the widget after the current call
        else
            free_widget(sub);
    }
    if (node->item.free_name)
        std::free(const_cast<char *>(node->item.name));
    if (node->item.free_data)
        std::free(node->item.data);
    delete node;
}

void setting_toggle(MenuNode *node)
{
    int count = int(node->choices.size());
    int value = pz_get_int_setting(node->conf, node->setting_id);
    pz_set_int_setting(node->conf, node->setting_id, count > 0 ? (value + 1) % count : !value);
}

std::string setting_value_text(MenuNode *node)
{
    int value = pz_get_int_setting(node->conf, node->setting_id);
    if (value >= 0 && value < int(node->choices.size()))
        return node->choices[value];
    return std::to_string(value);
}

static TWindow *open_file_browser(ttk_menu_item *)
{
    const char *root = std::getenv("SKERRY_ROOT");
    return pz_browser_open(root && *root ? root : "/");
}

void make_main_menu(void)
{
    State &s = state();
    s.root = new_node("", nullptr);
    make_submenu(s.root);
    for (const char *name : {"/Music", "/Extras", "/Settings"})
        make_submenu(add_node(name, Place::end, nullptr));
    add_node("/File Browser", Place::end, nullptr)->item.open_fn = open_file_browser;
    TWindow *main = make_window("iPod");
    main->data = (void *)0x12345678;
    ttk_add_widget(main, s.root->item.sub);
    show_window(main);
}

} // namespace shell

using namespace shell;

extern "C" {

ttk_menu_item *pz_menu_add_action(const char *path, ttk_menu_open_fn fn)
{
    MenuNode *node = add_node(path, Place::end, nullptr);
    if (!node)
        return nullptr;
    node->item.open_fn = fn;
    return &node->item;
}

ttk_menu_item *pz_menu_add_setting(const char *path, int id, PzConfig *conf, const char *const *choices)
{
    MenuNode *node = add_node(path, Place::end, nullptr);
    if (!node)
        return nullptr;
    node->conf = conf;
    node->setting_id = id;
    node->choices.clear();
    if (choices)
        for (const char *const *c = choices; *c; ++c)
            node->choices.push_back(*c);
    else
        node->choices = {"Off", "On"};
    return &node->item;
}

static ttk_menu_item *add_placed(const char *path, ttk_menu_open_fn fn, Place place, const char *sibling)
{
    MenuNode *node = add_node(path, place, sibling);
    if (!node)
        return nullptr;
    node->item.open_fn = fn;
    if (!fn)
        make_submenu(node);
    return &node->item;
}

ttk_menu_item *pz_menu_add_top(const char *path, ttk_menu_open_fn fn)
{
    return add_placed(path, fn, Place::top, nullptr);
}

ttk_menu_item *pz_menu_add_after(const char *path, ttk_menu_open_fn fn, const char *sibling)
{
    return add_placed(path, fn, Place::after, sibling);
}

void pz_menu_remove(const char *path)
{
    if (path)
        state().removed_paths.push_back(path);
    MenuNode *node = path ? find_node(path) : nullptr;
    if (!node || node == state().root)
        return;
    auto &kids = node->parent->children;
    kids.erase(std::remove(kids.begin(), kids.end(), node), kids.end());
    free_tree(node);
}

ttk_menu_item *pz_get_menu_item(const char *path)
{
    MenuNode *node = path ? find_node(path) : nullptr;
    return node && node != state().root ? &node->item : nullptr;
}

} // extern "C"
