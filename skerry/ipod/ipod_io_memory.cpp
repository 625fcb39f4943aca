#include "ipod_io_memory.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <cstring>

static ipod_io_memory_state *valid(void *user_data) {
  ipod_io_memory_state *s = static_cast<ipod_io_memory_state *>(user_data);
  return (s && s->magic == IPOD_IO_MEMORY_MAGIC) ? s : nullptr;
}

static uint32_t round_up_8k(uint64_t n) { return (uint32_t)((n + 8191) / 8192 * 8192); }

// Makes room for `end` bytes. Caller memory is never resized, and a failed
// reallocation leaves the stream as it was.
static bool ensure_capacity(ipod_io_memory_state *s, uint64_t end) {
  if (end <= s->capacity) return true;
  if (!s->owns_data) {
    ipod_error("ipod_io_memory_write(): Stream over caller memory cannot grow\n");
    return false;
  }
  if (end > 0xFFFFFFFFull - 8191) {
    ipod_error("ipod_io_memory_write(): Stream would exceed 4 GiB\n");
    return false;
  }
  uint32_t capacity = round_up_8k(end);
  unsigned char *p = static_cast<unsigned char *>(ipod_memory_realloc(s->data, capacity));
  if (!p) {
    ipod_error("ipod_io_memory_write(): Cannot grow stream to %lu bytes\n", (unsigned long)capacity);
    return false;
  }
  s->data = p;
  s->capacity = capacity;
  return true;
}

static int memory_read(void *destination, uint32_t count, uint32_t *done, void *user_data) {
  *done = 0;
  ipod_io_memory_state *s = valid(user_data);
  if (!s) return 0;
  uint32_t n = s->position < s->length ? min(count, s->length - s->position) : 0;
  if (n) std::memcpy(destination, s->data + s->position, n);
  s->position += n;
  *done = n;
  return 0;
}

static int memory_write(const void *source, uint32_t count, uint32_t *done, void *user_data) {
  *done = 0;
  ipod_io_memory_state *s = valid(user_data);
  if (!s) return 0;
  if (!ensure_capacity(s, (uint64_t)s->position + count)) return -1;
  if (count) std::memcpy(s->data + s->position, source, count);
  s->position += count;
  if (s->position > s->length) s->length = s->position;
  *done = count;
  return 0;
}

static int memory_tell(uint32_t *position, void *user_data) {
  ipod_io_memory_state *s = valid(user_data);
  *position = s ? s->position : 0;
  return 0;
}

static int memory_seek(uint32_t position, void *user_data) {
  ipod_io_memory_state *s = valid(user_data);
  if (!s) return 0;
  if (!s->owns_data) {
    // Reading only: a position past the data stays at the end.
    s->position = min(position, s->length);
    return position <= s->length ? 0 : -1;
  }
  if (!ensure_capacity(s, position)) return -1;
  // Seeking back keeps the data after the position (so a stream can be read
  // again after writing); seeking past the end extends it with zeros.
  if (position > s->length) {
    std::memset(s->data + s->length, 0, position - s->length);
    s->length = position;
  }
  s->position = position;
  return 0;
}

static int memory_length(uint32_t *length, void *user_data) {
  ipod_io_memory_state *s = valid(user_data);
  *length = s ? s->length : 0;
  return 0;
}

static ipod_io_t new_stream(int owns, unsigned char *data, uint32_t size) {
  ipod_io_memory_state *s =
      static_cast<ipod_io_memory_state *>(ipod_memory_alloc(sizeof(ipod_io_memory_state)));
  if (!s) return nullptr;
  s->magic = IPOD_IO_MEMORY_MAGIC;
  s->owns_data = owns;
  s->data = data;
  s->capacity = size;
  s->length = size;
  s->position = 0;
  ipod_io_t io = ipod_io_new(s, memory_read, memory_write, memory_tell, memory_seek, memory_length);
  if (!io) {
    s->magic = 0;
    ipod_memory_free(s);
  }
  return io;
}

ipod_io_t ipod_io_memory_new(void) {
  unsigned char *data = static_cast<unsigned char *>(ipod_memory_alloc(0));
  ipod_io_t io = new_stream(1, data, 0);
  if (!io) ipod_memory_free(data);
  return io;
}

ipod_io_t ipod_io_memory_new_from_memory(const void *data, uint32_t size) {
  return new_stream(0, static_cast<unsigned char *>(const_cast<void *>(data)), size);
}

void ipod_io_memory_free(ipod_io_t io) {
  if (!io) return;
  ipod_io_memory_state *s = valid(io->user_data);
  if (s) {
    if (s->owns_data) ipod_memory_free(s->data);
    s->magic = 0;
    ipod_memory_free(s);
  }
  ipod_io_free(io);
}

uint32_t ipod_io_memory_size(ipod_io_t io) {
  ipod_io_memory_state *s = io ? valid(io->user_data) : nullptr;
  return s ? s->length : 0;
}

void *ipod_io_memory_data(ipod_io_t io) {
  ipod_io_memory_state *s = io ? valid(io->user_data) : nullptr;
  return s ? s->data : nullptr;
}
