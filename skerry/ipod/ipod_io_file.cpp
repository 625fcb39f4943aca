#include "ipod_io_file.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <cstring>
#include <sys/stat.h>

namespace {

const uint32_t window_size = 64 * 1024;

// The window holds the file's bytes [base, base + length); the part
// [dirty_from, dirty_to) of it was written and not yet sent to the file.
struct file_state {
  FILE *file;
  unsigned char *window;
  uint32_t base;
  uint32_t length;
  uint32_t dirty_from;
  uint32_t dirty_to;
  uint32_t position;
  int failed;
  uint32_t file_size;  // measured once, then grown by our own writes
};

bool write_out(file_state *s) {
  if (s->dirty_to <= s->dirty_from) return true;
  uint32_t n = s->dirty_to - s->dirty_from;
  bool ok = fseek(s->file, (long)(s->base + s->dirty_from), SEEK_SET) == 0 &&
            fwrite(s->window + s->dirty_from, 1, n, s->file) == n && fflush(s->file) == 0;
  if (ok && s->base + s->dirty_to > s->file_size) s->file_size = s->base + s->dirty_to;
  s->dirty_from = s->dirty_to = 0;
  if (!ok) s->failed = 1;
  return ok;
}

void reset_window(file_state *s, uint32_t base) {
  s->base = base;
  s->length = 0;
}

int file_read(void *destination, uint32_t count, uint32_t *done, void *user_data) {
  file_state *s = static_cast<file_state *>(user_data);
  unsigned char *d = static_cast<unsigned char *>(destination);
  uint32_t total = 0;
  while (total < count) {
    if (s->position >= s->base && s->position < s->base + s->length) {
      uint32_t n = s->base + s->length - s->position;
      if (n > count - total) n = count - total;
      std::memcpy(d + total, s->window + (s->position - s->base), n);
      s->position += n;
      total += n;
      continue;
    }
    if (!write_out(s)) break;
    reset_window(s, s->position);
    if (fseek(s->file, (long)s->position, SEEK_SET) != 0) break;
    size_t got = fread(s->window, 1, window_size, s->file);
    s->length = (uint32_t)got;
    if (got == 0) break;
  }
  *done = total;
  return 0;
}

int file_write(const void *source, uint32_t count, uint32_t *done, void *user_data) {
  file_state *s = static_cast<file_state *>(user_data);
  const unsigned char *src = static_cast<const unsigned char *>(source);
  uint32_t total = 0;
  while (total < count) {
    uint32_t offset = s->position - s->base;
    if (s->position >= s->base && offset <= s->length && offset < window_size) {
      uint32_t n = window_size - offset;
      if (n > count - total) n = count - total;
      std::memcpy(s->window + offset, src + total, n);
      if (s->dirty_to <= s->dirty_from) {
        s->dirty_from = offset;
        s->dirty_to = offset + n;
      } else {
        if (offset < s->dirty_from) s->dirty_from = offset;
        if (offset + n > s->dirty_to) s->dirty_to = offset + n;
      }
      if (offset + n > s->length) s->length = offset + n;
      s->position += n;
      total += n;
      continue;
    }
    if (!write_out(s)) break;
    reset_window(s, s->position);
  }
  *done = total;
  return total == count ? 0 : -1;
}

int file_tell(uint32_t *position, void *user_data) {
  *position = static_cast<file_state *>(user_data)->position;
  return 0;
}

int file_seek(uint32_t position, void *user_data) {
  static_cast<file_state *>(user_data)->position = position;
  return 0;
}

int file_length(uint32_t *length, void *user_data) {
  // Asking the system on every call would cost a call per atom read.
  file_state *s = static_cast<file_state *>(user_data);
  uint32_t n = s->file_size;
  if (s->dirty_to > s->dirty_from && s->base + s->length > n) n = s->base + s->length;
  *length = n;
  return 0;
}

}  // namespace

ipod_io_t ipod_io_file_new(FILE *file) {
  if (!file) return nullptr;
  file_state *s = static_cast<file_state *>(ipod_memory_alloc(sizeof(file_state)));
  unsigned char *window = static_cast<unsigned char *>(ipod_memory_alloc(window_size));
  ipod_io_t io = (s && window) ? ipod_io_new(s, file_read, file_write, file_tell, file_seek, file_length)
                               : nullptr;
  if (!io) {
    ipod_error("ipod_io_file_new(): Cannot create file stream\n");
    ipod_memory_free(window);
    ipod_memory_free(s);
    return nullptr;
  }
  long start = ftell(file);
  struct stat st;
  uint32_t size = fstat(fileno(file), &st) == 0 ? (uint32_t)st.st_size : 0;
  *s = file_state{file, window, 0, 0, 0, 0, start > 0 ? (uint32_t)start : 0, 0, size};
  return io;
}

int ipod_io_file_flush(ipod_io_t io) {
  if (!io) return -1;
  file_state *s = static_cast<file_state *>(io->user_data);
  write_out(s);
  return (s->failed || io->write_failed) ? -1 : 0;
}

void ipod_io_file_free(ipod_io_t io) {
  if (!io) return;
  file_state *s = static_cast<file_state *>(io->user_data);
  if (!write_out(s)) ipod_error("ipod_io_file_free(): Cannot write pending data\n");
  ipod_memory_free(s->window);
  ipod_memory_free(s);
  ipod_io_free(io);
}
