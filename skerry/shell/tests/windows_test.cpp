#include "shell_fixture.h"

#include <vector>

using Windows = ShellTest;

namespace {
std::vector<std::string> log_;
int tick(TWidget *w)
{
    log_.push_back(std::string(static_cast<const char *>(w->data)) + "@" + std::to_string(shell_now()));
    return 0;
}
TWidget *timed(const char *name, int ms)
{
    TWidget *w = pz_new_widget(nullptr, nullptr);
    w->data = const_cast<char *>(name);
    w->timer = tick;
    ttk_widget_set_timer(w, ms);
    return w;
}
} // namespace

TEST_F(Windows, TimersFireInTimeOrderOnlyWhenTimeAdvances)
{
    log_.clear();
    TWindow *win = pz_new_window("T", 0);
    ttk_add_widget(win, timed("a", 300));
    TWidget *b = timed("b", 200);
    ttk_add_widget(win, b);
    ttk_show_window(win);
    shell_press(PZ_BUTTON_ACTION);
    EXPECT_TRUE(log_.empty());
    shell_advance(600);
    EXPECT_EQ(log_, (std::vector<std::string>{"b@200", "a@300", "b@400", "a@600", "b@600"}));
    log_.clear();
    ttk_widget_set_timer(b, 0);
    shell_advance(300);
    EXPECT_EQ(log_, (std::vector<std::string>{"a@900"}));
    log_.clear();
    pz_close_window(win); // a closed window's timers stop
    shell_advance(1000);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(shell_now(), 1900);
}

TEST_F(Windows, EventFunctionsGetPressReleaseAndScroll)
{
    static std::vector<std::string> events;
    events.clear();
    TWindow *win = pz_new_window("Info", 0);
    pz_add_widget(win, nullptr, [](TWidget *w, int ev, int button, int time) {
        events.push_back(std::to_string(ev) + ":" + std::to_string(button) + ":" + std::to_string(time));
        if (ev == PZ_EVENT_BUTTON_DOWN && button == PZ_BUTTON_PLAY)
            pz_close_window(w->win);
        return 0;
    });
    ttk_show_window(pz_finish_window(win));
    shell_button_down(PZ_BUTTON_MENU);
    shell_advance(120);
    shell_button_up(PZ_BUTTON_MENU);
    shell_scroll(-1);
    shell_press(PZ_BUTTON_PLAY); // closes on press; the release goes nowhere
    EXPECT_EQ(events, (std::vector<std::string>{"3:109:0", "4:109:120", "1:-1:0", "3:100:0"}));
    EXPECT_EQ(shell_window_count(), 1);
}

TEST_F(Windows, DialogsTakeQueuedAnswersAndAreRecorded)
{
    shell_queue_dialog_answer(1);
    shell_queue_dialog_answer(7); // out of range: the last button
    EXPECT_EQ(pz_dialog("Alert!", "Really abort transfer?", 2, 0, "No", "Yes"), 1);
    EXPECT_EQ(pz_dialog("Q", "T", 2, 0, "No", "Yes"), 1);
    EXPECT_EQ(pz_dialog("iPod Eject", "Please", 1, 0, "OK"), 0); // empty queue: first button
    ASSERT_EQ(shell_dialog_count(), 3);
    EXPECT_STREQ(shell_dialog_title(0), "Alert!");
    EXPECT_STREQ(shell_dialog_text(0), "Really abort transfer?");
    EXPECT_EQ(shell_window_count(), 1); // a dialog leaves no window behind
}

TEST_F(Windows, ModalRunnerAnswersThroughTheDialogWindowWhileTimersWait)
{
    log_.clear();
    TWidget *w = timed("t", 100);
    shell_set_modal_runner([](const volatile int *done) {
        shell_advance(1000); // time passes; the timer waits
        shell_scroll(1);
        shell_press(PZ_BUTTON_ACTION);
        EXPECT_TRUE(*done);
    });
    EXPECT_EQ(pz_dialog("Alert!", "Really?", 2, 0, "No", "Yes"), 1);
    shell_set_modal_runner(nullptr);
    EXPECT_TRUE(log_.empty());
    shell_advance(100);
    EXPECT_EQ(log_, (std::vector<std::string>{"t@1000", "t@1100"})); // once, not a burst
    ttk_widget_set_timer(w, 0);
}

TEST_F(Windows, ErrorsAreRecordedAndShownInOnePopupUntilAButtonIsReleased)
{
    pz_error("Can't find %s.\n", "it");
    pz_error("second %d", 2);
    ASSERT_EQ(shell_message_count(), 2);
    EXPECT_STREQ(shell_message(0), "Can't find it.\n");
    EXPECT_STREQ(shell_message(1), "second 2");
    EXPECT_EQ(shell_window_count(), 2);
    EXPECT_TRUE(shell_top_window()->popup);
    shell_render();
    bool shown = false;
    for (int i = 0; i < shell_text_count(); ++i)
        shown |= std::string(shell_text(i, nullptr, nullptr, nullptr)) == "second 2";
    EXPECT_TRUE(shown);
    shell_press(PZ_BUTTON_ACTION);
    EXPECT_EQ(shell_window_count(), 1);
    EXPECT_EQ(top_title(), "iPod"); // the release did not reach the main menu
}

TEST_F(Windows, PopupShrinksAroundItsWidgetsAndShowsAboveTheWindowBelow)
{
    TWindow *win = ttk_new_window();
    ttk_window_title(win, "Pop");
    static ttk_menu_item items[3] = {};
    items[0].name = "No";
    items[1].name = "Yes";
    TWidget *menu = ttk_new_menu_widget(items, ttk_textfont, 100, 28);
    ttk_add_widget(win, menu);
    ttk_set_popup(win);
    EXPECT_EQ(win->w, 100);
    EXPECT_EQ(win->h, 28);
    ttk_show_window(win);
    ttk_show_window(win); // twice: once on the stack
    EXPECT_EQ(shell_window_count(), 2);
    shell_render();
    int texts = shell_text_count();
    bool main_drawn = false, popup_drawn = false;
    for (int i = 0; i < texts; ++i) {
        std::string t = shell_text(i, nullptr, nullptr, nullptr);
        main_drawn |= t == "Music";
        popup_drawn |= t == "Yes";
    }
    EXPECT_TRUE(main_drawn);
    EXPECT_TRUE(popup_drawn);
}
