// Playlists and their items through handles.
#include "ipod.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mhip.h"
#include "ipod_atom_mhyp.h"
#include "ipod_internal.h"

static bool valid(ipod_playlist_t p) { return p && p->playlist && p->ipod; }
static bool valid_item(ipod_track_item_t i) { return i && i->item && i->playlist && i->ipod; }
static unsigned long hex(const void *p) { return (unsigned long)(uintptr_t)p; }

static ipod_atom_list playlists_of(ipod_t ipod) { return ipod_atom_mhbd_playlist_list(ipod->database); }

static ipod_playlist_t new_handle(ipod_t ipod, ipod_atom atom) {
  ipod_playlist_t p = static_cast<ipod_playlist_t>(ipod_memory_alloc(sizeof(struct ipod_playlist_struct)));
  if (!p) return nullptr;
  p->playlist = atom;
  p->ipod = ipod;
  return p;
}

uint32_t ipod_playlist_count(ipod_t ipod) {
  if (!ipod || !ipod->database) {
    ipod_error("ipod_playlist_count(): Invalid ipod_t (%lx)\n", hex(ipod));
    return 0;
  }
  return ipod_atom_list_length(playlists_of(ipod));
}

ipod_playlist_t ipod_playlist_get_by_index(ipod_t ipod, int index) {
  if (!ipod || !ipod->database) return nullptr;
  return new_handle(ipod, ipod_atom_list_get(playlists_of(ipod), index));
}

void ipod_playlist_free(ipod_playlist_t playlist) { ipod_memory_free(playlist); }

ipod_playlist_t ipod_playlist_add(ipod_t ipod) {
  ipod_atom_list playlists = ipod ? playlists_of(ipod) : nullptr;
  if (!playlists) {
    ipod_error("ipod_playlist_add(): Invalid ipod_t (%lx)\n", hex(ipod));
    return nullptr;
  }
  ipod_atom atom = ipod_atom_new_for_tag(IPOD_TAG_MHYP, 0);
  if (!atom) return nullptr;
  uint32_t id = 10;
  for (uint32_t i = 0; i < playlists->count; i++) {
    uint32_t existing = ipod_atom_mhyp_get_attribute(playlists->items[i], 1002);
    if (existing >= id) id = existing + 2;
  }
  ipod_atom_mhyp_set_attribute(atom, 1002, id);
  ipod_atom_mhyp_set_attribute(atom, 1100, ipod_now());
  ipod_playlist_t handle = new_handle(ipod, atom);
  if (!handle || ipod_atom_list_append(playlists, atom) != 0) {
    ipod_memory_free(handle);
    ipod_atom_free(atom);
    return nullptr;
  }
  ipod->dirty = 1;
  return handle;
}

int ipod_playlist_remove(ipod_playlist_t playlist) {
  if (!valid(playlist)) {
    ipod_error("ipod_playlist_remove(): Bad playlist %lx", hex(playlist));
    return 1;
  }
  ipod_atom_list playlists = playlists_of(playlist->ipod);
  int index = playlists ? ipod_atom_list_index(playlists, playlist->playlist) : -1;
  if (index < 0) {
    ipod_error("ipod_playlist_remove(): Can't find playlist %lx on ipod %lx\n", hex(playlist), hex(playlist->ipod));
    return 1;
  }
  ipod_atom_list_remove_index(playlists, index);
  ipod_atom_free(playlist->playlist);
  playlist->playlist = nullptr;
  playlist->ipod->dirty = 1;
  return 1;
}

ipod_string ipod_playlist_get_text(ipod_playlist_t playlist, int tag, ipod_string s) {
  if (!valid(playlist)) {
    ipod_error("ipod_playlist_get_text(): Bad playlist %lx\n", hex(playlist));
    return s;
  }
  return ipod_atom_mhyp_get_text_utf8(playlist->playlist, tag, s);
}

void ipod_playlist_set_text(ipod_playlist_t playlist, int tag, const char *text) {
  if (!valid(playlist)) {
    ipod_error("ipod_playlist_set_text(): Bad playlist %lx\n", hex(playlist));
    return;
  }
  ipod_atom_mhyp_set_text_utf8(playlist->playlist, tag, text);
  playlist->ipod->dirty = 1;
}

int ipod_playlist_has_text(ipod_playlist_t playlist, int tag) {
  return valid(playlist) ? ipod_atom_mhyp_has_text(playlist->playlist, tag) : 0;
}

uint32_t ipod_playlist_get_attribute(ipod_playlist_t playlist, int attribute) {
  if (!valid(playlist)) {
    ipod_error("ipod_playlist_get_attribute(): Bad playlist %lx\n", hex(playlist));
    return 0;
  }
  return ipod_atom_mhyp_get_attribute(playlist->playlist, attribute);
}

void ipod_playlist_set_attribute(ipod_playlist_t playlist, int attribute, uint32_t value) {
  if (!valid(playlist)) {
    ipod_error("ipod_playlist_set_attribute(): Bad playlist %lx\n", hex(playlist));
    return;
  }
  ipod_atom_mhyp_set_attribute(playlist->playlist, attribute, value);
  playlist->ipod->dirty = 1;
}

static ipod_track_item_t new_item_handle(ipod_playlist_t playlist, ipod_atom item) {
  ipod_track_item_t h = static_cast<ipod_track_item_t>(ipod_memory_alloc(sizeof(struct ipod_track_item_struct)));
  if (!h) return nullptr;
  h->item = item;
  h->playlist = playlist;
  h->ipod = playlist->ipod;
  return h;
}

uint32_t ipod_track_item_count(ipod_playlist_t playlist) {
  if (!valid(playlist)) {
    ipod_error("ipod_playlist_track_count(): Bad playlist %lx", hex(playlist));
    return 0;
  }
  return ipod_atom_mhyp_track_item_count(playlist->playlist);
}

ipod_track_item_t ipod_track_item_get_by_index(ipod_playlist_t playlist, int index) {
  if (!valid(playlist)) {
    ipod_error("ipod_track_item_get_by_index(): Bad playlist %lx", hex(playlist));
    return nullptr;
  }
  ipod_atom item = ipod_atom_mhyp_get_track_item_by_index(playlist->playlist, index);
  if (!item) {
    ipod_error("ipod_track_item_get_by_index(): Cannot find track item for index %d\n", index);
    return nullptr;
  }
  return new_item_handle(playlist, item);
}

void ipod_track_item_free(ipod_track_item_t item) { ipod_memory_free(item); }

ipod_track_item_t ipod_track_item_add(ipod_playlist_t playlist) {
  if (!valid(playlist)) {
    ipod_error("ipod_track_item_add(): Bad playlist %lx", hex(playlist));
    return nullptr;
  }
  ipod_atom item = ipod_atom_mhyp_new_track_item(playlist->playlist);
  ipod_track_item_t handle = item ? new_item_handle(playlist, item) : nullptr;
  if (!handle) {
    if (item) {
      ipod_atom_mhyp_remove_track_item(playlist->playlist, item);
      ipod_atom_free(item);
    }
    ipod_error("ipod_track_item_add(): Cannot create track item\n");
    return nullptr;
  }
  ipod_atom_mhip_set_attribute(item, 4100, ipod_now());
  playlist->ipod->dirty = 1;
  return handle;
}

void ipod_track_item_remove(ipod_track_item_t item) {
  if (!valid_item(item) || !valid(item->playlist)) {
    ipod_error("ipod_track_item_remove(): Bad track item %lx", hex(item));
    return;
  }
  auto *playlist = static_cast<ipod_atom_mhyp_struct *>(ipod_atom_data_of(item->playlist->playlist, IPOD_TAG_MHYP));
  if (!playlist || ipod_atom_list_index(playlist->items, item->item) < 0) {
    ipod_error("ipod_track_item_remove(): Bad track item %lx", hex(item));
    return;
  }
  ipod_atom_list_remove(playlist->items, item->item);
  ipod_atom_free(item->item);
  item->item = nullptr;
  item->ipod->dirty = 1;
}

uint32_t ipod_track_item_get_attribute(ipod_track_item_t item, int attribute) {
  if (!valid_item(item)) {
    ipod_error("ipod_track_item_get_attribute(): Bad track item %lx\n", hex(item));
    return 0;
  }
  return ipod_atom_mhip_get_attribute(item->item, attribute);
}

void ipod_track_item_set_attribute(ipod_track_item_t item, int attribute, uint32_t value) {
  if (!valid_item(item)) {
    ipod_error("ipod_track_item_set_attribute(): Bad track item %lx\n", hex(item));
    return;
  }
  ipod_atom_mhip_set_attribute(item->item, attribute, value);
  item->ipod->dirty = 1;
}
