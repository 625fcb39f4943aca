#include "ipod_atom_mhsd.h"
#include "ipod_atom_kind.h"
#include "ipod_error.h"
#include "ipod_image.h"
#include "ipod_memory.h"

namespace {

bool is_known(uint32_t type) { return type >= IPOD_MHSD_TRACKS && type <= IPOD_MHSD_PODCASTS; }

void mhsd_init(uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_mhsd_struct *>(data);
  *d = ipod_atom_mhsd_struct{0, nullptr, nullptr, 0, nullptr};
}

void release(ipod_atom_mhsd_struct *d) {
  if (d->child) ipod_atom_free(d->child);
  if (d->image)
    ipod_image_unref(d->image);
  else
    ipod_memory_free(d->raw);
  d->image = nullptr;
  d->child = nullptr;
  d->raw = nullptr;
  d->raw_length = 0;
}

void mhsd_free(void *data) {
  auto *d = static_cast<ipod_atom_mhsd_struct *>(data);
  release(d);
  ipod_memory_free(d);
}

int mhsd_read(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhsd_struct *>(data);
  uint32_t start = ipod_io_tell(io) - 4;
  uint32_t header_end, atom_end;
  ipod_io_get_simple_header(io, &header_end, &atom_end);
  if (ipod_atom_check_extent(io, IPOD_TAG_MHSD, start, header_end, atom_end, 16) != 0) return -1;
  release(d);
  d->type = ipod_io_getul(io);
  if (!is_known(d->type)) {
    // Kept whole, tag to end, and written back as it was (left in the file
    // image when there is one).
    d->raw_length = atom_end - start;
    if (io->image) {
      d->raw = const_cast<unsigned char *>(io->image->data + start);
      d->image = io->image;
      ipod_image_ref(d->image);
      ipod_io_seek(io, atom_end);
      return 0;
    }
    ipod_io_seek(io, start);
    d->raw = ipod_io_read_block(io, d->raw_length);
    if (!d->raw) return -1;
    return 0;
  }
  ipod_io_seek(io, header_end);
  if (header_end + 12 <= atom_end) {
    d->child = ipod_atom_read_next(io, version);
    if (!d->child) return -1;
  }
  ipod_io_seek(io, atom_end);
  return 0;
}

void mhsd_prepare_to_write(ipod_atom root, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhsd_struct *>(data);
  if (d->child) ipod_atom_prepare_to_write(d->child, root, version);
}

void mhsd_write(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhsd_struct *>(data);
  if (d->raw) {
    ipod_io_write(io, d->raw, d->raw_length, nullptr);
    return;
  }
  uint32_t start = ipod_io_put_simple_header(io, IPOD_TAG_MHSD, IPOD_MHSD_HEADER_SIZE);
  ipod_io_putul(io, d->type);
  ipod_io_put_pad(io, start, IPOD_MHSD_HEADER_SIZE);
  if (d->child) ipod_atom_write(d->child, io, version);
  ipod_io_backpatch(io, start);
}

void *mhsd_copy(void *data) {
  auto *d = static_cast<ipod_atom_mhsd_struct *>(data);
  auto *c = static_cast<ipod_atom_mhsd_struct *>(ipod_memory_alloc(sizeof *d));
  if (!c) return nullptr;
  *c = ipod_atom_mhsd_struct{d->type, nullptr, nullptr, d->raw_length, nullptr};
  bool ok = true;
  if (d->child) ok = (c->child = ipod_atom_copy(d->child)) != nullptr;
  if (d->raw) ok = ok && (c->raw = static_cast<unsigned char *>(ipod_memory_dup(d->raw, d->raw_length))) != nullptr;
  if (!ok) {
    release(c);
    ipod_memory_free(c);
    return nullptr;
  }
  return c;
}

ipod_atom_mhsd_struct *data_set(ipod_atom atom) {
  return static_cast<ipod_atom_mhsd_struct *>(ipod_atom_data_of(atom, IPOD_TAG_MHSD));
}

}  // namespace

ipod_atom ipod_atom_new_mhsd(void) {
  return ipod_atom_new_of_kind(IPOD_TAG_MHSD, mhsd_init, mhsd_free, mhsd_read, mhsd_prepare_to_write,
                               mhsd_write, mhsd_copy, sizeof(ipod_atom_mhsd_struct));
}

uint32_t ipod_atom_mhsd_type(ipod_atom atom) {
  ipod_atom_mhsd_struct *d = data_set(atom);
  return d ? d->type : 0;
}

ipod_atom ipod_atom_mhsd_tracks(ipod_atom atom) {
  ipod_atom_mhsd_struct *d = data_set(atom);
  return d ? d->child : nullptr;
}

ipod_atom ipod_atom_mhsd_playlists(ipod_atom atom) { return ipod_atom_mhsd_tracks(atom); }
ipod_atom ipod_atom_mhsd_podcasts(ipod_atom atom) { return ipod_atom_mhsd_tracks(atom); }
