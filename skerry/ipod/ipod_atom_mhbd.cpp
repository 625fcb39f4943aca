#include "ipod_atom_mhbd.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mhlp.h"
#include "ipod_atom_mhlt.h"
#include "ipod_atom_mhod.h"
#include "ipod_atom_mhsd.h"
#include "ipod_atom_mhyp.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <initializer_list>

namespace {

// The fields we know end at offset 36 of the header.
constexpr uint32_t kKnownHeaderBytes = 36;

ipod_atom_mhbd_struct *root_data(ipod_atom atom) {
  return static_cast<ipod_atom_mhbd_struct *>(ipod_atom_data_of(atom, IPOD_TAG_MHBD));
}

// A data set of the given type holding `child`; null (and child freed) on failure.
ipod_atom new_data_set(uint32_t type, ipod_atom child, uint32_t version) {
  ipod_atom ds = ipod_atom_new_for_tag(IPOD_TAG_MHSD, version);
  if (!ds) {
    if (child) ipod_atom_free(child);
    return nullptr;
  }
  auto *d = static_cast<ipod_atom_mhsd_struct *>(ds->data);
  d->type = type;
  d->child = child;
  return ds;
}

ipod_atom new_master_playlist(uint32_t version) {
  ipod_atom playlist = ipod_atom_new_for_tag(IPOD_TAG_MHYP, version);
  if (!playlist) return nullptr;
  ipod_atom_mhyp_set_attribute(playlist, 1000, 1);
  ipod_atom_mhyp_set_attribute(playlist, 1004, 1);
  ipod_atom_mhyp_set_attribute(playlist, 1002, 500);
  ipod_atom_mhyp_set_text_utf8(playlist, 1, "iPod");
  auto *d = static_cast<ipod_atom_mhyp_struct *>(playlist->data);
  for (uint32_t field : {3u, 4u, 5u, 7u, 18u}) {
    ipod_atom index = ipod_atom_new_mhod_library_index(field);
    if (index && ipod_atom_list_append(d->data_objects, index) != 0) ipod_atom_free(index);
  }
  return playlist;
}

void append_or_free(ipod_atom_list list, ipod_atom atom) {
  if (atom && ipod_atom_list_append(list, atom) != 0) ipod_atom_free(atom);
}

void mhbd_init(uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhbd_struct *>(data);
  uint32_t v = version ? version : IPOD_MHBD_DEFAULT_VERSION;
  d->unk1 = 1;
  d->version = v;
  d->unk3 = 0;
  d->unk4 = 0;
  d->unk5 = 2;
  d->cache = nullptr;
  if (!d->children) d->children = ipod_atom_list_new();
  if (!d->children) return;
  append_or_free(d->children, new_data_set(IPOD_MHSD_TRACKS, ipod_atom_new_for_tag(IPOD_TAG_MHLT, v), v));
  uint32_t n = v > 12 ? 2 : 1;
  for (uint32_t i = 0; i < n; i++) {
    ipod_atom list = ipod_atom_new_for_tag(IPOD_TAG_MHLP, v);
    if (list) append_or_free(ipod_atom_mhlp_playlists(list), new_master_playlist(v));
    append_or_free(d->children, new_data_set(n - i + 1, list, v));
  }
}

void mhbd_free(void *data) {
  auto *d = static_cast<ipod_atom_mhbd_struct *>(data);
  if (d->children) {
    ipod_atom_list_remove_and_free_all(d->children);
    ipod_atom_list_free(d->children);
  }
  ipod_memory_free(d->extra);
  ipod_memory_free(d);
}

int mhbd_read(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhbd_struct *>(data);
  uint32_t start = ipod_io_tell(io) - 4;
  uint32_t header_end, atom_end;
  ipod_io_get_simple_header(io, &header_end, &atom_end);
  if (ipod_atom_check_extent(io, IPOD_TAG_MHBD, start, header_end, atom_end, 36) != 0) return -1;
  d->unk1 = ipod_io_getul(io);
  d->version = ipod_io_getul(io);
  uint32_t count = ipod_io_getul(io);
  d->unk3 = ipod_io_getul(io);
  d->unk4 = ipod_io_getul(io);
  d->unk5 = ipod_io_getul(io);
  if (header_end - start > IPOD_MHBD_HEADER_SIZE) {
    d->extra_length = header_end - start - kKnownHeaderBytes;
    d->extra = ipod_io_read_block(io, d->extra_length);
    if (!d->extra) return -1;
  }
  ipod_io_seek(io, header_end);
  if (count > (atom_end - header_end) / 12) {
    ipod_error("ipod_atom_read_mhbd(): Bad data set count %lu\n", (unsigned long)count);
    return -1;
  }
  if (ipod_atom_list_read(d->children, count, io, version ? version : d->version) != 0) return -1;
  ipod_io_seek(io, atom_end);
  return 0;
}

ipod_atom first_data_set(ipod_atom_mhbd_struct *d, uint32_t type) {
  for (uint32_t i = 0; i < d->children->count; i++)
    if (ipod_atom_mhsd_type(d->children->items[i]) == type) return d->children->items[i];
  return nullptr;
}

// The podcast data set is written as a copy of the playlist data set.
void apply_podcast_rule(ipod_atom_mhbd_struct *d) {
  if (d->children->count <= 2) return;
  ipod_atom playlists = first_data_set(d, IPOD_MHSD_PLAYLISTS);
  if (!playlists) return;
  ipod_atom podcasts = first_data_set(d, IPOD_MHSD_PODCASTS);
  if (!podcasts) return;
  ipod_atom copy = ipod_atom_copy(playlists);
  if (!copy) {
    ipod_error("ipod_atom_prepare_to_write_mhbd(): Cannot copy the playlists\n");
    return;
  }
  static_cast<ipod_atom_mhsd_struct *>(copy->data)->type = IPOD_MHSD_PODCASTS;
  ipod_atom_list_put(d->children, ipod_atom_list_index(d->children, podcasts), copy);
  ipod_atom_free(podcasts);
}

void release_cache(ipod_mhbd_prepare_cache *cache) {
  if (!cache) return;
  ipod_id_set_free(cache->track_ids);
  for (uint32_t i = 0; i < cache->index_count; i++) ipod_memory_free(cache->index_positions[i]);
  ipod_memory_free(cache);
}

void mhbd_prepare_to_write(ipod_atom root, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhbd_struct *>(data);
  apply_podcast_rule(d);
  // Shared by every playlist of this pass; without it each computes its own.
  auto *cache = static_cast<ipod_mhbd_prepare_cache *>(ipod_memory_alloc(sizeof(ipod_mhbd_prepare_cache)));
  if (cache) {
    *cache = ipod_mhbd_prepare_cache{};
    ipod_atom_list tracks = root == nullptr ? nullptr : ipod_atom_mhbd_track_list(root);
    cache->track_ids = tracks ? ipod_id_set_of_tracks(tracks) : nullptr;
  }
  ipod_mhbd_prepare_cache *outer = d->cache;
  d->cache = cache;
  ipod_atom_list_prepare_to_write(d->children, root, version ? version : d->version);
  d->cache = outer;
  release_cache(cache);
}

void mhbd_write(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhbd_struct *>(data);
  uint32_t v = version ? version : d->version;
  uint32_t header_size = d->extra ? kKnownHeaderBytes + d->extra_length : IPOD_MHBD_HEADER_SIZE;
  uint32_t start = ipod_io_put_simple_header(io, IPOD_TAG_MHBD, header_size);
  ipod_io_putul(io, d->unk1);
  ipod_io_putul(io, v);
  ipod_io_putul(io, ipod_atom_list_length(d->children));
  ipod_io_putul(io, d->unk3);
  ipod_io_putul(io, d->unk4);
  ipod_io_putul(io, d->unk5);
  if (d->extra)
    ipod_io_write(io, d->extra, d->extra_length, nullptr);
  else
    ipod_io_put_pad(io, start, IPOD_MHBD_HEADER_SIZE);
  ipod_atom_list_write(d->children, io, v);
  ipod_io_backpatch(io, start);
}

void *mhbd_copy(void *data) {
  auto *d = static_cast<ipod_atom_mhbd_struct *>(data);
  auto *c = static_cast<ipod_atom_mhbd_struct *>(ipod_memory_alloc(sizeof *d));
  if (!c) return nullptr;
  *c = *d;
  c->cache = nullptr;
  c->children = ipod_atom_list_copy(d->children);
  c->extra = d->extra ? static_cast<unsigned char *>(ipod_memory_dup(d->extra, d->extra_length)) : nullptr;
  if (!c->children || (d->extra && !c->extra)) {
    if (c->children) {
      ipod_atom_list_remove_and_free_all(c->children);
      ipod_atom_list_free(c->children);
    }
    ipod_memory_free(c->extra);
    ipod_memory_free(c);
    return nullptr;
  }
  return c;
}

}  // namespace

ipod_atom ipod_atom_new_mhbd(void) {
  ipod_atom atom = ipod_atom_new_of_kind(IPOD_TAG_MHBD, mhbd_init, mhbd_free, mhbd_read, mhbd_prepare_to_write,
                                         mhbd_write, mhbd_copy, sizeof(ipod_atom_mhbd_struct));
  if (!atom) return nullptr;
  auto *d = static_cast<ipod_atom_mhbd_struct *>(atom->data);
  d->children = ipod_atom_list_new();
  if (!d->children) {
    ipod_atom_free(atom);
    return nullptr;
  }
  return atom;
}

uint32_t ipod_atom_mhbd_get_version(ipod_atom root) {
  ipod_atom_mhbd_struct *d = root_data(root);
  return d ? d->version : 0;
}

static ipod_atom data_set_of(ipod_atom root, uint32_t type) {
  ipod_atom_mhbd_struct *d = root_data(root);
  return d ? first_data_set(d, type) : nullptr;
}

ipod_atom ipod_atom_mhbd_tracks(ipod_atom root) { return data_set_of(root, IPOD_MHSD_TRACKS); }
ipod_atom ipod_atom_mhbd_playlists(ipod_atom root) { return data_set_of(root, IPOD_MHSD_PLAYLISTS); }
ipod_atom ipod_atom_mhbd_podcasts(ipod_atom root) { return data_set_of(root, IPOD_MHSD_PODCASTS); }

ipod_atom_list ipod_atom_mhbd_track_list(ipod_atom root) {
  return ipod_atom_mhlt_tracks(ipod_atom_mhsd_tracks(ipod_atom_mhbd_tracks(root)));
}

ipod_atom_list ipod_atom_mhbd_playlist_list(ipod_atom root) {
  return ipod_atom_mhlp_playlists(ipod_atom_mhsd_playlists(ipod_atom_mhbd_playlists(root)));
}

ipod_id_set ipod_atom_mhbd_track_ids(ipod_atom root) {
  ipod_atom_mhbd_struct *d = root_data(root);
  return (d && d->cache) ? d->cache->track_ids : nullptr;
}

const uint32_t *ipod_atom_mhbd_cached_index(ipod_atom root, uint32_t sort_field) {
  ipod_atom_mhbd_struct *d = root_data(root);
  if (!d || !d->cache) return nullptr;
  for (uint32_t i = 0; i < d->cache->index_count; i++)
    if (d->cache->index_fields[i] == sort_field) return d->cache->index_positions[i];
  return nullptr;
}

void ipod_atom_mhbd_cache_index(ipod_atom root, uint32_t sort_field, uint32_t *positions) {
  ipod_atom_mhbd_struct *d = root_data(root);
  if (!d || !d->cache || d->cache->index_count >= 5) {
    ipod_memory_free(positions);
    return;
  }
  d->cache->index_fields[d->cache->index_count] = sort_field;
  d->cache->index_positions[d->cache->index_count++] = positions;
}
