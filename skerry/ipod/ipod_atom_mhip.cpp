#include "ipod_atom_mhip.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mhod.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <cstring>

namespace {

ipod_atom_mhip_struct *item_data(ipod_atom atom) {
  return static_cast<ipod_atom_mhip_struct *>(ipod_atom_data_of(atom, IPOD_TAG_MHIP));
}

// Attributes 4000-4004 are words 1-5; 4100 is word 4 (4003) as Unix time.
int word_of(int attribute, bool *unix_time) {
  *unix_time = attribute == 4100;
  if (attribute == 4100) return 4;
  if (attribute >= 4000 && attribute <= 4004) return attribute - 4000 + 1;
  return -1;
}

void mhip_init(uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_mhip_struct *>(data);
  std::memset(d, 0, sizeof *d);
  d->words[0] = 1;
}

void mhip_free(void *data) {
  auto *d = static_cast<ipod_atom_mhip_struct *>(data);
  ipod_memory_free(d->extra);
  ipod_memory_free(d);
}

int mhip_read(ipod_io_t io, uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_mhip_struct *>(data);
  uint32_t start = ipod_io_tell(io) - 4;
  uint32_t header_end, atom_end;
  ipod_io_get_simple_header(io, &header_end, &atom_end);
  if (ipod_atom_check_extent(io, IPOD_TAG_MHIP, start, header_end, atom_end, 36) != 0) return -1;
  unsigned char b[24];
  if (ipod_io_read_all(io, b, 24) != 24) return -1;
  for (int i = 0; i < 6; i++) d->words[i] = ipod_le32(b + 4 * i);
  uint32_t header_size = header_end - start;
  if (header_size > IPOD_MHIP_HEADER_SIZE) {
    ipod_io_seek(io, start + IPOD_MHIP_HEADER_SIZE);
    d->extra = ipod_io_read_block(io, header_size - IPOD_MHIP_HEADER_SIZE);
    if (!d->extra) return -1;
    d->extra_length = header_size - IPOD_MHIP_HEADER_SIZE;
  }
  ipod_io_seek(io, atom_end);
  return 0;
}

void mhip_prepare_to_write(ipod_atom, uint32_t, void *) {}

void mhip_write(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhip_struct *>(data);
  uint32_t start = ipod_io_put_simple_header(io, IPOD_TAG_MHIP, IPOD_MHIP_HEADER_SIZE + d->extra_length);
  unsigned char b[IPOD_MHIP_HEADER_SIZE - 12] = {0};
  for (int i = 0; i < 6; i++) ipod_put_le32(b + 4 * i, d->words[i]);
  ipod_io_write(io, b, sizeof b, nullptr);
  if (d->extra_length) ipod_io_write(io, d->extra, d->extra_length, nullptr);
  if (version > 12) ipod_atom_mhod_write_position(io, d->words[2]);
  ipod_io_backpatch(io, start);
}

void *mhip_copy(void *data) {
  auto *d = static_cast<ipod_atom_mhip_struct *>(data);
  auto *c = static_cast<ipod_atom_mhip_struct *>(ipod_memory_alloc(sizeof *d));
  if (!c) return nullptr;
  *c = *d;
  if (d->extra) {
    c->extra = static_cast<unsigned char *>(ipod_memory_dup(d->extra, d->extra_length));
    if (!c->extra) {
      ipod_memory_free(c);
      return nullptr;
    }
  }
  return c;
}

}  // namespace

ipod_atom ipod_atom_new_mhip(void) {
  return ipod_atom_new_of_kind(IPOD_TAG_MHIP, mhip_init, mhip_free, mhip_read, mhip_prepare_to_write,
                               mhip_write, mhip_copy, sizeof(ipod_atom_mhip_struct));
}

uint32_t ipod_atom_mhip_get_attribute(ipod_atom item, int attribute) {
  ipod_atom_mhip_struct *d = item_data(item);
  if (!d) {
    ipod_error("ipod_atom_mhip_get_attribute(): Invalid playlist atom\n");
    return 0;
  }
  bool unix_time;
  int w = word_of(attribute, &unix_time);
  if (w < 0) {
    ipod_error("ipod_atom_mhip_get_attribute(): Invalid tag %d\n", attribute);
    return 0;
  }
  return unix_time ? d->words[w] - IPOD_MAC_TIME_OFFSET : d->words[w];
}

void ipod_atom_mhip_set_attribute(ipod_atom item, int attribute, uint32_t value) {
  ipod_atom_mhip_struct *d = item_data(item);
  if (!d) {
    ipod_error("ipod_atom_mhip_set_attribute(): Invalid playlist atom\n");
    return;
  }
  bool unix_time;
  int w = word_of(attribute, &unix_time);
  if (w < 0) {
    ipod_error("ipod_atom_mhip_set_attribute(): Invalid tag %d\n", attribute);
    return;
  }
  d->words[w] = unix_time ? value + IPOD_MAC_TIME_OFFSET : value;
}
