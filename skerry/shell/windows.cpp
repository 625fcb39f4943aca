// Windows, widgets, the window stack, timers, input and drawing the screen.
#include "shell_driver.h"
#include "shell_state.h"

#include <algorithm>

namespace shell {

State &state()
{
    static State s;
    return s;
}

WindowState *wstate(TWindow *win)
{
    return static_cast<WindowState *>(win->shell);
}

WidgetState *wdstate(TWidget *wid)
{
    return static_cast<WidgetState *>(wid->shell);
}

TWindow *make_window(const char *title)
{
    auto *win = new TWindow{};
    auto *ws = new WindowState;
    win->shell = ws;
    ws->title = title ? title : "";
    win->title = ws->title.c_str();
    win->x = ttk_screen->wx;
    win->y = ttk_screen->wy;
    win->w = ttk_screen->w - ttk_screen->wx;
    win->h = ttk_screen->h - ttk_screen->wy;
    state().all_windows.insert(win);
    return win;
}

TWidget *new_widget(void)
{
    auto *wid = new TWidget{};
    wid->shell = new WidgetState;
    state().all_widgets.insert(wid);
    return wid;
}

void stop_timer(TWidget *wid)
{
    auto &t = state().timers;
    t.erase(std::remove_if(t.begin(), t.end(), [wid](const Timer &x) { return x.widget == wid; }), t.end());
}

void free_widget(TWidget *wid)
{
    State &s = state();
    if (!s.all_widgets.erase(wid))
        return;
    stop_timer(wid);
    if (s.down_widget == wid)
        s.down_widget = nullptr;
    if (wid->destroy)
        wid->destroy(wid);
    WidgetState *ws = wdstate(wid);
    if (ws->menu) {
        for (ttk_menu_item *item : ws->menu->own)
            free_item_copy(item);
        delete ws->menu;
    }
    delete ws;
    delete wid;
}

void free_window(TWindow *win)
{
    State &s = state();
    if (!s.all_windows.erase(win))
        return;
    s.stack.erase(std::remove(s.stack.begin(), s.stack.end(), win), s.stack.end());
    WindowState *ws = wstate(win);
    for (TWidget *wid : ws->widgets) {
        if (wdstate(wid)->owner_node)
            wid->win = nullptr; // the path menu keeps its widget
        else
            free_widget(wid);
    }
    if (ws->srf) {
        delete[] ws->srf->pixels;
        delete ws->srf;
    }
    delete ws;
    delete win;
}

void show_window(TWindow *win)
{
    State &s = state();
    if (!win || !s.all_windows.count(win))
        return;
    if (std::find(s.stack.begin(), s.stack.end(), win) != s.stack.end())
        return;
    s.to_free.erase(std::remove(s.to_free.begin(), s.to_free.end(), win), s.to_free.end());
    s.stack.push_back(win);
}

void close_window(TWindow *win)
{
    State &s = state();
    if (!win || !s.all_windows.count(win))
        return;
    if (!s.stack.empty() && s.stack.front() == win)
        return; // the main menu stays
    s.stack.erase(std::remove(s.stack.begin(), s.stack.end(), win), s.stack.end());
    for (TWidget *wid : wstate(win)->widgets)
        stop_timer(wid);
    if (std::find(s.to_free.begin(), s.to_free.end(), win) == s.to_free.end())
        s.to_free.push_back(win);
}

void close_to_main(void)
{
    State &s = state();
    while (s.stack.size() > 1)
        close_window(s.stack.back());
}

// Windows are freed only once the callback that closed them has returned;
// while a question is open, callbacks below it are still running.
void free_closed_windows(void)
{
    State &s = state();
    if (s.modal_depth > 0)
        return;
    while (!s.to_free.empty()) {
        TWindow *win = s.to_free.back();
        s.to_free.pop_back();
        free_window(win);
    }
}

TWidget *focus_widget(TWindow *win)
{
    if (!win)
        return nullptr;
    auto &ws = wstate(win)->widgets;
    for (auto it = ws.rbegin(); it != ws.rend(); ++it)
        if ((*it)->focusable)
            return *it;
    return nullptr;
}

static ttk_surface window_surface(TWindow *win)
{
    WindowState *ws = wstate(win);
    if (ws->srf && (ws->srf->w != win->w || ws->srf->h != win->h)) {
        delete[] ws->srf->pixels;
        delete ws->srf;
        ws->srf = nullptr;
    }
    if (!ws->srf) {
        int w = std::max(win->w, 1), h = std::max(win->h, 1);
        ws->srf = new ttk_surface_s{w, h, new uint32_t[size_t(w) * h]};
    }
    return ws->srf;
}

static void draw_window(TWindow *win)
{
    ttk_surface srf = window_surface(win);
    ttk_fillrect(srf, 0, 0, srf->w, srf->h, ttk_ap_getx("window.bg")->color);
    for (TWidget *wid : std::vector<TWidget *>(wstate(win)->widgets)) {
        if (wid->draw)
            wid->draw(wid, srf);
        wid->dirty = 0;
    }
    ttk_surface screen = ttk_screen->srf;
    for (int y = 0; y < srf->h; ++y)
        for (int x = 0; x < srf->w; ++x)
            ttk_pixel(screen, win->x + x, win->y + y, srf->pixels[y * srf->w + x]);
    if (win->popup)
        ttk_rect(screen, win->x - 2, win->y - 2, win->x + win->w + 2, win->y + win->h + 2,
                 ttk_ap_getx("window.fg")->color);
}

static void draw_header(void)
{
    State &s = state();
    ttk_surface screen = ttk_screen->srf;
    int wy = ttk_screen->wy;
    ttk_fillrect(screen, 0, 0, ttk_screen->w, wy, ttk_ap_getx("header.bg")->color);
    ttk_color fg = ttk_ap_getx("header.fg")->color;
    ttk_line(screen, 0, wy - 1, ttk_screen->w - 1, wy - 1, fg);
    const char *title = s.stack.empty() ? "" : s.stack.back()->title;
    ttk_text(screen, ttk_menufont, (ttk_screen->w - ttk_text_width(ttk_menufont, title)) / 2,
             (wy - ttk_text_height(ttk_menufont)) / 2, fg, title);
    int left = 2, right = ttk_screen->w - 2;
    for (size_t i = 0; i < s.headers.size(); ++i) {
        HeaderWidget &hw = s.headers[i];
        if (hw.side != 1 && hw.side != 2)
            continue;
        TWidget *wid = hw.widget;
        wid->y = 1;
        wid->h = wy - 2;
        if (hw.side == 1) {
            wid->x = left;
            left += wid->w + 2;
        } else {
            right -= wid->w;
            wid->x = right;
            right -= 2;
        }
        if (hw.update)
            hw.update(wid);
        if (wid->draw)
            wid->draw(wid, screen);
    }
}

void render_screen(void)
{
    State &s = state();
    s.texts.clear();
    text_record(true);
    draw_header();
    if (!s.stack.empty()) {
        size_t base = s.stack.size() - 1;
        while (base > 0 && s.stack[base]->popup)
            --base;
        for (size_t i = base; i < s.stack.size(); ++i)
            draw_window(s.stack[i]);
    }
    text_record(false);
    free_closed_windows();
}

} // namespace shell

using namespace shell;

extern "C" {

TWindow *ttk_new_window(void)
{
    return make_window("");
}

void ttk_window_title(TWindow *win, const char *title)
{
    if (!win)
        return;
    wstate(win)->title = title ? title : "";
    win->title = wstate(win)->title.c_str();
}

void ttk_add_widget(TWindow *win, TWidget *wid)
{
    if (!win || !wid)
        return;
    wid->win = win;
    wstate(win)->widgets.push_back(wid);
}

void ttk_show_window(TWindow *win)
{
    show_window(win);
}

void ttk_set_popup(TWindow *win)
{
    if (!win)
        return;
    win->popup = 1;
    int w = 0, h = 0;
    for (TWidget *wid : wstate(win)->widgets) {
        w = std::max(w, wid->x + wid->w);
        h = std::max(h, wid->y + wid->h);
    }
    int aw = ttk_screen->w - ttk_screen->wx, ah = ttk_screen->h - ttk_screen->wy;
    if (w > 0 && h > 0) {
        win->w = std::min(w, aw - 8);
        win->h = std::min(h, ah - 8);
    }
    win->x = ttk_screen->wx + (aw - win->w) / 2;
    win->y = ttk_screen->wy + (ah - win->h) / 2;
}

void ttk_widget_set_dirty(TWidget *wid)
{
    if (wid)
        wid->dirty = 1;
}

void ttk_widget_set_timer(TWidget *wid, int ms)
{
    if (!wid)
        return;
    stop_timer(wid);
    State &s = state();
    if (ms > 0)
        s.timers.push_back({wid, ms, s.now + ms, s.timer_order++});
}

TWindow *pz_new_window(const char *title, int)
{
    return make_window(title);
}

TWidget *pz_new_widget(ttk_draw_fn draw, pz_event_fn event)
{
    TWidget *wid = new_widget();
    wid->w = ttk_screen->w - ttk_screen->wx;
    wid->h = ttk_screen->h - ttk_screen->wy;
    wid->draw = draw;
    wid->event = event;
    wid->focusable = event != nullptr;
    return wid;
}

TWidget *pz_add_widget(TWindow *win, ttk_draw_fn draw, pz_event_fn event)
{
    TWidget *wid = pz_new_widget(draw, event);
    if (win) {
        wid->w = win->w;
        wid->h = win->h;
    }
    wid->focusable = 1;
    ttk_add_widget(win, wid);
    return wid;
}

TWindow *pz_finish_window(TWindow *win)
{
    return win;
}

void pz_close_window(TWindow *win)
{
    close_window(win);
}

// ---- input and time, for the driver ----

void shell_button_down(int button)
{
    State &s = state();
    if (!s.up || s.down_button != -1)
        return;
    s.down_button = button;
    s.down_since = s.now;
    s.held_fired = false;
    TWidget *wid = focus_widget(s.stack.empty() ? nullptr : s.stack.back());
    s.down_widget = wid;
    if (wid) {
        if (wid->down)
            wid->down(wid, button);
        else if (wid->event)
            wid->event(wid, PZ_EVENT_BUTTON_DOWN, button, 0);
    }
    free_closed_windows();
}

void shell_button_up(int button)
{
    State &s = state();
    if (!s.up || s.down_button != button)
        return;
    int time = int(s.now - s.down_since);
    TWidget *wid = s.down_widget;
    bool held = s.held_fired;
    s.down_button = -1;
    s.down_widget = nullptr;
    if (wid && !held) {
        if (wid->button)
            wid->button(wid, button, time);
        else if (wid->event)
            wid->event(wid, PZ_EVENT_BUTTON_UP, button, time);
    }
    free_closed_windows();
}

void shell_press(int button)
{
    shell_button_down(button);
    shell_button_up(button);
}

void shell_hold(int button, int ms)
{
    shell_button_down(button);
    shell_advance(ms);
    shell_button_up(button);
}

void shell_scroll(int steps)
{
    State &s = state();
    if (!s.up)
        return;
    int dir = steps < 0 ? -1 : 1;
    for (int i = 0; i < std::abs(steps); ++i) {
        TWidget *wid = focus_widget(s.stack.empty() ? nullptr : s.stack.back());
        if (!wid)
            break;
        if (wid->scroll)
            wid->scroll(wid, dir);
        else if (wid->event)
            wid->event(wid, PZ_EVENT_SCROLL, dir, 0);
        free_closed_windows();
    }
}

void shell_advance(int ms)
{
    State &s = state();
    if (!s.up || ms < 0)
        return;
    const long target = s.now + ms;
    for (;;) {
        long hold_at = -1;
        if (s.down_button != -1 && !s.held_fired && s.down_widget && s.down_widget->held &&
            s.down_widget->holdtime > 0)
            hold_at = s.down_since + s.down_widget->holdtime;
        const Timer *next = nullptr;
        if (s.modal_depth == 0)
            for (const Timer &t : s.timers)
                if (t.due <= target && (!next || t.due < next->due || (t.due == next->due && t.order < next->order)))
                    next = &t;
        bool hold_first = hold_at >= 0 && hold_at <= target && (!next || hold_at <= next->due);
        if (hold_first) {
            s.now = std::max(s.now, hold_at);
            s.held_fired = true;
            TWidget *wid = s.down_widget;
            wid->held(wid, s.down_button);
        } else if (next) {
            s.now = std::max(s.now, next->due);
            TWidget *wid = next->widget;
            for (Timer &t : s.timers)
                if (t.widget == wid)
                    t.due += t.period;
            if (wid->timer)
                wid->timer(wid);
        } else {
            break;
        }
        free_closed_windows();
    }
    s.now = target;
}

long shell_now(void)
{
    return state().now;
}

void shell_render(void)
{
    if (state().up)
        render_screen();
}

} // extern "C"
