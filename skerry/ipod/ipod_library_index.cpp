#include "ipod_library_index.h"
#include "ipod_atom_kind.h"
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mhit.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace {

// A key is the text's UTF-16 units as little-endian bytes: a file image
// holds them so, and so does a text in memory on a little-endian host (on a
// big-endian one, such texts are turned into a copy first).
struct entry {
  uint64_t prefix;  // the first four units, for a quick first comparison
  const unsigned char *le;
  uint32_t count;
  uint32_t position;
};

inline uint16_t unit(const unsigned char *le, uint32_t i) { return (uint16_t)(le[2 * i] | le[2 * i + 1] << 8); }

uint64_t prefix_of(const unsigned char *le, uint32_t n) {
  uint64_t p = 0;
  for (uint32_t i = 0; i < 4; i++) p = (p << 16) | (i < n ? unit(le, i) : 0);
  return p;
}

// Ordinal UTF-16 order (a shorter text before a longer one it begins);
// equal keys keep the track list order.
bool before(const entry &a, const entry &b) {
  if (a.prefix != b.prefix) return a.prefix < b.prefix;
  uint32_t n = a.count < b.count ? a.count : b.count;
  for (uint32_t i = 4; i < n; i++) {
    uint16_t x = unit(a.le, i), y = unit(b.le, i);
    if (x != y) return x < y;
  }
  if (a.count != b.count) return a.count < b.count;
  return a.position < b.position;
}

bool same_key(const entry &a, const entry &b) {
  return a.count == b.count && std::memcmp(a.le, b.le, (size_t)a.count * 2) == 0;
}

uint32_t hash_key(const entry &e) {
  uint32_t h = 2166136261u;
  for (uint32_t i = 0; i < e.count * 2; i++) h = (h ^ e.le[i]) * 16777619u;
  return h;
}

// The positions of the entries (given in track order) sorted by key, equal
// keys in track order. Equal texts are grouped first (many tracks share an
// artist, album or genre), so that only the distinct texts are compared;
// the tracks are then placed by their text's rank in one stable pass.
uint32_t *sort_entries(entry *e, uint32_t n) {
  uint32_t capacity = 16;
  while (capacity < 2 * n) capacity *= 2;
  uint32_t *slots = static_cast<uint32_t *>(ipod_memory_alloc((size_t)capacity * 4));
  uint32_t *group_of = static_cast<uint32_t *>(ipod_memory_alloc((size_t)n * 4 + 1));
  entry *groups = static_cast<entry *>(ipod_memory_alloc((size_t)n * sizeof(entry) + 1));
  uint32_t *rank = static_cast<uint32_t *>(ipod_memory_alloc((size_t)n * 4 + 1));
  uint32_t *start = static_cast<uint32_t *>(ipod_memory_alloc((size_t)n * 4 + 4));
  uint32_t *positions = static_cast<uint32_t *>(ipod_memory_alloc((size_t)n * 4 + 1));
  if (!slots || !group_of || !groups || !rank || !start || !positions) {
    for (void *p : {(void *)slots, (void *)group_of, (void *)groups, (void *)rank, (void *)start, (void *)positions})
      ipod_memory_free(p);
    return nullptr;
  }
  const uint32_t empty = 0xFFFFFFFFu;
  std::memset(slots, 0xFF, (size_t)capacity * 4);
  uint32_t distinct = 0;
  for (uint32_t i = 0; i < n; i++) {
    uint32_t s = hash_key(e[i]) & (capacity - 1);
    while (slots[s] != empty && !same_key(groups[slots[s]], e[i])) s = (s + 1) & (capacity - 1);
    if (slots[s] == empty) {
      slots[s] = distinct;
      groups[distinct] = e[i];
      groups[distinct].position = distinct;  // the group's own number
      distinct++;
    }
    group_of[i] = slots[s];
  }
  std::sort(groups, groups + distinct, before);
  for (uint32_t r = 0; r < distinct; r++) rank[groups[r].position] = r;
  // Counting sort by rank; going through the tracks in order keeps equal
  // texts in track order.
  std::memset(start, 0, ((size_t)distinct + 1) * 4);
  for (uint32_t i = 0; i < n; i++) start[rank[group_of[i]] + 1]++;
  for (uint32_t r = 0; r < distinct; r++) start[r + 1] += start[r];
  for (uint32_t i = 0; i < n; i++) positions[start[rank[group_of[i]]]++] = e[i].position;
  for (void *p : {(void *)slots, (void *)group_of, (void *)groups, (void *)rank, (void *)start})
    ipod_memory_free(p);
  return positions;
}

bool host_is_little_endian() {
  const uint16_t probe = 1;
  return *reinterpret_cast<const unsigned char *>(&probe) == 1;
}

const unsigned char missing_key[10] = {'~', 0, '~', 0, '~', 0, '~', 0, '~', 0};

const uint32_t standard_fields[5] = {3, 4, 5, 7, 18};

uint32_t text_type_of(uint32_t sort_field);

// Sorts the tracks by each of the given fields (at most five); the texts of
// all fields are found in one walk over each track. positions[f] receives a
// new block (null when memory ran out).
void sort_tracks(ipod_atom_list tracks, const uint32_t *fields, uint32_t field_count, uint32_t **positions) {
  uint32_t n = tracks->count;
  for (uint32_t f = 0; f < field_count; f++) positions[f] = nullptr;
  entry *entries = static_cast<entry *>(ipod_memory_alloc((size_t)n * field_count * sizeof(entry) + 1));
  // Texts in memory on a big-endian host get little-endian copies here.
  bool little = host_is_little_endian();
  unsigned char **copies =
      little ? nullptr : static_cast<unsigned char **>(ipod_memory_alloc((size_t)n * field_count * sizeof(void *) + 1));
  if (!entries || (!little && !copies)) {
    ipod_memory_free(entries);
    ipod_memory_free(copies);
    return;
  }
  uint32_t types[5];
  for (uint32_t f = 0; f < field_count; f++) types[f] = text_type_of(fields[f]);
  bool ok = true;
  for (uint32_t i = 0; i < n; i++) {
    ipod_atom_mhit_text_view views[5];
    int found[5];
    ipod_atom_mhit_texts_of_types(tracks->items[i], types, field_count, views, found);
    for (uint32_t f = 0; f < field_count; f++) {
      size_t slot = (size_t)f * n + i;
      if (copies) copies[slot] = nullptr;
      const unsigned char *le = missing_key;
      uint32_t count = 5;
      if (found[f]) {
        count = views[f].count;
        if (views[f].le_bytes || little) {
          le = views[f].le_bytes ? views[f].le_bytes : reinterpret_cast<const unsigned char *>(views[f].units);
        } else {
          copies[slot] = static_cast<unsigned char *>(ipod_memory_alloc((size_t)count * 2 + 1));
          if (!copies[slot]) ok = false;
          for (uint32_t j = 0; copies[slot] && j < count; j++) {
            copies[slot][2 * j] = (unsigned char)views[f].units[j];
            copies[slot][2 * j + 1] = (unsigned char)(views[f].units[j] >> 8);
          }
          le = copies[slot] ? copies[slot] : missing_key;
        }
      }
      entries[slot] = entry{prefix_of(le, count), le, count, i};
    }
  }
  for (uint32_t f = 0; ok && f < field_count; f++) positions[f] = sort_entries(entries + (size_t)f * n, n);
  if (copies) {
    for (size_t k = 0; k < (size_t)n * field_count; k++) ipod_memory_free(copies[k]);
    ipod_memory_free(copies);
  }
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
