#include "ipod_library_index.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mhit.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <algorithm>
#include <cstring>

namespace {

const uint16_t missing_key_units[5] = {'~', '~', '~', '~', '~'};

// The keys are copied, in host order, into one block first: the sort then
// compares plain arrays, whatever held the texts (atoms or a file image).
struct entry {
  uint64_t prefix;  // the first four units, for a quick first comparison
  const uint16_t *units;
  uint32_t count;
  uint32_t position;
};

uint64_t prefix_of(const uint16_t *u, uint32_t n) {
  uint64_t p = 0;
  for (uint32_t i = 0; i < 4; i++) p = (p << 16) | (i < n ? u[i] : 0);
  return p;
}

// Ordinal UTF-16 order (a shorter text before a longer one it begins);
// equal keys keep the track list order.
bool before(const entry &a, const entry &b) {
  if (a.prefix != b.prefix) return a.prefix < b.prefix;
  uint32_t n = a.count < b.count ? a.count : b.count;
  for (uint32_t i = 4; i < n; i++)
    if (a.units[i] != b.units[i]) return a.units[i] < b.units[i];
  if (a.count != b.count) return a.count < b.count;
  return a.position < b.position;
}

const uint32_t standard_fields[5] = {3, 4, 5, 7, 18};

uint32_t text_type_of(uint32_t sort_field);

// Sorts the tracks by each of the given fields; the texts of all fields are
// gathered in one pass over the tracks. positions[f] receives a new block
// (null when memory ran out).
void sort_tracks(ipod_atom_list tracks, const uint32_t *fields, uint32_t field_count, uint32_t **positions) {
  uint32_t n = tracks->count;
  for (uint32_t f = 0; f < field_count; f++) positions[f] = nullptr;
  ipod_atom_mhit_text_view *views = static_cast<ipod_atom_mhit_text_view *>(
      ipod_memory_alloc((size_t)n * field_count * sizeof(ipod_atom_mhit_text_view) + 1));
  entry *entries = static_cast<entry *>(ipod_memory_alloc((size_t)n * sizeof(entry) + 1));
  if (!views || !entries) {
    ipod_memory_free(views);
    ipod_memory_free(entries);
    return;
  }
  size_t total = 0;
  for (uint32_t i = 0; i < n; i++) {
    for (uint32_t f = 0; f < field_count; f++) {
      ipod_atom_mhit_text_view &v = views[(size_t)f * n + i];
      if (!ipod_atom_mhit_text_of_type(tracks->items[i], text_type_of(fields[f]), &v))
        v = ipod_atom_mhit_text_view{missing_key_units, nullptr, 5};
      total += v.count;
    }
  }
  uint16_t *keys = static_cast<uint16_t *>(ipod_memory_alloc(total * 2 + 1));
  size_t at = 0;
  for (uint32_t f = 0; keys && f < field_count; f++) {
    for (uint32_t i = 0; i < n; i++) {
      const ipod_atom_mhit_text_view &v = views[(size_t)f * n + i];
      uint16_t *k = keys + at;
      for (uint32_t j = 0; j < v.count; j++) k[j] = v.units ? v.units[j] : ipod_le16(v.le_bytes + 2 * j);
      entries[i] = entry{prefix_of(k, v.count), k, v.count, i};
      at += v.count;
    }
    std::sort(entries, entries + n, before);
    positions[f] = static_cast<uint32_t *>(ipod_memory_alloc((size_t)n * 4 + 1));
    if (positions[f])
      for (uint32_t i = 0; i < n; i++) positions[f][i] = entries[i].position;
  }
  ipod_memory_free(keys);
  ipod_memory_free(views);
  ipod_memory_free(entries);
}

uint32_t text_type_of(uint32_t sort_field) { return ipod_library_index_text_type(sort_field); }

}  // namespace

uint32_t ipod_library_index_text_type(uint32_t sort_field) {
  switch (sort_field) {
    case 3: return 1;
    case 4: return 3;
    case 5: return 4;
    case 7: return 5;
    case 18: return 12;
    default: return 0;
  }
}

void ipod_library_index_rebuild(ipod_atom root, ipod_atom_mhod_library_index_struct *index) {
  ipod_atom_list tracks = ipod_atom_mhbd_track_list(root);
  if (!tracks) return;
  uint32_t n = tracks->count;
  uint32_t *positions = static_cast<uint32_t *>(ipod_memory_alloc((size_t)n * 4 + 1));
  if (!positions) {
    ipod_error("ipod_atom_prepare_to_write_mhod(): Cannot allocate library index\n");
    return;
  }
  const uint32_t *cached = ipod_atom_mhbd_cached_index(root, index->sort_field);
  if (!cached && ipod_atom_mhbd_track_ids(root)) {
    // A whole write pass is under way: sort by all the usual fields at once,
    // for this and every later index of the pass.
    uint32_t *sorted[5];
    sort_tracks(tracks, standard_fields, 5, sorted);
    for (uint32_t f = 0; f < 5; f++)
      if (sorted[f]) ipod_atom_mhbd_cache_index(root, standard_fields[f], sorted[f]);
    cached = ipod_atom_mhbd_cached_index(root, index->sort_field);
  }
  if (cached) {
    std::memcpy(positions, cached, (size_t)n * 4);
  } else {
    uint32_t *sorted = nullptr;
    sort_tracks(tracks, &index->sort_field, 1, &sorted);
    if (!sorted) {
      ipod_memory_free(positions);
      ipod_error("ipod_atom_prepare_to_write_mhod(): Cannot allocate library index\n");
      return;
    }
    std::memcpy(positions, sorted, (size_t)n * 4);
    ipod_atom_mhbd_cache_index(root, index->sort_field, sorted);
  }
  ipod_memory_free(index->positions);
  index->positions = positions;
  index->count = n;
}
