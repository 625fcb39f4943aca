#include "ipod_io.h"
#include "ipod_memory.h"

#include <cstring>

ipod_io_t ipod_io_new(void *user_data, ipod_io_read_func read, ipod_io_write_func write,
                      ipod_io_tell_func tell, ipod_io_seek_func seek, ipod_io_length_func length) {
  ipod_io_t io = static_cast<ipod_io_t>(ipod_memory_alloc(sizeof(ipod_io_struct)));
  if (!io) return nullptr;
  io->user_data = user_data;
  io->read = read;
  io->write = write;
  io->tell = tell;
  io->seek = seek;
  io->length = length;
  io->write_failed = 0;
  io->read_failed = 0;
  io->image = nullptr;
  return io;
}

void ipod_io_free(ipod_io_t io) { ipod_memory_free(io); }

uint32_t min(uint32_t a, uint32_t b) { return a < b ? a : b; }

int ipod_io_read(ipod_io_t io, void *destination, uint32_t count, uint32_t *done) {
  return io->read(destination, count, done, io->user_data);
}

int ipod_io_write(ipod_io_t io, const void *source, uint32_t count, uint32_t *done) {
  uint32_t written = 0;
  int r = io->write(source, count, &written, io->user_data);
  if (r != 0 || written != count) io->write_failed = 1;
  if (done) *done = written;
  return r;
}

uint32_t ipod_io_tell(ipod_io_t io) {
  uint32_t p = 0;
  io->tell(&p, io->user_data);
  return p;
}

int ipod_io_seek(ipod_io_t io, uint32_t position) { return io->seek(position, io->user_data); }

uint32_t ipod_io_length(ipod_io_t io) {
  uint32_t n = 0;
  io->length(&n, io->user_data);
  return n;
}

int ipod_io_skip(ipod_io_t io, uint32_t n) { return ipod_io_seek(io, ipod_io_tell(io) + n); }

// Each primitive moves its whole width in one callback; bytes that the stream
// could not deliver stay zero.
static void get_bytes(ipod_io_t io, unsigned char *b, uint32_t n) {
  std::memset(b, 0, n);
  ipod_io_read_all(io, b, n);
}

uint32_t ipod_io_read_all(ipod_io_t io, void *destination, uint32_t count) {
  unsigned char *d = static_cast<unsigned char *>(destination);
  uint32_t total = 0;
  while (total < count) {
    uint32_t done = 0;
    if (io->read(d + total, count - total, &done, io->user_data) != 0 || done == 0) break;
    total += done;
  }
  if (total < count) io->read_failed = 1;
  return total;
}

static void put_bytes(ipod_io_t io, const unsigned char *b, uint32_t n) {
  uint32_t done = 0;
  ipod_io_write(io, b, n, &done);
}

static uint32_t le(const unsigned char *b, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; i--) v = (v << 8) | b[i];
  return v;
}

static uint32_t be(const unsigned char *b, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; i++) v = (v << 8) | b[i];
  return v;
}

static void put_le(ipod_io_t io, uint32_t v, int n) {
  unsigned char b[4];
  for (int i = 0; i < n; i++) b[i] = (unsigned char)(v >> (8 * i));
  put_bytes(io, b, n);
}

static void put_be(ipod_io_t io, uint32_t v, int n) {
  unsigned char b[4];
  for (int i = 0; i < n; i++) b[i] = (unsigned char)(v >> (8 * (n - 1 - i)));
  put_bytes(io, b, n);
}

#define GET(name, type, width, order)           \
  type name(ipod_io_t io) {                     \
    unsigned char b[4];                         \
    get_bytes(io, b, width);                    \
    return (type)order(b, width);               \
  }

GET(ipod_io_getb, int8_t, 1, le)
GET(ipod_io_getub, uint8_t, 1, le)
GET(ipod_io_getw, int16_t, 2, le)
GET(ipod_io_getuw, uint16_t, 2, le)
GET(ipod_io_getw_be, int16_t, 2, be)
GET(ipod_io_getuw_be, uint16_t, 2, be)
GET(ipod_io_getl, int32_t, 4, le)
GET(ipod_io_getul, uint32_t, 4, le)
GET(ipod_io_getl_be, int32_t, 4, be)
GET(ipod_io_getul_be, uint32_t, 4, be)
GET(ipod_io_get4cc, uint32_t, 4, be)
GET(ipod_io_getul3, uint32_t, 3, be)

float ipod_io_getf(ipod_io_t io) {
  uint32_t bits = ipod_io_getul(io);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

uint32_t ipod_io_getul_ss(ipod_io_t io) {
  unsigned char b[4];
  get_bytes(io, b, 4);
  return ((b[0] * 128u + b[1]) * 128u + b[2]) * 128u + b[3];
}

void ipod_io_putb(ipod_io_t io, int8_t value) { put_le(io, (uint8_t)value, 1); }
void ipod_io_putub(ipod_io_t io, uint8_t value) { put_le(io, value, 1); }
void ipod_io_putw(ipod_io_t io, int16_t value) { put_le(io, (uint16_t)value, 2); }
void ipod_io_putuw(ipod_io_t io, uint16_t value) { put_le(io, value, 2); }
void ipod_io_putw_be(ipod_io_t io, int16_t value) { put_be(io, (uint16_t)value, 2); }
void ipod_io_putuw_be(ipod_io_t io, uint16_t value) { put_be(io, value, 2); }
void ipod_io_putl(ipod_io_t io, int32_t value) { put_le(io, (uint32_t)value, 4); }
void ipod_io_putul(ipod_io_t io, uint32_t value) { put_le(io, value, 4); }
void ipod_io_putl_be(ipod_io_t io, int32_t value) { put_be(io, (uint32_t)value, 4); }
void ipod_io_putul_be(ipod_io_t io, uint32_t value) { put_be(io, value, 4); }
void ipod_io_put4cc(ipod_io_t io, uint32_t value) { put_be(io, value, 4); }
void ipod_io_putul3(ipod_io_t io, uint32_t value) { put_be(io, value & 0xFFFFFF, 3); }

void ipod_io_putf(ipod_io_t io, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  ipod_io_putul(io, bits);
}

uint32_t ipod_io_put_simple_header(ipod_io_t io, uint32_t tag, uint32_t header_size) {
  uint32_t start = ipod_io_tell(io);
  ipod_io_put4cc(io, tag);
  ipod_io_putul(io, header_size);
  ipod_io_putul(io, 0);
  return start;
}

void ipod_io_backpatch(ipod_io_t io, uint32_t start) {
  uint32_t p = ipod_io_tell(io);
  ipod_io_seek(io, start + 8);
  ipod_io_putul(io, p - start);
  ipod_io_seek(io, p);
}

void ipod_io_get_simple_header(ipod_io_t io, uint32_t *header_end, uint32_t *atom_end) {
  uint32_t p = ipod_io_tell(io);
  uint32_t h = ipod_io_getul(io);
  uint32_t t = ipod_io_getul(io);
  if (header_end) *header_end = p - 4 + h;
  if (atom_end) *atom_end = p - 4 + t;
}

uint32_t ipod_io_put_list_header(ipod_io_t io, uint32_t tag, uint32_t header_size) {
  uint32_t start = ipod_io_tell(io);
  ipod_io_put4cc(io, tag);
  ipod_io_putul(io, header_size);
  return start;
}

uint32_t ipod_io_get_list_header(ipod_io_t io) {
  uint32_t p = ipod_io_tell(io);
  return p - 4 + ipod_io_getul(io);
}

void ipod_io_put_zeros(ipod_io_t io, uint32_t n) {
  for (uint32_t i = 0; i < n; i++) ipod_io_putul(io, 0);
}

void ipod_io_put_pad(ipod_io_t io, uint32_t start, uint32_t size) {
  int64_t k = (int64_t)size - ((int64_t)ipod_io_tell(io) - (int64_t)start);
  if (k <= 0) return;
  static const unsigned char zeros[256] = {0};
  while (k > 0) {
    uint32_t n = (uint32_t)(k > 256 ? 256 : k);
    put_bytes(io, zeros, n);
    k -= n;
  }
}
