// Modal questions (pz_dialog) and error messages (pz_error), both shown as
// popups above the current window.
#include "shell_driver.h"
#include "shell_state.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <sstream>

namespace shell {

static std::vector<std::string> wrap(const std::string &text, ttk_font font, int width)
{
    std::vector<std::string> lines;
    std::istringstream paragraphs(text);
    std::string para;
    while (std::getline(paragraphs, para, '\n')) {
        std::istringstream words(para);
        std::string word, line;
        while (words >> word) {
            std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && ttk_text_width(font, longer.c_str()) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = longer;
            }
        }
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

constexpr int popup_width = 260;

static int popup_height(WindowState *ws)
{
    int h = 6 + ttk_text_height(ttk_menufont) + 4;
    h += int(wrap(ws->text, ttk_textfont, popup_width - 12).size()) * ttk_text_height(ttk_textfont);
    if (ws->kind == WindowKind::dialog)
        h += 6 + ttk_text_height(ttk_menufont) + 4;
    return h + 6;
}

void draw_dialog(TWindow *win, ttk_surface srf)
{
    WindowState *ws = wstate(win);
    ttk_color fg = ttk_ap_getx("window.fg")->color;
    int y = 6;
    ttk_text(srf, ttk_menufont, (srf->w - ttk_text_width(ttk_menufont, ws->title.c_str())) / 2, y, fg,
             ws->title.c_str());
    y += ttk_text_height(ttk_menufont) + 4;
    for (const std::string &line : wrap(ws->text, ttk_textfont, popup_width - 12)) {
        ttk_text(srf, ttk_textfont, 6, y, fg, line.c_str());
        y += ttk_text_height(ttk_textfont);
    }
    if (ws->kind != WindowKind::dialog || ws->labels.empty())
        return;
    y += 6;
    int n = int(ws->labels.size());
    int cell = (srf->w - 8) / n;
    for (int i = 0; i < n; ++i) {
        int x = 4 + i * cell;
        ttk_color col = fg;
        if (i == ws->choice) {
            ttk_fillrect(srf, x, y, x + cell - 2, y + ttk_text_height(ttk_menufont) + 4,
                         ttk_ap_getx("menu.selbg")->color);
            col = ttk_ap_getx("menu.selfg")->color;
        }
        const char *label = ws->labels[i].c_str();
        ttk_text(srf, ttk_menufont, x + (cell - 2 - ttk_text_width(ttk_menufont, label)) / 2, y + 2, col, label);
    }
}

static void popup_draw(TWidget *wid, ttk_surface srf)
{
    draw_dialog(wid->win, srf);
}

// Dialog: scrolling moves the choice, the action button answers.
// Error: any released button closes it.
static int popup_event(TWidget *wid, int event, int button, int)
{
    TWindow *win = wid->win;
    WindowState *ws = wstate(win);
    if (ws->kind == WindowKind::error) {
        if (event == PZ_EVENT_BUTTON_UP)
            close_window(win);
        return 0;
    }
    if (event == PZ_EVENT_SCROLL) {
        ws->choice = std::clamp(ws->choice + button, 0, std::max(int(ws->labels.size()) - 1, 0));
        wid->dirty = 1;
    } else if (event == PZ_EVENT_BUTTON_UP && button == PZ_BUTTON_ACTION) {
        ws->answered = 1;
    }
    return 0;
}

static TWindow *make_popup(const char *title, const std::string &text, WindowKind kind)
{
    TWindow *win = make_window(title);
    WindowState *ws = wstate(win);
    ws->kind = kind;
    ws->text = text;
    return win;
}

static void finish_popup(TWindow *win)
{
    TWidget *wid = pz_add_widget(win, popup_draw, popup_event);
    wid->w = popup_width;
    wid->h = popup_height(wstate(win));
    ttk_set_popup(win);
    show_window(win);
}

} // namespace shell

using namespace shell;

extern "C" {

int pz_dialog(const char *title, const char *text, int count, int timeout, ...)
{
    State &s = state();
    std::vector<std::string> labels;
    va_list ap;
    va_start(ap, timeout);
    for (int i = 0; i < count; ++i) {
        const char *label = va_arg(ap, const char *);
        labels.push_back(label ? label : "");
    }
    va_end(ap);
    s.dialogs.push_back({title ? title : "", text ? text : ""});

    TWindow *win = make_popup(title, text ? text : "", WindowKind::dialog);
    WindowState *ws = wstate(win);
    ws->labels = labels;
    finish_popup(win);

    int answer = 0;
    if (s.modal_runner) {
        ++s.modal_depth;
        s.modal_runner(&ws->answered);
        --s.modal_depth;
        answer = ws->choice;
    } else if (!s.answers.empty()) {
        answer = s.answers.front();
        s.answers.erase(s.answers.begin());
    }
    free_window(win);
    // Timers that fell due while the question was open run once, not in a burst.
    for (Timer &t : s.timers)
        if (t.due < s.now)
            t.due = s.now;
    return count > 0 ? std::clamp(answer, 0, count - 1) : 0;
}

void pz_error(const char *fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    va_list copy;
    va_copy(copy, ap);
    int n = std::vsnprintf(nullptr, 0, fmt ? fmt : "", copy);
    va_end(copy);
    std::string msg(n > 0 ? size_t(n) : 0, '\0');
    if (n > 0)
        std::vsnprintf(msg.data(), size_t(n) + 1, fmt, ap);
    va_end(ap);
    State &s = state();
    s.messages.push_back(msg);
    if (!s.up)
        return;
    // One error popup at a time: a new message replaces the shown one.
    if (!s.stack.empty() && wstate(s.stack.back())->kind == WindowKind::error) {
        TWindow *top = s.stack.back();
        wstate(top)->text = msg;
        TWidget *wid = wstate(top)->widgets.front();
        wid->h = popup_height(wstate(top));
        ttk_set_popup(top);
        return;
    }
    finish_popup(make_popup("Error", msg, WindowKind::error));
}

void shell_queue_dialog_answer(int index)
{
    state().answers.push_back(index);
}

void shell_set_modal_runner(void (*runner)(const volatile int *done))
{
    state().modal_runner = runner;
}

int shell_dialog_count(void)
{
    return int(state().dialogs.size());
}

const char *shell_dialog_title(int i)
{
    auto &d = state().dialogs;
    return i >= 0 && i < int(d.size()) ? d[i].title.c_str() : nullptr;
}

const char *shell_dialog_text(int i)
{
    auto &d = state().dialogs;
    return i >= 0 && i < int(d.size()) ? d[i].text.c_str() : nullptr;
}

int shell_message_count(void)
{
    return int(state().messages.size());
}

const char *shell_message(int i)
{
    auto &m = state().messages;
    return i >= 0 && i < int(m.size()) ? m[i].c_str() : nullptr;
}

void shell_clear_messages(void)
{
    state().messages.clear();
}

} // extern "C"
