// The transfer engine's state, shared by the copy step and the progress
// drawing.  One transfer at a time.
#pragma once

#include "transfer.h"

#include <cstdint>

struct transfer_state {
    transfer_item *trans_list_head = nullptr;
    transfer_item *trans_list_tail = nullptr;
    ipod_t trans_list_src_ipod = nullptr;
    ipod_t trans_list_dst_ipod = nullptr;
    uint32_t total_files = 0;
    uint64_t total_bytes = 0;
    transfer_item *cur_file = nullptr; // null when all are done
    uint32_t total_files_transferred = 0;
    uint64_t total_bytes_transferred = 0;
    uint64_t file_bytes_transferred = 0;
    int dst_ipod_dirty = 0;
    int srcFile = -1;
    int dstFile = -1;
    unsigned char *transfer_buffer = nullptr;
    TWindow *transfer_window = nullptr;
    TWidget *transfer_widget = nullptr;
    bool running = false;
};

transfer_state &transfer(void);

// humanize_size for counts of any size (totals may pass 4 GiB).
const char *transfer_size_text(uint64_t bytes);
