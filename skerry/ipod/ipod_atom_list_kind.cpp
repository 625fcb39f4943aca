#include "ipod_atom_list_kind.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mhlt.h"
#include "ipod_error.h"
#include "ipod_memory.h"

// Both kinds keep the same record: one list of children.
namespace {

struct list_data {
  ipod_atom_list children;
  uint32_t tag;
};

void list_init(uint32_t, void *data) {
  auto *d = static_cast<list_data *>(data);
  if (!d->children) d->children = ipod_atom_list_new();
}

void list_free(void *data) {
  auto *d = static_cast<list_data *>(data);
  if (d->children) {
    ipod_atom_list_remove_and_free_all(d->children);
    ipod_atom_list_free(d->children);
  }
  ipod_memory_free(d);
}

int list_read(ipod_io_t io, uint32_t version, void *data, uint32_t tag) {
  auto *d = static_cast<list_data *>(data);
  uint32_t start = ipod_io_tell(io) - 4;
  uint32_t header_end = ipod_io_get_list_header(io);
  uint32_t count = ipod_io_getul(io);
  uint32_t length = ipod_io_length(io);
  if (header_end < start + 12 || header_end > length || count > (length - header_end) / 12) {
    ipod_error("ipod_atom_read_%s(): Bad list header at offset %lu\n", ipod_tag_str(tag), (unsigned long)start);
    return -1;
  }
  ipod_io_seek(io, header_end);
  return ipod_atom_list_read(d->children, count, io, version);
}

int mhlt_read(ipod_io_t io, uint32_t version, void *data) { return list_read(io, version, data, IPOD_TAG_MHLT); }
int mhlp_read(ipod_io_t io, uint32_t version, void *data) { return list_read(io, version, data, IPOD_TAG_MHLP); }

void list_prepare_to_write(ipod_atom root, uint32_t version, void *data) {
  ipod_atom_list_prepare_to_write(static_cast<list_data *>(data)->children, root, version);
}

void list_write(ipod_io_t io, uint32_t version, void *data, uint32_t tag) {
  auto *d = static_cast<list_data *>(data);
  uint32_t start = ipod_io_put_list_header(io, tag, IPOD_LIST_HEADER_SIZE);
  ipod_io_putul(io, ipod_atom_list_length(d->children));
  ipod_io_put_pad(io, start, IPOD_LIST_HEADER_SIZE);
  ipod_atom_list_write(d->children, io, version);
}

void mhlt_write(ipod_io_t io, uint32_t version, void *data) { list_write(io, version, data, IPOD_TAG_MHLT); }
void mhlp_write(ipod_io_t io, uint32_t version, void *data) { list_write(io, version, data, IPOD_TAG_MHLP); }

void *list_copy(void *data) {
  auto *d = static_cast<list_data *>(data);
  auto *c = static_cast<list_data *>(ipod_memory_alloc(sizeof(list_data)));
  if (!c) return nullptr;
  c->tag = d->tag;
  c->children = ipod_atom_list_copy(d->children);
  if (!c->children) {
    ipod_memory_free(c);
    return nullptr;
  }
  return c;
}

}  // namespace

ipod_atom ipod_atom_new_list_kind(uint32_t tag) {
  bool tracks = tag == IPOD_TAG_MHLT;
  ipod_atom atom = ipod_atom_new_of_kind(tag, list_init, list_free, tracks ? mhlt_read : mhlp_read,
                                         list_prepare_to_write, tracks ? mhlt_write : mhlp_write, list_copy,
                                         sizeof(list_data));
  if (!atom) return nullptr;
  auto *d = static_cast<list_data *>(atom->data);
  d->children = ipod_atom_list_new();
  if (!d->children) {
    ipod_atom_free(atom);
    return nullptr;
  }
  return atom;
}
