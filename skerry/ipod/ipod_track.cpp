// Tracks through handles: listing, adding, removing, texts, attributes and
// copying their files to and from the device.
#include "ipod.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mhit.h"
#include "ipod_internal.h"

static bool valid(ipod_track_t track) { return track && track->track && track->ipod; }
static unsigned long hex(const void *p) { return (unsigned long)(uintptr_t)p; }

static ipod_atom_list tracks_of(ipod_t ipod) { return ipod_atom_mhbd_track_list(ipod->database); }

static ipod_track_t new_handle(ipod_t ipod, ipod_atom atom) {
  ipod_track_t t = static_cast<ipod_track_t>(ipod_memory_alloc(sizeof(struct ipod_track_struct)));
  if (!t) return nullptr;
  t->track = atom;
  t->ipod = ipod;
  return t;
}

uint32_t ipod_track_count(ipod_t ipod) {
  if (!ipod || !ipod->database) {
    ipod_error("ipod_track_count(): Invalid ipod %lx\n", hex(ipod));
    return 0;
  }
  return ipod_atom_list_length(tracks_of(ipod));
}

ipod_track_t ipod_track_get_by_index(ipod_t ipod, int index) {
  if (!ipod || !ipod->database) return nullptr;
  return new_handle(ipod, ipod_atom_list_get(tracks_of(ipod), index));
}

ipod_track_t ipod_track_get_by_track_id(ipod_t ipod, uint32_t track_id) {
  if (!ipod || !ipod->database) return nullptr;
  ipod_atom_list tracks = tracks_of(ipod);
  for (uint32_t i = 0; i < ipod_atom_list_length(tracks); i++)
    if (ipod_atom_mhit_get_attribute(tracks->items[i], 2000) == track_id) return new_handle(ipod, tracks->items[i]);
  return nullptr;
}

void ipod_track_free(ipod_track_t track) { ipod_memory_free(track); }

ipod_track_t ipod_track_add(ipod_t ipod) {
  ipod_atom_list tracks = ipod ? tracks_of(ipod) : nullptr;
  if (!tracks) {
    ipod_error("ipod_track_add(): Invalid ipod %lx\n", hex(ipod));
    return nullptr;
  }
  uint32_t now = ipod_now();
  ipod_atom atom = ipod_atom_new_for_tag(IPOD_TAG_MHIT, 0);
  if (!atom) return nullptr;
  uint32_t id = 1000;
  for (uint32_t i = 0; i < tracks->count; i++) {
    uint32_t existing = ipod_atom_mhit_get_attribute(tracks->items[i], 2000);
    if (existing >= id) id = existing + 2;
  }
  ipod_atom_mhit_set_attribute(atom, 2000, id);
  ipod_atom_mhit_set_attribute(atom, 2101, now);
  ipod_atom_mhit_set_attribute(atom, 2102, now);
  ipod_atom_mhit_set_attribute(atom, 2026, id);
  ipod_atom_mhit_set_attribute(atom, 2025, now);
  ipod_track_t handle = new_handle(ipod, atom);
  if (!handle || ipod_atom_list_append(tracks, atom) != 0) {
    ipod_memory_free(handle);
    ipod_atom_free(atom);
    return nullptr;
  }
  ipod->dirty = 1;
  return handle;
}

void ipod_track_remove(ipod_track_t track) {
  if (!valid(track)) {
    ipod_error("ipod_track_remove(): Bad track %lx", hex(track));
    return;
  }
  ipod_atom_list tracks = tracks_of(track->ipod);
  int index = tracks ? ipod_atom_list_index(tracks, track->track) : -1;
  if (index < 0) {
    ipod_error("ipod_track_remove(): Can't find track %lx on ipod %lx\n", hex(track), hex(track->ipod));
    return;
  }
  // An unsafe location is reported and its file left alone; the entry goes.
  ipod_string path = ipod_track_file_path(track, "ipod_track_remove");
  ipod_atom_list_remove_index(tracks, index);
  if (path) {
    ipod_delete_file(path);
    ipod_string_free(path);
  }
  ipod_atom_free(track->track);
  track->track = nullptr;
  track->ipod->dirty = 1;
}

ipod_string ipod_track_get_text(ipod_track_t track, int tag, ipod_string s) {
  if (!valid(track)) {
    ipod_error("ipod_track_get_text(): Bad track %lx\n", hex(track));
    return s;
  }
  if (tag != IPOD_FULL_PATH) return ipod_atom_mhit_get_text_utf8(track->track, tag, s);
  s = s ? ipod_string_zero(s) : ipod_string_new();
  ipod_string path = ipod_track_file_path(track, "ipod_track_get_text");
  if (!path) return s;
  s = ipod_string_set(s, path);
  ipod_string_free(path);
  return s;
}

int ipod_track_set_text(ipod_track_t track, int tag, const char *text) {
  if (!valid(track)) {
    ipod_error("ipod_track_set_text(): Bad track %lx\n", hex(track));
    return 1;
  }
  if (tag == IPOD_FULL_PATH)
    ipod_error("ipod_track_set_text(): Tag %d is read-only\n", tag);
  else
    ipod_atom_mhit_set_text_utf8(track->track, tag, text);
  track->ipod->dirty = 1;
  return 1;
}

int ipod_track_has_text(ipod_track_t track, int tag) {
  if (!valid(track)) return 0;
  if (tag == IPOD_FULL_PATH) return ipod_atom_mhit_has_text(track->track, 2);
  return ipod_atom_mhit_has_text(track->track, tag);
}

uint32_t ipod_track_get_attribute(ipod_track_t track, int attribute) {
  if (!valid(track)) {
    ipod_error("ipod_track_get_attribute(): Bad track %lx\n", hex(track));
    return 0;
  }
  return ipod_atom_mhit_get_attribute(track->track, attribute);
}

void ipod_track_set_attribute(ipod_track_t track, int attribute, uint32_t value) {
  if (!valid(track)) {
    ipod_error("ipod_track_set_attribute(): Bad track %lx\n", hex(track));
    return;
  }
  ipod_atom_mhit_set_attribute(track->track, attribute, value);
  track->ipod->dirty = 1;
}

int ipod_track_upload(ipod_track_t track, const char *local_file, ipod_file_transfer_func progress,
                      void *user_data) {
  if (!valid(track)) {
    ipod_error("ipod_track_upload(): Bad track %lx\n", hex(track));
    return -1;
  }
  if (!ipod_atom_mhit_has_text(track->track, 2)) {
    ipod_string location =
        ipod_unique_track_location_wrapper(track->ipod, ipod_extension_of(local_file, ".mp3"));
    if (!location) return -1;
    ipod_atom_mhit_set_text_utf8(track->track, 2, location);
    ipod_string_free(location);
  }
  ipod_string path = ipod_track_file_path(track, "ipod_track_upload");
  if (!path) return -1;
  int result = ipod_copy_file(local_file, path, progress, user_data);
  ipod_string_free(path);
  return result;
}

int ipod_track_download(ipod_track_t track, const char *local_file, ipod_file_transfer_func progress,
                        void *user_data) {
  if (!valid(track)) {
    ipod_error("ipod_track_download(): Bad track %lx\n", hex(track));
    return -1;
  }
  ipod_string path = ipod_track_file_path(track, "ipod_track_download");
  if (!path) return -1;
  int result = ipod_copy_file(path, local_file, progress, user_data);
  ipod_string_free(path);
  return result;
}
