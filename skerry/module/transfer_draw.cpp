// The progress window's drawing: what is being copied, the bytes of the
// file and of the whole transfer, and a bar for each.
#include "skerry.h"
#include "transfer_state.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// The top of text line k of the menu font.
int line_top(TWidget *widget, int k)
{
    const int H = ttk_text_height(ttk_menufont);
    return widget->y + k * H - 2 * H / 3;
}

// Line k of the menu font, centred (or at 8 when it does not fit).
void centred_line(TWidget *widget, ttk_surface srf, int k, const std::string &text)
{
    const int width = ttk_text_width(ttk_menufont, text.c_str());
    const int x = width >= widget->w ? 8 : (widget->w - width) / 2;
    ttk_text(srf, ttk_menufont, widget->x + x, line_top(widget, k), ttk_ap_getx("window.fg")->color, text.c_str());
}

// The bars sit at 46 and 97 below the window's top, which leaves room for
// the lines of a menu font up to 13 pixels high.  A taller font would write
// its lines over a bar: the bar then moves just below the lines it meets.
int bar_top(TWidget *widget, int wanted, int first_line, int last_line)
{
    const int H = ttk_text_height(ttk_menufont);
    const int y = widget->y + wanted;
    for (int k = first_line; k <= last_line; ++k) {
        const int top = line_top(widget, k);
        if (top < y + 10 && y - 1 < top + H)
            return line_top(widget, last_line + 1) + 1;
    }
    return y;
}

int percent_of(uint64_t done, uint64_t total)
{
    return total ? int(done * 100 / total) : 0;
}

std::string done_of(uint64_t done, uint64_t total)
{
    std::string text = std::string(transfer_size_text(done)) + " / ";
    return text + transfer_size_text(total);
}

std::string track_text(ipod_track_t track, int tag)
{
    ipod_string s = ipod_track_get_text(track, tag, nullptr);
    std::string text = s ? s : "";
    if (s)
        ipod_string_free(s);
    return text;
}

} // namespace

const char *transfer_size_text(uint64_t bytes)
{
    if (bytes <= UINT32_MAX)
        return humanize_size(uint32_t(bytes));
    static char text[40];
    std::snprintf(text, sizeof text, "%llu.%01llu MB", (unsigned long long)(bytes >> 20),
                  (unsigned long long)((bytes * 10 >> 20) % 10));
    return text;
}

extern "C" {

void fill_copied_percent(TWidget *widget, ttk_surface srf, int percent, int y)
{
    const int W = widget->w;
    const int left = widget->x + W / 12;
    const int right = left + W - W / 6;
    if (TApItem *bg = ttk_ap_get("music.bar.bg"))
        ttk_ap_fillrect(srf, bg, left, y, right + 1, y + 9);
    ttk_ap_fillrect(srf, ttk_ap_getx("music.bar"), left, y,
                    left + (W - W / 6) * std::clamp(percent, 0, 100) / 100 + 1, y + 9);
    TApItem *fg = ttk_ap_getx("window.fg");
    ttk_ap_hline(srf, fg, left, right, y - 1);
    ttk_ap_hline(srf, fg, left, right, y + 9);
    ttk_ap_vline(srf, fg, left - 1, y, y + 8);
    ttk_ap_vline(srf, fg, right + 1, y, y + 8);
}

void draw_transfer_widget(TWidget *widget, ttk_surface srf)
{
    transfer_state &t = transfer();
    transfer_item *item = t.cur_file;
    if (t.running && item) {
        if (item->track) {
            centred_line(widget, srf, 1, track_text(item->track, IPOD_ARTIST));
            centred_line(widget, srf, 2, track_text(item->track, IPOD_TITLE));
        } else {
            centred_line(widget, srf, 1, std::string("From: ") + (item->source_path ? item->source_path : ""));
            centred_line(widget, srf, 2,
                         std::string("To: ") + (item->destination_path ? item->destination_path : ""));
        }
        centred_line(widget, srf, 3, done_of(t.file_bytes_transferred, item->size));
        fill_copied_percent(widget, srf, percent_of(t.file_bytes_transferred, item->size),
                           bar_top(widget, 46, 3, 3));
    } else {
        centred_line(widget, srf, 1, item ? "Transfer Aborted" : "Transfer Completed");
        centred_line(widget, srf, 2, "Press [menu] to return");
        fill_copied_percent(widget, srf, 100, bar_top(widget, 46, 3, 3));
    }
    if (t.total_files > 1) {
        // The format's line end is left out: the shell would draw it as a glyph.
        char files[48];
        std::snprintf(files, sizeof files, "File %i of %i", int(t.total_files_transferred + (item ? 1 : 0)),
                      int(t.total_files));
        centred_line(widget, srf, 6, files);
        centred_line(widget, srf, 7, done_of(t.total_bytes_transferred, t.total_bytes) + " total");
        fill_copied_percent(widget, srf, percent_of(t.total_bytes_transferred, t.total_bytes),
                            bar_top(widget, 97, 6, 7));
    }
}

} // extern "C"
