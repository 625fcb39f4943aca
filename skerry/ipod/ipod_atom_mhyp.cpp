#include "ipod_atom_mhyp.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mhip.h"
#include "ipod_atom_mhit.h"
#include "ipod_atom_mhod.h"
#include "ipod_error.h"
#include "ipod_id_set.h"
#include "ipod_memory.h"

#include <cstring>
#include <initializer_list>

namespace {

ipod_atom_mhyp_struct *playlist_data(ipod_atom atom) {
  return static_cast<ipod_atom_mhyp_struct *>(ipod_atom_data_of(atom, IPOD_TAG_MHYP));
}

// Attributes 1000-1003 are words 0-3, 1004 is word 6, 1100 is word 1 as Unix time.
int word_of(int attribute, bool *unix_time) {
  *unix_time = attribute == 1100;
  if (attribute == 1100) return 1;
  if (attribute >= 1000 && attribute <= 1003) return attribute - 1000;
  if (attribute == 1004) return 6;
  return -1;
}

void free_lists(ipod_atom_mhyp_struct *d) {
  for (ipod_atom_list list : {d->data_objects, d->items}) {
    if (!list) continue;
    ipod_atom_list_remove_and_free_all(list);
    ipod_atom_list_free(list);
  }
  d->data_objects = d->items = nullptr;
}

void mhyp_init(uint32_t, void *data) {
  auto *d = static_cast<ipod_atom_mhyp_struct *>(data);
  std::memset(d->words, 0, sizeof d->words);
  d->words[4] = 1;
  d->extra = nullptr;
  d->extra_length = 0;
  if (!d->data_objects) d->data_objects = ipod_atom_list_new();
  if (!d->items) d->items = ipod_atom_list_new();
}

void mhyp_free(void *data) {
  auto *d = static_cast<ipod_atom_mhyp_struct *>(data);
  free_lists(d);
  ipod_memory_free(d->extra);
  ipod_memory_free(d);
}

int mhyp_read(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhyp_struct *>(data);
  uint32_t start = ipod_io_tell(io) - 4;
  uint32_t header_end, atom_end;
  ipod_io_get_simple_header(io, &header_end, &atom_end);
  if (ipod_atom_check_extent(io, IPOD_TAG_MHYP, start, header_end, atom_end, 48) != 0) return -1;
  unsigned char b[36];
  if (ipod_io_read_all(io, b, 36) != 36) return -1;
  uint32_t object_count = ipod_le32(b);
  uint32_t item_count = ipod_le32(b + 4);
  for (int i = 0; i < 7; i++) d->words[i] = ipod_le32(b + 8 + 4 * i);
  uint32_t header_size = header_end - start;
  if (header_size > IPOD_MHYP_HEADER_SIZE) {
    ipod_io_seek(io, start + IPOD_MHYP_HEADER_SIZE);
    d->extra = ipod_io_read_block(io, header_size - IPOD_MHYP_HEADER_SIZE);
    if (!d->extra) return -1;
    d->extra_length = header_size - IPOD_MHYP_HEADER_SIZE;
  }
  ipod_io_seek(io, header_end);
  uint32_t room = (atom_end - header_end) / 12;
  if (object_count > room || item_count > room) {
    ipod_error("ipod_atom_read_mhyp(): Bad counts at offset %lu\n", (unsigned long)start);
    return -1;
  }
  if (ipod_atom_list_read(d->data_objects, object_count, io, version) != 0) return -1;
  ipod_atom_list_remove_and_free_all(d->items);
  for (uint32_t i = 0; i < item_count; i++) {
    ipod_atom item = ipod_atom_read_next(io, version);
    if (!item) return -1;
    if (ipod_atom_list_append(d->items, item) != 0) {
      ipod_atom_free(item);
      return -1;
    }
    // A position object may follow the item (older databases); it is made
    // again when writing.
    uint32_t p = ipod_io_tell(io);
    if (p + 12 <= atom_end) {
      uint32_t tag = ipod_io_get4cc(io);
      ipod_io_seek(io, p);
      if (tag == IPOD_TAG_MHOD) {
        ipod_atom position = ipod_atom_read_next(io, version);
        if (!position) return -1;
        ipod_atom_free(position);
      }
    }
  }
  ipod_io_seek(io, atom_end);
  return 0;
}

// Appends an item for every track that the master playlist lacks, in track
// list order, using a set of the item ids so that this is linear.
void add_missing_tracks(ipod_atom root, uint32_t version, ipod_atom_mhyp_struct *d) {
  ipod_atom_list tracks = ipod_atom_mhbd_track_list(root);
  if (!tracks) return;
  ipod_id_set present = ipod_id_set_of_items(d->items);
  if (!present) {
    ipod_error("ipod_atom_mhyp_check_master_playlist(): Out of memory\n");
    return;
  }
  for (uint32_t i = 0; i < tracks->count; i++) {
    uint32_t id = ipod_atom_mhit_get_attribute(tracks->items[i], 2000);
    if (ipod_id_set_contains(present, id)) continue;
    ipod_atom item = ipod_atom_new_for_tag(IPOD_TAG_MHIP, version);
    if (!item) break;
    ipod_atom_mhip_set_attribute(item, 4002, id);
    if (ipod_atom_list_append(d->items, item) != 0) {
      ipod_atom_free(item);
      break;
    }
    ipod_id_set_add(present, id);
    ipod_error("ipod_atom_mhyp_check_master_playlist(): Adding missing track %d to master playlist\n", (int)id);
  }
  ipod_id_set_free(present);
}

void mhyp_prepare_to_write(ipod_atom root, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhyp_struct *>(data);
  ipod_atom_list_prepare_to_write(d->data_objects, root, version);
  ipod_atom_list_prepare_to_write(d->items, root, version);
  if (d->words[0]) add_missing_tracks(root, version, d);
  ipod_atom_mhyp_check_playlist(root, version, d);
}

void mhyp_write(ipod_io_t io, uint32_t version, void *data) {
  auto *d = static_cast<ipod_atom_mhyp_struct *>(data);
  uint32_t start = ipod_io_put_simple_header(io, IPOD_TAG_MHYP, IPOD_MHYP_HEADER_SIZE + d->extra_length);
  unsigned char b[IPOD_MHYP_HEADER_SIZE - 12] = {0};
  ipod_put_le32(b, ipod_atom_list_length(d->data_objects));
  ipod_put_le32(b + 4, ipod_atom_list_length(d->items));
  for (int i = 0; i < 7; i++) ipod_put_le32(b + 8 + 4 * i, d->words[i]);
  ipod_io_write(io, b, sizeof b, nullptr);
  if (d->extra_length) ipod_io_write(io, d->extra, d->extra_length, nullptr);
  ipod_atom_list_write(d->data_objects, io, version);
  for (uint32_t i = 0; i < d->items->count; i++) {
    ipod_atom_write(d->items->items[i], io, version);
    if (version < 13) ipod_atom_mhod_write_position(io, i);
  }
  ipod_io_backpatch(io, start);
}

void *mhyp_copy(void *data) {
  auto *d = static_cast<ipod_atom_mhyp_struct *>(data);
  auto *c = static_cast<ipod_atom_mhyp_struct *>(ipod_memory_alloc(sizeof *d));
  if (!c) return nullptr;
  std::memcpy(c->words, d->words, sizeof d->words);
  c->extra_length = d->extra_length;
  c->extra = d->extra ? static_cast<unsigned char *>(ipod_memory_dup(d->extra, d->extra_length)) : nullptr;
  c->data_objects = ipod_atom_list_copy(d->data_objects);
  c->items = ipod_atom_list_copy(d->items);
  if ((d->extra && !c->extra) || !c->data_objects || !c->items) {
    free_lists(c);
    ipod_memory_free(c->extra);
    ipod_memory_free(c);
    return nullptr;
  }
  return c;
}

ipod_atom first_object_of_type(ipod_atom_mhyp_struct *d, uint32_t type) {
  for (uint32_t i = 0; i < d->data_objects->count; i++)
    if (ipod_atom_mhod_type(d->data_objects->items[i]) == type) return d->data_objects->items[i];
  return nullptr;
}

}  // namespace

// The lists are made here, so that a playlist either exists whole or not at
// all when memory runs out.
ipod_atom ipod_atom_new_mhyp(void) {
  ipod_atom atom = ipod_atom_new_of_kind(IPOD_TAG_MHYP, mhyp_init, mhyp_free, mhyp_read, mhyp_prepare_to_write,
                                         mhyp_write, mhyp_copy, sizeof(ipod_atom_mhyp_struct));
  if (!atom) return nullptr;
  auto *d = static_cast<ipod_atom_mhyp_struct *>(atom->data);
  d->data_objects = ipod_atom_list_new();
  d->items = ipod_atom_list_new();
  if (!d->data_objects || !d->items) {
    ipod_atom_free(atom);
    return nullptr;
  }
  return atom;
}

void ipod_atom_mhyp_check_playlist(ipod_atom root, uint32_t, ipod_atom_mhyp_struct *d) {
  if (!d || !d->items || d->items->count == 0) return;
  ipod_atom_list tracks = ipod_atom_mhbd_track_list(root);
  ipod_id_set ids = tracks ? ipod_atom_mhbd_track_ids(root) : nullptr;
  bool own_set = false;
  if (tracks && !ids) {
    ids = ipod_id_set_of_tracks(tracks);
    own_set = true;
    if (!ids) {
      ipod_error("ipod_atom_mhyp_check_playlist(): Out of memory\n");
      return;
    }
  }
  // Survivors are moved down in place, keeping their order: one pass.
  uint32_t kept = 0;
  for (uint32_t i = 0; i < d->items->count; i++) {
    ipod_atom item = d->items->items[i];
    uint32_t id = ipod_atom_mhip_get_attribute(item, 4002);
    if (ids && ipod_id_set_contains(ids, id)) {
      d->items->items[kept++] = item;
      continue;
    }
    ipod_error("ipod_atom_mhyp_check_playlist(): Removing missing track %d from playlist\n", (int)id);
    ipod_atom_free(item);
  }
  d->items->count = kept;
  if (own_set) ipod_id_set_free(ids);
}

uint32_t ipod_atom_mhyp_get_attribute(ipod_atom playlist, int attribute) {
  ipod_atom_mhyp_struct *d = playlist_data(playlist);
  if (!d) {
    ipod_error("ipod_atom_mhyp_get_attribute(): Invalid playlist atom\n");
    return 0;
  }
  bool unix_time;
  int w = word_of(attribute, &unix_time);
  if (w < 0) {
    ipod_error("ipod_atom_mhyp_get_attribute(): Invalid tag %d\n", attribute);
    return 0;
  }
  return unix_time ? d->words[w] - IPOD_MAC_TIME_OFFSET : d->words[w];
}

void ipod_atom_mhyp_set_attribute(ipod_atom playlist, int attribute, uint32_t value) {
  ipod_atom_mhyp_struct *d = playlist_data(playlist);
  if (!d) {
    ipod_error("ipod_atom_mhyp_set_attribute(): Invalid playlist atom\n");
    return;
  }
  bool unix_time;
  int w = word_of(attribute, &unix_time);
  if (w < 0) {
    ipod_error("ipod_atom_mhyp_set_attribute(): Invalid tag %d\n", attribute);
    return;
  }
  d->words[w] = unix_time ? value + IPOD_MAC_TIME_OFFSET : value;
}

ipod_string ipod_atom_mhyp_get_text_utf8(ipod_atom playlist, int type, ipod_string s) {
  s = s ? ipod_string_zero(s) : ipod_string_new();
  ipod_atom_mhyp_struct *d = playlist_data(playlist);
  if (!d) return s;
  if (type != 1) {
    ipod_error("ipod_atom_mhyp_get_text_utf8(): Non-string type %d\n", type);
    return s;
  }
  ipod_atom title = first_object_of_type(d, 1);
  return title ? ipod_atom_mhod_string_get(title, s) : s;
}

void ipod_atom_mhyp_set_text_utf8(ipod_atom playlist, int type, const char *text) {
  ipod_atom_mhyp_struct *d = playlist_data(playlist);
  if (!d) return;
  if (type != 1) {
    ipod_error("ipod_atom_mhyp_set_text_utf8(): Non-string type %d\n", type);
    return;
  }
  ipod_atom title = first_object_of_type(d, 1);
  if (title) {
    ipod_atom_mhod_string_set(title, text);
    return;
  }
  ipod_atom fresh = ipod_atom_new_mhod_string(1, text);
  if (fresh && ipod_atom_list_append(d->data_objects, fresh) != 0) ipod_atom_free(fresh);
}

int ipod_atom_mhyp_has_text(ipod_atom playlist, int type) {
  ipod_atom_mhyp_struct *d = playlist_data(playlist);
  return (d && first_object_of_type(d, (uint32_t)type)) ? 1 : 0;
}

uint32_t ipod_atom_mhyp_track_item_count(ipod_atom playlist) {
  ipod_atom_mhyp_struct *d = playlist_data(playlist);
  return d ? d->items->count : 0;
}

ipod_atom ipod_atom_mhyp_get_track_item_by_index(ipod_atom playlist, int index) {
  ipod_atom_mhyp_struct *d = playlist_data(playlist);
  if (!d) {
    ipod_error("ipod_atom_mhyp_get_track_item_by_index(): Invalid playlist atom\n");
    return nullptr;
  }
  if (index < 0 || (uint32_t)index >= d->items->count) {
    ipod_error("ipod_atom_mhyp_get_track_item_by_index(): Index %d out of range\n", index);
    return nullptr;
  }
  return d->items->items[index];
}

ipod_atom ipod_atom_mhyp_new_track_item(ipod_atom playlist) {
  ipod_atom_mhyp_struct *d = playlist_data(playlist);
  if (!d) {
    ipod_error("ipod_atom_mhyp_new_track_item(): Invalid playlist atom\n");
    return nullptr;
  }
  ipod_atom item = ipod_atom_new_for_tag(IPOD_TAG_MHIP, 0);
  if (item && ipod_atom_list_append(d->items, item) != 0) {
    ipod_atom_free(item);
    return nullptr;
  }
  return item;
}

void ipod_atom_mhyp_remove_track_item(ipod_atom playlist, ipod_atom item) {
  ipod_atom_mhyp_struct *d = playlist_data(playlist);
  if (!d) {
    ipod_error("ipod_atom_mhyp_remove_track_item(): Invalid playlist atom\n");
    return;
  }
  ipod_atom_list_remove(d->items, item);
}
