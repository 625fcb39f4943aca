#include "ipod_library_index.h"
#include "ipod_atom_mhbd.h"
#include "ipod_atom_mhit.h"
#include "ipod_error.h"
#include "ipod_memory.h"

#include <algorithm>
#include <cstring>

namespace {

const uint16_t missing_key_units[5] = {'~', '~', '~', '~', '~'};

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
  int c = ipod_string_compare_utf16(a.units, a.count, b.units, b.count);
  if (c != 0) return c < 0;
  return a.position < b.position;
}

uint32_t *sorted_positions(ipod_atom_list tracks, uint32_t text_type) {
  uint32_t n = tracks->count;
  entry *entries = static_cast<entry *>(ipod_memory_alloc((size_t)n * sizeof(entry) + 1));
  uint32_t *positions = static_cast<uint32_t *>(ipod_memory_alloc((size_t)n * 4 + 1));
  if (!entries || !positions) {
    ipod_memory_free(entries);
    ipod_memory_free(positions);
    return nullptr;
  }
  for (uint32_t i = 0; i < n; i++) {
    const ipod_atom_mhod_string_struct *key = ipod_atom_mhit_string_struct(tracks->items[i], text_type);
    const uint16_t *u = key ? key->text : missing_key_units;
    uint32_t count = key ? key->length / 2 : 5;
    entries[i] = entry{prefix_of(u, count), u, count, i};
  }
  std::sort(entries, entries + n, before);
  for (uint32_t i = 0; i < n; i++) positions[i] = entries[i].position;
  ipod_memory_free(entries);
  return positions;
}

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
  if (cached) {
    std::memcpy(positions, cached, (size_t)n * 4);
  } else {
    uint32_t *sorted = sorted_positions(tracks, ipod_library_index_text_type(index->sort_field));
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
