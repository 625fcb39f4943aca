#include "ipod_atom_mhod.h"
#include "ipod_atom_kind.h"
#include "ipod_error.h"
#include "ipod_library_index.h"
#include "ipod_memory.h"

#include <cstring>

static const uint32_t mhod_header_size = 24;

int ipod_atom_mhod_type_is_string(uint32_t type) {
  return (type >= 1 && type <= 14) || (type >= 18 && type <= 49);
}

int ipod_atom_mhod_type_is_raw(uint32_t type) {
  return type == 15 || type == 16 || type == 17 || type == 50 || type == 51 || type >= 53;
}

static void free_body(ipod_atom_mhod_struct *d) {
  if (ipod_atom_mhod_type_is_string(d->type))
    ipod_memory_free(d->body.string.text);
  else if (d->type == IPOD_MHOD_LIBRARY_INDEX)
    ipod_memory_free(d->body.library_index.positions);
  else if (ipod_atom_mhod_type_is_raw(d->type))
    ipod_memory_free(d->body.raw.bytes);
  std::memset(&d->body, 0, sizeof d->body);
}

static void mhod_init(uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_mhod_struct *>(data);
  std::memset(d, 0, sizeof *d);
}

static void mhod_free(void *data) {
  auto *d = static_cast<ipod_atom_mhod_struct *>(data);
  free_body(d);
  ipod_memory_free(d);
}

// UTF-16 text is kept as units in host order; the bytes on disk are
// little-endian. An odd byte count keeps its last byte in the low half of the
// last unit so that the text is written back unchanged.
static uint16_t *read_units(ipod_io_t io, uint32_t n) {
  uint16_t *u = static_cast<uint16_t *>(ipod_memory_alloc(n ? (n + 1) / 2 * 2 : 1));
  if (!u) return nullptr;
  if (n & 1) u[n / 2] = 0;
  if (ipod_io_read_all(io, u, n) != n) {
    ipod_memory_free(u);
    return nullptr;
  }
  // The bytes are little-endian; on a big-endian host the units are turned.
  const uint16_t probe = 1;
  if (*reinterpret_cast<const unsigned char *>(&probe) == 0)
    for (uint32_t i = 0; i < (n + 1) / 2; i++) u[i] = (uint16_t)((u[i] >> 8) | (u[i] << 8));
  return u;
}

static void write_units(ipod_io_t io, const uint16_t *u, uint32_t n) {
  unsigned char buffer[512];
  uint32_t done = 0;
  while (done < n) {
    uint32_t chunk = n - done < sizeof buffer ? n - done : (uint32_t)sizeof buffer;
    for (uint32_t i = 0; i < chunk; i++) {
      uint32_t k = done + i;
      buffer[i] = (unsigned char)(k & 1 ? u[k / 2] >> 8 : u[k / 2]);
    }
    ipod_io_write(io, buffer, chunk, nullptr);
    done += chunk;
  }
}

static int bad(uint32_t start) {
  ipod_error("ipod_atom_read_mhod(): Bad data object at offset %lu\n", (unsigned long)start);
  return -1;
}

static int mhod_read(ipod_io_t io, uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_mhod_struct *>(data);
  uint32_t start = ipod_io_tell(io) - 4;
  uint32_t header_end, atom_end;
  ipod_io_get_simple_header(io, &header_end, &atom_end);
  if (ipod_atom_check_extent(io, IPOD_TAG_MHOD, start, header_end, atom_end, mhod_header_size) != 0)
    return -1;
  unsigned char head[12];
  if (ipod_io_read_all(io, head, 12) != 12) return bad(start);
  free_body(d);
  d->type = ipod_le32(head);
  d->unk0 = ipod_le32(head + 4);
  d->unk1 = ipod_le32(head + 8);
  ipod_io_seek(io, header_end);
  uint32_t room = atom_end - header_end;
  if (ipod_atom_mhod_type_is_string(d->type)) {
    unsigned char b[16];
    if (room < 16 || ipod_io_read_all(io, b, 16) != 16) return bad(start);
    ipod_atom_mhod_string_struct &s = d->body.string;
    s.position = ipod_le32(b);
    s.length = ipod_le32(b + 4);
    s.unk0 = ipod_le32(b + 8);
    s.unk1 = ipod_le32(b + 12);
    if (s.length > room - 16) return bad(start);
    s.text = read_units(io, s.length);
    if (!s.text) return bad(start);
  } else if (d->type == IPOD_MHOD_LIBRARY_INDEX) {
    ipod_atom_mhod_library_index_struct &x = d->body.library_index;
    if (room < 48) return bad(start);
    x.sort_field = ipod_io_getul(io);
    uint32_t count = ipod_io_getul(io);
    if (count > (room - 48) / 4) return bad(start);
    ipod_io_skip(io, 40);
    unsigned char *bytes = ipod_io_read_block(io, count * 4);
    x.positions = static_cast<uint32_t *>(ipod_memory_alloc(count ? count * 4 : 1));
    if (!bytes || !x.positions) {
      ipod_memory_free(bytes);
      return bad(start);
    }
    for (uint32_t i = 0; i < count; i++) x.positions[i] = ipod_le32(bytes + 4 * i);
    x.count = count;
    ipod_memory_free(bytes);
  } else if (ipod_atom_mhod_type_is_raw(d->type)) {
    d->body.raw.bytes = ipod_io_read_block(io, room);
    if (!d->body.raw.bytes) return bad(start);
    d->body.raw.length = room;
  }
  ipod_io_seek(io, atom_end);
  return 0;
}

static void mhod_prepare_to_write(ipod_atom root, uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_mhod_struct *>(data);
  if (d->type != IPOD_MHOD_LIBRARY_INDEX) return;
  ipod_library_index_rebuild(root, &d->body.library_index);
}

static void mhod_write(ipod_io_t io, uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_mhod_struct *>(data);
  uint32_t start = ipod_io_put_simple_header(io, IPOD_TAG_MHOD, mhod_header_size);
  ipod_io_putul(io, d->type);
  ipod_io_putul(io, d->unk0);
  ipod_io_putul(io, d->unk1);
  if (ipod_atom_mhod_type_is_string(d->type)) {
    const ipod_atom_mhod_string_struct &s = d->body.string;
    ipod_io_putul(io, s.position);
    ipod_io_putul(io, s.length);
    ipod_io_putul(io, s.unk0);
    ipod_io_putul(io, s.unk1);
    write_units(io, s.text, s.length);
  } else if (d->type == IPOD_MHOD_LIBRARY_INDEX) {
    const ipod_atom_mhod_library_index_struct &x = d->body.library_index;
    ipod_io_putul(io, x.sort_field);
    ipod_io_putul(io, x.count);
    ipod_io_put_zeros(io, 10);
    for (uint32_t i = 0; i < x.count; i++) ipod_io_putul(io, x.positions[i]);
  } else if (ipod_atom_mhod_type_is_raw(d->type)) {
    ipod_io_write(io, d->body.raw.bytes, d->body.raw.length, nullptr);
  }
  ipod_io_backpatch(io, start);
}

static void *mhod_copy(void *data) {
  auto *d = static_cast<ipod_atom_mhod_struct *>(data);
  auto *c = static_cast<ipod_atom_mhod_struct *>(ipod_memory_alloc(sizeof *d));
  if (!c) return nullptr;
  *c = *d;
  bool ok = true;
  if (ipod_atom_mhod_type_is_string(d->type)) {
    c->body.string.text = static_cast<uint16_t *>(ipod_memory_dup(d->body.string.text, (d->body.string.length + 1) / 2 * 2));
    ok = c->body.string.text != nullptr;
  } else if (d->type == IPOD_MHOD_LIBRARY_INDEX) {
    c->body.library_index.positions = static_cast<uint32_t *>(
        ipod_memory_dup(d->body.library_index.positions, d->body.library_index.count * 4));
    ok = c->body.library_index.positions != nullptr;
  } else if (ipod_atom_mhod_type_is_raw(d->type)) {
    c->body.raw.bytes = static_cast<unsigned char *>(ipod_memory_dup(d->body.raw.bytes, d->body.raw.length));
    ok = c->body.raw.bytes != nullptr;
  }
  if (!ok) {
    ipod_memory_free(c);
    return nullptr;
  }
  return c;
}

ipod_atom ipod_atom_new_mhod(void) {
  return ipod_atom_new_of_kind(IPOD_TAG_MHOD, mhod_init, mhod_free, mhod_read, mhod_prepare_to_write,
                               mhod_write, mhod_copy, sizeof(ipod_atom_mhod_struct));
}

uint32_t ipod_atom_mhod_type(ipod_atom mhod) {
  auto *d = static_cast<ipod_atom_mhod_struct *>(ipod_atom_data_of(mhod, IPOD_TAG_MHOD));
  return d ? d->type : 0;
}

ipod_atom ipod_atom_new_mhod_string(uint32_t type, const char *text) {
  ipod_atom atom = ipod_atom_new_for_tag(IPOD_TAG_MHOD, 0);
  if (!atom) return nullptr;
  auto *d = static_cast<ipod_atom_mhod_struct *>(atom->data);
  d->type = type;
  d->body.string.position = 1;
  d->body.string.text = static_cast<uint16_t *>(ipod_memory_alloc(1));
  if (!d->body.string.text) {
    ipod_atom_free(atom);
    return nullptr;
  }
  ipod_atom_mhod_string_set(atom, text ? text : "");
  return atom;
}

ipod_string ipod_atom_mhod_string_get(ipod_atom mhod, ipod_string s) {
  s = s ? ipod_string_zero(s) : ipod_string_new();
  auto *d = static_cast<ipod_atom_mhod_struct *>(ipod_atom_data_of(mhod, IPOD_TAG_MHOD));
  if (!d || !ipod_atom_mhod_type_is_string(d->type) || !s) return s;
  const ipod_atom_mhod_string_struct &str = d->body.string;
  // Converted into a block of its own first: a failed resize then leaves the
  // caller's string empty instead of overrunning it.
  char *text = ipod_string_utf8_from_utf16(str.text, str.length / 2);
  if (!text) return s;
  s = ipod_string_set(s, text);
  ipod_memory_free(text);
  return s;
}

void ipod_atom_mhod_string_set(ipod_atom mhod, const char *text) {
  auto *d = static_cast<ipod_atom_mhod_struct *>(ipod_atom_data_of(mhod, IPOD_TAG_MHOD));
  if (!d || !text || !ipod_atom_mhod_type_is_string(d->type)) return;
  size_t room = ipod_string_utf8_to_utf16_length(text);
  uint16_t *u = static_cast<uint16_t *>(ipod_memory_alloc(room ? room * 2 : 1));
  if (!u) {
    ipod_error("ipod_atom_mhod_string_set(): Cannot allocate text\n");
    return;
  }
  size_t written = ipod_string_utf8_to_utf16(text, u, room);
  ipod_memory_free(d->body.string.text);
  d->body.string.text = u;
  d->body.string.length = (uint32_t)(2 * written);
}

ipod_atom ipod_atom_new_mhod_url(uint32_t, const char *) {
  ipod_error("ipod_atom_new_mhod_url(): Not yet implemented\n");
  return nullptr;
}

ipod_string ipod_atom_mhod_url_get(ipod_atom, ipod_string s) {
  ipod_error("ipod_atom_mhod_url_get(): Not yet implemented\n");
  return s;
}

void ipod_atom_mhod_url_set(ipod_atom, const char *) {
  ipod_error("ipod_atom_mhod_url_set(): Not yet implemented\n");
}

ipod_atom ipod_atom_new_mhod_library_index(uint32_t sort_field) {
  ipod_atom atom = ipod_atom_new_for_tag(IPOD_TAG_MHOD, 0);
  if (!atom) return nullptr;
  auto *d = static_cast<ipod_atom_mhod_struct *>(atom->data);
  d->type = IPOD_MHOD_LIBRARY_INDEX;
  d->body.library_index.sort_field = sort_field;
  d->body.library_index.positions = static_cast<uint32_t *>(ipod_memory_alloc(1));
  if (!d->body.library_index.positions) {
    ipod_atom_free(atom);
    return nullptr;
  }
  return atom;
}

int ipod_atom_mhod_library_index_compare(const ipod_atom_mhod_string_struct *a,
                                         const ipod_atom_mhod_string_struct *b) {
  return ipod_string_compare_utf16(a->text, a->length / 2, b->text, b->length / 2);
}

int ipod_atom_mhod_check_bytes(const unsigned char *b, uint32_t available, uint32_t *total) {
  if (available < mhod_header_size || std::memcmp(b, "mhod", 4) != 0) return -1;
  uint32_t header = ipod_le32(b + 4), size = ipod_le32(b + 8), type = ipod_le32(b + 12);
  if (header < mhod_header_size || size < header || size > available) return -1;
  uint32_t room = size - header;
  if (ipod_atom_mhod_type_is_string(type)) {
    if (room < 16 || ipod_le32(b + header + 4) > room - 16) return -1;
  } else if (type == IPOD_MHOD_LIBRARY_INDEX) {
    if (room < 48 || ipod_le32(b + header + 4) > (room - 48) / 4) return -1;
  }
  *total = size;
  return 0;
}

void ipod_atom_mhod_write_position(ipod_io_t io, uint32_t position) {
  unsigned char b[44] = {'m', 'h', 'o', 'd'};
  ipod_put_le32(b + 4, 24);
  ipod_put_le32(b + 8, 44);
  ipod_put_le32(b + 12, IPOD_MHOD_POSITION);
  ipod_put_le32(b + 24, position);
  ipod_io_write(io, b, 44, nullptr);
}
