// The transfer list and the copy engine: the progress window's timer copies
// the current file 64 KiB per tick, adds each finished track to the target
// database and writes that database when the transfer ends.
#include "connect.h"
#include "skerry.h"
#include "system_root.h"
#include "transfer_state.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <libintl.h>
#include <locale.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int copied_texts[] = {IPOD_TITLE,   IPOD_ALBUM,     IPOD_ARTIST,   IPOD_GENRE,
                            IPOD_FILETYPE, IPOD_EQSETTING, IPOD_COMMENT,  IPOD_CATEGORY,
                            IPOD_COMPOSER, IPOD_GROUPING,  IPOD_DESCRIPTION};

void free_item(transfer_item *item)
{
    if (item->source_path)
        ipod_string_free(item->source_path);
    if (item->destination_path)
        ipod_string_free(item->destination_path);
    if (item->location)
        ipod_string_free(item->location);
    if (item->track)
        ipod_track_free(item->track);
    ipod_memory_free(item);
}

void append_item(transfer_item *item)
{
    transfer_state &t = transfer();
    if (t.trans_list_tail)
        t.trans_list_tail->next = item;
    else
        t.trans_list_head = item;
    t.trans_list_tail = item;
    t.total_files++;
    t.total_bytes += item->size;
}

transfer_item *new_item(void)
{
    void *p = ipod_memory_alloc(sizeof(transfer_item));
    if (p)
        std::memset(p, 0, sizeof(transfer_item));
    return static_cast<transfer_item *>(p);
}

// The folder a database was opened on.
std::string root_of(ipod_t ipod)
{
    if (ipod && ipod == local_ipod)
        return system_path(LOCAL_ROOT);
    if (ipod && ipod == remote_ipod)
        return system_path(RIP_MOUNT_POINT);
    return "";
}

// The extension of the path's file name, ".mp3" when it has none.
std::string extension_of(const char *path)
{
    const char *name = std::strrchr(path, '/');
    name = name ? name + 1 : path;
    const char *dot = std::strrchr(name, '.');
    return dot ? dot : ".mp3";
}

void close_fd(int &fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

bool write_all(int fd, const unsigned char *data, size_t count)
{
    while (count > 0) {
        ssize_t n = write(fd, data, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        count -= size_t(n);
    }
    return true;
}

// Gives a track its place on the target.  False (reported) when the place
// cannot be named within the room for a path.
bool choose_destination(transfer_item *item)
{
    transfer_state &t = transfer();
    std::string root = root_of(t.trans_list_dst_ipod);
    item->location = ipod_unique_track_location_wrapper(t.trans_list_dst_ipod,
                                                        extension_of(item->source_path).c_str());
    if (!item->location || root.empty())
        return true; // reported as a missing destination
    std::string path = root + item->location;
    for (size_t i = root.size(); i < path.size(); ++i)
        if (path[i] == ':')
            path[i] = '/';
    // A cut path would name another file: fail this one instead.
    if (path.size() > TRANSFER_PATH_MAX) {
        pz_error("Destination path too long: %s\n", path.c_str());
        return false;
    }
    item->destination_path = ipod_string_new_from(path.c_str());
    return true;
}

// Opens the current item's files.  False (reported) when it cannot start.
bool start_file(transfer_item *item)
{
    transfer_state &t = transfer();
    std::printf("Starting next file: %s\n", item->source_path);
    std::fflush(stdout);
    struct stat st;
    if (stat(item->source_path, &st) != 0) {
        pz_error("Cannot stat %s\n", item->source_path);
        return false;
    }
    if (item->track && !item->destination_path && !choose_destination(item))
        return false;
    if (!item->destination_path) {
        pz_error("No destination filename given!\n");
        return false;
    }
    if (std::strlen(item->destination_path) > TRANSFER_PATH_MAX) {
        pz_error("Destination path too long: %s\n", item->destination_path);
        return false;
    }
    t.srcFile = open(item->source_path, O_RDONLY);
    if (t.srcFile < 0 || fstat(t.srcFile, &st) != 0) {
        close_fd(t.srcFile);
        pz_error("Could not open %s for reading\n", item->source_path);
        return false;
    }
    t.dstFile = open(item->destination_path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (t.dstFile < 0) {
        close_fd(t.srcFile);
        pz_error("Could not open %s for writing\n", item->destination_path);
        return false;
    }
    // The file as it is now is what gets copied, whatever the database says
    // (another program may have rewritten its tags).
    const uint32_t size = st.st_size > UINT32_MAX ? UINT32_MAX : uint32_t(st.st_size);
    t.total_bytes = t.total_bytes - item->size + size;
    item->size = size;
    return true;
}

// A new target track with the source's texts and numbers at the copied
// file's place.
bool add_target_track(transfer_item *item)
{
    transfer_state &t = transfer();
    ipod_track_t track = ipod_track_add(t.trans_list_dst_ipod);
    if (!track) {
        pz_error("Unable to add track to the target database!\n");
        return false;
    }
    ipod_string text = ipod_string_new();
    for (int tag : copied_texts) {
        text = ipod_track_get_text(item->track, tag, text); // empty when absent
        ipod_track_set_text(track, tag, text ? text : "");
    }
    if (text)
        ipod_string_free(text);
    for (int attribute = IPOD_TRACK_VISIBLE; attribute <= IPOD_TRACK_BOOKMARK_TIME; ++attribute)
        ipod_track_set_attribute(track, attribute, ipod_track_get_attribute(item->track, attribute));
    for (int attribute = IPOD_TRACK_CHECKED; attribute <= IPOD_TRACK_SAMPLE_COUNT; ++attribute)
        ipod_track_set_attribute(track, attribute, ipod_track_get_attribute(item->track, attribute));
    ipod_track_set_attribute(track, IPOD_TRACK_SIZE, item->size);
    ipod_track_set_text(track, IPOD_LOCATION, item->location);
    ipod_track_free(track);
    t.dst_ipod_dirty = 1;
    return true;
}

// The current file is copied whole: close it, record it, go on.
bool complete_file(void)
{
    transfer_state &t = transfer();
    transfer_item *item = t.cur_file;
    close_fd(t.srcFile);
    int fd = t.dstFile;
    t.dstFile = -1;
    if (close(fd) != 0) {
        pz_error("Could not write %s\n", item->destination_path);
        unlink(item->destination_path);
        return false;
    }
    if (item->track && !add_target_track(item)) {
        unlink(item->destination_path);
        return false;
    }
    t.total_files_transferred++;
    t.file_bytes_transferred = 0;
    t.cur_file = item->next;
    return true;
}

// The end of a transfer, completed, failed or aborted.
void finish_transfer(void)
{
    transfer_state &t = transfer();
    if (!t.running)
        return;
    t.running = false;
    std::printf("Transfer finished!\n");
    std::fflush(stdout);
    std::free(t.transfer_buffer);
    t.transfer_buffer = nullptr;
    close_fd(t.srcFile);
    if (t.dstFile >= 0) {
        // The unfinished file has no database entry: nobody could see it.
        close_fd(t.dstFile);
        if (t.cur_file && t.cur_file->destination_path)
            unlink(t.cur_file->destination_path);
    }
    if (t.dst_ipod_dirty) {
        if (ipod_flush(t.trans_list_dst_ipod) != 0)
            pz_error("Unable to write the target iTunesDB!\n");
        if (t.trans_list_dst_ipod == local_ipod)
            mpd_make_dirty();
        t.dst_ipod_dirty = 0;
    }
    if (rip_status == RIP_TRANSFERRING)
        rip_status = RIP_MOUNTED;
    if (t.transfer_widget) {
        ttk_widget_set_timer(t.transfer_widget, 0);
        ttk_widget_set_dirty(t.transfer_widget);
    }
}

// The shell frees the window: a transfer still running ends first.
void forget_transfer_widget(TWidget *widget)
{
    transfer_state &t = transfer();
    if (t.transfer_widget != widget)
        return;
    finish_transfer();
    t.transfer_widget = nullptr;
    t.transfer_window = nullptr;
}

} // namespace

transfer_state &transfer(void)
{
    static transfer_state state;
    return state;
}

extern "C" {

int transfer_running(void)
{
    return transfer().running;
}

void transfer_list_reset(ipod_t source, ipod_t destination)
{
    transfer_state &t = transfer();
    std::printf("Resetting transfer list.\n");
    std::fflush(stdout);
    finish_transfer(); // the items must not be freed under a running copy
    while (transfer_item *item = t.trans_list_head) {
        t.trans_list_head = item->next;
        free_item(item);
    }
    t.trans_list_tail = nullptr;
    t.cur_file = nullptr;
    t.trans_list_src_ipod = source;
    t.trans_list_dst_ipod = destination;
    t.total_files = 0;
    t.total_bytes = 0;
    t.total_files_transferred = 0;
    t.total_bytes_transferred = 0;
    t.file_bytes_transferred = 0;
}

void transfer_list_add_track(uint32_t id)
{
    transfer_state &t = transfer();
    ipod_track_t track = ipod_track_get_by_track_id(t.trans_list_src_ipod, id);
    if (!track) {
        pz_error("Unable to find source track (ID=%i)\n", int(id));
        return;
    }
    transfer_item *item = new_item();
    if (!item) {
        ipod_track_free(track);
        return;
    }
    item->source_path = ipod_track_get_text(track, IPOD_FULL_PATH, nullptr);
    item->size = ipod_track_get_attribute(track, IPOD_TRACK_SIZE);
    item->track = track;
    append_item(item);
}

void transfer_list_add_file(const char *source_path, const char *destination_path, uint32_t size)
{
    transfer_item *item = new_item();
    if (!item)
        return;
    item->source_path = ipod_string_new_from(source_path);
    item->destination_path = destination_path ? ipod_string_new_from(destination_path) : nullptr;
    item->size = size;
    append_item(item);
}

TWindow *new_transfer_window(void)
{
    transfer_state &t = transfer();
    TWindow *win = pz_new_window(dcgettext(nullptr, "Transferring File", LC_MESSAGES), 0);
    TWidget *widget = pz_add_widget(win, draw_transfer_widget, transfer_widget_event);
    widget->timer = transfer_copy_step;
    widget->destroy = forget_transfer_widget;
    t.transfer_window = win;
    t.transfer_widget = widget;
    t.cur_file = t.trans_list_head;
    t.file_bytes_transferred = 0;
    t.total_files_transferred = 0;
    t.total_bytes_transferred = 0;
    t.dst_ipod_dirty = 0;
    t.transfer_buffer = static_cast<unsigned char *>(std::malloc(TRANSFER_BUFFER_SIZE));
    if (!t.transfer_buffer) {
        pz_error("Unable to alloc transfer buffer!\n");
        return pz_finish_window(win);
    }
    t.running = true;
    rip_status = RIP_TRANSFERRING;
    ttk_widget_set_timer(widget, 1);
    return pz_finish_window(win);
}

int transfer_copy_step(TWidget *widget)
{
    transfer_state &t = transfer();
    if (!t.running)
        return 0;
    transfer_item *item = t.cur_file;
    if (!item) {
        finish_transfer();
        return 0;
    }
    if (t.srcFile < 0 && !start_file(item)) {
        finish_transfer();
        return 0;
    }
    // Never more than the file held when it was opened.
    const uint64_t left = item->size - t.file_bytes_transferred;
    const size_t want = left < TRANSFER_BUFFER_SIZE ? size_t(left) : TRANSFER_BUFFER_SIZE;
    ssize_t got;
    do
        got = want ? read(t.srcFile, t.transfer_buffer, want) : 0;
    while (got < 0 && errno == EINTR);
    if (got < 0) {
        pz_error("Could not read %s\n", item->source_path);
        finish_transfer();
        return 0;
    }
    if (got == 0) {
        pz_error("Zero bytes read!\n");
        finish_transfer();
        return 0;
    }
    if (!write_all(t.dstFile, t.transfer_buffer, size_t(got))) {
        pz_error("bytesRead != bytesWritten!\n");
        finish_transfer();
        return 0;
    }
    t.file_bytes_transferred += uint64_t(got);
    t.total_bytes_transferred += uint64_t(got);
    ttk_widget_set_dirty(widget);
    if (t.file_bytes_transferred == item->size && !complete_file()) {
        finish_transfer();
        return 0;
    }
    if (!t.cur_file)
        finish_transfer();
    return 0;
}

int transfer_widget_event(TWidget *widget, int event, int button, int)
{
    if (event != PZ_EVENT_BUTTON_UP || button != PZ_BUTTON_MENU)
        return 0;
    if (transfer().running) {
        if (pz_dialog("Alert!", "Really abort transfer?", 2, 0, "No", "Yes") == 1)
            finish_transfer();
        ttk_widget_set_dirty(widget);
        return 0;
    }
    transfer_list_reset(nullptr, nullptr);
    pz_close_window(widget->win);
    return 0;
}

void abort_transfer(void)
{
    finish_transfer();
}

} // extern "C"
