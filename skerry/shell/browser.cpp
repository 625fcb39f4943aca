// The file browser: a menu of a folder's entries (folders first, then
// files, each by name); choosing a folder opens it, choosing a file offers
// the actions whose predicate accepts the file's name.
#include "shell_state.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace shell {

static char *copy_text(const std::string &text)
{
    char *p = static_cast<char *>(std::malloc(text.size() + 1));
    std::memcpy(p, text.c_str(), text.size() + 1);
    return p;
}

static TWindow *open_actions(const fs::path &file)
{
    const std::string folder = file.parent_path().string();
    const std::string name = file.filename().string();
    if (chdir(folder.c_str()) != 0) {
        pz_error("Cannot enter %s", folder.c_str());
        return PZ_OPEN_STAY;
    }
    std::vector<ttk_menu_item *> offered;
    for (auto &[predicate, item] : state().browser_actions)
        if (!predicate || predicate(name.c_str()))
            offered.push_back(item);
    if (offered.empty())
        return PZ_OPEN_STAY;
    const int rh = ttk_text_height(ttk_menufont) + 4;
    TWidget *menu = ttk_new_menu_widget(nullptr, ttk_menufont, 200, rh * int(offered.size()));
    for (ttk_menu_item *action : offered) {
        ttk_menu_item entry = *action;
        entry.data = copy_text(name);
        entry.free_data = 1;
        entry.free_name = 0;
        ttk_menu_append(menu, &entry);
    }
    TWindow *win = make_window(name.c_str());
    win->data = (void *)0x12345678;
    ttk_add_widget(win, menu);
    ttk_set_popup(win);
    return win;
}

static TWindow *open_entry(ttk_menu_item *item)
{
    if (!item->data)
        return PZ_OPEN_STAY;
    fs::path path(static_cast<const char *>(item->data));
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return pz_browser_open(path.c_str());
    return open_actions(path);
}

} // namespace shell

using namespace shell;

extern "C" {

void pz_browser_add_action(int (*predicate)(const char *), ttk_menu_item *item)
{
    if (item)
        state().browser_actions.push_back({predicate, item});
}

TWindow *pz_browser_open(const char *dir)
{
    if (!dir)
        return PZ_OPEN_STAY;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) {
        pz_error("Cannot open folder %s", dir);
        return PZ_OPEN_STAY;
    }
    std::vector<std::string> folders, files;
    for (const auto &entry : it) {
        std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        (entry.is_directory(ec) ? folders : files).push_back(name);
    }
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());

    std::string title = fs::path(dir).filename().string();
    TWindow *win = make_window(title.empty() ? dir : title.c_str());
    win->data = (void *)0x12345678;
    wstate(win)->browser_dir = dir;
    TWidget *menu = ttk_new_menu_widget(nullptr, ttk_menufont, win->w, win->h);
    auto add = [&](const std::string &name, bool folder) {
        ttk_menu_item entry{};
        entry.name = copy_text(folder ? name + "/" : name);
        entry.free_name = 1;
        entry.data = copy_text((fs::path(dir) / name).string());
        entry.free_data = 1;
        entry.flags = folder ? TTK_MENU_SUBMENU : 0;
        entry.open_fn = open_entry;
        ttk_menu_append(menu, &entry);
    };
    for (const auto &name : folders)
        add(name, true);
    for (const auto &name : files)
        add(name, false);
    ttk_add_widget(win, menu);
    return win;
}

} // extern "C"
